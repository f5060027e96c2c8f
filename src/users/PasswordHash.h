#pragma once

#include <QString>

#include <optional>

namespace zelvane {

// Passwords are kept in the management file as salted Argon2id hashes, so that a copy of the file does
// not give them away. Files made before keep them as typed until each user's next successful login.

// The stored form of a password as the user typed it (already trimmed and in capitals); empty stays
// empty, since "no password" is shown and checked as such. Nothing when the hash could not be made
// (memory): the caller must then keep the stored value as it was.
std::optional<QString> HashPassword(const QString &password);
// Whether a stored value is a hash rather than a password kept as typed.
bool IsPasswordHash(const QString &stored);
// Whether the password typed (trimmed and in capitals) is the one stored, in either form.
bool PasswordMatches(const QString &stored, const QString &typed);

} // namespace zelvane
