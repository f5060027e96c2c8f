#pragma once

#include <QDate>

namespace zelvane {

// The parameters of a print. The reports page keeps one record for the whole run of the program, so that
// each print starts from the values of the previous one; only the fields of the document printed are read.
struct TParametresEdition
{
    qint32 Nature = 0; // the code of the document printed
    qint32 CodeArt = 0;
    qint32 CodeFour = 0;
    qint32 NumFacture = 0;
    QDate Journee;
    QDate PeriodeDu;
    QDate PeriodeAu;
    QDate FaitLe;
    qint32 Modele = -1; // the line chosen in the list of models, -1 for none
};

} // namespace zelvane
