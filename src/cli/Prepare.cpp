#include "cli/Command.h"

#include "db/DataModule.h"
#include "db/NewFile.h"

#include <QIODevice>

namespace zelvane {

namespace {

// Makes a prepared management file, as the preparation window does.
class Prepare : public Command
{
public:
    Prepare()
        : Command(QStringLiteral("prepare"), QStringLiteral("--kind N --year YYYY [--name FILE] [--force]"),
                  QStringLiteral("Makes a new management file for establishment kind N and year YYYY in\n"
                                 "$ZELVANE_HOME/databases from the template and prints its full path. Without\n"
                                 "--name the proposed name DOSn_YYYY.MDB is used; an existing file is refused\n"
                                 "unless --force is given, and then kept as NAME.bak.N."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override { AddNewFileOptions(parser); }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        const NewFileRequest request = NewFileRequestOf(name(), parser);
        Tfdb db;
        const NewFileResult result = CreateManagementFile(db, request);
        if (!result.ok())
            throw CommandFailure{result.error};
        out.write((result.path + QLatin1Char('\n')).toUtf8());
        if (!result.replaced.isEmpty())
            out.write(QStringLiteral("the file it replaced is kept as %1\n").arg(result.replaced).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakePrepareCommand() { return std::make_unique<Prepare>(); }

} // namespace zelvane
