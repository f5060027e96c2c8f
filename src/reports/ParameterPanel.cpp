#include "reports/ParameterPanel.h"

#include "common/Dates.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "reports/Catalogue.h"

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

PanelLayout PanelLayoutOf(qint32 code)
{
    switch (code) {
    case doc::FeuilleCredence:
        return {{F::FaitLe}, F::FaitLe, {}, -1};
    case doc::Facture:
        return {{F::CodeFour, F::NumFacture, F::FaitLe, F::Modele},
                F::NumFacture,
                {QStringLiteral("Facture 1er Modèle (Qr)"), QStringLiteral("Facture 2em Modèle (Excel)")},
                -1};
    case doc::EtatDepenses:
        return {{F::PeriodeDu, F::PeriodeAu, F::FaitLe}, F::PeriodeDu, {}, -1};
    case doc::StockParArticle:
        return {{F::CodeArt, F::PeriodeDu, F::PeriodeAu, F::FaitLe}, F::CodeArt, {}, -1};
    case doc::EtatMensuel:
    case doc::DepensesMensuelles:
    case doc::FicheMensuelleAR:
        return {{F::Journee}, F::Journee, {}, -1};
    case doc::MenuHebdomadaire:
        return {{F::PeriodeDu, F::PeriodeAu, F::Modele},
                F::PeriodeDu,
                {QStringLiteral("MENU HEBDOMADAIRE EN FRANCAIS"), QStringLiteral("MENU HEBDOMADAIRE EN ARABE (Word)"),
                 QStringLiteral("MENU HEBDOMADAIRE EN FRANCAIS (Word)")},
                0};
    case doc::FicheFournisseur:
        return {{F::CodeFour, F::PeriodeDu, F::PeriodeAu}, F::CodeFour, {}, -1};
    default:
        return {};
    }
}

PanelTexts PanelDefaults(Tfdb &db, qint32 code, const QDate &today)
{
    PanelTexts texts;
    texts.periodeDu = DateText(FirstDayOfMonth(today));
    texts.periodeAu = DateText(LastDayOfMonth(today));
    texts.codeArt = currentValue(db, QStringLiteral("ARTICLES"), QStringLiteral("CODE_ART"));
    texts.codeFour = currentValue(db, QStringLiteral("fournisseur"), QStringLiteral("code_four"));
    texts.numFacture = currentValue(db, QStringLiteral("FACTURES"), QStringLiteral("NUM_FACTURE"));
    texts.journee = DateText(db.selectedDay());
    texts.faitLe = DateText(today);
    texts.modele = PanelLayoutOf(code).modeleChoice;
    if (code == doc::StockParArticle)
        texts.codeArt = QStringLiteral("*");
    if (code == doc::MenuHebdomadaire) {
        texts.periodeDu = DateText(WeekStart(db.selectedDay()));
        texts.periodeAu = DateText(WeekEnd(db.selectedDay()));
    }
    return texts;
}

bool ReadPanel(qint32 code, PanelTexts &texts, TParametresEdition &parameters, QString *refusal)
{
    parameters.Nature = code;
    const auto period = [&] {
        return readDate("Période du", texts.periodeDu, parameters.PeriodeDu, refusal)
               && readDate("au", texts.periodeAu, parameters.PeriodeAu, refusal);
    };
    const auto faitLe = [&] {
        if (!readDate("Fait le", texts.faitLe, parameters.FaitLe, refusal))
            return false;
        texts.faitLe = DateText(parameters.FaitLe);
        return true;
    };
    // The day of a statement or of a sheet cannot be left out.
    const auto journee = [&] {
        if (texts.journee.trimmed().isEmpty()) {
            if (refusal)
                *refusal = QStringLiteral("Journée : tapez le jour (jj/mm/aaaa).");
            return false;
        }
        return readDate("Journée", texts.journee, parameters.Journee, refusal);
    };
    switch (code) {
    case doc::FeuilleCredence:
        parameters.CodeArt = codeOf(texts.codeArt);
        return journee() && faitLe();
    case doc::Facture:
    case doc::FicheFournisseur:
        parameters.CodeFour = codeOf(texts.codeFour);
        parameters.NumFacture = codeOf(texts.numFacture);
        parameters.Modele = texts.modele;
        return period() && faitLe();
    case doc::EtatDepenses:
        return period() && faitLe();
    case doc::StockParArticle:
        parameters.CodeArt = codeOf(texts.codeArt);
        return period() && faitLe();
    case doc::EtatMensuel:
    case doc::DepensesMensuelles:
    case doc::FicheMensuelleAR:
        return journee();
    case doc::MenuHebdomadaire:
        parameters.Modele = texts.modele;
        return period();
    default:
        return true;
    }
}

} // namespace zelvane
