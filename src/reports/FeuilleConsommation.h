#pragma once

#include "print/ReportDocument.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace zelvane {

class Tfdb;
struct DocumentSpec;
struct TDenree;

namespace doc {
inline constexpr qint32 FeuilleMouvementA4 = 2;
inline constexpr qint32 FeuilleMouvementA3 = 3;
inline constexpr qint32 FeuilleGlobalA4 = 4;
inline constexpr qint32 FeuilleGlobalA3 = 5;
} // namespace doc

enum SheetKind { SheetMouvement = 0, SheetGlobal = 1 };
enum SheetPaper { SheetA3 = 3, SheetA4 = 4 };
// The daily consumption sheet ("FEUILLE DE CONSOMMATION JOURNALIERE"): kind 0 lists the articles that had
// stock or movements up to the day, kind 1 every article; paper 4 is A4, 3 is A3. A day is brought into
// the management year first.
ReportDocument MakeFeuilleConsommation(Tfdb &db, const QDate &day, int kind, int paper);

// One line of the consumption sheet: the label (code on two digits at least, "-", designation) and the
// eight figures, separated by "@".
QString LigneFeuille(const TDenree &denree, const QString &designation);

// The lines of the consumption sheet still to print and the running totals of the pages already filled,
// while a sheet is produced.
struct FeuilleState
{
    QStringList pending;
    QStringList carry; // at most one text: eight totals, each followed by "@"
};

// What FillPage writes on one page of the sheet.
struct FeuilleBoxes
{
    QStringList columns[9]; // the label column and the eight figures, one text per line
    QString carried[8];     // the totals carried from the pages before
    QString totals[8];      // the totals up to this page
};

// Fills one page with up to count pending lines (labels cut to width characters), the totals carried
// from the page before (written into carried boxes when withCarried) and the totals up to this page,
// which become the carry.
void FillPage(FeuilleState &state, int width, int count, bool withCarried, FeuilleBoxes &boxes);

// The consumption sheets of the day selected in the main window, printed as soon as they are chosen.
DocumentSpec FeuilleMouvementA4Document();
DocumentSpec FeuilleMouvementA3Document();
DocumentSpec FeuilleGlobalA4Document();
DocumentSpec FeuilleGlobalA3Document();

} // namespace zelvane
