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

// The sheets of the year and the files of the neighbouring years.
class TestNavigation : public StoreTest
{
    Q_OBJECT

private slots:

    void neighbourSheet_data()
    {
        QTest::addColumn<QDate>("selected");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("expected"); // invalid: none in this file
        const QDate otherYear(2011, 5, 5);
        QTest::newRow("next from a sheet") << QDate(2009, 3, 10) << 1 << otherYear << QDate(2009, 3, 17);
        QTest::newRow("previous from a sheet") << QDate(2009, 3, 10) << -1 << otherYear << QDate(2009, 3, 3);
        QTest::newRow("next from a day without") << QDate(2009, 3, 12) << 1 << otherYear << QDate(2009, 3, 17);
        QTest::newRow("previous from a day without") << QDate(2009, 3, 12) << -1 << otherYear << QDate(2009, 3, 10);
        QTest::newRow("today is a sheet") << QDate(2009, 3, 10) << 1 << QDate(2009, 3, 12) << QDate(2009, 3, 12);
        QTest::newRow("none before") << QDate(2009, 3, 3) << -1 << otherYear << QDate();
        QTest::newRow("none after") << QDate(2009, 3, 17) << 1 << otherYear << QDate();
    }

    void neighbourSheet()
    {
        QFETCH(QDate, selected);
        QFETCH(int, tag);
        QFETCH(QDate, today);
        QFETCH(QDate, expected);
        const QStringList keys{"2009-03-17", "2009-03-03", "2009-03-10"};
        QCOMPARE(NeighbourSheet(keys, selected, tag, today, 2009).value_or(QDate()), expected);
    }

    void sheetDaysAndNeighbourFile()
    {
        QCOMPARE(SheetDayKeys(*db), (QStringList{"2009-03-09", "2009-03-10", "2009-03-11"}));
        const QString current = home->databases() + QStringLiteral("/DOS1_2009.MDB");
        QCOMPARE(NeighbourYearFile(current, 2009, -1), QString());
        QFile(current).copy(home->databases() + QStringLiteral("/DOS1_2008.MDB"));
        QCOMPARE(NeighbourYearFile(current, 2009, -1), home->databases() + QStringLiteral("/DOS1_2008.MDB"));
        QCOMPARE(NeighbourYearFile(home->databases() + QStringLiteral("/CANTINE.MDB"), 2009, -1), QString());
        QCOMPARE(NeighbourYearQuestion(2008), QStringLiteral(" Voulez vous charger la gestion 2008 ? "));
    }
};

QTEST_GUILESS_MAIN(TestNavigation)
#include "test_navigation.moc"
