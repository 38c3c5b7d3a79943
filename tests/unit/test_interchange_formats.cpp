// The interchange formats: codes built from published timings, read from
// text written out here; round trips through every writer and reader; and
// the messages for text that cannot be read.

#include "format_guess.h"
#include "imported_row.h"
#include "ir_file_format.h"
#include "lirc_format.h"
#include "pronto_format.h"
#include "quantiser.h"
#include "raw_format.h"
#include "text_scan.h"

#include <gtest/gtest.h>

namespace zevo3::test {
namespace {

std::vector<int32_t> pcodes(const WaveInfo &info) {
    return {info.Pcode.begin(), info.Pcode.begin() + info.DataBits};
}

std::vector<std::pair<int, int>> entries(const WaveInfo &info, int count) {
    std::vector<std::pair<int, int>> out;
    for (int e = 0; e < count; ++e)
        out.push_back({info.High[size_t(e)], info.Width[size_t(e)]});
    return out;
}

Quantised onlyCode(const InterchangeRead &read) {
    EXPECT_TRUE(read.ok()) << read.firstError().toStdString();
    EXPECT_EQ(read.codes.size(), 1u);
    if (read.codes.empty()) return {};
    return quantise(read.codes[0].signal, {}, read.codes[0].gapUs);
}

// NEC at 38 kHz, frequency word 0x006D (109 × 0.241246 µs = 26.2958 µs a
// period): leader 9000/4500 µs = 0156 00AB, bits 560 mark = 0015 with a 560
// (0015) or 1690 (0040) space, stop mark and 40 ms = 05F1; the repeat frame
// 9000/2250 = 0156 0056 and 560 with 96 ms = 0015 0E43.
QByteArray necPronto(uint32_t bits) {
    QByteArray text = "0000 006D 0022 0002 0156 00AB";
    for (int k = 0; k < 32; ++k)
        text += (bits >> k) & 1 ? " 0015 0040" : " 0015 0015";
    return text + " 0015 05F1 0156 0056 0015 0E43";
}

TEST(ProntoFormatTest, AnNecFrameWithItsRepeat) {
    // Address 0x00, command 0x12, each followed by its complement, LSB first.
    const uint32_t bits = 0x00u | 0xFFu << 8 | 0x12u << 16 | 0xEDu << 24;
    const InterchangeRead read = readPronto(necPronto(bits));
    const Quantised q = onlyCode(read);
    ASSERT_TRUE(q.ok) << q.message.toStdString();
    EXPECT_EQ(read.codes[0].signal.carrierHz, 38029);
    EXPECT_EQ(q.info.Carry, 380);
    EXPECT_EQ(q.info.DataBits, 36);
    // Periods back to µs: 342 → 8993, 171 → 4497, 21 → 552, 64 → 1683,
    // 1521 → 39996, 86 → 2261, 3651 → 96006.
    EXPECT_EQ(entries(q.info, 7), (std::vector<std::pair<int, int>>{{8993, 13490},
                                                                    {552, 1104},
                                                                    {552, 2235},
                                                                    {552, 40548},
                                                                    {8993, 11254},
                                                                    {552, 96558},
                                                                    {0, 0}}));
    std::vector<int32_t> expected = {0};
    for (int k = 0; k < 32; ++k)
        expected.push_back((bits >> k) & 1 ? 2 : 1);
    expected.insert(expected.end(), {3, 4, 5});
    EXPECT_EQ(pcodes(q.info), expected);
    EXPECT_EQ(q.notes(), (std::vector<QString>{"carrier 38029 Hz stored as 38.0 kHz"}));
}

TEST(ProntoFormatTest, AnRc5FrameAt36kHz) {
    // Start bits 1 1, toggle 0, address 5 (00101), command 53 (110101); a 1
    // is space-then-mark, so the frame starts with the second half-bit.
    // Frequency word 0x0073 (27.743 µs a period): 889 µs = 0020, 1778 µs =
    // 0040, the gap of 89 ms = 0C88.
    const QByteArray text = "0000 0073 000A 0000 0020 0020 0040 0020 0020 0020 0020 0040 0040 "
                            "0040 0020 0020 0020 0020 0040 0040 0040 0040 0020 0C88\r\n";
    const Quantised q = onlyCode(readPronto(text));
    ASSERT_TRUE(q.ok) << q.message.toStdString();
    EXPECT_EQ(q.info.Carry, 360);
    EXPECT_EQ(entries(q.info, 5),
              (std::vector<std::pair<int, int>>{
                  {888, 1776}, {1776, 2664}, {888, 2664}, {1776, 3552}, {888, 89888}}));
    EXPECT_EQ(pcodes(q.info), (std::vector<int32_t>{0, 1, 0, 2, 3, 0, 0, 3, 3, 4}));
}

TEST(ProntoFormatTest, ASony12BitFrameAt40kHzMovesToTheFormatsResolution) {
    // Command 21 (0010101) then address 1 (00001), LSB first: 1 0 1 0 1 0 0
    // 1 0 0 0 0. Frequency word 0x0068 (25.090 µs): leader 2400 = 0060,
    // 600 = 0018, 1200 = 0030, the last space 25 ms = 03E4.
    const QByteArray text = "0000 0068 000D 0000 0060 0018 0030 0018 0018 0018 0030 0018 0018 "
                            "0018 0030 0018 0018 0018 0018 0018 0030 0018 0018 0018 0018 0018 "
                            "0018 0018 0018 03E4";
    const InterchangeRead read = readPronto(text);
    const Quantised q = onlyCode(read);
    ASSERT_TRUE(q.ok) << q.message.toStdString();
    // 1 000 000 / (104 × 0.241246) = 39857 Hz: the 40.0 kHz of the
    // protocol is read as 39.9 kHz, and said so.
    EXPECT_EQ(read.codes[0].signal.carrierHz, 39857);
    EXPECT_EQ(q.info.Carry, 399);
    EXPECT_EQ(q.notes()[0].toStdString(), "carrier 39857 Hz stored as 39.9 kHz");
    EXPECT_EQ(entries(q.info, 4), (std::vector<std::pair<int, int>>{
                                      {2409, 3011}, {1204, 1806}, {602, 1204}, {602, 25591}}));
    EXPECT_EQ(pcodes(q.info), (std::vector<int32_t>{0, 1, 2, 1, 2, 1, 2, 2, 1, 2, 2, 2, 3}));

    // Writing a 40.0 kHz code gives the same word and the note of the change.
    InterchangeCode code;
    code.signal = flatSignalOf(q.info);
    code.signal.carrierHz = 40000;
    const InterchangeWrite w = writePronto({code});
    ASSERT_TRUE(w.ok);
    EXPECT_TRUE(w.bytes.startsWith("0000 0068 000D 0000 0060 0018 0030 0018"));
    ASSERT_EQ(w.notes.size(), 1u);
    EXPECT_EQ(w.notes[0].message.toStdString(),
              "code 1: carrier 40000 Hz written as 39857 Hz (frequency word 0068)");
}

TEST(ProntoFormatTest, OnceAndRepeatPartsAndSeveralCodes) {
    // Only a repeat part: it is the code. Lowercase digits read too.
    const InterchangeRead read = readPronto("0000 006d 0000 0001 0015 0015\n\n"
                                            "0000 006D 0001 0001 0156 00AB 0015 0E43\n");
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.codes.size(), 2u);
    EXPECT_EQ(read.codes[0].signal.durations, (std::vector<int32_t>{552, 552}));
    EXPECT_EQ(read.codes[1].signal.durations, (std::vector<int32_t>{8993, 4497, 552, 96006}));
}

std::string error(const InterchangeRead &read) {
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.codes.empty());
    return read.firstError().toStdString();
}

TEST(ProntoFormatTest, BadWordsAreNamed) {
    EXPECT_EQ(error(readPronto("0000 006D 0001 00G0 0015 0015")),
              "line 1: word 4 \"00G0\" is not 4 hexadecimal digits");
    EXPECT_EQ(error(readPronto("0000 006D 0001 0000 0015 0015\n0000 0000 0001 0000 0015 0015")),
              "line 2: word 2 \"0000\": a frequency word of 0");
    EXPECT_EQ(error(readPronto("0000 006D 0002 0000 0015 0015 0015")),
              "line 1: words 3 and 4 \"0002\" \"0000\" give 2 + 0 burst pairs, 8 words in all, "
              "but the line has 7");
    EXPECT_EQ(error(readPronto("5000 0073 0000 0001 0001 0002")),
              "line 1: word 1 \"5000\" is not 0000: only the learned form is read");
    EXPECT_EQ(error(readPronto("0000 006D 0000 0000")), "line 1: words 3 and 4: no burst pairs");
    EXPECT_EQ(error(readPronto("0000 006D")), "line 1: 2 words, fewer than the 4 of the header");
    EXPECT_EQ(error(readPronto(" \r\n")), "the text holds no Pronto Hex code");
    EXPECT_EQ(error(readPronto("0000 006D 0001 0000 0015 001\x82\xA0")),
              "line 1: word 6 \"001\\x82\\xa0\" is not 4 hexadecimal digits");
}

TEST(RawFormatTest, PlainSignedCommaAndCarrierForms) {
    const InterchangeRead read = readRaw("9000 4500 560 560\n"
                                         "+9000 -4500 +560\n"
                                         "f=36000, 889,889,1778\n"
                                         "# a comment\n"
                                         "560 560 Freq=40000Hz\n");
    ASSERT_TRUE(read.ok()) << read.firstError().toStdString();
    ASSERT_EQ(read.codes.size(), 4u);
    EXPECT_EQ(read.codes[0].signal, (FlatSignal{38000, {9000, 4500, 560, 560}}));
    EXPECT_EQ(read.codes[1].signal, (FlatSignal{38000, {9000, 4500, 560}}));
    EXPECT_EQ(read.codes[2].signal, (FlatSignal{36000, {889, 889, 1778}}));
    EXPECT_EQ(read.codes[3].signal, (FlatSignal{40000, {560, 560}}));
}

TEST(RawFormatTest, Mode2BlocksOneCodeEach) {
    const InterchangeRead read = readRaw("space 1234567\n"
                                         "pulse 9000\nspace 4500\npulse 560\n"
                                         "\n"
                                         "pulse 560\npulse 100\nspace 560\ntimeout 40000\n");
    ASSERT_TRUE(read.ok()) << read.firstError().toStdString();
    ASSERT_EQ(read.codes.size(), 2u);
    EXPECT_EQ(read.codes[0].signal.durations, (std::vector<int32_t>{9000, 4500, 560}));
    EXPECT_EQ(read.codes[1].signal.durations, (std::vector<int32_t>{660, 40560}));
    ASSERT_EQ(read.notes.size(), 3u);
    EXPECT_EQ(read.notes[0].message.toStdString(),
              "line 1: the space before the first pulse is not read");
    EXPECT_EQ(read.notes[1].message.toStdString(), "line 7: a pulse after a pulse: added to it");
    EXPECT_EQ(read.notes[2].line, 9);

    // Control bytes before a word belong to no word, in a block as before it.
    const InterchangeRead nul = readRaw(QByteArray("pulse 560\n\0\0pulse 100\x01\nspace 9\n", 31));
    ASSERT_TRUE(nul.ok()) << nul.firstError().toStdString();
    ASSERT_EQ(nul.codes.size(), 1u);
    EXPECT_EQ(nul.codes[0].signal.durations, (std::vector<int32_t>{660, 9}));
}

TEST(RawFormatTest, BadWordsAreNamed) {
    EXPECT_EQ(error(readRaw("9000 4500 56O 560")),
              "line 1: word 3 \"56O\" is not a duration in µs");
    EXPECT_EQ(error(readRaw("9000\n+9000 -4500 -560")),
              "line 2: word 3 \"-560\": a mark (+) is due");
    EXPECT_EQ(error(readRaw("-9000 +4500")), "line 1: word 1 \"-9000\": a mark (+) is due");
    EXPECT_EQ(error(readRaw("+9000 4500")),
              "line 1: word 2 \"4500\" has no sign, the durations before it have one");
    EXPECT_EQ(error(readRaw("9000 -4500")),
              "line 1: word 2 \"-4500\" has a sign, the durations before it have none");
    EXPECT_EQ(error(readRaw("f=38k 9000")), "line 1: word 1 \"f=38k\" is not a carrier in Hz");
    EXPECT_EQ(error(readRaw("f=38000 9000 f=36000")),
              "line 1: word 3 \"f=36000\": a second carrier");
    EXPECT_EQ(error(readRaw("9000 123456789012345678901234567890")),
              "line 1: word 2 \"123456789012345678901234…\" is longer than 99999999 µs");
    EXPECT_EQ(error(readRaw("pulse 9000\nspace\n")),
              "line 2: 1 words, where \"pulse N\" or \"space N\" is two");
    EXPECT_EQ(error(readRaw("f=38000")), "line 1: a carrier without durations");
}

TEST(IrFileFormatTest, RawRecordsAreReadParsedOnesNamed) {
    const QByteArray text = "Filetype: IR signals file\r\n"
                            "Version: 1\r\n"
                            "# \r\n"
                            "name: Power\r\n"
                            "type: raw\r\n"
                            "frequency: 38000\r\n"
                            "duty_cycle: 0.330000\r\n"
                            "data: 9000 4500 560 560\r\n"
                            "# \r\n"
                            "name: Vol_up\r\n"
                            "type: parsed\r\n"
                            "protocol: NEC\r\n"
                            "address: 00 00 00 00\r\n"
                            "command: 02 00 00 00\r\n"
                            "# \r\n"
                            "name: Ünter\r\n"
                            "type: raw\r\n"
                            "frequency: 36000\r\n"
                            "duty_cycle: 0.33\r\n"
                            "data: 889 889\r\n"
                            "data: 1778\r\n";
    const InterchangeRead read = readIrFile(text);
    ASSERT_TRUE(read.ok()) << read.firstError().toStdString();
    ASSERT_EQ(read.codes.size(), 2u);
    EXPECT_EQ(read.codes[0].name, "Power");
    EXPECT_EQ(read.codes[0].signal, (FlatSignal{38000, {9000, 4500, 560, 560}}));
    EXPECT_EQ(read.codes[1].name, QString::fromUtf8("Ünter"));
    EXPECT_EQ(read.codes[1].signal, (FlatSignal{36000, {889, 889, 1778}}));
    ASSERT_EQ(read.notes.size(), 1u);
    EXPECT_EQ(read.notes[0].message.toStdString(),
              "line 10: record \"Vol_up\" of type \"parsed\" is not read: only raw records are");
}

TEST(IrFileFormatTest, BadLinesAreNamed) {
    const QByteArray head = "Filetype: IR signals file\nVersion: 1\n#\nname: A\ntype: raw\n";
    EXPECT_EQ(error(readIrFile("Filetype: IR library\nVersion: 1\n")),
              "line 1: \"Filetype: IR library\" is not \"Filetype: IR signals file\"");
    EXPECT_EQ(error(readIrFile("Filetype: IR signals file\nVersion: 2\n")),
              "line 2: \"Version: 2\" is not \"Version: 1\"");
    EXPECT_EQ(error(readIrFile(head + "frequency: 38000\ndata: 9000 45x0\n")),
              "line 7: data word 2 \"45x0\" is not a duration in µs");
    EXPECT_EQ(error(readIrFile(head + "frequency: 38 kHz\ndata: 9000\n")),
              "line 6: frequency \"38 kHz\" is not a carrier in Hz");
    EXPECT_EQ(error(readIrFile(head + "data: 9000\n")), "line 4: record \"A\" without a frequency");
    EXPECT_EQ(error(readIrFile(head + "frequency: 38000\nthis line\n")),
              "line 7: \"this line\" is not \"key: value\"");
    EXPECT_EQ(error(readIrFile("Filetype: IR signals file\nVersion: 1\n#\nname: \xff\n")),
              "line 4: the name is not UTF-8 text");
    EXPECT_EQ(error(readIrFile("")),
              "the header \"Filetype: IR signals file\", \"Version: 1\" is missing");
}

TEST(LircFormatTest, EveryRawCodeOfEveryRemote) {
    const QByteArray text = "# written by hand\n"
                            "begin remote\n"
                            "  name  TV\n"
                            "  flags RAW_CODES|CONST_LENGTH\n"
                            "  eps 30\n"
                            "  frequency 36000\n"
                            "  gap 89000\n"
                            "  begin raw_codes\n"
                            "    name KEY_POWER   # the red one\n"
                            "      889 889 1778\n"
                            "      889\n"
                            "    name KEY_MUTE\n"
                            "      889 889 889\n"
                            "  end raw_codes\n"
                            "end remote\n"
                            "begin remote\n"
                            "  name  Other\n"
                            "  begin codes\n"
                            "    KEY_1 0x10\n"
                            "  end codes\n"
                            "  begin raw_codes\n"
                            "    name X\n"
                            "      560 560\n"
                            "  end raw_codes\n"
                            "end remote\n";
    const InterchangeRead read = readLirc(text);
    ASSERT_TRUE(read.ok()) << read.firstError().toStdString();
    ASSERT_EQ(read.codes.size(), 3u);
    EXPECT_EQ(read.codes[0].name, "KEY_POWER");
    EXPECT_EQ(read.codes[0].signal, (FlatSignal{36000, {889, 889, 1778, 889}}));
    EXPECT_EQ(read.codes[0].gapUs, 89000);
    EXPECT_EQ(read.codes[1].name, "KEY_MUTE");
    EXPECT_EQ(read.codes[2].signal, (FlatSignal{38000, {560, 560}}));
    EXPECT_EQ(read.codes[2].gapUs, 0);
    ASSERT_EQ(read.notes.size(), 1u);
    EXPECT_EQ(read.notes[0].message.toStdString(),
              "line 18: remote \"Other\": codes without timings (\"begin codes\") are not read");
    // The gap closes a code that ends on a pulse.
    const Quantised q = quantise(read.codes[1].signal, {}, read.codes[1].gapUs);
    EXPECT_EQ(q.info.Width[1], 889 + 89000);
}

TEST(LircFormatTest, WideDurationsStayApartWhenWritten) {
    InterchangeCode code;
    code.name = "wide";
    code.signal = {38000, {12345678, 99999999, 1, 10000000, 5}};
    const InterchangeWrite written = writeLirc({code}, "r");
    ASSERT_TRUE(written.ok);
    const InterchangeRead read = readLirc(written.bytes);
    ASSERT_TRUE(read.ok()) << read.firstError().toStdString();
    EXPECT_EQ(read.codes.at(0).signal, code.signal);
}

TEST(LircFormatTest, BadLinesAreNamed) {
    EXPECT_EQ(error(readLirc("begin remote\n begin raw_codes\n name A\n 9000 45o0\n")),
              "line 4: word 2 \"45o0\" is not a duration in µs");
    EXPECT_EQ(error(readLirc("begin remote\n begin raw_codes\n 9000\n")),
              "line 3: durations before the first \"name\"");
    EXPECT_EQ(error(readLirc("begin remote\n frequency 38k\n")),
              "line 2: frequency \"38k\" is not a number");
    EXPECT_EQ(error(readLirc("remote\n")),
              "line 1: \"remote\" outside \"begin remote\" … \"end remote\"");
    EXPECT_EQ(error(readLirc("begin remote\n begin raw_codes\n name A\n name B\n 1\n")),
              "line 3: code \"A\" has no durations");
    const InterchangeRead unended = readLirc("\nbegin remote\n begin raw_codes\n name A\n 1\n");
    EXPECT_EQ(error(unended), "line 2: \"begin remote\" without \"end remote\"");
}

// The NEC frame of the Pronto test as a timing description.
WaveInfo necDescription() {
    const Quantised q = quantise(
        readPronto(necPronto(0x00u | 0xFFu << 8 | 0x12u << 16 | 0xEDu << 24)).codes.at(0).signal);
    return q.info;
}

TEST(InterchangeRoundTripTest, EveryFormatGivesBackTheEntriesAndCodes) {
    WaveInfo sony;
    sony.Carry = 400;
    sony.DataBits = 3;
    sony.High = {2400, 1200, 600};
    sony.Width = {3000, 1800, 25600};
    sony.Pcode[1] = 1;
    sony.Pcode[2] = 2;
    const std::vector<WaveInfo> infos = {necDescription(), sony};
    std::vector<InterchangeCode> codes;
    for (size_t i = 0; i < infos.size(); ++i) {
        InterchangeCode code;
        code.name = i == 0 ? "Power" : "Vol up";
        code.signal = flatSignalOf(infos[i]);
        codes.push_back(code);
    }
    struct Case {
        const char *format;
        InterchangeWrite written;
        InterchangeRead (*read)(QByteArrayView);
        bool names;
        int resolutionUs; // how far a duration may move
    };
    const Case cases[] = {
        {"pronto", writePronto(codes), readPronto, false, 14},
        {"raw", writeRaw(codes), readRaw, false, 0},
        {"ir", writeIrFile(codes), [](QByteArrayView t) { return readIrFile(t); }, true, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        ASSERT_TRUE(c.written.ok);
        const InterchangeRead read = c.read(c.written.bytes);
        ASSERT_TRUE(read.ok()) << read.firstError().toStdString();
        ASSERT_EQ(read.codes.size(), codes.size());
        for (size_t i = 0; i < codes.size(); ++i) {
            const Quantised q = quantise(read.codes[i].signal, {}, read.codes[i].gapUs);
            ASSERT_TRUE(q.ok);
            EXPECT_EQ(pcodes(q.info), pcodes(infos[i]));
            for (size_t e = 0; e < 16; ++e) {
                EXPECT_NEAR(q.info.High[e], infos[i].High[e], c.resolutionUs);
                EXPECT_NEAR(q.info.Width[e], infos[i].Width[e], 2 * c.resolutionUs);
            }
            if (c.names) {
                EXPECT_EQ(read.codes[i].name, codes[i].name);
            }
        }
    }
    // Pronto: the 40.0 kHz code comes back as 39.9, noted when written and
    // when stored; 38.0 stays.
    const InterchangeWrite pronto = writePronto(codes);
    ASSERT_EQ(pronto.notes.size(), 1u);
    EXPECT_TRUE(pronto.notes[0].message.startsWith("code 2 \"Vol up\": carrier 40000 Hz"));
    const InterchangeRead back = readPronto(pronto.bytes);
    EXPECT_EQ(quantise(back.codes[0].signal).info.Carry, 380);
    EXPECT_EQ(quantise(back.codes[1].signal).info.Carry, 399);

    // LIRC: one carrier for the remote, the rest noted; each code's closing
    // space comes back as the remote's gap.
    std::vector<InterchangeCode> lircCodes = {codes[0], codes[0]};
    lircCodes[1].name = "Power again";
    const InterchangeWrite lirc = writeLirc(lircCodes, "my table");
    ASSERT_TRUE(lirc.ok);
    EXPECT_TRUE(lirc.bytes.contains("  name  my_table\n"));
    EXPECT_TRUE(lirc.bytes.contains("          name Power_again\n"));
    const InterchangeRead lircBack = readLirc(lirc.bytes);
    ASSERT_TRUE(lircBack.ok()) << lircBack.firstError().toStdString();
    ASSERT_EQ(lircBack.codes.size(), 2u);
    const Quantised ql = quantise(lircBack.codes[1].signal, {}, lircBack.codes[1].gapUs);
    EXPECT_EQ(ql.info, infos[0]);
    EXPECT_EQ(lircBack.codes[0].name, "Power");

    InterchangeWrite mixed = writeLirc(codes, "t");
    ASSERT_TRUE(mixed.ok);
    std::vector<std::string> notes;
    for (const InterchangeNote &n : mixed.notes)
        notes.push_back(n.message.toStdString());
    EXPECT_EQ(notes, (std::vector<std::string>{
                         "code 2: written with the name \"Vol_up\"",
                         "code 2: carrier 40000 Hz, written in a remote of 38000 Hz",
                         "code 2: closing space 25000 µs, written as the remote's gap of "
                         "96006 µs"}));
}

TEST(InterchangeRoundTripTest, JitteredTextGivesTheCleanEntries) {
    const WaveInfo clean = necDescription();
    const FlatSignal signal = flatSignalOf(clean);
    // ±5 % on every duration, in a pattern that does not follow the bits.
    FlatSignal jittered = signal;
    const int steps[] = {5, -5, 3, -4, 0, 2, -1, 4, -3};
    for (size_t i = 0; i < jittered.durations.size(); ++i)
        jittered.durations[i] = jittered.durations[i] * (100 + steps[i % 9]) / 100;
    const InterchangeWrite raw = writeRaw({{"", jittered, 0, 0}});
    const InterchangeWrite pronto = writePronto({{"", jittered, 0, 0}});
    for (const InterchangeRead &read : {readRaw(raw.bytes), readPronto(pronto.bytes)}) {
        const Quantised q = onlyCode(read);
        ASSERT_TRUE(q.ok);
        EXPECT_EQ(q.merges, 0);
        EXPECT_EQ(q.entries, 6);
        EXPECT_EQ(pcodes(q.info), pcodes(clean));
        for (size_t e = 0; e < 6; ++e) {
            EXPECT_NEAR(q.info.High[e], clean.High[e], clean.High[e] * 0.05 + 14);
            EXPECT_NEAR(q.info.Width[e], clean.Width[e], clean.Width[e] * 0.05 + 28);
        }
    }
}

TEST(FormatGuessTest, TheFirstTellingLineDecides) {
    EXPECT_EQ(guessFormat("\n0000 006D 0001 0000 0015 0015\n"), InterchangeFormat::Pronto);
    EXPECT_EQ(guessFormat("9000 4500 560"), InterchangeFormat::Raw);
    EXPECT_EQ(guessFormat("f=38000,+9000,-4500"), InterchangeFormat::Raw);
    EXPECT_EQ(guessFormat("space 100\npulse 9000"), InterchangeFormat::Raw);
    EXPECT_EQ(guessFormat("# x\nFiletype: IR signals file\n"), InterchangeFormat::IrFile);
    EXPECT_EQ(guessFormat("#\n  begin remote\n"), InterchangeFormat::Lirc);
    EXPECT_EQ(guessFormat("[001],38.0kHz,,"), InterchangeFormat::Unknown);
    EXPECT_EQ(guessFormat(""), InterchangeFormat::Unknown);
    // A UTF-8 byte order mark before the first line is no text.
    EXPECT_EQ(guessFormat("\xEF\xBB\xBF"
                          "Filetype: IR signals file\n"),
              InterchangeFormat::IrFile);
    EXPECT_EQ(guessFormat("\xEF\xBB\xBF"
                          "0000 006D 0001 0000 0015 0015"),
              InterchangeFormat::Pronto);
    EXPECT_EQ(readPronto("\xEF\xBB\xBF"
                         "0000 006D 0001 0000 0015 0015\r\n")
                  .codes.size(),
              1u);
    EXPECT_EQ(scanLines("\xEF\xBB\xBF").size(), 0u);
    EXPECT_STREQ(formatName(InterchangeFormat::Lirc), "LIRC configuration");
}

} // namespace
} // namespace zevo3::test

namespace zevo3::test {

// A name that begins with a byte order mark keeps it: dropped, the blank
// after it would lead the name and be lost when the file is read again.
TEST(IrFileFormatTest, ANameKeepsAByteOrderMarkAndTheBlankAfterIt) {
    const QByteArray text = "Filetype: IR signals file\nVersion: 1\n#\nname: \xEF\xBB\xBF Vol\n"
                            "type: raw\nfrequency: 38000\ndata: 9000 4500 560\n";
    const InterchangeRead read = readIrFile(text);
    ASSERT_EQ(read.codes.size(), 1u);
    EXPECT_EQ(read.codes[0].name, QChar(0xFEFF) + QStringLiteral(" Vol"));
    const InterchangeRead again = readIrFile(writeIrFile(read.codes).bytes);
    ASSERT_EQ(again.codes.size(), 1u);
    EXPECT_EQ(again.codes[0].name, read.codes[0].name);
}

} // namespace zevo3::test
