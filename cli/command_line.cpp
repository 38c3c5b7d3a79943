#include "command_line.h"

#include "cli_output.h"
#include "exit_status.h"

#include <QCoreApplication>
#include <algorithm>

namespace zevo3::cli {

namespace {

bool isUnit(const CommandEntry &command) {
    return command.kind == CommandEntry::Kind::Unit;
}

// "a", "a or b", "a, b or c".
QString alternatives(const QStringList &names) {
    if (names.size() < 2) return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           names.last();
}

QString helpSection(const std::vector<CommandEntry> &commands, bool unit) {
    QString text;
    for (const CommandEntry &command : commands)
        if (isUnit(command) == unit) text += command.help;
    return text;
}

QStringList commandNames(const std::vector<CommandEntry> &commands) {
    QStringList names;
    for (const CommandEntry &command : commands)
        names << command.name;
    return names;
}

} // namespace

QStringList commonOptions() {
    return {QStringLiteral("ini"), QStringLiteral("lang")};
}

// The options of the link and the unit commands.
std::vector<OptionEntry> unitOptions() {
    return {
        {QStringLiteral("ini"),
         QStringLiteral("Settings file (default: zevo3tool.ini beside this program where its "
                        "folder can be written, otherwise in $XDG_CONFIG_HOME/zevo3tool/). Read "
                        "only."),
         QStringLiteral("FILE")},
        {QStringLiteral("lang"),
         QStringLiteral("en: the texts of the window program (the link's warnings) in English; "
                        "ja (the default). Also ZEVO3_LANG=en."),
         QStringLiteral("LANG")},
        {QStringLiteral("port"),
         QStringLiteral("Port to use instead of the settings file's, for this run only; "
                        "version, fire, download: may be given more than once, every unit at "
                        "once."),
         QStringLiteral("NAME")},
        {QStringLiteral("simulate"),
         QStringLiteral("Talk to a simulated unit in this process."),
         {}},
        {QStringLiteral("sim-log"),
         QStringLiteral("With --simulate: append each message the unit receives to FILE."),
         QStringLiteral("FILE")},
        {QStringLiteral("wait"),
         QStringLiteral("send, fire: how long to print what the unit says (default 300)."),
         QStringLiteral("MS")},
        {QStringLiteral("frames"), QStringLiteral("fire: the frame count (default 3)."),
         QStringLiteral("F")},
        {QStringLiteral("table"),
         QStringLiteral("fire: send the row's timing description from this table file."),
         QStringLiteral("TABLE")},
        {QStringLiteral("dry-run"),
         QStringLiteral("download: print the messages, one a line, instead of sending them."),
         {}},
    };
}

// The options of the file, drawing and code commands.
std::vector<OptionEntry> fileOptions() {
    return {
        {QStringLiteral("pdf"), QStringLiteral("print, wave: the PDF file to write."),
         QStringLiteral("OUT")},
        {QStringLiteral("ports"),
         QStringLiteral("search: the ports to try, in this order; version, fire, download: "
                        "the units to run at once (as is --port given more than once)."),
         QStringLiteral("P1,P2,...")},
        {QStringLiteral("png"), QStringLiteral("wave: the PNG file to write."),
         QStringLiteral("OUT")},
        {QStringLiteral("zoom"),
         QStringLiteral("wave: microseconds a pixel, one of the panel's zoom steps 25, 50, 100, "
                        "150, ... 3000 (default 200)."),
         QStringLiteral("Z")},
        {QStringLiteral("text"), QStringLiteral("wave: the wave text file to write."),
         QStringLiteral("OUT")},
        {QStringLiteral("overlay"),
         QStringLiteral("wave: the bit-sampling overlay, eiritsu or philips."),
         QStringLiteral("NAME")},
        {QStringLiteral("ts"),
         QStringLiteral("wave, philips: microseconds to the first sample (default 450)."),
         QStringLiteral("N")},
        {QStringLiteral("tw"),
         QStringLiteral("wave, philips: microseconds between samples, above 0 (default 878)."),
         QStringLiteral("N")},
        {QStringLiteral("bits"), QStringLiteral("wave, philips: samples a frame (default 32)."),
         QStringLiteral("N")},
        {QStringLiteral("code-check"),
         QStringLiteral("wave: annotate without the code and compare it with the row's Result, "
                        "as CodeCheck does; the outcome goes to standard error."),
         {}},
        {QStringLiteral("row"),
         QStringLiteral("import, encode: the row to store into (default: the first row without "
                        "a timing description); export, decode: the one row."),
         QStringLiteral("N")},
        {QStringLiteral("json"),
         QStringLiteral("decode: an array of JSON objects, one a row; version, fire, download "
                        "on several ports: the summary, one object a port."),
         {}},
        {QStringLiteral("repeats"),
         QStringLiteral("encode: repeat frames after the first (default 0)."), QStringLiteral("N")},
        {QStringLiteral("toggle"),
         QStringLiteral("encode: the toggle bit of RC5, RC5X and RC6 (default 0)."),
         QStringLiteral("T")},
        {QStringLiteral("raw"),
         QStringLiteral("export ir: raw records only, also for codes of a known protocol."),
         {}},
        {QStringLiteral("into"),
         QStringLiteral("encode: store the code into this table file instead of printing it."),
         QStringLiteral("TABLE")},
        {QStringLiteral("from-text"),
         QStringLiteral("wave: draw, print or export a wave text file (as the panel's Load "
                        "reads it) instead of a table row."),
         QStringLiteral("FILE")},
    };
}

const std::vector<OptionEntry> &optionTable() {
    static const std::vector<OptionEntry> options = [] {
        std::vector<OptionEntry> all = unitOptions();
        for (OptionEntry &option : fileOptions())
            all.push_back(std::move(option));
        return all;
    }();
    return options;
}

QString usageText(const std::vector<CommandEntry> &commands) {
    QStringList parts;
    for (const CommandEntry &command : commands)
        parts << command.synopsis;
    return QStringLiteral("usage: zevo3 ") + parts.join(QStringLiteral(" | ")) +
           QStringLiteral(" (see zevo3 --help)");
}

QString helpText(const std::vector<CommandEntry> &commands) {
    return QStringLiteral(
               "Reads, checks and writes the ZEVO3 code table file and its layout file (the "
               "table's\npath with the extension .ZV3), and talks to the unit, without a "
               "window.\n\nCommands:\n") +
           helpSection(commands, false) +
           QStringLiteral("\nUnit commands (the port, line parameters and framing of the "
                          "settings file;\nwhat the unit says goes to standard output, one "
                          "line a message):\n") +
           helpSection(commands, true) +
           QStringLiteral(
               "\nExit status: 0 success; 1 the files have problems (dump, check, make), or "
               "the unit\ndid not answer or acknowledge; 2 bad usage, a file that cannot be "
               "read or written,\nor a port that cannot be opened.");
}

QString optionRefusal(const std::vector<CommandEntry> &commands, const CommandEntry &command,
                      const QString &option) {
    if (commonOptions().contains(option) || command.options.contains(option)) return {};
    QStringList takers;
    bool unitOnly = true;
    for (const CommandEntry &other : commands)
        if (other.options.contains(option)) {
            takers << other.name;
            unitOnly = unitOnly && isUnit(other);
        }
    // The unit's options mean nothing to the file commands: said, not ignored.
    if (unitOnly && !isUnit(command))
        return QStringLiteral("--%1 does not go with %2").arg(option, command.name);
    return QStringLiteral("--%1 goes with %2").arg(option, alternatives(takers));
}

CommandLine::CommandLine(std::vector<CommandEntry> commands)
    : commands_(std::move(commands)), help_(parser_.addHelpOption()),
      version_(parser_.addVersionOption()) {
    parser_.setApplicationDescription(helpText(commands_));
    for (const OptionEntry &option : optionTable())
        parser_.addOption(
            option.valueName.isEmpty()
                ? QCommandLineOption(option.name, option.description)
                : QCommandLineOption(option.name, option.description, option.valueName));
    parser_.addPositionalArgument(QStringLiteral("command"), alternatives(commandNames(commands_)));
    parser_.addPositionalArgument(QStringLiteral("arguments"),
                                  QStringLiteral("the command's files or texts"),
                                  QStringLiteral("ARG..."));
}

const CommandEntry *CommandLine::parse(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parsed_ = parser_.parse(arguments);
    const QString name = parsed_ ? parser_.positionalArguments().value(0) : QString();
    const auto found = std::find_if(commands_.begin(), commands_.end(),
                                    [&](const CommandEntry &c) { return c.name == name; });
    command_ = found == commands_.end() || name.isEmpty() ? nullptr : &*found;
    return command_;
}

int CommandLine::usage(const QString &why) const {
    tell(why);
    say(usageText(commands_));
    return kCannot;
}

int CommandLine::run() {
    if (!parsed_) return usage(parser_.errorText());
    if (parser_.isSet(help_)) parser_.showHelp(kDone);
    if (parser_.isSet(version_)) parser_.showVersion();
    const QStringList args = parser_.positionalArguments();
    if (args.isEmpty()) return usage(QStringLiteral("no command given"));
    if (!command_) return usage(QStringLiteral("unknown command \"%1\"").arg(args.first()));
    for (const OptionEntry &option : optionTable()) {
        if (!parser_.isSet(option.name)) continue;
        const QString refusal = optionRefusal(commands_, *command_, option.name);
        if (!refusal.isEmpty()) return usage(refusal);
    }
    const Invocation invocation{parser_, command_->name, args.mid(1),
                                [this](const QString &why) { return usage(why); }};
    return command_->run(invocation);
}

} // namespace zevo3::cli
