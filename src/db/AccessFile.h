#pragma once

#include <QString>

namespace zelvane {

// Whether the file starts as an Access database does (Jet 3, Jet 4 or the later ACE format): a management
// file of the former format, which the program imports instead of opening.
bool IsJetFile(const QString &path);

} // namespace zelvane
