// zevo3: the table file and its layout file without a window. Parses the
// command line, reads and writes the files and reports; what the files mean
// is worked out by the cores.

#include "file_check.h"
#include "files_json.h"
#include "layout_file.h"
#include "save_file.h"
#include "table_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <memory>

using namespace zevo3;

namespace {

// Exit statuses.
constexpr int kDone = 0;
constexpr int kProblems = 1;
constexpr int kCannot = 2;

// A table of 70 rows with 4096 pattern codes each is about 600 KB.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

void say(const QString &text) {
    const QByteArray line = text.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

void tell(const QString &text) {
    say(QStringLiteral("zevo3: ") + text);
}

bool writeOut(const QByteArray &data) {
    if (std::fwrite(data.constData(), 1, size_t(data.size()), stdout) != size_t(data.size()))
        return false;
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

int cannotWriteOut() {
    tell(QStringLiteral("cannot write to the standard output"));
    return kCannot;
}

bool readStdin(QByteArray *data, QString *error) {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    data->clear();
    for (;;) {
        const QByteArray chunk = in.read(64 * 1024);
        if (chunk.isEmpty()) break; // the end, or an error said below
        *data += chunk;
        if (data->size() > kMaxFileBytes) {
            *error = QStringLiteral("larger than %1 bytes").arg(kMaxFileBytes);
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        *error = in.errorString();
        return false;
    }
    return true;
}

// The table file and the layout file beside it. False (and said) when one
// of them cannot be read; a missing layout file is an empty layout.
bool readInputs(const QString &tablePath, FilesIn *in) {
    in->tablePath = tablePath;
    in->layoutPath = layoutPathFor(tablePath);
    QString error;
    if (!readFileBounded(tablePath, kMaxFileBytes, &in->table, &error)) {
        tell(QStringLiteral("cannot read the table file %1: %2").arg(tablePath, error));
        return false;
    }
    bool missing = false;
    in->layoutFound = readFileBounded(in->layoutPath, kMaxFileBytes, &in->layout, &error, &missing);
    if (!in->layoutFound && !missing) {
        tell(QStringLiteral("cannot read the layout file %1: %2").arg(in->layoutPath, error));
        return false;
    }
    return true;
}

int dump(const QString &tablePath) {
    const auto in = std::make_unique<FilesIn>();
    if (!readInputs(tablePath, in.get())) return kCannot;
    const FilesRead read = readFiles(*in);
    if (!writeOut(filesToJson(read.table->table, read.layout->layout))) return cannotWriteOut();
    for (const Finding &finding : read.findings)
        say(finding.text());
    if (!in->layoutFound)
        tell(QStringLiteral("no layout file %1: the layout is empty").arg(in->layoutPath));
    return read.findings.empty() ? kDone : kProblems;
}

int check(const QString &tablePath) {
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
    return findings.empty() ? kDone : kProblems;
}

// Something in the way of replacing the file at `path`, found before anything
// is written: not a regular file, or a file marked read-only.
QString inTheWay(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    if (!info.isFile()) return QStringLiteral("%1 is not a regular file").arg(path);
    if (!(info.permissions() & QFileDevice::WriteOwner))
        return QStringLiteral("%1 is read-only").arg(path);
    return {};
}

int make(const QString &jsonPath, const QString &tablePath) {
    QByteArray json;
    QString error;
    const bool fromStdin = jsonPath == QLatin1String("-");
    if (!(fromStdin ? readStdin(&json, &error)
                    : readFileBounded(jsonPath, kMaxFileBytes, &json, &error))) {
        tell(QStringLiteral("cannot read %1: %2")
                 .arg(fromStdin ? QStringLiteral("the standard input") : jsonPath, error));
        return kCannot;
    }
    const QString source = fromStdin ? QStringLiteral("<stdin>") : jsonPath;

    const auto table = std::make_unique<CodeTable>();
    LayoutData layout;
    QStringList errors;
    if (!filesFromJson(json, table.get(), &layout, &errors)) {
        for (const QString &e : std::as_const(errors))
            say(source + QStringLiteral(": ") + e);
        tell(QStringLiteral("nothing written"));
        return kProblems;
    }

    const QString layoutPath = layoutPathFor(tablePath);
    if (QDir::cleanPath(QFileInfo(layoutPath).absoluteFilePath()) ==
        QDir::cleanPath(QFileInfo(tablePath).absoluteFilePath())) {
        tell(QStringLiteral("%1 is the name of its own layout file: the layout would replace the "
                            "table; nothing written")
                 .arg(tablePath));
        return kCannot;
    }
    for (const QString &path : {tablePath, layoutPath})
        if (const QString why = inTheWay(path); !why.isEmpty()) {
            tell(QStringLiteral("cannot write %1: %2; nothing written").arg(path, why));
            return kCannot;
        }

    if (!saveFileAtomically(tablePath, WriteTableFile(*table), &error)) {
        tell(QStringLiteral("cannot write the table file %1: %2; nothing written")
                 .arg(tablePath, error));
        return kCannot;
    }
    if (!saveFileAtomically(layoutPath, SaveLayoutFile(layout, layoutPath), &error)) {
        tell(QStringLiteral("the table file %1 was written, but its layout file %2 was NOT: %3. "
                            "The layout file does not belong to the new table; run make again "
                            "once it can be written")
                 .arg(tablePath, layoutPath, error));
        return kCannot;
    }
    return kDone;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zevo3"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEVO3_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads, checks and writes the ZEVO3 code table file and its layout file (the table's\n"
        "path with the extension .ZV3), without a window.\n"
        "\n"
        "Commands:\n"
        "  dump TABLE      the table and its layout as JSON on standard output\n"
        "  make JSON OUT   the table file OUT and its layout file from the JSON of dump\n"
        "                  (JSON \"-\": standard input)\n"
        "  check TABLE     every problem of the table file and its layout file, one a line\n"
        "\n"
        "Exit status: 0 success, 1 the files have problems, 2 bad usage or a file that\n"
        "cannot be read or written."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("dump, make or check"));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("the command's files"),
                                 QStringLiteral("FILE..."));

    const auto usage = [](const QString &why) {
        tell(why);
        say(QStringLiteral(
            "usage: zevo3 dump TABLE | make JSON OUT | check TABLE (see zevo3 --help)"));
        return kCannot;
    };
    if (!parser.parse(QCoreApplication::arguments())) return usage(parser.errorText());
    if (parser.isSet(help)) parser.showHelp(kDone);
    if (parser.isSet(version)) parser.showVersion();

    const QStringList args = parser.positionalArguments();
    if (args.isEmpty()) return usage(QStringLiteral("no command given"));
    const QString command = args.first();
    const auto arity = [&](int count) { return args.size() == count + 1; };
    if (command == QLatin1String("dump") && arity(1)) return dump(args[1]);
    if (command == QLatin1String("check") && arity(1)) return check(args[1]);
    if (command == QLatin1String("make") && arity(2)) return make(args[1], args[2]);
    if (command == QLatin1String("dump") || command == QLatin1String("check") ||
        command == QLatin1String("make"))
        return usage(QStringLiteral("%1: wrong number of files").arg(command));
    return usage(QStringLiteral("unknown command \"%1\"").arg(command));
}
