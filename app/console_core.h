#pragma once
// The console's rules that need no window: the command history, turning an
// "m:" answer of the unit into a "Tm:" command, and the receive log's length.

#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zevo3 {

// Appends text unless an equal entry (exact, case-sensitive) exists.
// Returns true when it was added.
bool addToHistory(QStringList &history, const QString &text);

// Where the word under position pos of text starts: words are separated by
// blanks and line ends, as a double-click selects them.
int wordStartAt(const QString &text, int pos);

// How many characters a double-click takes from the start of the word.
inline constexpr int kAnswerWindow = 200;
// How many characters stay selected after an "m:" line was taken.
inline constexpr int kAnswerSelection = 10;

// sel: the (up to 200) characters from the start of the double-clicked word,
// line ends included. When it starts with "m:", the command
// "Tm:" + field 0 + ",d:" + field 1 + ",f:" + field 2, where the fields are
// the texts before the first three commas (the two characters after each
// comma, the labels "d:" and "f:", are skipped).
std::optional<QString> commandFromAnswer(const QString &sel);

// The characters a double-click takes from document text (lines separated by
// "\n"), with every line end counted as CR LF, as the unit's lines end.
struct AnswerWindow {
    QString text;       // at most kAnswerWindow characters
    int documentLength; // how many document characters it covers
};
AnswerWindow answerWindowAt(const QString &document, int start);
// Document characters that cover `count` window characters from start.
int documentLengthFor(const QString &document, int start, int count);

// The receive log holds at most this many lines: a received line that would
// make it longer empties it first.
inline constexpr int kReceiveLogLimit = 1000;

// What the log does with the lines of one receive step while it holds
// `logLines` lines: empty itself first or not, then append `lines`. The rule
// counts the step's lines as if each had been added on its own.
struct LogAppend {
    bool emptyFirst = false;
    QByteArrayList lines;
};
LogAppend receiveLogAppend(int logLines, const QByteArrayList &step);

} // namespace zevo3
