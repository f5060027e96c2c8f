#include "cli/Command.h"

#include "common/WorkFiles.h"
#include "db/DatabaseFiles.h"
#include "db/YearFiles.h"

#include <QFileInfo>
#include <QIODevice>

namespace zelvane {

namespace {

// A consistent copy of a management file, as "Sauvegarder la Base de Données" makes it.
class Backup : public Command
{
public:
    Backup()
        : Command(QStringLiteral("backup"), QStringLiteral("FILE OUT [--force]"),
                  QStringLiteral("Copies the management file FILE to OUT through SQLite's online backup (a\n"
                                 "consistent copy even while the program writes FILE). FILE must pass the\n"
                                 "database's integrity check; an existing OUT is refused unless --force is given,\n"
                                 "and then kept as OUT.bak.N. Prints the full path of OUT."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A management file."));
        parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("The copy."));
        parser.addOption({QStringLiteral("force"), QStringLiteral("Overwrite an existing OUT.")});
        AddUserOption(parser);
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        if (parser.positionalArguments().size() != 2)
            throw CommandFailure{QStringLiteral("backup needs FILE and OUT")};
        const QString source = parser.positionalArguments().at(0);
        const QString target = QFileInfo(parser.positionalArguments().at(1)).absoluteFilePath();
        const FileCheck check = CheckManagementFile(source);
        if (!check.ok())
            throw CommandFailure{check.error};
        IdentifyUser(source, parser, QStringLiteral("AB"));
        if (SameFile(source, target))
            throw CommandFailure{QStringLiteral("OUT is FILE itself")};
        const FileInUse reading(source);
        CheckManagementFileName(target);
        CheckOutput(target, parser);
        QString error;
        const QString replaced = ReplaceKeepingBackup(
            target, [&](QString *e) { return BackupDatabaseFile(source, target, e); }, &error);
        if (!error.isEmpty())
            throw CommandFailure{QStringLiteral("the copy to %1 failed: %2").arg(target, error)};
        out.write((target + QLatin1Char('\n')).toUtf8());
        if (!replaced.isEmpty())
            out.write(QStringLiteral("the file it replaced is kept as %1\n").arg(replaced).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeBackupCommand() { return std::make_unique<Backup>(); }

} // namespace zelvane
