#include "reports/DepenseMensuelle.h"

#include "common/Dates.h"
#include "common/Format.h"
#include "db/DataModule.h"

#include <QSqlQuery>
#include <cmath>

namespace zelvane {

void TDepenseJour::add(const TDepenseJour &other)
{
    for (int c = 0; c < kCategoryCount; ++c) {
        for (int m = 0; m < kMealCount; ++m)
            Effectifs[c][m] += other.Effectifs[c][m];
    }
    for (int m = 0; m < kMealCount; ++m)
        Sorties[m] += other.Sorties[m];
}

void TDepenseJour::computeDerived()
{
    SortiesJour = 0;
    for (int m = 0; m < kMealCount; ++m) {
        Repas[m] = 0;
        for (int c = 0; c < kCategoryCount; ++c)
            Repas[m] += Effectifs[c][m];
        SortiesJour += Sorties[m];
    }
    EffectifTotal = Repas[1] + Repas[3];
    Moyenne = PersonnesNourries(Repas[1], Repas[3]);
    PrixJournee = Moyenne != 0 ? SortiesJour / Moyenne : 0;
    PrixRepas = EffectifTotal != 0 ? SortiesJour / EffectifTotal : 0;
}

qint32 TDepenseJour::effectif(int code, int meal) const
{
    if (code < 1 || code > kCategoryCount || meal < 1 || meal > kMealCount)
        return 0;
    return Effectifs[code - 1][meal - 1];
}

qint32 PersonnesNourries(qint32 lunch, qint32 dinner)
{
    const double total = double(lunch) + double(dinner);
    return qint32(std::nearbyint(lunch != 0 && dinner != 0 ? total / 2 : total)); // nearest, ties to even
}

int MealOfNature(int nature)
{
    switch (nature) {
    case 21:
        return 1;
    case 20:
    case 22:
        return 2;
    case 23:
        return 3;
    case 24:
        return 4;
    default:
        return 0;
    }
}

TDepense_Mensuelle::TDepense_Mensuelle(Tfdb &db, const QDate &date)
{
    if (!date.isValid())
        return;
    Annee = qint16(date.year());
    Mois = qint16(date.month());
    const int days = LastDayOfMonth(date).day();
    Jours.resize(days);
    for (int d = 0; d < days; ++d)
        Jours[d].Jour = qint16(d + 1);

    // Both statements read every day from the first of January to the end of the month; the rows are
    // sorted into the month's days and the earlier months here. The ISO day text of the movements is
    // compared as text, the cheapest form of the range over the large table.
    const QString first = SqlDate(QDate(Annee, 1, 1));
    const QString last = SqlDate(LastDayOfMonth(date));
    if (auto q = db.GetQuery(QStringLiteral("select month(date_menu) as mois, day(date_menu) as jour, code_categ,"
                                            " sum(m1) as PN1, sum(m2) as PN2, sum(m3) as PN3, sum(m4) as PN4"
                                            " from menu_effect where year(date_menu)=%1 and month(date_menu)<=%2"
                                            " group by month(date_menu), day(date_menu), code_categ"
                                            " order by month(date_menu), day(date_menu), code_categ")
                                 .arg(Annee)
                                 .arg(Mois))) {
        while (q->next()) {
            const int code = q->value(2).toInt();
            TDepenseJour *record = recordOf(q->value(0).toInt(), q->value(1).toInt());
            if (!record || code < 1 || code > kCategoryCount)
                continue; // a category the statements do not know counts nowhere
            for (int m = 0; m < kMealCount; ++m)
                record->Effectifs[code - 1][m] += q->value(3 + m).toInt();
        }
    }
    if (auto q = db.GetQuery(QStringLiteral("select date_op, nat_op, sum(quantite*pu) as valeur from stock"
                                            " where nat_op>=20 and date_op>=%1 and date_op<=%2"
                                            " group by date_op, nat_op")
                                 .arg(first, last))) {
        while (q->next()) {
            const QDate day = DateFromSql(q->value(0));
            const int meal = MealOfNature(q->value(1).toInt());
            TDepenseJour *record = day.isValid() ? recordOf(day.month(), day.day()) : nullptr;
            if (record && meal > 0 && day.year() == Annee)
                record->Sorties[meal - 1] += q->value(2).toDouble();
        }
    }

    for (TDepenseJour &day : Jours) {
        day.computeDerived();
        TotalMois.add(day);
    }
    TotalMois.computeDerived();
    ReportMois.computeDerived();
    TotalAnnee.add(TotalMois);
    TotalAnnee.add(ReportMois);
    TotalAnnee.computeDerived();
}

const TDepenseJour *TDepense_Mensuelle::GetJour(int n) const
{
    return n >= 1 && n <= dayCount() ? &Jours[n - 1] : nullptr;
}

TDepenseJour *TDepense_Mensuelle::recordOf(int month, int day)
{
    if (month == Mois)
        return day >= 1 && day <= dayCount() ? &Jours[day - 1] : nullptr;
    return month >= 1 && month < Mois ? &ReportMois : nullptr;
}

} // namespace zelvane
