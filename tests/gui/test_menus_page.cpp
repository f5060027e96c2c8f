#include "DesktopTest.h"
#include "FindWidget.h"
#include "StoreFixture.h"
#include "WindowScripts.h"
#include "app/MainWindow.h"
#include "common/Paths.h"
#include "common/Profile.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "menus/HistoryPage.h"
#include "menus/MenuDayWindow.h"
#include "menus/MenuTextWindow.h"
#include "menus/MenusPage.h"
#include "menus/StaffWindow.h"
#include "stock/StockModule.h"
#include "users/UserForms.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using namespace zelvane;

// The "Menu du Jour" and "Historique du Magasin" tabs of the main window on a small year, typed from the
// keyboard as a manager types a day.
class TestMenusPage : public DesktopTest
{
    Q_OBJECT

    void exec(const QString &sql) { ExecSql(db->database(), sql); }
    QVariant scalar(const QString &sql) { return ScalarSql(db->database(), sql); }
    MenusPage *page() const { return window->page<MenusPage>(); }
    bool enabled(CommandId id) const { return window->action(id)->isEnabled(); }
    void showTab(const QString &caption)
    {
        for (int i = 0; i < window->PC0->count(); ++i) {
            if (window->tabCaption(i) == caption)
                window->PC0->setCurrentIndex(i);
        }
        QCOMPARE(window->tabCaption(window->PC0->currentIndex()), caption);
    }
    // Each key goes where the focus is, as on a keyboard: a cell's editor once typing has opened it.
    static void typeInto(QWidget *w, const QString &text, bool enter = true)
    {
        w->setFocus();
        for (const QChar c : text)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
        if (enter)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    static QString cell(QTableWidget *list, int row, int column)
    {
        return list->item(row, column) ? list->item(row, column)->text().trimmed() : QString();
    }

private slots:
    void init()
    {
        showConnected({1400, 900});
        StoreFixture(db->database())
            .movement(55, 101, 10, QStringLiteral("2009-03-03"), 100, 40)
            .movement(56, 101, 22, QStringLiteral("2009-03-10"), 10, 40)
            .movement(57, 101, 24, QStringLiteral("2009-03-10"), 5, 40);
        db->selectDay(QDate(2009, 3, 10));
    }
    void cleanup() { closeWindow(); }

    // Head-counts typed down the lunch column then into the dinner column, a menu typed, the totals row
    // beyond reach; the tab shows what was accepted.
    void typeHeadCountsAndMenus()
    {
        showTab(QStringLiteral("Menu du Jour"));
        QCOMPARE(page()->LVEffectifs->rowCount(), 7);
        QCOMPARE(page()->figures[1]->text().trimmed(), QStringLiteral("600.00"));
        QCOMPARE(page()->figures[2]->text().trimmed(), QStringLiteral("0.00"));

        const bool saved = RunWindowScripts<TFMenu_effect2>(
            [this] {
                page()->BitBtn24Click();
                return true;
            },
            {[](TFMenu_effect2 &w) {
                HeadCountTable *grid = w.StringGrid1;
                QCOMPARE(grid->rowCount(), 8);
                QCOMPARE(grid->item(7, 0)->text(), QStringLiteral("TOTAUX"));
                QVERIFY(!(grid->item(7, 2)->flags() & Qt::ItemIsSelectable));
                grid->setCurrentCell(0, 2);
                for (int r = 0; r < 7; ++r)
                    typeInto(grid, r == 0 ? QStringLiteral("120") : r == 1 ? QStringLiteral("x1") : QString());
                // From the last category Enter went to the first row of the dinner column.
                QCOMPARE(grid->currentRow(), 0);
                QCOMPARE(grid->currentColumn(), 3);
                grid->setCurrentCell(0, 4);
                typeInto(grid, QStringLiteral("80"));
                QCOMPARE(grid->currentRow(), 1);
                QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("1")); // the letter was refused as typed
                QCOMPARE(grid->item(7, 2)->text(), QStringLiteral("121"));
                QCOMPARE(grid->item(7, 4)->text(), QStringLiteral("80"));
                typeInto(w.menuBoxes[1], QStringLiteral("Couscous \"maison\""), false);
                QTest::mouseClick(FindByText<QPushButton>(&w, QStringLiteral("Accepter")), Qt::LeftButton);
            }});
        Q_UNUSED(saved);
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_effect")).toInt(), 2);
        QCOMPARE(cell(page()->LVEffectifs, 0, 2), QStringLiteral("120"));
        QCOMPARE(cell(page()->LVEffectifs, 0, 4), QStringLiteral("80"));
        QCOMPARE(cell(page()->LVRecapitulation, 0, 2), QStringLiteral("121"));
        QCOMPARE(page()->figures[0]->text().trimmed(), QStringLiteral("100"));
        QCOMPARE(page()->figures[2]->text().trimmed(), QStringLiteral("6.00"));
        QCOMPARE(page()->menuBoxes[1]->toPlainText(), QStringLiteral("Couscous \"maison\""));

        // A click in the dinner box opens its menu window; the text is cut at the column's width.
        RunWindowScripts<TFMenu_menu>(
            [this] {
                page()->DBMemo1Enter(4);
                return true;
            },
            {[](TFMenu_menu &w) {
                QTest::keyClicks(w.DBMemo1, QString(260, QLatin1Char('s')));
                QCOMPARE(w.DBMemo1->toPlainText().size(), 250);
                w.accept();
            }});
        QCOMPARE(page()->menuBoxes[3]->toPlainText().size(), 250);

        // The next day shows nothing of this one.
        window->moveDay(1);
        QCOMPARE(cell(page()->LVEffectifs, 0, 2), QStringLiteral("0"));
        QCOMPARE(page()->menuBoxes[1]->toPlainText(), QString());
    }

    // The head-count window from the keyboard: a count typed over another replaces it, the totals follow
    // each key, Escape in a cell cancels that cell only, Tab leaves the table for the menus and "Accepter",
    // and closing with changes asks first.
    void headCountWindowKeys()
    {
        showTab(QStringLiteral("Menu du Jour"));
        RunWindowScripts<TFMenu_effect2>(
            [this] {
                page()->BitBtn24Click();
                return true;
            },
            {[this](TFMenu_effect2 &w) {
                HeadCountTable *grid = w.StringGrid1;
                QCOMPARE(w.findChild<QTabWidget *>()->tabText(0), QStringLiteral("Menu du Jour"));
                const auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
                };
                grid->setCurrentCell(0, 2);
                typeInto(grid, QStringLiteral("50"));
                grid->setCurrentCell(0, 2);
                typeInto(grid, QStringLiteral("2"));
                QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("2"));
                QCOMPARE(grid->currentRow(), 1);
                typeInto(grid, QStringLiteral("3"), false);
                QCOMPARE(grid->item(7, 2)->text(), QStringLiteral("5")); // while the cell is typed
                key(Qt::Key_Backspace);
                QCOMPARE(grid->item(7, 2)->text(), QStringLiteral("2"));
                typeInto(grid, QStringLiteral("40"), false);
                QCOMPARE(grid->item(7, 2)->text(), QStringLiteral("42"));
                key(Qt::Key_Escape);
                QVERIFY(w.isVisible());
                QCOMPARE(grid->item(1, 2)->text(), QString());
                QCOMPARE(grid->item(7, 2)->text(), QStringLiteral("2"));

                // Tab from the table (a cell being typed or not) to the four menus, then "Accepter".
                typeInto(grid, QStringLiteral("7"), false);
                key(Qt::Key_Tab);
                QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("7"));
                QCOMPARE(QApplication::focusWidget(), w.menuBoxes[0]);
                for (int meal = 1; meal < 4; ++meal) {
                    key(Qt::Key_Tab);
                    QCOMPARE(QApplication::focusWidget(), w.menuBoxes[meal]);
                }
                key(Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), FindByText<QPushButton>(&w, QStringLiteral("Accepter")));
                key(Qt::Key_Backtab, Qt::ShiftModifier);
                key(Qt::Key_Backtab, Qt::ShiftModifier);
                key(Qt::Key_Backtab, Qt::ShiftModifier);
                key(Qt::Key_Backtab, Qt::ShiftModifier);
                key(Qt::Key_Backtab, Qt::ShiftModifier);
                QCOMPARE(QApplication::focusWidget(), grid);

                // Escape with changes asks; No (the default) keeps the window and what was typed.
                key(Qt::Key_Escape);
                QCOMPARE(answers.questions, QStringList{QStringLiteral("Abandonner les modifications ?")});
                QVERIFY(w.isVisible());
                QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("2"));
                answers.yesNoAnswers.push_back(true);
                FindByText<QPushButton>(&w, QStringLiteral("Annuler"))->click();
                QVERIFY(!w.isVisible());
            }});
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_effect")).toInt(), 0);
        QCOMPARE(answers.questions.size(), 2);

        // Unchanged, the window closes on Escape without a question.
        RunWindowScripts<TFMenu_effect2>(
            [this] {
                page()->BitBtn24Click();
                return true;
            },
            {[](TFMenu_effect2 &w) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                QVERIFY(!w.isVisible());
            }});
        QCOMPARE(answers.questions.size(), 2);
    }

    // Two persons added from the keyboard; their totals carried into category 6 replace a typed count.
    void hospitalisedStaff()
    {
        exec(QStringLiteral("insert into menu_effect values ('2009-03-10',6,0,9,0,9)"));
        showTab(QStringLiteral("Menu du Jour"));
        QVERIFY(enabled(cmd::AjouterHospitalise) && enabled(cmd::ActualiserHospitalises));
        QVERIFY(!enabled(cmd::ModifierHospitalise) && !enabled(cmd::SupprimerHospitalise));
        const QStringList names = {QStringLiteral("ben m'hidi"), QStringLiteral("kaci")};
        for (const QString &name : names) {
            RunWindowScripts<TFMenu_liste>(
                [this] {
                    window->action(cmd::AjouterHospitalise)->trigger();
                    return true;
                },
                {[name](TFMenu_liste &w) {
                    typeInto(w.nom, name);
                    typeInto(w.meals[0], QStringLiteral("1"));
                    typeInto(w.meals[1], QStringLiteral("1"));
                    // The snack is skipped: Enter goes from lunch to dinner.
                    QCOMPARE(QApplication::focusWidget(), w.meals[3]);
                    typeInto(w.meals[3], QStringLiteral("1"));
                    QCOMPARE(QApplication::focusWidget(), w.acceptButton);
                    QTest::keyClick(w.acceptButton, Qt::Key_Space);
                }});
        }
        QCOMPARE(scalar(QStringLiteral("select group_concat(num_ord||nom, ',') from menu_liste")).toString(),
                 QStringLiteral("1BEN M'HIDI,2KACI"));
        QCOMPARE(page()->DBGridPersonnel->model()->rowCount(), 2);
        QVERIFY(enabled(cmd::ModifierHospitalise) && enabled(cmd::SupprimerHospitalise));
        window->action(cmd::ActualiserHospitalises)->trigger();
        QCOMPARE(cell(page()->LVEffectifs, 5, 2), QStringLiteral("2"));
        QCOMPARE(cell(page()->LVEffectifs, 5, 4), QStringLiteral("2"));
    }

    // The history selects the selected day's row, its chart marks that day, and a double-click on another
    // row takes the window to that day's movements; the opening row does nothing.
    void historyTab()
    {
        exec(QStringLiteral("insert into menu_effect values ('2009-03-05',1,0,50,0,0)"));
        showTab(QStringLiteral("Historique du Magasin"));
        StoreHistoryPage *history = window->page<StoreHistoryPage>();
        QTableWidget *list = history->LV;
        QCOMPARE(list->rowCount(), 4);
        QCOMPARE(cell(list, 0, 0), QStringLiteral("31/12/2008"));
        QCOMPARE(cell(list, 2, 0), QStringLiteral("05/03/2009"));
        QCOMPARE(cell(list, 2, 5), QStringLiteral("50"));
        QCOMPARE(list->currentRow(), 3);
        QCOMPARE(history->selectedStore->count(), 1);
        QCOMPARE(history->storeSeries->count(), 4);

        list->setCurrentCell(0, 0);
        history->LVDblClick();
        QCOMPARE(db->selectedDay(), QDate(2009, 3, 10));
        QCOMPARE(window->tabCaption(window->PC0->currentIndex()), QStringLiteral("Historique du Magasin"));

        list->setCurrentCell(1, 0);
        QCOMPARE(history->selectedStore->at(0).y(), 4000.0 + 0);
        history->LVDblClick();
        QCOMPARE(db->selectedDay(), QDate(2009, 3, 3));
        QCOMPARE(window->tabCaption(window->PC0->currentIndex()), QStringLiteral("Mouvements de la Journée"));
        QCOMPARE(window->SBDate_du_jour->text(), QStringLiteral("Journée du 03/03/2009"));
    }
};

QTEST_MAIN(TestMenusPage)
#include "test_menus_page.moc"
