#include "app/Pages.h"

#include "menus/HistoryPage.h"
#include "menus/MenusPage.h"
#include "reports/ReportsPage.h"
#include "stock/StockPage.h"
#include "suppliers/SuppliersPage.h"
#include "users/UsersPage.h"
#include "years/DbPage.h"
#include "years/JournalPage.h"

namespace zelvane {

std::vector<std::unique_ptr<Page>> CreatePages(Tfdb &db, Frame &frame)
{
    std::vector<std::unique_ptr<Page>> pages;
    pages.push_back(std::make_unique<StockPage>(db, frame));
    pages.push_back(std::make_unique<MenusPage>(db, frame));
    pages.push_back(std::make_unique<StoreHistoryPage>(db, frame));
    pages.push_back(std::make_unique<SuppliersPage>(db, frame));
    pages.push_back(std::make_unique<DbPage>(db, frame));
    pages.push_back(std::make_unique<UsersPage>(db, frame));
    pages.push_back(std::make_unique<JournalPage>(db, frame));
    pages.push_back(std::make_unique<ReportsPage>(db, frame));
    return pages;
}

} // namespace zelvane
