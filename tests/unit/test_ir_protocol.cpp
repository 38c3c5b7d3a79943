// The IR protocols: signals written here from the published timings as
// plain numbers decode right; encode then decode gives back the fields over
// their range, with and without jitter; a bit out of place is said, never
// read as another code.

#include "imported_row.h"
#include "ir_file_format.h"
#include "ir_protocol.h"
#include "parsed_codec.h"
#include "quantiser.h"
#include "table_file.h"

#include <QFile>

#include <cstdlib>
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
    const Case cases[] = {{"NEC", 0xFF, 0xFF},
                          {"NECext", 0xFFFF, 0xFFFF},
                          {"NEC42", 0x1FFF, 0xFF},
                          {"NEC42ext", 0x3FFFFFF, 0xFFFF},
                          {"Samsung32", 0xFF, 0xFF},
                          {"Pioneer", 0xFF, 0xFF},
                          {"Kaseikyo", 0x3FFFFFF, 0x3FF},
                          {"RCA", 0xF, 0xFF},
                          {"JVC", 0xFF, 0xFF},
                          {"Sharp", 0x1F, 0xFF},
                          {"SIRC", 0x1F, 0x7F},
                          {"SIRC15", 0xFF, 0x7F},
                          {"SIRC20", 0x1FFF, 0x7F},
                          {"RC5", 0x1F, 0x3F},
                          {"RC5X", 0x1F, 0x7F},
                          {"RC6", 0xFF, 0xFF}};
    EXPECT_EQ(std::size(cases), size_t(protocolNames().size()));
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
            const bool toggles = protocolFields(QString::fromLatin1(c.protocol))->toggle;
            const int repeats = int(i % 4), toggle = toggles ? int(i % 2) : 0;
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
                if (protocolFields(QString::fromLatin1(c.protocol))->toggle) {
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

    // A leader within its tolerance but no whole number of half-bits: RC6's
    // 2666 µs mark learned as 3200 µs and its 889 µs space as 1100 µs.
    FlatSignal rc6 = encodeSignal("RC6", 0x12, 0x34).signal;
    rc6.durations[0] = 3200;
    rc6.durations[1] = 1100;
    const DecodedCode late = decodeSignal(rc6);
    EXPECT_EQ(late.protocol, "RC6") << late.note.toStdString();
    EXPECT_EQ(late.command, 0x34u);
}

TEST(IrProtocolTest, FieldsWiderThanTheProtocolsAreRefusedWithTheWidths) {
    EXPECT_EQ(encodeSignal("NEC", 0x100, 1).message,
              "NEC takes an 8-bit address and an 8-bit command");
    EXPECT_EQ(encodeSignal("SIRC", 1, 0x80).message,
              "SIRC takes a 5-bit address and a 7-bit command");
    EXPECT_FALSE(encodeSignal("RC5", 1, 1, 0, 2).ok);
    EXPECT_EQ(encodeSignal("NEC", 1, 1, 0, 1).message, "NEC has no toggle bit");
    // An extended address whose bytes are complements would be read as NEC.
    EXPECT_EQ(encodeSignal("NECext", 0xFB04, 0x1234).message,
              "NECext address 0xfb04: its halves are complements, which makes the frame NEC's; "
              "give the code as NEC");
    EXPECT_TRUE(encodeSignal("NECext", 0xFB05, 0x1234).ok);
    EXPECT_TRUE(encodeSignal("Morse", 1, 1).message.startsWith("unknown protocol \"Morse\""));
}

} // namespace zevo3::test

namespace zevo3::test {
namespace {

// A pulse-distance frame as published: a leader (none when 0), then each
// bit a mark and a space, then the stop mark and the gap.
std::vector<int32_t> pulseDistance(std::initializer_list<int32_t> leader, int32_t mark,
                                   int32_t zero, int32_t one, const std::vector<int> &bits,
                                   int32_t gap) {
    std::vector<int32_t> d(leader);
    for (int b : bits)
        d.insert(d.end(), {mark, b ? one : zero});
    d.insert(d.end(), {mark, gap});
    return d;
}

// The bits of value, `count` of them, LSB first (or MSB first).
std::vector<int> bitList(uint64_t value, int count, bool msbFirst = false) {
    std::vector<int> bits;
    for (int k = 0; k < count; ++k)
        bits.push_back(int((value >> (msbFirst ? count - 1 - k : k)) & 1));
    return bits;
}

std::vector<int32_t> joined(std::vector<std::vector<int32_t>> parts) {
    std::vector<int32_t> d;
    for (const auto &p : parts)
        d.insert(d.end(), p.begin(), p.end());
    return d;
}

void expectCode(const DecodedCode &code, const char *protocol, uint32_t address, uint32_t command,
                int repeats) {
    EXPECT_EQ(code.protocol, protocol) << code.note.toStdString();
    EXPECT_EQ(code.address, address) << protocol;
    EXPECT_EQ(code.command, command) << protocol;
    EXPECT_EQ(code.repeats, repeats) << protocol;
    EXPECT_EQ(code.note, "") << protocol;
}

} // namespace

TEST(IrProtocolTest, MorePublishedTimingsDecode) {
    // Samsung32, 38 kHz: 4.5 ms / 4.5 ms, address 0x07 twice, command 0x02
    // and 0xFD; then its repeat frame, the leader with one 1 bit.
    DecodedCode code = decodeSignal(signalOf(
        38000,
        joined({pulseDistance({4500, 4500}, 560, 560, 1690,
                              bitList(0x07u | 0x07u << 8 | 0x02u << 16 | 0xFDu << 24, 32), 47000),
                {4500, 4500, 560, 1690, 560, 90000}})));
    expectCode(code, "Samsung32", 0x07, 0x02, 1);

    // Pioneer: NEC's frame at 40 kHz, sent twice; address 0xA5, command 0x1C.
    const auto pioneer =
        pulseDistance({9000, 4500}, 560, 560, 1690,
                      bitList(0xA5u | 0x5Au << 8 | 0x1Cu << 16 | 0xE3u << 24, 32), 40000);
    expectCode(decodeSignal(signalOf(40000, joined({pioneer, pioneer}))), "Pioneer", 0xA5, 0x1C, 1);

    // JVC: 8.4 ms / 4.2 ms, then 526 µs marks with 526 / 1578 µs spaces;
    // address 0x03, command 0x17; the second frame without its leader.
    const std::vector<int> jvcBits = bitList(0x03u | 0x17u << 8, 16);
    code = decodeSignal(
        signalOf(38000, joined({pulseDistance({8400, 4200}, 526, 526, 1578, jvcBits, 20000),
                                pulseDistance({}, 526, 526, 1578, jvcBits, 30000)})));
    expectCode(code, "JVC", 0x03, 0x17, 1);

    // RCA, 56 kHz: 4 ms / 4 ms, 500 µs marks, 1 / 2 ms spaces, MSB first:
    // address 0xA, command 0x5C, then 0x5 and 0xA3.
    code = decodeSignal(signalOf(
        56000,
        pulseDistance({4000, 4000}, 500, 1000, 2000,
                      bitList(0xAu << 20 | 0x5Cu << 12 | 0x5u << 8 | 0xA3u, 24, true), 8000)));
    expectCode(code, "RCA", 0xA, 0x5C, 0);

    // Kaseikyo, 37 kHz, 432 µs units: vendor 0x2002, parity 0, genres 0 and
    // 0, command 0x03D, id 0; the bytes 02 20 00 D0 03 D3 on the wire.
    code = decodeSignal(
        signalOf(37000, pulseDistance({3456, 1728}, 432, 432, 1296,
                                      bitList(0x02ull | 0x20ull << 8 | 0x00ull << 16 |
                                                  0xD0ull << 24 | 0x03ull << 32 | 0xD3ull << 40,
                                              48),
                                      74000)));
    expectCode(code, "Kaseikyo", 0x200200, 0x03D, 0);

    // Sharp, 38 kHz: 320 µs marks, 680 / 1680 µs spaces; address 1, command
    // 0xE9, expansion 1, check 0; then 40 ms on, the command and both bits
    // inverted.
    code = decodeSignal(signalOf(
        38000,
        joined(
            {pulseDistance({}, 320, 680, 1680, bitList(1u | 0xE9u << 5 | 1u << 13, 15), 40000),
             pulseDistance({}, 320, 680, 1680, bitList(1u | 0x16u << 5 | 1u << 14, 15), 40000)})));
    expectCode(code, "Sharp", 1, 0xE9, 0);

    // RC6 mode 0, 36 kHz, 444 µs units: a 2666 µs mark and 889 µs space,
    // start bit 1 (mark, space), mode 000, toggle 1 (a double mark, a double
    // space), address 0x00, command 0x0C.
    // Merged: the start bit's space with mode bit 2's, the toggle's marks
    // with mode bit 0's, its spaces with address bit 7's.
    std::vector<int32_t> rc6 = {2666, 889, 444, 889, 444, 444, 444, 444, 1333, 1333, 444};
    for (int pair = 0; pair < 7 + 3; ++pair) // address bits 6-0, command bits 7-5
        rc6.insert(rc6.end(), {444, 444});
    // Command bits 4 to 0 are 0 1 1 0 0.
    rc6.insert(rc6.end(), {444, 889, 444, 444, 889, 444, 444, 444, 100000});
    code = decodeSignal(signalOf(36000, rc6));
    expectCode(code, "RC6", 0x00, 0x0C, 0);
    EXPECT_EQ(code.toggle, 1);
}

TEST(IrProtocolTest, TheWiderVariantsFromPublishedTimingsDecode) {
    // NEC42: the NEC timings with a 13-bit address and its complement, then
    // the command and its complement: 42 bits. Address 0x1234, command 0x56.
    const uint64_t nec42 =
        0x1234ull | uint64_t(0x1234 ^ 0x1FFF) << 13 | 0x56ull << 26 | uint64_t(0x56 ^ 0xFF) << 34;
    expectCode(decodeSignal(signalOf(
                   38000, pulseDistance({9000, 4500}, 560, 560, 1690, bitList(nec42, 42), 40000))),
               "NEC42", 0x1234, 0x56, 0);
    // NEC42ext: the two 13-bit halves and the command bytes as they stand.
    const uint64_t nec42ext = 0x0ABCull | 0x0123ull << 13 | 0x34ull << 26 | 0x12ull << 34;
    expectCode(decodeSignal(signalOf(38000, pulseDistance({9000, 4500}, 560, 560, 1690,
                                                          bitList(nec42ext, 42), 40000))),
               "NEC42ext", 0x0ABCu | 0x0123u << 13, 0x1234, 0);

    // SIRC15 and SIRC20, 40 kHz: the 7-bit command, then an 8-bit or a
    // 13-bit address, LSB first; the marks tell the bits.
    const auto sirc = [](uint32_t bits, int count) {
        std::vector<int32_t> d = {2400};
        for (int k = 0; k < count; ++k)
            d.insert(d.end(), {600, (bits >> k) & 1 ? 1200 : 600});
        d.push_back(20000);
        return d;
    };
    expectCode(decodeSignal(signalOf(40000, sirc(0x2Eu | 0x97u << 7, 15))), "SIRC15", 0x97, 0x2E,
               0);
    expectCode(decodeSignal(signalOf(40000, sirc(0x12u | 0x1A5Au << 7, 20))), "SIRC20", 0x1A5A,
               0x12, 0);

    // RC5X: the second start bit 0 is command bit 6 inverted, so command
    // 0x55 (1010101) with address 5: bits 1 0 0 00101 010101, toggle 0.
    // Half-bits of 889 µs, a 1 as space then mark, a 0 as mark then space;
    // the first space is not seen, so the first 0's mark joins the 1's.
    const std::vector<int32_t> rc5x = {1778, 889,  889,  889,  889,  889,  889,  1778, 1778,
                                       1778, 1778, 1778, 1778, 1778, 1778, 1778, 889,  100000};
    expectCode(decodeSignal(signalOf(36000, rc5x)), "RC5X", 5, 0x55, 0);
}

TEST(IrProtocolTest, AChangedBitInACheckedFieldIsSaidNeverReadAsAnotherCode) {
    // Each protocol with checked fields, one code of it, and the frame's
    // bits that a check covers: the space (or, for Sharp, the space of the
    // first half) of that bit swapped between its 0 and its 1.
    struct Case {
        const char *protocol;
        uint32_t address, command;
        size_t head;        // durations before the first bit
        int firstBit, bits; // the checked bits
        int32_t zero, one;
    };
    const Case cases[] = {
        {"NEC", 0x04, 0x08, 2, 16, 16, 560, 1690},
        {"Pioneer", 0xA5, 0x1C, 2, 16, 16, 560, 1690},
        {"Samsung32", 0x07, 0x02, 2, 0, 32, 560, 1690},
        {"Kaseikyo", 0x200200, 0x3D, 2, 0, 48, 432, 1296},
        {"RCA", 0xA, 0x5C, 2, 0, 24, 1000, 2000},
        {"Sharp", 1, 0xE9, 0, 0, 15, 680, 1680},
        {"Sharp", 1, 0xE9, 32, 0, 15, 680, 1680}, // the second half
    };
    for (const Case &c : cases) {
        const EncodedCode e = encodeSignal(QString::fromLatin1(c.protocol), c.address, c.command);
        ASSERT_TRUE(e.ok);
        for (int k = c.firstBit; k < c.firstBit + c.bits; ++k) {
            FlatSignal s = e.signal;
            int32_t &space = s.durations[c.head + size_t(2 * k + 1)];
            space = std::abs(space - c.zero) < std::abs(space - c.one) ? c.one : c.zero;
            const DecodedCode d = decodeSignal(s);
            EXPECT_EQ(d.protocol, "")
                << c.protocol << " bit " << k << ": " << d.address << " " << d.command;
            EXPECT_NE(d.note, "") << c.protocol << " bit " << k;
        }
    }
    // One half of a Sharp code alone is not the code.
    const EncodedCode sharp = encodeSignal("Sharp", 1, 0xE9);
    FlatSignal half = sharp.signal;
    half.durations.resize(32);
    EXPECT_EQ(decodeSignal(half).note, "Sharp: the first half without its second");
}

} // namespace zevo3::test

namespace zevo3::test {

TEST(IrProtocolTest, ParsedRecordsAreBuiltWithTheirMinimumSendsAndWrittenBack) {
    const QByteArray text = "Filetype: IR signals file\nVersion: 1\n"
                            "#\nname: Power\ntype: parsed\nprotocol: NEC\n"
                            "address: 04 00 00 00\ncommand: 08 00 00 00\n"
                            "#\nname: Vol_up\ntype: parsed\nprotocol: SIRC\n"
                            "address: 01 00 00 00\ncommand: 12 00 00 00\n"
                            "#\nname: Input\ntype: parsed\nprotocol: Pioneer\n"
                            "address: A5 00 00 00\ncommand: 1C 00 00 00\n"
                            "#\nname: Ext\ntype: parsed\nprotocol: NECext\n"
                            "address: 10 27 00 00\ncommand: 05 1A 00 00\n";
    const InterchangeRead read = readIrFile(text, &protocolCodec());
    ASSERT_TRUE(read.ok()) << read.firstError().toStdString();
    ASSERT_EQ(read.codes.size(), 4u);
    struct Want {
        const char *protocol;
        uint32_t address, command;
        int frames;
    };
    const Want want[] = {{"NEC", 0x04, 0x08, 1},
                         {"SIRC", 1, 0x12, 3},
                         {"Pioneer", 0xA5, 0x1C, 2},
                         {"NECext", 0x2710, 0x1A05, 1}};
    for (size_t i = 0; i < 4; ++i) {
        const DecodedCode d = decodeSignal(read.codes[i].signal);
        EXPECT_EQ(d.protocol, want[i].protocol);
        EXPECT_EQ(d.address, want[i].address);
        EXPECT_EQ(d.command, want[i].command);
        EXPECT_EQ(d.frames, want[i].frames) << want[i].protocol;
    }
    EXPECT_EQ(read.codes[1].name, "Vol_up");

    // Written again: the same records, the fields as four bytes.
    const InterchangeWrite written = writeIrFile(read.codes, &protocolCodec());
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(written.bytes, text);

    // A code that is not cleanly one code of a protocol stays raw: one that
    // matches nothing, an RC5 code with its toggle set, NEC with repeat
    // frames the record would drop.
    // NEC sent twice whole (a record of it means one frame) as well.
    std::vector<InterchangeCode> others(4);
    others[0].signal = {38000, {300, 300, 300, 20000}};
    others[1].signal = encodeSignal("RC5", 5, 53, 0, 1).signal;
    others[2].signal = encodeSignal("NEC", 4, 8, 2).signal;
    others[3].signal = encodeSignal("NEC", 4, 8).signal;
    const std::vector<int32_t> once = others[3].signal.durations;
    others[3].signal.durations.insert(others[3].signal.durations.end(), once.begin(), once.end());
    ASSERT_EQ(decodeSignal(others[3].signal).frames, 2);
    const QByteArray raw = writeIrFile(others, &protocolCodec()).bytes;
    EXPECT_EQ(raw.count("type: raw"), 4) << raw.toStdString();
}

TEST(IrProtocolTest, BadParsedRecordsAreNamed) {
    const QByteArray head = "Filetype: IR signals file\nVersion: 1\n#\nname: A\ntype: parsed\n";
    const auto error = [](const QByteArray &text) {
        return readIrFile(text, &protocolCodec()).firstError().toStdString();
    };
    EXPECT_EQ(error(head + "protocol: Morse\naddress: 01 00 00 00\ncommand: 01 00 00 00\n"),
              "line 4: record \"A\": unknown protocol \"Morse\" (" +
                  protocolNames().join(", ").toStdString() + ")");
    EXPECT_EQ(error(head + "protocol: SIRC\naddress: 40 00 00 00\ncommand: 01 00 00 00\n"),
              "line 4: record \"A\": SIRC takes a 5-bit address and a 7-bit command");
    EXPECT_EQ(error(head + "protocol: NEC\naddress: 4 0 0 0\ncommand: 01 00 00 00\n"),
              "line 7: address \"4 0 0 0\" is not up to four hexadecimal bytes");
    EXPECT_EQ(error(head + "protocol: NEC\ncommand: 01 00 00 00\n"),
              "line 4: record \"A\" without its protocol, address and command");
}

} // namespace zevo3::test

namespace zevo3::test {

// The example table of one code a protocol: each Result cell is what the
// decoder says of its row, so the example stays true to the decoder.
TEST(IrProtocolTest, TheExampleTableHoldsEveryProtocolWithItsDecodedResult) {
    QFile file(QStringLiteral(ZEVO3_SOURCE_DIR "/examples/protocols.Csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const TableFileRead read = ReadTableFile(file.readAll());
    ASSERT_TRUE(read.problems.empty());
    QStringList seen;
    for (int row = 1; row <= CodeTable::kRows; ++row) {
        if (!read.table.waveInfo(row).present()) continue;
        const DecodedCode code = decodeSignal(flatSignalOf(read.table.waveInfo(row)));
        EXPECT_EQ(code.note, "") << row;
        EXPECT_EQ(QString::fromLatin1(read.table.cell(row, CodeTable::kColResult)),
                  resultText(code))
            << row;
        seen << code.protocol;
    }
    seen.sort();
    QStringList all = protocolNames();
    all.sort();
    EXPECT_EQ(seen, all);
}

} // namespace zevo3::test
