#include "db/Module.h"

namespace zelvane {

Module::Module(Tfdb &db)
    : m_db(db)
{
}

Module::~Module() = default;

} // namespace zelvane
