// zevo3: the table file and its layout file without a window, and the unit
// on the serial port. The commands and their options are a table (the
// handlers in files of their own); main finds the command, makes the
// application object it needs and runs it.

#include "command_line.h"
#include "commands.h"
#include "language.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

using namespace zevo3;

int main(int argc, char *argv[]) {
    std::vector<cli::CommandEntry> commands = cli::fileCommands();
    for (auto &&group : {cli::drawingCommands(), cli::interchangeCommands(),
                         cli::protocolCommands(), cli::unitCommands()})
        commands.insert(commands.end(), group.begin(), group.end());
    cli::CommandLine line(std::move(commands));

    // The command is known before the application object is made: printing
    // and drawing take the GUI module (without a window), every other
    // command the core alone.
    const cli::CommandEntry *command = line.parse(argc, argv);
    std::unique_ptr<QCoreApplication> application;
    if (command && command->kind == cli::CommandEntry::Kind::Drawing) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("zevo3"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEVO3_VERSION));
    if (!startLanguage(*application, "zevo3")) return 2;
    return line.run();
}
