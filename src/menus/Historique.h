#pragma once

#include "menus/MenuJour.h"

#include <QDate>
#include <QVector>
#include <array>

namespace zelvane {

class Tfdb;

// One active day of the store's history.
struct TJourHistorique
{
    QDate DateJour;
    double ValeurVeille = 0;
    double ValeurEntrees = 0;
    std::array<double, kMeals> SortiesRepas{};
    double ValeurSorties = 0;
    double ValeurFin = 0;
    std::array<double, kMeals> Effectifs{};
    qint64 PersonnesNourries = 0;
    double DepenseParPersonne = 0;
};

// The store's history over the management year: a first record for the opening stock (31 December of
// the year before), then one per day with a priced movement or a head-count, each day's value chained
// from the one before. Three grouped statements, whatever the number of days.
class THistorique
{
public:
    THistorique(Tfdb &db, int gestion);

    int Count() const { return int(m_jours.size()); }
    const QVector<TJourHistorique> &Jours() const { return m_jours; }
    // The position of day, -1 when it is not an active day.
    int IndexOf(const QDate &day) const;

private:
    TJourHistorique &jourFor(const QDate &day);

    QVector<TJourHistorique> m_jours;
};

} // namespace zelvane
