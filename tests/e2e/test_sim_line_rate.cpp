// The simulated unit with the line rate emulated: an answer reaches the tool
// no sooner than the line could have carried the message and the answer, and
// not much later. Benchmarks measure the tool against exactly this bound.

#include "sim_unit.h"

#include <QElapsedTimer>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <unistd.h>

using namespace zevo3;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRate = 9600;

// The time `bytes` take on the line at kRate (10 bits a byte).
std::chrono::microseconds lineTime(qsizetype bytes) {
    return std::chrono::microseconds(qint64(bytes) * 10 * 1'000'000 / kRate);
}

class PacedSim : public ::testing::Test {
protected:
    void SetUp() override {
        SimOptions options;
        options.lineRate = kRate;
        options.inLineRate = kRate;
        sim = std::make_unique<SimUnit>(options);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();
        fd = ::open(sim->devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
    }
    void TearDown() override {
        if (fd >= 0) ::close(fd);
        sim->stop();
    }
    // Sends `message` and reads until `answerBytes` bytes came back; the
    // time from the write to the last byte.
    Clock::duration exchange(const QByteArray &message, qsizetype answerBytes, QByteArray *answer) {
        const auto t0 = Clock::now();
        EXPECT_EQ(::write(fd, message.constData(), size_t(message.size())), message.size());
        QElapsedTimer limit;
        limit.start();
        while (answer->size() < answerBytes && limit.elapsed() < 5000) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0) {
                char buf[256];
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n > 0) answer->append(buf, n);
            }
        }
        return Clock::now() - t0;
    }

    std::unique_ptr<SimUnit> sim;
    int fd = -1;
};

} // namespace

TEST_F(PacedSim, AnswersComeNoSoonerThanTheLineCarriesBothWays) {
    const QByteArray version = "Version\r\n";
    QByteArray answer;
    const auto took = exchange(version, 19, &answer);
    ASSERT_EQ(answer, QByteArray("ZEVO3 Ver1.00 SIM\r\n"));
    const auto bound = lineTime(version.size() + answer.size());
    EXPECT_GE(took, bound);
    EXPECT_LT(took, bound * 10);

    // Acknowledgements one after the other: each on its own bound, none
    // early because the unit wakes ahead of time to be punctual.
    const QByteArray record = "Kw:01,01,--,--,--,--,--,--,--\r\n";
    for (int i = 0; i < 5; ++i) {
        QByteArray ack;
        const auto ackTook = exchange(record, 1, &ack);
        ASSERT_EQ(ack, QByteArray(1, '\x06')) << "message " << i;
        EXPECT_GE(ackTook, lineTime(record.size() + 1)) << "message " << i;
        EXPECT_LT(ackTook, lineTime(record.size() + 1) * 10) << "message " << i;
    }
    EXPECT_EQ(sim->messageCount(), 6);
}
