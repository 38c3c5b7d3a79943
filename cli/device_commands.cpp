#include "device_commands.h"

#include "command_set.h"
#include "layout_file.h"
#include "qt_serial_device.h"
#include "save_file.h"
#include "sim_unit.h"
#include "table_file.h"
#include "text_codec.h"
#include "tick_clock.h"
#include "transmit_messages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace zevo3::cli {

namespace {

QByteArray utf8(const QByteArray &cp932) {
    return toDisplay(cp932).toUtf8();
}

} // namespace

void StreamObserver::showNotice(const QString &text) {
    streams_.say(text);
}

void StreamObserver::showWarning(const QString &text, const QString &caption) {
    // The window's message box, as one line: its caption, then its text.
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    streams_.say(caption.isEmpty() ? line : caption + QStringLiteral(": ") + line);
}

void StreamObserver::appendLogLine(const QByteArray &line) {
    ++seen_;
    if (line.contains(cmd::kModelWord)) modelWord_ = true;
    streams_.out(utf8(line));
}

QString defaultSettingsPath(const QString &zevo3Path) {
    const QFileInfo self(zevo3Path);
    // The window program's name with zevo3's own suffix (".exe" or none).
    const QString suffix = self.suffix().isEmpty() ? QString() : QLatin1Char('.') + self.suffix();
    return chooseSettingsPath(
        QDir(self.absolutePath()).filePath(QStringLiteral("zevo3tool") + suffix));
}

DeviceSession::DeviceSession(const Streams &streams) : streams_(streams), observer_(streams) {
}

DeviceSession::~DeviceSession() {
    if (link_) link_->ClosePort();
    link_.reset();
    device_.reset();
    if (sim_) sim_->stop();
}

bool DeviceSession::open(const LinkOptions &options) {
    if (!prepare(options)) return false;
    if (!link_->OpenPort(true)) {
        const QString reason = device_->openFailureReason();
        streams_.say(QStringLiteral("cannot open the port \"%1\" (settings: %2)%3")
                         .arg(toDisplay(com_.PortName), options.iniPath,
                              reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
        return false;
    }
    return true;
}

QString DeviceSession::simulatedPort() const {
    return sim_ ? sim_->devicePath() : QString();
}

bool DeviceSession::prepare(const LinkOptions &options) {
    QString problem;
    WaveSettings wave;
    if (!ReadSettings(options.iniPath, com_, wave, &problem))
        streams_.say(settingsRefusedText(options.iniPath, problem));
    if (options.simulate) {
        SimOptions simOptions;
        simOptions.logPath = options.simLog;
        sim_ = std::make_unique<SimUnit>(simOptions);
        QString error;
        if (!sim_->start(&error)) {
            streams_.say(QStringLiteral("cannot start the simulated unit: %1").arg(error));
            return false;
        }
        com_.PortName = toCp932(sim_->devicePath());
    } else if (!options.port.isEmpty()) {
        com_.PortName = toCp932(options.port);
    }
    device_ = std::make_unique<QtSerialDevice>();
    clock_ = std::make_unique<SteadyTickClock>();
    link_ = std::make_unique<Link>(*device_, com_, *clock_);
    link_->setObserver(&observer_);
    link_->setErrorReporting(false);
    return true;
}

bool DeviceSession::send(const QByteArray &text) {
    if (!link_->portOpen()) return false;
    link_->SendMessage(text);
    // A line failure found by the send closes the port on the next step.
    if (link_->lineFailure()) return false;
    ++sent_;
    return true;
}

void DeviceSession::listen(int ms) {
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void DeviceSession::hearLineFailure() {
    // The receive thread ends with the port closed; the link then says why,
    // in the words the window shows, from the event loop.
    const QDeadlineTimer deadline(2000);
    while (link_->receiveRunning() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    listen(20);
}

int versionCommand(DeviceSession &session) {
    if (!session.send(cmd::kVersion)) {
        session.listen(1); // the step that found the line failure reports it
        return kNoAnswer;
    }
    session.listen(kVersionListenMs);
    if (session.observer().modelWordSeen()) return kDone;
    session.streams().say(
        session.observer().linesSeen() == 0
            ? QStringLiteral("the unit did not answer within %1 ms").arg(kVersionListenMs)
            : QStringLiteral("no answer holding \"%1\" within %2 ms")
                  .arg(QString::fromLatin1(cmd::kModelWord))
                  .arg(kVersionListenMs));
    return kNoAnswer;
}

int sendCommand(DeviceSession &session, const std::vector<QByteArray> &messages, int waitMs) {
    for (const QByteArray &message : messages) {
        if (message.isEmpty()) continue; // the console sends nothing for an empty box
        if (!session.send(message)) {
            session.listen(1);
            session.streams().say(QStringLiteral("the line failed; not everything was sent"));
            return kNoAnswer;
        }
    }
    session.listen(waitMs);
    if (session.link().portOpen()) return kDone;
    session.streams().say(QStringLiteral("the port was closed while listening"));
    return kNoAnswer;
}

std::vector<QByteArray> consoleMessages(const QStringList &texts) {
    std::vector<QByteArray> messages;
    for (const QString &text : texts)
        messages.push_back(toCp932(text));
    return messages;
}

std::vector<QByteArray> fireMessages(int row, int frames) {
    return {TwlMessage(row), TwfMessage(frames)};
}

int downloadDryRun(const std::vector<RegistrationMessage> &plan, const Streams &streams) {
    for (const RegistrationMessage &message : plan)
        streams.out(utf8(message.text));
    streams.say(QStringLiteral("%1 messages; dry run, nothing sent").arg(plan.size()));
    return kDone;
}

int downloadCommand(DeviceSession &session, const std::vector<RegistrationMessage> &plan,
                    const DownloadReport *report) {
    Link &link = session.link();
    const Streams &streams = session.streams();
    RegistrationHooks hooks;
    // As the layout window: clear, send, wait for each message; only the
    // acknowledgement of a deciding message ends the run when it is missing.
    bool lineFailed = false;
    hooks.sendAndWait = [&link, &lineFailed](const RegistrationMessage &m) {
        const Link::AckResult result = link.sendAndWait(m.text, kRegistrationAckMs);
        lineFailed = result == Link::AckResult::LineFailed;
        return result == Link::AckResult::Acknowledged;
    };
    // A line failure closes the port: nothing further can go out.
    hooks.stopRequested = [&link] { return !link.portOpen(); };
    hooks.progress = [&](int i, int n) {
        if (report) return report->progress(i, n);
        streams.say(QStringLiteral("message %1 of %2: %3")
                        .arg(i)
                        .arg(n)
                        .arg(toDisplay(plan[size_t(i - 1)].text)));
    };
    // The last word: said, or handed to the report.
    const auto end = [&](int status, const QString &text) {
        if (report)
            report->end(status, text);
        else
            streams.say(text);
        return status;
    };
    const RegistrationOutcome outcome = RunRegistration(plan, hooks);
    switch (outcome.end) {
    case RegistrationEnd::Completed:
        return end(kDone,
                   QStringLiteral("download complete: %1 messages acknowledged").arg(plan.size()));
    case RegistrationEnd::NotAcknowledged: {
        const RegistrationMessage &m = plan[size_t(outcome.failed)];
        if (lineFailed) {
            // Not a silent unit: the line failed during the wait.
            session.hearLineFailure();
            return end(kNoAnswer,
                       QStringLiteral("download stopped: message %1 of %2 (%3): the line "
                                      "failed and the port %4 was closed")
                           .arg(outcome.failed + 1)
                           .arg(plan.size())
                           .arg(toDisplay(m.text), toDisplay(session.settings().PortName)));
        }
        return end(kNoAnswer, QStringLiteral("download stopped: message %1 of %2 (%3) was not "
                                             "acknowledged within %4 ms")
                                  .arg(outcome.failed + 1)
                                  .arg(plan.size())
                                  .arg(toDisplay(m.text))
                                  .arg(kRegistrationAckMs));
    }
    case RegistrationEnd::Stopped:
        break;
    }
    session.hearLineFailure();
    return end(kNoAnswer, QStringLiteral("download stopped before message %1 of %2: the line "
                                         "failed and the port %3 was closed")
                              .arg(outcome.failed + 1)
                              .arg(plan.size())
                              .arg(toDisplay(session.settings().PortName)));
}

int searchCommand(DeviceSession &session, const std::vector<PortCandidate> &candidates) {
    const Streams &streams = session.streams();
    PortSearchHooks hooks;
    auto line = [&streams](const PortCandidate &c, const QString &what) {
        streams.out((c.name + QLatin1Char('\t') + what +
                     (c.description.isEmpty() ? QString() : QLatin1Char('\t') + c.description))
                        .toUtf8());
    };
    hooks.failed = [&](const PortCandidate &c, const QString &reason) {
        line(c,
             QStringLiteral("cannot open: ") + (reason.isEmpty() ? QStringLiteral("?") : reason));
    };
    hooks.asked = [&](const PortCandidate &c, bool answered) {
        line(c, answered ? QStringLiteral("answered") : QStringLiteral("no answer"));
    };
    const PortSearchResult result =
        searchPorts(session.link(), session.settings(), candidates, hooks);
    if (result.found < 0) {
        streams.say(QStringLiteral("no port answered (%1 tried)").arg(candidates.size()));
        return kNoAnswer;
    }
    streams.say(QStringLiteral("the unit answers on %1").arg(result.portName));
    return kDone;
}

} // namespace zevo3::cli
