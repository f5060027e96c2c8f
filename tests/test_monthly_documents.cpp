#include "StoreFixture.h"
#include "TestHome.h"
#include "common/Form.h"
#include "common/Format.h"
#include "common/MontantEnLettres.h"
#include "common/Organisation.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "db/Dataset.h"
#include "print/QrpFile.h"
#include "reports/DepenseMensuelle.h"
#include "reports/EtatMensuel.h"
#include "reports/MonthlyDocuments.h"
#include "reports/PurchaseDocuments.h"
#include "reports/ReportsModule.h"

#include <QtTest>

using namespace zelvane;

namespace {

QStringList allTexts(const ReportDocument &document)
{
    QStringList texts;
    for (const ReportPage &page : document.pages)
        texts += ReadingOrder(page);
    return texts;
}

// The texts printed on one line of a page: those whose boxes share the middle height of the first text
// that reads first.
QStringList lineOf(const ReportDocument &document, const QString &first)
{
    for (const ReportPage &page : document.pages) {
        for (const PlacedText &t : page.texts) {
            if (t.text.trimmed() != first)
                continue;
            QList<PlacedText> line;
            for (const PlacedText &other : page.texts) {
                if (qAbs(other.box.center().y() - t.box.center().y()) < 1)
                    line.append(other);
            }
            std::sort(line.begin(), line.end(),
                      [](const PlacedText &a, const PlacedText &b) { return a.box.left() < b.box.left(); });
            QStringList texts;
            for (const PlacedText &p : line)
                texts.append(p.text.trimmed());
            return texts;
        }
    }
    return {};
}

class AcceptingEtatMensuel : public EtatMensuelForm
{
public:
    AcceptingEtatMensuel() { Form<EtatMensuelForm>::install(this); }
    ~AcceptingEtatMensuel() override { Form<EtatMensuelForm>::uninstall(this); }
    bool editEtatMensuel(ReportsModule &reports) override
    {
        reports.db_etat_mensuel->setValue(QStringLiteral("nbr_mois"), 0);
        reports.db_etat_mensuel->setValue(QStringLiteral("credit_aut_mois"), 150.0);
        reports.db_etat_mensuel->setValue(QStringLiteral("nbr_aut_mois"), 4);
        reports.db_etat_mensuel->setValue(QStringLiteral("creance"), 25.5);
        return true;
    }
};

} // namespace

// The monthly statements and the purchase documents as printed: their lines, totals and captions.
class TestMonthlyDocuments : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    ScriptedPrompter prompts;

    void exec(const QString &sql) { ExecSql(db->database(), sql); }
    void headCount(const char *day, int category, int m1, int m2, int m3, int m4)
    {
        exec(QStringLiteral("insert into menu_effect values ('%1', %2, %3, %4, %5, %6)")
                 .arg(QString::fromLatin1(day))
                 .arg(category)
                 .arg(m1)
                 .arg(m2)
                 .arg(m3)
                 .arg(m4));
    }

private slots:
    void init()
    {
        setPrompter(&prompts);
        prompts.messages.clear();
        home = std::make_unique<TestHome>();
        db = home->openPrepared(2, 2009);
        QVERIFY(db);
        db->startSession(QDate(2009, 5, 4));
        StoreFixture(db->database()).noArticles().article(1, QStringLiteral("SUCRE"), 10, 3, 100);
    }
    void cleanup()
    {
        db.reset();
        home.reset();
        setPrompter(nullptr);
    }

    // One line per day of the month, the three totals, the month written into its row and printed after
    // the input window, the cost price of a row without persons at 0.00.
    void etatMensuel()
    {
        headCount("2009-05-04", 1, 0, 101, 0, 100);
        headCount("2009-04-10", 1, 0, 10, 0, 10);
        StoreFixture(db->database())
            .movement(1, 1, 22, QStringLiteral("2009-05-04"), 1, 1000)
            .movement(2, 1, 22, QStringLiteral("2009-04-10"), 1, 200);
        AcceptingEtatMensuel window;
        const ReportDocument document = MakeEtatMensuel(*db, QDate(2009, 5, 17));
        QCOMPARE(document.layout.orientation(), QPageLayout::Landscape);
        const QStringList texts = allTexts(document);
        QVERIFY(texts.contains(QStringLiteral("Mois de MAI - 2009")));
        QCOMPARE(lineOf(document, QStringLiteral("4")),
                 QStringList({"4", "0", "101", "0", "100", "100", "1 000.00", "10.00"}));
        QVERIFY(!lineOf(document, QStringLiteral("31")).isEmpty());
        QVERIFY(lineOf(document, QStringLiteral("32")).isEmpty());
        QCOMPARE(lineOf(document, QStringLiteral("Totaux du mois")),
                 QStringList({"Totaux du mois", "0", "101", "0", "100", "100", "1 000.00", "10.00"}));
        QCOMPARE(lineOf(document, QStringLiteral("Report du mois précédent")),
                 QStringList({"Report du mois précédent", "0", "10", "0", "10", "10", "200.00", "20.00"}));
        QCOMPARE(lineOf(document, QStringLiteral("Totaux depuis le 1er Janvier")),
                 QStringList({"Totaux depuis le 1er Janvier", "0", "111", "0", "110", "110", "1 200.00", "10.91"}));

        // The statement's figures, then what the window changed, as stored and printed.
        const std::optional<EtatMensuelRow> row = ReadEtatMensuel(*db, 5);
        QCOMPARE(row->dep_mois, 1000.0);
        QCOMPARE(row->nbr_mois, 0);
        QCOMPARE(row->valeur_31dec, 300.0);
        QVERIFY(texts.contains(QStringLiteral("1 000.00  /  0  =  0.00")));
        QVERIFY(texts.contains(QStringLiteral("150.00  x  4  =  600.00")));
        QVERIFY(texts.contains(FormatMontant(325.5)));
    }

    // A day that is no date writes no row and opens no window.
    void etatMensuelOfNoDay()
    {
        AcceptingEtatMensuel window;
        exec(QStringLiteral("insert into etat_mensuel values(0,1,1,1,1,1,1,1,1)"));
        const ReportDocument document = MakeEtatMensuel(*db, QDate());
        QVERIFY(!document.pages.isEmpty());
        QCOMPARE(ScalarSql(db->database(), QStringLiteral("select count(*) from etat_mensuel")).toInt(), 1);
        QCOMPARE(ReadEtatMensuel(*db, 0)->nbr_mois, 1);
    }

    // The persons fed by category: the bracket of organisation type 1 around its first two categories.
    void personsFedTable_data()
    {
        QTest::addColumn<int>("organisme");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("numbers");
        const QString dash12 = QStringLiteral("------------");
        QTest::newRow("type 1") << 1
                                << QStringList{QStringLiteral("                     ") + dash12,
                                               QStringLiteral("Demi-pensionnaires...! Droits   !"),
                                               QStringLiteral("Elèves internes......! constatés!"),
                                               QStringLiteral("         (1 pour 2)  ") + dash12}
                                << QStringList{"", "30", "7", ""};
        QTest::newRow("type 2") << 2
                                << QStringList{QStringLiteral("Demi-pensionnaires................."),
                                               QStringLiteral("Elèves internes....................")}
                                << QStringList{"30", "7"};
    }
    void personsFedTable()
    {
        QFETCH(int, organisme);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, numbers);
        headCount("2009-05-04", 1, 9, 10, 9, 20);
        headCount("2009-05-05", 2, 0, 7, 0, 0);
        const TDepense_Mensuelle month(*db, QDate(2009, 5, 1));
        const PersonnesNourriesTable table = PersonnesNourriesParCategorie(*db, month, organisme);
        QCOMPARE(table.labels.mid(0, labels.size()), labels);
        QCOMPARE(table.numbers.mid(0, numbers.size()), numbers);
        QCOMPARE(table.labels.size(), table.numbers.size());
        QCOMPARE(table.labels.last(), QStringLiteral("             TOTAUX................"));
        QCOMPARE(table.numbers.last(), QStringLiteral("37"));
        QCOMPARE(table.numbers.at(table.numbers.size() - 2), QStringLiteral("------"));
    }

    void depensesMensuelles()
    {
        headCount("2008-02-29", 1, 3, 103, 0, 100);
        const ReportDocument document = MakeDepensesMensuelles(*db, QDate(2008, 2, 1));
        QCOMPARE(lineOf(document, QStringLiteral("29")),
                 QStringList({"29", "vendredi", "3", "103", "100", "203", "0.00", "0.00", "0.00"}));
        QVERIFY(lineOf(document, QStringLiteral("30")).isEmpty());
        QVERIFY(allTexts(document).contains(QStringLiteral("Mois de FÉVRIER - 2008")));
    }

    // Students are category 2, workers 4 and 5; (4) halves lunch and dinner of both; the signatures of
    // kind "5" are the university's.
    void arabicCard_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("signature");
        QTest::newRow("university") << "5" << QStringLiteral("إمضــاء مديـــر الإقامـــة");
        QTest::newRow("other") << "2" << QStringLiteral("المقتصــــــــد");
    }
    void arabicCard()
    {
        QFETCH(QString, kind);
        QFETCH(QString, signature);
        Organisation().kindCode = kind;
        headCount("2009-05-04", 2, 1, 100, 0, 150);
        headCount("2009-05-04", 4, 2, 30, 0, 0);
        headCount("2009-05-04", 5, 0, 20, 0, 0);
        headCount("2009-05-04", 3, 500, 500, 500, 500);
        StoreFixture(db->database()).movement(1, 1, 22, QStringLiteral("2009-05-04"), 1, 600);
        const ReportDocument document = MakeFicheMensuelleAR(*db, QDate(2009, 5, 4));
        QCOMPARE(document.pages.size(), 1);
        // From the left: (7), (6), (5), (4), then workers and students of dinner, lunch and breakfast.
        QCOMPARE(lineOf(document, QStringLiteral("04/05/2009")),
                 QStringList({"2.00", "4.00", "600.00", "150.00", "0", "150", "50", "100", "2", "1", "04/05/2009"}));
        const QStringList texts = allTexts(document);
        QVERIFY(texts.contains(signature));
        QCOMPARE(texts.contains(QStringLiteral("الديوان الوطني للخدمات الجامعية")), kind == QLatin1String("5"));
        // Saved, its outlined Arabic text reopens: what reports draw passes the check of saved pages.
        ReportDocument reopened;
        QCOMPARE(ReadQrp(QrpBytes(document), reopened), QrpStatus::Ok);
    }

    void invoice()
    {
        StoreFixture(db->database()).usualSuppliers().movement(1, 1, 10, QStringLiteral("2009-03-01"), 2, 50.5, 1);
        exec(QStringLiteral("insert into factures (code_four, num_facture, periode_du, periode_au) values (1, 7, "
                            "'2009-03-01', '2009-03-31'), (1, 8, '2009-04-01', '2009-04-30')"));
        QVERIFY(!MakeFacture(*db, 1, 8, QDate(2010, 2, 1)));
        QVERIFY(!MakeFacture(*db, 1, 9, QDate(2010, 2, 1)));
        const std::optional<ReportDocument> document = MakeFacture(*db, 1, 7, QDate(2010, 2, 1));
        QVERIFY(document);
        const QStringList texts = allTexts(*document);
        QVERIFY(texts.contains(QStringLiteral("FACTURE N° 7/2010")));
        QVERIFY(texts.contains(QStringLiteral("Date : 01/02/2010")));
        QCOMPARE(lineOf(*document, QStringLiteral("SUCRE")), QStringList({"SUCRE", "2.00", "50.50", "101.00"}));
        QVERIFY(texts.contains(MontantEnLettres(QStringLiteral("FR"), 101)));
    }

    void expensesWithoutEntries()
    {
        StoreFixture(db->database()).usualSuppliers();
        const ReportDocument document = MakeEtatDepenses(*db, QDate(2009, 6, 1), QDate(2009, 6, 30), QDate(2009, 7, 1));
        const QStringList texts = allTexts(document);
        QVERIFY(texts.contains(QStringLiteral("Période du 01/06/2009 au 30/06/2009")));
        QCOMPARE(lineOf(document, QStringLiteral("T O T A L  ...................")).last(), QStringLiteral("0.00"));
    }

    void supplierSheet()
    {
        StoreFixture(db->database()).usualSuppliers();
        QVERIFY(!MakeFicheFournisseur(*db, 3, QDate(2009, 1, 1), QDate(2009, 12, 31)));
        const std::optional<ReportDocument> sheet = MakeFicheFournisseur(*db, 2, QDate(2009, 1, 1),
                                                                         QDate(2009, 12, 31));
        QVERIFY(sheet);
        QCOMPARE(lineOf(*sheet, QStringLiteral("NOM :")), QStringList({"NOM :", "ETS BENALI", "الاسـم"}));
    }
};

QTEST_MAIN(TestMonthlyDocuments)
#include "test_monthly_documents.moc"
