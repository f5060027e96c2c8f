zelvane_module(menus
    CORE MenusModule.cpp WeeklyMenu.cpp
    WIDGETS MenusPage.cpp WeeklyMenuWindow.cpp
    DEPENDS db office)
