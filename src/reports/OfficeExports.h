#pragma once

#include "office/ExportResult.h"

#include <QDate>
#include <QString>
#include <functional>

namespace zelvane {

class Tfdb;
class TListeDenrees;
struct DayPanel;
struct DocumentSpec;

namespace doc {
inline constexpr qint32 FeuilleGlobalA3Excel = 6;
inline constexpr qint32 FeuilleCantine = 8;
inline constexpr qint32 BonSortieCantine = 9;
} // namespace doc

// Each export fills its template of the modeles folder and saves the new document at outPath, or, when
// outPath is empty, under a new name in the user's documents folder. The template is only read.

// "FEUILLE CONSOMMATION JOURNALIERE" (A3) of liste's day: every article with its figures, the day's
// head-counts and menus; the creche layout for organisation type 3.
ExportResult ExportFeuilleConsommationA3(Tfdb &db, const TListeDenrees &liste, const DayPanel &day,
                                         const QString &outPath = {});
// "FEUILLE JOURNALIERE DE CANTINE": one line per exit movement of the day, head-counts and expenses.
ExportResult ExportFeuilleCantine(Tfdb &db, const QDate &day, const DayPanel &figures, const QString &outPath = {});
// "BON DE SORTIE CANTINE": one line per exit movement of the day.
ExportResult ExportBonSortieCantine(Tfdb &db, const QDate &day, const QString &outPath = {});

// The name of the bank of a bank code in the bank referential; empty when the bank is unknown.
using BankNameLookup = std::function<QString(const QString &bankCode)>;

// The purchase invoice, second model, of supplier codeFour's invoice numFacture: its entries over the
// invoice's period in pages of 24 lines with the amounts carried and brought forward, the totals with TVA
// and the amount in words. Nothing for a code or number 0 or an invoice without lines.
ExportResult ExportFacture(Tfdb &db, qint32 codeFour, qint32 numFacture, const QDate &faitLe,
                           const BankNameLookup &bankName, const QString &outPath = {});

// The spreadsheets of the day selected in the main window, written as soon as they are chosen: the A3
// consumption sheet, and the canteen's daily sheet and issue note, which only central canteens list.
DocumentSpec FeuilleGlobalA3ExcelDocument();
DocumentSpec FeuilleCantineDocument();
DocumentSpec BonSortieCantineDocument();

} // namespace zelvane
