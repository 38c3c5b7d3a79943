#include "console_core.h"

#include <algorithm>

namespace zevo3 {

bool addToHistory(QStringList &history, const QString &text) {
    if (history.contains(text, Qt::CaseSensitive)) return false;
    history.append(text);
    return true;
}

int wordStartAt(const QString &text, int pos) {
    pos = std::clamp(pos, 0, int(text.size()));
    auto isBreak = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' ||
               c == QChar::ParagraphSeparator;
    };
    // A click on a blank or past the end of a line selects nothing to the left.
    while (pos > 0 && !isBreak(text[pos - 1]))
        --pos;
    return pos;
}

std::optional<QString> commandFromAnswer(const QString &sel) {
    if (!sel.startsWith(QStringLiteral("m:"))) return std::nullopt;
    QString field[3];
    // Positions count from 1.
    int a = 3;
    int k = 0;
    for (int i = 3; i <= kAnswerWindow - 1; ++i) {
        if (i > sel.size() || sel[i - 1] != u',') continue;
        field[k] = i > a ? sel.mid(a - 1, i - a) : QString();
        ++k;
        if (k == 3) break;
        a = i + 3;
    }
    return QStringLiteral("Tm:") + field[0] + QStringLiteral(",d:") + field[1] +
           QStringLiteral(",f:") + field[2];
}

AnswerWindow answerWindowAt(const QString &document, int start) {
    AnswerWindow window{QString(), 0};
    start = std::clamp(start, 0, int(document.size()));
    int i = start;
    while (i < document.size() && window.text.size() < kAnswerWindow) {
        const QChar c = document[i++];
        if (c == u'\n')
            window.text += QStringLiteral("\r\n");
        else
            window.text += c;
    }
    window.text.truncate(kAnswerWindow);
    window.documentLength = i - start;
    return window;
}

int documentLengthFor(const QString &document, int start, int count) {
    start = std::clamp(start, 0, int(document.size()));
    int i = start;
    int taken = 0;
    while (i < document.size() && taken < count) {
        taken += document[i] == u'\n' ? 2 : 1;
        ++i;
    }
    return i - start;
}

LogAppend receiveLogAppend(int logLines, const QByteArrayList &step) {
    LogAppend append;
    for (const QByteArray &line : step) {
        if (logLines + int(append.lines.size()) > kReceiveLogLimit) {
            append.emptyFirst = true;
            logLines = 0;
            append.lines.clear();
        }
        append.lines.append(line);
    }
    return append;
}

} // namespace zevo3
