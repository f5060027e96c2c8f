#include "menus/MenuJour.h"

#include "common/Format.h"
#include "db/DataModule.h"

#include <cmath>

namespace zelvane {

qint64 PersonnesNourries(double lunch, double dinner)
{
    const double k = lunch != 0 && dinner != 0 ? 2 : 1;
    return qint64(std::trunc((lunch + dinner) / k));
}

double PerPerson(double value, double persons) { return persons > 0 ? value / persons : 0; }

void ReadDayHeadCounts(Tfdb &db, const TListeCategories &categories, const QDate &day,
                       const std::function<void(const TCategorie &, const MealCounts &)> &row)
{
    auto query = db.GetQuery(QStringLiteral(" select * from menu_effect where date_menu=") + SqlDate(day)
                             + QStringLiteral(" order by code_categ"));
    while (query && query->next()) {
        const TCategorie *c = categories.FindCategorie(qint32(query->value(QStringLiteral("code_categ")).toLongLong()));
        if (!c)
            continue;
        MealCounts counts;
        for (int i = 0; i < kMeals; ++i)
            counts[i] = NumberFromSql(query->value(QStringLiteral("m%1").arg(i + 1)));
        row(*c, counts);
    }
}

double DayExitValue(Tfdb &db, const QDate &day)
{
    double value = 0;
    if (auto query = db.GetQuery(QStringLiteral(" select sum(quantite*pu) from stock where date_op=%1 and %2"
                                                " group by code_art")
                                     .arg(SqlDate(day), MealExitSql()))) {
        while (query->next())
            value += RoundToCents(NumberFromSql(query->value(0)).value_or(0));
    }
    return value;
}

QString TMenuJour::ExitsStatement(const QDate &day)
{
    // The day compared in its stored form, which an index on the day reads directly.
    return QStringLiteral(" select nat_op,sum(quantite*pu) as valeur from stock where date_op=%1 and %2"
                          " group by nat_op order by nat_op")
        .arg(SqlDate(day), ExitSql());
}

TMenuJour::TMenuJour(Tfdb &db, const TListeCategories &categories, const QDate &day)
    : m_day(day)
{
    const QString condition = QStringLiteral("date_menu=") + SqlDate(day);

    if (auto query = db.GetQuery(ExitsStatement(day))) {
        while (query->next()) {
            const int meal = MealOfNature(query->value(0).toInt());
            if (meal > 0)
                m_sorties[meal - 1] += NumberFromSql(query->value(1)).value_or(0);
        }
    }
    m_sortiesJour = DayExitValue(db, day);

    if (auto query = db.GetQuery(QStringLiteral(" select * from menu_menu where ") + condition)) {
        std::array<QString, kMeals> menus;
        int rows = 0;
        while (query->next()) {
            ++rows;
            for (int i = 0; i < kMeals; ++i)
                menus[i] = query->value(QStringLiteral("menu%1").arg(i + 1)).toString();
        }
        // Two rows for one day would be a damaged file: neither is shown rather than a guess.
        if (rows == 1)
            m_menus = menus;
    }

    for (int i = 0; i < categories.Count(); ++i) {
        TEffectifCategorie e;
        e.Categorie = *categories.GetCategorie(i);
        m_effectifs.append(e);
    }
    ReadDayHeadCounts(db, categories, day, [this](const TCategorie &c, const MealCounts &counts) {
        TEffectifCategorie &e = m_effectifs[c.index];
        e.m1 = counts[0].value_or(0);
        e.m2 = counts[1].value_or(0);
        e.m3 = counts[2].value_or(0);
        e.m4 = counts[3].value_or(0);
        e.Total = e.m1 + e.m2 + e.m3 + e.m4;
    });
    for (const TEffectifCategorie &e : std::as_const(m_effectifs)) {
        for (int i = 1; i <= kMeals; ++i)
            m_effectifsRepas[i - 1] += e.meal(i);
    }

    m_personnesNourries = zelvane::PersonnesNourries(m_effectifsRepas[1], m_effectifsRepas[3]);
    for (int i = 0; i < kMeals; ++i)
        m_depenseRepas[i] = PerPerson(m_sorties[i], m_effectifsRepas[i]);
    m_depenseParPersonne = PerPerson(m_sortiesJour, double(m_personnesNourries));
}

const TEffectifCategorie *TMenuJour::GetEffectif(int index) const
{
    return index >= 0 && index < m_effectifs.size() ? &m_effectifs.at(index) : nullptr;
}

} // namespace zelvane
