// The waveform panel as the operator reaches it: analysis-log mode, the row
// menu's "波形表示", the learning toggle, zoom, scroll, markers and the
// measurement, the wave data window, Clear, New and Load.

#include "../unit/wave_samples.h"
#include "R_wave.h"
#include "click_panel.h"
#include "code_table_model.h"
#include "link_texts.h"
#include "main_window_fixture.h"
#include "text_codec.h"
#include "track_notes.h"
#include "wave_grid_model.h"
#include "wave_image.h"
#include "wave_print.h"
#include "wave_render.h"
#include "wave_text_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>
#include <sys/stat.h>

using namespace zevo3;
using namespace zevo3::test;

namespace {

constexpr QRgb kGreen = 0xff008000;

class WavePanelTest : public MainWindowTest {
protected:
    TfrmMain &open() {
        TfrmMain &w = createAll();
        w.resize(900, 700);
        w.show();
        device.written.clear();
        return w;
    }
    QByteArrayList sentLines() const {
        QByteArrayList lines = device.written.split('\n');
        lines.removeLast();
        for (QByteArray &line : lines)
            line.chop(1); // CR
        return lines;
    }
    void analysisLog() {
        QTest::mouseDClick(window->sBar->findChild<QLabel *>(QStringLiteral("sBarPanel1")),
                           Qt::LeftButton);
        ASSERT_TRUE(window->analysisLog());
    }
    // The row's waveform through the row menu, as the operator asks for it.
    void showRow(int row) {
        window->setCurrentCell(row, CodeTable::kColCarry);
        ASSERT_TRUE(window->ppWaveShow->isVisible());
        window->ppWaveShow->trigger();
    }
    void necRows(std::initializer_list<int> rows, int dataBits = 34) {
        for (int row : rows)
            putNecRow(objects->table, row, dataBits);
        window->tableModel->refresh();
    }
    int greenAt(int y) const {
        const QImage &image = window->imgWave->canvas();
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == kGreen;
        return n;
    }
    void typeLearningTime(const QString &text) {
        window->edtLtime->selectAll();
        QTest::keyClick(window->edtLtime, Qt::Key_Delete);
        QTest::keyClicks(window->edtLtime, text);
    }
    void clickLearning() { QTest::mouseClick(window->pnlAnalyze, Qt::LeftButton); }
    // A turn of the wheel over the picture, as the window system delivers it.
    void wheel(QPoint angle, Qt::KeyboardModifiers modifiers = {}) {
        const QPoint at(200, 30);
        QWheelEvent event(QPointF(at), QPointF(window->imgWave->mapToGlobal(at)), QPoint(), angle,
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->imgWave, &event);
    }
    QString writeFile(const QString &name, const QByteArray &bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return QString();
        f.write(bytes);
        return path;
    }
    static QByteArray readAll(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void load(const QString &path) {
        prompter.fileChoices = {FileChoice{path, 1}};
        QTest::mouseClick(window->btnWaveLoad, Qt::LeftButton);
    }
    void save(const QString &path) {
        prompter.fileChoices = {FileChoice{path, 1}};
        QTest::mouseClick(window->btnWaveSave, Qt::LeftButton);
    }
    // The track as it should stand: the store drawn, then the given annotation.
    QImage trackWith(const QString &annotation) const {
        QImage image = makeWaveImage();
        WaveViewState view;
        view.zoomDivisor = objects->view.zoomDivisor;
        TrackNotes notes;
        notes.annotate = true;
        notes.text = annotation;
        drawTrack(image, view, objects->waveStore, {}, notes);
        return image;
    }
    static WaveStore threePulses() {
        WaveStore saved;
        saved.pulses[0] = {9000, 13500};
        saved.pulses[1] = {560, 1120};
        saved.pulses[2] = {570, 1130};
        saved.lastPulse = 2;
        return saved;
    }
};

TEST_F(WavePanelTest, TheRowMenuOffersTheWaveformOnlyInAnalysisLogMode) {
    TfrmMain &w = open();
    necRows({3, 4});
    EXPECT_TRUE(w.pnlWave->isHidden());
    EXPECT_FALSE(w.ppWaveShow->isVisible());
    analysisLog();
    showRow(3);
    EXPECT_FALSE(w.pnlWave->isHidden());
    EXPECT_EQ(objects->waveStore.lastPulse, 33);
    EXPECT_EQ(objects->waveStore.tableRow, 3);
    EXPECT_EQ(w.pnlZoom->text(), QStringLiteral("1/200"));
    EXPECT_EQ(greenAt(32), 68); // 34 pulses, two edges each
    EXPECT_EQ(wave->model->data(wave->model->index(0, 0), Qt::DisplayRole).toString(),
              QStringLiteral("9000"));
    // Another row with a timing description refills; one without keeps it.
    objects->table.waveInfo(4).DataBits = 20;
    w.setCurrentCell(4, CodeTable::kColComments);
    EXPECT_EQ(objects->waveStore.tableRow, 4);
    EXPECT_EQ(objects->waveStore.lastPulse, 19);
    w.setCurrentCell(9, CodeTable::kColCarry);
    EXPECT_EQ(objects->waveStore.tableRow, 4);
    // Leaving analysis-log mode takes the panel away.
    QTest::mouseDClick(w.sBar->findChild<QLabel *>(QStringLiteral("sBarPanel1")), Qt::LeftButton);
    EXPECT_TRUE(w.pnlWave->isHidden());
    EXPECT_FALSE(w.ppWaveShow->isVisible());
}

TEST_F(WavePanelTest, ARowThatCannotBeShownWholeSaysSoInPanelOne) {
    TfrmMain &w = open();
    necRows({2});
    objects->table.waveInfo(2).High[1] = 5000; // above its Width of 1120
    analysisLog();
    showRow(2);
    EXPECT_EQ(objects->waveStore.lastPulse, 0); // only the leader is valid
    EXPECT_TRUE(w.panelText(1).contains(QStringLiteral("No.002")));
    EXPECT_EQ(greenAt(32), 0);
    showRow(7); // no timing description: an empty track, never the old pulses
    EXPECT_TRUE(w.panelText(1).contains(QStringLiteral("No.007")));
}

TEST_F(WavePanelTest, AChangedTimingDescriptionRedrawsTheRowOnShow) {
    TfrmMain &w = open();
    necRows({1});
    putNecRow(objects->table, 2, 12);
    w.tableModel->refresh();
    analysisLog();
    showRow(1);
    EXPECT_EQ(objects->waveStore.lastPulse, 33);
    w.tableModel->pasteRow(2, 1); // row 2 copied over row 1
    QTest::qWait(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(objects->waveStore.tableRow, 1);
    EXPECT_EQ(objects->waveStore.lastPulse, 11);
    EXPECT_EQ(greenAt(32), 24);
}

TEST_F(WavePanelTest, LearningSendsTheTimeAndStartThenEndsWithT) {
    TfrmMain &w = open();
    w.pnlWave->setVisible(true);
    EXPECT_EQ(w.pnlAnalyze->text(), QStringLiteral("学習 Off"));
    EXPECT_EQ(w.edtLtime->text(), QStringLiteral("500"));
    w.appendLogText(QStringLiteral("old line"));
    clickLearning();
    EXPECT_EQ(sentLines(), (QByteArrayList{"Lend:0500", "A"}));
    EXPECT_EQ(w.pnlAnalyze->text(), QStringLiteral("学習 On"));
    EXPECT_EQ(w.pnlAnalyze->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_TRUE(w.memoRecv->toPlainText().isEmpty());
    device.written.clear();
    clickLearning();
    EXPECT_EQ(sentLines(), QByteArrayList{"T"});
    EXPECT_EQ(w.pnlAnalyze->text(), QStringLiteral("学習 Off"));

    // What is typed is what is sent, and what is not a number sends 200.
    const std::pair<const char *, const char *> typed[] = {
        {"1000", "Lend:1000"},   {"abc", "Lend:0200"}, {"", "Lend:0200"},
        {"12345", "Lend:12345"}, {"-5", "Lend:-005"},
    };
    for (const auto &[text, message] : typed) {
        typeLearningTime(QString::fromLatin1(text));
        device.written.clear();
        clickLearning();
        clickLearning();
        EXPECT_EQ(sentLines(), (QByteArrayList{message, "A", "T"})) << text;
        EXPECT_EQ(w.edtLtime->text(), QString::fromLatin1(text));
    }
}

TEST_F(WavePanelTest, LeavingAnalysisLogModeEndsLearningWithThePanel) {
    TfrmMain &w = open();
    analysisLog();
    showRow(1);
    clickLearning();
    device.written.clear();
    QTest::mouseDClick(w.sBar->findChild<QLabel *>(QStringLiteral("sBarPanel1")), Qt::LeftButton);
    EXPECT_FALSE(w.analysisLog());
    EXPECT_FALSE(w.pnlWave->isVisible());
    EXPECT_EQ(sentLines(), QByteArrayList{"T"});
    EXPECT_EQ(w.pnlAnalyze->text(), QStringLiteral("学習 Off"));
    // Learning off: leaving sends nothing.
    analysisLog();
    device.written.clear();
    QTest::mouseDClick(w.sBar->findChild<QLabel *>(QStringLiteral("sBarPanel1")), Qt::LeftButton);
    EXPECT_TRUE(device.written.isEmpty());
}

TEST_F(WavePanelTest, LearningMovesToTheNextFreeRowWithCursorAuto) {
    TfrmMain &w = open();
    w.pnlWave->setVisible(true);
    necRows({10, 11});
    objects->table.setCell(12, CodeTable::kColCarry, "   "); // blanks count as empty
    w.setCurrentCell(10, CodeTable::kColComments);
    clickLearning();
    EXPECT_EQ(w.currentRow(), 12);
    clickLearning();
    w.ckCursor->setChecked(false);
    w.setCurrentCell(10, CodeTable::kColCarry);
    clickLearning();
    EXPECT_EQ(w.currentRow(), 10);
}

TEST_F(WavePanelTest, LearningWithThePortClosedOnlyAsks) {
    TfrmMain &w = open();
    w.pnlWave->setVisible(true);
    objects->link.ClosePort();
    device.written.clear();
    clickLearning();
    EXPECT_TRUE(device.written.isEmpty());
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].text, QStringLiteral("通信ポートを設定して下さい"));
    EXPECT_EQ(prompter.asked[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(w.pnlAnalyze->text(), QStringLiteral("学習 Off"));
}

TEST_F(WavePanelTest, ZoomButtonsStepAndRedrawAndStopAtTheEnds) {
    TfrmMain &w = open();
    necRows({1});
    analysisLog();
    showRow(1);
    QTest::mouseClick(w.btnZoomRight, Qt::LeftButton);
    EXPECT_EQ(w.pnlZoom->text(), QStringLiteral("1/250"));
    EXPECT_EQ(objects->view.zoomDivisor, 250);
    for (int i = 0; i < 25; ++i)
        QTest::mouseClick(w.btnZoomRight, Qt::LeftButton);
    EXPECT_EQ(w.pnlZoom->text(), QStringLiteral("1/3000"));
    for (int i = 0; i < 25; ++i)
        QTest::mouseClick(w.btnZoomLeft, Qt::LeftButton);
    EXPECT_EQ(w.pnlZoom->text(), QStringLiteral("1/25"));
    // At 25 the train is 25 times wider: its end lies at (sum of widths)/25+10.
    int64_t total = 0;
    for (int k = 0; k <= 33; ++k)
        total += objects->waveStore.pulses[k].Width;
    EXPECT_EQ(objects->view.pen.x, int(total / 25 + 10));
}

TEST_F(WavePanelTest, ScrollingMovesTheImageWithoutRedrawingIt) {
    TfrmMain &w = open();
    necRows({1});
    analysisLog();
    showRow(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(objects->view.scrollSpan, w.scrBar->width() - 20000 - 20);
    const qint64 before = w.imgWave->canvas().cacheKey();
    w.scrBar->setValue(100);
    EXPECT_EQ(w.imgWave->x(), objects->view.scrollSpan);
    w.scrBar->setValue(50);
    EXPECT_EQ(w.imgWave->x(), 50 * objects->view.scrollSpan / 100);
    EXPECT_EQ(w.imgWave->canvas().cacheKey(), before);
}

TEST_F(WavePanelTest, TheWheelOverThePictureMovesItAsTheScrollBarDoes) {
    TfrmMain &w = open();
    necRows({1});
    analysisLog();
    showRow(1);
    QCoreApplication::processEvents();
    const qint64 drawn = w.imgWave->canvas().cacheKey();
    const int notch = QApplication::wheelScrollLines() * w.scrBar->singleStep();
    ASSERT_GT(notch, 0);
    const auto shows = [&](int position) {
        EXPECT_EQ(w.scrBar->value(), position);
        EXPECT_EQ(w.imgWave->x(), objects->view.imageLeftFor(position, w.scrBar->maximum()));
    };
    wheel({0, -120}); // down: on along the train
    shows(notch);
    wheel({0, -120}, Qt::ShiftModifier);
    shows(2 * notch);
    wheel({-120, 0}); // a sideways turn, as some systems make of Shift
    shows(3 * notch);
    wheel({0, 120});
    shows(2 * notch);
    // A fine-grained wheel: half a notch, then the other half.
    const int lines = QApplication::wheelScrollLines();
    wheel({0, -60});
    shows(2 * notch + lines / 2 * w.scrBar->singleStep());
    wheel({0, -60});
    shows(3 * notch);
    for (int i = 0; i < 100; ++i)
        wheel({0, 120});
    shows(0); // no further than the bar goes
    // Nothing is redrawn for it, and the zoom stays.
    EXPECT_EQ(w.imgWave->canvas().cacheKey(), drawn);
    EXPECT_EQ(objects->view.zoomDivisor, 200);
}

TEST_F(WavePanelTest, CtrlWithTheWheelStepsTheZoomAsTheButtonsDo) {
    TfrmMain &w = open();
    necRows({1});
    analysisLog();
    showRow(1);
    QCoreApplication::processEvents();
    w.scrBar->setValue(7);
    wheel({0, 120}, Qt::ControlModifier); // up: one step finer, as "＜"
    EXPECT_EQ(objects->view.zoomDivisor, 150);
    EXPECT_EQ(w.pnlZoom->text(), QStringLiteral("1/150"));
    EXPECT_EQ(w.scrBar->value(), 7); // no scrolling with it
    const QImage byWheel = w.imgWave->canvas().copy();
    QTest::mouseClick(w.btnZoomRight, Qt::LeftButton);
    QTest::mouseClick(w.btnZoomLeft, Qt::LeftButton);
    EXPECT_TRUE(w.imgWave->canvas() == byWheel);
    wheel({0, -240}, Qt::ControlModifier); // two notches down: two steps, as "＞" twice
    EXPECT_EQ(objects->view.zoomDivisor, 250);
    wheel({0, -60}, Qt::ControlModifier);
    EXPECT_EQ(objects->view.zoomDivisor, 250);
    wheel({0, -60}, Qt::ControlModifier);
    EXPECT_EQ(objects->view.zoomDivisor, 300);
    for (int i = 0; i < 30; ++i)
        wheel({0, 120}, Qt::ControlModifier);
    EXPECT_EQ(objects->view.zoomDivisor, 25); // stops at the end, like the button
    EXPECT_EQ(w.scrBar->value(), 7);
}

TEST_F(WavePanelTest, PressAndReleaseMeasureIntoTheLogAndMoveTheDataRow) {
    TfrmMain &w = open();
    necRows({1});
    analysisLog();
    showRow(1);
    // Zoom 200: pulse 1 rises at 13500 (x 77) and falls at 14060 (x 80).
    w.memoRecv->clear();
    wave->setCurrentCell(3, 1); // the " Pno" column
    QTest::mousePress(w.imgWave, Qt::LeftButton, {}, QPoint(79, 30));
    EXPECT_EQ(objects->view.referenceMarker, 0);
    EXPECT_EQ(objects->view.measureMarker, 79);
    QTest::mouseRelease(w.imgWave, Qt::LeftButton, {}, QPoint(79, 30));
    EXPECT_EQ(w.memoRecv->toPlainText(), QStringLiteral("tw:13.500mS"));
    EXPECT_EQ(wave->currentRow(), 2);
    EXPECT_EQ(wave->currentColumn(), 3);
    // The " Pno" column stays current: the panels follow the new row.
    EXPECT_EQ(wave->pnlPno->text(), QStringLiteral("1"));
    EXPECT_EQ(wave->pnlHmin->text(), QStringLiteral("560"));
    EXPECT_EQ(wave->pnlWmax->text(), QStringLiteral("1120"));
    // The right button places the reference and measures nothing.
    QTest::mousePress(w.imgWave, Qt::RightButton, {}, QPoint(79, 30));
    QTest::mouseRelease(w.imgWave, Qt::RightButton, {}, QPoint(79, 30));
    EXPECT_EQ(objects->view.referenceMarker, 79);
    EXPECT_EQ(objects->view.measureMarker, -1);
    EXPECT_EQ(w.memoRecv->toPlainText().count(QLatin1Char('\n')), 0);
    // Beyond the train: from the rising edge after the reference (14620) to
    // its end (100640), and the row where the scan stopped: the first empty
    // one after the 34 pulses.
    QTest::mousePress(w.imgWave, Qt::LeftButton, {}, QPoint(19000, 30));
    QTest::mouseRelease(w.imgWave, Qt::LeftButton, {}, QPoint(19000, 30));
    EXPECT_TRUE(w.memoRecv->toPlainText().endsWith(QStringLiteral("tw:86.020mS")))
        << w.memoRecv->toPlainText().toStdString();
    EXPECT_EQ(wave->currentRow(), 35);
    EXPECT_TRUE(objects->waveGrid.cell(1, 35).isEmpty());
}

TEST_F(WavePanelTest, TheDataWindowShowsThePulsesAndThePatternRanges) {
    TfrmMain &w = open();
    necRows({1});
    analysisLog();
    showRow(1);
    QTest::mouseClick(w.btnWaveData, Qt::LeftButton);
    ASSERT_TRUE(wave->isVisible());
    EXPECT_EQ(wave->windowTitle(), QStringLiteral("Wave Data"));
    EXPECT_EQ(wave->model->rowCount(), 4096);
    EXPECT_EQ(wave->model->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(),
              QStringLiteral("    0"));
    EXPECT_EQ(wave->model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral(" Width"));
    QTableView *grid = wave->sGridWave;
    const auto click = [grid](int column, int row) {
        grid->scrollTo(grid->model()->index(row - 1, column - 1));
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, column - 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    };
    click(3, 4); // " Pno" of pulse 3: a long bit
    EXPECT_EQ(wave->currentColumn(), 3);
    EXPECT_EQ(wave->pnlPno->text(), QStringLiteral("2"));
    EXPECT_EQ(wave->pnlHmin->text(), QStringLiteral("560"));
    EXPECT_EQ(wave->pnlWmin->text(), QStringLiteral("2250"));
    click(1, 1); // a " High" cell changes nothing
    EXPECT_EQ(wave->pnlPno->text(), QStringLiteral("2"));
    click(3, 40); // an empty " Pno" cell changes nothing
    EXPECT_EQ(wave->pnlPno->text(), QStringLiteral("2"));
    // Down with the keyboard in the " Pno" column follows the rows.
    click(3, 1);
    EXPECT_EQ(wave->pnlPno->text(), QStringLiteral("0"));
    EXPECT_EQ(wave->pnlHmax->text(), QStringLiteral("9000"));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(wave->pnlPno->text(), QStringLiteral("1"));
    // Close hides; "Data" shows it again where it was.
    const QPoint at = wave->pos();
    QTest::mouseClick(wave->Close, Qt::LeftButton);
    EXPECT_FALSE(wave->isVisible());
    QTest::mouseClick(w.btnWaveData, Qt::LeftButton);
    EXPECT_EQ(wave->pos(), at);
}

TEST_F(WavePanelTest, ClearAndNewEmptyTheStoreTheGridAndThePanels) {
    TfrmMain &w = open();
    necRows({1});
    analysisLog();
    showRow(1);
    wave->setCurrentCell(3, 2);
    EXPECT_FALSE(wave->pnlPno->text().isEmpty());
    w.appendLogText(QStringLiteral("learned"));
    QTest::mouseClick(w.btnWaveClear, Qt::LeftButton);
    EXPECT_TRUE(w.memoRecv->toPlainText().isEmpty());
    EXPECT_TRUE(objects->waveStore.empty());
    EXPECT_EQ(objects->waveStore.pulses[0].High, 9000); // the old pulses stay, unread
    EXPECT_TRUE(objects->waveGrid.cell(1, 1).isEmpty());
    EXPECT_TRUE(objects->waveGrid.cell(3, 34).isEmpty());
    EXPECT_EQ(wave->currentRow(), 1);
    EXPECT_EQ(wave->currentColumn(), 1);
    EXPECT_TRUE(wave->pnlPno->text().isEmpty());
    EXPECT_TRUE(wave->pnlHmin->text().isEmpty());
    EXPECT_EQ(greenAt(32), 0);
    // A zoom click with an empty store only changes the caption.
    QTest::mouseClick(w.btnZoomLeft, Qt::LeftButton);
    EXPECT_EQ(greenAt(32), 0);
    // A later edit of the row once shown does not bring the cleared pulses back.
    necRows({1}, 20);
    QCoreApplication::processEvents();
    EXPECT_TRUE(objects->waveStore.empty());
    EXPECT_EQ(greenAt(32), 0);

    showRow(1);
    EXPECT_FALSE(objects->waveStore.empty());
    w.mmCleate->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(objects->waveStore.empty());
    EXPECT_TRUE(objects->waveGrid.cell(1, 1).isEmpty());
    // New empties the table too: the panel does not go on about row 1.
    EXPECT_TRUE(w.panelText(1).isEmpty()) << w.panelText(1).toStdString();
}

TEST_F(WavePanelTest, LoadReadsAWaveFileAndRefusesOneThatIsNot) {
    TfrmMain &w = open();
    analysisLog();
    showRow(1);
    WaveStore saved;
    saved.pulses[0] = {9000, 13500};
    saved.pulses[1] = {560, 1120};
    saved.pulses[2] = {570, 1130};
    saved.lastPulse = 2;
    const QString good = dir.filePath(QStringLiteral("wave.Txt"));
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(writeWaveText(saved, "38.0kHz", "TV"));
    f.close();
    prompter.fileChoices = {FileChoice{good, 1}};
    QTest::mouseClick(w.btnWaveLoad, Qt::LeftButton);
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(objects->waveStore.lastPulse, 2);
    EXPECT_EQ(objects->waveStore.carrier, 380);
    EXPECT_EQ(objects->waveStore.tableRow, 0);
    EXPECT_EQ(objects->waveStore.pulses[2], (WavePulse{570, 1130}));
    EXPECT_EQ(objects->waveGrid.cell(3, 3), "1"); // grouped with pulse 1
    EXPECT_EQ(greenAt(32), 6);

    const QString bad = dir.filePath(QStringLiteral("bad.Txt"));
    QFile b(bad);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write(writeWaveText(saved, "38.0kHz", "TV").replace("  1130", "  1999"));
    b.close();
    prompter.fileChoices = {FileChoice{bad, 1}};
    QTest::mouseClick(w.btnWaveLoad, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.contains(QStringLiteral("5 行目")))
        << prompter.asked[0].text.toStdString();
    EXPECT_EQ(objects->waveStore.pulses[2], (WavePulse{570, 1130})); // as it was
    EXPECT_EQ(objects->waveStore.lastPulse, 2);
}

TEST_F(WavePanelTest, ARefusedLoadSaysWhyInTheOperatorsWords) {
    TfrmMain &w = open();
    analysisLog();
    showRow(1);
    const QByteArray good = writeWaveText(threePulses(), "38.0kHz", "TV");
    struct Case {
        QByteArray bytes;
        QString says;
    };
    const Case cases[] = {
        {"", QStringLiteral("1 行目: ファイルが空です")},
        {"38.0kHz\r\n", QStringLiteral("1 行目: 見出し行「Carry,Comments,」ではありません")},
        {QByteArray(good).replace("(uS)", "(us)"), QStringLiteral("2 行目: 列見出し「")},
        {QByteArray(good).replace("  1130", "  1999"),
         QStringLiteral("5 行目: H + L (570 + 560) が W (1999) と一致しません")},
        {QByteArray(good).replace("[002]", "[005]"),
         QStringLiteral("5 行目: [002] の行に [5] があります")},
        {QByteArray(good).replace("   570,   560,", "  1999,  -869,"),
         QStringLiteral("5 行目: H (1999) が W (1130) より大きいです")},
        {QByteArray(good).replace("  9000,", "  9x00,"),
         QStringLiteral("3 行目: 番号の後に H, L, W の 3 つの数値がありません")},
        {good + "more\r\n", QStringLiteral("7 行目: 一覧の終わりの空行の後に文字があります")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        prompter.asked.clear();
        load(writeFile(QStringLiteral("bad.Txt"), c.bytes));
        ASSERT_EQ(prompter.asked.size(), 1);
        const QString &text = prompter.asked[0].text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("波形ファイルを読み込めません。")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(c.says)) << text.toStdString();
        // The reader's own English words are not the operator's.
        const QString english = readWaveText(c.bytes).message;
        ASSERT_FALSE(english.isEmpty());
        EXPECT_FALSE(text.contains(english)) << text.toStdString();
        EXPECT_EQ(objects->waveStore.tableRow, 1); // the row's waveform stays
    }
    EXPECT_EQ(w.pnlZoom->text(), QStringLiteral("1/200"));
}

TEST_F(WavePanelTest, AFileThatCannotBeReadIsRefusedInTheOperatorsWordsToo) {
    TfrmMain &w = open();
    necRows({1});
    analysisLog();
    showRow(1);
    const QString fifo = dir.filePath(QStringLiteral("fifo.Txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge =
        writeFile(QStringLiteral("huge.Txt"), QByteArray(int(kMaxWaveFileBytes) + 1, ' '));
    struct Case {
        QString path;
        QString says;
    };
    const Case cases[] = {
        {dir.path(), QStringLiteral("通常のファイルではありません")},
        {QStringLiteral("/dev/zero"), QStringLiteral("通常のファイルではありません")},
        {fifo, QStringLiteral("通常のファイルではありません")},
        {huge, QStringLiteral("%1 バイトを超えています").arg(kMaxWaveFileBytes)},
        {dir.filePath(QStringLiteral("missing.Txt")), QStringLiteral("ファイルがありません")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        prompter.asked.clear();
        load(c.path);
        ASSERT_EQ(prompter.asked.size(), 1);
        const QString &text = prompter.asked[0].text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("波形ファイルを読み込めません。")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(c.path + QStringLiteral(": ") + c.says)) << text.toStdString();
        // After the path nothing in English.
        const QString reason = text.mid(text.lastIndexOf(c.path) + c.path.size());
        EXPECT_FALSE(reason.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
            << text.toStdString();
        EXPECT_EQ(objects->waveStore.tableRow, 1); // the row's waveform stays
        EXPECT_EQ(objects->waveStore.lastPulse, 33);
    }
    EXPECT_EQ(w.pnlZoom->text(), QStringLiteral("1/200"));
}

TEST_F(WavePanelTest, ALoadedFileKeepsItsOwnHeaderUntilARowFillsTheStoreAgain) {
    TfrmMain &w = open();
    necRows({1, 8});
    objects->table.setCell(8, CodeTable::kColComments, "row eight");
    w.tableModel->refresh();
    analysisLog();
    showRow(1);
    const QByteArray file =
        writeWaveText(threePulses(), "56.9kHz", toCp932(QStringLiteral("照明 全灯")));
    const QString path = writeFile(QStringLiteral("light.Txt"), file);
    w.setCurrentCell(10, CodeTable::kColCarry); // Save would take row 8's header
    load(path);
    ASSERT_TRUE(prompter.asked.isEmpty());
    ASSERT_EQ(objects->waveStore.lastPulse, 2);
    // The track, the print and the file all carry the file's own first line.
    const QString header = QStringLiteral("56.9kHz 照明 全灯");
    EXPECT_TRUE(w.imgWave->canvas() == trackWith(header));
    const WavePrintPlan plan =
        planWavePrint(objects->waveStore, objects->table, {}, objects->view.zoomDivisor, 4000);
    ASSERT_FALSE(plan.texts.empty());
    EXPECT_EQ(plan.texts[0].text, header);
    const QString out = dir.filePath(QStringLiteral("again.Txt"));
    save(out);
    EXPECT_EQ(readAll(out), file);
    // A zoom step redraws with the same line.
    QTest::mouseClick(w.btnZoomLeft, Qt::LeftButton);
    EXPECT_TRUE(w.imgWave->canvas() == trackWith(header));

    // "波形表示": the row's rules again; without a Result the annotation
    // says what protocol the row's code is.
    showRow(1);
    EXPECT_TRUE(w.imgWave->canvas() ==
                trackWith(QStringLiteral("No.1: 38.0kHz TV power NECext 4924 2492")));
    w.setCurrentCell(10, CodeTable::kColCarry);
    save(out);
    EXPECT_TRUE(readAll(out).startsWith("38.0kHz,row eight,\r\n"));
    // Moving to another row with a waveform, likewise.
    load(path);
    w.setCurrentCell(8, CodeTable::kColCarry);
    EXPECT_EQ(objects->waveStore.tableRow, 8);
    EXPECT_TRUE(w.imgWave->canvas() ==
                trackWith(QStringLiteral("No.8: 38.0kHz row eight NECext 4924 2492")));
    // A Result of the operator's stays what the annotation shows.
    objects->table.setCell(8, CodeTable::kColResult, "mine");
    load(path);
    w.setCurrentCell(10, CodeTable::kColCarry);
    w.setCurrentCell(8, CodeTable::kColCarry);
    EXPECT_TRUE(w.imgWave->canvas() == trackWith(QStringLiteral("No.8: 38.0kHz row eight mine")));
    objects->table.setCell(8, CodeTable::kColResult, "");
    // Clear, and New, too: an empty store takes a row's header.
    load(path);
    w.setCurrentCell(10, CodeTable::kColCarry);
    QTest::mouseClick(w.btnWaveClear, Qt::LeftButton);
    save(out);
    EXPECT_EQ(readAll(out),
              QByteArray("38.0kHz,row eight,\r\n[No.],   [H],   [L],   [W] (uS)\r\n\r\n"));
    load(path);
    w.mmCleate->trigger();
    QCoreApplication::processEvents();
    save(out);
    EXPECT_TRUE(readAll(out).startsWith(",,\r\n")) << readAll(out).toStdString();
}

} // namespace
