#pragma once

#include "db/Module.h"

namespace zelvane {

class Dataset;

// The menus of the days, their head-counts per category and their dish lists.
class MenusModule : public Module
{
    Q_OBJECT

public:
    explicit MenusModule(Tfdb &db);

    Dataset *const db_categories;
    Dataset *const db_menu_menu;
    Dataset *const db_menu_effect;
    Dataset *const db_menu_liste;
};

} // namespace zelvane
