#include "menus/MenuEntries.h"

#include "common/Failure.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Deletion.h"
#include "menus/HeadCountGrid.h"
#include "menus/MenusModule.h"

namespace zelvane {

namespace {

// The day's menu row: edited when it exists, a new one otherwise.
EntryMode menuRowMode(MenusModule &menus) { return menus.db_menu_menu->isEmpty() ? EntryMode::Add : EntryMode::Modify; }

} // namespace

QString MealHeading(int meal)
{
    static const char *const headings[] = {"PETIT DEJEUNER", "DEJEUNER", "GOUTER", "DINER"};
    return meal >= 1 && meal <= 4 ? QString::fromLatin1(headings[meal - 1]) : QString();
}

bool EditMenuJour(MenusModule &menus)
{
    MenuDayForm *form = Form<MenuDayForm>::current();
    const TListeCategories *categories = menus.ListeCategories();
    if (!form || !categories)
        return false;
    Tfdb &db = menus.db();
    HeadCountGrid grid(db, *categories, db.selectedDay());
    const bool saved = RunEntry(db, *menus.db_menu_menu, menuRowMode(menus), [&] {
        if (!form->editMenuDay(menus, grid))
            return false;
        // The head-counts go in first, whatever becomes of the menu texts.
        grid.write(db);
        IgnoreFailure("head-counts after the entry", [&] { menus.db_menu_effect->refresh(); });
        return true;
    });
    menus.showDay();
    return saved;
}

bool EditMenuRepas(MenusModule &menus, int meal)
{
    MenuTextForm *form = Form<MenuTextForm>::current();
    if (!form || meal < 1 || meal > 4)
        return false;
    return RunEntry(menus.db(), *menus.db_menu_menu, menuRowMode(menus),
                    [&] { return form->editMenuText(menus, meal); });
}

bool DeleteDayMenu(MenusModule &menus)
{
    if (menus.db().readOnly || !menus.db().hasSession())
        return false;
    const QDate day = menus.db().selectedDay();
    if (!ConfirmDeletion(QStringLiteral("du Menu de la journée du ") + DateText(day)))
        return false;
    menus.DeleteDay(day);
    return true;
}

bool EditPersonnel(MenusModule &menus, EntryMode mode)
{
    StaffForm *form = Form<StaffForm>::current();
    if (!form)
        return false;
    return RunEntry(menus.db(), *menus.db_menu_liste, mode, [&] { return form->editStaff(menus, mode); });
}

bool DeleteStaffMember(MenusModule &menus)
{
    Dataset *liste = menus.db_menu_liste;
    return !menus.db().readOnly
           && DeleteCurrentRow(
               *liste,
               [liste] {
                   return QStringLiteral("de l'enregistrement Nom : ") + liste->textValue(QStringLiteral("nom"));
               },
               "deleting a hospitalised person");
}

ScriptedMenuForms::ScriptedMenuForms(QStringList *asked)
    : m_asked(asked)
{
    Form<MenuDayForm>::install(this);
    Form<MenuTextForm>::install(this);
    Form<StaffForm>::install(this);
}

ScriptedMenuForms::~ScriptedMenuForms()
{
    Form<MenuDayForm>::uninstall(this);
    Form<MenuTextForm>::uninstall(this);
    Form<StaffForm>::uninstall(this);
}

bool ScriptedMenuForms::editMenuDay(MenusModule &menus, HeadCountGrid &grid)
{
    if (m_asked)
        *m_asked << QStringLiteral("menu day");
    const std::optional<QVariantMap> answer = TakeAnswer(menuDays, std::optional<QVariantMap>());
    if (!answer)
        return false;
    for (auto it = answer->cbegin(); it != answer->cend(); ++it) {
        if (it.key().startsWith(QLatin1String("menu"))) {
            menus.db_menu_menu->setValue(it.key(), it.value());
            continue;
        }
        const int row = it.key().section(QLatin1Char(':'), 0, 0).toInt();
        const int meal = it.key().section(QLatin1Char(':'), 1, 1).toInt();
        if (row >= 0 && row < grid.rowCount() && meal >= 1 && meal <= 4)
            grid.setCell(row, meal, it.value().toString());
    }
    for (int meal = 1; meal <= 4; ++meal)
        lastTotals[meal] = grid.total(meal);
    return true;
}

bool ScriptedMenuForms::editMenuText(MenusModule &menus, int meal)
{
    if (m_asked)
        *m_asked << QStringLiteral("menu text");
    const std::optional<QVariantMap> answer = TakeAnswer(menuTexts, std::optional<QVariantMap>());
    if (!answer)
        return false;
    menus.db_menu_menu->setValue(QStringLiteral("menu%1").arg(meal), answer->value(QStringLiteral("text")));
    return true;
}

bool ScriptedMenuForms::editStaff(MenusModule &menus, EntryMode)
{
    if (m_asked)
        *m_asked << QStringLiteral("staff");
    const std::optional<QVariantMap> answer = TakeAnswer(staff, std::optional<QVariantMap>());
    if (!answer)
        return false;
    for (auto it = answer->cbegin(); it != answer->cend(); ++it)
        menus.db_menu_liste->setValue(it.key(), it.value());
    return true;
}

} // namespace zelvane
