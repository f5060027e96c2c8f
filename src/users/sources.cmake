zelvane_module(users
    CORE LoginDelays.cpp PasswordHash.cpp UserForms.cpp Users.cpp UsersModule.cpp
    WIDGETS DialogUserForms.cpp LoginWindow.cpp PasswordChangeWindow.cpp UserListWindow.cpp UserWindow.cpp UsersPage.cpp
    DEPENDS db)

find_package(PkgConfig REQUIRED)
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
target_link_libraries(zelvane_users PRIVATE PkgConfig::SODIUM)
