#pragma once

#include "menus/MenuJour.h"

#include <QDate>
#include <QString>
#include <QVector>

namespace zelvane {

class Tfdb;

inline constexpr int kCategoryCount = 7; // consumer categories, codes 1 to 7

// The meals and expenses of one day of the month, or of one of the month's total lines (Jour 0).
struct TDepenseJour
{
    qint16 Jour = 0;
    qint32 Effectifs[kCategoryCount][kMeals] = {}; // per category code 1..7, per meal 1..4
    qint32 Repas[kMeals] = {};
    double Sorties[kMeals] = {};
    // The day's exit value: each article's exits of the day rounded to the cent, then added, as the
    // consumption sheet totals its lines (DayExitValue); a total line adds its days'.
    double SortiesJour = 0;
    qint32 EffectifTotal = 0;
    qint32 Moyenne = 0;
    double PrixJournee = 0;
    double PrixRepas = 0;

    // Adds the head-counts and the exits of other (not its derived figures).
    void add(const TDepenseJour &other);
    // Computes the per-meal totals, the persons fed and the prices from the head-counts and the exits; the
    // persons fed of one day follow the day summary's rule, those of a month are the month's own average.
    void computeDerived(bool oneDay);
    // The head-count of a meal (1..4) for one category code (1..7); 0 outside.
    qint32 effectif(int code, int meal) const;
};

// The monthly aggregate behind the monthly statements: one record per day of the month, the month's
// total, the earlier months of the year together and the year so far. A snapshot of the file when built.
class TDepense_Mensuelle
{
public:
    TDepense_Mensuelle(Tfdb &db, const QDate &date);

    int dayCount() const { return int(Jours.size()); }
    // The record of day n (1..dayCount()); null otherwise.
    const TDepenseJour *GetJour(int n) const;

    qint16 Annee = 0;
    qint16 Mois = 0;
    qint32 Ligne = 0; // the day list's cursor while a document prints it
    QVector<TDepenseJour> Jours;
    TDepenseJour TotalMois;
    TDepenseJour ReportMois; // months 1 to Mois - 1
    TDepenseJour TotalAnnee; // since the first of January

private:
    void readExits(Tfdb &db, const QString &first, const QString &last);
    TDepenseJour *recordOf(int month, int day);
};

} // namespace zelvane
