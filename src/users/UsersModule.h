#pragma once

#include "db/Module.h"

namespace zelvane {

// The users of a file: makes the login the users check of every opening.
class UsersModule : public Module
{
    Q_OBJECT

public:
    explicit UsersModule(Tfdb &db);
};

} // namespace zelvane
