#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

class QIODevice;

namespace zelvane {

class THistorique;
class TMenuJour;
struct TJourHistorique;

// The texts the "Menu du Jour" tab shows for a day summary, shared by the tab, the command line and the
// documents, so that all three show the same figures.
struct MealRow
{
    QString label;
    std::array<QString, 4> cells; // breakfast, lunch, snack, dinner
};

struct DayFigure
{
    QString label;
    QString value;
};

// The meal columns' titles: "Pet.Déjeuner", "Déjeuner", "Gouter", "Diner".
QStringList MealTitles();
// "Effectifs de la Journée": a row per category, its head-counts as whole numbers.
QVector<MealRow> HeadCountRows(const TMenuJour &jour);
// "Récapitulation": "Moyenne des personnes", "Valeur des sorties", "Dépense par personne".
QVector<MealRow> RecapitulationRows(const TMenuJour &jour);
// The four figures of the tab; storeValue is the store's value at the end of the day.
QVector<DayFigure> DayFigures(const TMenuJour &jour, double storeValue);

// The day summary as text tables, then the day's menus.
void WriteDaySummaryText(const TMenuJour &jour, double storeValue, QIODevice &device);
// The same rows separated by ';': "ligne;pet_dejeuner;dejeuner;gouter;diner", head-counts as whole
// numbers, amounts with two decimals and a point; the four figures in the first number column.
void WriteDaySummaryCsv(const TMenuJour &jour, double storeValue, QIODevice &device);

// The history list's columns, and the texts of one of its rows as the tab shows them.
QStringList HistoryTitles();
QStringList HistoryRowTexts(const TJourHistorique &jour);
void WriteHistoryText(const THistorique &history, QIODevice &device);
// "date;valeur_veille;valeur_entrees;valeur_sorties;valeur_fin;personnes_nourries;depense_par_personne",
// dates dd/mm/yyyy, amounts with two decimals and a point, persons fed as a whole number.
void WriteHistoryCsv(const THistorique &history, QIODevice &device);

} // namespace zelvane
