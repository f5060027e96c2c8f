#include "reports/DayPanel.h"

#include "common/Format.h"
#include "db/DataModule.h"

#include <QHash>
#include <cmath>

namespace zelvane {

namespace {

// The meal of an exit nature: 21 breakfast, 20 and 22 lunch, 23 snack, 24 dinner.
int mealOf(int nature)
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

QString countText(const QVariant &value)
{
    const std::optional<qint64> count = value.isNull() ? std::nullopt : ParseInteger(value.toString());
    return count ? QString::number(*count) : QStringLiteral("--");
}

} // namespace

DayPanel ReadDayPanel(Tfdb &db, const QDate &day)
{
    DayPanel panel;
    const QString dayCondition = QStringLiteral("date_menu=") + SqlDate(day);

    double sorties[5] = {};
    if (auto query = db.GetQuery(QStringLiteral("select nat_op, sum(quantite*pu) as valeur from stock where date_op=")
                                 + SqlDate(day) + QStringLiteral(" and nat_op>=20 group by nat_op order by nat_op"))) {
        while (query->next()) {
            if (const int meal = mealOf(query->value(0).toInt()))
                sorties[meal] += NumberFromSql(query->value(1)).value_or(0);
        }
    }
    panel.sortiesJour = sorties[1] + sorties[2] + sorties[3] + sorties[4];

    if (auto query = db.GetQuery(QStringLiteral("select menu1, menu2, menu3, menu4 from menu_menu where ")
                                 + dayCondition)) {
        QList<QStringList> rows;
        while (query->next()) {
            rows.append({query->value(0).toString(), query->value(1).toString(), query->value(2).toString(),
                         query->value(3).toString()});
        }
        // Two menus for one day are not told apart: neither prints.
        for (int meal = 1; rows.size() == 1 && meal <= 4; ++meal)
            panel.menus[meal] = rows.first().at(meal - 1);
    }

    QHash<qint32, int> positions;
    if (auto query = db.GetQuery(QStringLiteral("select code_categ, lib_fr from categories order by code_categ"))) {
        while (query->next()) {
            positions.insert(query->value(0).toInt(), int(panel.categories.size()));
            panel.categories.append({query->value(1).toString(), 0, 0, 0});
        }
    }
    if (auto query = db.GetQuery(QStringLiteral("select code_categ, m1, m2, m3, m4 from menu_effect where ")
                                 + dayCondition + QStringLiteral(" order by code_categ"))) {
        while (query->next()) {
            const auto found = positions.constFind(query->value(0).toInt());
            if (found == positions.constEnd())
                continue;
            DayPanel::Categorie &categorie = panel.categories[*found];
            categorie.m1 = NumberFromSql(query->value(1)).value_or(0);
            categorie.m2 = NumberFromSql(query->value(2)).value_or(0);
            categorie.m4 = NumberFromSql(query->value(4)).value_or(0);
            panel.effectifs[3] += NumberFromSql(query->value(3)).value_or(0);
        }
    }
    for (const DayPanel::Categorie &categorie : std::as_const(panel.categories)) {
        panel.effectifs[1] += categorie.m1;
        panel.effectifs[2] += categorie.m2;
        panel.effectifs[4] += categorie.m4;
    }
    const double lunch = panel.effectifs[2];
    const double dinner = panel.effectifs[4];
    const int served = (lunch != 0 && dinner != 0) ? 2 : 1;
    panel.personnesNourries = qint64(std::trunc((lunch + dinner) / served));
    panel.depenseParPersonne = panel.personnesNourries > 0 ? panel.sortiesJour / panel.personnesNourries : 0;

    if (auto query = db.GetQuery(QStringLiteral("select nom, m1, m2, m4 from menu_liste where ") + dayCondition
                                 + QStringLiteral(" and code_categ=6 order by num_ord"))) {
        while (query->next()) {
            panel.hospitalises.append({query->value(0).toString().trimmed(), countText(query->value(1)),
                                       countText(query->value(2)), countText(query->value(3))});
        }
    }
    return panel;
}

} // namespace zelvane
