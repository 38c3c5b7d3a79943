// The main window's track extras: the annotation and the code check, the
// Eiritsu and Philips overlays with their switches and timing boxes, the wave
// print and the wave export.

#include "R_main.h"

#include "code_table_model.h"
#include "link_texts.h"
#include "save_file.h"
#include "table_print.h"
#include "text_codec.h"
#include "track_notes.h"
#include "wave_image.h"
#include "wave_print.h"
#include "wave_text_file.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

namespace zevo3 {

namespace {
constexpr int kBmpFilter = 3; // "ﾘﾓｺﾝ波形ｲﾒｰｼﾞﾌｧｲﾙ (*.Bmp)"
}

void TfrmMain::AnnotateTrack(const TrackNotes &notes) {
    // With the check off the code text is the row's own "Result", so writing
    // it back into the row would change nothing; with it on the table is
    // never written and the verdict is heard.
    if (!notes.annotate || !ckCodeCheck->isChecked()) return;
    if (notes.sound != CheckSound::None) objects.sounds->play(soundFileName(notes.sound));
}

void TfrmMain::ckCodeCheckClick() {
    if (!ckCodeCheck->isChecked()) return;
    // The check starts from the top when the current row holds no code.
    if (objects.table.cell(currentRow(), CodeTable::kColCarry).isEmpty())
        setCurrentCell(1, CodeTable::kColCarry);
}

void TfrmMain::showPhilipsTiming(bool on) {
    for (QWidget *w : std::initializer_list<QWidget *>{lblTs, lblTw, lblBt, cmbTs, cmbTw, cmbBt})
        w->setVisible(on);
}

void TfrmMain::ckEiritsuClick() {
    if (!ckEiritsu->isChecked()) return;
    ckPhilips->setChecked(false);
    showPhilipsTiming(false);
}

void TfrmMain::ckPhilipsClick() {
    const bool on = ckPhilips->isChecked();
    showPhilipsTiming(on);
    if (on) ckEiritsu->setChecked(false);
}

void TfrmMain::pnlContDblClick() {
    const int tag = pnlCont->property("tag").toInt() == 0 ? 1 : 0;
    pnlCont->setProperty("tag", tag);
    // Hiding leaves them as they are: a hidden checked box still chooses.
    for (QCheckBox *box : {ckEiritsu, ckPhilips, ckPcode})
        box->setVisible(tag == 1);
}

namespace {
// Enter keeps a text the box does not hold yet among its items.
void keepTyped(QComboBox *box) {
    const QString text = box->currentText();
    if (box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) box->addItem(text);
}
} // namespace

void TfrmMain::cmbTsKeyPress() {
    keepTyped(cmbTs);
}

void TfrmMain::cmbTwKeyPress() {
    keepTyped(cmbTw);
}

OverlaySettings TfrmMain::overlaySettings() const {
    if (ckEiritsu->isChecked()) return OverlaySettings::eiritsu();
    if (ckPhilips->isChecked())
        return OverlaySettings::philips(cmbTs->currentText(), cmbTw->currentText(),
                                        cmbBt->currentText());
    return {};
}

void TfrmMain::btnWavePrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kWavePrintResolution);
    printThroughDialog(printer, wavePrintTitle(), [this, &printer](QPainter &painter) {
        PrintWave(painter, printer.width());
    });
}

void TfrmMain::PrintWave(QPainter &painter, int pageWidth) {
    painter.setFont(tablePrintFont()); // the receive log's face, at print size
    paintWavePrint(painter, planWavePrint(objects.waveStore, objects.table, overlaySettings(),
                                          objects.view.zoomDivisor, pageWidth));
}

FileDialogSetup TfrmMain::waveSaveDialogSetup() {
    FileDialogSetup setup = tableDialogSetup();
    setup.filterIndex = 1;
    setup.defaultExt = QStringLiteral("Txt");
    return setup;
}

void TfrmMain::btnWaveSaveClick() {
    const std::optional<FileChoice> choice = prompter.saveFile(this, waveSaveDialogSetup());
    if (choice) ExportWave(choice->path, choice->filterIndex);
}

bool TfrmMain::ExportWave(const QString &path, int filterIndex) {
    QByteArray bytes;
    if (filterIndex == kBmpFilter) {
        // What the filter's name promises: the drawn track as a picture.
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        imgWave->canvas().save(&buffer, "BMP");
    } else {
        // Pulses loaded from a wave file keep that file's first line; any
        // others take the header of the row two above the current one.
        const WaveStore &store = objects.waveStore;
        const int row = std::max(1, currentRow() - 2);
        bytes = store.fileHeader
                    ? writeWaveText(store, store.fileHeader->carry, store.fileHeader->comments)
                    : writeWaveText(store, objects.table.cell(row, CodeTable::kColCarry),
                                    objects.table.cell(row, CodeTable::kColComments));
    }
    QString error;
    if (!saveFileAtomically(path, bytes, &error)) {
        prompter.ask(this, tr("波形を保存できませんでした。\n%1: %2").arg(path, error),
                     texts::captionWarning(), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    return true;
}

} // namespace zevo3
