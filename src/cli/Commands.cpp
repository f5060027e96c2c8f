#include "cli/Commands.h"

#include "cli/Command.h"

#include <QIODevice>

namespace zelvane {

namespace {

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(MakePrepareCommand());
    commands.push_back(MakeInfoCommand());
    commands.push_back(MakeSheetCommand());
    commands.push_back(MakeDemoCommand());
    commands.push_back(MakeDayCommand());
    commands.push_back(MakeHistoryCommand());
    commands.push_back(MakeRibCommand());
    commands.push_back(MakePrintCommand());
    commands.push_back(MakeAmountInWordsCommand());
    commands.push_back(MakeNewYearCommand());
    commands.push_back(MakeBackupCommand());
    commands.push_back(MakeRestoreCommand());
    commands.push_back(MakeConvertCommand());
    commands.push_back(MakeImportCommand());
    commands.push_back(MakeRecoverCommand());
    commands.push_back(MakeJournalCommand());
    commands.push_back(MakeSafetyCopiesCommand());
    return commands;
}

QByteArray usage(const std::vector<std::unique_ptr<Command>> &commands)
{
    QString text = QStringLiteral("Usage: zelvane-cli COMMAND [OPTIONS]\n\nCommands:\n");
    for (const auto &command : commands)
        text += command->usage();
    text += QStringLiteral("  --help\n      Shows this text.\n\n"
                           "The data folder is $ZELVANE_HOME, or ~/.local/share/zelvane when it is not set.\n"
                           "A command that opens a management file with users needs --user NAME and that\n"
                           "user's password, read from $ZELVANE_PASSWORD, else from standard input (one line\n"
                           "per attempt, three at most; typed without echo on a terminal). backup and\n"
                           "restore need a user of priority A or B, as in the desktop program. A refused\n"
                           "login exits 1 with \"Identification refusée\".\n");
    return text.toUtf8();
}

} // namespace

int RunCommandLine(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    const auto commands = allCommands();
    const QString first = arguments.value(0);
    if (arguments.isEmpty() || first == QLatin1String("--help") || first == QLatin1String("-h")
        || first == QLatin1String("help") || arguments.mid(1).contains(QLatin1String("--help"))) {
        out.write(usage(commands));
        return arguments.isEmpty() ? 2 : 0;
    }
    for (const auto &command : commands) {
        if (command->name() == first)
            return command->run(arguments.mid(1), out, err);
    }
    err.write(QStringLiteral("zelvane-cli: unknown command %1 (see --help)\n").arg(first).toUtf8());
    return 1;
}

} // namespace zelvane
