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
void runPort(PortRun &run, std::mutex &lock, const LinkOptions &options, const PortWork &work) {
    const QString port = run.port;
    QString lastWord; // what the session said last (an open failure, a reason)
    Streams streams;
    streams.out = [port](const QByteArray &line) {
        writeLine(stdout, port.toUtf8() + ": " + line);
    };
    streams.err = [&lastWord, &lock, port](const QByteArray &line) {
        {
            const std::lock_guard<std::mutex> hold(lock);
            lastWord = QString::fromUtf8(line);
        }
        writeLine(stderr, port.toUtf8() + ": " + line);
    };
    const auto said = [&] {
        return lastWord.startsWith(QLatin1String("zevo3: ")) ? lastWord.mid(7) : lastWord;
    };
    LinkOptions mine = options;
    mine.port = port;
    DeviceSession session(streams);
    if (!session.open(mine)) {
        const std::lock_guard<std::mutex> hold(lock);
        run.status = kCannot;
        run.text = said();
        return;
    }
    const int status = work(session, run, lock);
    const std::lock_guard<std::mutex> hold(lock);
    run.status = status;
    if (run.text.isEmpty()) run.text = status == kDone ? QStringLiteral("done") : said();
}

} // namespace

std::vector<PortRun> runEverywhere(const QStringList &ports, const LinkOptions &options,
                                   const PortWork &work,
                                   const std::function<void(const std::vector<PortRun> &)> &shown,
                                   int refreshMs) {
    std::mutex lock;
    std::vector<PortRun> runs(size_t(ports.size()));
    std::vector<std::unique_ptr<QThread>> threads;
    for (qsizetype i = 0; i < ports.size(); ++i) {
        PortRun &run = runs[size_t(i)];
        run.port = ports[i];
        run.running = true;
        threads.emplace_back(QThread::create([&run, &lock, &options, &work] {
            runPort(run, lock, options, work);
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
        if (shown) shown(snapshot());
        pending->wait(QDeadlineTimer(refreshMs));
    }
    for (const std::unique_ptr<QThread> &t : threads)
        t->wait();
    if (shown) shown(runs);
    return runs;
}

std::vector<PortRun>
downloadEverywhere(const QStringList &ports, const LinkOptions &options,
                   const std::vector<RegistrationMessage> &plan,
                   const std::function<void(const std::vector<PortRun> &)> &shown, int refreshMs) {
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
    return runEverywhere(ports, options, work, shown, refreshMs);
}

QString portLine(const PortRun &run) {
    if (!run.text.isEmpty()) return run.port + QStringLiteral(": ") + run.text;
    if (run.sent == 0) return run.port + QStringLiteral(": opening");
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
        array.append(o);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace zevo3::cli
