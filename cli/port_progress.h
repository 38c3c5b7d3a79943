#pragma once
// How a run on several ports shows on standard error: the sessions'
// warnings as they come, each after its port, and a line a port that is
// drawn again in place on a terminal (cut to the terminal's width, so that
// each takes one row) or written when it has moved on elsewhere.

#include "parallel_download.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

namespace zevo3::cli {

// The columns a text takes on a terminal: two for a wide (CJK) character.
int columnsOf(QStringView text);
// The text cut to fit in `columns - 1` columns, "…" where it was cut.
QString fitted(const QString &text, int columns);

// The sessions' warnings not yet shown, as "PORT: text". A port's newest
// one is held back while the port runs: it may become the port's last word,
// which its own line shows.
class SaidLines {
public:
    QStringList fresh(const std::vector<PortRun> &runs);

private:
    std::vector<qsizetype> shown_;
};

class PortProgress {
public:
    enum class Lines {
        Moving, // a line a port as it moves on (download)
        Ends,   // a port's line once, when it ends (version, fire)
    };
    PortProgress(Lines lines, bool terminal, int columns);
    // For standard error as it is: a terminal or not, and its width.
    static PortProgress onStandardError(Lines lines);

    // What to write for the runs as they stand now.
    QByteArray frame(const std::vector<PortRun> &runs);
    // Writes the frame to standard error.
    void show(const std::vector<PortRun> &runs);

private:
    QByteArray blockFrame(const std::vector<PortRun> &runs, const QStringList &warnings);

    Lines lines_;
    bool terminal_;
    int columns_;
    int drawn_ = 0;    // rows of the block drawn in place last time
    QByteArray block_; // and what it said
    SaidLines said_;
    std::vector<int> shown_; // a port's last step written (plain lines)
};

} // namespace zevo3::cli
