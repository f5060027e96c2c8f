#include "reports/ParameterPanel.h"

#include "common/Dates.h"
#include "common/Format.h"
#include "db/DataModule.h"

namespace zelvane {

namespace {

using F = ParamField;

// The value of field in the current row of table, empty when there is none to read.
QString currentValue(const Tfdb &db, const QString &table, const QString &field)
{
    for (const Dataset *dataset : db.datasets()) {
        if (dataset->tableName() == table)
            return dataset->isEmpty() ? QString() : dataset->value(field).toString();
    }
    return {};
}

qint32 codeOf(const QString &text) { return qint32(ParseInteger(text).value_or(0)); }

// Reads a day typed in the box captioned caption; a text that is not a day is refused with its reason.
bool readDate(const char *caption, const QString &text, QDate &date, QString *refusal)
{
    if (const std::optional<QDate> read = ParseDate(text)) {
        date = *read;
        return true;
    }
    const QString why = DateRefusal(QString::fromUtf8(caption), text);
    if (refusal)
        *refusal = why;
    return why.isEmpty();
}

} // namespace

std::pair<QDate, QDate> ProposedPeriod(const DocumentSpec &document, const QDate &today, const QDate &selectedDay)
{
    if (document.period == DefaultPeriod::Week)
        return {WeekStart(selectedDay), WeekEnd(selectedDay)};
    return {FirstDayOfMonth(today), LastDayOfMonth(today)};
}

PanelTexts PanelDefaults(Tfdb &db, const DocumentSpec &document, const QDate &today)
{
    PanelTexts texts;
    const auto [from, to] = ProposedPeriod(document, today, db.selectedDay());
    texts.periodeDu = DateText(from);
    texts.periodeAu = DateText(to);
    texts.codeArt = document.everyArticle ? QStringLiteral("*")
                                          : currentValue(db, QStringLiteral("ARTICLES"), QStringLiteral("CODE_ART"));
    texts.codeFour = currentValue(db, QStringLiteral("fournisseur"), QStringLiteral("code_four"));
    texts.numFacture = currentValue(db, QStringLiteral("FACTURES"), QStringLiteral("NUM_FACTURE"));
    texts.journee = DateText(db.selectedDay());
    texts.faitLe = DateText(today);
    texts.modele = document.panel.modeleChoice;
    return texts;
}

bool ReadPanel(const DocumentSpec &document, PanelTexts &texts, TParametresEdition &parameters, QString *refusal)
{
    parameters.Nature = document.code;
    const auto reads = [&document](ParamField field) { return document.reads.contains(field); };
    if (reads(F::CodeArt))
        parameters.CodeArt = codeOf(texts.codeArt);
    if (reads(F::CodeFour))
        parameters.CodeFour = codeOf(texts.codeFour);
    if (reads(F::NumFacture))
        parameters.NumFacture = codeOf(texts.numFacture);
    if (reads(F::Modele))
        parameters.Modele = texts.modele;
    // The dates in this order, the first refused stopping the print. The day of a statement or of a sheet
    // cannot be left out.
    if (reads(F::Journee)) {
        if (texts.journee.trimmed().isEmpty()) {
            if (refusal)
                *refusal = QStringLiteral("Journée : tapez le jour (jj/mm/aaaa).");
            return false;
        }
        if (!readDate("Journée", texts.journee, parameters.Journee, refusal))
            return false;
    }
    if (reads(F::PeriodeDu) && !readDate("Période du", texts.periodeDu, parameters.PeriodeDu, refusal))
        return false;
    if (reads(F::PeriodeAu) && !readDate("au", texts.periodeAu, parameters.PeriodeAu, refusal))
        return false;
    if (reads(F::FaitLe)) {
        if (!readDate("Fait le", texts.faitLe, parameters.FaitLe, refusal))
            return false;
        texts.faitLe = DateText(parameters.FaitLe);
    }
    return true;
}

} // namespace zelvane
