#include "cli/Command.h"

#include "common/Paths.h"
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
                                 "unless --force is given."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addOptions({{QStringLiteral("kind"), QStringLiteral("Establishment kind."), QStringLiteral("N")},
                           {QStringLiteral("year"), QStringLiteral("Management year."), QStringLiteral("YYYY")},
                           {QStringLiteral("name"), QStringLiteral("File name."), QStringLiteral("FILE")},
                           {QStringLiteral("force"), QStringLiteral("Overwrite an existing file.")}});
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        if (!parser.positionalArguments().isEmpty())
            throw CommandFailure{QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first())};
        if (!parser.isSet(QStringLiteral("kind")) || !parser.isSet(QStringLiteral("year")))
            throw CommandFailure{QStringLiteral("prepare needs --kind N and --year YYYY")};
        bool isNumber = false;
        const int kind = parser.value(QStringLiteral("kind")).toInt(&isNumber);
        if (!isNumber || kind <= 0)
            throw CommandFailure{QStringLiteral("unknown establishment kind %1").arg(parser.value(QStringLiteral("kind")))};
        const QString name = parser.value(QStringLiteral("name"));
        if (name.contains(QLatin1Char('/')))
            throw CommandFailure{QStringLiteral("--name takes a file name without folder")};

        Tfdb db;
        const NewFileResult result = CreateManagementFile(
            db, {DatabasesDir(), name, kind, parser.value(QStringLiteral("year")), parser.isSet(QStringLiteral("force"))});
        if (!result.ok())
            throw CommandFailure{result.error};
        out.write((result.path + QLatin1Char('\n')).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakePrepareCommand() { return std::make_unique<Prepare>(); }

} // namespace zelvane
