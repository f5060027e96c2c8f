#include "cli/Command.h"

#include "db/FileReport.h"

namespace zelvane {

namespace {

// What a management file holds, read-only.
class Info : public DatabaseCommand
{
public:
    Info()
        : DatabaseCommand(QStringLiteral("info"), QStringLiteral("FILE"),
                          QStringLiteral("Opens FILE as the program does, read-only, and prints its schema tag, its\n"
                                         "options and the row count of every table."))
    {
    }

protected:
    int executeOn(Tfdb &db, const QString &path, const QCommandLineParser &, QIODevice &out) override
    {
        WriteFileReport(db, path, out);
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeInfoCommand() { return std::make_unique<Info>(); }

} // namespace zelvane
