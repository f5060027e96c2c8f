zelvane_module(menus
    CORE DaySummary.cpp DemoMenus.cpp HeadCountGrid.cpp Historique.cpp ListeCategories.cpp MenuEntries.cpp MenuJour.cpp
         MenusModule.cpp
    WIDGETS DialogMenuForms.cpp HistoryPage.cpp MenuDayWindow.cpp MenusPage.cpp MenuTextWindow.cpp StaffWindow.cpp
    DEPENDS db stock)
# The history's chart of the year.
target_link_libraries(zelvane_menus_widgets PUBLIC Qt6::Charts)
