// zevo3 import and export: codes of the common interchange formats (Pronto
// Hex, raw timings, IR signal files, LIRC files) into table rows as timing
// descriptions, and rows out again.

#include "cli_output.h"
#include "commands.h"
#include "exit_status.h"
#include "flat_signal.h"
#include "imported_row.h"
#include "ir_file_format.h"
#include "lirc_format.h"
#include "parsed_codec.h"
#include "pronto_format.h"
#include "raw_format.h"
#include "save_file.h"
#include "table_document.h"
#include "table_input.h"
#include "table_store.h"
#include "transfer_preview.h"

#include <QFileInfo>
#include <memory>
#include <optional>

namespace zevo3::cli {

namespace {

// The formats by the names the command line gives them.
struct FormatEntry {
    const char *name;
    InterchangeFormat format;
};
constexpr FormatEntry kFormats[] = {{"pronto", InterchangeFormat::Pronto},
                                    {"raw", InterchangeFormat::Raw},
                                    {"ir", InterchangeFormat::IrFile},
                                    {"lirc", InterchangeFormat::Lirc}};

const FormatEntry *formatNamed(const QString &name) {
    for (const FormatEntry &format : kFormats)
        if (name == QLatin1String(format.name)) return &format;
    return nullptr;
}

QString formatChoice() {
    return QStringLiteral("pronto, raw, ir or lirc");
}

// --row, 1 to 70; `fallback` when it is not given. Nullopt (and said) when
// it is not a row.
std::optional<int> rowOption(const Invocation &call, int fallback) {
    if (!call.isSet(QStringLiteral("row"))) return fallback;
    const std::optional<int> row =
        wholeNumber(call.value(QStringLiteral("row")), 1, CodeTable::kRows);
    if (!row)
        call.usage(QStringLiteral("--row: a row 1 to %1, not \"%2\"")
                       .arg(CodeTable::kRows)
                       .arg(call.value(QStringLiteral("row"))));
    return row;
}

bool readSource(const QString &path, QByteArray *bytes) {
    QString error;
    const bool fromStdin = path == QLatin1String("-");
    if (fromStdin ? readStandardInput(bytes, kMaxTableFileBytes, &error)
                  : readFileBounded(path, kMaxTableFileBytes, bytes, &error))
        return true;
    tell(QStringLiteral("cannot read %1: %2")
             .arg(fromStdin ? QStringLiteral("the standard input") : path, error));
    return false;
}

int import(const Invocation &call) {
    if (call.args.size() != 3)
        return call.usage(QStringLiteral("import: give a table file, a format and a file"));
    const QString &tablePath = call.args[0];
    const QString &sourcePath = call.args[2];
    const FormatEntry *format = formatNamed(call.args[1]);
    if (!format)
        return call.usage(QStringLiteral("import: the format is %1, not \"%2\"")
                              .arg(formatChoice(), call.args[1]));
    const std::optional<int> givenRow = rowOption(call, 0);
    if (!givenRow) return kCannot;

    QByteArray text;
    if (!readSource(sourcePath, &text)) return kCannot;
    const QString source =
        sourcePath == QLatin1String("-") ? QStringLiteral("<stdin>") : sourcePath;
    // Parsed records of IR signal files are built from their protocol's fields.
    const InterchangeRead read = readInterchange(format->format, text, &protocolCodec());
    for (const InterchangeNote &note : read.notes)
        say(source + QStringLiteral(": ") + note.message);
    if (!read.ok()) {
        tell(QStringLiteral("nothing written"));
        return kNoAnswer;
    }
    if (read.codes.empty()) {
        tell(QStringLiteral("%1 holds no %2 code; nothing written").arg(source, call.args[1]));
        return kNoAnswer;
    }

    std::optional<ImportTarget> target = openImportTarget(tablePath);
    if (!target) return kCannot;
    const int row = *givenRow ? *givenRow : firstRowWithoutDescription(*target->table);
    return storeAndReport(tablePath, *target, row, read.codes);
}

InterchangeWrite writeCodes(const QString &format, const std::vector<InterchangeCode> &codes,
                            const QString &tablePath, bool rawOnly) {
    if (format == QLatin1String("pronto")) return writePronto(codes);
    if (format == QLatin1String("raw")) return writeRaw(codes);
    if (format == QLatin1String("ir"))
        return writeIrFile(codes, rawOnly ? nullptr : &protocolCodec());
    return writeLirc(codes, QFileInfo(tablePath).completeBaseName());
}

int exportCodes(const Invocation &call) {
    if (call.args.size() != 2)
        return call.usage(QStringLiteral("export: give a table file and a format"));
    const QString &tablePath = call.args[0];
    const QString &format = call.args[1];
    if (!formatNamed(format))
        return call.usage(
            QStringLiteral("export: the format is %1, not \"%2\"").arg(formatChoice(), format));
    const std::optional<int> givenRow = rowOption(call, 0);
    if (!givenRow) return kCannot;
    const std::optional<CodeTable> table =
        readWholeTable(tablePath, QStringLiteral("nothing written"));
    if (!table) return kCannot;

    std::vector<InterchangeCode> codes;
    for (int row = 1; row <= CodeTable::kRows; ++row)
        if ((!*givenRow || row == *givenRow) && table->waveInfo(row).present())
            codes.push_back(codeOfRow(*table, row));
    if (codes.empty()) {
        tell(*givenRow ? QStringLiteral("row %1 of %2 holds no timing description")
                             .arg(*givenRow)
                             .arg(tablePath)
                       : QStringLiteral("no row of %1 holds a timing description").arg(tablePath));
        return kNoAnswer;
    }
    if (call.isSet(QStringLiteral("raw")) && format != QLatin1String("ir"))
        return call.usage(QStringLiteral("export: --raw goes with the ir format"));
    const InterchangeWrite written =
        writeCodes(format, codes, tablePath, call.isSet(QStringLiteral("raw")));
    for (const InterchangeNote &note : written.notes)
        tell(note.message);
    if (!written.ok) return kNoAnswer;
    return writeOut(written.bytes) ? kDone : cannotWriteOut();
}

} // namespace

std::vector<CommandEntry> interchangeCommands() {
    using Kind = CommandEntry::Kind;
    return {
        {QStringLiteral("import"),
         Kind::Files,
         QStringLiteral("import TABLE FORMAT FILE [--row N]"),
         QStringLiteral(
             "  import TABLE FORMAT FILE [--row N]\n"
             "                  stores the codes of FILE (\"-\": standard input) in FORMAT\n"
             "                  (pronto, raw, ir or lirc) into row N and the rows below it\n"
             "                  (default: the first row without a timing description); a new\n"
             "                  TABLE is made with an empty layout file\n"),
         {QStringLiteral("row")},
         import},
        {QStringLiteral("export"),
         Kind::Files,
         QStringLiteral("export TABLE FORMAT [--row N] [--raw]"),
         QStringLiteral(
             "  export TABLE FORMAT [--row N] [--raw]\n"
             "                  row N, or every row that holds a timing description, in FORMAT\n"
             "                  on standard output; ir writes a code of a known protocol as a\n"
             "                  parsed record unless --raw is given\n"),
         {QStringLiteral("row"), QStringLiteral("raw")},
         exportCodes},
    };
}

} // namespace zevo3::cli
