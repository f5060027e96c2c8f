#pragma once

#include <QString>

// The names of the columns of the tables as the code reads and writes them through the datasets and
// queries, one constant per column and a namespace per table, so that a column's users are found by name.
namespace zelvane::col {

// The articles of the store.
namespace articles {
inline const QString CodeArt = QStringLiteral("CODE_ART");
inline const QString Designation = QStringLiteral("DESIGNATION");
inline const QString Pu = QStringLiteral("PU");
inline const QString CodeFour = QStringLiteral("CODE_FOUR");
inline const QString Qt31Dec = QStringLiteral("QT31DEC");
inline const QString Pu31Dec = QStringLiteral("PU31DEC");
// The article's code and designation in one text, a field of the articles' dataset.
inline const QString ArtLib = QStringLiteral("ART_LIB");
} // namespace articles

// The movements of the store.
namespace stock {
inline const QString NumMvt = QStringLiteral("NUM_MVT");
inline const QString CodeArt = QStringLiteral("CODE_ART");
inline const QString NatOp = QStringLiteral("NAT_OP");
inline const QString DateOp = QStringLiteral("DATE_OP");
inline const QString Quantite = QStringLiteral("QUANTITE");
inline const QString Pu = QStringLiteral("PU");
inline const QString CodeFour = QStringLiteral("CODE_FOUR");
inline const QString NumBc = QStringLiteral("NUM_BC");
inline const QString DateBc = QStringLiteral("DATE_BC");
inline const QString NumBl = QStringLiteral("NUM_BL");
inline const QString DateBl = QStringLiteral("DATE_BL");
inline const QString Obs = QStringLiteral("OBS");
} // namespace stock

} // namespace zelvane::col
