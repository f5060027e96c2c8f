#include "app/Modules.h"

#include "db/DataModule.h"
#include "menus/MenusModule.h"
#include "reports/ReportsModule.h"
#include "stock/StockModule.h"
#include "suppliers/SuppliersModule.h"
#include "users/UsersModule.h"

namespace zelvane {

void InstallModules(Tfdb &db)
{
    db.addModule(std::make_unique<StockModule>(db));
    db.addModule(std::make_unique<SuppliersModule>(db));
    db.addModule(std::make_unique<ReportsModule>(db));
    db.addModule(std::make_unique<MenusModule>(db));
    db.addModule(std::make_unique<UsersModule>(db));
}

} // namespace zelvane
