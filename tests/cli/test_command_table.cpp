// The command table of zevo3: every option a command takes exists, the
// usage line and the help name every command, and options a command does not
// take are refused with the words of the table.

#include "command_line.h"
#include "commands.h"

#include <gtest/gtest.h>

using namespace zevo3::cli;

namespace {

std::vector<CommandEntry> wholeTable() {
    std::vector<CommandEntry> commands = fileCommands();
    for (auto &&group :
         {drawingCommands(), interchangeCommands(), protocolCommands(), unitCommands()})
        commands.insert(commands.end(), group.begin(), group.end());
    return commands;
}

const CommandEntry &named(const std::vector<CommandEntry> &commands, const QString &name) {
    for (const CommandEntry &command : commands)
        if (command.name == name) return command;
    ADD_FAILURE() << "no command " << name.toStdString();
    return commands.front();
}

} // namespace

TEST(CommandTable, EveryCommandIsListedAndEveryOptionExists) {
    const std::vector<CommandEntry> commands = wholeTable();
    QStringList known;
    for (const OptionEntry &option : optionTable())
        known << option.name;
    const QString usage = usageText(commands);
    const QString help = helpText(commands);
    QStringList names;
    for (const CommandEntry &command : commands) {
        EXPECT_FALSE(names.contains(command.name)) << command.name.toStdString() << " twice";
        names << command.name;
        EXPECT_NE(command.run, nullptr);
        EXPECT_TRUE(usage.contains(QStringLiteral(" ") + command.synopsis))
            << command.name.toStdString();
        EXPECT_TRUE(help.contains(QStringLiteral("  ") + command.name + QLatin1Char(' ')))
            << command.name.toStdString();
        EXPECT_TRUE(command.help.endsWith(QLatin1Char('\n'))) << command.name.toStdString();
        for (const QString &option : command.options)
            EXPECT_TRUE(known.contains(option))
                << command.name.toStdString() << " takes an unknown --" << option.toStdString();
    }
    // Every option is taken by some command (or by all).
    for (const QString &option : known) {
        bool taken = commonOptions().contains(option);
        for (const CommandEntry &command : commands)
            taken = taken || command.options.contains(option);
        EXPECT_TRUE(taken) << "--" << option.toStdString() << " goes with no command";
    }
    EXPECT_EQ(names,
              (QStringList{"dump", "make", "check", "print", "wave", "import", "export", "decode",
                           "encode", "version", "send", "fire", "download", "search"}));
}

TEST(CommandTable, OptionsACommandDoesNotTakeAreRefusedInItsWords) {
    const std::vector<CommandEntry> commands = wholeTable();
    const auto refusal = [&](const char *command, const char *option) {
        return optionRefusal(commands, named(commands, QString::fromLatin1(command)),
                             QString::fromLatin1(option))
            .toStdString();
    };
    // Taken: nothing said.
    EXPECT_EQ(refusal("print", "pdf"), "");
    EXPECT_EQ(refusal("wave", "pdf"), "");
    EXPECT_EQ(refusal("fire", "table"), "");
    EXPECT_EQ(refusal("dump", "ini"), "");
    EXPECT_EQ(refusal("search", "ini"), "");
    // The unit's options with a file command.
    EXPECT_EQ(refusal("dump", "port"), "--port does not go with dump");
    EXPECT_EQ(refusal("wave", "simulate"), "--simulate does not go with wave");
    EXPECT_EQ(refusal("make", "dry-run"), "--dry-run does not go with make");
    EXPECT_EQ(refusal("print", "frames"), "--frames does not go with print");
    // Otherwise the commands that take it.
    EXPECT_EQ(refusal("version", "pdf"), "--pdf goes with print or wave");
    EXPECT_EQ(refusal("check", "png"), "--png goes with wave");
    EXPECT_EQ(refusal("send", "ports"), "--ports goes with version, fire, download or search");
    EXPECT_EQ(refusal("fire", "dry-run"), "--dry-run goes with download");
    EXPECT_EQ(refusal("download", "table"), "--table goes with fire");
}
