#include "cli/Command.h"

#include "db/DataModule.h"
#include "menus/DaySummary.h"
#include "menus/Historique.h"

namespace zelvane {

namespace {

// The store's history of the "Historique du Magasin" tab.
class History : public DatabaseCommand
{
public:
    History()
        : DatabaseCommand(
            QStringLiteral("history"), QStringLiteral("FILE [--csv]"),
            QStringLiteral("Prints the store's history as the \"Historique du Magasin\" tab shows it: the\n"
                           "opening stock, then one line per day with a priced movement or a head-count,\n"
                           "with the store's value the evening before, the day's entries and exits, the\n"
                           "value at the end of the day, the persons fed and the expense per person fed.\n"
                           "With --csv: date;valeur_veille;valeur_entrees;valeur_sorties;valeur_fin;\n"
                           "personnes_nourries;depense_par_personne, dates dd/mm/yyyy, amounts with two\n"
                           "decimals and a point."))
    {
    }

protected:
    void addCommandOptions(QCommandLineParser &parser) override
    {
        parser.addOption({QStringLiteral("csv"), QStringLiteral("Lines separated by ';'.")});
    }

    int executeOn(Tfdb &db, const QString &, const QCommandLineParser &parser, QIODevice &out) override
    {
        const THistorique history(db, db.gestion);
        if (const QString failures = reportedFailures(); !failures.isEmpty())
            throw CommandFailure{QStringLiteral("the history cannot be computed: %1").arg(failures)};
        if (parser.isSet(QStringLiteral("csv")))
            WriteHistoryCsv(history, out);
        else
            WriteHistoryText(history, out);
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeHistoryCommand() { return std::make_unique<History>(); }

} // namespace zelvane
