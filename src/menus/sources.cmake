zelvane_module(menus
    CORE MenusModule.cpp WeeklyMenu.cpp WeeklyMenuReport.cpp
    WIDGETS MenusPage.cpp WeeklyMenuWindow.cpp
    DEPENDS db print office)
