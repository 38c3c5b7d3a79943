#pragma once
// Link observer that keeps everything the link reported.

#include "link.h"

#include <QByteArrayList>
#include <QStringList>
#include <functional>

namespace zevo3::test {

struct Warning {
    QString text;
    QString caption;
};

class RecordingObserver : public LinkObserver {
public:
    QString portStatus;
    QString notice;
    QList<Warning> warnings;
    QByteArrayList log;
    int appended = 0;
    std::function<void(const QByteArray &)> onAppend;

    void showPortStatus(const QString &text) override { portStatus = text; }
    void showNotice(const QString &text) override { notice = text; }
    void showWarning(const QString &text, const QString &caption) override {
        warnings.append({text, caption});
    }
    int batches = 0;
    void appendLogLines(const QByteArrayList &lines) override {
        ++batches;
        LinkObserver::appendLogLines(lines);
    }
    void appendLogLine(const QByteArray &line) override {
        if (onAppend) onAppend(line);
        log.append(line);
        ++appended;
    }
};

} // namespace zevo3::test
