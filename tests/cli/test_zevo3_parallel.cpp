// zevo3 download to several units at once, against simulated units on
// pseudo-terminals: every unit that can take the layout and codes takes all
// of them, in order, whatever another unit does (hangs up, stays silent, is
// not there), and the summary says which did.

#include "registration.h"
#include "run_zevo3.h"
#include "samples.h"
#include "save_file.h"
#include "sim_unit.h"
#include "text_codec.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace zevo3;
using zevo3::test::Outcome;
using zevo3::test::runZevo3;

namespace {

class Zevo3Parallel : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(saveFileAtomically(tablePath, WriteTableFile(*samples::table())));
        ASSERT_TRUE(saveFileAtomically(
            layoutPathFor(tablePath), SaveLayoutFile(samples::layout(), layoutPathFor(tablePath))));
        ASSERT_TRUE(saveFileAtomically(iniPath, "[COMPORT]\r\nBaudRate=57600\r\n"));
        for (const RegistrationMessage &m : RegistrationPlan(*samples::table(), samples::layout()))
            plan.append(m.text);
    }
    SimUnit &unit(SimOptions options = {}) {
        sims.push_back(std::make_unique<SimUnit>(options));
        QString error;
        EXPECT_TRUE(sims.back()->start(&error)) << error.toStdString();
        return *sims.back();
    }
    Outcome run(QStringList args) { return runZevo3(args << QStringLiteral("--ini") << iniPath); }

    QTemporaryDir dir;
    QString iniPath = dir.filePath(QStringLiteral("zevo3tool.ini"));
    QString tablePath = dir.filePath(QStringLiteral("tv.Csv"));
    QList<QByteArray> plan;
    std::vector<std::unique_ptr<SimUnit>> sims;
};

} // namespace

TEST_F(Zevo3Parallel, EveryUnitTakesEverythingWhateverTheOthersDo) {
    SimUnit &first = unit();
    SimOptions hangUp;
    hangUp.hangUpAfter = 5;
    SimUnit &hanging = unit(hangUp);
    SimOptions silent;
    silent.noAck = true;
    SimUnit &quiet = unit(silent);
    SimUnit &last = unit();
    const QString missing = QStringLiteral("/dev/zevo3-no-such-port");
    // Ports given both ways, in any order with the other options.
    const Outcome out = run(
        {QStringLiteral("--json"), QStringLiteral("download"), QStringLiteral("--port"),
         first.devicePath(), tablePath, QStringLiteral("--ports"),
         hanging.devicePath() + QLatin1Char(',') + missing + QLatin1Char(',') + quiet.devicePath(),
         QStringLiteral("--port"), last.devicePath()});
    EXPECT_EQ(out.code, 1) << out.err.toStdString();
    // The two sound units took the whole plan, in order.
    EXPECT_EQ(first.received(), plan);
    EXPECT_EQ(last.received(), plan);
    EXPECT_EQ(hanging.received(), plan.mid(0, 5));
    EXPECT_EQ(quiet.received(), plan.mid(0, 1)); // the first message decides

    const QJsonArray runs = QJsonDocument::fromJson(out.out).array();
    ASSERT_EQ(runs.size(), 5) << out.out.toStdString();
    const auto runOf = [&](const QString &port) {
        for (const QJsonValue &v : runs)
            if (v[QLatin1String("port")].toString() == port) return v.toObject();
        return QJsonObject();
    };
    EXPECT_TRUE(runOf(first.devicePath())[QLatin1String("done")].toBool());
    EXPECT_TRUE(runOf(last.devicePath())[QLatin1String("done")].toBool());
    EXPECT_EQ(runOf(last.devicePath())[QLatin1String("sent")].toInt(), plan.size());
    const QJsonObject hung = runOf(hanging.devicePath());
    EXPECT_FALSE(hung[QLatin1String("done")].toBool());
    EXPECT_TRUE(hung[QLatin1String("text")].toString().contains("the line failed"));
    EXPECT_TRUE(runOf(quiet.devicePath())[QLatin1String("text")].toString().contains(
        "was not acknowledged"));
    const QJsonObject absent = runOf(missing);
    EXPECT_EQ(absent[QLatin1String("status")].toInt(), 2);
    EXPECT_TRUE(absent[QLatin1String("text")].toString().startsWith("cannot open the port"));
    EXPECT_TRUE(out.err.contains("zevo3: 2 of 5 units took everything")) << out.err.toStdString();
    // A line a port on standard error, each ending with its last word.
    EXPECT_TRUE(out.err.contains((last.devicePath() + ": download complete: ").toUtf8()));
}

TEST_F(Zevo3Parallel, AllUnitsDoneIsStatusZeroAndTheOptionsGoTogetherAsTheyShould) {
    SimUnit &a = unit();
    SimUnit &b = unit();
    const Outcome out = run({QStringLiteral("download"), tablePath, QStringLiteral("--ports"),
                             a.devicePath() + QLatin1Char(',') + b.devicePath()});
    EXPECT_EQ(out.code, 0) << out.err.toStdString();
    EXPECT_EQ(a.received(), plan);
    EXPECT_EQ(b.received(), plan);
    EXPECT_TRUE(out.out.isEmpty()); // no --json, no summary on standard output
    // --simulate is one unit; --json needs several ports.
    EXPECT_EQ(run({QStringLiteral("download"), tablePath, QStringLiteral("--simulate"),
                   QStringLiteral("--ports"), a.devicePath()})
                  .code,
              2);
    EXPECT_EQ(run({QStringLiteral("download"), tablePath, QStringLiteral("--port"), a.devicePath(),
                   QStringLiteral("--json")})
                  .code,
              2);
}

TEST_F(Zevo3Parallel, VersionAndFireTakeThePortListToo) {
    SimUnit &a = unit();
    SimUnit &b = unit();
    const QString missing = QStringLiteral("/dev/zevo3-no-such-port");
    const Outcome version =
        run({QStringLiteral("version"), QStringLiteral("--port"), a.devicePath(),
             QStringLiteral("--port"), b.devicePath(), QStringLiteral("--port"), missing});
    EXPECT_EQ(version.code, 1) << version.err.toStdString();
    // Each unit's answer on standard output after its port.
    EXPECT_TRUE(version.out.contains((a.devicePath() + ": ZEVO3").toUtf8()))
        << version.out.toStdString();
    EXPECT_TRUE(version.out.contains((b.devicePath() + ": ZEVO3").toUtf8()));
    EXPECT_TRUE(version.err.contains("zevo3: 2 of 3 units took everything"))
        << version.err.toStdString();

    const Outcome fire =
        run({QStringLiteral("fire"), QStringLiteral("7"), QStringLiteral("--json"),
             QStringLiteral("--ports"), a.devicePath() + QLatin1Char(',') + b.devicePath()});
    EXPECT_EQ(fire.code, 0) << fire.err.toStdString();
    for (SimUnit *unit : {&a, &b}) {
        const QList<QByteArray> got = unit->received();
        ASSERT_GE(got.size(), 3);
        EXPECT_EQ(got.mid(got.size() - 2), (QList<QByteArray>{"Twl:007", "Twf:003"}));
    }
    EXPECT_EQ(QJsonDocument::fromJson(fire.out).array().size(), 2);
}

TEST_F(Zevo3Parallel, EveryPortListCountsAndAPortNamedTwiceIsUsedOnce) {
    SimUnit &a = unit();
    SimUnit &b = unit();
    SimUnit &c = unit();
    // The same device under a link of its own, and named again as it is.
    const QString link = dir.filePath(QStringLiteral("bench-unit-c"));
    ASSERT_TRUE(QFile::link(c.devicePath(), link));
    const Outcome out =
        run({QStringLiteral("download"), tablePath, QStringLiteral("--ports"),
             a.devicePath() + QLatin1Char(',') + b.devicePath(), QStringLiteral("--ports"), link,
             QStringLiteral("--port"), c.devicePath(), QStringLiteral("--json")});
    EXPECT_EQ(out.code, 0) << out.err.toStdString();
    for (SimUnit *u : {&a, &b, &c})
        EXPECT_EQ(u->received(), plan);
    EXPECT_EQ(QJsonDocument::fromJson(out.out).array().size(), 3) << out.out.toStdString();
    // The --port ones come first, so the link is the one said to be the same.
    EXPECT_TRUE(out.err.contains(
        (link + QStringLiteral(" is the same port as ") + c.devicePath()).toUtf8()))
        << out.err.toStdString();

    // One port named twice is still a run on a port list, so --json holds.
    const Outcome twice = run({QStringLiteral("version"), QStringLiteral("--port"), a.devicePath(),
                               QStringLiteral("--port"), a.devicePath(), QStringLiteral("--json")});
    EXPECT_EQ(twice.code, 0) << twice.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(twice.out).array().size(), 1) << twice.out.toStdString();

    // A command of one port refuses several rather than sending to the last.
    const QList<QByteArray> before = a.received();
    EXPECT_EQ(run({QStringLiteral("send"), QStringLiteral("Version"), QStringLiteral("--port"),
                   a.devicePath(), QStringLiteral("--port"), b.devicePath()})
                  .code,
              2);
    EXPECT_EQ(a.received(), before);
}

TEST_F(Zevo3Parallel, WithJsonStandardOutputHoldsTheSummaryAloneWithEachUnitsAnswer) {
    SimUnit &a = unit();
    SimOptions late; // answers after zevo3 stopped listening
    late.answerDelayMs = 1500;
    SimUnit &quiet = unit(late);
    const Outcome out =
        run({QStringLiteral("version"), QStringLiteral("--json"), QStringLiteral("--ports"),
             a.devicePath() + QLatin1Char(',') + quiet.devicePath()});
    EXPECT_EQ(out.code, 1) << out.err.toStdString();
    QJsonParseError error;
    const QJsonArray runs = QJsonDocument::fromJson(out.out, &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << out.out.toStdString();
    ASSERT_EQ(runs.size(), 2);
    const QJsonObject answered = runs[0].toObject();
    EXPECT_TRUE(answered[QLatin1String("done")].toBool());
    EXPECT_EQ(answered[QLatin1String("sent")].toInt(), 1);
    EXPECT_EQ(answered[QLatin1String("messages")].toInt(), 1);
    ASSERT_FALSE(answered[QLatin1String("answer")].toArray().isEmpty());
    EXPECT_TRUE(answered[QLatin1String("answer")][0].toString().contains("ZEVO3"));
    const QJsonObject silentRun = runs[1].toObject();
    EXPECT_FALSE(silentRun[QLatin1String("done")].toBool());
    EXPECT_TRUE(silentRun[QLatin1String("text")].toString().contains("did not answer"))
        << silentRun[QLatin1String("text")].toString().toStdString();
    // Its reason once on standard error, after its port.
    EXPECT_EQ(out.err.count("did not answer"), 1) << out.err.toStdString();
}
