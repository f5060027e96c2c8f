#pragma once

#include "common/Form.h"
#include "db/Entry.h"

#include <QStringList>
#include <QVariantMap>
#include <deque>
#include <optional>

namespace zelvane {

class HeadCountGrid;
class MenusModule;

// The head-count and menu window of the selected day, on the day's db_menu_menu row in edit or insert
// state; it edits the cells of grid. True when accepted.
class MenuDayForm
{
public:
    virtual ~MenuDayForm() = default;
    virtual bool editMenuDay(MenusModule &menus, HeadCountGrid &grid) = 0;
};

// The window of one meal's menu text (meal 1 to 4), on the day's db_menu_menu row. True when accepted.
class MenuTextForm
{
public:
    virtual ~MenuTextForm() = default;
    virtual bool editMenuText(MenusModule &menus, int meal) = 0;
};

// The person window of the hospitalised staff list, on the current db_menu_liste row. True when accepted.
class StaffForm
{
public:
    virtual ~StaffForm() = default;
    virtual bool editStaff(MenusModule &menus, EntryMode mode) = 0;
};

// The captions of the meals in the menu window: "PETIT DEJEUNER", "DEJEUNER", "GOUTER", "DINER".
QString MealHeading(int meal);

// The selected day's head-counts and menus: accepting writes the head-counts of every category, then
// saves the menu texts. True when the menu row was saved; a refused save says why and opens the window
// again on what was typed.
bool EditMenuJour(MenusModule &menus);
// The text of one meal's menu of the selected day. True when saved.
bool EditMenuRepas(MenusModule &menus, int meal);
// Deletes the selected day's menu, head-counts and hospitalised staff list after confirmation.
bool DeleteDayMenu(MenusModule &menus);

// Adds a person to the selected day's hospitalised staff list, or modifies the current one. True when saved.
bool EditPersonnel(MenusModule &menus, EntryMode mode);
// Deletes the current person after confirmation.
bool DeleteStaffMember(MenusModule &menus);

// The menu windows answered in advance. A head-count answer holds cells under "row:meal" (row from 0 in
// list order, meal 1 to 4) and menu texts under "menu1".."menu4"; a menu text answer holds "text"; a
// person answer holds its fields by name. nullopt cancels; with none left the window is cancelled.
// Installed while it lives; every window opened is recorded in asked, when given, as "menu day",
// "menu text" or "staff".
class ScriptedMenuForms : public MenuDayForm, public MenuTextForm, public StaffForm
{
public:
    explicit ScriptedMenuForms(QStringList *asked = nullptr);
    ~ScriptedMenuForms() override;

    bool editMenuDay(MenusModule &menus, HeadCountGrid &grid) override;
    bool editMenuText(MenusModule &menus, int meal) override;
    bool editStaff(MenusModule &menus, EntryMode mode) override;

    std::deque<std::optional<QVariantMap>> menuDays;
    std::deque<std::optional<QVariantMap>> menuTexts;
    std::deque<std::optional<QVariantMap>> staff;
    // The totals the last head-count window showed when it closed, meals 1 to 4 (index 0 unused).
    qint64 lastTotals[5] = {};

private:
    QStringList *m_asked;
};

} // namespace zelvane
