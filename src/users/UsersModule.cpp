#include "users/UsersModule.h"

#include "users/Users.h"

namespace zelvane {

UsersModule::UsersModule(Tfdb &db)
    : Module(db)
{
    InstallUsersCheck(db);
}

} // namespace zelvane
