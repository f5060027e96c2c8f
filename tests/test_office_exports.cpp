// The office exports on a small year: the cells of each filled document read back from the saved file,
// and each document as LibreOffice prints it.
#include "OfficeFixture.h"
#include "StoreFixture.h"
#include "TestHome.h"

#include "common/Format.h"
#include "common/MontantEnLettres.h"
#include "common/Organisation.h"
#include "menus/WeeklyMenu.h"
#include "menus/WeeklyMenuReport.h"
#include "office/TMSExcel.h"
#include "office/TMSWinWord.h"
#include "reports/DayPanel.h"
#include "reports/OfficeExports.h"
#include "stock/ListeDenrees.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvane;

namespace {

const QDate kDay(2009, 3, 10);

void setIdentity()
{
    OrganisationIdentity &o = Organisation();
    o.headingFr[0] = QStringLiteral("RARAZ-AZUR");
    o.headingAr[0] = QStringLiteral("RARAZ-AZUR");
    o.headingFr[2] = QStringLiteral("LYCEE IBN KHALDOUN");
    o.headingAr[2] = QStringLiteral("ثانوية ابن خلدون");
    o.wilaya = QStringLiteral(" Tlemcen ");
}

DayPanel sixCategories()
{
    DayPanel day;
    for (int i = 0; i < 6; ++i)
        day.categories.append({QStringLiteral("Catégorie %1").arg(i + 1), 10.0 + i, 20.0 + i, 30.0 + i});
    day.menus[1] = QStringLiteral("Café au lait\nPain beurre");
    day.menus[2] = QStringLiteral("Couscous");
    day.menus[3] = QStringLiteral("Fruit");
    day.menus[4] = QStringLiteral("Soupe");
    day.sorties[1] = 270;
    day.depenseRepas[1] = 4.5;
    day.sortiesJour = 1234.5;
    day.personnesNourries = 175;
    day.depenseParPersonne = 7.05;
    return day;
}

// The saved spreadsheet opened on its sheet.
std::unique_ptr<TMSExcel> reopen(const ExportResult &result, const QString &sheet)
{
    auto excel = std::make_unique<TMSExcel>();
    if (result.status != ExportResult::Written || !excel->Open(result.path) || !excel->SelectSheet(sheet))
        return nullptr;
    return excel;
}

QString text(const TMSExcel &excel, const QString &ref)
{
    const QVariant v = excel.cell(ref);
    return v.isValid() ? v.toString() : QString();
}

QStringList documents(const TestHome &home)
{
    return QDir(home.path() + QStringLiteral("/documents")).entryList(QDir::Files);
}

// The invoice's lines: supplier 1's entries of March, each 1 at a price of its line number.
void invoiceLines(const QSqlDatabase &db, int lines, double tva)
{
    ExecSql(db, QStringLiteral("delete from stock"));
    if (ScalarSql(db, QStringLiteral("select count(*) from pragma_table_info('FACTURES') where name='TVA'")).toInt()
        == 0)
        ExecSql(db, QStringLiteral("alter table FACTURES add column TVA DOUBLE DEFAULT 0"));
    ExecSql(db,
            QStringLiteral("insert into FACTURES (code_four, num_facture, date_facture, periode_du, periode_au, tva) "
                           "values (1, 2, '2009-03-31', '2009-03-01', '2009-03-31', %1)")
                .arg(tva));
    for (int i = 1; i <= lines; ++i)
        ExecSql(db, QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu, code_four, "
                                   "num_bc, date_bc, num_bl, date_bl) values (%1, 1, 10, '2009-03-%2', 1, %1, 1, %1, "
                                   "'2009-03-01', 100, NULL)")
                        .arg(i)
                        .arg(1 + i / 2, 2, 10, QLatin1Char('0')));
}

BankNameLookup banks()
{
    return [](const QString &code) { return code == QLatin1String("001") ? QStringLiteral("BANQUE UN") : QString(); };
}

} // namespace

class TestOfficeExports : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Tfdb> m_db;

private slots:
    void init()
    {
        m_home = std::make_unique<TestHome>();
        m_db = m_home->openPrepared();
        QVERIFY(m_db);
        StoreFixture fixture(m_db->database());
        HandWorkedYear(fixture);
        setIdentity();
    }
    void cleanup()
    {
        m_db.reset();
        m_home.reset();
    }

    void consumptionSheetA3_data()
    {
        QTest::addColumn<int>("organisme");
        QTest::newRow("school") << 2;
        QTest::newRow("creche") << 3;
    }
    void consumptionSheetA3()
    {
        QFETCH(int, organisme);
        m_db->organisme = organisme;
        TListeDenrees liste(*m_db);
        liste.SetDate(kDay);
        const ExportResult result = ExportFeuilleConsommationA3(*m_db, liste, sixCategories());
        QCOMPARE(result.status, ExportResult::Written);
        QVERIFY(result.path.startsWith(m_home->path() + QStringLiteral("/documents/")));
        const auto excel = reopen(result, QStringLiteral("PAGE01"));
        QVERIFY(excel);
        QCOMPARE(excel->caption(), QStringLiteral("FEUILLE CONSOMMATION JOURNALIERE"));
        QCOMPARE(text(*excel, "A1"), QStringLiteral("LYCEE IBN KHALDOUN"));
        QCOMPARE(text(*excel, "L3"), QStringLiteral("10/03/2009"));
        // SUCRE: Veille 26 worth 2310, entries 11 (mean price 110), exits 5 worth 440, Restes 32 worth 2990.
        QCOMPARE(excel->cell("A7"), QVariant(QStringLiteral("1")));
        QCOMPARE(excel->cell("B7"), QVariant(QStringLiteral("SUCRE")));
        const QList<double> sucre = {26, 2310.0 / 26, 11, 110, 5, 440, 32, 2990.0 / 32, 2990};
        for (int c = 0; c < sucre.size(); ++c)
            QCOMPARE(excel->cell(QChar('C' + c) + QStringLiteral("7")).toDouble(), sucre.at(c));
        // HUILE never moved: Veille and Restes 0 give prices 0; every article has its row.
        QCOMPARE(excel->cell("A8"), QVariant(QStringLiteral("2")));
        QCOMPARE(excel->cell("D8"), QVariant(0.0));
        QCOMPARE(excel->cell("J8"), QVariant(0.0));
        QCOMPARE(excel->cell("A11"), QVariant(QStringLiteral("5")));
        QVERIFY(!excel->cell("A12").isValid());
        // Six categories fill rows 8 to 13.
        QCOMPARE(text(*excel, "M13"), QStringLiteral("Catégorie 6"));
        QCOMPARE(excel->cell("N13"), QVariant(15.0));
        QCOMPARE(excel->cell("O13"), QVariant(25.0));
        QCOMPARE(excel->cell("P13"), QVariant(35.0));
        QCOMPARE(text(*excel, "M24"), QStringLiteral("Café au lait\nPain beurre"));
        QCOMPARE(text(*excel, "M33"), QStringLiteral("Couscous"));
        QCOMPARE(text(*excel, "M44"), QStringLiteral("Soupe"));
        if (organisme == 3) {
            QVERIFY(!excel->cell("M58").isValid());
            QVERIFY(!excel->cell("M66").isValid());
        } else {
            QCOMPARE(excel->cell("M58"), QVariant(270.0));
            QCOMPARE(excel->cell("M66"), QVariant(4.5));
        }

        const QString pdf = OfficePdfText(result.path);
        QVERIFY2(pdf.contains(QStringLiteral("FEUILLE DE CONSOMMATION JOURNALIERE")), qPrintable(pdf.left(500)));
        QVERIFY(pdf.contains(QStringLiteral("SUCRE")));
        QVERIFY(pdf.contains(QStringLiteral("2,990.00")));
        QVERIFY(pdf.contains(QStringLiteral("Couscous")));
        QCOMPARE(pdf.contains(QStringLiteral("270.00")), organisme != 3);
    }

    void canteenSheet()
    {
        const ExportResult result = ExportFeuilleCantine(*m_db, kDay, sixCategories());
        const auto excel = reopen(result, QStringLiteral("PAGE1"));
        QVERIFY(excel);
        QCOMPARE(text(*excel, "A1"), QStringLiteral("ثانوية ابن خلدون"));
        QCOMPARE(text(*excel, "A2"), QStringLiteral("LYCEE IBN KHALDOUN"));
        QCOMPARE(text(*excel, "J2"), QStringLiteral("10/03/2009"));
        // One line per exit movement: SUCRE twice, then RIZ; quantities and prices in the edit pattern.
        const QStringList lines[] = {{"3.00", "SUCRE", "90.00"}, {"2.00", "SUCRE", "85.00"}, {"2.00", "RIZ", "120.00"}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(text(*excel, QStringLiteral("B%1").arg(7 + i)), lines[i][0]);
            QCOMPARE(text(*excel, QStringLiteral("C%1").arg(7 + i)), lines[i][1]);
            QCOMPARE(text(*excel, QStringLiteral("D%1").arg(7 + i)), lines[i][2]);
        }
        QVERIFY(!excel->cell("C10").isValid());
        // Four categories only; K repeats the dinner head-count.
        QCOMPARE(text(*excel, "G11"), QStringLiteral("Catégorie 4"));
        QCOMPARE(excel->cell("J11"), QVariant(33.0));
        QCOMPARE(excel->cell("K11"), QVariant(33.0));
        QVERIFY(!excel->cell("G12").isValid());
        QCOMPARE(excel->cell("K13"), QVariant(QStringLiteral("175")));
        QCOMPARE(text(*excel, "H20"), FormatMontant(1234.5));
        QCOMPARE(text(*excel, "J25"), FormatMontant(7.05));
        QCOMPARE(text(*excel, "A15"), QStringLiteral("Couscous"));

        const QString pdf = OfficePdfText(result.path);
        QVERIFY2(pdf.contains(QStringLiteral("FEUILLE JOURNALIERE DE CANTINE")), qPrintable(pdf.left(500)));
        QVERIFY(pdf.contains(QStringLiteral("85.00")));
        QVERIFY(pdf.contains(QStringLiteral("175")));
    }

    void issueNote_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("lines");
        QTest::newRow("day with exits") << kDay << 3;
        QTest::newRow("day without exits") << QDate(2009, 3, 11) << 0;
        QTest::newRow("more lines than the ruled rows") << QDate(2009, 3, 12) << 30;
    }
    void issueNote()
    {
        QFETCH(QDate, day);
        QFETCH(int, lines);
        if (lines == 30) {
            for (int i = 0; i < lines; ++i)
                ExecSql(m_db->database(), QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, "
                                                         "quantite, pu) values (%1, 2, 22, '2009-03-12', %2, 130)")
                                              .arg(100 + i)
                                              .arg(i + 1));
        }
        const ExportResult result = ExportBonSortieCantine(*m_db, day);
        const auto excel = reopen(result, QStringLiteral("PAGE1"));
        QVERIFY(excel);
        QCOMPARE(excel->caption(), QStringLiteral("BON DE SORTIE CANTINE"));
        QCOMPARE(text(*excel, "A3"), QStringLiteral("LYCEE IBN KHALDOUN"));
        // The foot follows the lines when they are more than the 23 ruled rows.
        const int foot = 36 + std::max(0, lines - 23);
        for (const char *column : {"A", "D", "F"})
            QCOMPARE(text(*excel, QStringLiteral("%1%2").arg(QLatin1String(column)).arg(foot)),
                     QStringLiteral("Date : ") + day.toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(text(*excel, QStringLiteral("D%1").arg(foot + 1)), QStringLiteral("L'Econome"));
        QCOMPARE(excel->cell(QStringLiteral("C%1").arg(13 + lines)).isValid(), false);
        if (lines == 30) {
            QCOMPARE(text(*excel, "C42"), QStringLiteral("HUILE"));
            QCOMPARE(text(*excel, "B42"), FormatMontant(30));
            QVERIFY(excel->mergedRanges().contains(QStringLiteral("C42:F42")));
            QCOMPARE(excel->styleOf("B42"), excel->styleOf("B13"));
            return;
        }
        if (lines == 0)
            return;
        QCOMPARE(text(*excel, "A13"), QStringLiteral("1"));
        QCOMPARE(text(*excel, "B13"), FormatMontant(3));
        QCOMPARE(text(*excel, "C15"), QStringLiteral("RIZ"));
        QCOMPARE(text(*excel, "A15"), QStringLiteral("3"));
        QCOMPARE(excel->mergedRanges().contains(QStringLiteral("C13:F13")), true);

        const QString pdf = OfficePdfText(result.path);
        QVERIFY2(pdf.contains(QStringLiteral("BON DE SORTIE CANTINE")), qPrintable(pdf.left(500)));
        QVERIFY(pdf.contains(QStringLiteral("Date : 10/03/2009")));
        QVERIFY(pdf.contains(QStringLiteral("RIZ")));
    }

    // Pages of 24 lines: the carried and brought-forward lines, the break between them, the totals block
    // with its formulas moved along, the print area ending on the block's sixth row.
    void invoicePages_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("totalsRow");
        QTest::addColumn<QList<int>>("breaks");
        QTest::newRow("one line") << 1 << 22 << QList<int>{};
        QTest::newRow("24 lines") << 24 << 47 << QList<int>{46};
        QTest::newRow("25 lines") << 25 << 48 << QList<int>{46};
        QTest::newRow("49 lines") << 49 << 74 << QList<int>{46, 72};
    }
    void invoicePages()
    {
        QFETCH(int, lines);
        QFETCH(int, totalsRow);
        QFETCH(QList<int>, breaks);
        invoiceLines(m_db->database(), lines, 17);
        const ExportResult result = ExportFacture(*m_db, 1, 2, QDate(2009, 4, 2), banks());
        const auto excel = reopen(result, QStringLiteral("FACTURE"));
        QVERIFY2(excel, qPrintable(result.message));
        double total = 0;
        int row = 21;
        for (int i = 1; i <= lines; ++i, ++row) {
            QCOMPARE(excel->cell(QStringLiteral("T%1").arg(row)).toDouble(), double(i));
            QCOMPARE(excel->cell(QStringLiteral("X%1").arg(row)).toDouble(), double(i));
            QVERIFY(excel->mergedRanges().contains(QStringLiteral("G%1:P%1").arg(row)));
            total += i;
            if (i % 24 == 0) { // carried at the foot of the page, then brought forward
                QCOMPARE(text(*excel, QStringLiteral("Q%1").arg(row + 1)), QStringLiteral("A REPORTER"));
                QCOMPARE(excel->cell(QStringLiteral("X%1").arg(row + 1)).toDouble(), total);
                QCOMPARE(text(*excel, QStringLiteral("Q%1").arg(row + 2)), QStringLiteral("REPORT"));
                QCOMPARE(excel->cell(QStringLiteral("X%1").arg(row + 2)).toDouble(), total);
                row += 2;
            }
        }
        QCOMPARE(row, totalsRow);
        QCOMPARE(text(*excel, "G20"), QStringLiteral("Désignation")); // the headings moved up to row 20
        QCOMPARE(text(*excel, QStringLiteral("Q%1").arg(totalsRow)), QStringLiteral("TOTAL H.T"));
        QCOMPARE(excel->cell(QStringLiteral("X%1").arg(totalsRow)).toDouble(), total);
        QCOMPARE(excel->cell(QStringLiteral("V%1").arg(totalsRow + 1)).toDouble(), 0.17);
        QCOMPARE(excel->formula(QStringLiteral("X%1").arg(totalsRow + 1)),
                 QStringLiteral("ROUND(X%1*V%2,2)").arg(totalsRow).arg(totalsRow + 1));
        QCOMPARE(excel->formula(QStringLiteral("X%1").arg(totalsRow + 2)),
                 QStringLiteral("X%1+X%2").arg(totalsRow).arg(totalsRow + 1));
        QCOMPARE(text(*excel, QStringLiteral("B%1").arg(totalsRow + 4)),
                 MontantEnLettres(QStringLiteral("FR"), total + RoundToCents(total * 0.17)));
        QCOMPARE(excel->pageBreaks(), breaks);
        QCOMPARE(excel->printArea(), QStringLiteral("$A$1:$AB$%1").arg(totalsRow + 5));
        // Nothing of the template's model rows is left below the totals.
        QVERIFY(!excel->cell(QStringLiteral("Q%1").arg(totalsRow + 10)).isValid());

        if (lines == 25) {
            const QString pdf = OfficePdfText(result.path);
            QVERIFY2(pdf.contains(QStringLiteral("FACTURE")), qPrintable(pdf.left(500)));
            QVERIFY(pdf.contains(QStringLiteral("A REPORTER")));
            // The formulas are computed by the program that opens the file: 325 with 17 % is 380.25.
            QVERIFY2(pdf.contains(QStringLiteral("380.25")), qPrintable(pdf));
            QVERIFY(pdf.simplified().contains(MontantEnLettres(QStringLiteral("FR"), 380.25).simplified()));
        }
    }

    // An invoice without a day, NULL or an empty text, takes the year of the day it is made on.
    void invoiceHeading_data()
    {
        QTest::addColumn<QString>("dateFacture");
        QTest::newRow("NULL") << "NULL";
        QTest::newRow("empty text") << "''";
    }
    void invoiceHeading()
    {
        QFETCH(QString, dateFacture);
        const QSqlDatabase db = m_db->database();
        invoiceLines(db, 0, 17);
        ExecSql(db, QStringLiteral("update FACTURES set date_facture=") + dateFacture);
        ExecSql(db, QStringLiteral("update fournisseur set nom_prenom=' ALI ', rsociale=NULL, tel='', fax='', "
                                   "code_banque='001', code_agence=NULL, adresse=' 3 rue des Oliviers ' "
                                   "where code_four=1"));
        // Order and delivery references: "N°0" alone is nothing; a date keeps it.
        ExecSql(db, QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu, code_four, "
                                   "num_bc, date_bc, num_bl, date_bl) values "
                                   "(1, 1, 10, '2009-03-02', 1000, 1, 1, 0, NULL, 7, NULL),"
                                   "(2, 1, 10, '2009-03-03', NULL, 5, 1, 0, '2009-03-01', NULL, '2009-03-03'),"
                                   "(3, 1, 22, '2009-03-03', 1, 5, 1, 1, NULL, 1, NULL),"
                                   "(4, 1, 10, '2009-04-03', 1, 5, 1, 1, NULL, 1, NULL)"));
        const ExportResult result = ExportFacture(*m_db, 1, 2, QDate(2010, 1, 5), banks());
        const auto excel = reopen(result, QStringLiteral("FACTURE"));
        QVERIFY2(excel, qPrintable(result.message));
        QCOMPARE(excel->caption(), QStringLiteral("Facture"));
        QCOMPARE(text(*excel, "V8"), QStringLiteral("N°2/2010"));
        QCOMPARE(text(*excel, "W12"), QStringLiteral("TLEMCEN"));
        QCOMPARE(text(*excel, "W13"),
                 QStringLiteral("LE ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(text(*excel, "H6"), QStringLiteral("ALI"));
        QVERIFY(!excel->cell("H7").isValid());  // NULL: left as in the template
        QVERIFY(!excel->cell("H10").isValid()); // no such column
        QCOMPARE(text(*excel, "H12"), QStringLiteral("  -  BANQUE UN"));
        QCOMPARE(text(*excel, "H13"), QStringLiteral("3 rue des Oliviers"));
        QCOMPARE(text(*excel, "H14"), QString());
        QCOMPARE(text(*excel, "E18"), QStringLiteral("LYCEE IBN KHALDOUN"));
        QCOMPARE(text(*excel, "A21"), QString());
        QCOMPARE(text(*excel, "D21"), QStringLiteral("N°7"));
        QCOMPARE(text(*excel, "A22"), QStringLiteral("N°0 DU 01/03/2009"));
        QCOMPARE(text(*excel, "D22"), QStringLiteral(" DU 03/03/2009"));
        QCOMPARE(excel->cell("Q22"), QVariant(0.0));                // a NULL quantity is 0
        QCOMPARE(text(*excel, "Q23"), QStringLiteral("TOTAL H.T")); // exits and other months are not lines
        // The amount in words includes the TVA, the total without it does not.
        QCOMPARE(excel->cell("X23"), QVariant(1000.0));
        QCOMPARE(excel->cell("V24"), QVariant(0.17));
        QCOMPARE(text(*excel, "B27"), MontantEnLettres(QStringLiteral("FR"), 1170));
    }

    // Each line rounded to the cent once, the total the sum of the lines printed, the words the T.T.C
    // printed above them: three lines of 1.0051 print 1.01 each and a total of 3.03 (not 3.02, the total of
    // the unrounded products), with a T.V.A of 17 % rounded to 0.52.
    void invoiceLinesRoundedOnce()
    {
        const QSqlDatabase db = m_db->database();
        invoiceLines(db, 0, 17);
        for (int i = 1; i <= 3; ++i)
            ExecSql(db, QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu, code_four)"
                                       " values (%1, 1, 10, '2009-03-0%1', 1, 1.0051, 1)")
                            .arg(i));
        const ExportResult result = ExportFacture(*m_db, 1, 2, QDate(2009, 4, 2), banks());
        const auto excel = reopen(result, QStringLiteral("FACTURE"));
        QVERIFY2(excel, qPrintable(result.message));
        for (int row = 21; row <= 23; ++row)
            QCOMPARE(excel->cell(QStringLiteral("X%1").arg(row)).toDouble(), 1.01);
        QCOMPARE(excel->cell("X24").toDouble(), 3.03);
        QCOMPARE(text(*excel, "B28"), MontantEnLettres(QStringLiteral("FR"), 3.55));
        const QString pdf = OfficePdfText(result.path);
        QVERIFY2(pdf.contains(QStringLiteral("3.55")), qPrintable(pdf));
    }

    void invoiceWithoutAnything_data()
    {
        QTest::addColumn<int>("supplier");
        QTest::addColumn<int>("number");
        QTest::newRow("supplier 0") << 0 << 2;
        QTest::newRow("number 0") << 1 << 0;
        QTest::newRow("no such invoice") << 1 << 3;
        QTest::newRow("no line") << 2 << 2;
    }
    void invoiceWithoutAnything()
    {
        QFETCH(int, supplier);
        QFETCH(int, number);
        invoiceLines(m_db->database(), 3, 0);
        ExecSql(m_db->database(),
                QStringLiteral("insert into FACTURES (code_four, num_facture, periode_du, periode_au) "
                               "values (2, 2, '2009-03-01', '2009-03-31')"));
        QCOMPARE(ExportFacture(*m_db, supplier, number, kDay, banks()).status, ExportResult::Nothing);
        QVERIFY(documents(*m_home).isEmpty());
    }

    // A damaged template put in the data folder in place of the delivered one: a message, no document.
    void damagedTemplates_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("invoice, not a zip") << "facture.xlsx" << QByteArray("not a zip");
        QTest::newRow("issue note, no sheet PAGE1") << "Bon_sortie_cantine.xlsx" << smallWorkbook();
        QTest::newRow("weekly menu, not a zip") << "menuh_fr.docx" << QByteArray("PK");
        QTest::newRow("weekly menu, a spreadsheet") << "menuh.docx" << smallWorkbook();
    }
    void damagedTemplates()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        invoiceLines(m_db->database(), 3, 0);
        QDir().mkpath(m_home->path() + QStringLiteral("/modeles"));
        QFile damaged(m_home->path() + QStringLiteral("/modeles/") + file);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(content);
        damaged.close();
        ExportResult result;
        if (file == QLatin1String("facture.xlsx"))
            result = ExportFacture(*m_db, 1, 2, kDay, banks());
        else if (file == QLatin1String("Bon_sortie_cantine.xlsx"))
            result = ExportBonSortieCantine(*m_db, kDay);
        else
            result = WriteMenuHebdomadaire(file == QLatin1String("menuh.docx") ? MenuLanguage::Arabic
                                                                               : MenuLanguage::French,
                                           kDay, kDay.addDays(6), {});
        QCOMPARE(result.status, ExportResult::Failed);
        QVERIFY2(result.message.contains(file), qPrintable(result.message));
        QVERIFY(documents(*m_home).isEmpty());
        QFile again(damaged.fileName());
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), content);
    }

    // Successive exports never replace an earlier document.
    void newNames()
    {
        const ExportResult first = ExportBonSortieCantine(*m_db, kDay);
        const ExportResult second = ExportBonSortieCantine(*m_db, kDay);
        QCOMPARE(first.status, ExportResult::Written);
        QCOMPARE(second.status, ExportResult::Written);
        QVERIFY(first.path != second.path);
        QCOMPARE(documents(*m_home).size(), 2);
    }

    void weeklyMenu_data()
    {
        QTest::addColumn<bool>("arabic");
        QTest::newRow("French") << false;
        QTest::newRow("Arabic") << true;
    }
    void weeklyMenu()
    {
        QFETCH(bool, arabic);
        WeeklyMenuTexts texts;
        for (int day = 1; day <= 7; ++day)
            for (int meal = 1; meal <= 3; ++meal)
                texts[WeeklyMenuIndex(day, meal)] = QStringLiteral("Plat %1-%2").arg(day).arg(meal);
        texts[WeeklyMenuIndex(2, 2)] = arabic ? QStringLiteral("كسكس باللحم\nفاكهة")
                                              : QStringLiteral("Couscous\nFruit");
        const ExportResult result = WriteMenuHebdomadaire(arabic ? MenuLanguage::Arabic : MenuLanguage::French,
                                                          QDate(2009, 3, 8), QDate(2009, 3, 14), texts);
        QCOMPARE(result.status, ExportResult::Written);
        TMSWinWord word;
        QVERIFY(word.Open(result.path));
        if (arabic) {
            QCOMPARE(word.tableCellText(1, 1, 1), QStringLiteral("وزارة التعليم العالي"));
            QCOMPARE(word.tableCellText(1, 2, 1), QStringLiteral("ثانوية ابن خلدون"));
        } else {
            QCOMPARE(word.tableCellText(1, 2, 1),
                     QStringLiteral("Ministère de l'Enseignement Supérieur Et de la Recherche Scientifique"));
            QCOMPARE(word.tableCellText(1, 5, 1), QStringLiteral("LYCEE IBN KHALDOUN"));
        }
        QCOMPARE(word.tableCellText(2, 1, 2), QStringLiteral("08/03/2009"));
        QCOMPARE(word.tableCellText(2, 1, 4), QStringLiteral("14/03/2009"));
        // Sunday's row is row 2; the meal columns of each language.
        const int breakfast = arabic ? 2 : 3, lunch = arabic ? 3 : 2, dinner = arabic ? 4 : 1;
        QCOMPARE(word.tableCellText(3, 2, breakfast), QStringLiteral("Plat 1-1"));
        QCOMPARE(word.tableCellText(3, 2, lunch), QStringLiteral("Plat 1-2"));
        QCOMPARE(word.tableCellText(3, 8, dinner), QStringLiteral("Plat 7-3"));
        QCOMPARE(word.tableCellText(3, 3, lunch), texts[WeeklyMenuIndex(2, 2)]);
        QCOMPARE(word.tableCellText(3, 1, arabic ? 1 : 4),
                 arabic ? QStringLiteral("الأيـــام") : QStringLiteral("Jours"));

        const QString pdf = OfficePdfText(result.path);
        QVERIFY2(pdf.contains(QStringLiteral("08/03/2009")), qPrintable(pdf.left(800)));
        QVERIFY(pdf.contains(QStringLiteral("Plat 7-3")));
        if (!arabic)
            QVERIFY(pdf.contains(QStringLiteral("Couscous")));
    }

    // zelvane-cli print writes the office documents to --out.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("error");
        QTest::newRow("issue note") << QStringList{"--doc", "9", "--day", "10/03/2009"} << 0 << "";
        QTest::newRow("invoice") << QStringList{"--doc", "10", "--model", "1", "--supplier", "1", "--invoice", "2"} << 0
                                 << "";
        QTest::newRow("weekly menu") << QStringList{"--doc",  "17",         "--model",      "1",
                                                    "--from", "08/03/2009", "--menu-texts", "MENU"}
                                     << 0 << "";
        QTest::newRow("invoice without lines")
            << QStringList{"--doc", "10", "--model", "1", "--supplier", "2", "--invoice", "2"} << 1
            << "document 10 has nothing to write";
        QTest::newRow("a printed document") << QStringList{"--doc", "4"} << 1 << "use --pdf or --text";
        QTest::newRow("the invoice's printed model")
            << QStringList{"--doc", "10", "--supplier", "1", "--invoice", "2"} << 1 << "use --pdf or --text";
        QTest::newRow("bad day") << QStringList{"--doc", "9", "--day", "31/02/2009"} << 1 << "not a day";
        QTest::newRow("too many menu texts")
            << QStringList{"--doc", "17", "--model", "2", "--menu-texts", "LONG"} << 1 << "more than 21 lines";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, error);
        invoiceLines(m_db->database(), 2, 0);
        // The canteen's documents are in the catalogue of central canteens only.
        ExecSql(m_db->database(), QStringLiteral("update options set organisme=4"));
        const QString file = m_db->openedPath();
        m_db.reset();
        QTemporaryDir dir;
        QFile menu(dir.filePath(QStringLiteral("menu.txt")));
        QVERIFY(menu.open(QIODevice::WriteOnly));
        menu.write(arguments.contains(QStringLiteral("LONG")) ? QByteArray("x\n").repeated(22)
                                                              : QByteArray("Lait\nCouscous\\nFruit\n"));
        menu.close();
        arguments.replaceInStrings(QStringLiteral("MENU"), menu.fileName());
        arguments.replaceInStrings(QStringLiteral("LONG"), menu.fileName());
        const QString out = dir.filePath(QStringLiteral("document"));
        const CliRun run = RunCli(QStringList{QStringLiteral("print"), file} + arguments
                                  + QStringList{QStringLiteral("--out"), out});
        QCOMPARE(run.code, code);
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
        QCOMPARE(QFile::exists(out), code == 0);
        if (code == 0 && arguments.contains(QStringLiteral("17"))) {
            TMSWinWord word;
            QVERIFY(word.Open(out));
            QCOMPARE(word.tableCellText(3, 2, 2), QStringLiteral("Lait"));
            QCOMPARE(word.tableCellText(3, 2, 3), QStringLiteral("Couscous\nFruit"));
            QCOMPARE(word.tableCellText(2, 1, 4), QStringLiteral("14/03/2009"));
        }
    }

    // The first model, a report: rows are the seven days from the start, whatever weekday it is.
    void weeklyMenuReport_data()
    {
        QTest::addColumn<int>("organisme");
        QTest::addColumn<QString>("left");
        QTest::newRow("school") << 2 << "MEDECIN";
        QTest::newRow("canteen") << 4 << "GERANT                  LE MEDECIN";
    }
    void weeklyMenuReport()
    {
        QFETCH(int, organisme);
        QFETCH(QString, left);
        m_db->organisme = organisme;
        ExecSql(m_db->database(), QStringLiteral("insert into menu_menu (date_menu, menu1, menu2, menu3, menu4) values "
                                                 "('2009-03-11', 'Lait', 'Couscous', 'Gouter', 'Soupe'),"
                                                 "('2009-03-13', NULL, 'Riz', NULL, 'Pates'),"
                                                 "('2009-03-18', 'Trop tard', 'x', 'x', 'x')"));
        // From a Wednesday: Wednesday's menus go on the row labelled "1 - Dimanche".
        const ReportDocument document = MakeMenuHebdomadaire(*m_db, QDate(2009, 3, 11), QDate(2009, 3, 18));
        QCOMPARE(document.pages.size(), 1);
        const QStringList texts = ReadingOrder(document.pages.first());
        const auto after = [&](const QString &label) { return texts.value(texts.indexOf(label) + 1); };
        QVERIFY(texts.contains(QStringLiteral("Journée du 11/03/2009  au 18/03/2009")));
        QCOMPARE(after(QStringLiteral("1 - Dimanche")), QStringLiteral("Lait"));
        QCOMPARE(texts.value(texts.indexOf(QStringLiteral("1 - Dimanche")) + 3), QStringLiteral("Soupe"));
        QCOMPARE(after(QStringLiteral("3 - Mardi")), QStringLiteral("Riz"));
        QVERIFY(!texts.contains(QStringLiteral("Gouter")));
        QVERIFY(!texts.contains(QStringLiteral("Trop tard")));
        QVERIFY(texts.contains(left));
    }

    // With no window to answer, the weekly menu is cancelled: nothing is made.
    void weeklyMenuCancelled()
    {
        QCOMPARE(ExportMenuHebdomadaire(MenuLanguage::French, kDay, kDay.addDays(6)).status, ExportResult::Nothing);
        QVERIFY(documents(*m_home).isEmpty());
    }
};

QTEST_MAIN(TestOfficeExports)
#include "test_office_exports.moc"
