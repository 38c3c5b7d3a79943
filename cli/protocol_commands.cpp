// zevo3 decode and encode: what protocol a row's code is, and a row made
// from a protocol's fields.

#include "cli_output.h"
#include "code_request.h"
#include "commands.h"
#include "exit_status.h"
#include "flat_signal.h"
#include "imported_row.h"
#include "ir_protocol.h"
#include "raw_format.h"
#include "table_input.h"
#include "table_store.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

namespace zevo3::cli {

namespace {

QString hex(uint32_t value) {
    return QStringLiteral("0x%1").arg(value, 2, 16, QLatin1Char('0'));
}

// "NEC address=0x04 command=0x08 repeats=0", or why not.
QString decodedText(const DecodedCode &code) {
    if (!code.matched()) return QStringLiteral("none: ") + code.note;
    QString text = QStringLiteral("%1 address=%2 command=%3")
                       .arg(code.protocol, hex(code.address), hex(code.command));
    if (protocolFields(code.protocol)->toggle)
        text += QStringLiteral(" toggle=%1").arg(code.toggle);
    text += QStringLiteral(" repeats=%1").arg(code.repeats);
    if (!code.note.isEmpty()) text += QStringLiteral(" (") + code.note + QLatin1Char(')');
    return text;
}

QJsonObject decodedJson(int row, const DecodedCode &code) {
    QJsonObject o;
    o[QLatin1String("row")] = row;
    o[QLatin1String("protocol")] = code.matched() ? QJsonValue(code.protocol) : QJsonValue();
    o[QLatin1String("address")] = qint64(code.address);
    o[QLatin1String("command")] = qint64(code.command);
    o[QLatin1String("toggle")] = code.toggle;
    o[QLatin1String("repeats")] = code.repeats;
    o[QLatin1String("note")] = code.note;
    return o;
}

int decode(const Invocation &call) {
    if (call.args.size() != 1) return call.usage(QStringLiteral("decode: give one table file"));
    int only = 0;
    if (call.isSet(QStringLiteral("row"))) {
        const std::optional<int> row =
            wholeNumber(call.value(QStringLiteral("row")), 1, CodeTable::kRows);
        if (!row)
            return call.usage(QStringLiteral("--row: a row 1 to %1, not \"%2\"")
                                  .arg(CodeTable::kRows)
                                  .arg(call.value(QStringLiteral("row"))));
        only = *row;
    }
    const std::optional<CodeTable> table =
        readWholeTable(call.args[0], QStringLiteral("nothing decoded"));
    if (!table) return kCannot;
    QByteArray text;
    QJsonArray rows;
    for (int row = 1; row <= CodeTable::kRows; ++row) {
        if ((only && row != only) || !table->waveInfo(row).present()) continue;
        const DecodedCode code = decodeSignal(flatSignalOf(table->waveInfo(row)));
        rows.append(decodedJson(row, code));
        text += QStringLiteral("%1 %2\n").arg(row).arg(decodedText(code)).toUtf8();
    }
    if (call.isSet(QStringLiteral("json")))
        text = QJsonDocument(rows).toJson(QJsonDocument::Compact) + '\n';
    return writeOut(text) ? kDone : cannotWriteOut();
}

int encode(const Invocation &call) {
    if (call.args.size() != 3)
        return call.usage(QStringLiteral("encode: give a protocol, an address and a command"));
    const std::optional<uint32_t> address = fieldNumber(call.args[1]);
    const std::optional<uint32_t> command = fieldNumber(call.args[2]);
    if (!address || !command)
        return call.usage(QStringLiteral("encode: the address and the command are numbers, "
                                         "decimal or 0x hexadecimal"));
    const auto small = [&](const char *name, int max) -> std::optional<int> {
        if (!call.isSet(QLatin1String(name))) return 0;
        return wholeNumber(call.value(QLatin1String(name)), 0, max);
    };
    const std::optional<int> repeats = small("repeats", 100);
    const std::optional<int> toggle = small("toggle", 1);
    if (!repeats || !toggle)
        return call.usage(QStringLiteral("--repeats: 0 to 100; --toggle: 0 or 1"));
    if (call.isSet(QStringLiteral("row")) && !call.isSet(QStringLiteral("into")))
        return call.usage(QStringLiteral("encode: --row goes with --into TABLE"));
    const EncodedCode encoded = encodeSignal(call.args[0], *address, *command, *repeats, *toggle);
    if (!encoded.ok) return call.usage(QStringLiteral("encode: ") + encoded.message);

    InterchangeCode code;
    code.name = requestedName(call.args[0], *address, *command);
    code.signal = encoded.signal;
    if (!call.isSet(QStringLiteral("into"))) {
        const InterchangeWrite raw = writeRaw({code});
        return writeOut(raw.bytes) ? kDone : cannotWriteOut();
    }
    const QString tablePath = call.value(QStringLiteral("into"));
    std::optional<ImportTarget> target = openImportTarget(tablePath);
    if (!target) return kCannot;
    int row = firstRowWithoutDescription(*target->table);
    if (call.isSet(QStringLiteral("row"))) {
        const std::optional<int> given =
            wholeNumber(call.value(QStringLiteral("row")), 1, CodeTable::kRows);
        if (!given) return call.usage(QStringLiteral("--row: a row 1 to %1").arg(CodeTable::kRows));
        row = *given;
    }
    return storeAndReport(tablePath, *target, row, {code});
}

} // namespace

std::vector<CommandEntry> protocolCommands() {
    using Kind = CommandEntry::Kind;
    return {
        {QStringLiteral("decode"),
         Kind::Files,
         QStringLiteral("decode TABLE [--row N] [--json]"),
         QStringLiteral("  decode TABLE [--row N] [--json]\n"
                        "                  the protocol and fields of each row that holds a "
                        "timing\n"
                        "                  description (\"NEC address=0x04 command=0x08 "
                        "repeats=0\"), or why not\n"),
         {QStringLiteral("row"), QStringLiteral("json")},
         decode},
        {QStringLiteral("encode"),
         Kind::Files,
         QStringLiteral("encode PROTOCOL ADDRESS COMMAND [--repeats N] [--toggle T] [--into "
                        "TABLE [--row N]]"),
         QStringLiteral("  encode PROTOCOL ADDRESS COMMAND [--repeats N] [--toggle T]\n"
                        "       [--into TABLE [--row N]]\n"
                        "                  the code of a protocol's fields (decimal or 0x): as "
                        "raw\n"
                        "                  timings on standard output, or stored into a row as "
                        "import\n"
                        "                  stores it\n"),
         {QStringLiteral("row"), QStringLiteral("repeats"), QStringLiteral("toggle"),
          QStringLiteral("into")},
         encode},
    };
}

} // namespace zevo3::cli
