// The main window's waveform view: drawing the store with zoom and scroll,
// the two markers and the measurement, the wave data window, and what fills
// the store (a table row's timing description, or a wave text file).

#include "R_main.h"

#include "R_wave.h"
#include "code_table_model.h"
#include "link_texts.h"
#include "save_file.h"
#include "track_notes.h"
#include "wave_grid.h"
#include "wave_image.h"
#include "wave_render.h"
#include "wave_text_file.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

namespace zevo3 {

namespace {

// Why a wave file was refused, in the operator's words.
QString waveFileFaultText(const WaveFileRead &read) {
    const WaveLineFigures &f = read.figures;
    switch (read.fault) {
    case WaveFileFault::None:
        break;
    case WaveFileFault::Empty:
        return TfrmMain::tr("ファイルが空です");
    case WaveFileFault::NotHeaderLine:
        return TfrmMain::tr("見出し行「Carry,Comments,」ではありません");
    case WaveFileFault::EndsAfterHeader:
        return TfrmMain::tr("見出し行の後に何もありません");
    case WaveFileFault::NotColumnLine:
        return TfrmMain::tr("列見出し「%1」ではありません")
            .arg(QString::fromLatin1(kWaveListHeader));
    case WaveFileFault::TooManyPulses:
        return TfrmMain::tr("パルスが %1 個を超えています").arg(WaveGridData::kRows);
    case WaveFileFault::NotPulseLine:
        return TfrmMain::tr("パルスの行「[NNN],H,L,W」ではありません");
    case WaveFileFault::IndexOutOfOrder:
        return TfrmMain::tr("[%1] の行に [%2] があります")
            .arg(f.due, 3, 10, QLatin1Char('0'))
            .arg(f.index);
    case WaveFileFault::NotThreeNumbers:
        return TfrmMain::tr("番号の後に H, L, W の 3 つの数値がありません");
    case WaveFileFault::OutOfRange:
        return TfrmMain::tr("W は 0 より大きく、H は 0 以上でなければなりません");
    case WaveFileFault::HighAboveWidth:
        return TfrmMain::tr("H (%1) が W (%2) より大きいです").arg(f.high).arg(f.width);
    case WaveFileFault::SumNotWidth:
        return TfrmMain::tr("H + L (%1 + %2) が W (%3) と一致しません")
            .arg(f.high)
            .arg(f.low)
            .arg(f.width);
    case WaveFileFault::TextAfterEnd:
        return TfrmMain::tr("一覧の終わりの空行の後に文字があります");
    case WaveFileFault::TooFewPulses:
        return TfrmMain::tr("パルスが 2 つ未満です");
    }
    return TfrmMain::tr("波形ファイルの形式ではありません");
}

// Why a wave file could not be read at all, in the operator's words.
QString readRefusalText(ReadRefusal refusal) {
    switch (refusal) {
    case ReadRefusal::Missing:
        return TfrmMain::tr("ファイルがありません");
    case ReadRefusal::NotRegular:
        return TfrmMain::tr(
            "通常のファイルではありません (フォルダ、名前付きパイプ、デバイスなど)");
    case ReadRefusal::TooLarge:
        return TfrmMain::tr("%1 バイトを超えています").arg(kMaxWaveFileBytes);
    case ReadRefusal::None:
    case ReadRefusal::Unreadable:
        break;
    }
    return TfrmMain::tr("読み取れません");
}

} // namespace

void TfrmMain::ClearTrack(int slot) {
    WaveRenderer(imgWave->canvas(), objects.view).clearTrack(slot);
    imgWave->update();
    setPanelText(1, QString());
}

void TfrmMain::DrawPulse(int slot, int k) {
    if (k == 0) setPanelText(1, QString()); // pulse 0 clears the track
    WaveRenderer(imgWave->canvas(), objects.view).drawPulse(objects.waveStore, slot, k);
    imgWave->update();
}

void TfrmMain::SetZoomAndRedraw(int divisor) {
    objects.view.zoomDivisor = divisor;
    pnlZoom->setText(QStringLiteral("1/%1").arg(divisor));
    // An empty store leaves the old drawing. The pulses, then the overlay,
    // then the annotation with the code check.
    const TrackNotes notes = trackNotes(objects.table, objects.waveStore, ckCodeCheck->isChecked());
    if (!drawTrack(imgWave->canvas(), objects.view, objects.waveStore, overlaySettings(), notes))
        return;
    setPanelText(1, QString());
    imgWave->update();
    AnnotateTrack(notes);
}

void TfrmMain::btnZoomLeftClick() {
    SetZoomAndRedraw(zoomLeft(objects.view.zoomDivisor));
}

void TfrmMain::btnZoomRightClick() {
    SetZoomAndRedraw(zoomRight(objects.view.zoomDivisor));
}

void TfrmMain::scrBarChange(int position) {
    // The image moves; nothing is redrawn.
    imgWave->move(objects.view.imageLeftFor(position, scrBar->maximum()), imgWave->y());
}

void TfrmMain::imgWaveMouseDown(Qt::MouseButton button, QPoint at) {
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    WaveRenderer(imgWave->canvas(), objects.view)
        .placeMarker(button == Qt::LeftButton ? Marker::Measure : Marker::Reference, at.x());
    imgWave->update();
}

void TfrmMain::imgWaveMouseUp(Qt::MouseButton button, QPoint at) {
    if (button != Qt::LeftButton || objects.view.measureMarker == -1) return;
    const WaveMeasurement m =
        measureWave(objects.waveGrid, at.y() / 65, objects.view.referenceMarker, at.x(),
                    objects.view.zoomDivisor);
    appendLogText(QString::fromLatin1(m.text));
    if (frmWave) frmWave->setCurrentRow(m.row);
}

void TfrmMain::btnWaveDataClick() {
    if (frmWave) frmWave->showOver(this);
}

void TfrmMain::waveFilled() {
    if (!frmWave) return;
    frmWave->gridChanged();
    // The range panels belong to the old pulses: shown again for the new
    // ones when a pattern number is chosen.
    frmWave->clearPanels();
    const int column = frmWave->currentColumn();
    if (column != 0) frmWave->sGridWaveSelectCell(column, frmWave->currentRow());
}

void TfrmMain::ShowRowWave(int row) {
    const WaveFill fill = fillWaveFromRow(objects.table, row, objects.waveStore, objects.waveGrid);
    shownRow_ = row;
    shownInfo_ = objects.table.waveInfo(row);
    waveFilled();
    if (fill.pulses == 0)
        ClearTrack(0); // the old pulses are never shown for a row that has none
    else
        SetZoomAndRedraw(objects.view.zoomDivisor);
    setPanelText(1, fill.notice);
}

void TfrmMain::ppWaveShowClick() {
    const int row = currentRow();
    if (!CodeTable::validRow(row)) return;
    pnlWave->setVisible(true);
    ShowRowWave(row);
}

void TfrmMain::waveRowSelected(int row) {
    if (!pnlWave || pnlWave->isHidden() || row == shownRow_ || !CodeTable::validRow(row)) return;
    if (objects.table.waveInfo(row).present()) ShowRowWave(row);
}

void TfrmMain::tableChangedUnderWave() {
    if (!pnlWave || pnlWave->isHidden() || shownRow_ <= 0 || waveRefreshPending_) return;
    // Once, after the change is complete (a file load changes every row).
    waveRefreshPending_ = true;
    QTimer::singleShot(0, this, [this] {
        waveRefreshPending_ = false;
        if (pnlWave->isHidden() || !CodeTable::validRow(shownRow_)) return;
        if (!shownInfo_ || objects.table.waveInfo(shownRow_) != *shownInfo_) ShowRowWave(shownRow_);
    });
}

FileDialogSetup TfrmMain::waveDialogSetup() {
    FileDialogSetup setup;
    setup.filter = tr("ﾃｷｽﾄﾌｧｲﾙ (*.Txt)|*.Txt|全てのﾌｧｲﾙ (*.*)|*.*");
    setup.filterIndex = 1;
    setup.defaultExt = QStringLiteral("Txt");
    return setup;
}

bool TfrmMain::loadWaveFile(const QString &path) {
    QByteArray bytes;
    QString error;
    const auto refuse = [this](const QString &why) {
        prompter.ask(this, tr("波形ファイルを読み込めません。波形は変わりません。\n%1").arg(why),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    };
    ReadRefusal refusal = ReadRefusal::None;
    if (!readFileBounded(path, kMaxWaveFileBytes, &bytes, &error, nullptr, &refusal))
        return refuse(QStringLiteral("%1: %2").arg(path, readRefusalText(refusal)));
    const WaveFileRead read = readWaveText(bytes);
    if (!read.ok)
        return refuse(
            tr("%1 の %2 行目: %3").arg(path).arg(read.line).arg(waveFileFaultText(read)));
    // The pulses keep the file's own first line until the store is filled
    // from a row or cleared.
    fillWaveFromFile(read, objects.wave.H_Range_, objects.wave.W_Range_, objects.waveStore,
                     objects.waveGrid);
    shownRow_ = 0;
    shownInfo_.reset();
    waveFilled();
    SetZoomAndRedraw(objects.view.zoomDivisor);
    return true;
}

void TfrmMain::btnWaveLoadClick() {
    const std::optional<FileChoice> choice = prompter.openFile(this, waveDialogSetup());
    if (choice) loadWaveFile(choice->path);
}

} // namespace zevo3
