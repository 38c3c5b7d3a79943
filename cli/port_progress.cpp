#include "port_progress.h"

#include <algorithm>
#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zevo3::cli {

namespace {

bool wide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

constexpr int kStepEnded = 1 << 20;

} // namespace

int columnsOf(QStringView text) {
    int columns = 0;
    for (const char32_t c : text.toUcs4())
        columns += wide(c) ? 2 : 1;
    return columns;
}

QString fitted(const QString &text, int columns) {
    const int room = columns - 1; // the last column would wrap on some terminals
    if (columnsOf(text) <= room) return text;
    QString cut;
    int used = 0;
    for (const char32_t c : text.toUcs4()) {
        const int w = wide(c) ? 2 : 1;
        if (used + w > room - 1) break; // one column for the mark
        cut += QString::fromUcs4(&c, 1);
        used += w;
    }
    return cut + QStringLiteral("…");
}

QStringList SaidLines::fresh(const std::vector<PortRun> &runs) {
    QStringList lines;
    shown_.resize(runs.size(), 0);
    for (size_t i = 0; i < runs.size(); ++i) {
        const PortRun &run = runs[i];
        const qsizetype ready = run.running ? run.said.size() - 1 : run.said.size();
        for (qsizetype j = shown_[i]; j < ready; ++j) {
            const bool lastWord =
                !run.running && j == run.said.size() - 1 && run.said[j] == run.text;
            if (!lastWord) lines << run.port + QStringLiteral(": ") + run.said[j];
        }
        shown_[i] = std::max(shown_[i], ready);
    }
    return lines;
}

PortProgress::PortProgress(Lines lines, bool terminal, int columns)
    : lines_(lines), terminal_(terminal), columns_(columns > 1 ? columns : 80) {
}

PortProgress PortProgress::onStandardError(Lines lines) {
    const int fd = ::fileno(stderr);
    const bool terminal = ::isatty(fd) == 1;
    winsize size{};
    const int columns = terminal && ::ioctl(fd, TIOCGWINSZ, &size) == 0 ? size.ws_col : 80;
    return PortProgress(lines, terminal, columns);
}

QByteArray PortProgress::frame(const std::vector<PortRun> &runs) {
    const QStringList warnings = said_.fresh(runs);
    if (lines_ == Lines::Moving && terminal_) return blockFrame(runs, warnings);
    // Plain lines: a port's line when it has moved on by ten messages (only
    // while moving lines are wanted) or ended.
    QByteArray text;
    for (const QString &line : warnings)
        text += line.toUtf8() + '\n';
    shown_.resize(runs.size(), -1);
    for (size_t i = 0; i < runs.size(); ++i) {
        const PortRun &run = runs[i];
        const int step = !run.text.isEmpty()       ? kStepEnded
                         : lines_ == Lines::Moving ? run.sent / 10
                                                   : -1;
        if (step == shown_[i]) continue;
        shown_[i] = step;
        text += portLine(run).toUtf8() + '\n';
    }
    return text;
}

QByteArray PortProgress::blockFrame(const std::vector<PortRun> &runs, const QStringList &warnings) {
    // The block goes, the new warnings take its place, and the block is
    // drawn again below them, a row a port. Once every port has ended it is
    // drawn whole, for good: the summary, lines cut nowhere.
    const bool last =
        std::none_of(runs.begin(), runs.end(), [](const PortRun &run) { return run.running; });
    QByteArray block;
    for (const PortRun &run : runs)
        block += (last ? portLine(run) : fitted(portLine(run), columns_)).toUtf8() + '\n';
    if (warnings.isEmpty() && block == block_) return {};
    QByteArray text;
    if (drawn_ > 0) text += "\x1b[" + QByteArray::number(drawn_) + "A\r\x1b[J";
    for (const QString &line : warnings)
        text += line.toUtf8() + '\n';
    text += block;
    block_ = block;
    drawn_ = last ? 0 : int(runs.size());
    return text;
}

void PortProgress::show(const std::vector<PortRun> &runs) {
    const QByteArray text = frame(runs);
    if (text.isEmpty()) return;
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    std::fflush(stderr);
}

} // namespace zevo3::cli
