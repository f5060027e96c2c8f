#include "cli/Command.h"

#include "common/Format.h"
#include "db/DataModule.h"
#include "years/NewYear.h"

#include <QFileInfo>
#include <QIODevice>

namespace zelvane {

namespace {

// The file of the next management year, as "Créer une Nouvelle Gestion" makes it.
class NewYear : public DatabaseCommand
{
public:
    NewYear()
        : DatabaseCommand(
            QStringLiteral("new-year"), QStringLiteral("FILE --year YYYY [--out FILE] [--force]"),
            QStringLiteral("Makes the management file of year YYYY from FILE: the closing stock of every\n"
                           "article becomes its opening stock, the year's movements, invoices, monthly\n"
                           "statements, menus and head-counts are emptied. FILE is left as it was.\n"
                           "Without --out the file is named after FILE with its year replaced (or\n"
                           "DOSn_YYYY.MDB) in FILE's folder; an existing file is refused unless --force\n"
                           "is given. Prints the full path of the new file."))
    {
    }

protected:
    // A new year carries the closing stock forward: from a damaged file it could start wrong.
    bool acceptsDamagedFile(const QCommandLineParser &) const override { return false; }

    void addCommandOptions(QCommandLineParser &parser) override
    {
        parser.addOptions({{QStringLiteral("year"), QStringLiteral("The new management year."), QStringLiteral("YYYY")},
                           {QStringLiteral("out"), QStringLiteral("The new file."), QStringLiteral("FILE")},
                           {QStringLiteral("force"), QStringLiteral("Overwrite an existing file.")}});
    }

    int executeOn(Tfdb &db, const QString &path, const QCommandLineParser &parser, QIODevice &out) override
    {
        if (!parser.isSet(QStringLiteral("year")))
            throw CommandFailure{QStringLiteral("new-year needs --year YYYY")};
        const std::optional<qint64> digits = ParseDigits(parser.value(QStringLiteral("year")));
        const int year = digits && *digits <= 2999 ? int(*digits) : 0;
        if (year == 0)
            throw CommandFailure{
                QStringLiteral("the year '%1' is not a year").arg(parser.value(QStringLiteral("year")))};
        if (year <= db.gestion)
            throw CommandFailure{QStringLiteral("the new year %1 must come after the year of %2, %3")
                                     .arg(year)
                                     .arg(path)
                                     .arg(db.gestion)};
        const QString target = parser.isSet(QStringLiteral("out"))
                                   ? QFileInfo(parser.value(QStringLiteral("out"))).absoluteFilePath()
                                   : ProposedNewYearFile(QFileInfo(path).absoluteFilePath(), db.gestion,
                                                         QString::number(year));
        CheckManagementFileName(target);
        CheckOutput(target, parser);
        const NewYearResult made = MakeNewYearFile(db.database(), year, target);
        if (!made.ok())
            throw CommandFailure{made.error};
        out.write((made.path + QLatin1Char('\n')).toUtf8());
        if (!made.replaced.isEmpty())
            out.write(QStringLiteral("the file it replaced is kept as %1\n").arg(made.replaced).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeNewYearCommand() { return std::make_unique<NewYear>(); }

} // namespace zelvane
