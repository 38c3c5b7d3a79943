// The main window's waveform panel: built complete at start-up, then hidden.

#include "R_main.h"

#include "click_panel.h"
#include "wave_image.h"
#include "wave_panel_frame.h"
#include "wave_render.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace zevo3 {

namespace {
constexpr int kStripHeight = 47;
constexpr int kScrollBarHeight = 16;

// Adds controls to the strip's row, each named after the member it goes to.
class StripRow {
public:
    StripRow(QWidget *strip, QHBoxLayout *row) : strip_(strip), row_(row) {}

    void label(QLabel *&target, const QString &text, const char *name) {
        target = new QLabel(text, strip_);
        target->setObjectName(QString::fromLatin1(name));
        target->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        row_->addWidget(target);
    }
    void plainLabel(const QString &text) {
        auto *l = new QLabel(text, strip_);
        l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        row_->addWidget(l);
    }
    void edit(QLineEdit *&target, const char *name, int width) {
        target = new QLineEdit(strip_);
        target->setObjectName(QString::fromLatin1(name));
        target->setFixedWidth(width);
        row_->addWidget(target);
    }
    void check(QCheckBox *&target, const QString &text, const char *name) {
        target = new QCheckBox(text, strip_);
        target->setObjectName(QString::fromLatin1(name));
        target->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        row_->addWidget(target);
    }
    // Buttons as wide as their captions (the style's 80-pixel minimum would
    // push the decoder controls off the strip).
    void button(QPushButton *&target, const QString &text, const char *name) {
        target = new QPushButton(text, strip_);
        target->setObjectName(QString::fromLatin1(name));
        target->setFixedWidth(target->fontMetrics().horizontalAdvance(text) + 20);
        row_->addWidget(target);
    }
    void combo(QComboBox *&target, const char *name) {
        target = new QComboBox(strip_);
        target->setObjectName(QString::fromLatin1(name));
        target->setEditable(true);
        target->setFixedWidth(72);
        row_->addWidget(target);
    }
    void widget(QWidget *w) { row_->addWidget(w); }

private:
    QWidget *strip_;
    QHBoxLayout *row_;
};

// The learning switch: a raised panel that can be clicked.
ClickPanel *newAnalyzePanel(QWidget *strip) {
    auto *panel = new ClickPanel(strip);
    panel->setObjectName(QStringLiteral("pnlAnalyze"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    // Wide enough for either caption, however narrow the window gets.
    const QFontMetrics metrics(panel->font());
    panel->setMinimumWidth(std::max(metrics.horizontalAdvance(TfrmMain::tr("学習 Off")),
                                    metrics.horizontalAdvance(TfrmMain::tr("学習 On"))) +
                           16);
    return panel;
}

// The zoom read-out between the two zoom buttons.
QLabel *newZoomReadout(QWidget *strip) {
    auto *readout = new QLabel(QStringLiteral("1/2000"), strip);
    readout->setObjectName(QStringLiteral("pnlZoom"));
    readout->setFrameShape(QFrame::Panel);
    readout->setFrameShadow(QFrame::Sunken);
    readout->setMinimumWidth(56);
    readout->setAlignment(Qt::AlignCenter);
    return readout;
}

// The bit count of the decoder frames.
QComboBox *newBitsCombo(QWidget *strip) {
    auto *combo = new QComboBox(strip);
    combo->setObjectName(QStringLiteral("cmbBt"));
    combo->addItems({QStringLiteral("16"), QStringLiteral("32")});
    // Typed like Ts and Tw (0 or less never ends a frame on screen), but
    // Enter keeps nothing.
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setFixedWidth(56);
    return combo;
}
} // namespace

void TfrmMain::BuildWavePanel() {
    auto *frame = new WavePanelFrame(this);
    pnlWave = frame;
    pnlWave->setObjectName(QStringLiteral("pnlWave"));
    pnlWave->setFrameShape(QFrame::StyledPanel);

    BuildWaveStrip();

    scrBar = new QScrollBar(Qt::Horizontal, pnlWave);
    scrBar->setObjectName(QStringLiteral("scrBar"));
    scrBar->setRange(0, 100);
    scrBar->setFixedHeight(kScrollBarHeight);

    imgWave = new WaveImage(pnlWave);
    imgWave->setObjectName(QStringLiteral("imgWave"));
    imgWave->setCursor(Qt::CrossCursor);

    // The zoom read-out shows the view's zoom.
    pnlZoom->setText(QStringLiteral("1/%1").arg(objects.view.zoomDivisor));
    // Strip visible, progress bar hidden, decoder switches hidden.
    pnlCont->setVisible(true);
    pgBar->setVisible(false);
    pnlCont->setProperty("tag", 0);
    ckEiritsu->setVisible(false);
    ckPhilips->setVisible(false);
    ckPcode->setVisible(false);
    PlaceWavePanelParts(frame);
    // The picture starts with an empty track.
    ClearTrack(0);
    FillDecoderTiming();
    ConnectWavePanel();
}

// The strip above the picture: learning, the file buttons, zoom, the decoder
// switches and timings, the tolerances and the progress bar.
void TfrmMain::BuildWaveStrip() {
    pnlCont = new QFrame(pnlWave);
    pnlCont->setObjectName(QStringLiteral("pnlCont"));
    pnlCont->setFixedHeight(kStripHeight);
    pnlCont->setProperty("tag", 0);
    auto *row = new QHBoxLayout(pnlCont);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);
    StripRow strip(pnlCont, row);

    pnlAnalyze = newAnalyzePanel(pnlCont);
    strip.widget(pnlAnalyze);
    strip.edit(edtLtime, "edtLtime", 48);
    strip.plainLabel(QStringLiteral("mS"));
    strip.check(ckLearningMsg, QStringLiteral("Msg"), "ckLearningMsg");
    strip.button(btnWaveClear, QStringLiteral("Clear"), "btnWaveClear");
    strip.button(btnWaveLoad, QStringLiteral("Load"), "btnWaveLoad");
    strip.button(btnWaveData, QStringLiteral("Data"), "btnWaveData");
    strip.button(btnWavePrint, QStringLiteral("Print"), "btnWavePrint");
    strip.button(btnWaveSave, QStringLiteral("Save"), "btnWaveSave");
    strip.check(ckCodeCheck, QStringLiteral("CodeCheck"), "ckCodeCheck");
    strip.button(btnZoomLeft, QStringLiteral("＜"), "btnZoomLeft");
    pnlZoom = newZoomReadout(pnlCont);
    strip.widget(pnlZoom);
    strip.button(btnZoomRight, QStringLiteral("＞"), "btnZoomRight");
    strip.check(ckEiritsu, QStringLiteral("Eiritsu"), "ckEiritsu");
    strip.check(ckPhilips, QStringLiteral("Philips"), "ckPhilips");
    strip.check(ckPcode, QStringLiteral("PCode Result"), "ckPcode");
    strip.label(lblTs, QStringLiteral("Ts:"), "lblTs");
    strip.combo(cmbTs, "cmbTs");
    strip.label(lblTw, QStringLiteral("Tw:"), "lblTw");
    strip.combo(cmbTw, "cmbTw");
    strip.label(lblBt, QStringLiteral("Bits:"), "lblBt");
    cmbBt = newBitsCombo(pnlCont);
    strip.widget(cmbBt);
    // The tolerances last: they are only shown and saved, so they are the
    // first to go off a narrow strip.
    strip.plainLabel(QStringLiteral("H"));
    strip.edit(edtHrange, "edtHrange", 32);
    strip.plainLabel(QStringLiteral("%"));
    strip.plainLabel(QStringLiteral("W"));
    strip.edit(edtWrange, "edtWrange", 32);
    strip.plainLabel(QStringLiteral("%"));
    pgBar = new QProgressBar(pnlCont);
    pgBar->setObjectName(QStringLiteral("pgBar"));
    pgBar->setRange(0, 512);
    row->addWidget(pgBar);
    row->addStretch();
}

// Geometry: the panel is the strip plus the scroll bar plus 67 pixels high;
// the image is 20000 wide and fills what remains but 4 pixels.
void TfrmMain::PlaceWavePanelParts(WavePanelFrame *frame) {
    const int panelHeight = pnlCont->height() + scrBar->height() + 67;
    pnlWave->setFixedHeight(panelHeight);
    imgWave->move(1, pnlCont->height() + 2);
    imgWave->resizeCanvas(WaveViewState::kImageWidth,
                          panelHeight - pnlCont->height() - scrBar->height() - 4);
    frame->setParts(pnlCont, imgWave, scrBar);
}

// Decoder timing choices, hidden until a decoder needs them.
void TfrmMain::FillDecoderTiming() {
    cmbTs->clear();
    cmbTw->clear();
    cmbTs->addItems({QStringLiteral("450"), QStringLiteral("400"), QStringLiteral("300")});
    cmbTs->setEditText(QStringLiteral("450"));
    cmbTw->addItems({QStringLiteral("878"), QStringLiteral("830"), QStringLiteral("2100")});
    cmbTw->setEditText(QStringLiteral("878"));
    cmbBt->setCurrentIndex(1);
    showPhilipsTiming(false);
}

// The panel's controls to their handlers.
void TfrmMain::ConnectWavePanel() {
    connect(pnlAnalyze, &ClickPanel::clicked, this, &TfrmMain::pnlAnalyzeClick);
    connect(btnWaveClear, &QPushButton::clicked, this, &TfrmMain::btnWaveClearClick);
    connect(btnWaveLoad, &QPushButton::clicked, this, &TfrmMain::btnWaveLoadClick);
    connect(btnWaveData, &QPushButton::clicked, this, &TfrmMain::btnWaveDataClick);
    connect(btnWavePrint, &QPushButton::clicked, this, &TfrmMain::btnWavePrintClick);
    connect(btnWaveSave, &QPushButton::clicked, this, &TfrmMain::btnWaveSaveClick);
    connect(ckCodeCheck, &QCheckBox::clicked, this, &TfrmMain::ckCodeCheckClick);
    connect(ckEiritsu, &QCheckBox::clicked, this, &TfrmMain::ckEiritsuClick);
    connect(ckPhilips, &QCheckBox::clicked, this, &TfrmMain::ckPhilipsClick);
    // Enter in Ts or Tw keeps a new value among the box's items.
    cmbTs->setInsertPolicy(QComboBox::NoInsert);
    cmbTw->setInsertPolicy(QComboBox::NoInsert);
    connect(cmbTs->lineEdit(), &QLineEdit::returnPressed, this, [this] { cmbTsKeyPress(); });
    connect(cmbTw->lineEdit(), &QLineEdit::returnPressed, this, [this] { cmbTwKeyPress(); });
    // A double-click on the strip shows or hides the decoder switches.
    pnlCont->installEventFilter(this);
    connect(btnZoomLeft, &QPushButton::clicked, this, &TfrmMain::btnZoomLeftClick);
    connect(btnZoomRight, &QPushButton::clicked, this, &TfrmMain::btnZoomRightClick);
    connect(scrBar, &QScrollBar::valueChanged, this, &TfrmMain::scrBarChange);
    connect(imgWave, &WaveImage::pressed, this, &TfrmMain::imgWaveMouseDown);
    connect(imgWave, &WaveImage::released, this, &TfrmMain::imgWaveMouseUp);
    // The wheel over the picture moves the scroll bar as dragging it would
    // (up towards the start); with Ctrl each notch is a click on a zoom
    // button, up "＜" towards the finer steps.
    connect(imgWave, &WaveImage::wheelScrolled, this, [this](int lines) {
        scrBar->setValue(scrBar->value() - lines * scrBar->singleStep());
    });
    connect(imgWave, &WaveImage::wheelZoomed, this, [this](int notches) {
        for (; notches > 0; --notches)
            btnZoomLeftClick();
        for (; notches < 0; ++notches)
            btnZoomRightClick();
    });
    // The scroll span follows the scroll bar's own width, which the panel's
    // layout sets (also when the panel is first shown).
    scrBar->installEventFilter(this);
}

} // namespace zevo3
