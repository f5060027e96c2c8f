#include "TestHome.h"
#include "common/Dates.h"
#include "common/Format.h"
#include "reports/Catalogue.h"
#include "reports/ParameterPanel.h"

#include <QtTest>

using namespace zelvane;

Q_DECLARE_METATYPE(zelvane::ParamField)

namespace {

const DocumentSpec &documentOf(qint32 code)
{
    const DocumentSpec *document = FindDocument(AllDocuments(), code);
    if (!document)
        qFatal("no document %d", code);
    return *document;
}

} // namespace

// The documents of the catalogue, the parameter page of each and the reading of its fields.
class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void listsTheDocumentsOfTheEstablishment_data()
    {
        QTest::addColumn<int>("organisme");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("documents");
        QTest::newRow("central canteen") << 4 << 24 << 18;
        QTest::newRow("middle school") << 2 << 21 << 16;
        QTest::newRow("not prepared") << 0 << 21 << 16;
    }
    void listsTheDocumentsOfTheEstablishment()
    {
        QFETCH(int, organisme);
        const QList<DocumentSpec> entries = BuildCatalogue(organisme);
        const QStringList lines = CatalogueLines(entries);
        QTEST(int(lines.size()), "lines");
        const QString separator(100, QLatin1Char('-'));
        QTEST(int(lines.size() - lines.count(separator)), "documents");
        QCOMPARE(lines.at(0), QStringLiteral("01 - Stock"));
        QCOMPARE(lines.at(1), QStringLiteral("02 - Stock par Article"));
        QCOMPARE(lines.at(2), separator);
        QCOMPARE(lines.at(7), QStringLiteral("07 - Feuille de Cons. Journal.Global (A3)(Excel)"));
        QFETCH(int, documents);
        QCOMPARE(lines.last(), QStringLiteral("%1 - Liste des Fournisseurs").arg(documents));
        const bool canteen = organisme == 4;
        QCOMPARE(lines.contains(QStringLiteral("09 - Bon de Sortie Cantine (A4)(Excel)")), canteen);
        QCOMPARE(lines.at(canteen ? 12 : 9),
                 QStringLiteral("%1 - Feuille de Crédence (Magasin/Cuisine)").arg(canteen ? "10" : "08"));
        QCOMPARE(lines.contains(QStringLiteral("%1 - بطاقة متابعة الوجبات الغذائية لشهر").arg(canteen ? 13 : 11)),
                 true);
        // Separators, then the documents with a parameter page.
        QList<qint32> codes;
        for (const DocumentSpec &entry : entries)
            codes.append(entry.code);
        const QList<qint32> expected = canteen ? QList<qint32>{1, 13, 0,  2,  3, 4,  5,  6, 0,  8, 9,  0,
                                                               7, 14, 15, 16, 0, 10, 11, 0, 17, 0, 18, 12}
                                               : QList<qint32>{1,  13, 0, 2,  3,  4, 5,  6, 0,  7, 14,
                                                               15, 16, 0, 10, 11, 0, 17, 0, 18, 12};
        QCOMPARE(codes, expected);
        // The others print as soon as they are chosen.
        const QList<qint32> withoutPanel{0, 1, 2, 3, 4, 5, 6, 8, 9, 12};
        for (const DocumentSpec &entry : entries)
            QCOMPARE(entry.hasPanel(), !withoutPanel.contains(entry.code));
    }

    // Each document has a code of its own and something to make; every box of its page is read when it
    // prints, the caret is on one of them, and a list of models goes with the box of the model.
    void everyDocumentIsComplete()
    {
        QList<qint32> codes;
        for (const DocumentSpec &document : AllDocuments()) {
            if (document.code == doc::Separator)
                continue;
            const QByteArray name = document.name.toUtf8();
            QVERIFY2(!codes.contains(document.code), name.constData());
            codes.append(document.code);
            QVERIFY2(!document.name.isEmpty() && (document.print || document.office), name.constData());
            for (ParamField field : document.panel.fields)
                QVERIFY2(document.reads.contains(field), name.constData());
            QVERIFY2(!document.hasPanel() || document.panel.fields.contains(document.panel.caret), name.constData());
            QCOMPARE(document.panel.fields.contains(ParamField::Modele), !document.panel.modeles.isEmpty());
            // The first model prints, the others are the office document.
            if (document.print && document.office)
                QVERIFY2(document.panel.modeles.size() >= 2, name.constData());
        }
    }

    // The model chosen makes the printed document or the office one.
    void printedOrOfficeDocument_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("office");
        QTest::newRow("stock") << 1 << -1 << false;
        QTest::newRow("A3 sheet (Excel)") << 6 << -1 << true;
        QTest::newRow("canteen issue note") << 9 << -1 << true;
        QTest::newRow("invoice, no model chosen") << 10 << -1 << false;
        QTest::newRow("invoice, first model") << 10 << 0 << false;
        QTest::newRow("invoice, second model") << 10 << 1 << true;
        QTest::newRow("monthly statement") << 14 << 1 << false;
        QTest::newRow("weekly menu in French") << 17 << 0 << false;
        QTest::newRow("weekly menu in Arabic (Word)") << 17 << 1 << true;
        QTest::newRow("weekly menu in French (Word)") << 17 << 2 << true;
    }
    void printedOrOfficeDocument()
    {
        QFETCH(int, code);
        QFETCH(int, model);
        QTEST(documentOf(code).makesOffice(model), "office");
    }

    void panelOfEachDocument_data()
    {
        using F = ParamField;
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<ParamField>>("fields");
        QTest::addColumn<ParamField>("caret");
        QTest::addColumn<QStringList>("models");
        QTest::addColumn<int>("model");
        QTest::newRow("crédence") << 7 << QList<F>{F::FaitLe} << F::FaitLe << QStringList() << -1;
        QTest::newRow("invoice") << 10 << QList<F>{F::CodeFour, F::NumFacture, F::FaitLe, F::Modele} << F::NumFacture
                                 << QStringList{"Facture 1er Modèle (Qr)", "Facture 2em Modèle (Excel)"} << -1;
        QTest::newRow("expenses") << 11 << QList<F>{F::PeriodeDu, F::PeriodeAu, F::FaitLe} << F::PeriodeDu
                                  << QStringList() << -1;
        QTest::newRow("stock by article")
            << 13 << QList<F>{F::CodeArt, F::PeriodeDu, F::PeriodeAu, F::FaitLe} << F::CodeArt << QStringList() << -1;
        QTest::newRow("monthly statement") << 15 << QList<F>{F::Journee} << F::Journee << QStringList() << -1;
        QTest::newRow("weekly menu") << 17 << QList<F>{F::PeriodeDu, F::PeriodeAu, F::Modele} << F::PeriodeDu
                                     << QStringList{"MENU HEBDOMADAIRE EN FRANCAIS",
                                                    "MENU HEBDOMADAIRE EN ARABE (Word)",
                                                    "MENU HEBDOMADAIRE EN FRANCAIS (Word)"}
                                     << 0;
        QTest::newRow("supplier sheet") << 18 << QList<F>{F::CodeFour, F::PeriodeDu, F::PeriodeAu} << F::CodeFour
                                        << QStringList() << -1;
    }
    void panelOfEachDocument()
    {
        QFETCH(int, code);
        const PanelLayout layout = documentOf(code).panel;
        QTEST(layout.fields, "fields");
        QTEST(layout.caret, "caret");
        QTEST(layout.modeles, "models");
        QTEST(layout.modeleChoice, "model");
    }

    void defaultsOfTheParameterPage()
    {
        TestHome home;
        auto db = home.openPrepared(2, 2010);
        QVERIFY(db);
        db->startSession(QDate(2010, 3, 10)); // a Wednesday
        const QDate today(2026, 12, 10);
        const PanelTexts stock = PanelDefaults(*db, documentOf(13), today);
        QCOMPARE(stock.codeArt, QStringLiteral("*"));
        QCOMPARE(stock.periodeDu, QStringLiteral("01/12/2026"));
        QCOMPARE(stock.periodeAu, QStringLiteral("31/12/2026"));
        QCOMPARE(stock.faitLe, QStringLiteral("10/12/2026"));
        QCOMPARE(stock.journee, QStringLiteral("10/03/2010"));
        const PanelTexts statement = PanelDefaults(*db, documentOf(14), today);
        QVERIFY(!statement.codeArt.isEmpty()); // the current article
        QCOMPARE(statement.codeArt, ScalarSql(db->database(), "select min(CODE_ART) from ARTICLES").toString());
        QCOMPARE(statement.codeFour, QString()); // no supplier yet
        QCOMPARE(statement.numFacture, QString());
        const PanelTexts menu = PanelDefaults(*db, documentOf(17), today);
        QCOMPARE(menu.periodeDu, QStringLiteral("07/03/2010"));
        QCOMPARE(menu.periodeAu, QStringLiteral("13/03/2010"));
        QCOMPARE(menu.modele, 0);
        QCOMPARE(PanelDefaults(*db, documentOf(10), today).modele, -1);
    }

    void readsTheFieldsOfTheDocument_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("journee");
        QTest::addColumn<QString>("periodeDu");
        QTest::addColumn<QString>("faitLe");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<QDate>("journeeRead");
        QTest::addColumn<QDate>("periodeDuRead");
        QTest::addColumn<QDate>("faitLeRead");
        QTest::addColumn<int>("numberRead");
        const QDate before(2009, 1, 1);
        QTest::newRow("statement of a day") << 14 << "15/03/2010"
                                            << "x"
                                            << "x"
                                            << "x" << true << QDate(2010, 3, 15) << before << before << 7;
        QTest::newRow("day that is no day stops") << 14 << "32/01/2010"
                                                  << ""
                                                  << ""
                                                  << "" << false << before << before << before << 7;
        QTest::newRow("crédence without a day stops") << 7 << ""
                                                      << ""
                                                      << "02/02/2010"
                                                      << "" << false << before << before << before << 0;
        QTest::newRow("crédence") << 7 << "3/2/2010"
                                  << ""
                                  << "1/2/2010"
                                  << "abc" << true << QDate(2010, 2, 3) << before << QDate(2010, 2, 1) << 0;
        QTest::newRow("a date typed that is no day stops") << 13 << "x"
                                                           << "31/02/2010"
                                                           << "hier"
                                                           << "*" << false << before << before << before << 0;
        QTest::newRow("empty dates keep their value") << 13 << "x"
                                                      << ""
                                                      << ""
                                                      << "*" << true << before << before << before << 0;
        QTest::newRow("stock of one article")
            << 13 << "x"
            << "01/03/2010"
            << "05/03/2010"
            << "101" << true << before << QDate(2010, 3, 1) << QDate(2010, 3, 5) << 101;
        QTest::newRow("invoice") << 10 << "x"
                                 << "01/03/2010"
                                 << "05/03/2010"
                                 << "12" << true << before << QDate(2010, 3, 1) << QDate(2010, 3, 5) << 12;
        QTest::newRow("a document without fields reads none") << 1 << "x"
                                                              << "01/03/2010"
                                                              << "05/03/2010"
                                                              << "12" << true << before << before << before << 7;
    }
    // A print stopped by a date says why.
    void refusedDatesSayWhy_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("journee");
        QTest::addColumn<QString>("periodeDu");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("statement on 31/02") << 14 << "31/02/2010"
                                            << ""
                                            << "Journée : le 31/02/2010 n'existe pas.";
        QTest::newRow("statement without a day") << 14 << " "
                                                 << ""
                                                 << "Journée : tapez le jour (jj/mm/aaaa).";
        QTest::newRow("period on 31/02") << 11 << ""
                                         << "31/02/2010"
                                         << "Période du : le 31/02/2010 n'existe pas.";
        QTest::newRow("period cut short") << 11 << ""
                                          << "3/2010"
                                          << "Période du : « 3/2010 » n'est pas une date (jj/mm/aaaa).";
    }
    void refusedDatesSayWhy()
    {
        QFETCH(int, code);
        PanelTexts texts;
        QFETCH(QString, journee);
        QFETCH(QString, periodeDu);
        texts.journee = journee;
        texts.periodeDu = texts.periodeAu = periodeDu;
        TParametresEdition parameters;
        QString refusal;
        QVERIFY(!ReadPanel(documentOf(code), texts, parameters, &refusal));
        QTEST(refusal, "refusal");
    }

    void readsTheFieldsOfTheDocument()
    {
        QFETCH(int, code);
        const QDate before(2009, 1, 1);
        TParametresEdition parameters;
        parameters.Journee = parameters.PeriodeDu = parameters.PeriodeAu = parameters.FaitLe = before;
        parameters.CodeArt = parameters.CodeFour = parameters.NumFacture = 7;
        PanelTexts texts;
        QFETCH(QString, number);
        QFETCH(QString, journee);
        QFETCH(QString, periodeDu);
        QFETCH(QString, faitLe);
        texts.journee = journee;
        texts.periodeDu = periodeDu;
        texts.periodeAu = periodeDu;
        texts.faitLe = faitLe;
        texts.codeArt = texts.codeFour = number;
        texts.numFacture = number;
        QTEST(ReadPanel(documentOf(code), texts, parameters), "printed");
        QCOMPARE(parameters.Nature, code);
        QTEST(parameters.Journee, "journeeRead");
        QTEST(parameters.PeriodeDu, "periodeDuRead");
        QTEST(parameters.FaitLe, "faitLeRead");
        QTEST(code == 10 ? parameters.NumFacture : parameters.CodeArt, "numberRead");
        // "Fait le" is written back as it was read.
        if (code == 7 || code == 10 || code == 13) {
            QFETCH(bool, printed);
            if (printed)
                QCOMPARE(texts.faitLe, DateText(parameters.FaitLe));
        }
    }
};

QTEST_MAIN(TestCatalogue)
#include "test_catalogue.moc"
