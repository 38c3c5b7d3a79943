#include "R_waveedit.h"

#include "text_codec.h"
#include "ui_fonts.h"
#include "wave_edit_core.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace zevo3 {

namespace {

// A caption with its field in one row of the fields' grid.
void addField(QWidget *parent, QGridLayout *fieldsBox, QLabel *&label, QLineEdit *&edit,
              const QString &caption, const char *labelName, const char *editName, int row) {
    label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(labelName));
    edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(editName));
    edit->setFixedWidth(60);
    label->setBuddy(edit);
    fieldsBox->addWidget(label, row, 0);
    fieldsBox->addWidget(edit, row, 1);
}

} // namespace

TfrmWaveEdit::TfrmWaveEdit(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmWaveEdit"));
    FormCreate();
}

void TfrmWaveEdit::FormCreate() {
    setWindowTitle(QStringLiteral("frmWaveEdit"));
    setFont(formFont(12));
    const QFont mono = fixedFont(12);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);

    auto *top = new QHBoxLayout;
    BuildGrid(mono);
    top->addWidget(sGrid);
    top->addLayout(BuildFields());
    top->addStretch(1);
    column->addLayout(top, 1);

    BuildPcodeStrip(mono, column->spacing());
    column->addWidget(scrPcode);
    scrPcode->installEventFilter(this);

    connect(edtPcode, &QLineEdit::textChanged, this, &TfrmWaveEdit::edtPcodeChange);
    connect(edtPcode, &QLineEdit::cursorPositionChanged, this, &TfrmWaveEdit::showPcodeCursor);
    connect(btnIrOut, &QPushButton::clicked, this, &TfrmWaveEdit::irOutClicked);
    connect(btnOk, &QPushButton::clicked, this, &TfrmWaveEdit::okClicked);
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);

    for (QLineEdit *edit : {edtCarry, edtDataBits, edtRepeatBit, edtPcode})
        edit->clear();
    fitPcodeStrip(0);
    resize(kClientWidth, kClientHeight);
}

// The grid of the pattern codes' high and width times.
void TfrmWaveEdit::BuildGrid(const QFont &mono) {
    sGrid = new QTableWidget(WaveInfo::kPatterns, 3, this);
    sGrid->setObjectName(QStringLiteral("sGrid"));
    sGrid->setFont(mono);
    sGrid->setHorizontalHeaderLabels(
        {QStringLiteral(" Pcode"), QStringLiteral(" High"), QStringLiteral(" Width")});
    sGrid->verticalHeader()->setVisible(false);
    sGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sGrid->verticalHeader()->setDefaultSectionSize(18);
    sGrid->setColumnWidth(0, 64);
    sGrid->setColumnWidth(1, 56);
    sGrid->setColumnWidth(2, 64);
    sGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    for (int i = 0; i < WaveInfo::kPatterns; ++i) {
        auto *label =
            new QTableWidgetItem(QStringLiteral(" Pcode:%1").arg(QString::number(i, 16).toUpper()));
        label->setFlags(Qt::ItemIsEnabled);
        label->setBackground(palette().button());
        sGrid->setItem(i, 0, label);
        sGrid->setItem(i, 1, new QTableWidgetItem);
        sGrid->setItem(i, 2, new QTableWidgetItem);
    }
    // The grid and the fields keep their place at the left however wide a
    // long pattern code sequence makes the window.
    sGrid->setFixedWidth(64 + 56 + 64 + 2 * sGrid->frameWidth() +
                         sGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
}

// The carry, data bits and repeat bit fields, with the buttons below them.
QGridLayout *TfrmWaveEdit::BuildFields() {
    auto *fieldsBox = new QGridLayout;
    addField(this, fieldsBox, lblCarry, edtCarry, QStringLiteral("Carry"), "lblCarry", "edtCarry",
             0);
    addField(this, fieldsBox, lblDataBits, edtDataBits, QStringLiteral("DataBits"), "lblDataBits",
             "edtDataBits", 1);
    addField(this, fieldsBox, lblRepeatBit, edtRepeatBit, QStringLiteral("RepeatBit"),
             "lblRepeatBit", "edtRepeatBit", 2);
    btnIrOut = new QPushButton(QStringLiteral("IR Out"), this);
    btnIrOut->setObjectName(QStringLiteral("btnIrOut"));
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    fieldsBox->addWidget(btnIrOut, 3, 0, 1, 2);
    fieldsBox->setRowStretch(4, 1);
    fieldsBox->addWidget(btnOk, 5, 0, 1, 2);
    fieldsBox->addWidget(btnCancel, 6, 0, 1, 2);
    return fieldsBox;
}

// The ruler above the sequence, in a strip of their own: the two scroll
// sideways together, so that each ruler character stays above its digit.
void TfrmWaveEdit::BuildPcodeStrip(const QFont &mono, int spacing) {
    scrPcode = new QScrollArea(this);
    scrPcode->setObjectName(QStringLiteral("scrPcode"));
    scrPcode->setFrameShape(QFrame::NoFrame);
    scrPcode->setWidgetResizable(true);
    scrPcode->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrPcode->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The window's width follows the ruler, not the other way round, so that
    // a shorter sequence can make it narrow again.
    scrPcode->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    pnlPcode = new QWidget(scrPcode);
    pnlPcode->setObjectName(QStringLiteral("pnlPcode"));
    auto *strip = new QVBoxLayout(pnlPcode);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(spacing);
    lblPcode = new QLabel(QStringLiteral("Pattern Code"), pnlPcode);
    lblPcode->setObjectName(QStringLiteral("lblPcode"));
    lblPcode->setFont(mono);
    edtPcode = new QLineEdit(pnlPcode);
    edtPcode->setObjectName(QStringLiteral("edtPcode"));
    edtPcode->setFont(mono);
    edtPcode->setMaxLength(WaveInfo::kPcodes); // what the table can hold
    // The ruler's characters stand above the digits: no inner margins.
    edtPcode->setTextMargins(0, 0, 0, 0);
    lblPcode->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    edtPcode->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    strip->addWidget(lblPcode);
    strip->addWidget(edtPcode);
    scrPcode->setWidget(pnlPcode);
}

bool TfrmWaveEdit::eventFilter(QObject *watched, QEvent *event) {
    if (watched == scrPcode && event->type() == QEvent::Resize) fitPcodeStrip(scrPcode->width());
    return QWidget::eventFilter(watched, event);
}

void TfrmWaveEdit::fitPcodeStrip(int stripWidth) {
    const bool scrolls = pnlPcode->minimumWidth() > stripWidth;
    stripBar_ = scrolls ? scrPcode->horizontalScrollBar()->sizeHint().height() : 0;
    scrPcode->setHorizontalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
    scrPcode->setFixedHeight(pnlPcode->sizeHint().height() + stripBar_);
}

void TfrmWaveEdit::showPcodeCursor() {
    const QRect cursor = edtPcode->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint at = edtPcode->mapTo(pnlPcode, cursor.center());
    // A few digits of the sequence stay in sight on either side.
    scrPcode->ensureVisible(at.x(), at.y(), 4 * cursor.width() + 16, 0);
}

void TfrmWaveEdit::edtPcodeChange() {
    edtDataBits->setText(QString::number(edtPcode->text().size()));
}

void TfrmWaveEdit::fill(const WaveInfo &info) {
    edtCarry->setText(QStringLiteral("%1").arg(info.Carry, 3));
    edtDataBits->setText(QStringLiteral("%1").arg(info.DataBits, 3));
    edtRepeatBit->setText(QStringLiteral("%1").arg(info.RepeatBit, 4));
    // The digits without the one repeated after an odd count; the change
    // handler then shows their number in DataBits.
    edtPcode->setText(QString::fromLatin1(patternCodeText(info)));
    edtPcode->setCursorPosition(0); // the sequence is read from its start
    const int shown = shownPatternEntries(info);
    for (int i = 0; i < WaveInfo::kPatterns; ++i) {
        const bool show = i < shown;
        sGrid->item(i, 1)->setText(show ? QStringLiteral("%1").arg(info.High[size_t(i)], 5)
                                        : QString());
        sGrid->item(i, 2)->setText(show ? QStringLiteral("%1").arg(info.Width[size_t(i)], 6)
                                        : QString());
    }
    const QByteArray ruler =
        patternCodeRuler(std::clamp<int32_t>(info.DataBits, 0, WaveInfo::kPcodes));
    lblPcode->setText(ruler.isEmpty() ? QStringLiteral("Pattern Code")
                                      : QString::fromLatin1(ruler));
    // Wide enough for the whole sequence, but not wider than the screen: the
    // strip then scrolls.
    const int rulerWidth = QFontMetrics(lblPcode->font()).horizontalAdvance(lblPcode->text());
    const int wanted = rulerWidth > kBaseWidth - 32 ? rulerWidth + 32 : kBaseWidth;
    const QMargins margins = layout()->contentsMargins();
    const int sides = margins.left() + margins.right();
    pnlPcode->setMinimumWidth(wanted - sides);
    wantedWidth_ = wanted;
    const int width = std::min(wanted, widestOnScreen());
    // The window grows by the strip's scroll bar and loses it again with
    // it, so that the grid keeps its height.
    const int heightWithoutBar = height() - stripBar_;
    fitPcodeStrip(width - sides);
    layout()->activate(); // the window's least height follows the strip's at once
    resize(width, heightWithoutBar + stripBar_);
    scrPcode->horizontalScrollBar()->setValue(0);
}

void TfrmWaveEdit::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // The frame is known once the window is shown: it counts too.
    if (width() > widestOnScreen()) resize(std::min(wantedWidth_, widestOnScreen()), height());
}

int TfrmWaveEdit::widestOnScreen() const {
    const QScreen *on = screen();
    if (!on) return QWIDGETSIZE_MAX;
    // The window's frame, once it has one, counts against the screen too.
    const int frame = isWindow() ? frameGeometry().width() - geometry().width() : 0;
    return std::max(kBaseWidth, on->availableGeometry().width() - std::max(0, frame));
}

EditorFields TfrmWaveEdit::fields() const {
    EditorFields f;
    f.Carry = editorNumber(edtCarry->text(), 380);
    f.DataBits = editorNumber(edtDataBits->text(), 0);
    f.RepeatBit = editorNumber(edtRepeatBit->text(), 0);
    for (int i = 0; i < WaveInfo::kPatterns; ++i) {
        f.High[size_t(i)] = editorNumber(sGrid->item(i, 1)->text(), 0);
        f.Width[size_t(i)] = editorNumber(sGrid->item(i, 2)->text(), 0);
    }
    f.PatternCodes = toCp932(edtPcode->text()); // sent as typed
    return f;
}

} // namespace zevo3
