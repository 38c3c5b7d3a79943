// The command console: the send box with its history, the receive log and
// the double-click that turns an "m:" answer into a "Tm:" command.

#include "R_main.h"

#include "console_core.h"
#include "link_texts.h"
#include "text_codec.h"
#include "ui_fonts.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

namespace zevo3 {

namespace {
// Long enough for input that queued behind a stalled send to be delivered.
constexpr int kQueuedClicksMs = 300;
} // namespace

void TfrmMain::BuildConsole() {
    pnlRecv = new QFrame(splitter);
    pnlRecv->setObjectName(QStringLiteral("pnlRecv"));
    auto *column = new QVBoxLayout(pnlRecv);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    pnlSend = new QFrame(pnlRecv);
    pnlSend->setObjectName(QStringLiteral("pnlSend"));
    auto *row = new QHBoxLayout(pnlSend);
    row->setContentsMargins(4, 3, 4, 3);
    btnSend = new QPushButton(tr("ZEVOに送信"), pnlSend);
    btnSend->setObjectName(QStringLiteral("btnSend"));
    btnSend->setAutoDefault(true); // Enter on the focused button sends
    cmbSendText = new QComboBox(pnlSend);
    cmbSendText->setObjectName(QStringLiteral("cmbSendText"));
    cmbSendText->setEditable(true);
    cmbSendText->setInsertPolicy(QComboBox::NoInsert);
    cmbSendText->setDuplicatesEnabled(true);
    // What is typed is what is sent and remembered: no completion from the
    // history (it would turn "Ver" into "Version", or "ver" into "Ver").
    cmbSendText->setCompleter(nullptr);
    cmbSendText->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Keys reach the box itself (it has the focus and hands them to its line
    // edit directly); the line edit is watched too for keys sent to it alone.
    cmbSendText->installEventFilter(this);
    cmbSendText->lineEdit()->installEventFilter(this);
    btnRecvClear = new QPushButton(QStringLiteral("Clear"), pnlSend);
    btnRecvClear->setObjectName(QStringLiteral("btnRecvClear"));
    row->addWidget(btnSend);
    row->addWidget(cmbSendText, 1);
    row->addWidget(btnRecvClear);
    column->addWidget(pnlSend);

    memoRecv = new QPlainTextEdit(pnlRecv);
    memoRecv->setObjectName(QStringLiteral("memoRecv"));
    memoRecv->setReadOnly(true);
    memoRecv->setUndoRedoEnabled(false);
    memoRecv->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoRecv->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoRecv->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoRecv->setFont(fixedFont(15));
    memoRecv->viewport()->installEventFilter(this);
    column->addWidget(memoRecv, 1);

    connect(btnSend, &QPushButton::clicked, this, &TfrmMain::btnSendClick);
    connect(btnRecvClear, &QPushButton::clicked, this, &TfrmMain::btnRecvClearClick);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event) {
    // The column split follows the grid's own width, which the layout sets
    // after the window's resize.
    if (watched == sGrid && event->type() == QEvent::Resize) FormResize();
    if (watched == scrBar && event->type() == QEvent::Resize)
        objects.view.scrollSpan = WaveViewState::scrollSpanFor(scrBar->width());
    if (tableEvent(watched, event)) return true;
    if (watched == pnlCont && event->type() == QEvent::MouseButtonDblClick) {
        pnlContDblClick();
        return true;
    }
    if (cmbSendText && (watched == cmbSendText || watched == cmbSendText->lineEdit()) &&
        event->type() == QEvent::KeyPress) {
        // (Should both see one key, handling Enter twice changes nothing.)
        cmbSendTextKeyPress(static_cast<QKeyEvent *>(event)->key());
        return false; // the key goes on to the box
    }
    if (memoRecv && watched == memoRecv->viewport() &&
        event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton) return true;
        memoRecvDblClick(mouse->position().toPoint());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::btnSendClick() {
    if (!objects.link.portOpen()) {
        prompter.ask(this, texts::setPortFirst(), texts::captionConfirm(), MsgIcon::Warning,
                     MsgButtons::Ok);
        return;
    }
    const QString text = cmbSendText->currentText();
    if (text.isEmpty()) return;
    AddToHistory(text);
    objects.link.SendMessage(toCp932(text));
    if (objects.link.lineFailure()) {
        // The line stalled under this send. Clicks that queued up meanwhile
        // reach a disabled button and go nowhere, instead of each asking for
        // a port that is about to be closed.
        btnSend->setEnabled(false);
        QTimer::singleShot(kQueuedClicksMs, btnSend, [this] { btnSend->setEnabled(true); });
    }
}

bool TfrmMain::cmbSendTextKeyPress(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    const QString text = cmbSendText->currentText();
    if (text.isEmpty()) return false;
    AddToHistory(text);
    btnSend->setFocus(Qt::OtherFocusReason);
    return true;
}

void TfrmMain::AddToHistory(const QString &text) {
    QStringList items = history();
    if (!addToHistory(items, text)) return;
    // Adding an item must not replace what is being typed.
    const QString editing = cmbSendText->currentText();
    cmbSendText->addItem(text);
    cmbSendText->setEditText(editing);
}

QStringList TfrmMain::history() const {
    QStringList items;
    for (int i = 0; i < cmbSendText->count(); ++i)
        items << cmbSendText->itemText(i);
    return items;
}

void TfrmMain::btnRecvClearClick() {
    memoRecv->clear();
}

void TfrmMain::memoRecvDblClick(const QPoint &viewportPos) {
    const QString text = memoRecv->toPlainText();
    const int clicked = memoRecv->cursorForPosition(viewportPos).position();
    const int start = wordStartAt(text, clicked);
    // The window counts line ends as CR LF, two characters, as the log's
    // lines end on the line.
    const AnswerWindow window = answerWindowAt(text, start);
    QTextCursor cursor(memoRecv->document());
    cursor.setPosition(start);
    cursor.setPosition(start + window.documentLength, QTextCursor::KeepAnchor);
    if (const auto command = commandFromAnswer(window.text)) {
        cmbSendText->setEditText(*command);
        cursor.setPosition(start);
        cursor.setPosition(start + documentLengthFor(text, start, kAnswerSelection),
                           QTextCursor::KeepAnchor);
    }
    memoRecv->setTextCursor(cursor);
}

int TfrmMain::logLineCount() const {
    return memoRecv->document()->isEmpty() ? 0 : memoRecv->document()->blockCount();
}

void TfrmMain::clearLog() {
    memoRecv->clear();
}

void TfrmMain::appendLogLine(const QByteArray &line) {
    appendLogText(toDisplay(line));
}

void TfrmMain::appendLogLines(const QByteArrayList &lines) {
    const LogAppend append = receiveLogAppend(logLineCount(), lines);
    if (append.emptyFirst) clearLog();
    // One append, one layout and one scroll for a whole burst.
    QStringList texts;
    texts.reserve(append.lines.size());
    for (const QByteArray &line : append.lines)
        texts << toDisplay(line);
    appendLogText(texts.join(QLatin1Char('\n')));
}

void TfrmMain::appendLogText(const QString &text) {
    memoRecv->appendPlainText(text);
}

} // namespace zevo3
