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

// The price lots of an article on a day.
class TestLots : public StoreTest
{
    Q_OBJECT

private slots:

    void lots()
    {
        // Opening 10 at 50, an entry of 5 at 60 before the day, and 3 at 60 already taken out on the day.
        exec(QStringLiteral("update articles set qt31dec=10, pu31dec=50 where code_art=2"));
        exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values"
                            "(20,2,10,'2009-03-02',5,60),(21,2,22,'2009-03-10',3,60),(22,2,10,'2009-03-20',9,70)"));
        TControleStock lots(*db, 2, QDate(2009, 3, 10));
        QCOMPARE(lots.Lots().size(), 3); // 50, 60 and the new-price lot
        QCOMPARE(lots.Lots().at(0).pu, 50.0);
        QCOMPARE(lots.Lots().at(0).reste, 10.0);
        QCOMPARE(lots.Lots().at(1).sortie, 3.0);
        QCOMPARE(lots.Lots().at(1).reste, 2.0);
        QVERIFY(!lots.StockEpuise());
        QCOMPARE(lots.lotGridRowCount(), 7);
        QCOMPARE(lots.lotTexts(1), (QStringList{"60.00", "5.00", "0.00", "3.00", "2.00"}));
        QCOMPARE(lots.lotTexts(2), QStringList(5, QString()));

        // An exit of 12 at 50 takes lot 50 below zero: the warning shows.
        lots.ApplyMovement(Nature::Dejeuner, 12, 50);
        QCOMPARE(lots.Lots().at(0).reste, -2.0);
        QVERIFY(lots.StockEpuise());
        // Changed to 4 at 60: the first application is taken back.
        lots.ApplyMovement(Nature::Dejeuner, 4, 60);
        QCOMPARE(lots.Lots().at(0).reste, 10.0);
        QCOMPARE(lots.Lots().at(1).reste, -2.0);
        // At a price of no lot it goes to the new-price lot.
        lots.ApplyMovement(Nature::Dejeuner, 4, 55);
        QCOMPARE(lots.Lots().at(1).reste, 2.0);
        QCOMPARE(lots.Lots().at(2).pu, 55.0);
        QCOMPARE(lots.Lots().at(2).reste, -4.0);
        // An entry at a known price adds to its lot.
        lots.ApplyMovement(Nature::Entree, 6, 50);
        QCOMPARE(lots.Lots().at(0).reste, 16.0);
        QCOMPARE(lots.Lots().at(2).pu, 0.0);
        QVERIFY(!lots.StockEpuise());

        // Double-clicking a lot while typing an exit takes what remains of it, the typed exit left out.
        lots.ApplyMovement(Nature::Dejeuner, 1, 60);
        const std::optional<LotChoice> chosen = lots.SelectLot(1);
        QVERIFY(chosen);
        QCOMPARE(chosen->pu, 60.0);
        QCOMPARE(chosen->quantite, 2.0);
        QVERIFY(!lots.SelectLot(2)); // the empty new-price lot
    }

    void lotsKeepEqualRows()
    {
        // A lot of movements identical to the opening lot adds to it.
        exec(QStringLiteral("update articles set qt31dec=10, pu31dec=50 where code_art=2"));
        exec(QStringLiteral(
            "insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values (20,2,10,'2009-03-02',10,50)"));
        TControleStock lots(*db, 2, QDate(2009, 3, 10));
        QCOMPARE(lots.Lots().at(0).stock, 20.0);
        // The movement being modified does not count.
        TControleStock modified(*db, 2, QDate(2009, 3, 10), 20);
        QCOMPARE(modified.Lots().at(0).stock, 10.0);
        // Exhausted lots are dropped, and movements at price 0 never form one.
        exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values"
                            "(21,2,22,'2009-03-03',20,50),(23,2,10,'2009-03-03',4,0)"));
        TControleStock empty(*db, 2, QDate(2009, 3, 10));
        QCOMPARE(empty.Lots().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestLots)
#include "test_lots.moc"
