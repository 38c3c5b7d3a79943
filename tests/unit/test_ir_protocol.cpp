// The IR protocols: signals written here from the published timings as
// plain numbers decode right; encode then decode gives back the fields over
// their range, with and without jitter; a bit out of place is said, never
// read as another code.

#include "ir_protocol.h"
#include "quantiser.h"

#include <gtest/gtest.h>
#include <random>

namespace zevo3::test {
namespace {

// NEC, 38 kHz: 9 ms / 4.5 ms, 32 bits LSB first of 560 µs marks with 560
// or 1690 µs spaces, a stop mark, 108 ms a frame.
std::vector<int32_t> necFrame(uint32_t bits) {
    std::vector<int32_t> d = {9000, 4500};
    for (int k = 0; k < 32; ++k)
        d.insert(d.end(), {560, (bits >> k) & 1 ? 1690 : 560});
    d.insert(d.end(), {560, 40000});
    return d;
}

FlatSignal signalOf(int carrier, std::vector<int32_t> d) {
    return {carrier, std::move(d)};
}

// Every duration moved by up to ±percent, the same way for the same seed.
FlatSignal jittered(FlatSignal s, int percent, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> by(-percent, percent);
    for (int32_t &d : s.durations)
        d = int32_t(int64_t(d) * (100 + by(random)) / 100);
    return s;
}

} // namespace

TEST(IrProtocolTest, SignalsFromPublishedTimingsDecode) {
    // NEC address 0x04 command 0x08: 04 FB 08 F7 on the wire, then two
    // repeat frames of 9 ms / 2.25 ms and a 560 µs mark.
    std::vector<int32_t> nec = necFrame(0x04u | 0xFBu << 8 | 0x08u << 16 | 0xF7u << 24);
    nec.insert(nec.end(), {9000, 2250, 560, 96190, 9000, 2250, 560, 96190});
    DecodedCode code = decodeSignal(signalOf(38000, nec));
    EXPECT_EQ(code.protocol, "NEC");
    EXPECT_EQ(code.address, 0x04u);
    EXPECT_EQ(code.command, 0x08u);
    EXPECT_EQ(code.frames, 1);
    EXPECT_EQ(code.repeats, 2);
    EXPECT_EQ(code.note, "");

    // NECext: address bytes 0x10 0x27 (no complement), command 0x05 0x1A.
    code = decodeSignal(signalOf(38000, necFrame(0x10u | 0x27u << 8 | 0x05u << 16 | 0x1Au << 24)));
    EXPECT_EQ(code.protocol, "NECext");
    EXPECT_EQ(code.address, 0x2710u);
    EXPECT_EQ(code.command, 0x1A05u);

    // SIRC 12 bits at 40 kHz: 2.4 ms leader, 600 µs spaces, 1200 µs for a 1;
    // command 21 (0010101), address 1 (00001), LSB first, three frames.
    std::vector<int32_t> sirc;
    for (int frame = 0; frame < 3; ++frame) {
        sirc.push_back(2400);
        const int bits[] = {1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 0, 0};
        for (int b : bits)
            sirc.insert(sirc.end(), {600, b ? 1200 : 600});
        sirc.push_back(25000);
    }
    code = decodeSignal(signalOf(40000, sirc));
    EXPECT_EQ(code.protocol, "SIRC");
    EXPECT_EQ(code.command, 21u);
    EXPECT_EQ(code.address, 1u);
    EXPECT_EQ(code.frames, 3);

    // RC5 at 36 kHz, 889 µs half-bits: 1 1 0 (toggle 0), address 5 (00101),
    // command 53 (110101), a 1 space then mark; the first space is not seen.
    const std::vector<int32_t> rc5 = {889, 889, 1778, 889, 889,  889,  889,  1778, 1778, 1778,
                                      889, 889, 889,  889, 1778, 1778, 1778, 1778, 889,  89000};
    code = decodeSignal(signalOf(36000, rc5));
    EXPECT_EQ(code.protocol, "RC5");
    EXPECT_EQ(code.address, 5u);
    EXPECT_EQ(code.command, 53u);
    EXPECT_EQ(code.toggle, 0);
}

TEST(IrProtocolTest, EncodeThenDecodeGivesTheFieldsBack) {
    struct Case {
        const char *protocol;
        uint32_t addressMax, commandMax;
    };
    const Case cases[] = {{"NEC", 0xFF, 0xFF},      {"NECext", 0xFFFF, 0xFFFF},
                          {"NEC42", 0x1FFF, 0xFF},  {"NEC42ext", 0x3FFFFFF, 0xFFFF},
                          {"SIRC", 0x1F, 0x7F},     {"SIRC15", 0xFF, 0x7F},
                          {"SIRC20", 0x1FFF, 0x7F}, {"RC5", 0x1F, 0x3F},
                          {"RC5X", 0x1F, 0x7F}};
    std::mt19937 random(7);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.protocol);
        const uint32_t commands = std::min<uint32_t>(c.commandMax, 0xFF) + 1;
        for (uint32_t i = 0; i < commands + 50; ++i) {
            uint32_t command = i < commands ? i : random() % (c.commandMax + 1);
            uint32_t address = random() % (c.addressMax + 1);
            // An extended NEC address whose halves are complements is a NEC
            // address: such a frame is NEC, its command then checked.
            if (QByteArray(c.protocol).endsWith("ext")) {
                const int half = c.addressMax == 0xFFFF ? 8 : 13;
                const uint32_t low = address & ((1u << half) - 1);
                if ((address >> half) == (low ^ ((1u << half) - 1))) address ^= 1u << half;
            }
            // An RC5X command below 0x40 is an RC5 code on the wire.
            if (QByteArray(c.protocol) == "RC5X") command |= 0x40;
            const int repeats = int(i % 4), toggle = int(i % 2);
            const EncodedCode e =
                encodeSignal(QString::fromLatin1(c.protocol), address, command, repeats, toggle);
            ASSERT_TRUE(e.ok) << e.message.toStdString();
            for (int jitter : {0, 8}) {
                const DecodedCode d = decodeSignal(jittered(e.signal, jitter, i));
                ASSERT_EQ(d.protocol, c.protocol)
                    << command << " jitter " << jitter << " " << d.note.toStdString();
                EXPECT_EQ(d.address, address);
                EXPECT_EQ(d.command, command);
                EXPECT_EQ(d.repeats, repeats);
                if (QByteArray(c.protocol).startsWith("RC5")) {
                    EXPECT_EQ(d.toggle, toggle);
                }
                EXPECT_EQ(d.note, "");
            }
            // Stored through the quantiser, the description still decodes.
            if (i % 16 == 0) {
                const Quantised q = quantise(e.signal);
                ASSERT_TRUE(q.ok) << q.message.toStdString();
                EXPECT_EQ(decodeSignal(flatSignalOf(q.info)).command, command);
            }
        }
    }
}

TEST(IrProtocolTest, ABitOutOfPlaceIsSaidAndNeverReadAsAnotherCode) {
    const uint32_t wire = 0x04u | 0xFBu << 8 | 0x08u << 16 | 0xF7u << 24;
    // One command bit changed: the complement disagrees.
    DecodedCode code = decodeSignal(signalOf(38000, necFrame(wire ^ 1u << 17)));
    EXPECT_EQ(code.protocol, "");
    EXPECT_EQ(code.note, "NEC: command 0x0a and its complement 0xf7 disagree");
    // A space between the two published ones at bit 12.
    std::vector<int32_t> d = necFrame(wire);
    d[3 + 2 * 11] = 1150;
    code = decodeSignal(signalOf(38000, d));
    EXPECT_EQ(code.protocol, "");
    EXPECT_EQ(code.note, "NEC: bit 12: a space of 1150 µs is neither 560 nor 1690 µs");
    // Noise: nothing of any protocol.
    code = decodeSignal(signalOf(38000, {300, 300, 5000, 300, 300, 20000}));
    EXPECT_EQ(code.protocol, "");
    EXPECT_EQ(code.note, "no frame matches a protocol");
}

TEST(IrProtocolTest, ACaptureCutShortOrWithALeaderOffStillDecodes) {
    std::vector<int32_t> d = necFrame(0x04u | 0xFBu << 8 | 0x08u << 16 | 0xF7u << 24);
    d[0] = 9900; // the first mark a little long, as learned
    d.insert(d.end(), {9000, 2250, 560, 96190, 9000, 2250}); // the last repeat cut
    const DecodedCode code = decodeSignal(signalOf(38000, d));
    EXPECT_EQ(code.protocol, "NEC");
    EXPECT_EQ(code.repeats, 1);
    EXPECT_EQ(code.note, "the last frame is cut short or unlike the first");
}

TEST(IrProtocolTest, FieldsWiderThanTheProtocolsAreRefusedWithTheWidths) {
    EXPECT_EQ(encodeSignal("NEC", 0x100, 1).message,
              "NEC takes a 8-bit address and a 8-bit command");
    EXPECT_EQ(encodeSignal("SIRC", 1, 0x80).message,
              "SIRC takes a 5-bit address and a 7-bit command");
    EXPECT_FALSE(encodeSignal("RC5", 1, 1, 0, 2).ok);
    EXPECT_TRUE(encodeSignal("Morse", 1, 1).message.startsWith("unknown protocol \"Morse\""));
}

} // namespace zevo3::test
