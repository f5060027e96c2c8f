#include "menus/Historique.h"

#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Natures.h"
#include "stock/ListeDenrees.h"

#include <QHash>

namespace zelvane {

THistorique::THistorique(Tfdb &db, int gestion)
{
    TJourHistorique opening;
    opening.DateJour = QDate(gestion - 1, 12, 31);
    if (auto query = db.GetQuery(QStringLiteral(" select sum(qt31dec*pu31dec) as val from articles"));
        query && query->next())
        opening.ValeurFin = NumberFromSql(query->value(0)).value_or(0);
    m_jours.append(opening);

    if (auto query = db.GetQuery(
            QStringLiteral(" select date_op,nat_op,sum(quantite*pu) as val from stock where "
                           "quantite<>0 and pu<>0 group by date_op,nat_op order by date_op,nat_op"))) {
        while (query->next()) {
            const QDate day = DateFromSql(query->value(0));
            const int nature = query->value(1).toInt();
            const double value = NumberFromSql(query->value(2)).value_or(0);
            if (!day.isValid() || nature == 0 || value == 0)
                continue;
            if (nature == kNatureEntree) {
                jourFor(day).ValeurEntrees += value;
            } else if (const int meal = MealOfNature(nature)) {
                jourFor(day).SortiesRepas[meal - 1] += value;
            }
        }
    }

    if (auto query = db.GetQuery(QStringLiteral(
            " select m.date_menu,sum(m.m1) as m1,sum(m.m2) as m2,sum(m.m3) as m3,sum(m.m4) as m4 from menu_effect m"
            " where (m.m1<>0 or m.m2<>0 or m.m3<>0 or m.m4<>0) group by m.date_menu order by m.date_menu"))) {
        while (query->next()) {
            const QDate day = DateFromSql(query->value(0));
            if (!day.isValid())
                continue;
            TJourHistorique &jour = jourFor(day);
            for (int i = 0; i < kMeals; ++i)
                jour.Effectifs[i] = NumberFromSql(query->value(i + 1)).value_or(0);
        }
    }

    // The opening record stays first whatever the dates of the rows (a movement dated before the year).
    std::stable_sort(m_jours.begin() + 1, m_jours.end(),
                     [](const TJourHistorique &a, const TJourHistorique &b) { return a.DateJour < b.DateJour; });
    for (int i = 1; i < m_jours.size(); ++i) {
        TJourHistorique &jour = m_jours[i];
        jour.ValeurVeille = m_jours.at(i - 1).ValeurFin;
        jour.ValeurSorties = 0;
        for (double v : jour.SortiesRepas)
            jour.ValeurSorties += v;
        jour.ValeurFin = jour.ValeurVeille + jour.ValeurEntrees - jour.ValeurSorties;
        jour.PersonnesNourries = zelvane::PersonnesNourries(jour.Effectifs[1], jour.Effectifs[3]);
        jour.DepenseParPersonne = PerPerson(jour.ValeurSorties, double(jour.PersonnesNourries));
    }
}

TJourHistorique &THistorique::jourFor(const QDate &day)
{
    // Rows come in date order, so the day sought is nearly always the last one.
    for (int i = int(m_jours.size()) - 1; i >= 1; --i) {
        if (m_jours.at(i).DateJour == day)
            return m_jours[i];
    }
    TJourHistorique jour;
    jour.DateJour = day;
    m_jours.append(jour);
    return m_jours.last();
}

int THistorique::IndexOf(const QDate &day) const
{
    for (int i = 0; i < m_jours.size(); ++i) {
        if (m_jours.at(i).DateJour == day)
            return i;
    }
    return -1;
}

} // namespace zelvane
