#pragma once

#include <QString>

namespace zelvane {

// The proposed name of a new management file in folder: "DOS" + n + "_" + year + ".MDB", n the smallest
// number from 1 that names no existing file.
QString NouveauFichier(const QString &folder, const QString &year);

} // namespace zelvane
