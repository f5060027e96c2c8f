#include "StoreTest.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "stock/Articles.h"
#include "stock/ControleStock.h"
#include "stock/ListeDenrees.h"
#include "stock/Movements.h"
#include "stock/Navigation.h"
#include "stock/StockEntries.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

// The sheet of a day: the figures of every article, one article again after a change, the day's bounds.
class TestSheet : public StoreTest
{
    Q_OBJECT

private slots:

    void dayFigures()
    {
        const TDenree &sucre = denree(1);
        QCOMPARE(sucre.veille(), 26.0);
        QCOMPARE(sucre.entree_jour_quantite, 11.0);
        QCOMPARE(sucre.sortie_jour_quantite, 5.0);
        QCOMPARE(sucre.restes(), 32.0);
        QCOMPARE(sucre.valeurVeille(), 2310.0);
        QCOMPARE(sucre.entree_jour_valeur, 1120.0);
        QCOMPARE(sucre.sortie_jour_valeur, 440.0);
        QCOMPARE(sucre.valeurRestes(), 2990.0);
        QCOMPARE(sucre.entree_jour_pu, 110.0); // unweighted mean of 100 and 120
        QCOMPARE(sucre.sortie_jour_pu, 87.5);

        const TDenree &riz = denree(3);
        QCOMPARE(riz.veille(), 5.0); // the opening quantity counts without a price
        QCOMPARE(riz.valeur31dec, 0.0);
        QCOMPARE(riz.sortie_jour_quantite, 2.0);
        QCOMPARE(riz.restes(), 3.0);

        const TDenree &huile = denree(2);
        QCOMPARE(huile.restes(), 0.0);
        QCOMPARE(huile.entree_jour_pu, 0.0);
        QVERIFY(!Stock(*db).ListeDenrees()->FindDenree(99));
        QCOMPARE(Stock(*db).ListeDenrees()->Denrees().size(), 5);
        QCOMPARE(Stock(*db).ListeDenrees()->Denrees().first().code_art, 1);

        const TTotaux &t = Stock(*db).ListeDenrees()->Totaux();
        QCOMPARE(t.valeurVeille(), 2310.0);
        QCOMPARE(t.entree_jour_valeur, 1120.0);
        QCOMPARE(t.sortie_jour_valeur, 680.0);
        QCOMPARE(t.valeurFinJournee(), 2750.0);

        // The summary figures for the current article and the grid's calculated columns.
        selectArticle(1);
        QCOMPARE(Stock(*db).Figures().quantiteVeille, FormatMontant(26));
        QCOMPARE(Stock(*db).Figures().quantiteVeilleEntrees, FormatMontant(37));
        QCOMPARE(Stock(*db).Figures().quantiteRestes, FormatMontant(32));
        QCOMPARE(Stock(*db).Figures().valeurVeille, FormatMontant(2310));
        QCOMPARE(Stock(*db).Figures().total, FormatMontant(3430));
        QCOMPARE(Stock(*db).Figures().valeurSorties, FormatMontant(680));
        QCOMPARE(Stock(*db).Figures().valeurFinJournee, FormatMontant(2750));
        QCOMPARE(Stock(*db).db_ARTICLES->displayText(QStringLiteral("VEILLE")), FormatMontant(26));
        QCOMPARE(Stock(*db).db_ARTICLES->displayText(QStringLiteral("RESTES")), FormatMontant(32));
        QCOMPARE(Stock(*db).db_ARTICLES->displayText(QStringLiteral("ART_LIB")), QStringLiteral("1 - SUCRE"));
        // The movement grid holds the current article's movements of the day only.
        QCOMPARE(Stock(*db).db_STOCK->recordCount(), 5);
    }

    void dayBoundaries_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<double>("veille");
        QTest::addColumn<double>("entrees");
        QTest::addColumn<double>("sorties");
        QTest::newRow("the day before") << QDate(2009, 3, 9) << 10.0 << 20.0 << 4.0;
        QTest::newRow("the day") << QDate(2009, 3, 10) << 26.0 << 11.0 << 5.0;
        QTest::newRow("the day after") << QDate(2009, 3, 11) << 32.0 << 50.0 << 0.0;
        QTest::newRow("later") << QDate(2009, 6, 1) << 82.0 << 0.0 << 0.0;
        QTest::newRow("first of January") << QDate(2009, 1, 1) << 10.0 << 0.0 << 0.0;
    }

    void dayBoundaries()
    {
        QFETCH(QDate, day);
        QFETCH(double, veille);
        QFETCH(double, entrees);
        QFETCH(double, sorties);
        db->selectDay(day);
        QCOMPARE(denree(1).veille(), veille);
        QCOMPARE(denree(1).entree_jour_quantite, entrees);
        QCOMPARE(denree(1).sortie_jour_quantite, sorties);
        QCOMPARE(denree(1).restes(), veille + entrees - sorties);
    }

    void validateDate_data()
    {
        QTest::addColumn<QDate>("asked");
        QTest::addColumn<QDate>("selected");
        QTest::newRow("next year") << QDate(2010, 1, 3) << QDate(2009, 12, 31);
        QTest::newRow("previous year") << QDate(2008, 6, 15) << QDate(2009, 1, 1);
        QTest::newRow("inside") << QDate(2009, 7, 14) << QDate(2009, 7, 14);
        QTest::newRow("last day") << QDate(2009, 12, 31) << QDate(2009, 12, 31);
    }

    void validateDate()
    {
        QFETCH(QDate, asked);
        QFETCH(QDate, selected);
        QCOMPARE(db->ValidateDate(asked), selected);
        db->selectDay(asked);
        QCOMPARE(Stock(*db).ListeDenrees()->DateJour(), selected);
        QCOMPARE(Stock(*db).db_STOCK->filter(), QStringLiteral("date_op=") + SqlDate(selected));
    }

    void singleArticleAfterPostAndDelete()
    {
        // Several movements of one article on one day, each posted through the dataset.
        QVERIFY(post(1, 10, 4, 95));
        QVERIFY(post(1, 22, 6, 95));
        QVERIFY(post(1, 10, 2.5, 101));
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), 13);
        QCOMPARE(scalar(QStringLiteral("select count(distinct num_mvt) from stock")).toInt(), 13);
        QCOMPARE(denree(1).entree_jour_quantite, 17.5);
        QCOMPARE(denree(1).sortie_jour_quantite, 11.0);
        compareDenrees(denree(1), recomputed(1));
        QCOMPARE(Stock(*db).db_STOCK->recordCount(), 8);

        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 3));
        Stock(*db).db_STOCK->remove();
        QCOMPARE(denree(1).entree_jour_quantite, 7.5);
        compareDenrees(denree(1), recomputed(1));
        QCOMPARE(Stock(*db).Figures().quantiteRestes, FormatMontant(denree(1).restes()));
        QCOMPARE(Stock(*db).ListeDenrees()->Totaux().entree_jour_valeur, 1120.0 - 1000 + 4 * 95 + 2.5 * 101);
    }

    void articleChangeRecalculates()
    {
        selectArticle(2);
        Stock(*db).db_ARTICLES->edit();
        Stock(*db).db_ARTICLES->setValue(QStringLiteral("QT31DEC"), 7.0);
        Stock(*db).db_ARTICLES->setValue(QStringLiteral("PU31DEC"), 3.0);
        QVERIFY(db->SaveDataSet(Stock(*db).db_ARTICLES, true));
        QCOMPARE(denree(2).veille(), 7.0);
        QCOMPARE(Stock(*db).ListeDenrees()->Totaux().valeur31dec, 850.0 + 21);

        // A new article gets the next code and its record at once.
        Stock(*db).db_ARTICLES->append();
        QCOMPARE(Stock(*db).db_ARTICLES->intValue(QStringLiteral("CODE_ART")), 6);
        QCOMPARE(Stock(*db).db_ARTICLES->textValue(QStringLiteral("DESIGNATION")), QString());
        Stock(*db).db_ARTICLES->setValue(QStringLiteral("DESIGNATION"), QStringLiteral("LAIT"));
        QVERIFY(db->SaveDataSet(Stock(*db).db_ARTICLES, true));
        QVERIFY(Stock(*db).ListeDenrees()->FindDenree(6));
        QCOMPARE(Stock(*db).ListeDenrees()->Denrees().last().code_art, 6);
    }

    void summaryRows()
    {
        StoreFigures f;
        f.valeurFinJournee = QStringLiteral("12.00");
        const QVector<SummaryRow> rows = SummaryRows(f, QStringLiteral("SUCRE"), QDate(2009, 3, 10));
        QCOMPARE(rows.size(), 10);
        QCOMPARE(rows.at(0).label, QStringLiteral("Quantité en Stock (SUCRE)"));
        QCOMPARE(rows.at(4).label, QStringLiteral("Magasin au 10/03/2009"));
        QCOMPARE(rows.at(9).amount, QStringLiteral("12.00"));
        QCOMPARE(SummaryRows(f, QString(), QDate()).at(0).label, QStringLiteral("Quantité en Stock "));
    }

    void disconnectedDoesNothing()
    {
        QCOMPARE(Stock(*db).ListeDenrees()->DateJour(), QDate(2009, 3, 10));
        db->closeSession();
        QVERIFY(!Stock(*db).ListeDenrees());
        QVERIFY(!db->hasSession());
        db->selectDay(QDate(2009, 3, 11)); // no file: nothing to compute
        QCOMPARE(Stock(*db).DateJour(), QDate());
    }
};

QTEST_GUILESS_MAIN(TestSheet)
#include "test_sheet.moc"
