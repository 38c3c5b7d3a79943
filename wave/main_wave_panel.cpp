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
} // namespace

void TfrmMain::BuildWavePanel() {
    auto *frame = new WavePanelFrame(this);
    pnlWave = frame;
    pnlWave->setObjectName(QStringLiteral("pnlWave"));
    pnlWave->setFrameShape(QFrame::StyledPanel);

    pnlCont = new QFrame(pnlWave);
    pnlCont->setObjectName(QStringLiteral("pnlCont"));
    pnlCont->setFixedHeight(kStripHeight);
    pnlCont->setProperty("tag", 0);
    auto *row = new QHBoxLayout(pnlCont);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);

    auto label = [this, row](QLabel *&target, const QString &text, const char *name) {
        target = new QLabel(text, pnlCont);
        target->setObjectName(QString::fromLatin1(name));
        target->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        row->addWidget(target);
    };
    auto plainLabel = [this, row](const QString &text) {
        auto *l = new QLabel(text, pnlCont);
        l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        row->addWidget(l);
    };
    auto edit = [this, row](QLineEdit *&target, const char *name, int width) {
        target = new QLineEdit(pnlCont);
        target->setObjectName(QString::fromLatin1(name));
        target->setFixedWidth(width);
        row->addWidget(target);
    };
    auto check = [this, row](QCheckBox *&target, const QString &text, const char *name) {
        target = new QCheckBox(text, pnlCont);
        target->setObjectName(QString::fromLatin1(name));
        target->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        row->addWidget(target);
    };
    // Buttons as wide as their captions (the style's 80-pixel minimum would
    // push the decoder controls off the strip).
    auto button = [this, row](QPushButton *&target, const QString &text, const char *name) {
        target = new QPushButton(text, pnlCont);
        target->setObjectName(QString::fromLatin1(name));
        target->setFixedWidth(target->fontMetrics().horizontalAdvance(text) + 20);
        row->addWidget(target);
    };
    auto combo = [this, row](QComboBox *&target, const char *name) {
        target = new QComboBox(pnlCont);
        target->setObjectName(QString::fromLatin1(name));
        target->setEditable(true);
        target->setFixedWidth(72);
        row->addWidget(target);
    };

    pnlAnalyze = new ClickPanel(pnlCont);
    pnlAnalyze->setObjectName(QStringLiteral("pnlAnalyze"));
    pnlAnalyze->setFrameShape(QFrame::Panel);
    pnlAnalyze->setFrameShadow(QFrame::Raised);
    pnlAnalyze->setAlignment(Qt::AlignCenter);
    pnlAnalyze->setAutoFillBackground(true);
    // Wide enough for either caption, however narrow the window gets.
    const QFontMetrics metrics(pnlAnalyze->font());
    pnlAnalyze->setMinimumWidth(std::max(metrics.horizontalAdvance(tr("学習 Off")),
                                         metrics.horizontalAdvance(tr("学習 On"))) +
                                16);
    row->addWidget(pnlAnalyze);
    edit(edtLtime, "edtLtime", 48);
    plainLabel(QStringLiteral("mS"));
    check(ckLearningMsg, QStringLiteral("Msg"), "ckLearningMsg");
    button(btnWaveClear, QStringLiteral("Clear"), "btnWaveClear");
    button(btnWaveLoad, QStringLiteral("Load"), "btnWaveLoad");
    button(btnWaveData, QStringLiteral("Data"), "btnWaveData");
    button(btnWavePrint, QStringLiteral("Print"), "btnWavePrint");
    button(btnWaveSave, QStringLiteral("Save"), "btnWaveSave");
    check(ckCodeCheck, QStringLiteral("CodeCheck"), "ckCodeCheck");
    button(btnZoomLeft, QStringLiteral("＜"), "btnZoomLeft");
    pnlZoom = new QLabel(QStringLiteral("1/2000"), pnlCont);
    pnlZoom->setObjectName(QStringLiteral("pnlZoom"));
    pnlZoom->setFrameShape(QFrame::Panel);
    pnlZoom->setFrameShadow(QFrame::Sunken);
    pnlZoom->setMinimumWidth(56);
    pnlZoom->setAlignment(Qt::AlignCenter);
    row->addWidget(pnlZoom);
    button(btnZoomRight, QStringLiteral("＞"), "btnZoomRight");
    check(ckEiritsu, QStringLiteral("Eiritsu"), "ckEiritsu");
    check(ckPhilips, QStringLiteral("Philips"), "ckPhilips");
    check(ckPcode, QStringLiteral("PCode Result"), "ckPcode");
    label(lblTs, QStringLiteral("Ts:"), "lblTs");
    combo(cmbTs, "cmbTs");
    label(lblTw, QStringLiteral("Tw:"), "lblTw");
    combo(cmbTw, "cmbTw");
    label(lblBt, QStringLiteral("Bits:"), "lblBt");
    cmbBt = new QComboBox(pnlCont);
    cmbBt->setObjectName(QStringLiteral("cmbBt"));
    cmbBt->addItems({QStringLiteral("16"), QStringLiteral("32")});
    // Typed like Ts and Tw (0 or less never ends a frame on screen), but
    // Enter keeps nothing.
    cmbBt->setEditable(true);
    cmbBt->setInsertPolicy(QComboBox::NoInsert);
    cmbBt->setFixedWidth(56);
    row->addWidget(cmbBt);
    // The tolerances last: they are only shown and saved, so they are the
    // first to go off a narrow strip.
    plainLabel(QStringLiteral("H"));
    edit(edtHrange, "edtHrange", 32);
    plainLabel(QStringLiteral("%"));
    plainLabel(QStringLiteral("W"));
    edit(edtWrange, "edtWrange", 32);
    plainLabel(QStringLiteral("%"));
    pgBar = new QProgressBar(pnlCont);
    pgBar->setObjectName(QStringLiteral("pgBar"));
    pgBar->setRange(0, 512);
    row->addWidget(pgBar);
    row->addStretch();

    scrBar = new QScrollBar(Qt::Horizontal, pnlWave);
    scrBar->setObjectName(QStringLiteral("scrBar"));
    scrBar->setRange(0, 100);
    scrBar->setFixedHeight(kScrollBarHeight);

    imgWave = new WaveImage(pnlWave);
    imgWave->setObjectName(QStringLiteral("imgWave"));
    imgWave->setCursor(Qt::CrossCursor);

    // 8. The zoom read-out.
    pnlZoom->setText(QStringLiteral("1/%1").arg(objects.view.zoomDivisor));
    // 9. Strip visible, progress bar hidden, decoder switches hidden.
    pnlCont->setVisible(true);
    pgBar->setVisible(false);
    pnlCont->setProperty("tag", 0);
    ckEiritsu->setVisible(false);
    ckPhilips->setVisible(false);
    ckPcode->setVisible(false);
    // 10. Geometry: the panel is the strip plus the scroll bar plus 67 pixels
    // high; the image is 20000 wide and fills what remains but 4 pixels.
    const int panelHeight = pnlCont->height() + scrBar->height() + 67;
    pnlWave->setFixedHeight(panelHeight);
    imgWave->move(1, pnlCont->height() + 2);
    imgWave->resizeCanvas(WaveViewState::kImageWidth,
                          panelHeight - pnlCont->height() - scrBar->height() - 4);
    frame->setParts(pnlCont, imgWave, scrBar);
    // 11.
    ClearTrack(0);
    // 14./15. Decoder timing choices, hidden until a decoder needs them.
    cmbTs->clear();
    cmbTw->clear();
    cmbTs->addItems({QStringLiteral("450"), QStringLiteral("400"), QStringLiteral("300")});
    cmbTs->setEditText(QStringLiteral("450"));
    cmbTw->addItems({QStringLiteral("878"), QStringLiteral("830"), QStringLiteral("2100")});
    cmbTw->setEditText(QStringLiteral("878"));
    cmbBt->setCurrentIndex(1);
    showPhilipsTiming(false);

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
