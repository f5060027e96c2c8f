#include "common/MontantEnLettres.h"

#include "common/Format.h"

#include <cmath>

namespace zelvane {

namespace {

const char *const kUnitesFR[] = {"",         "UN",     "DEUX",  "TROIS",    "QUATRE",   "CINQ",    "SIX",
                                 "SEPT",     "HUIT",   "NEUF",  "DIX",      "ONZE",     "DOUZE",   "TREIZE",
                                 "QUATORZE", "QUINZE", "SEIZE", "DIX-SEPT", "DIX-HUIT", "DIX-NEUF"};
const char *const kEchellesFR[] = {"", "MILLE", "MILLION", "MILLIARD"};

// The words of a group of one to three digits; empty for zero. Tens carry their leading space.
QString groupWords(const QString &group)
{
    QString words;
    int v = group.toInt();
    if (v >= 100) {
        const int hundreds = v / 100;
        if (hundreds > 1)
            words += QLatin1String(kUnitesFR[hundreds]);
        words += QLatin1String(" CENT");
        if (hundreds > 1)
            words += QLatin1Char('S');
        v %= 100;
    }
    static const std::pair<int, const char *> tens[] = {{80, " QUATRE-VINGTS"}, {60, " SOIXANTE"}, {50, " CINQUANTE"},
                                                        {40, " QUARANTE"},      {30, " TRENTE"},   {20, " VINGT"}};
    for (const auto &[value, word] : tens) {
        if (v >= value) {
            words += QLatin1String(word);
            v -= value;
        }
    }
    if (v >= 1)
        words += QLatin1Char(' ') + QLatin1String(kUnitesFR[v]);
    return words;
}

} // namespace

QString MontantEnLettres(const QString &language, double x)
{
    Q_UNUSED(language) // every caller writes French
    if (!(x >= 0))
        return {};
    return MontantEnLettresFR(x);
}

QString MontantEnLettresFR(double x)
{
    const QString s = FormatMontantSaisie(x).trimmed();
    const QString integer = s.left(s.size() - 3);
    if (!std::isfinite(x) || x < 0 || integer.size() > 12)
        return {};
    const QString ending = QStringLiteral("DA, ") + s.right(2) + QStringLiteral(" CTS");

    QStringList groups; // units first
    for (qsizetype end = integer.size(); end > 0; end -= 3)
        groups.append(integer.mid(qMax<qsizetype>(0, end - 3), end - qMax<qsizetype>(0, end - 3)));
    QString out;
    for (int n = int(groups.size()) - 1; n >= 0; --n) {
        const QString words = groupWords(groups.at(n));
        if (words.isEmpty() && n >= 1)
            continue;
        if (n == 1 && QString(words).remove(QLatin1Char(' ')) == QLatin1String("UN"))
            out += QStringLiteral(" MILLE"); // one thousand is never "UN MILLE"
        else
            out += QLatin1Char(' ') + words + QLatin1Char(' ') + QLatin1String(kEchellesFR[n]);
    }
    if (QString(out).remove(QLatin1Char(' ')).isEmpty())
        return QStringLiteral("ZERO ") + ending;
    return out + ending;
}

} // namespace zelvane
