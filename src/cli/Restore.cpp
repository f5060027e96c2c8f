#include "cli/Command.h"

#include "common/Paths.h"
#include "common/Profile.h"
#include "db/Conversion.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "years/BackupRestore.h"

#include <QDir>
#include <QIODevice>

namespace zelvane {

namespace {

// A management file brought back into the data folder, as "Restaurer la base de données" does.
class Restore : public Command
{
public:
    Restore()
        : Command(QStringLiteral("restore"), QStringLiteral("FILE [--home DIR]"),
                  QStringLiteral("Copies the management file FILE into the databases folder of DIR (the data\n"
                                 "folder by default) under its own name and makes it the file opened at start. FILE\n"
                                 "is checked first and refused when it is not a sound management file; a file it\n"
                                 "replaces is kept beside it as NAME.bak.N; a file of an older generation is\n"
                                 "converted. Prints the full path of the restored file."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A management file."));
        parser.addOption({QStringLiteral("home"), QStringLiteral("The data folder."), QStringLiteral("DIR")});
        AddUserOption(parser);
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        if (parser.positionalArguments().size() != 1)
            throw CommandFailure{QStringLiteral("restore needs exactly one FILE")};
        if (parser.isSet(QStringLiteral("home")) && parser.value(QStringLiteral("home")).trimmed().isEmpty())
            throw CommandFailure{QStringLiteral("--home needs a folder")};
        IdentifyUser(parser.positionalArguments().first(), parser, QStringLiteral("AB"));
        const QString home = parser.isSet(QStringLiteral("home"))
                                 ? QDir(parser.value(QStringLiteral("home"))).absolutePath()
                                 : BaseDir();
        CheckManagementFileName(parser.positionalArguments().first());
        const RestoreResult restored = RestoreFileInto(parser.positionalArguments().first(),
                                                       home + QStringLiteral("/databases"));
        if (!restored.ok())
            throw CommandFailure{restored.error};
        if (GenerationOf(CheckManagementFile(restored.target).tag)) {
            const ConversionResult converted = ConvertOlderFile(restored.target);
            if (!converted.ok())
                throw CommandFailure{
                    QStringLiteral("%1 was restored but not converted: %2").arg(restored.target, converted.error)};
        }
        TQVProfile profile(home + QStringLiteral("/Profile.txt"));
        if (!profile.WriteValue(QString::fromLatin1(kProfileDatabaseName), restored.target))
            throw CommandFailure{QStringLiteral("%1 was restored but could not be made the default file: %2 cannot "
                                                "be written")
                                     .arg(restored.target, profile.path())};
        out.write((restored.target + QLatin1Char('\n')).toUtf8());
        if (!restored.replaced.isEmpty())
            out.write(QStringLiteral("the file it replaced is kept as %1\n").arg(restored.replaced).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeRestoreCommand() { return std::make_unique<Restore>(); }

} // namespace zelvane
