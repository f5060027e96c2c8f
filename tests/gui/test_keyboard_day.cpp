#include "FindWidget.h"
#include "Shot.h"
#include "TestHome.h"
#include "WindowScripts.h"
#include "app/MainWindow.h"
#include "common/Profile.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "menus/MenuDayWindow.h"
#include "menus/MenusPage.h"
#include "menus/StaffWindow.h"
#include "print/PrevForm.h"
#include "reports/PrintMenu.h"
#include "stock/MovementWindow.h"
#include "stock/StockModule.h"
#include "stock/StockPage.h"
#include "suppliers/SupplierWindow.h"
#include "users/LoginWindow.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QtTest>

using namespace zelvane;

namespace {

// Every key goes to the focused widget of the active window (or the open menu), as from a keyboard.
void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                        : QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(k), modifiers);
}
void type(const QString &text)
{
    for (const QChar c : text)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
}
// Enter until the focus reaches the button, then Enter on it.
void enterUntil(QWidget *button)
{
    for (int n = 0; n < 40 && QApplication::focusWidget() != button; ++n)
        key(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), button);
    key(Qt::Key_Return);
}
// F6 until the focus is on the grid or list.
void paneTo(QWidget *target)
{
    for (int n = 0; n < 6 && QApplication::focusWidget() != target; ++n)
        key(Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), target);
}
// Runs keys that open a window later (after the key's own event), then plays script on it.
template<typename Window>
void keysOpening(const std::function<void()> &keys, const std::function<void(Window &)> &script)
{
    // The window under a closed modal window becomes active again, as on a desktop.
    QWidget *under = QApplication::activeWindow();
    bool played = false;
    RunWindowScripts<Window>(
        [&] {
            keys();
            return QTest::qWaitFor([&] { return played; }, 5000);
        },
        {[&](Window &w) {
            script(w);
            played = true;
        }});
    QVERIFY(played);
    if (under) {
        QApplication::setActiveWindow(under);
        QVERIFY(QTest::qWaitForWindowActive(under));
    }
}

} // namespace

// A whole day typed by keys alone on the real windows: log in, an entry from a new supplier, an exit for
// each meal, a correction and a deletion, the head-counts and menus, a hospitalised person, the next day,
// and the day's consumption sheet in the preview; then the file holds what was typed.
class TestKeyboardDay : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    std::unique_ptr<TFZelvane> window;
    QString file;

    QVariant scalar(const QString &sql)
    {
        QSqlQuery query(db->database());
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }

public slots:
    void ignoreUrl(const QUrl &) {}

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        file = home->preparedFile(2, 2009);
        {
            TestData setup;
            QCOMPARE(
                setup.OpenDatabaseFile(QString::fromLatin1(kAlias), file, false, true, QString::fromLatin1(kSchemaTag)),
                int(OpenOk));
            QSqlQuery(setup.database())
                .exec(QStringLiteral("insert into users values ('ADMIN','SECRET','A'),('CAISSE','CASH','B')"));
        }
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), file);
        db = std::make_unique<TestData>();
        window = std::make_unique<TFZelvane>(*db);
        window->resize(1366, 740);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup()
    {
        window.reset();
        db.reset();
        home.reset();
    }

    void aWholeDay()
    {
        ScriptedPrompter answers; // the plain questions: the deletion is confirmed
        setPrompter(&answers);
        answers.confirmations = {true};

        // Log in: the password and Enter.
        RunWindowScripts<TFCHECKPWD>(
            [this] {
                window->Action_connectExecute();
                return true;
            },
            {[](TFCHECKPWD &w) {
                shot(w, "login");
                type(QStringLiteral("SECRET"));
                key(Qt::Key_Return);
            }});
        QVERIFY2(db->isConnected(), qPrintable(window->statusText()));
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(db->CurrentUser, QStringLiteral("ADMIN"));

        // The day: Ctrl+J, the date, Enter.
        key(Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), window->EDate_du_jour);
        type(QStringLiteral("10/03/2009"));
        key(Qt::Key_Return);
        QCOMPARE(db->selectedDay(), QDate(2009, 3, 10));

        // An entry of 101 from a supplier typed for the first time: the supplier window opens on leaving
        // the code, then the entry goes on to "Accepter".
        StockPage *stock = window->page<StockPage>();
        paneTo(stock->DBGrid1);
        type(QStringLiteral("101"));
        QCOMPARE(Stock(*db).db_ARTICLES->intValue(QStringLiteral("CODE_ART")), 101);
        keysOpening<TFSTOCK3>([] { key(Qt::Key_Insert); },
                              [](TFSTOCK3 &w) {
                                  type(QStringLiteral("100"));
                                  key(Qt::Key_Return);
                                  type(QStringLiteral("40"));
                                  // No supplier yet: reaching the supplier's code opens the supplier window.
                                  keysOpening<TFFournisseur>([] { key(Qt::Key_Return); },
                                                             [](TFFournisseur &f) {
                                                                 type(QStringLiteral("SARL EL AMEL"));
                                                                 shot(f, "supplier");
                                                                 enterUntil(f.accepterButton());
                                                             });
                                  QCOMPARE(w.supplierBox()->text(), QStringLiteral("1"));
                                  QCOMPARE(QApplication::focusWidget(), w.supplierBox());
                                  key(Qt::Key_Return);
                                  type(QStringLiteral("12"));
                                  QCOMPARE(w.orderNumberBox()->text(), QStringLiteral("12"));
                                  shot(w, "movement-entry");
                                  enterUntil(w.accepterButton());
                              });
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock where nat_op=10 and code_art=101")).toInt(), 1);
        QCOMPARE(scalar(QStringLiteral("select nom_prenom from fournisseur f join stock s on s.code_four=f.code_four "
                                       "where s.nat_op=10"))
                     .toString(),
                 QStringLiteral("SARL EL AMEL"));

        // An exit for each meal: Ins, the meal's key, the quantity, Enter to "Accepter".
        const std::pair<int, int> meals[] = {{Qt::Key_P, 21}, {Qt::Key_S, 22}, {Qt::Key_G, 23}, {Qt::Key_D, 24}};
        for (const auto &[boundKey, boundNature] : meals) {
            const int mealKey = boundKey, nature = boundNature; // clang 14 cannot capture a structured binding

            QCOMPARE(QApplication::focusWidget(), stock->DBGrid1); // where each entry leaves it
            keysOpening<TFSTOCK3>([] { key(Qt::Key_Insert); },
                                  [mealKey, nature](TFSTOCK3 &w) {
                                      key(mealKey, Qt::ControlModifier);
                                      QVERIFY(w.natureButton(nature)->isChecked());
                                      type(QStringLiteral("10"));
                                      if (nature == 24)
                                          shot(w, "movement-dinner");
                                      enterUntil(w.accepterButton());
                                  });
        }
        QCOMPARE(scalar(QStringLiteral("select group_concat(nat_op) from (select nat_op from stock where nat_op>20 "
                                       "order by nat_op)"))
                     .toString(),
                 QStringLiteral("21,22,23,24"));

        // A correction and a deletion in the movement grid: F6 to it, Enter modifies, Del deletes.
        key(Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), stock->DBGrid2);
        key(Qt::Key_End);
        keysOpening<TFSTOCK3>([] { key(Qt::Key_Return); },
                              [](TFSTOCK3 &w) {
                                  QCOMPARE(QApplication::focusWidget(), w.quantityBox());
                                  type(QStringLiteral("12"));
                                  enterUntil(w.accepterButton());
                              });
        QCOMPARE(scalar(QStringLiteral("select quantite from stock where nat_op=24")).toDouble(), 12.0);
        paneTo(stock->DBGrid2);
        key(Qt::Key_Home);
        key(Qt::Key_Down);
        const qint64 deleted = Stock(*db).db_STOCK->intValue(QStringLiteral("NUM_MVT"));
        key(Qt::Key_Delete);
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock where num_mvt=%1").arg(deleted)).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), 4);
        shot(*window, "stock-tab");

        // The head-counts and menus: Alt+N shows "Menu du Jour", Enter on the head-count list opens its
        // window; the lunch column typed, Tab to the menus, Tab to "Accepter".
        key(Qt::Key_N, Qt::AltModifier);
        QCOMPARE(window->tabCaption(window->PC0->currentIndex()), QStringLiteral("Menu du Jour"));
        MenusPage *menus = window->page<MenusPage>();
        paneTo(menus->LVEffectifs);
        keysOpening<TFMenu_effect2>([] { key(Qt::Key_Return); },
                                    [](TFMenu_effect2 &w) {
                                        w.StringGrid1->setCurrentCell(0, 2);
                                        type(QStringLiteral("120"));
                                        key(Qt::Key_Return);
                                        type(QStringLiteral("30"));
                                        key(Qt::Key_Tab);
                                        key(Qt::Key_Tab);
                                        type(QStringLiteral("Couscous"));
                                        shot(w, "head-counts");
                                        enterUntil(FindByText<QPushButton>(&w, QStringLiteral("Accepter")));
                                    });
        QCOMPARE(scalar(QStringLiteral("select sum(m2) from menu_effect where date_menu='2009-03-10'")).toInt(), 150);
        QCOMPARE(scalar(QStringLiteral("select menu2 from menu_menu where date_menu='2009-03-10'")).toString(),
                 QStringLiteral("Couscous"));

        // A hospitalised person: Enter on the empty staff grid adds one.
        paneTo(menus->DBGridPersonnel);
        keysOpening<TFMenu_liste>([] { key(Qt::Key_Return); },
                                  [](TFMenu_liste &w) {
                                      type(QStringLiteral("BENALI AHMED"));
                                      key(Qt::Key_Return);
                                      type(QStringLiteral("1"));
                                      shot(w, "hospitalised");
                                      enterUntil(w.acceptButton);
                                  });
        QCOMPARE(scalar(QStringLiteral("select nom from menu_liste where date_menu='2009-03-10'")).toString(),
                 QStringLiteral("BENALI AHMED"));
        shot(*window, "menus-tab");
        window->PC0->setCurrentIndex(2);
        shot(*window, "history-tab");
        window->PC0->setCurrentIndex(1);

        // The next day through the "Affichage" menu, then back to the 10th with Ctrl+J.
        key(Qt::Key_A, Qt::AltModifier);
        QVERIFY(QApplication::activePopupWidget());
        key(Qt::Key_Down);
        key(Qt::Key_Return);
        QCOMPARE(db->selectedDay(), QDate(2009, 3, 11));
        key(Qt::Key_J, Qt::ControlModifier);
        type(QStringLiteral("10/03/2009"));
        key(Qt::Key_Return);

        // The day's consumption sheet in the preview: Ctrl+P, the first document, Enter.
        bool previewed = false;
        keysOpening<TFQUILLON_PRNMENU>([] { key(Qt::Key_P, Qt::ControlModifier); },
                                       [&](TFQUILLON_PRNMENU &w) {
                                           QCOMPARE(w.LB->currentRow(), 0);
                                           shot(w, "documents");
                                           keysOpening<TPrevForm>([] { key(Qt::Key_Return); },
                                                                  [&](TPrevForm &preview) {
                                                                      shot(preview, "preview");
                                                                      previewed = preview.StatusPanel1->text().contains(
                                                                          QStringLiteral("Nombre de page : "));
                                                                      key(Qt::Key_Escape);
                                                                  });
                                           key(Qt::Key_Escape);
                                       });
        QVERIFY(previewed);

        // The file holds the day as typed.
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock where date_op='2009-03-10'")).toInt(), 4);
        QCOMPARE(scalar(QStringLiteral("select count(*) from fournisseur")).toInt(), 1);
        setPrompter(nullptr);
    }
};

QTEST_MAIN(TestKeyboardDay)
#include "test_keyboard_day.moc"
