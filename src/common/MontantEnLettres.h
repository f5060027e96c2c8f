#pragma once

#include <QString>

namespace zelvane {

// A non-negative amount of dinars in capital French words, the centimes in figures: 1234.56 gives
// " MILLE DEUX CENTS TRENTE QUATRE DA, 56 CTS". The runs of spaces are part of the text that invoices print.
// Empty for a negative amount, and for 10^12 and more, which no scale word covers.
QString MontantEnLettres(const QString &language, double x);
QString MontantEnLettresFR(double x);

} // namespace zelvane
