#pragma once

#include "print/ReportDocument.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace zelvane {

class Tfdb;
struct TDenree;

// The store's daily documents, each produced as a finished document for the documents window, the
// command line and PDF. A day is brought into the management year first.

// Stock of every article at the end of the day ("STOCK DU MAGASIN").
ReportDocument MakeStock(Tfdb &db, const QDate &day);
// Movements per article, day and price over a period ("STOCK PAR ARTICLE"); article 0 for every article.
ReportDocument MakeStockParArticle(Tfdb &db, qint32 article, const QDate &from, const QDate &to, const QDate &madeOn);

enum SheetKind { SheetMouvement = 0, SheetGlobal = 1 };
enum SheetPaper { SheetA3 = 3, SheetA4 = 4 };
// The daily consumption sheet ("FEUILLE DE CONSOMMATION JOURNALIERE"): kind 0 lists the articles that had
// stock or movements up to the day, kind 1 every article; paper 4 is A4, 3 is A3.
ReportDocument MakeFeuilleConsommation(Tfdb &db, const QDate &day, int kind, int paper);
// The day's movements one by one, then its menus and head-counts ("FEUILLE DE CREDENCE"), A4 landscape.
ReportDocument MakeFeuilleCredence(Tfdb &db, const QDate &day, const QDate &madeOn);

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

} // namespace zelvane
