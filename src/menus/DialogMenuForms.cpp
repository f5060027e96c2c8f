#include "menus/DialogMenuForms.h"

#include "menus/MenuDayWindow.h"
#include "menus/MenuTextWindow.h"
#include "menus/StaffWindow.h"

#include <QApplication>

namespace zelvane {

DialogMenuForms::DialogMenuForms()
{
    Form<MenuDayForm>::install(this);
    Form<MenuTextForm>::install(this);
    Form<StaffForm>::install(this);
}

DialogMenuForms::~DialogMenuForms()
{
    Form<MenuDayForm>::uninstall(this);
    Form<MenuTextForm>::uninstall(this);
    Form<StaffForm>::uninstall(this);
}

bool DialogMenuForms::editMenuDay(MenusModule &menus, HeadCountGrid &grid)
{
    TFMenu_effect2 window(menus, grid, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

bool DialogMenuForms::editMenuText(MenusModule &menus, int meal)
{
    TFMenu_menu window(menus, meal, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

bool DialogMenuForms::editStaff(MenusModule &menus, EntryMode)
{
    TFMenu_liste window(menus, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

} // namespace zelvane
