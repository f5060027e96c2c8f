#pragma once

#include <memory>
#include <vector>

namespace zelvane {

class Frame;
class Page;
class Tfdb;

// The pages of the main window, in the order of their tabs; one line per subsystem.
std::vector<std::unique_ptr<Page>> CreatePages(Tfdb &db, Frame &frame);

} // namespace zelvane
