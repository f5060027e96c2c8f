#pragma once

#include "reports/DocumentSpec.h"

#include <QDate>
#include <QString>
#include <utility>

namespace zelvane {

class Tfdb;

// The texts of the parameter fields, as typed.
struct PanelTexts
{
    QString codeArt;
    QString journee;
    QString faitLe;
    QString codeFour;
    QString numFacture;
    QString periodeDu;
    QString periodeAu;
    int modele = -1; // the selected line of the models, -1 for none
};

// The period proposed for document: the month of today, or the week (Sunday to Saturday) of selectedDay.
std::pair<QDate, QDate> ProposedPeriod(const DocumentSpec &document, const QDate &today, const QDate &selectedDay);

// The texts proposed when the parameter page of document opens: its proposed period, the current article,
// supplier and invoice ("*", every article, when the document proposes it), the selected day, today as
// "Fait le", and the document's model.
PanelTexts PanelDefaults(Tfdb &db, const DocumentSpec &document, const QDate &today);

// Reads the fields that document reads into parameters. Codes that are not numbers read as 0; an empty
// date keeps the previous value, except "Journée"; a date typed that is not a day, or no "Journée", stops
// the print: false, with its reason in refusal, and nothing more is read. "Fait le" is written back as read.
bool ReadPanel(const DocumentSpec &document, PanelTexts &texts, TParametresEdition &parameters,
               QString *refusal = nullptr);

} // namespace zelvane
