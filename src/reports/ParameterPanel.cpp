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

void readDate(const QString &text, QDate &date)
{
    if (const std::optional<QDate> read = ParseDate(text))
        date = *read;
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

bool ReadPanel(qint32 code, PanelTexts &texts, TParametresEdition &parameters)
{
    parameters.Nature = code;
    auto readFaitLe = [&] {
        readDate(texts.faitLe, parameters.FaitLe);
        texts.faitLe = DateText(parameters.FaitLe);
    };
    switch (code) {
    case doc::FeuilleCredence: {
        parameters.CodeArt = codeOf(texts.codeArt);
        const std::optional<QDate> day = ParseDate(texts.journee);
        if (!day)
            return false;
        parameters.Journee = *day;
        readFaitLe();
        break;
    }
    case doc::Facture:
    case doc::FicheFournisseur:
        parameters.CodeFour = codeOf(texts.codeFour);
        parameters.NumFacture = codeOf(texts.numFacture);
        readDate(texts.periodeDu, parameters.PeriodeDu);
        readDate(texts.periodeAu, parameters.PeriodeAu);
        readFaitLe();
        parameters.Modele = texts.modele;
        break;
    case doc::EtatDepenses:
        readDate(texts.periodeDu, parameters.PeriodeDu);
        readDate(texts.periodeAu, parameters.PeriodeAu);
        readFaitLe();
        break;
    case doc::StockParArticle:
        parameters.CodeArt = codeOf(texts.codeArt);
        readDate(texts.periodeDu, parameters.PeriodeDu);
        readDate(texts.periodeAu, parameters.PeriodeAu);
        readFaitLe();
        break;
    case doc::EtatMensuel:
    case doc::DepensesMensuelles:
    case doc::FicheMensuelleAR: {
        const std::optional<QDate> day = ParseDate(texts.journee);
        if (!day)
            return false;
        parameters.Journee = *day;
        break;
    }
    case doc::MenuHebdomadaire:
        readDate(texts.periodeDu, parameters.PeriodeDu);
        readDate(texts.periodeAu, parameters.PeriodeAu);
        parameters.Modele = texts.modele;
        break;
    default:
        break;
    }
    return true;
}

} // namespace zelvane
