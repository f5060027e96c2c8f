#pragma once

namespace zelvane {

// Installs Qt's French translations (qtbase_fr) on the running application, so that Qt's own dialogs
// and standard buttons speak the program's language. False when the translations are not installed
// (Debian package qt6-translations-l10n): Qt then keeps its English texts.
bool LoadQtTranslations();

} // namespace zelvane
