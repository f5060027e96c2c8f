#pragma once

#include "common/Organisation.h"

#include <memory>

namespace zelvane {

class TQVProfile;

// The common library's lifetime: created once before the first window (or command) and destroyed after
// the last one. It fixes BaseDir, imposes the program's number and date conventions, and owns the
// profile and the organisation identity.
class Library
{
public:
    Library();
    ~Library(); // saves the profile
    Library(const Library &) = delete;
    Library &operator=(const Library &) = delete;

    static Library &instance();

    TQVProfile &profile() { return *m_profile; }
    OrganisationIdentity &organisation() { return m_organisation; }

private:
    std::unique_ptr<TQVProfile> m_profile;
    OrganisationIdentity m_organisation;
};

// Makes Qt's own number conversions (spin boxes, validators) use the decimal point without grouping.
// The user's system settings are never touched.
void ApplyRegionalSettings();

// Keyboard layouts are the desktop's business here: a no-op kept for the editors that ask for one.
void SetKeyboardLanguage(const QString &code);

} // namespace zelvane
