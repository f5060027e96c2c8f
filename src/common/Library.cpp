#include "common/Library.h"

#include "common/Paths.h"
#include "common/Profile.h"

#include <QLocale>

namespace zelvane {

namespace {
Library *g_library = nullptr;
}

Library::Library()
{
    Q_ASSERT_X(!g_library, "Library", "the library is started once");
    g_library = this;
    ApplyRegionalSettings();
    m_profile = std::make_unique<TQVProfile>(BaseDir() + QStringLiteral("/Profile.txt"));
    m_organisation = OrganisationIdentity::load();
}

Library::~Library()
{
    m_profile.reset();
    g_library = nullptr;
}

Library &Library::instance()
{
    Q_ASSERT_X(g_library, "Library::instance", "the library has not been started");
    return *g_library;
}

void ApplyRegionalSettings()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(c);
    SetKeyboardLanguage(QStringLiteral("FR"));
}

void SetKeyboardLanguage(const QString &) {}

} // namespace zelvane
