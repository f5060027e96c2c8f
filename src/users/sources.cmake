zelvane_module(users
    CORE UserForms.cpp Users.cpp UsersModule.cpp
    WIDGETS PasswordDialogs.cpp UsersPage.cpp
    DEPENDS db)
