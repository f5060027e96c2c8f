#include "DesktopTest.h"
#include "FindWidget.h"
#include "StoreFixture.h"
#include "WindowScripts.h"
#include "app/MainWindow.h"
#include "common/Profile.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "menus/HistoryPage.h"
#include "menus/MenuDayWindow.h"
#include "menus/MenuTextWindow.h"
#include "menus/MenusPage.h"
#include "stock/MovementWindow.h"
#include "stock/StockModule.h"
#include "stock/StockPage.h"
#include "users/UserForms.h"
#include "years/ArchiveTab.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using namespace zelvane;

// The main window's own keys, pressed on the focused widget of the shown and active window as a user
// presses them.
class TestKeyboard : public DesktopTest
{
    Q_OBJECT

    StockPage *stock() const { return window->page<StockPage>(); }
    QString tabShown() const { return window->tabCaption(window->PC0->currentIndex()); }
    QString currentCode() const { return Stock(*db).db_ARTICLES->textValue(QStringLiteral("CODE_ART")); }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // The main window is active again once a window over it has closed, as on a desktop.
    void reactivate()
    {
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void showTab(const QString &caption)
    {
        for (int i = 0; i < window->PC0->count(); ++i) {
            if (window->tabCaption(i) == caption)
                window->PC0->setCurrentIndex(i);
        }
        QCOMPARE(tabShown(), caption);
    }

private slots:
    void init()
    {
        showConnected({1366, 700});
        StoreFixture(db->database())
            .supplier(1, QStringLiteral("SARL EL AMEL"))
            .movement(55, 101, 10, QStringLiteral("2009-03-03"), 100, 40, 1)
            .movement(56, 101, 22, QStringLiteral("2009-03-10"), 10, 40)
            .movement(57, 101, 24, QStringLiteral("2009-03-10"), 5, 40);
        db->selectDay(QDate(2009, 3, 10));
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 101));
        stock()->DBGrid1->setFocus();
        QCoreApplication::processEvents(); // the window's enabling pass for that day and article
    }
    void cleanup() { closeWindow(); }

    // Every menu and tab has its own Alt key, and Alt with a tab's key shows it.
    void accessKeys()
    {
        QString keys;
        QStringList titles;
        for (const QAction *menu : window->menuBar()->actions())
            titles << menu->text();
        for (int i = 0; i < window->PC0->count(); ++i)
            titles << window->PC0->tabText(i);
        for (const QString &title : std::as_const(titles)) {
            const QKeySequence key = QKeySequence::mnemonic(title);
            QVERIFY2(!key.isEmpty(), qPrintable(title));
            QVERIFY2(!keys.contains(key.toString()), qPrintable(title));
            keys += key.toString();
        }
        QCOMPARE(window->PC0->tabText(2), QStringLiteral("&Historique du Magasin"));
        press(Qt::Key_H, Qt::AltModifier);
        QCOMPARE(tabShown(), QStringLiteral("Historique du Magasin"));
        press(Qt::Key_J, Qt::AltModifier);
        QCOMPARE(tabShown(), QStringLiteral("Mouvements de la Journée"));
    }

    void tabKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("step");
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 1;
        QTest::newRow("Ctrl+PgDown") << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 1;
        QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier) << -1;
        QTest::newRow("Ctrl+PgUp") << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << -1;
    }
    void tabKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, step);
        const int count = window->PC0->count();
        for (int i = 1; i <= count; ++i) {
            press(key, Qt::KeyboardModifiers(modifiers));
            QCOMPARE(window->PC0->currentIndex(), ((i * step) % count + count) % count);
        }
    }

    // Tab leaves a grid for the next box without moving its row; F6 goes from grid to grid.
    void tabAndPanes()
    {
        DatasetGrid *articles = stock()->DBGrid1;
        DatasetGrid *movements = stock()->DBGrid2;
        QCOMPARE(QApplication::focusWidget(), articles);
        press(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != articles);
        QCOMPARE(currentCode(), QStringLiteral("101"));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), articles);
        QCOMPARE(currentCode(), QStringLiteral("101"));
        // Shift+Tab reaches "Désign." above the grid.
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("EFilterArticle"));

        press(Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), articles);
        press(Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), movements);
        press(Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), articles);
        press(Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), movements);
        // The current row stays marked while the focus is elsewhere.
        QCOMPARE(articles->palette().color(QPalette::Inactive, QPalette::Highlight),
                 articles->palette().color(QPalette::Active, QPalette::Highlight));
    }

    // A code typed in the article grid selects that article, else the first whose code starts with it,
    // from the top whatever the current row.
    void articleCodeTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::newRow("exact code before the current row") << "101"
                                                           << "101";
        QTest::newRow("exact code after it") << "1010"
                                             << "1010";
        QTest::newRow("start of codes") << "10"
                                        << "101";
        QTest::newRow("start of a code after the current row") << "90"
                                                               << "901";
        QTest::newRow("no code starts so") << "x"
                                           << "108";
    }
    void articleCodeTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 108));
        QTest::keyClicks(stock()->DBGrid1, typed);
        QCOMPARE(currentCode(), selected);
    }

    // Enter on the movement grid modifies its movement, Del deletes it (after the question).
    void movementGridKeys()
    {
        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 57));
        stock()->DBGrid2->setFocus();
        bool opened = false;
        RunWindowScripts<TFSTOCK3>(
            [] {
                press(Qt::Key_Return);
                return true;
            },
            {[&](TFSTOCK3 &w) {
                opened = true;
                QCOMPARE(w.windowTitle(), QStringLiteral("Modifier Mouvement"));
                QCOMPARE(w.numberLabel()->text(), QStringLiteral("n°~57"));
            }});
        QVERIFY(opened);
        // The main window is active again once the entry window has closed, as on a desktop.
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        stock()->DBGrid2->setFocus();
        answers.confirmations.push_back(true);
        press(Qt::Key_Delete);
        QCOMPARE(answers.questions.last(),
                 QStringLiteral(" Voulez-vous  Confirmer la Suppression du Mouvement Numéro ~ 57    ? "));
        QCOMPARE(Stock(*db).db_STOCK->recordCount(), 1);
    }

    // Enter acts as the double-click: a head-count list opens the day's window, a history row shows its
    // day, a menu box (Enter or Space) its meal's window.
    void enterAsDoubleClick()
    {
        showTab(QStringLiteral("Menu du Jour"));
        MenusPage *menus = window->page<MenusPage>();
        int opened = 0;
        RunWindowScripts<TFMenu_effect2>(
            [menus] {
                menus->LVEffectifs->setFocus();
                press(Qt::Key_Return);
                return true;
            },
            {[&](TFMenu_effect2 &) { ++opened; }});
        reactivate();
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Space)}) {
            RunWindowScripts<TFMenu_menu>(
                [menus, key] {
                    menus->menuBoxes[3]->setFocus();
                    press(key);
                    return true;
                },
                {[&](TFMenu_menu &) { ++opened; }});
            reactivate();
        }
        QCOMPARE(opened, 3);
        // Tab passes through the menu boxes without opening anything.
        menus->menuBoxes[0]->setFocus();
        press(Qt::Key_Tab);
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        showTab(QStringLiteral("Historique du Magasin"));
        auto *history = window->page<StoreHistoryPage>();
        history->LV->setFocus();
        history->LV->setCurrentCell(1, 0);
        press(Qt::Key_Return);
        QCOMPARE(db->selectedDay(), QDate(2009, 3, 3));
        QCOMPARE(tabShown(), QStringLiteral("Mouvements de la Journée"));
    }

    // "Affichage": the days first, then the sheets.
    void viewMenuOrder()
    {
        QMenu *view = nullptr;
        for (QAction *menu : window->menuBar()->actions()) {
            if (menu->text() == QStringLiteral("&Affichage"))
                view = menu->menu();
        }
        QVERIFY(view);
        QStringList captions;
        for (const QAction *a : view->actions()) {
            if (!a->isSeparator())
                captions << a->text();
        }
        QCOMPARE(captions, (QStringList{"Reculer la date d'une journée", "Avancer la date d'une journée",
                                        "Feuille de consommation précédente", "Feuille de consommation suivante"}));
    }

    // F10 opens the first menu.
    void menuKey()
    {
        press(Qt::Key_F10);
        QVERIFY(window->menuBar()->activeAction());
        QCOMPARE(window->menuBar()->activeAction(), window->menuBar()->actions().constFirst());
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
