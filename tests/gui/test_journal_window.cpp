// The journal window: the entries of the open file, filtered, before and after side by side.
#include "StoreFixture.h"
#include "TestHome.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "journal/Journal.h"
#include "stock/StockModule.h"
#include "years/JournalPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

using namespace zelvane;

class TestJournalWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter answers;
    std::unique_ptr<Tfdb> db;

    static QStringList column(const QTableView &grid, int c)
    {
        QStringList texts;
        for (int r = 0; r < grid.model()->rowCount(); ++r)
            texts << grid.model()->index(r, c).data().toString();
        return texts;
    }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        setPrompter(&answers);
        journalActor() = {}; // the file is made by nobody in particular
        db = home->openPrepared(2, 2009);
        QVERIFY(db);
        StoreFixture(db->database())
            .noArticles()
            .article(1, "SUCRE", 90, 10, 5.0)
            .usualSuppliers()
            .movement(1, 1, 10, "2009-03-10", 20, 6);
        journalActor() = {QStringLiteral("zelvane"), QStringLiteral("Mouvement"), QStringLiteral("marie")};
        db->startSession(QDate(2009, 3, 10));
        // A movement changed as its window changes it.
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 1));
        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 1));
        Stock(*db).db_STOCK->edit();
        Stock(*db).db_STOCK->setValue(QStringLiteral("QUANTITE"), 25.0);
        QVERIFY(db->SaveDataSet(Stock(*db).db_STOCK, true));
    }
    void cleanup()
    {
        db.reset();
        setPrompter(nullptr);
        home.reset();
    }

    // The change shows with the value before and after, by whom, and the chain's state below.
    void showsTheChange()
    {
        JournalWindow window(*db);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QTableView &grid = *window.grid();
        const int row = int(column(grid, 7).lastIndexOf(QStringLiteral("modification")));
        QVERIFY(row >= 0);
        auto cell = [&](int c) { return grid.model()->index(row, c).data().toString(); };
        QCOMPARE(cell(2), QStringLiteral("marie"));
        QCOMPARE(cell(5), QStringLiteral("STOCK"));
        QCOMPARE(cell(6), QStringLiteral("1"));
        QCOMPARE(cell(8), QStringLiteral("QUANTITE=20"));
        QCOMPARE(cell(9), QStringLiteral("QUANTITE=25"));
        QVERIFY(window.findChild<QLabel *>() != nullptr);
        const QString shot = qEnvironmentVariable("ZELVANE_JOURNAL_PNG");
        if (!shot.isEmpty())
            window.grab().save(shot);
    }

    // The filters, chosen with the keyboard, keep only the entries asked for.
    void filters_data()
    {
        QTest::addColumn<int>("filter"); // 0 kind, 1 user, 2 article
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("checkedColumn");
        QTest::addColumn<QString>("expected");
        QTest::newRow("kind") << 0 << "" << 7 << "ajout";
        QTest::newRow("user") << 1 << "" << 2 << "marie";
        QTest::newRow("article") << 2 << "1" << 5 << "";
    }
    void filters()
    {
        QFETCH(int, filter);
        QFETCH(QString, typed);
        QFETCH(int, checkedColumn);
        QFETCH(QString, expected);
        JournalWindow window(*db);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const int all = window.grid()->model()->rowCount();
        const QList<QComboBox *> combos = window.findChildren<QComboBox *>();
        QWidget *box = filter == 2 ? static_cast<QWidget *>(window.findChild<QLineEdit *>())
                                   : combos.at(filter == 0 ? 1 : 0);
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        if (filter == 2) {
            QTest::keyClicks(box, typed);
            QTest::keyClick(box, Qt::Key_Return);
        } else if (filter == 1) {
            const int marie = static_cast<QComboBox *>(box)->findText(expected);
            for (int i = 0; i < marie; ++i)
                QTest::keyClick(box, Qt::Key_Down);
        } else {
            QTest::keyClick(box, Qt::Key_Down);
        }
        const QStringList shown = column(*window.grid(), checkedColumn);
        QVERIFY(!shown.isEmpty());
        QVERIFY(shown.size() < all);
        if (!expected.isEmpty())
            QCOMPARE(shown.filter(expected).size(), shown.size());
        else
            QVERIFY(!shown.contains(QStringLiteral("fournisseur")));
    }
};

QTEST_MAIN(TestJournalWindow)
#include "test_journal_window.moc"
