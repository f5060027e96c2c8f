#pragma once

#include "menus/MenuEntries.h"

namespace zelvane {

// The menu, head-count and person windows as the forms of the desktop program, installed while this
// object lives.
class DialogMenuForms : public MenuDayForm, public MenuTextForm, public StaffForm
{
public:
    DialogMenuForms();
    ~DialogMenuForms() override;
    bool editMenuDay(MenusModule &menus, HeadCountGrid &grid) override;
    bool editMenuText(MenusModule &menus, int meal) override;
    bool editStaff(MenusModule &menus, EntryMode mode) override;
};

} // namespace zelvane
