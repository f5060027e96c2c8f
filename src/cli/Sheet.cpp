#include "cli/Command.h"

#include "common/Format.h"
#include "stock/ListeDenrees.h"
#include "stock/SheetExport.h"

namespace zelvane {

namespace {

// The consumption sheet of one day, as the main window computes it.
class Sheet : public DatabaseCommand
{
public:
    Sheet()
        : DatabaseCommand(
            QStringLiteral("sheet"), QStringLiteral("FILE --day DD/MM/YYYY [--csv]"),
            QStringLiteral("Prints the consumption sheet of a day as the main window computes it (the\n"
                           "day is brought into the management year): for every article in code order\n"
                           "the stock of the evening before, the entries, the exits and the remainder,\n"
                           "in quantity and in value, then the store figures of the day. With --csv only\n"
                           "the article lines, separated by ';', numbers with two decimals and a point."))
    {
    }

protected:
    void addCommandOptions(QCommandLineParser &parser) override
    {
        parser.addOptions({{QStringLiteral("day"), QStringLiteral("The day."), QStringLiteral("DD/MM/YYYY")},
                           {QStringLiteral("csv"), QStringLiteral("Article lines only, separated by ';'.")}});
    }

    int executeOn(Tfdb &db, const QString &, const QCommandLineParser &parser, QIODevice &out) override
    {
        const QDate day = RequiredDayOption(parser, name());

        TListeDenrees liste(db);
        liste.SetDate(day);
        const QHash<qint32, QString> designations = ArticleDesignations(db);
        // A table that cannot be read would give a sheet of zeros: that is a failure, not a sheet.
        if (const QString failures = reportedFailures(); !failures.isEmpty())
            throw CommandFailure{QStringLiteral("the sheet cannot be computed: %1").arg(failures)};
        if (parser.isSet(QStringLiteral("csv")))
            WriteSheetCsv(liste, designations, out);
        else
            WriteSheetText(liste, designations, out);
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeSheetCommand() { return std::make_unique<Sheet>(); }

} // namespace zelvane
