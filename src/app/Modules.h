#pragma once

namespace zelvane {

class Tfdb;

// Adds the module of every subsystem to db, in the order the opening visits their datasets.
void InstallModules(Tfdb &db);

} // namespace zelvane
