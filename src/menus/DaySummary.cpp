#include "menus/DaySummary.h"

#include "common/Format.h"
#include "menus/Historique.h"
#include "menus/MenuJour.h"
#include "stock/SheetExport.h"

#include <QTextStream>
#include <cmath>

namespace zelvane {

namespace {

QString count(double x) { return QString::number(std::llround(x)); }

void writeTable(QTextStream &out, const QString &first, const QStringList &titles, const QVector<MealRow> &rows)
{
    out << first.leftJustified(40);
    for (const QString &t : titles)
        out << t.rightJustified(20);
    out << '\n';
    for (const MealRow &row : rows) {
        out << row.label.leftJustified(40);
        for (const QString &cell : row.cells)
            out << cell.rightJustified(20);
        out << '\n';
    }
}

} // namespace

QStringList MealTitles()
{
    return {QStringLiteral("Pet.Déjeuner"), QStringLiteral("Déjeuner"), QStringLiteral("Gouter"),
            QStringLiteral("Diner")};
}

QVector<MealRow> HeadCountRows(const TMenuJour &jour)
{
    QVector<MealRow> rows;
    for (int i = 0; i < jour.Count(); ++i) {
        const TEffectifCategorie *e = jour.GetEffectif(i);
        MealRow row{e->Categorie.lib_fr, {}};
        for (int meal = 1; meal <= kMeals; ++meal)
            row.cells[meal - 1] = count(e->meal(meal));
        rows.append(row);
    }
    return rows;
}

QVector<MealRow> RecapitulationRows(const TMenuJour &jour)
{
    MealRow persons{QStringLiteral("Moyenne des personnes"), {}};
    MealRow exits{QStringLiteral("Valeur des sorties"), {}};
    MealRow expense{QStringLiteral("Dépense par personne"), {}};
    for (int meal = 1; meal <= kMeals; ++meal) {
        persons.cells[meal - 1] = count(jour.Effectifs(meal));
        exits.cells[meal - 1] = FormatMontant(jour.Sorties(meal));
        expense.cells[meal - 1] = FormatMontant(jour.DepenseRepas(meal));
    }
    return {persons, exits, expense};
}

QVector<DayFigure> DayFigures(const TMenuJour &jour, double storeValue)
{
    return {{QStringLiteral("Moyenne des personnes nourries"), QString::number(jour.PersonnesNourries())},
            {QStringLiteral("Valeur des sorties de la journée"), FormatMontant(jour.SortiesJour())},
            {QStringLiteral("Dépense par personne nourrie"), FormatMontant(jour.DepenseParPersonne())},
            {QStringLiteral("Valeur du Magasin à ce jour"), FormatMontant(storeValue)}};
}

void WriteDaySummaryText(const TMenuJour &jour, double storeValue, QIODevice &device)
{
    QTextStream out(&device);
    out << "Menu du Jour - Journée du " << DateText(jour.DateMenu()) << "\n\n";
    writeTable(out, QStringLiteral("Effectifs de la Journée"), MealTitles(), HeadCountRows(jour));
    out << '\n';
    writeTable(out, QStringLiteral("Récapitulation"), MealTitles(), RecapitulationRows(jour));
    out << '\n';
    for (const DayFigure &f : DayFigures(jour, storeValue))
        out << f.label.leftJustified(40) << f.value.rightJustified(22) << '\n';
    out << '\n';
    const QStringList meals = {QStringLiteral("Menu : Petit Déjeuner"), QStringLiteral("Menu : Déjeuner"),
                               QStringLiteral("Menu : Gouter"), QStringLiteral("Menu : Dîner")};
    for (int meal = 1; meal <= kMeals; ++meal)
        out << meals.at(meal - 1) << "  " << QString(jour.Menu(meal)).replace(QLatin1Char('\n'), QLatin1Char(' '))
            << '\n';
}

void WriteDaySummaryCsv(const TMenuJour &jour, double storeValue, QIODevice &device)
{
    QTextStream out(&device);
    out << "ligne;pet_dejeuner;dejeuner;gouter;diner\n";
    for (const MealRow &row : HeadCountRows(jour))
        out << CsvText(row.label) << ';' << row.cells[0] << ';' << row.cells[1] << ';' << row.cells[2] << ';'
            << row.cells[3] << '\n';
    out << "Moyenne des personnes";
    for (int meal = 1; meal <= kMeals; ++meal)
        out << ';' << count(jour.Effectifs(meal));
    out << "\nValeur des sorties";
    for (int meal = 1; meal <= kMeals; ++meal)
        out << ';' << FormatMontantSaisie(jour.Sorties(meal));
    out << "\nDépense par personne";
    for (int meal = 1; meal <= kMeals; ++meal)
        out << ';' << FormatMontantSaisie(jour.DepenseRepas(meal));
    out << "\nMoyenne des personnes nourries;" << jour.PersonnesNourries() << ";;;\n";
    out << "Valeur des sorties de la journée;" << FormatMontantSaisie(jour.SortiesJour()) << ";;;\n";
    out << "Dépense par personne nourrie;" << FormatMontantSaisie(jour.DepenseParPersonne()) << ";;;\n";
    out << "Valeur du Magasin à ce jour;" << FormatMontantSaisie(storeValue) << ";;;\n";
}

QStringList HistoryTitles()
{
    return {QStringLiteral("Date"),
            QStringLiteral("Valeur Mag. Veille"),
            QStringLiteral("Valeur entrées du jour"),
            QStringLiteral("Valeur sorties du jour"),
            QStringLiteral("Valeur fin de journée"),
            QStringLiteral("Moyenne des personnes nourries"),
            QStringLiteral("Dépense par personne nourrie")};
}

QStringList HistoryRowTexts(const TJourHistorique &jour)
{
    return {DateText(jour.DateJour),
            FormatMontant(jour.ValeurVeille),
            FormatMontant(jour.ValeurEntrees),
            FormatMontant(jour.ValeurSorties),
            FormatMontant(jour.ValeurFin),
            QString::number(jour.PersonnesNourries),
            FormatMontant(jour.DepenseParPersonne)};
}

void WriteHistoryText(const THistorique &history, QIODevice &device)
{
    QTextStream out(&device);
    out << "Historique du Magasin\n";
    const int widths[] = {10, 22, 22, 22, 22, 31, 28};
    auto line = [&](const QStringList &cells) {
        QString text;
        for (int i = 0; i < cells.size(); ++i)
            text += (i == 0 ? cells.at(i).leftJustified(widths[i]) : cells.at(i).rightJustified(widths[i]))
                    + QLatin1Char(' ');
        out << text.trimmed() << '\n';
    };
    line(HistoryTitles());
    for (const TJourHistorique &jour : history.Jours())
        line(HistoryRowTexts(jour));
}

void WriteHistoryCsv(const THistorique &history, QIODevice &device)
{
    QTextStream out(&device);
    out << "date;valeur_veille;valeur_entrees;valeur_sorties;valeur_fin;personnes_nourries;depense_par_personne\n";
    for (const TJourHistorique &j : history.Jours())
        out << DateText(j.DateJour) << ';' << FormatMontantSaisie(j.ValeurVeille) << ';'
            << FormatMontantSaisie(j.ValeurEntrees) << ';' << FormatMontantSaisie(j.ValeurSorties) << ';'
            << FormatMontantSaisie(j.ValeurFin) << ';' << j.PersonnesNourries << ';'
            << FormatMontantSaisie(j.DepenseParPersonne) << '\n';
}

} // namespace zelvane
