#include "users/PasswordHash.h"

#include <sodium.h>

namespace zelvane {

namespace {

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

std::optional<QString> HashPassword(const QString &password)
{
    if (password.isEmpty())
        return QString();
    if (!sodiumReady())
        return std::nullopt;
    const QByteArray utf8 = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, utf8.constData(), quint64(utf8.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return std::nullopt;
    return QString::fromLatin1(hash);
}

bool IsPasswordHash(const QString &stored) { return stored.startsWith(QLatin1String("$argon2id$")); }

bool PasswordMatches(const QString &stored, const QString &typed)
{
    if (!IsPasswordHash(stored))
        return stored == typed;
    if (!sodiumReady())
        return false;
    const QByteArray hash = stored.toLatin1();
    const QByteArray utf8 = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(), quint64(utf8.size())) == 0;
}

} // namespace zelvane
