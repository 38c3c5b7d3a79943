#include "files_json.h"
#include "samples.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace zevo3;

namespace {

struct FromJson {
    std::unique_ptr<CodeTable> table = std::make_unique<CodeTable>();
    LayoutData layout;
    QStringList errors;
    bool ok = false;

    explicit FromJson(const QByteArray &json)
        : ok(filesFromJson(json, table.get(), &layout, &errors)) {}
};

QJsonObject sampleJson() {
    return QJsonDocument::fromJson(filesToJson(*samples::table(), samples::layout())).object();
}

// The sample's JSON with one change made by `edit`, read back.
template <typename Edit> QStringList errorsAfter(Edit edit) {
    QJsonObject json = sampleJson();
    edit(json);
    FromJson read(QJsonDocument(json).toJson());
    EXPECT_FALSE(read.ok);
    return read.errors;
}

// Sets a member of row `row` (1-based), or of its wave when `wave` is set.
auto setRowMember(int row, const char *name, const QJsonValue &value, bool wave = false) {
    return [=](QJsonObject &json) {
        QJsonArray rows = json[QLatin1String("rows")].toArray();
        QJsonObject entry = rows[row - 1].toObject();
        if (wave) {
            QJsonObject w = entry[QLatin1String("wave")].toObject();
            w[QLatin1String(name)] = value;
            entry[QLatin1String("wave")] = w;
        } else {
            entry[QLatin1String(name)] = value;
        }
        rows[row - 1] = entry;
        json[QLatin1String("rows")] = rows;
    };
}

} // namespace

TEST(FilesJson, DumpShowsTheFileFormText) {
    const QByteArray json = filesToJson(*samples::table(), samples::layout());
    EXPECT_TRUE(json.startsWith(
        "{\"rows\":[\n{\"row\":1,\"carry\":\"38.0kHz\",\"frames\":\"3\",\"comments\":\"TV "
        "power\",\"result\":\"01FE\",\"wave\":{\"carry\":380,\"dataBits\":5,\"repeatBit\":0,"
        "\"patterns\":[[350,700],[350,1400],[0,0],"));
    EXPECT_TRUE(json.contains(",\"pcode\":\"01102\"}},\n{\"row\":2,\"carry\":\"38.0kHz\","
                              "\"frames\":\"3\",\"comments\":\"テレビ 音量\","));
    EXPECT_TRUE(json.contains("\"repeatBit\":-2,"));
    EXPECT_TRUE(json.contains("[-1234567,2147483647]],\"pcode\":\"FED\"}}"));
    const QByteArray empty = "[\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"]";
    EXPECT_TRUE(json.endsWith("],\n\"layout\":[\n[\"001(F03:W01)\",\"002(F03:W05)\",\"\",\"\",\"\","
                              "\"\",\"\",\"\"],\n[\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"003(F10:W01)"
                              "\"],\n" +
                              (empty + ",\n").repeated(12) + empty + "\n]}\n"));
    EXPECT_EQ(QJsonDocument::fromJson(json)[QLatin1String("rows")].toArray().size(), 70);

    // Controls and quotes are escaped; the JSON reads back to the same bytes.
    auto table = std::make_unique<CodeTable>();
    table->setCell(1, 3, QByteArray("a\"b\\c\td\x01\x7f"));
    const QByteArray escaped = filesToJson(*table, LayoutData());
    EXPECT_TRUE(escaped.contains("\"comments\":\"a\\\"b\\\\c\\td\\u0001\\u007F\""));
    FromJson back(escaped);
    ASSERT_TRUE(back.ok) << back.errors.join('\n').toStdString();
    EXPECT_EQ(back.table->cell(1, 3), table->cell(1, 3));
}

TEST(FilesJson, MakeWritesWhatTheWindowSaves) {
    auto table = samples::table();
    // A full row of codes, and a count beyond what Pcode holds.
    WaveInfo &full = table->waveInfo(6);
    full.Carry = 380;
    full.DataBits = 5000;
    for (int i = 0; i < WaveInfo::kPcodes; ++i)
        full.Pcode[size_t(i)] = uint8_t(i % 16);
    const LayoutData layout = samples::layout();

    FromJson read(filesToJson(*table, layout));
    ASSERT_TRUE(read.ok) << read.errors.join('\n').toStdString();
    EXPECT_EQ(WriteTableFile(*read.table), WriteTableFile(*table));
    EXPECT_EQ(read.layout.cells(), layout.cells());
    EXPECT_EQ(read.table->waveInfo(6), full);

    // Lower-case digits are the same codes.
    FromJson lower(filesToJson(*table, layout).replace("\"FED\"", "\"fed\""));
    ASSERT_TRUE(lower.ok);
    EXPECT_EQ(lower.table->waveInfo(3), table->waveInfo(3));
}

TEST(FilesJson, TextsTheFileCannotHoldAreRefusedByRowAndMember) {
    const auto one = [](const QStringList &errors) {
        EXPECT_EQ(errors.size(), 1) << errors.join('\n').toStdString();
        return errors.value(0).toStdString();
    };
    EXPECT_EQ(one(errorsAfter(setRowMember(3, "comments", QStringLiteral("a,b")))),
              "row 3, comments: \"a,b\" holds a comma, which would split the cell in the file");
    EXPECT_EQ(one(errorsAfter(setRowMember(70, "carry", QString::fromUtf8("38 €")))),
              "row 70, carry: \"38 €\": the character U+20AC has no CP932 form");
    EXPECT_EQ(one(errorsAfter(setRowMember(1, "frames", QStringLiteral("3\n4")))),
              "row 1, frames: \"3\\n4\" holds a line break, which the file cannot hold in a cell");
    EXPECT_EQ(one(errorsAfter(setRowMember(2, "result", QStringLiteral(" 01FE")))),
              "row 2, result: \" 01FE\" begins or ends with a blank or a control character, "
              "which the file does not keep");
    EXPECT_EQ(one(errorsAfter(setRowMember(2, "result", QStringLiteral("Twd:01")))),
              "row 2, result: \"Twd:01\" begins with \"Twd:\", which the file would read as that "
              "field");
    // A tag at the start of another cell is read back as that cell.
    QJsonObject json = sampleJson();
    setRowMember(2, "comments", QStringLiteral("Twd:01"))(json);
    EXPECT_TRUE(FromJson(QJsonDocument(json).toJson()).ok);
    EXPECT_EQ(one(errorsAfter([](QJsonObject &json) {
                  QJsonArray layout = json[QLatin1String("layout")].toArray();
                  layout[14] = QJsonArray{"", "", "", "", "", "", "", "1,2"};
                  json[QLatin1String("layout")] = layout;
              })),
              "layout row 15, column 8: \"1,2\" holds a comma, which would split the cell in the "
              "file");
}

TEST(FilesJson, NumbersAndShapesTheFileCannotHoldAreRefused) {
    const auto first = [](const QStringList &errors) { return errors.value(0).toStdString(); };
    EXPECT_EQ(first(errorsAfter(setRowMember(4, "carry", 38.5, true))),
              "row 4, wave.carry: 38.5 is not a whole number from -2147483648 to 2147483647");
    EXPECT_EQ(first(errorsAfter(setRowMember(4, "repeatBit", 2147483648.0, true))),
              "row 4, wave.repeatBit: 2147483648 is not a whole number from -2147483648 to "
              "2147483647");
    EXPECT_EQ(first(errorsAfter(setRowMember(4, "dataBits", QStringLiteral("5"), true))),
              "row 4, wave.dataBits: \"5\" is not a whole number from -2147483648 to 2147483647");
    EXPECT_EQ(first(errorsAfter(setRowMember(1, "pcode", QStringLiteral("0110"), true))),
              "row 1, wave.pcode: 4 pattern codes where dataBits 5 calls for 5");
    EXPECT_EQ(first(errorsAfter(setRowMember(1, "pcode", QStringLiteral("011G2"), true))),
              "row 1, wave.pcode: pattern code 4, \"G\", is not a hexadecimal digit");
    EXPECT_EQ(first(errorsAfter(setRowMember(1, "patterns", QJsonArray{QJsonArray{1, 2}}, true))),
              "row 1, wave.patterns: 1 entries where 16 pairs [High, Width] belong");
    EXPECT_EQ(first(errorsAfter(setRowMember(9, "row", 10))),
              "row 9: \"row\" is 10: the rows are listed in order, from 1 to 70");
    EXPECT_EQ(first(errorsAfter([](QJsonObject &json) {
                  QJsonArray rows = json[QLatin1String("rows")].toArray();
                  QJsonObject row = rows[6].toObject();
                  row.remove(QLatin1String("comments"));
                  row[QLatin1String("comment")] = QString();
                  rows[6] = row;
                  json[QLatin1String("rows")] = rows;
              })),
              "row 7: no member \"comments\"");
    EXPECT_EQ(first(errorsAfter([](QJsonObject &json) {
                  QJsonArray rows = json[QLatin1String("rows")].toArray();
                  rows.removeLast();
                  json[QLatin1String("rows")] = rows;
              })),
              "rows: 69 rows where 70 belong, in order");
    EXPECT_EQ(first(errorsAfter([](QJsonObject &json) { json.remove(QLatin1String("layout")); })),
              "the JSON: no member \"layout\"");

    FromJson syntax("{\"rows\":[\n{\"row\":1,,}]}");
    ASSERT_EQ(syntax.errors.size(), 1);
    EXPECT_TRUE(syntax.errors[0].startsWith(QStringLiteral("line 2, column ")))
        << first(syntax.errors);
    EXPECT_EQ(first(FromJson("[]").errors),
              "the JSON: not an object with the members \"rows\" and \"layout\"");

    // Every error is said, up to a limit.
    QJsonObject json = sampleJson();
    for (int row = 1; row <= 70; ++row)
        setRowMember(row, "carry", QStringLiteral("a,"))(json);
    FromJson many(QJsonDocument(json).toJson());
    EXPECT_EQ(many.errors.size(), kMaxJsonErrors + 1);
    EXPECT_TRUE(many.errors.last().contains(QStringLiteral("further errors")));
}
