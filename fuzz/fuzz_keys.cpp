// The account keys on any text: against a plain computation on 128-bit integers, and CheckRIB against
// the key it computes itself.
#include "suppliers/BankRef.h"

#include <cstdlib>

using namespace zelvane;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool allDigits(const QString &s)
{
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList parts = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size))
                                  .split(QLatin1Char('|'));
    const QString bank = parts.value(0), agency = parts.value(1), account = parts.value(2), key = parts.value(3);

    const QString digits = agency + account;
    const QString bancaire = CleBancaire(digits);
    if (!allDigits(digits)) {
        require(bancaire.isEmpty());
    } else {
        require(bancaire.size() == 2 && bancaire >= QStringLiteral("01") && bancaire <= QStringLiteral("97"));
        if (digits.size() <= 30) {
            unsigned __int128 n = 0;
            for (QChar c : digits)
                n = n * 10 + unsigned(c.unicode() - '0');
            require(bancaire.toInt() == int(97 - (n * 100) % 97));
        }
    }

    const QString ccp = CleCCP(account);
    require(ccp.size() == 2 && allDigits(ccp));

    const QString computed = CleRIB(bank, agency, account);
    const QString message = CheckRIB(bank, agency, key, account);
    if (message.isEmpty())
        require(bank.size() == 3 && agency.size() == 5 && account.size() == 10 && key == computed);
    if (bank.size() == 3 && agency.size() == 5 && account.size() == 10 && !computed.isEmpty())
        require(CheckRIB(bank, agency, computed, account).isEmpty());
    return 0;
}
