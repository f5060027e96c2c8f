#pragma once

#include <QtGlobal>

namespace zelvane {

struct DocumentSpec;

namespace doc {
inline constexpr qint32 MenuHebdomadaire = 17;
} // namespace doc

// The weekly menu of the menus' tab: printed in French (the first model) or written as a Word document in
// Arabic or French on the period typed, the week of the selected day proposed.
DocumentSpec MenuHebdomadaireDocument();

} // namespace zelvane
