#pragma once

#include "office/ExportResult.h"
#include "print/ReportDocument.h"
#include "reports/ParametresEdition.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace zelvane {

class Tfdb;

namespace doc {
// The code of a separator line of the catalogue; each document's header names its own code.
inline constexpr qint32 Separator = 0;
} // namespace doc

// The fields of the parameter page, in the order the panel holds them.
enum class ParamField { CodeArt, Journee, FaitLe, CodeFour, NumFacture, PeriodeDu, PeriodeAu, Modele };

// What the parameter page of a document shows: its fields top to bottom, where the caret goes, and the
// list of models when the document has one.
struct PanelLayout
{
    QList<ParamField> fields;
    ParamField caret = ParamField::FaitLe;
    QStringList modeles;   // empty: the list keeps what it holds
    int modeleChoice = -1; // the line selected in modeles
};

// The period proposed for a document: the month of today, or the week of the selected day.
enum class DefaultPeriod { Month, Week };

// Makes one printed document from the open file and the print parameters; nothing when the parameters
// name nothing to print (an invoice without lines, a supplier that does not exist).
using DocumentMaker = std::function<std::optional<ReportDocument>(Tfdb &, const TParametresEdition &)>;
// Fills the office template of a document and saves it at outPath, or under a new name in the user's
// documents folder when outPath is empty.
using OfficeMaker = std::function<ExportResult(Tfdb &, const TParametresEdition &, const QString &outPath)>;

// Everything the catalogue, the parameter page, the documents window and the command line know of one
// document. Each document's file gives its own; the catalogue lists them in order.
struct DocumentSpec
{
    qint32 code = doc::Separator;
    QString name;             // shown in the list and as the title of the parameter page
    QString arabicName;       // shown when the list is in Arabic
    bool canteenOnly = false; // listed only by a central canteen
    PanelLayout panel;        // no fields: the document prints as soon as it is chosen
    QList<ParamField> reads;  // the fields a print reads, shown on the page or not
    DefaultPeriod period = DefaultPeriod::Month;
    bool everyArticle = false; // the article box proposes "*", every article
    bool writesFile = false;   // making it writes into the management file
    DocumentMaker print;       // the printed document, when there is one
    OfficeMaker office;        // the office document: the models after the first when it also prints

    bool hasPanel() const { return !panel.fields.isEmpty(); }
    // Whether the line model of the models list makes the office document rather than the printed one.
    bool makesOffice(qint32 model) const { return office && (!print || model > 0); }
};

} // namespace zelvane
