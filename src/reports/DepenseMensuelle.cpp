#include "reports/DepenseMensuelle.h"

#include "common/Dates.h"
#include "common/Format.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "db/SqlFunctions.h"
#include "menus/MenuJour.h"

#include <QHash>
#include <QSqlQuery>
#include <cmath>
#include <sqlite3.h>

namespace zelvane {

namespace {

// The month's average of persons fed: lunch and dinner averaged when both were served, rounded half to
// even. A day's persons fed are those of the day summary (PersonnesNourries), wherever a day is shown.
qint32 moyenneMois(qint32 lunch, qint32 dinner)
{
    const double total = double(lunch) + double(dinner);
    return qint32(std::nearbyint(lunch != 0 && dinner != 0 ? total / 2 : total)); // nearest, ties to even
}

} // namespace

void TDepenseJour::add(const TDepenseJour &other)
{
    for (int c = 0; c < kCategoryCount; ++c) {
        for (int m = 0; m < kMeals; ++m)
            Effectifs[c][m] += other.Effectifs[c][m];
    }
    for (int m = 0; m < kMeals; ++m)
        Sorties[m] += other.Sorties[m];
    SortiesJour += other.SortiesJour;
}

void TDepenseJour::computeDerived(bool oneDay)
{
    for (int m = 0; m < kMeals; ++m) {
        Repas[m] = 0;
        for (int c = 0; c < kCategoryCount; ++c)
            Repas[m] += Effectifs[c][m];
    }
    EffectifTotal = Repas[1] + Repas[3];
    Moyenne = oneDay ? qint32(PersonnesNourries(Repas[1], Repas[3])) : moyenneMois(Repas[1], Repas[3]);
    PrixJournee = Moyenne != 0 ? SortiesJour / Moyenne : 0;
    PrixRepas = EffectifTotal != 0 ? SortiesJour / EffectifTotal : 0;
}

qint32 TDepenseJour::effectif(int code, int meal) const
{
    if (code < 1 || code > kCategoryCount || meal < 1 || meal > kMeals)
        return 0;
    return Effectifs[code - 1][meal - 1];
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
    // sorted into the month's days and the earlier months here.
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
            for (int m = 0; m < kMeals; ++m)
                record->Effectifs[code - 1][m] += q->value(3 + m).toInt();
        }
    }
    readExits(db, first, last);

    for (TDepenseJour &day : Jours) {
        day.computeDerived(true);
        TotalMois.add(day);
    }
    TotalMois.computeDerived(false);
    ReportMois.computeDerived(false);
    TotalAnnee.add(TotalMois);
    TotalAnnee.add(ReportMois);
    TotalAnnee.computeDerived(false);
}

void TDepense_Mensuelle::readExits(Tfdb &db, const QString &first, const QString &last)
{
    // The exits are summed here, row by row, in one plain pass over the movements: grouping them by day
    // and nature in SQL sorts every row and costs four such passes. The ISO day text is compared as text.
    sqlite3 *handle = SqliteHandle(db.database());
    if (!handle)
        return;
    const QByteArray sql = QStringLiteral("select date_op, nat_op, quantite*pu, code_art from stock not indexed"
                                          " where nat_op>=20 and date_op>=%1 and date_op<=%2")
                               .arg(first, last)
                               .toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
        prompter().showMessage(QString::fromUtf8(sqlite3_errmsg(handle)));
        return;
    }
    auto digits = [](const unsigned char *text, int at) {
        const int tens = text[at] - '0', units = text[at + 1] - '0';
        return tens >= 0 && tens <= 9 && units >= 0 && units <= 9 ? tens * 10 + units : -1;
    };
    // Each day's exits per article, rounded to the cent once the day's are all in.
    QHash<std::pair<TDepenseJour *, qint64>, double> perArticle;
    int result;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        const unsigned char *day = sqlite3_column_text(statement, 0);
        const int meal = MealOfNature(sqlite3_column_int(statement, 1));
        if (!day || sqlite3_column_bytes(statement, 0) < 10 || day[4] != '-' || day[7] != '-' || meal == 0)
            continue; // a day that is no date counts nowhere
        if (TDepenseJour *record = recordOf(digits(day, 5), digits(day, 8))) {
            const double value = sqlite3_column_double(statement, 2);
            record->Sorties[meal - 1] += value;
            // The earlier months share one record: the article's key keeps their days apart.
            perArticle[{record, sqlite3_column_int64(statement, 3) * 10000 + digits(day, 5) * 100 + digits(day, 8)}] +=
                value;
        }
    }
    for (auto it = perArticle.cbegin(); it != perArticle.cend(); ++it)
        it.key().first->SortiesJour += RoundToCents(it.value());
    if (result != SQLITE_DONE)
        prompter().showMessage(QString::fromUtf8(sqlite3_errmsg(handle)));
    sqlite3_finalize(statement);
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
