#include "cli/Command.h"

#include "common/Format.h"
#include "db/DataModule.h"
#include "menus/DaySummary.h"
#include "menus/ListeCategories.h"
#include "menus/MenuJour.h"
#include "stock/ListeDenrees.h"

namespace zelvane {

namespace {

// The day summary of the "Menu du Jour" tab.
class Day : public DatabaseCommand
{
public:
    Day()
        : DatabaseCommand(
            QStringLiteral("day"), QStringLiteral("FILE --day DD/MM/YYYY [--csv]"),
            QStringLiteral("Prints the day summary as the \"Menu du Jour\" tab shows it (the day is brought\n"
                           "into the management year): the head-counts per category and meal, the number\n"
                           "of persons, the exit value and the expense per person of each meal, the persons\n"
                           "fed, the day's exits, the expense per person fed, the store's value and the\n"
                           "menus. With --csv the same rows separated by ';', amounts with two decimals\n"
                           "and a point."))
    {
    }

protected:
    void addCommandOptions(QCommandLineParser &parser) override
    {
        parser.addOptions({{QStringLiteral("day"), QStringLiteral("The day."), QStringLiteral("DD/MM/YYYY")},
                           {QStringLiteral("csv"), QStringLiteral("Rows separated by ';'.")}});
    }

    int executeOn(Tfdb &db, const QString &, const QCommandLineParser &parser, QIODevice &out) override
    {
        const QDate day = db.ValidateDate(RequiredDayOption(parser, name()));
        const TListeCategories categories(db);
        const TMenuJour jour(db, categories, day);
        TListeDenrees liste(db);
        liste.SetDate(day);
        if (const QString failures = reportedFailures(); !failures.isEmpty())
            throw CommandFailure{QStringLiteral("the day summary cannot be computed: %1").arg(failures)};
        const double storeValue = liste.Totaux().valeurFinJournee();
        if (parser.isSet(QStringLiteral("csv")))
            WriteDaySummaryCsv(jour, storeValue, out);
        else
            WriteDaySummaryText(jour, storeValue, out);
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeDayCommand() { return std::make_unique<Day>(); }

} // namespace zelvane
