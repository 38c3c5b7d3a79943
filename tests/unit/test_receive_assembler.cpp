#include "receive_assembler.h"

#include <QByteArrayList>
#include <gtest/gtest.h>

using namespace zevo3;

namespace {

struct Sink : ReceiveSink {
    int acks = 0;
    QByteArrayList messages;
    void acknowledged() override { ++acks; }
    void messageComplete(const QByteArray &m) override { messages << m; }
    QByteArrayList lines() const {
        QByteArrayList out;
        for (const QByteArray &m : messages)
            out << ReceiveAssembler::renderLogLine(m);
        return out;
    }
};

struct Fixture {
    explicit Fixture(int mode, uint32_t silence = 100) : assembler(mode, silence) {}
    ReceiveAssembler assembler;
    Sink sink;
    ReceiveAssembler::Result feed(const QByteArray &bytes, uint32_t now = 0) {
        return assembler.feed(bytes.constData(), bytes.size(), now, sink);
    }
};

} // namespace

TEST(ReceiveAssembler, CrLfModeDropsThePair) {
    Fixture f(4);
    f.feed("Ver1.0\r\n");
    f.feed("\r\n");
    f.feed("\n"); // a lone LF does not end a message
    EXPECT_EQ(f.sink.lines(), (QByteArrayList{"Ver1.0", " "}));
    EXPECT_EQ(f.assembler.count(), 1);
}

TEST(ReceiveAssembler, SingleByteDelimitersStayInTheLine) {
    Fixture etx(1);
    etx.feed("\x02"
             "AB\x03");
    EXPECT_EQ(etx.sink.lines(), QByteArrayList{" 02h AB 03h"});
    Fixture cr(2);
    cr.feed("OK\r\n");
    EXPECT_EQ(cr.sink.lines(), QByteArrayList{"OK 0Dh"});
    EXPECT_EQ(cr.assembler.count(), 1); // the LF starts the next message
    Fixture lf(3);
    lf.feed("OK\r\n");
    EXPECT_EQ(lf.sink.lines(), QByteArrayList{"OK 0Dh 0Ah"});
}

TEST(ReceiveAssembler, SilenceCompletesAMessage) {
    Fixture f(0, 100);
    f.feed("OK\r\n", 1000);
    f.assembler.finishIfSilent(1100, f.sink); // exactly the time-out: not yet
    EXPECT_TRUE(f.sink.messages.isEmpty());
    f.assembler.finishIfSilent(1101, f.sink);
    EXPECT_EQ(f.sink.lines(), QByteArrayList{"OK 0Dh 0Ah"});
    f.assembler.finishIfSilent(5000, f.sink); // nothing pending: nothing more
    EXPECT_EQ(f.sink.messages.size(), 1);
}

TEST(ReceiveAssembler, SilenceAcrossTheTickWrap) {
    Fixture f(0, 100);
    f.feed("X", 0xFFFFFFF0u);
    f.assembler.finishIfSilent(0x00000010u, f.sink); // 32 ms later
    EXPECT_TRUE(f.sink.messages.isEmpty());
    f.assembler.finishIfSilent(0x00000060u, f.sink); // 112 ms later
    EXPECT_EQ(f.sink.messages.size(), 1);
}

TEST(ReceiveAssembler, AckIsTakenOutWhereverItStands) {
    Fixture f(4);
    f.feed("\x06");
    EXPECT_EQ(f.sink.acks, 1);
    EXPECT_FALSE(f.assembler.pending());
    f.feed("A\x06"
           "B\r\n");
    EXPECT_EQ(f.sink.acks, 2);
    EXPECT_EQ(f.sink.lines(), QByteArrayList{"AB"});
    // Between CR and LF the pair still closes the message.
    f.feed("C\r\x06\n");
    EXPECT_EQ(f.sink.lines().last(), "C");
}

TEST(ReceiveAssembler, ThreeZerosAfterMoreThanTenBytesBreakTheLine) {
    Fixture broken(4);
    EXPECT_EQ(broken.feed(QByteArray("ABCDEFGHIJK") + QByteArray(3, '\0') + "more\r\n"),
              ReceiveAssembler::Result::LineFailure);
    EXPECT_TRUE(broken.sink.messages.isEmpty());
    EXPECT_FALSE(broken.assembler.pending());

    Fixture shortOne(4);
    EXPECT_EQ(shortOne.feed(QByteArray("AB") + QByteArray(3, '\0') + "\r\n"),
              ReceiveAssembler::Result::Ok);
    EXPECT_EQ(shortOne.sink.lines(), QByteArrayList{"AB 00h 00h 00h"});

    // The count includes the zeros: ten bytes in all is still fine, eleven is not.
    Fixture ten(0);
    EXPECT_EQ(ten.feed(QByteArray("ABCDEFG") + QByteArray(3, '\0')), ReceiveAssembler::Result::Ok);
    Fixture eleven(0);
    EXPECT_EQ(eleven.feed(QByteArray("ABCDEFGH") + QByteArray(2, '\0')),
              ReceiveAssembler::Result::Ok);
    EXPECT_EQ(eleven.feed(QByteArray(1, '\0')), ReceiveAssembler::Result::LineFailure);
}

TEST(ReceiveAssembler, LongMessagesAreCutAt4097Bytes) {
    Fixture f(4);
    f.feed(QByteArray(5000, 'x') + "\r\n");
    ASSERT_EQ(f.sink.messages.size(), 2);
    EXPECT_EQ(f.sink.messages[0].size(), 4097);
    EXPECT_EQ(f.sink.messages[1].size(), 5000 - 4097);
    Fixture many(0);
    many.feed(QByteArray(3 * 4097, 'y'));
    EXPECT_EQ(many.sink.messages.size(), 3);
    EXPECT_FALSE(many.assembler.pending());
}

TEST(ReceiveAssembler, LogLinesShowControlBytesAndKeepShiftJis) {
    EXPECT_EQ(ReceiveAssembler::renderLogLine(QByteArray("OK\r\n")), "OK 0Dh 0Ah");
    EXPECT_EQ(ReceiveAssembler::renderLogLine(QByteArray("\x1f\x7f"
                                                         "a b")),
              " 1Fh 7Fh a b");
    EXPECT_EQ(ReceiveAssembler::renderLogLine(QByteArray(1, '\0')), " 00h");
    const QByteArray sjis = "\x83\x65\x83\x58\x83\x67"; // テスト
    EXPECT_EQ(ReceiveAssembler::renderLogLine(sjis), sjis);
    Fixture f(4);
    f.feed(sjis + "\r\n");
    EXPECT_EQ(f.sink.lines(), QByteArrayList{sjis});
}

TEST(ReceiveAssembler, BytesSplitAcrossStepsMakeOneMessage) {
    Fixture f(4);
    f.feed("Ver", 0);
    f.feed("1.0\r", 5);
    f.assembler.finishIfSilent(50, f.sink);
    f.feed("\n", 60);
    EXPECT_EQ(f.sink.lines(), QByteArrayList{"Ver1.0"});
}
