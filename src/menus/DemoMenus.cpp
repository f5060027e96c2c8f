#include "menus/DemoMenus.h"

#include "common/Format.h"
#include "db/Natures.h"
#include "menus/ListeCategories.h"
#include "menus/MenuJour.h"
#include "stock/Demo.h"

#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <array>
#include <cmath>

namespace zelvane {

namespace {

const char *const kBreakfasts[] = {"Café au lait, pain, beurre, confiture", "Thé, pain, fromage portion",
                                   "Lait chocolaté, biscuits", "Café au lait, msemen, miel"};
const char *const kLunches[] = {"Salade variée, couscous aux légumes et poulet, orange",
                                "Soupe, haricots blancs à la viande, pain, yaourt",
                                "Carottes râpées, riz au thon, pomme",
                                "Chorba, lentilles, omelette, banane",
                                "Salade de tomates, pâtes à la sauce bolognaise, flan",
                                "Loubia, sardines frites, salade, fruit de saison",
                                "Petits pois à la viande hachée, pain, crème dessert",
                                "Tajine d'olives au poulet, frites, mandarine"};
const char *const kSnacks[] = {"Jus de fruit, gâteau", "Lait, madeleine", "Yaourt, biscuits", "Fruit de saison"};
const char *const kDinners[] = {"Chorba frik, œuf dur, pain",           "Gratin de pommes de terre, salade, yaourt",
                                "Berkoukes aux légumes, fruit",         "Soupe de légumes, pâtes au fromage",
                                "Riz au poulet, salade verte, compote", "Lentilles, omelette aux pommes de terre"};
// The staff eating at the shared table; a quote in a name must go into the file as typed.
const char *const kStaff[] = {"BENALI AHMED", "KACI FATIMA ZOHRA", "BEN M'HIDI LARBI", "HAMIDI SALIMA"};

// What a person fed costs on an ordinary day, in the file's currency.
constexpr double kCostPerPerson = 240;

// Shares of each category among the diners of a meal, by code; the rest goes to category 2 (or 1).
double share(int code, int meal, int regime)
{
    if (regime == 1)
        return code == 1 ? 0.55 : code == 2 ? 0.30 : code == 3 ? 0.08 : code == 5 ? 0.04 : code == 7 ? 0.01 : 0.02;
    if (meal == 2)
        return code == 1 ? 0.35 : code == 2 ? 0.50 : code == 3 ? 0.07 : code == 4 ? 0.04 : code == 5 ? 0.03 : 0.01;
    // Breakfast, snack and dinner are for the boarders and the staff living in.
    return code == 2 ? 0.92 : code == 4 ? 0.06 : code == 7 ? 0.02 : 0;
}

QString exec(QSqlQuery &query) { return query.exec() ? QString() : query.lastError().text(); }

} // namespace

QString FillDemoMenus(QSqlDatabase &db, int year, int regime)
{
    QVector<int> categories;
    QSqlQuery read(db);
    if (!read.exec(QStringLiteral("select code_categ from categories order by code_categ")))
        return read.lastError().text();
    while (read.next())
        categories << read.value(0).toInt();
    read.finish();
    QMap<QDate, double> exits;
    if (!read.exec(
            QStringLiteral("select date_op, total(quantite*pu) from stock where %1 group by date_op").arg(ExitSql())))
        return read.lastError().text();
    while (read.next()) {
        const QDate day = DateFromSql(read.value(0));
        if (day.year() == year)
            exits.insert(day, read.value(1).toDouble());
    }
    read.finish();

    QSqlQuery menu(db), effect(db), liste(db), defaut(db);
    menu.prepare(QStringLiteral("insert into menu_menu (date_menu, menu1, menu2, menu3, menu4) values (?,?,?,?,?)"));
    effect.prepare(
        QStringLiteral("insert into menu_effect (date_menu, code_categ, m1, m2, m3, m4) values (?,?,?,?,?,?)"));
    liste.prepare(
        QStringLiteral(
            "insert into menu_liste (date_menu, code_categ, num_ord, nom, m1, m2, m3, m4) values (?,%1,?,?,?,?,?,?)")
            .arg(kHospitalisedCategory));
    defaut.prepare(
        QStringLiteral(
            "insert into menu_liste_defaut (code_categ, num_ord, nom, m1, m2, m3, m4) values (%1,?,?,?,?,?,?)")
            .arg(kHospitalisedCategory));
    const bool boarding = regime != 1;
    const bool hasStaff = categories.contains(kHospitalisedCategory);
    for (int n = 0; n < int(std::size(kStaff)); ++n) {
        const QVariant values[] = {n + 1, QString::fromUtf8(kStaff[n]), boarding ? 1 : 0, 1, 0, boarding ? 1 : 0};
        for (const QVariant &v : values)
            defaut.addBindValue(v);
        if (hasStaff)
            if (const QString error = exec(defaut); !error.isEmpty())
                return error;
    }

    int index = 0;
    for (auto it = exits.cbegin(); it != exits.cend(); ++it, ++index) {
        const QDate &day = it.key();
        const QString iso = IsoDate(day);
        // Menus come round in turn, the courses at different paces so that days differ.
        const QVariant menus[] = {iso, boarding ? QString::fromUtf8(kBreakfasts[index % 4]) : QString(),
                                  QString::fromUtf8(kLunches[index % 8]),
                                  boarding ? QString::fromUtf8(kSnacks[(index / 2) % 4]) : QString(),
                                  boarding ? QString::fromUtf8(kDinners[index % 6]) : QString()};
        for (const QVariant &v : menus)
            menu.addBindValue(v);
        if (const QString error = exec(menu); !error.isEmpty())
            return error;

        // The staff list: everybody, but one person away one day in five.
        std::array<int, kMeals> staff{};
        if (hasStaff) {
            int number = 0;
            for (int n = 0; n < int(std::size(kStaff)); ++n) {
                if ((index + n) % 5 == 4)
                    continue;
                const int meals[] = {boarding ? 1 : 0, 1, 0, boarding ? 1 : 0};
                const QVariant values[] = {iso,      ++number, QString::fromUtf8(kStaff[n]), meals[0], meals[1],
                                           meals[2], meals[3]};
                for (const QVariant &v : values)
                    liste.addBindValue(v);
                if (const QString error = exec(liste); !error.isEmpty())
                    return error;
                for (int m = 0; m < kMeals; ++m)
                    staff[m] += meals[m];
            }
        }

        // Persons fed so that a person costs about kCostPerPerson, a little more one day, less another.
        const double cost = kCostPerPerson * (0.85 + 0.05 * ((index * 3) % 7));
        const double fed = std::max(1.0, std::round(it.value() / cost));
        std::array<double, kMeals> diners{};
        diners[1] = boarding ? std::round(fed * 1.04) : fed;
        diners[3] = boarding ? 2 * fed - diners[1] : 0;
        diners[0] = boarding ? std::round(diners[3] * 0.9) : 0;
        diners[2] = boarding ? std::round(diners[3] * 0.8) : 0;
        for (int code : std::as_const(categories)) {
            std::array<int, kMeals> m{};
            for (int meal = 1; meal <= kMeals; ++meal)
                m[meal - 1] = code == kHospitalisedCategory
                                  ? staff[meal - 1]
                                  : int(std::round(std::max(0.0, diners[meal - 1] - staff[meal - 1])
                                                   * share(code, meal, regime)));
            if (m == std::array<int, kMeals>{})
                continue;
            effect.addBindValue(iso);
            effect.addBindValue(code);
            for (int v : m)
                effect.addBindValue(v);
            if (const QString error = exec(effect); !error.isEmpty())
                return error;
        }
    }
    return {};
}

void AddDemoMenus(DemoRequest &request) { request.fillMore = FillDemoMenus; }

} // namespace zelvane
