// The track extras as the operator reaches them: the strip's double-click
// and the decoder switches, the Ts and Tw boxes, the code check with its
// sounds, "Print" through the print dialog and "Save" through the save dialog.

#include "../unit/wave_samples.h"
#include "click_panel.h"
#include "code_table_model.h"
#include "main_window_fixture.h"
#include "prompter.h"
#include "wave_image.h"
#include "wave_text_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace zevo3;
using namespace zevo3::test;

namespace {

constexpr QRgb kSilver = 0xffc0c0c0;

class RecordingSounds : public SoundPlayer {
public:
    void play(const QString &fileName) override { played << fileName; }
    QStringList played;
};

class WaveOverlayTest : public MainWindowTest {
protected:
    TfrmMain &open() {
        TfrmMain &w = createAll();
        objects->sounds = &sounds;
        w.resize(1200, 700);
        w.show();
        QTest::mouseDClick(w.sBar->findChild<QLabel *>(QStringLiteral("sBarPanel1")),
                           Qt::LeftButton);
        return w;
    }
    void necRows(std::initializer_list<int> rows) {
        for (int row : rows)
            putNecRow(objects->table, row);
        window->tableModel->refresh();
    }
    void showRow(int row) {
        window->setCurrentCell(row, CodeTable::kColCarry);
        window->ppWaveShow->trigger();
    }
    // A double-click on the strip itself, right of its last control.
    void doubleClickStrip() {
        QFrame *strip = window->pnlCont;
        QTest::mouseDClick(strip, Qt::LeftButton, {},
                           QPoint(strip->width() - 3, strip->height() / 2));
    }
    int silverOnTrack() const {
        const QImage &image = window->imgWave->canvas();
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, 30) == kSilver;
        return n;
    }
    void setResult(int row, const char *text) {
        objects->table.setCell(row, CodeTable::kColResult, text);
        window->tableModel->refresh();
    }
    void zoomLeft() { QTest::mouseClick(window->btnZoomLeft, Qt::LeftButton); }

    RecordingSounds sounds;
};

TEST_F(WaveOverlayTest, TheStripsDoubleClickShowsAndHidesTheSwitchesWithoutUncheckingThem) {
    TfrmMain &w = open();
    necRows({1});
    showRow(1);
    EXPECT_FALSE(w.ckEiritsu->isVisible());
    EXPECT_EQ(w.ckPcode->text(), QStringLiteral("PCode Result"));
    doubleClickStrip();
    EXPECT_TRUE(w.ckEiritsu->isVisible());
    EXPECT_TRUE(w.ckPhilips->isVisible());
    EXPECT_TRUE(w.ckPcode->isVisible());
    QTest::mouseClick(w.ckEiritsu, Qt::LeftButton);
    doubleClickStrip();
    EXPECT_FALSE(w.ckEiritsu->isVisible());
    EXPECT_TRUE(w.ckEiritsu->isChecked());
    // A hidden but checked box still chooses its overlay.
    zoomLeft(); // 150
    zoomLeft(); // 100
    EXPECT_GT(silverOnTrack(), 0);
}

TEST_F(WaveOverlayTest, PhilipsShowsItsBoxesAndEiritsuHidesThemAndUnchecksIt) {
    TfrmMain &w = open();
    necRows({1});
    showRow(1);
    doubleClickStrip();
    const QList<QWidget *> timing = {w.lblTs, w.lblTw, w.lblBt, w.cmbTs, w.cmbTw, w.cmbBt};
    QTest::mouseClick(w.ckPhilips, Qt::LeftButton);
    for (QWidget *c : timing)
        EXPECT_TRUE(c->isVisible()) << c->objectName().toStdString();
    EXPECT_EQ(w.lblBt->text(), QStringLiteral("Bits:"));
    EXPECT_EQ(w.cmbBt->currentText(), QStringLiteral("32"));
    // Neither switch redraws: the overlay comes with the next zoom click.
    zoomLeft();
    EXPECT_EQ(silverOnTrack(), 0); // 150: walked, not drawn
    const QImage before = w.imgWave->canvas();
    QTest::mouseClick(w.ckEiritsu, Qt::LeftButton);
    EXPECT_FALSE(w.ckPhilips->isChecked());
    for (QWidget *c : timing)
        EXPECT_FALSE(c->isVisible()) << c->objectName().toStdString();
    EXPECT_EQ(w.imgWave->canvas(), before);
    zoomLeft();
    EXPECT_GT(silverOnTrack(), 0);
    // Unchecking Eiritsu changes nothing else; Philips unchecked hides again.
    QTest::mouseClick(w.ckEiritsu, Qt::LeftButton);
    EXPECT_FALSE(w.ckPhilips->isChecked());
    QTest::mouseClick(w.ckPhilips, Qt::LeftButton);
    QTest::mouseClick(w.ckPhilips, Qt::LeftButton);
    for (QWidget *c : timing)
        EXPECT_FALSE(c->isVisible()) << c->objectName().toStdString();
}

TEST_F(WaveOverlayTest, EnterKeepsATypedTimingOnceAmongTheItems) {
    TfrmMain &w = open();
    showRow(1);
    doubleClickStrip();
    QTest::mouseClick(w.ckPhilips, Qt::LeftButton);
    QLineEdit *ts = w.cmbTs->lineEdit();
    ts->selectAll();
    QTest::keyClicks(ts, QStringLiteral("500"));
    QTest::keyClick(ts, Qt::Key_Return);
    QTest::keyClick(ts, Qt::Key_Return);
    ASSERT_EQ(w.cmbTs->count(), 4);
    EXPECT_EQ(w.cmbTs->itemText(3), QStringLiteral("500"));
    EXPECT_EQ(w.cmbTs->currentText(), QStringLiteral("500"));
    // A text that is an item already adds nothing.
    ts->selectAll();
    QTest::keyClicks(ts, QStringLiteral("400"));
    QTest::keyClick(ts, Qt::Key_Enter);
    EXPECT_EQ(w.cmbTs->count(), 4);
    QLineEdit *tw = w.cmbTw->lineEdit();
    tw->selectAll();
    QTest::keyClicks(tw, QStringLiteral("1000"));
    QTest::keyClick(tw, Qt::Key_Return);
    EXPECT_EQ(w.cmbTw->count(), 4);
    EXPECT_EQ(w.overlaySettings().ts, 400);
    EXPECT_EQ(w.overlaySettings().tw, 1000);
    EXPECT_EQ(w.overlaySettings().bits, 32);
}

// "Bits:" is read as a text like "Ts:" and "Tw:": the operator types the
// samples a frame, 0 or less for a walk that never resynchronises, and a
// text that is not a number falls back to 32.
TEST_F(WaveOverlayTest, TheBitsBoxTakesATypedSampleCount) {
    TfrmMain &w = open();
    showRow(1);
    doubleClickStrip();
    QTest::mouseClick(w.ckPhilips, Qt::LeftButton);
    ASSERT_TRUE(w.cmbBt->isVisible());
    ASSERT_NE(w.cmbBt->lineEdit(), nullptr) << "Bits: can only be picked, not typed";
    QLineEdit *bits = w.cmbBt->lineEdit();
    bits->selectAll();
    QTest::keyClicks(bits, QStringLiteral("64"));
    EXPECT_EQ(w.overlaySettings().bits, 64);
    bits->selectAll();
    QTest::keyClicks(bits, QStringLiteral("0"));
    EXPECT_EQ(w.overlaySettings().bits, 0);
    bits->selectAll();
    QTest::keyClicks(bits, QStringLiteral("x"));
    EXPECT_EQ(w.overlaySettings().bits, 32);
}

TEST_F(WaveOverlayTest, TheCodeCheckSoundsOnEveryRedraw) {
    TfrmMain &w = open();
    necRows({1, 2, 5, 70});
    setResult(1, "01FE");
    showRow(1);
    EXPECT_TRUE(sounds.played.isEmpty()); // the check is off
    EXPECT_EQ(objects->table.cell(1, CodeTable::kColResult), "01FE");

    QTest::mouseClick(w.ckCodeCheck, Qt::LeftButton);
    EXPECT_EQ(w.currentRow(), 1); // its Carry is filled: the row stays
    zoomLeft();
    EXPECT_EQ(sounds.played, QStringList{QStringLiteral("chord.wav")});
    zoomLeft(); // each zoom click checks again
    EXPECT_EQ(sounds.played.size(), 2);

    sounds.played.clear();
    w.setCurrentCell(2, CodeTable::kColCarry); // refills: no result, none after it
    EXPECT_EQ(sounds.played, QStringList{QStringLiteral("tada.wav")});
    setResult(3, "02FD");
    zoomLeft();
    EXPECT_EQ(sounds.played.size(), 1);         // a match with more to come: silence
    w.setCurrentCell(70, CodeTable::kColCarry); // the last row: the row after is empty
    EXPECT_EQ(sounds.played.last(), QStringLiteral("tada.wav"));
    EXPECT_EQ(objects->table.cell(1, CodeTable::kColResult), "01FE"); // never written
}

TEST_F(WaveOverlayTest, CheckingFromARowWithoutACodeStartsAtTheTop) {
    TfrmMain &w = open();
    necRows({1});
    w.setCurrentCell(10, CodeTable::kColComments);
    QTest::mouseClick(w.ckCodeCheck, Qt::LeftButton);
    EXPECT_EQ(w.currentRow(), 1);
    EXPECT_EQ(w.currentColumn(), CodeTable::kColCarry);
    w.setCurrentCell(10, CodeTable::kColComments);
    QTest::mouseClick(w.ckCodeCheck, Qt::LeftButton); // unchecking
    EXPECT_EQ(w.currentRow(), 10);
}

TEST_F(WaveOverlayTest, PrintGoesThroughThePrintDialog) {
    TfrmMain &w = open();
    necRows({1});
    showRow(1);
    QTest::mouseClick(w.btnWavePrint, Qt::LeftButton); // cancelled: nothing
    EXPECT_EQ(prompter.printDialogs, 1);
    const QString pdf = dir.filePath(QStringLiteral("wave.pdf"));
    QString title;
    prompter.onPrint = [&](QPrinter &printer) {
        title = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    QTest::mouseClick(w.btnWavePrint, Qt::LeftButton);
    EXPECT_EQ(title, QStringLiteral("MORIKA ZEVO3 Tool[ Wave Date ]"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
}

TEST_F(WaveOverlayTest, SaveWritesTheListUnderTheHeaderOfTheRowTwoAbove) {
    TfrmMain &w = open();
    necRows({1, 8});
    objects->table.setCell(8, CodeTable::kColComments, "row eight");
    showRow(1);
    w.setCurrentCell(10, CodeTable::kColCarry); // no description: the store stays
    const QString text = dir.filePath(QStringLiteral("wave.Txt"));
    prompter.fileChoices = {FileChoice{text, 1}};
    QTest::mouseClick(w.btnWaveSave, Qt::LeftButton);
    ASSERT_EQ(prompter.saveDialogs.size(), 1);
    EXPECT_EQ(prompter.saveDialogs[0].filterIndex, 1);
    EXPECT_EQ(prompter.saveDialogs[0].defaultExt, QStringLiteral("Txt"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), writeWaveText(objects->waveStore, "38.0kHz", "row eight"));
    f.close();

    // Row 1 or 2: the header of row 1.
    w.setCurrentCell(2, CodeTable::kColCarry);
    prompter.fileChoices = {FileChoice{text, 2}}; // *.Csv: the same text
    QTest::mouseClick(w.btnWaveSave, Qt::LeftButton);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("38.0kHz,TV power,\r\n"));
    f.close();

    // The picture filter writes the drawn track as a picture.
    const QString bmp = dir.filePath(QStringLiteral("wave.Bmp"));
    prompter.fileChoices = {FileChoice{bmp, 3}};
    QTest::mouseClick(w.btnWaveSave, Qt::LeftButton);
    const QImage read(bmp, "BMP");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), w.imgWave->canvas());

    // A file that cannot be written says so.
    prompter.fileChoices = {FileChoice{dir.filePath(QStringLiteral("no/such/wave.Txt")), 1}};
    QTest::mouseClick(w.btnWaveSave, Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.contains(QStringLiteral("no/such/wave.Txt")));
}

// "Save" with the picture filter chosen and a name typed without an
// extension: the file is named for what it holds, not "Txt".
TEST(WaveSaveDialogTest, ThePictureFilterNamesTheFileForThePicture) {
    QTemporaryDir dir;
    QtPrompter prompter;
    bool answered = false;
    std::function<void()> answer = [&] {
        QFileDialog *dialog = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QFileDialog *>(top); d && d->isVisible()) dialog = d;
        if (!dialog) {
            QTimer::singleShot(20, answer);
            return;
        }
        dialog->setDirectory(dir.path());
        const QStringList filters = dialog->nameFilters();
        if (filters.size() < 3) {
            dialog->reject();
            return;
        }
        dialog->selectNameFilter(filters[2]); // "ﾘﾓｺﾝ波形ｲﾒｰｼﾞﾌｧｲﾙ (*.Bmp)"
        dialog->selectFile(QStringLiteral("track"));
        answered = true;
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, as the Save button
    };
    QTimer::singleShot(0, answer);
    const std::optional<FileChoice> choice =
        prompter.saveFile(nullptr, TfrmMain::waveSaveDialogSetup());
    ASSERT_TRUE(answered);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->filterIndex, 3);
    EXPECT_EQ(QFileInfo(choice->path).suffix().toLower(), QStringLiteral("bmp"))
        << choice->path.toStdString();
}

} // namespace
