#include "parallel_download.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <memory>
#include <mutex>

namespace zevo3::cli {

namespace {

// One port on its own thread: its session (and the link's objects) made
// there, its words kept in its run.
void runPort(PortRun &run, std::mutex &lock, const LinkOptions &options, const PortWork &work,
             bool keepAnswers) {
    const QString port = run.port;
    Streams streams;
    streams.out = [&run, &lock, port, keepAnswers](const QByteArray &line) {
        if (!keepAnswers) return writeLine(stdout, port.toUtf8() + ": " + line);
        const std::lock_guard<std::mutex> hold(lock);
        run.answer << QString::fromUtf8(line);
    };
    streams.err = [&run, &lock](const QByteArray &line) {
        QString text = QString::fromUtf8(line);
        if (text.startsWith(QLatin1String("zevo3: "))) text = text.mid(7);
        const std::lock_guard<std::mutex> hold(lock);
        run.said << text;
    };
    const auto lastWord = [&run] { return run.said.isEmpty() ? QString() : run.said.last(); };
    LinkOptions mine = options;
    mine.port = port;
    DeviceSession session(streams);
    if (!session.open(mine)) {
        const std::lock_guard<std::mutex> hold(lock);
        run.status = kCannot;
        run.text = lastWord();
        return;
    }
    {
        const std::lock_guard<std::mutex> hold(lock);
        run.opened = true;
    }
    const int status = work(session, run, lock);
    const std::lock_guard<std::mutex> hold(lock);
    run.status = status;
    if (run.text.isEmpty()) run.text = status == kDone ? QStringLiteral("done") : lastWord();
}

// The work of version and fire: the messages the session sent, counted.
PortWork counted(int messages, std::function<int(DeviceSession &)> command) {
    return [messages, command](DeviceSession &session, PortRun &run, std::mutex &lock) {
        {
            const std::lock_guard<std::mutex> hold(lock);
            run.total = messages;
        }
        const int status = command(session);
        const std::lock_guard<std::mutex> hold(lock);
        run.sent = session.messagesSent();
        return status;
    };
}

} // namespace

std::vector<PortRun> runEverywhere(const QStringList &ports, const LinkOptions &options,
                                   const PortWork &work, const RunReporting &reporting) {
    std::mutex lock;
    std::vector<PortRun> runs(size_t(ports.size()));
    std::vector<std::unique_ptr<QThread>> threads;
    for (qsizetype i = 0; i < ports.size(); ++i) {
        PortRun &run = runs[size_t(i)];
        run.port = ports[i];
        run.running = true;
        threads.emplace_back(
            QThread::create([&run, &lock, &options, &work, keep = reporting.keepAnswers] {
                runPort(run, lock, options, work, keep);
                const std::lock_guard<std::mutex> hold(lock);
                run.running = false;
            }));
        threads.back()->start();
    }
    const auto snapshot = [&] {
        const std::lock_guard<std::mutex> hold(lock);
        return runs;
    };
    for (;;) {
        QThread *pending = nullptr;
        for (const std::unique_ptr<QThread> &t : threads)
            if (!t->isFinished()) {
                pending = t.get();
                break;
            }
        if (!pending) break;
        if (reporting.shown) reporting.shown(snapshot());
        pending->wait(QDeadlineTimer(reporting.refreshMs));
    }
    for (const std::unique_ptr<QThread> &t : threads)
        t->wait();
    if (reporting.shown) reporting.shown(runs);
    return runs;
}

std::vector<PortRun> downloadEverywhere(const QStringList &ports, const LinkOptions &options,
                                        const std::vector<RegistrationMessage> &plan,
                                        const RunReporting &reporting) {
    const PortWork work = [&plan](DeviceSession &session, PortRun &run, std::mutex &lock) {
        {
            const std::lock_guard<std::mutex> hold(lock);
            run.total = int(plan.size());
        }
        DownloadReport report;
        report.progress = [&](int message, int messages) {
            const std::lock_guard<std::mutex> hold(lock);
            run.sent = message;
            run.total = messages;
        };
        report.end = [&](int, const QString &text) {
            const std::lock_guard<std::mutex> hold(lock);
            run.text = text;
        };
        return downloadCommand(session, plan, &report);
    };
    return runEverywhere(ports, options, work, reporting);
}

std::vector<PortRun> versionEverywhere(const QStringList &ports, const LinkOptions &options,
                                       const RunReporting &reporting) {
    return runEverywhere(ports, options, counted(1, versionCommand), reporting);
}

std::vector<PortRun> sendEverywhere(const QStringList &ports, const LinkOptions &options,
                                    const std::vector<QByteArray> &messages, int waitMs,
                                    const RunReporting &reporting) {
    int going = 0;
    for (const QByteArray &message : messages)
        going += message.isEmpty() ? 0 : 1;
    const auto send = [&messages, waitMs](DeviceSession &session) {
        return sendCommand(session, messages, waitMs);
    };
    return runEverywhere(ports, options, counted(going, send), reporting);
}

QString portLine(const PortRun &run) {
    if (!run.text.isEmpty()) return run.port + QStringLiteral(": ") + run.text;
    if (!run.opened) return run.port + QStringLiteral(": opening");
    if (run.sent == 0)
        return QStringLiteral("%1: open, message 1 of %2 going out").arg(run.port).arg(run.total);
    return QStringLiteral("%1: message %2 of %3").arg(run.port).arg(run.sent).arg(run.total);
}

QByteArray runsJson(const std::vector<PortRun> &runs) {
    QJsonArray array;
    for (const PortRun &run : runs) {
        QJsonObject o;
        o[QLatin1String("port")] = run.port;
        o[QLatin1String("done")] = run.done();
        o[QLatin1String("sent")] = run.sent;
        o[QLatin1String("messages")] = run.total;
        o[QLatin1String("status")] = run.status;
        o[QLatin1String("text")] = run.text;
        o[QLatin1String("answer")] = QJsonArray::fromStringList(run.answer);
        array.append(o);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace zevo3::cli
