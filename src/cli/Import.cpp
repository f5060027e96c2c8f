#include "cli/Command.h"

#include "access/AccessImport.h"
#include "access/JetReader.h"
#include "common/WorkFiles.h"

#include <QFileInfo>
#include <QIODevice>

namespace zelvane {

namespace {

// The import of a management file of the former Access format, as the program runs it when it opens one.
class Import : public Command
{
public:
    Import()
        : Command(QStringLiteral("import"), QStringLiteral("FILE.mdb [--out FILE] [--force]"),
                  QStringLiteral("Makes a new management file from FILE.mdb, a management file in the former\n"
                                 "Access format, of the current version or an older one. FILE.mdb is only\n"
                                 "read. Without --out the new file goes into $ZELVANE_HOME/databases under the\n"
                                 "name of FILE.mdb with the extension .MDB; an existing file is refused unless\n"
                                 "--force is given. Prints the report: tables and rows read, rows in the new\n"
                                 "file, rows refused."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addPositionalArgument(QStringLiteral("FILE.mdb"), QStringLiteral("An Access management file."));
        parser.addOptions({{QStringLiteral("out"), QStringLiteral("The new management file."), QStringLiteral("FILE")},
                           {QStringLiteral("force"), QStringLiteral("Overwrite an existing file.")}});
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        if (parser.positionalArguments().size() != 1)
            throw CommandFailure{QStringLiteral("import needs exactly one FILE.mdb")};
        const QString source = parser.positionalArguments().first();
        if (!QFileInfo(source).isFile())
            throw CommandFailure{QStringLiteral("%1: no such file").arg(source)};
        if (!IsJetFile(source))
            throw CommandFailure{QStringLiteral("%1 is not an Access file").arg(source)};
        const QString target = parser.isSet(QStringLiteral("out")) ? parser.value(QStringLiteral("out"))
                                                                   : ImportedFilePath(source);
        const FileInUse reading(source);
        CheckManagementFileName(target);
        CheckOutput(target, parser);
        const AccessImportReport report = ImportAccessFile(source, target);
        if (!report.ok())
            throw CommandFailure{QStringLiteral("%1: %2").arg(source, report.error)};
        out.write(report.text().toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeImportCommand() { return std::make_unique<Import>(); }

} // namespace zelvane
