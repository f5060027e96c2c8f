zelvane_module(suppliers
    CORE SuppliersModule.cpp
    WIDGETS SuppliersPage.cpp
    DEPENDS db)
