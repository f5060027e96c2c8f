#include "menus/WeeklyMenuReport.h"

#include "common/Format.h"
#include "common/Organisation.h"
#include "db/DataModule.h"
#include "menus/WeeklyMenu.h"
#include "print/Report.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace zelvane {

namespace {

int dayKey(const QDate &d) { return d.year() * 10000 + d.month() * 100 + d.day(); }

// The stored menus of the seven days from from: breakfast, lunch and dinner of each.
WeeklyMenuTexts storedMenus(Tfdb &db, const QDate &from, const QDate &to)
{
    WeeklyMenuTexts texts;
    const QString key = QStringLiteral("(year(date_menu)*10000+month(date_menu)*100+day(date_menu))");
    auto query = db.GetQuery(QStringLiteral(" select * from menu_menu where %1>=%2 and %1<=%3 order by date_menu;")
                                 .arg(key)
                                 .arg(dayKey(from))
                                 .arg(dayKey(to)));
    if (!query)
        return texts;
    while (query->next()) {
        const qint64 k = from.daysTo(DateFromSql(query->value(QStringLiteral("date_menu"))));
        if (k < 0 || k >= kWeeklyMenuDays)
            continue;
        const char *columns[] = {"menu1", "menu2", "menu4"}; // the snack is not printed
        for (int meal = 1; meal <= kWeeklyMenuMeals; ++meal)
            texts[WeeklyMenuIndex(int(k) + 1, meal)] = query->value(QString::fromLatin1(columns[meal - 1])).toString();
    }
    Tfdb::FreeQuery(query);
    return texts;
}

} // namespace

ReportDocument MakeMenuHebdomadaire(Tfdb &db, const QDate &from, const QDate &to)
{
    using E = ReportElement;
    const WeeklyMenuTexts menus = storedMenus(db, from, to);
    ReportLayout layout(QStringLiteral("MENU HEBDOMADAIRE"), QPageSize::A4);
    const qreal width = layout.printableSize().width();
    bool printed = false;
    layout.needData = [&printed](QHash<QString, QVariant> &) { return !std::exchange(printed, true); };
    ReportBand &page = layout.band(BandKind::Detail, layout.printableSize().height());

    QString heading[3];
    OrganisationHeading(&heading[0], &heading[1], &heading[2], QStringLiteral("FR"));
    page.add(E::label({0, 0, width, 6}, QStringLiteral("REPUBLIQUE ALGERIENNE DEMOCRATIQUE ET POPULAIRE"))
                 .centered()
                 .bold()
                 .size(11));
    for (int i = 0; i < 3; ++i)
        page.add(E::label({0, 7.0 + 5 * i, width, 5}, heading[i]).centered().bold().size(9));
    page.add(E::label({0, 26, width, 9}, QStringLiteral("MENU HEBDOMADAIRE")).centered().bold().underline().size(16));
    page.add(E::label({0, 36, width, 6}, QStringLiteral("Journée du %1  au %2").arg(DateText(from), DateText(to)))
                 .centered()
                 .size(11));

    const qreal top = 46, titleHeight = 8, rowHeight = 28, dayWidth = 34;
    const qreal mealWidth = (width - dayWidth) / kWeeklyMenuMeals;
    const QString titles[] = {QStringLiteral("Jours"), QStringLiteral("Petit Déjeuner"), QStringLiteral("Déjeuner"),
                              QStringLiteral("Dîner")};
    const QString days[] = {QStringLiteral("1 - Dimanche"), QStringLiteral("2 - Lundi"), QStringLiteral("3 - Mardi"),
                            QStringLiteral("4 - Mercredi"), QStringLiteral("5 - Jeudi"), QStringLiteral("6 - Vendredi"),
                            QStringLiteral("7 - Samedi")};
    const auto columnLeft = [&](int column) { return column == 0 ? 0 : dayWidth + (column - 1) * mealWidth; };
    for (int column = 0; column <= kWeeklyMenuMeals; ++column) {
        page.add(E::label({columnLeft(column), top, column == 0 ? dayWidth : mealWidth, titleHeight}, titles[column])
                     .centered()
                     .bold()
                     .size(10)
                     .framed());
    }
    for (int day = 1; day <= kWeeklyMenuDays; ++day) {
        const qreal y = top + titleHeight + (day - 1) * rowHeight;
        page.add(E::label({0, y, dayWidth, rowHeight}, days[day - 1]).bold().size(10).framed());
        for (int meal = 1; meal <= kWeeklyMenuMeals; ++meal) {
            page.add(E::box({columnLeft(meal), y, mealWidth, rowHeight}));
            page.add(
                E::label({columnLeft(meal) + 1, y + 1, mealWidth - 2, rowHeight - 2}, menus[WeeklyMenuIndex(day, meal)])
                    .top()
                    .wrapped()
                    .size(9));
        }
    }
    const qreal foot = top + titleHeight + kWeeklyMenuDays * rowHeight + 8;
    const bool gerant = db.organisme == 4;
    const QString gap(18, QLatin1Char(' '));
    page.add(E::label({0, foot, width / 2, 6}, gerant ? QStringLiteral("GERANT") + gap + QStringLiteral("LE MEDECIN")
                                                      : QStringLiteral("MEDECIN"))
                 .bold()
                 .size(10));
    page.add(E::label({width / 2, foot, width / 2, 6},
                      gerant ? QStringLiteral("D.A.F") + gap + QStringLiteral("  , LE DIRECTEUR")
                             : QStringLiteral(", LE DIRECTEUR"))
                 .right()
                 .bold()
                 .size(10));
    return layout.generate();
}

} // namespace zelvane
