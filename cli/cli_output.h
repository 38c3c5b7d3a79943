#pragma once
// What every zevo3 command writes: reasons and notes on standard error,
// results on standard output, and the readings of its arguments.

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <functional>
#include <optional>

namespace zevo3::cli {

// Where the commands write: received log lines and dry-run messages to `out`,
// everything for the operator (progress, notes, reasons) to `err`. Each call
// is one line without its line end, in UTF-8.
struct Streams {
    std::function<void(const QByteArray &)> out;
    std::function<void(const QByteArray &)> err;
    void say(const QString &text) const { err(QByteArrayLiteral("zevo3: ") + text.toUtf8()); }
};

// One line on standard error, as it stands.
void say(const QString &text);
// One line on standard error after "zevo3: ".
void tell(const QString &text);
// The bytes on standard output, flushed; false when they did not all go out.
bool writeOut(const QByteArray &data);
// Says that standard output cannot be written and gives the exit status.
int cannotWriteOut();
// One line (the line end added) on a stream, flushed at once.
void writeLine(std::FILE *stream, const QByteArray &line);

// Standard input read whole, at most `limit` bytes.
bool readStandardInput(QByteArray *data, qint64 limit, QString *error);

// A whole number within [min, max], or nullopt.
std::optional<int> wholeNumber(const QString &text, int min, int max);

} // namespace zevo3::cli
