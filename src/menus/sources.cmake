zelvane_module(menus
    CORE DaySummary.cpp DemoMenus.cpp HeadCountGrid.cpp Historique.cpp ListeCategories.cpp MenuEntries.cpp MenuJour.cpp
         MenusModule.cpp
    WIDGETS MenusPage.cpp
    DEPENDS db stock)
