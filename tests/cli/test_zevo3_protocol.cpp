// zevo3 decode and encode as a script runs them: rows made from protocol
// fields, codes imported from published timings, and what each row is.

#include "run_zevo3.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zevo3::test::Outcome;
using zevo3::test::runZevo3;

namespace {

class Zevo3Protocol : public ::testing::Test {
protected:
    Outcome zevo3(const QStringList &args, const QByteArray &input = {}) {
        return runZevo3(args, input);
    }
    QTemporaryDir dir;
    QString table = dir.filePath(QStringLiteral("tv.Csv"));
};

} // namespace

TEST_F(Zevo3Protocol, EncodedRowsDecodeAsTheirFields) {
    ASSERT_EQ(zevo3({"encode", "NEC", "0x04", "0x08", "--into", table}).code, 0);
    ASSERT_EQ(zevo3({"--repeats", "2", "encode", "SIRC", "1", "21", "--into", table}).code, 0);
    const Outcome rc5 =
        zevo3({"encode", "RC5", "5", "53", "--toggle", "1", "--into", table, "--row", "10"});
    ASSERT_EQ(rc5.code, 0) << rc5.err.toStdString();
    EXPECT_TRUE(rc5.out.startsWith("10 RC5 0x05 0x35: ")) << rc5.out.toStdString();

    ASSERT_EQ(zevo3({"encode", "RCA", "0xA", "0x5C", "--into", table, "--row", "11"}).code, 0);
    ASSERT_EQ(zevo3({"encode", "RC6", "0", "12", "--toggle", "1", "--into", table}).code, 0);

    const Outcome lines = zevo3({"decode", table});
    ASSERT_EQ(lines.code, 0) << lines.err.toStdString();
    EXPECT_EQ(lines.out, "1 NEC address=0x04 command=0x08 repeats=0\n"
                         "2 SIRC address=0x01 command=0x15 repeats=2\n"
                         "3 RC6 address=0x00 command=0x0c toggle=1 repeats=0\n"
                         "10 RC5 address=0x05 command=0x35 toggle=1 repeats=0\n"
                         "11 RCA address=0x0a command=0x5c repeats=0\n");
    const Outcome json = zevo3({"decode", table, "--json", "--row", "2"});
    ASSERT_EQ(json.code, 0);
    const QJsonArray rows = QJsonDocument::fromJson(json.out).array();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].toObject()["protocol"].toString(), "SIRC");
    EXPECT_EQ(rows[0].toObject()["command"].toInt(), 21);
    EXPECT_EQ(rows[0].toObject()["repeats"].toInt(), 2);

    // Without --into: raw timings that import as the same code.
    const Outcome raw = zevo3({"encode", "NECext", "0x2710", "0x1a05"});
    ASSERT_EQ(raw.code, 0);
    EXPECT_TRUE(raw.out.startsWith("f=38000 9000 4500 ")) << raw.out.toStdString();
    ASSERT_EQ(zevo3({"import", table, "raw", "-", "--row", "20"}, raw.out).code, 0);
    EXPECT_EQ(zevo3({"decode", table, "--row", "20"}).out,
              "20 NECext address=0x2710 command=0x1a05 repeats=0\n");
}

TEST_F(Zevo3Protocol, ARowOfNoProtocolSaysWhyAndBadFieldsAreBadUsage) {
    // NEC from its published timings, one command bit changed.
    QByteArray text = "9000 4500";
    const uint32_t wire = (0x04u | 0xFBu << 8 | 0x08u << 16 | 0xF7u << 24) ^ 1u << 17;
    for (int k = 0; k < 32; ++k)
        text += (wire >> k) & 1 ? " 560 1690" : " 560 560";
    text += " 560 40000\n";
    ASSERT_EQ(zevo3({"import", table, "raw", "-"}, text).code, 0);
    const Outcome decoded = zevo3({"decode", table});
    EXPECT_EQ(decoded.code, 0);
    EXPECT_EQ(decoded.out, "1 none: NEC: command 0x0a and its complement 0xf7 disagree\n");

    const QByteArray before = [&] {
        QFile f(table);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    for (const QStringList &args :
         {QStringList{"encode", "NEC", "256", "1", "--into", table},
          QStringList{"encode", "SIRC", "1", "0x80"}, QStringList{"encode", "Morse", "1", "1"},
          QStringList{"encode", "NEC", "x", "1"},
          QStringList{"encode", "RC5", "1", "1", "--toggle", "2"},
          QStringList{"encode", "NEC", "1", "1", "--row", "3"},
          QStringList{"decode", table, "--repeats", "1"}}) {
        const Outcome run = zevo3(args);
        EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
    }
    EXPECT_TRUE(zevo3({"encode", "NEC", "256", "1"}).err.contains("8-bit address"));
    QFile f(table);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(Zevo3Protocol, ParsedRecordsImportAndCleanCodesExportAsParsed) {
    const QByteArray ir = "Filetype: IR signals file\nVersion: 1\n"
                          "#\nname: Power\ntype: parsed\nprotocol: NEC\n"
                          "address: 04 00 00 00\ncommand: 08 00 00 00\n"
                          "#\nname: Vol_up\ntype: parsed\nprotocol: SIRC\n"
                          "address: 01 00 00 00\ncommand: 12 00 00 00\n";
    const Outcome imported = zevo3({"import", table, "ir", "-"}, ir);
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.startsWith("1 Power: ")) << imported.out.toStdString();
    EXPECT_EQ(zevo3({"decode", table}).out, "1 NEC address=0x04 command=0x08 repeats=0\n"
                                            "2 SIRC address=0x01 command=0x12 repeats=2\n");
    EXPECT_EQ(zevo3({"export", table, "ir"}).out, ir);
    const Outcome raw = zevo3({"export", "--raw", table, "ir", "--row", "2"});
    ASSERT_EQ(raw.code, 0);
    EXPECT_TRUE(raw.out.contains("name: Vol_up\ntype: raw\nfrequency: 40000\n"))
        << raw.out.toStdString();
    EXPECT_EQ(zevo3({"export", table, "raw", "--raw"}).code, 2);
}
