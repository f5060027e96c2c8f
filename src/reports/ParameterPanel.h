#pragma once

#include "reports/ParametresEdition.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace zelvane {

class Tfdb;

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

PanelLayout PanelLayoutOf(qint32 code);

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

// The texts proposed when the parameter page of code opens: the month of today as the period (the week of
// the selected day for the weekly menu), the current article, supplier and invoice, the selected day, today
// as "Fait le", and "*" (every article) for the stock by article.
PanelTexts PanelDefaults(Tfdb &db, qint32 code, const QDate &today);

// Reads the fields that code uses into parameters. Codes that are not numbers read as 0; an empty date
// keeps the previous value, except "Journée"; a date typed that is not a day, or no "Journée", stops the
// print: false, with its reason in refusal, and nothing more is read. "Fait le" is written back as read.
bool ReadPanel(qint32 code, PanelTexts &texts, TParametresEdition &parameters, QString *refusal = nullptr);

} // namespace zelvane
