#include "DesktopTest.h"
#include "StoreFixture.h"
#include "app/MainWindow.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "stock/StockEntries.h"
#include "stock/StockModule.h"
#include "stock/StockPage.h"
#include "users/UserForms.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

using namespace zelvane;

namespace {

enum class Action { Post, Day, Filter };

// The rows read by each dataset an action shows, and the window's passes of its enabling rules.
struct Costs
{
    int articles = 0;
    int movements = 0;
    int menus = 0; // each of the day's menus, head-counts and hospitalised staff
    int passes = 0;
};

} // namespace

Q_DECLARE_METATYPE(Action)

// What one action of the user costs on the real window: every dataset it shows reads its rows once and
// the window runs its enabling rules once, however many rules and windows ask for them on the way, and
// that pass sees the state the action left.
class TestRefreshCounts : public DesktopTest
{
    Q_OBJECT

    std::unique_ptr<ScriptedStockForms> stockForms;

    StockPage *stock() const { return window->page<StockPage>(); }
    Costs costs() const
    {
        MenusModule &menus = Menus(*db);
        const int menu = menus.db_menu_menu->loadCount();
        // The three menu datasets read their rows together: a difference shows as a count of -1.
        const bool together = menus.db_menu_effect->loadCount() == menu && menus.db_menu_liste->loadCount() == menu;
        return {Stock(*db).db_ARTICLES->loadCount(), Stock(*db).db_STOCK->loadCount(), together ? menu : -1,
                window->refreshPasses()};
    }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    static void type(const QString &text)
    {
        QVERIFY(QApplication::focusWidget());
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    // Runs what the action queued, as the event loop does after it.
    static void settle() { QTest::qWait(50); }

private slots:
    void init()
    {
        showConnected({1366, 700});
        stockForms = std::make_unique<ScriptedStockForms>(&answers.asked);
        // SUCRE has a movement on 10/03/2009, RIZ an entry, SEMOULE none; none has one on 11/03.
        StoreFixture(db->database())
            .noArticles()
            .article(1, QStringLiteral("SUCRE"), 85)
            .article(2, QStringLiteral("RIZ"), 120)
            .article(3, QStringLiteral("SEMOULE"), 60)
            .movement(1, 1, 10, QStringLiteral("2009-03-09"), 20, 85)
            .movement(2, 1, 22, QStringLiteral("2009-03-10"), 4, 85)
            .movement(3, 2, 10, QStringLiteral("2009-03-10"), 5, 120);
        db->selectDay(QDate(2009, 3, 10));
        Stock(*db).db_ARTICLES->refresh();
        stock()->DBGrid1->setFocus();
        settle();
    }
    void cleanup()
    {
        stockForms.reset();
        closeWindow();
    }

    void oneLoadAndOnePassPerAction_data()
    {
        QTest::addColumn<int>("article"); // the current article before the action
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("articleLoads");
        QTest::addColumn<int>("movementLoads");
        QTest::addColumn<int>("menuLoads");
        QTest::addColumn<bool>("movementCommands"); // "Modifier Mouvement" enabled after the action
        // The post reads the movements; its rule reads the articles again for the price it wrote.
        QTest::newRow("movement posted by Ins") << 3 << Action::Post << QString() << 1 << 1 << 0 << true;
        // The movements and menus of the new day, the articles for its figures.
        QTest::newRow("day typed in the day box")
            << 1 << Action::Day << QStringLiteral("11/03/2009") << 1 << 1 << 1 << false;
        // The movements follow the current article only when it changes.
        QTest::newRow("filter letter keeping the article")
            << 3 << Action::Filter << QStringLiteral("S") << 1 << 0 << 0 << false;
        QTest::newRow("filter letter moving to another article")
            << 3 << Action::Filter << QStringLiteral("R") << 1 << 1 << 0 << true;
        QTest::newRow("filter letter typed in lower case")
            << 3 << Action::Filter << QStringLiteral("r") << 1 << 1 << 0 << true;
    }
    void oneLoadAndOnePassPerAction()
    {
        QFETCH(int, article);
        QFETCH(Action, action);
        QFETCH(QString, typed);
        QFETCH(int, articleLoads);
        QFETCH(int, movementLoads);
        QFETCH(int, menuLoads);
        QFETCH(bool, movementCommands);
        StockModule &s = Stock(*db);
        QVERIFY(s.db_ARTICLES->locate(QStringLiteral("CODE_ART"), article));
        settle();
        QCOMPARE(window->action(cmd::ModifierMouvement)->isEnabled(), article != 3);

        const Costs before = costs();
        switch (action) {
        case Action::Post:
            stockForms->movements = {QVariantMap{{QStringLiteral("QUANTITE"), 5.0}}};
            press(Qt::Key_Insert);
            break;
        case Action::Day:
            press(Qt::Key_J, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), window->EDate_du_jour);
            type(typed);
            press(Qt::Key_Return);
            break;
        case Action::Filter:
            QTest::mouseClick(window->findChild<QLineEdit *>(QStringLiteral("EFilterArticle")), Qt::LeftButton);
            type(typed);
            break;
        }
        settle();
        const Costs after = costs();

        QCOMPARE(after.articles - before.articles, articleLoads);
        QCOMPARE(after.movements - before.movements, movementLoads);
        QCOMPARE(after.menus - before.menus, menuLoads);
        QCOMPARE(after.passes - before.passes, 1);

        // The one pass came after the action: the commands and texts are those of the state it left.
        QCOMPARE(window->action(cmd::ModifierMouvement)->isEnabled(), movementCommands);
        switch (action) {
        case Action::Post:
            QVERIFY(stockForms->movements.empty());
            QCOMPARE(ScalarSql(db->database(), QStringLiteral("select count(*) from stock where code_art=3")).toInt(),
                     1);
            QCOMPARE(s.db_STOCK->recordCount(), 1);
            QCOMPARE(s.db_STOCK->doubleValue(QStringLiteral("QUANTITE")), 5.0);
            break;
        case Action::Day:
            QCOMPARE(db->selectedDay(), QDate(2009, 3, 11));
            QCOMPARE(window->SBDate_du_jour->text(), QStringLiteral("Journée du 11/03/2009"));
            QCOMPARE(stock()->summaryFigure(5), QStringLiteral("Magasin au 11/03/2009"));
            QVERIFY(s.db_STOCK->isEmpty());
            break;
        case Action::Filter:
            QVERIFY(!s.db_ARTICLES->isEmpty());
            for (int row = 0; row < s.db_ARTICLES->recordCount(); ++row)
                QVERIFY(s.db_ARTICLES->displayTextAt(row, s.db_ARTICLES->fieldIndex(QStringLiteral("DESIGNATION")))
                            .startsWith(typed.toUpper()));
            QCOMPARE(s.db_STOCK->isEmpty(), !movementCommands);
            break;
        }
    }
};

QTEST_MAIN(TestRefreshCounts)
#include "test_refresh_counts.moc"
