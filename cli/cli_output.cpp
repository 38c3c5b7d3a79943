#include "cli_output.h"

#include "exit_status.h"

#include <QFile>

namespace zevo3::cli {

void say(const QString &text) {
    const QByteArray line = text.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

void tell(const QString &text) {
    say(QStringLiteral("zevo3: ") + text);
}

bool writeOut(const QByteArray &data) {
    if (std::fwrite(data.constData(), 1, size_t(data.size()), stdout) != size_t(data.size()))
        return false;
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

int cannotWriteOut() {
    tell(QStringLiteral("cannot write to the standard output"));
    return kCannot;
}

void writeLine(std::FILE *stream, const QByteArray &line) {
    std::fwrite(line.constData(), 1, size_t(line.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

bool readStandardInput(QByteArray *data, qint64 limit, QString *error) {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    data->clear();
    for (;;) {
        const QByteArray chunk = in.read(64 * 1024);
        if (chunk.isEmpty()) break; // the end, or an error said below
        *data += chunk;
        if (data->size() > limit) {
            *error = QStringLiteral("larger than %1 bytes").arg(limit);
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        *error = in.errorString();
        return false;
    }
    return true;
}

std::optional<int> wholeNumber(const QString &text, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max) return std::nullopt;
    return value;
}

} // namespace zevo3::cli
