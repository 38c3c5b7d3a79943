#pragma once
// The command line of zevo3 as a table: each command names its arguments,
// its lines of the help, the options it takes and its handler. The parser
// finds the command wherever the options stand; the options a command does
// not take are refused from the same table, and the usage line and the help
// are written from it.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zevo3::cli {

struct OptionEntry {
    QString name;
    QString description;
    QString valueName; // empty: a switch
};

// What a handler is given: the parsed options and the arguments after the
// command.
struct Invocation {
    const QCommandLineParser &parser;
    QString command;
    QStringList args;
    std::function<int(const QString &)> usageFn;

    bool isSet(const QString &option) const { return parser.isSet(option); }
    QString value(const QString &option) const { return parser.value(option); }
    // Every value of an option given more than once, in order.
    QStringList values(const QString &option) const { return parser.values(option); }
    // Says why and how the command is used; the exit status of bad usage.
    int usage(const QString &why) const { return usageFn(why); }
};

struct CommandEntry {
    enum class Kind {
        Files,   // the files alone
        Drawing, // the files, drawn or printed (the GUI module, no window)
        Unit,    // the unit on the serial port
    };
    QString name;
    Kind kind = Kind::Files;
    QString synopsis; // its part of the usage line
    QString help;     // its lines under the commands of --help
    QStringList options;
    int (*run)(const Invocation &) = nullptr;
};

// Options every command takes besides --help and --version.
QStringList commonOptions();
// Every option, in the order of --help.
const std::vector<OptionEntry> &optionTable();

// The usage line and the text of --help.
QString usageText(const std::vector<CommandEntry> &commands);
QString helpText(const std::vector<CommandEntry> &commands);
// Why the option does not go with the command, or empty when it does.
QString optionRefusal(const std::vector<CommandEntry> &commands, const CommandEntry &command,
                      const QString &option);

// The parse, before the application object is made (the command decides
// which one), then the run: --help and --version, the refusals and the
// handler.
class CommandLine {
public:
    explicit CommandLine(std::vector<CommandEntry> commands);

    // The command the arguments name, or null (bad usage, said by run()).
    const CommandEntry *parse(int argc, char *argv[]);
    // The exit status.
    int run();

private:
    int usage(const QString &why) const;

    std::vector<CommandEntry> commands_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    bool parsed_ = false;
    const CommandEntry *command_ = nullptr;
};

} // namespace zevo3::cli
