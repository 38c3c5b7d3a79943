#include "files_json.h"

#include "exact_text.h"
#include "table_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>

namespace zevo3 {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// ---- writing ---------------------------------------------------------------

void appendString(QByteArray &out, const QByteArray &cp932) {
    QString text;
    cp932ToText(cp932, &text);
    const QByteArray utf8 = text.toUtf8();
    out += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += kHexDigits[(c >> 4) & 0xF];
                out += kHexDigits[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendRow(QByteArray &out, const CodeTable &table, int row) {
    out += "{\"row\":" + QByteArray::number(row);
    static const char *const kCells[] = {
        ",\"carry\":", ",\"frames\":", ",\"comments\":", ",\"result\":"};
    for (int column = 1; column <= 4; ++column) {
        out += kCells[column - 1];
        appendString(out, table.cell(row, column));
    }
    const WaveInfo &info = table.waveInfo(row);
    out += ",\"wave\":{\"carry\":" + QByteArray::number(info.Carry) +
           ",\"dataBits\":" + QByteArray::number(info.DataBits) +
           ",\"repeatBit\":" + QByteArray::number(info.RepeatBit) + ",\"patterns\":[";
    for (int i = 0; i < WaveInfo::kPatterns; ++i) {
        if (i) out += ',';
        out += '[' + QByteArray::number(info.High[size_t(i)]) + ',' +
               QByteArray::number(info.Width[size_t(i)]) + ']';
    }
    out += "],\"pcode\":\"";
    const int count = std::clamp<int32_t>(info.DataBits, 0, WaveInfo::kPcodes);
    for (int i = 0; i < count; ++i)
        out += kHexDigits[info.Pcode[size_t(i)] & 0xF]; // a file holds only 0 to F
    out += "\"}}";
}

// ---- reading ---------------------------------------------------------------

class JsonReader {
public:
    JsonReader(CodeTable &table, LayoutData &layout, QStringList &errors)
        : table_(table), layout_(layout), errors_(errors) {}

    void read(const QByteArray &json) {
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
        if (parseError.error != QJsonParseError::NoError) {
            fail(positionOf(json, parseError.offset), parseError.errorString());
            return;
        }
        if (!document.isObject()) {
            fail(QStringLiteral("the JSON"),
                 QStringLiteral("not an object with the members \"rows\" and \"layout\""));
            return;
        }
        const QJsonObject top = document.object();
        if (!members(QStringLiteral("the JSON"), top, {"rows", "layout"})) return;
        readRows(top.value(QLatin1String("rows")));
        readLayout(top.value(QLatin1String("layout")));
    }

private:
    CodeTable &table_;
    LayoutData &layout_;
    QStringList &errors_;

    void fail(const QString &where, const QString &what) {
        if (errors_.size() < kMaxJsonErrors)
            errors_ << where + QStringLiteral(": ") + what;
        else if (errors_.size() == kMaxJsonErrors)
            errors_ << QStringLiteral("… further errors not shown");
    }

    static QString positionOf(const QByteArray &json, int offset) {
        const QByteArray before = json.left(std::clamp<qsizetype>(offset, 0, json.size()));
        const qsizetype lineStart = before.lastIndexOf('\n') + 1;
        return QStringLiteral("line %1, column %2")
            .arg(before.count('\n') + 1)
            .arg(QString::fromUtf8(before.sliced(lineStart)).size() + 1);
    }

    // Exactly the members named: a missing one and one not known are errors.
    bool members(const QString &where, const QJsonObject &object,
                 std::initializer_list<const char *> names) {
        bool complete = true;
        QSet<QString> known;
        for (const char *name : names) {
            known << QLatin1String(name);
            if (!object.contains(QLatin1String(name))) {
                fail(where, QStringLiteral("no member \"%1\"").arg(QLatin1String(name)));
                complete = false;
            }
        }
        for (auto it = object.begin(); it != object.end(); ++it)
            if (!known.contains(it.key()))
                fail(where, QStringLiteral("unknown member \"%1\"").arg(it.key()));
        return complete;
    }

    bool arrayOf(const QString &where, const QJsonValue &value, qsizetype size, const QString &what,
                 QJsonArray *array) {
        if (!value.isArray()) {
            fail(where, QStringLiteral("not an array of %1 %2").arg(size).arg(what));
            return false;
        }
        *array = value.toArray();
        if (array->size() != size) {
            fail(where, QStringLiteral("%1 entries where %2 %3 belong")
                            .arg(array->size())
                            .arg(size)
                            .arg(what));
            return false;
        }
        return true;
    }

    bool integer(const QString &where, const QJsonValue &value, int32_t *number) {
        const double d = value.toDouble();
        if (!value.isDouble() || d != std::trunc(d) ||
            d < double(std::numeric_limits<int32_t>::min()) ||
            d > double(std::numeric_limits<int32_t>::max())) {
            fail(where, QStringLiteral("%1 is not a whole number from -2147483648 to 2147483647")
                            .arg(shown(value)));
            return false;
        }
        *number = int32_t(d);
        return true;
    }

    static QString shown(const QJsonValue &value) {
        switch (value.type()) {
        case QJsonValue::Null:
            return QStringLiteral("null");
        case QJsonValue::Bool:
            return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        case QJsonValue::Double:
            return QString::number(value.toDouble(), 'g', 17);
        case QJsonValue::String:
            return quoted(value.toString());
        case QJsonValue::Array:
            return QStringLiteral("an array");
        case QJsonValue::Object:
            return QStringLiteral("an object");
        default:
            return QStringLiteral("nothing");
        }
    }

    static QString quoted(const QString &text) { return quotedText(text); }

    // The first character of a text that has no CP932 form. Encoding stays
    // impossible once such a character is in, so the longest prefix that
    // still encodes is found by halving.
    static QString firstWithoutForm(const QString &text) {
        std::vector<qsizetype> starts; // where each code point begins
        for (qsizetype i = 0; i < text.size(); ++i)
            if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()))
                starts.push_back(i);
        QByteArray ignored;
        size_t good = 0; // prefixes of this many code points encode
        size_t bad = starts.size();
        while (bad - good > 1) {
            const size_t middle = good + (bad - good) / 2;
            if (textToCp932(text.left(starts[middle]), &ignored))
                good = middle;
            else
                bad = middle;
        }
        const qsizetype from = starts.empty() ? 0 : starts[good];
        const qsizetype to = good + 1 < starts.size() ? starts[good + 1] : text.size();
        const QString character = text.mid(from, to - from);
        const char32_t code = character.size() == 2 && character[0].isHighSurrogate()
                                  ? QChar::surrogateToUcs4(character[0], character[1])
                              : character.isEmpty() ? 0
                                                    : character[0].unicode();
        return QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    }

    // A cell text as the file holds it.
    bool text(const QString &where, const QJsonValue &value, bool result, QByteArray *out) {
        if (!value.isString()) {
            fail(where, QStringLiteral("%1 is not a text").arg(shown(value)));
            return false;
        }
        const QString text = value.toString();
        QByteArray bytes;
        if (!textToCp932(text, &bytes)) {
            fail(where, QStringLiteral("%1: the character %2 has no CP932 form")
                            .arg(quoted(text), firstWithoutForm(text)));
            return false;
        }
        QString why;
        if (bytes.contains(','))
            why = QStringLiteral("holds a comma, which would split the cell in the file");
        else if (bytes.contains('\r') || bytes.contains('\n'))
            why = QStringLiteral("holds a line break, which the file cannot hold in a cell");
        else if (trimmedCell(bytes) != bytes)
            why = QStringLiteral("begins or ends with a blank or a control character, which the "
                                 "file does not keep");
        else if (result && std::any_of(std::begin(kTableTags), std::end(kTableTags),
                                       [&](const char *tag) { return bytes.startsWith(tag); }))
            why = QStringLiteral("begins with \"%1\", which the file would read as that field")
                      .arg(QString::fromLatin1(bytes.left(4)));
        if (!why.isEmpty()) {
            fail(where, quoted(text) + QLatin1Char(' ') + why);
            return false;
        }
        *out = bytes;
        return true;
    }

    void readRows(const QJsonValue &value) {
        const QString where = QStringLiteral("rows");
        if (!value.isArray()) {
            fail(where, QStringLiteral("not an array of %1 rows").arg(CodeTable::kRows));
            return;
        }
        const QJsonArray rows = value.toArray();
        if (rows.size() != CodeTable::kRows)
            fail(where, QStringLiteral("%1 rows where %2 belong, in order")
                            .arg(rows.size())
                            .arg(CodeTable::kRows));
        const int count = int(std::min<qsizetype>(rows.size(), CodeTable::kRows));
        for (int i = 0; i < count; ++i)
            readRow(i + 1, rows[i]);
    }

    void readRow(int row, const QJsonValue &value) {
        const QString where = QStringLiteral("row %1").arg(row);
        if (!value.isObject()) {
            fail(where, QStringLiteral("%1 is not an object").arg(shown(value)));
            return;
        }
        const QJsonObject object = value.toObject();
        members(where, object, {"row", "carry", "frames", "comments", "result", "wave"});
        int32_t number = 0;
        if (object.contains(QLatin1String("row")) &&
            integer(where + QStringLiteral(", row"), object.value(QLatin1String("row")), &number) &&
            number != row)
            fail(where, QStringLiteral("\"row\" is %1: the rows are listed in order, from 1 to %2")
                            .arg(number)
                            .arg(CodeTable::kRows));
        static const char *const kCells[] = {"carry", "frames", "comments", "result"};
        for (int column = 1; column <= 4; ++column) {
            const QLatin1String name(kCells[column - 1]);
            QByteArray bytes;
            if (object.contains(name) &&
                text(where + QStringLiteral(", ") + name, object.value(name),
                     column == CodeTable::kColResult, &bytes))
                table_.setCell(row, column, bytes);
        }
        if (object.contains(QLatin1String("wave")))
            readWave(where + QStringLiteral(", wave"), object.value(QLatin1String("wave")),
                     table_.waveInfo(row));
    }

    void readWave(const QString &where, const QJsonValue &value, WaveInfo &info) {
        if (!value.isObject()) {
            fail(where, QStringLiteral("%1 is not an object").arg(shown(value)));
            return;
        }
        const QJsonObject object = value.toObject();
        members(where, object, {"carry", "dataBits", "repeatBit", "patterns", "pcode"});
        auto number = [&](const char *name, int32_t *field) {
            const QLatin1String key(name);
            return object.contains(key) &&
                   integer(where + QLatin1Char('.') + key, object.value(key), field);
        };
        number("carry", &info.Carry);
        const bool countKnown = number("dataBits", &info.DataBits);
        number("repeatBit", &info.RepeatBit);

        QJsonArray patterns;
        if (object.contains(QLatin1String("patterns")) &&
            arrayOf(where + QStringLiteral(".patterns"), object.value(QLatin1String("patterns")),
                    WaveInfo::kPatterns, QStringLiteral("pairs [High, Width]"), &patterns)) {
            for (int i = 0; i < WaveInfo::kPatterns; ++i) {
                const QString entry = where + QStringLiteral(".patterns[%1]").arg(i);
                QJsonArray pair;
                if (!arrayOf(entry, patterns[i], 2, QStringLiteral("numbers [High, Width]"), &pair))
                    continue;
                integer(entry + QStringLiteral("[0]"), pair[0], &info.High[size_t(i)]);
                integer(entry + QStringLiteral("[1]"), pair[1], &info.Width[size_t(i)]);
            }
        }

        if (!object.contains(QLatin1String("pcode"))) return;
        const QJsonValue pcode = object.value(QLatin1String("pcode"));
        const QString codesWhere = where + QStringLiteral(".pcode");
        if (!pcode.isString()) {
            fail(codesWhere,
                 QStringLiteral("%1 is not a text of hexadecimal digits").arg(shown(pcode)));
            return;
        }
        const QString digits = pcode.toString();
        for (qsizetype i = 0; i < digits.size(); ++i) {
            const char16_t c = digits[i].unicode();
            const int code = c < 0x80 ? hexDigitValue(char(c)) : -1;
            if (code < 0) {
                fail(codesWhere, QStringLiteral("pattern code %1, %2, is not a hexadecimal digit")
                                     .arg(i + 1)
                                     .arg(quoted(digits.mid(i, 1))));
                return;
            }
            if (i < WaveInfo::kPcodes) info.Pcode[size_t(i)] = uint8_t(code);
        }
        if (!countKnown) return;
        const qsizetype count = std::clamp<int32_t>(info.DataBits, 0, WaveInfo::kPcodes);
        if (digits.size() != count)
            fail(codesWhere, QStringLiteral("%1 pattern codes where dataBits %2 calls for %3")
                                 .arg(digits.size())
                                 .arg(info.DataBits)
                                 .arg(count));
    }

    void readLayout(const QJsonValue &value) {
        QJsonArray rows;
        if (!arrayOf(QStringLiteral("layout"), value, LayoutData::kRows,
                     QStringLiteral("rows of %1 cell texts").arg(LayoutData::kColumns), &rows))
            return;
        for (int row = 1; row <= LayoutData::kRows; ++row) {
            const QString where = QStringLiteral("layout row %1").arg(row);
            QJsonArray cells;
            if (!arrayOf(where, rows[row - 1], LayoutData::kColumns, QStringLiteral("cell texts"),
                         &cells))
                continue;
            for (int column = 1; column <= LayoutData::kColumns; ++column) {
                QByteArray bytes;
                if (text(where + QStringLiteral(", column %1").arg(column), cells[column - 1],
                         false, &bytes))
                    layout_.setCell(row, column, bytes);
            }
        }
    }
};

} // namespace

QByteArray filesToJson(const CodeTable &table, const LayoutData &layout) {
    QByteArray out;
    out.reserve(4096 + CodeTable::kRows * 512);
    out += "{\"rows\":[\n";
    for (int row = 1; row <= CodeTable::kRows; ++row) {
        appendRow(out, table, row);
        out += row < CodeTable::kRows ? ",\n" : "\n";
    }
    out += "],\n\"layout\":[\n";
    for (int row = 1; row <= LayoutData::kRows; ++row) {
        out += '[';
        for (int column = 1; column <= LayoutData::kColumns; ++column) {
            if (column > 1) out += ',';
            appendString(out, layout.cell(row, column));
        }
        out += row < LayoutData::kRows ? "],\n" : "]\n";
    }
    out += "]}\n";
    return out;
}

bool filesFromJson(const QByteArray &json, CodeTable *table, LayoutData *layout,
                   QStringList *errors) {
    table->ClearTable();
    layout->InitLayout();
    errors->clear();
    JsonReader(*table, *layout, *errors).read(json);
    return errors->isEmpty();
}

} // namespace zevo3
