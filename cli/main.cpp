// zevo3: the table file and its layout file without a window, and the unit
// on the serial port. Parses the command line, reads and writes the files
// and reports; what the files mean and what goes on the line is worked out
// by the cores.

#include "device_commands.h"
#include "file_check.h"
#include "files_json.h"
#include "layout_file.h"
#include "save_file.h"
#include "table_document.h"
#include "table_file.h"
#include "table_print.h"
#include "transmit_messages.h"
#include "wave_command.h"
#include "wave_render.h"
#include "wave_text_file.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

using namespace zevo3;

namespace {

// Exit statuses.
constexpr int kDone = cli::kDone;
constexpr int kProblems = cli::kNoAnswer;
constexpr int kCannot = cli::kCannot;

// The JSON of a table is read with the table file's limit.
constexpr qint64 kMaxFileBytes = kMaxTableFileBytes;

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
    // The checks read the bytes themselves.
    const TableFileOpen table = openTableFile(tablePath, false);
    if (!table.readable) {
        tell(QStringLiteral("cannot read the table file %1: %2").arg(tablePath, table.error));
        return false;
    }
    const LayoutFileOpen layout = openLayoutFile(tablePath);
    if (!cli::layoutReadable(layout, [](const QString &text) { tell(text); })) return false;
    in->tablePath = tablePath;
    in->table = table.bytes;
    in->layoutPath = layout.path;
    in->layoutFound = layout.found();
    in->layout = layout.bytes;
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

// Why the table file and its layout file cannot be saved as a pair.
QString pairProblemText(const PairCheck &pair, const QString &tablePath) {
    switch (pair.problem) {
    case PairProblem::SameFile:
        return QStringLiteral("the layout file %1 is the table file %2 itself (%3): the layout "
                              "would replace the table")
            .arg(pair.path, tablePath, pair.target);
    case PairProblem::LinkLoop:
        return QStringLiteral("%1 is a symbolic link in a loop").arg(pair.path);
    case PairProblem::DanglingLink:
        return QStringLiteral("%1 is a symbolic link to %2, which does not exist")
            .arg(pair.path, pair.target);
    case PairProblem::None:
        break;
    }
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

    const SaveCheck check = checkSave(tablePath, true);
    const QString &layoutPath = check.layoutPath;
    switch (check.refusal) {
    case SaveCheck::Refusal::LayoutName:
        tell(QStringLiteral("%1 is the name of its own layout file: the layout would replace the "
                            "table; nothing written")
                 .arg(tablePath));
        return kCannot;
    case SaveCheck::Refusal::Pair:
        tell(pairProblemText(check.pair, tablePath) + QStringLiteral("; nothing written"));
        return kCannot;
    case SaveCheck::Refusal::InTheWay:
        tell(QStringLiteral("cannot write %1: %2; nothing written").arg(check.path, check.why));
        return kCannot;
    case SaveCheck::Refusal::None:
        break;
    }

    if (!saveTableFile(tablePath, *table, &error)) {
        tell(QStringLiteral("cannot write the table file %1: %2; nothing written")
                 .arg(tablePath, error));
        return kCannot;
    }
    if (!saveLayoutFile(layoutPath, layout, &error)) {
        tell(QStringLiteral("the table file %1 was written, but its layout file %2 was NOT: %3. "
                            "The layout file does not belong to the new table; run make again "
                            "once it can be written")
                 .arg(tablePath, layoutPath, error));
        return kCannot;
    }
    return kDone;
}

void writeLine(std::FILE *stream, const QByteArray &line) {
    std::fwrite(line.constData(), 1, size_t(line.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// A whole number within [min, max], or nullopt.
std::optional<int> number(const QString &text, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max) return std::nullopt;
    return value;
}

struct DeviceArgs {
    cli::LinkOptions link;
    int waitMs = cli::kDefaultWaitMs;
    std::optional<int> frames;
    QString table;
    bool dryRun = false;
    QStringList ports;
};

int deviceCommand(const QString &command, const QStringList &args, const DeviceArgs &options,
                  const std::function<int(const QString &)> &usage) {
    cli::Streams streams;
    streams.out = [](const QByteArray &line) { writeLine(stdout, line); };
    streams.err = [](const QByteArray &line) { writeLine(stderr, line); };

    std::vector<QByteArray> messages;
    std::vector<RegistrationMessage> plan;
    if (command == QLatin1String("search")) {
        if (args.size() != 1) return usage(QStringLiteral("search takes no arguments (--ports)"));
        cli::DeviceSession session(streams);
        if (!session.prepare(options.link)) return kCannot;
        std::vector<PortCandidate> candidates;
        if (!options.ports.isEmpty()) {
            for (const QString &name : options.ports)
                candidates.push_back({name, QString()});
        } else {
            candidates = SystemPortLister().candidates();
            if (!session.simulatedPort().isEmpty())
                candidates.push_back({session.simulatedPort(), QStringLiteral("simulated unit")});
        }
        return cli::searchCommand(session, candidates);
    }
    if (command == QLatin1String("version")) {
        if (args.size() != 1) return usage(QStringLiteral("version takes no arguments"));
    } else if (command == QLatin1String("send")) {
        if (args.size() < 2) return usage(QStringLiteral("send: no text given"));
        messages = cli::consoleMessages(args.mid(1));
    } else if (command == QLatin1String("fire")) {
        if (args.size() != 2) return usage(QStringLiteral("fire: give one code number"));
        const std::optional<int> row = number(args[1], 1, CodeTable::kRows);
        if (!row)
            return usage(QStringLiteral("fire: the code number is 1 to %1, not \"%2\"")
                             .arg(CodeTable::kRows)
                             .arg(args[1]));
        if (options.table.isEmpty()) {
            messages = cli::fireMessages(*row, options.frames.value_or(3));
        } else {
            if (options.frames)
                return usage(QStringLiteral("fire: --frames goes with a code number, not with "
                                            "--table (the table row's Frames cell is sent)"));
            const std::optional<cli::TableInput> in =
                cli::readTableInput(options.table, false, streams);
            if (!in) return kCannot;
            messages = FiringTestMessages(*in->table, *row, true);
            if (messages.empty()) {
                streams.say(QStringLiteral("row %1 of %2 has no Carry text: nothing to fire")
                                .arg(*row)
                                .arg(options.table));
                return kCannot;
            }
        }
    } else if (command == QLatin1String("download")) {
        if (args.size() != 2) return usage(QStringLiteral("download: give one table file"));
        const std::optional<cli::TableInput> in = cli::readTableInput(args[1], true, streams);
        if (!in) return kCannot;
        // Cells the unit's key rows cannot carry are refused before the
        // port is opened, not sent as they come out.
        const std::vector<Finding> cells = layoutSendProblems(in->layout, layoutPathFor(args[1]));
        if (!cells.empty()) {
            for (const Finding &finding : cells)
                say(finding.text());
            tell(QStringLiteral("download: the layout holds %1 cell(s) that are not codes of the "
                                "table; nothing sent")
                     .arg(cells.size()));
            return kProblems;
        }
        plan = RegistrationPlan(*in->table, in->layout);
        if (options.dryRun) return cli::downloadDryRun(plan, streams);
    }

    cli::DeviceSession session(streams);
    if (!session.open(options.link)) return kCannot;
    if (command == QLatin1String("version")) return cli::versionCommand(session);
    if (command == QLatin1String("download")) return cli::downloadCommand(session, plan);
    return cli::sendCommand(session, messages, options.waitMs);
}

} // namespace

// A table file read whole for an output of it; what is wrong goes to
// standard error, followed by `nothing` ("nothing printed").
std::optional<CodeTable> readWholeTable(const QString &tablePath, const QString &nothing) {
    TableFileOpen open = openTableFile(tablePath);
    if (!open.readable) {
        tell(QStringLiteral("cannot read %1: %2").arg(tablePath, open.error));
        return std::nullopt;
    }
    TableFileRead &read = *open.read;
    if (!read.identified)
        say(QStringLiteral("%1:1: the first line is not \"%2\"; read as after OK")
                .arg(tablePath, QString::fromLatin1(kTableFileId)));
    if (!read.complete()) {
        for (const FileProblem &problem : read.problems)
            if (problem.error)
                tell(QStringLiteral("%1:%2:%3: %4; %5")
                         .arg(tablePath)
                         .arg(problem.line)
                         .arg(problem.field)
                         .arg(problem.message, nothing));
        return std::nullopt;
    }
    return std::move(read.table);
}

// The table print into a PDF file, as "Table 印刷" prints it.
int print(const QString &tablePath, const QString &pdfPath) {
    const std::optional<CodeTable> table =
        readWholeTable(tablePath, QStringLiteral("nothing printed"));
    if (!table) return kCannot;
    const QByteArray pdf =
        tablePrintPdf(*table, QFileInfo(tablePath).fileName(), QDate::currentDate());
    QString error;
    if (!saveFileAtomically(pdfPath, pdf, &error)) {
        tell(QStringLiteral("cannot write %1: %2").arg(pdfPath, error));
        return kCannot;
    }
    return kDone;
}

// A row's waveform: drawn as the panel draws it (PNG), printed as "Print"
// prints it (PDF), exported as "Save" writes it (text); with an overlay the
// frame values go to standard output.
struct WaveFiles {
    QString png, pdf, text;
};

int writeWave(const cli::WaveOutputs &out, const WaveFiles &files);

int wave(const QString &tablePath, const QString &rowText, cli::WaveRequest request,
         const WaveFiles &files) {
    const std::optional<int> row = number(rowText, 1, CodeTable::kRows);
    if (!row) {
        tell(QStringLiteral("wave: the row is 1 to %1, not \"%2\"")
                 .arg(CodeTable::kRows)
                 .arg(rowText));
        return kCannot;
    }
    request.row = *row;
    const std::optional<CodeTable> table =
        readWholeTable(tablePath, QStringLiteral("nothing drawn"));
    if (!table) return kCannot;
    const cli::WaveOutputs out = cli::makeWaveOutputs(*table, request);
    if (!out.notice.isEmpty()) tell(out.notice);
    if (!out.drawn) {
        tell(QStringLiteral("%1: row %2 has no waveform to draw; nothing written")
                 .arg(tablePath)
                 .arg(request.row));
        return kCannot;
    }
    return writeWave(out, files);
}

// A wave text file drawn, printed or exported again, as after the panel's
// "Load".
int waveFromText(const QString &wavePath, const cli::WaveRequest &request, const WaveFiles &files) {
    QByteArray bytes;
    QString error;
    if (!readFileBounded(wavePath, kMaxWaveFileBytes, &bytes, &error)) {
        tell(QStringLiteral("cannot read %1: %2").arg(wavePath, error));
        return kCannot;
    }
    const cli::WaveOutputs out = cli::makeWaveOutputsFromText(bytes, request, &error);
    if (!out.drawn) {
        tell(
            QStringLiteral("%1 is not a wave text file: %2; nothing written").arg(wavePath, error));
        return kProblems;
    }
    return writeWave(out, files);
}

int writeWave(const cli::WaveOutputs &out, const WaveFiles &files) {
    const std::pair<const QString &, const QByteArray &> writes[] = {
        {files.png, out.png}, {files.pdf, out.pdf}, {files.text, out.text}};
    for (const auto &[path, bytes] : writes) {
        if (path.isEmpty()) continue;
        QString error;
        if (!saveFileAtomically(path, bytes, &error)) {
            tell(QStringLiteral("cannot write %1: %2").arg(path, error));
            return kCannot;
        }
    }
    if (!out.checkLine.isEmpty()) say(out.checkLine);
    if (!out.frameLines.isEmpty() && !writeOut(out.frameLines)) return cannotWriteOut();
    return kDone;
}

int main(int argc, char *argv[]) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads, checks and writes the ZEVO3 code table file and its layout file (the table's\n"
        "path with the extension .ZV3), and talks to the unit, without a window.\n"
        "\n"
        "Commands:\n"
        "  dump TABLE      the table and its layout as JSON on standard output\n"
        "  make JSON OUT   the table file OUT and its layout file from the JSON of dump\n"
        "                  (JSON \"-\": standard input)\n"
        "  check TABLE     every problem of the table file and its layout file, one a line\n"
        "\n"
        "Unit commands (the port, line parameters and framing of the settings file;\n"
        "what the unit says goes to standard output, one line a message):\n"
        "  version         sends \"Version\" and prints the answer for 500 ms\n"
        "  send TEXT...    sends each text as the console does; prints for --wait ms\n"
        "  fire N          fires code N: \"Twl:%03d\", \"Twf:%03d\" (--frames, default 3)\n"
        "  fire N --table TABLE\n"
        "                  sends row N's timing description and \"Tf:\" with its Frames cell\n"
        "  download TABLE  registers the layout (TABLE's .ZV3 file) and the table's codes in\n"
        "                  the unit, each message acknowledged; progress on standard error\n"
        "  search          the port search of the settings dialog over the system's ports\n"
        "                  (or --ports P1,P2,...): each port and what became of it\n"
        "  print TABLE --pdf OUT\n"
        "                  the table print (occupied rows under a header) into a PDF file\n"
        "  wave TABLE ROW [--overlay eiritsu|philips [--ts N --tw N --bits N]] [--zoom Z]\n"
        "       [--code-check] (--png OUT | --pdf OUT | --text OUT)...\n"
        "                  the row's waveform: as the panel draws it (20000 x 63) into a PNG,\n"
        "                  as the wave print into a PDF, as the wave export into a text file;\n"
        "                  with an overlay, each frame's value on standard output\n"
        "  wave --from-text FILE [--overlay ...] [--zoom Z] (--png OUT | --pdf OUT | --text "
        "OUT)...\n"
        "                  the same for a wave text file, as the panel's Load reads it, under\n"
        "                  the file's own first line\n"
        "\n"
        "Exit status: 0 success; 1 the files have problems (dump, check, make), or the unit\n"
        "did not answer or acknowledge; 2 bad usage, a file that cannot be read or written,\n"
        "or a port that cannot be opened."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption iniOption(
        QStringLiteral("ini"),
        QStringLiteral("Settings file (default: zevo3tool.ini beside this program). Read only."),
        QStringLiteral("FILE"));
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Port to use instead of the settings file's, for this run only."),
        QStringLiteral("NAME"));
    const QCommandLineOption simulateOption(
        QStringLiteral("simulate"), QStringLiteral("Talk to a simulated unit in this process."));
    const QCommandLineOption simLogOption(
        QStringLiteral("sim-log"),
        QStringLiteral("With --simulate: append each message the unit receives to FILE."),
        QStringLiteral("FILE"));
    const QCommandLineOption waitOption(
        QStringLiteral("wait"),
        QStringLiteral("send, fire: how long to print what the unit says (default 300)."),
        QStringLiteral("MS"));
    const QCommandLineOption framesOption(QStringLiteral("frames"),
                                          QStringLiteral("fire: the frame count (default 3)."),
                                          QStringLiteral("F"));
    const QCommandLineOption tableOption(
        QStringLiteral("table"),
        QStringLiteral("fire: send the row's timing description from this table file."),
        QStringLiteral("TABLE"));
    const QCommandLineOption portsOption(QStringLiteral("ports"),
                                         QStringLiteral("search: the ports to try, in this order."),
                                         QStringLiteral("P1,P2,..."));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"),
                                       QStringLiteral("print, wave: the PDF file to write."),
                                       QStringLiteral("OUT"));
    const QCommandLineOption pngOption(QStringLiteral("png"),
                                       QStringLiteral("wave: the PNG file to write."),
                                       QStringLiteral("OUT"));
    const QCommandLineOption textOption(QStringLiteral("text"),
                                        QStringLiteral("wave: the wave text file to write."),
                                        QStringLiteral("OUT"));
    const QCommandLineOption overlayOption(
        QStringLiteral("overlay"),
        QStringLiteral("wave: the bit-sampling overlay, eiritsu or philips."),
        QStringLiteral("NAME"));
    const QCommandLineOption tsOption(
        QStringLiteral("ts"),
        QStringLiteral("wave, philips: microseconds to the first sample (default 450)."),
        QStringLiteral("N"));
    const QCommandLineOption twOption(
        QStringLiteral("tw"),
        QStringLiteral("wave, philips: microseconds between samples, above 0 (default 878)."),
        QStringLiteral("N"));
    const QCommandLineOption bitsOption(
        QStringLiteral("bits"), QStringLiteral("wave, philips: samples a frame (default 32)."),
        QStringLiteral("N"));
    const QCommandLineOption codeCheckOption(
        QStringLiteral("code-check"),
        QStringLiteral("wave: annotate without the code and compare it with the row's Result, "
                       "as CodeCheck does; the outcome goes to standard error."));
    const QCommandLineOption fromTextOption(
        QStringLiteral("from-text"),
        QStringLiteral("wave: draw, print or export a wave text file (as the panel's Load reads "
                       "it) instead of a table row."),
        QStringLiteral("FILE"));
    const QCommandLineOption zoomOption(
        QStringLiteral("zoom"),
        QStringLiteral("wave: microseconds a pixel, one of the panel's zoom steps 25, 50, 100, "
                       "150, ... 3000 (default 200)."),
        QStringLiteral("Z"));
    const QCommandLineOption dryRunOption(
        QStringLiteral("dry-run"),
        QStringLiteral("download: print the messages, one a line, instead of sending them."));
    parser.addOptions({iniOption, portOption, simulateOption, simLogOption, waitOption,
                       framesOption, tableOption, dryRunOption, pdfOption, portsOption, pngOption,
                       zoomOption, textOption, overlayOption, tsOption, twOption, bitsOption,
                       codeCheckOption, fromTextOption});
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("dump, make, check, print, wave, version, send, fire or "
                       "download"));
    parser.addPositionalArgument(QStringLiteral("arguments"),
                                 QStringLiteral("the command's files or texts"),
                                 QStringLiteral("ARG..."));

    const auto usage = [](const QString &why) {
        tell(why);
        say(QStringLiteral(
            "usage: zevo3 dump TABLE | make JSON OUT | check TABLE | version | "
            "send TEXT... | fire N [--frames F | --table TABLE] | download TABLE | "
            "print TABLE --pdf OUT | wave (TABLE ROW | --from-text FILE) [--overlay NAME] "
            "[--zoom Z] (--png OUT | --pdf OUT | --text OUT) "
            "(see zevo3 --help)"));
        return kCannot;
    };
    // The command is what the parser finds, wherever the options stand, and
    // it is known before the application object is made: printing and
    // drawing take the GUI module (without a window), every other command
    // the core alone.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool parsed = parser.parse(arguments);
    const QString first = parsed ? parser.positionalArguments().value(0) : QString();
    std::unique_ptr<QCoreApplication> application;
    if (first == QLatin1String("print") || first == QLatin1String("wave")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("zevo3"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEVO3_VERSION));
    if (!parsed) return usage(parser.errorText());
    if (parser.isSet(help)) parser.showHelp(kDone);
    if (parser.isSet(version)) parser.showVersion();

    const QStringList args = parser.positionalArguments();
    if (args.isEmpty()) return usage(QStringLiteral("no command given"));
    const QString command = args.first();
    const auto arity = [&](int count) { return args.size() == count + 1; };
    const bool isWave = command == QLatin1String("wave");
    if (parser.isSet(pdfOption) && command != QLatin1String("print") && !isWave)
        return usage(QStringLiteral("--pdf goes with print or wave"));
    for (const QCommandLineOption *option :
         {&pngOption, &zoomOption, &textOption, &overlayOption, &tsOption, &twOption, &bitsOption,
          &codeCheckOption, &fromTextOption})
        if (parser.isSet(*option) && !isWave)
            return usage(QStringLiteral("--%1 goes with wave").arg(option->names().first()));
    // The unit's options mean nothing to the file commands: said, not ignored.
    const QStringList fileCommands = {QStringLiteral("dump"), QStringLiteral("check"),
                                      QStringLiteral("make"), QStringLiteral("print"),
                                      QStringLiteral("wave")};
    if (fileCommands.contains(command))
        for (const QCommandLineOption *option :
             {&portOption, &simulateOption, &simLogOption, &waitOption, &framesOption, &tableOption,
              &dryRunOption, &portsOption})
            if (parser.isSet(*option))
                return usage(QStringLiteral("--%1 does not go with %2")
                                 .arg(option->names().first(), command));
    if (command == QLatin1String("dump") && arity(1)) return dump(args[1]);
    if (command == QLatin1String("check") && arity(1)) return check(args[1]);
    if (command == QLatin1String("make") && arity(2)) return make(args[1], args[2]);
    if (command == QLatin1String("print")) {
        if (!arity(1) || !parser.isSet(pdfOption))
            return usage(QStringLiteral("print: give one table file and --pdf OUT"));
        return print(args[1], parser.value(pdfOption));
    }
    if (isWave) {
        const WaveFiles files{parser.value(pngOption), parser.value(pdfOption),
                              parser.value(textOption)};
        const bool fromText = parser.isSet(fromTextOption);
        if (!(fromText ? arity(0) : arity(2)) ||
            (files.png.isEmpty() && files.pdf.isEmpty() && files.text.isEmpty()))
            return usage(QStringLiteral("wave: give one table file and a row, or --from-text FILE, "
                                        "and --png OUT, --pdf OUT or --text OUT"));
        if (fromText && parser.isSet(codeCheckOption))
            return usage(QStringLiteral("wave: --code-check needs a table row's Result, not "
                                        "--from-text"));
        cli::WaveRequest request;
        request.png = !files.png.isEmpty();
        request.pdf = !files.pdf.isEmpty();
        request.text = !files.text.isEmpty();
        request.codeCheck = parser.isSet(codeCheckOption);
        if (parser.isSet(zoomOption)) {
            const std::optional<int> z = number(parser.value(zoomOption), 1, 3000);
            if (!z || zoomIndex(*z) == int(kZoomSteps.size()))
                return usage(QStringLiteral("--zoom: one of the zoom steps 25 to 3000, not \"%1\"")
                                 .arg(parser.value(zoomOption)));
            request.zoom = *z;
        }
        const QString overlay = parser.value(overlayOption);
        const bool philips = overlay == QLatin1String("philips");
        if (parser.isSet(overlayOption) && !philips && overlay != QLatin1String("eiritsu"))
            return usage(QStringLiteral("--overlay: eiritsu or philips, not \"%1\"").arg(overlay));
        if (!philips &&
            (parser.isSet(tsOption) || parser.isSet(twOption) || parser.isSet(bitsOption)))
            return usage(QStringLiteral("--ts, --tw and --bits go with --overlay philips"));
        if (overlay == QLatin1String("eiritsu")) request.overlay = OverlaySettings::eiritsu();
        if (philips) {
            request.overlay = OverlaySettings::philips({}, {}, {});
            const std::pair<const QCommandLineOption *, int *> timings[] = {
                {&tsOption, &request.overlay.ts},
                {&twOption, &request.overlay.tw},
                {&bitsOption, &request.overlay.bits}};
            for (const auto &[option, target] : timings) {
                if (!parser.isSet(*option)) continue;
                const int least = option == &twOption ? 1 : -1000000;
                const std::optional<int> value = number(parser.value(*option), least, 10000000);
                if (!value)
                    return usage(
                        QStringLiteral("--%1: a whole number%2, not \"%3\"")
                            .arg(option->names().first(),
                                 option == &twOption ? QStringLiteral(" above 0") : QString(),
                                 parser.value(*option)));
                *target = *value;
            }
        }
        if (fromText) return waveFromText(parser.value(fromTextOption), request, files);
        return wave(args[1], args[2], request, files);
    }

    if (command == QLatin1String("dump") || command == QLatin1String("check") ||
        command == QLatin1String("make"))
        return usage(QStringLiteral("%1: wrong number of files").arg(command));

    const QStringList deviceCommands = {QStringLiteral("version"), QStringLiteral("send"),
                                        QStringLiteral("fire"), QStringLiteral("download"),
                                        QStringLiteral("search")};
    if (!deviceCommands.contains(command))
        return usage(QStringLiteral("unknown command \"%1\"").arg(command));

    DeviceArgs options;
    options.link.iniPath = parser.isSet(iniOption)
                               ? parser.value(iniOption)
                               : cli::defaultSettingsPath(QCoreApplication::applicationFilePath());
    options.link.port = parser.value(portOption);
    options.link.simulate = parser.isSet(simulateOption);
    options.link.simLog = parser.value(simLogOption);
    if (parser.isSet(simLogOption) && !options.link.simulate)
        return usage(QStringLiteral("--sim-log goes with --simulate"));
    if (parser.isSet(simulateOption) && parser.isSet(portOption))
        return usage(QStringLiteral("--port and --simulate exclude each other"));
    if (parser.isSet(waitOption)) {
        const std::optional<int> wait = number(parser.value(waitOption), 0, 3600 * 1000);
        if (!wait)
            return usage(
                QStringLiteral("--wait: milliseconds, not \"%1\"").arg(parser.value(waitOption)));
        options.waitMs = *wait;
    }
    if (parser.isSet(framesOption)) {
        options.frames = number(parser.value(framesOption), 0, 999);
        if (!options.frames)
            return usage(QStringLiteral("--frames: a frame count 0 to 999, not \"%1\"")
                             .arg(parser.value(framesOption)));
    }
    options.table = parser.value(tableOption);
    options.dryRun = parser.isSet(dryRunOption);
    if (parser.isSet(portsOption)) {
        if (command != QLatin1String("search"))
            return usage(QStringLiteral("--ports goes with search"));
        for (const QString &name : parser.value(portsOption).split(QLatin1Char(',')))
            if (!name.trimmed().isEmpty()) options.ports << name.trimmed();
        // An empty list is not "every port": that would write to ports the
        // caller left out.
        if (options.ports.isEmpty())
            return usage(
                QStringLiteral("--ports: no port named in \"%1\"").arg(parser.value(portsOption)));
    }
    if ((options.frames || parser.isSet(tableOption)) && command != QLatin1String("fire"))
        return usage(QStringLiteral("--frames and --table go with fire"));
    if (options.dryRun && command != QLatin1String("download"))
        return usage(QStringLiteral("--dry-run goes with download"));
    return deviceCommand(command, args, options, usage);
}
