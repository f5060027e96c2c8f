#include "menus/MenusModule.h"

#include "db/DataModule.h"

namespace zelvane {

MenusModule::MenusModule(Tfdb &db)
    : Module(db)
    , db_categories(db.addDataset(QStringLiteral("categories"), QStringLiteral("code_categ")))
    , db_menu_menu(db.addDataset(QStringLiteral("menu_menu"), QStringLiteral("date_menu")))
    , db_menu_effect(db.addDataset(QStringLiteral("menu_effect"), QStringLiteral("date_menu;code_categ")))
    , db_menu_liste(db.addDataset(QStringLiteral("menu_liste"), QStringLiteral("date_menu;code_categ;num_ord")))
{
}

} // namespace zelvane
