zelvane_module(menus
    CORE MenusModule.cpp
    WIDGETS MenusPage.cpp
    DEPENDS db)
