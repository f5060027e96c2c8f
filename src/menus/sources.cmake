zelvane_module(menus
    CORE DaySummary.cpp DemoMenus.cpp HeadCountGrid.cpp Historique.cpp ListeCategories.cpp MenuEntries.cpp MenuJour.cpp
         MenusModule.cpp WeeklyMenu.cpp WeeklyMenuReport.cpp
    WIDGETS DialogMenuForms.cpp HistoryPage.cpp MenuDayWindow.cpp MenusPage.cpp MenuTextWindow.cpp StaffWindow.cpp
            WeeklyMenuWindow.cpp
    DEPENDS db stock print office)
# The history's chart of the year.
target_link_libraries(zelvane_menus_widgets PUBLIC Qt6::Charts)
