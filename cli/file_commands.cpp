// zevo3 dump, check and make: the table file and its layout file read as
// JSON or checked, and written again from the JSON.

#include "cli_output.h"
#include "commands.h"
#include "exit_status.h"
#include "file_check.h"
#include "files_json.h"
#include "save_file.h"
#include "table_document.h"
#include "table_input.h"
#include "table_store.h"

#include <memory>

namespace zevo3::cli {

namespace {

// The JSON of a table is read with the table file's limit.
constexpr qint64 kMaxJsonBytes = kMaxTableFileBytes;

// The table file and the layout file beside it. False (and said) when one
// of them cannot be read; a missing layout file is an empty layout.
bool readInputs(const QString &tablePath, FilesIn *in) {
    // The checks read the bytes themselves.
    const TableFileOpen table = openTableFile(tablePath, false);
    if (!table.readable) {
        tell(QStringLiteral("cannot read the table file %1: %2").arg(tablePath, table.error));
        return false;
    }
    const LayoutFileOpen layout = openLayoutFile(tablePath);
    if (!layoutReadable(layout, [](const QString &text) { tell(text); })) return false;
    in->tablePath = tablePath;
    in->table = table.bytes;
    in->layoutPath = layout.path;
    in->layoutFound = layout.found();
    in->layout = layout.bytes;
    return true;
}

int wrongFileCount(const Invocation &call) {
    return call.usage(QStringLiteral("%1: wrong number of files").arg(call.command));
}

int dump(const Invocation &call) {
    if (call.args.size() != 1) return wrongFileCount(call);
    const QString &tablePath = call.args[0];
    const auto in = std::make_unique<FilesIn>();
    if (!readInputs(tablePath, in.get())) return kCannot;
    const FilesRead read = readFiles(*in);
    if (!writeOut(filesToJson(read.table->table, read.layout->layout))) return cannotWriteOut();
    for (const Finding &finding : read.findings)
        say(finding.text());
    if (!in->layoutFound)
        tell(QStringLiteral("no layout file %1: the layout is empty").arg(in->layoutPath));
    return read.findings.empty() ? kDone : kNoAnswer;
}

int check(const Invocation &call) {
    if (call.args.size() != 1) return wrongFileCount(call);
    const QString &tablePath = call.args[0];
    const auto in = std::make_unique<FilesIn>();
    if (!readInputs(tablePath, in.get())) return kCannot;
    const std::vector<Finding> findings = checkFiles(*in);
    QByteArray report;
    for (const Finding &finding : findings)
        report += finding.text().toUtf8() + '\n';
    if (!writeOut(report)) return cannotWriteOut();
    const QString files = in->layoutFound ? tablePath + QStringLiteral(" and ") + in->layoutPath
                                          : tablePath + QStringLiteral(" (no layout file)");
    tell(findings.empty() ? QStringLiteral("%1: no problems").arg(files)
                          : QStringLiteral("%1: %2 problem(s)").arg(files).arg(findings.size()));
    return findings.empty() ? kDone : kNoAnswer;
}

bool readJson(const QString &jsonPath, QByteArray *json) {
    QString error;
    const bool fromStdin = jsonPath == QLatin1String("-");
    if (fromStdin ? readStandardInput(json, kMaxJsonBytes, &error)
                  : readFileBounded(jsonPath, kMaxJsonBytes, json, &error))
        return true;
    tell(QStringLiteral("cannot read %1: %2")
             .arg(fromStdin ? QStringLiteral("the standard input") : jsonPath, error));
    return false;
}

int make(const Invocation &call) {
    if (call.args.size() != 2) return wrongFileCount(call);
    const QString &jsonPath = call.args[0];
    const QString &tablePath = call.args[1];
    QByteArray json;
    if (!readJson(jsonPath, &json)) return kCannot;
    const QString source = jsonPath == QLatin1String("-") ? QStringLiteral("<stdin>") : jsonPath;

    const auto table = std::make_unique<CodeTable>();
    LayoutData layout;
    QStringList errors;
    if (!filesFromJson(json, table.get(), &layout, &errors)) {
        for (const QString &e : std::as_const(errors))
            say(source + QStringLiteral(": ") + e);
        tell(QStringLiteral("nothing written"));
        return kNoAnswer;
    }

    const std::optional<QString> layoutPath = saveCheckedTable(tablePath, *table);
    if (!layoutPath) return kCannot;
    QString error;
    if (!saveLayoutFile(*layoutPath, layout, &error)) {
        tell(QStringLiteral("the table file %1 was written, but its layout file %2 was NOT: %3. "
                            "The layout file does not belong to the new table; run make again "
                            "once it can be written")
                 .arg(tablePath, *layoutPath, error));
        return kCannot;
    }
    return kDone;
}

} // namespace

std::vector<CommandEntry> fileCommands() {
    using Kind = CommandEntry::Kind;
    return {
        {QStringLiteral("dump"),
         Kind::Files,
         QStringLiteral("dump TABLE"),
         QStringLiteral("  dump TABLE      the table and its layout as JSON on standard output\n"),
         {},
         dump},
        {QStringLiteral("make"),
         Kind::Files,
         QStringLiteral("make JSON OUT"),
         QStringLiteral(
             "  make JSON OUT   the table file OUT and its layout file from the JSON of dump\n"
             "                  (JSON \"-\": standard input)\n"),
         {},
         make},
        {QStringLiteral("check"),
         Kind::Files,
         QStringLiteral("check TABLE"),
         QStringLiteral(
             "  check TABLE     every problem of the table file and its layout file, one a "
             "line\n"),
         {},
         check},
    };
}

} // namespace zevo3::cli
