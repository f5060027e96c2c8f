#include "FindWidget.h"
#include "TestHome.h"
#include "stock/DialogStockForms.h"
#include "common/Format.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "stock/ArticleWindow.h"
#include "stock/ListeDenrees.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zelvane;

// SUCRE (1) has two movements; HUILE (2) none.
class TestArticleWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    DialogStockForms windows; // the real entry windows answer the entry commands
    ScriptedPrompter prompts;

    void exec(const QString &sql) { ExecSql(db->database(), sql); }
    QVariant scalar(const QString &sql) { return ScalarSql(db->database(), sql); }
    QString articlesDump()
    {
        QSqlQuery q(db->database());
        QStringList rows;
        q.exec(QStringLiteral("select * from articles order by code_art"));
        while (q.next()) {
            QStringList values;
            for (int c = 0; c < q.record().count(); ++c)
                values << q.value(c).toString();
            rows << values.join(QLatin1Char('|'));
        }
        return rows.join(QLatin1Char('\n'));
    }

    bool run(const std::function<bool()> &command, const std::function<void(TFArticle &)> &script)
    {
        QTimer::singleShot(0, this, [&] {
            auto *w = qobject_cast<TFArticle *>(QApplication::activeModalWidget());
            QVERIFY(w);
            // Focus and shortcuts follow the active window, as on a desktop.
            QApplication::setActiveWindow(w);
            if (!QTest::qWaitForWindowActive(w))
                qWarning("the window did not become active");
            script(*w);
            if (w->isVisible())
                w->reject();
        });
        return command();
    }
    static void type(TFArticle &w, const QString &text) { QTest::keyClicks(w.focusWidget(), text); }
    static void enter(TFArticle &w) { QTest::keyClick(w.focusWidget(), Qt::Key_Return); }
    static void retype(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

private slots:
    void initTestCase() { setPrompter(&prompts); }
    void cleanupTestCase() { setPrompter(nullptr); }
    void init()
    {
        home = std::make_unique<TestHome>();
        db = home->openPrepared(2, 2009);
        QVERIFY(db);
        exec(QStringLiteral("delete from articles"));
        exec(QStringLiteral("delete from stock"));
        exec(QStringLiteral("insert into articles values (1,'SUCRE',90,1,10,85,0),(2,'HUILE',130,0,0,0,0)"));
        exec(QStringLiteral("insert into fournisseur (code_four, nom_prenom) values (1,'SARL EL BARAKA'),(2,'ETS BENALI')"));
        exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values"
                            "(1,1,10,'2009-03-09',20,90),(2,1,22,'2009-03-10',4,85.5)"));
        Stock(*db).db_ARTICLES->refresh();
        Stock(*db).db_ARTICLES->first();
        db->startSession(QDate(2009, 3, 10));
    }
    void cleanup()
    {
        db.reset();
        home.reset();
        prompts.messages.clear();
    }

    void addFromKeyboard()
    {
        const bool saved = run([&] { return EditArticle(Stock(*db), EntryMode::Add); }, [&](TFArticle &w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Article"));
            QVERIFY(!w.history());
            QCOMPARE(w.focusWidget(), w.codeBox());
            QCOMPARE(w.codeBox()->text(), QStringLiteral("3"));
            QVERIFY(!w.accepterButton()->isEnabled()); // no designation yet
            enter(w);
            type(w, QStringLiteral("lentilles"));
            QCOMPARE(w.designationBox()->text(), QStringLiteral("LENTILLES"));
            enter(w);
            type(w, QStringLiteral("150"));
            enter(w);
            type(w, QStringLiteral("2"));
            QCOMPARE(w.supplierList()->currentText(), QStringLiteral("ETS BENALI"));
            enter(w);
            type(w, QStringLiteral("12"));
            enter(w);
            type(w, QStringLiteral("140"));
            QCOMPARE(w.openingValue()->text(), FormatMontant(1680));
            enter(w);
            QCOMPARE(w.focusWidget(), w.accepterButton());
            enter(w);
        });
        QVERIFY(saved);
        QSqlQuery q(db->database());
        QVERIFY(q.exec(QStringLiteral("select designation,pu,code_four,qt31dec,pu31dec from articles where code_art=3")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("LENTILLES"));
        QCOMPARE(q.value(1).toDouble(), 150.0);
        QCOMPARE(q.value(2).toInt(), 2);
        QCOMPARE(q.value(3).toDouble(), 12.0);
        QCOMPARE(q.value(4).toDouble(), 140.0);
        const TDenree *d = Stock(*db).ListeDenrees()->FindDenree(3);
        QVERIFY(d);
        QCOMPARE(d->restes(), 12.0);
    }

    // Starting from a complete new article, one box changed; Escape leaves the table as it was.
    void validation_data()
    {
        QTest::addColumn<int>("box"); // 0 code, 1 designation, 2 price, 3 supplier, 4 opening quantity, 5 opening price
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepter");
        QTest::newRow("complete") << 2 << "12.5" << true;
        QTest::newRow("price not a number") << 2 << "12,5x" << false;
        QTest::newRow("price empty") << 2 << "" << false;
        QTest::newRow("designation of spaces") << 1 << "   " << false;
        QTest::newRow("code not a number") << 0 << "A1" << false;
        QTest::newRow("code -1") << 0 << "-1" << false;
        QTest::newRow("supplier cleared") << 3 << "" << true;
        QTest::newRow("supplier -1") << 3 << "-1" << false;
        QTest::newRow("opening quantity empty") << 4 << "" << false;
        QTest::newRow("opening price not a number") << 5 << "abc" << false;
    }
    void validation()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(bool, accepter);
        const QString before = articlesDump();
        const bool saved = run([&] { return EditArticle(Stock(*db), EntryMode::Add); }, [&](TFArticle &w) {
            retype(w.designationBox(), QStringLiteral("POIS CHICHES"));
            retype(w.priceBox(), QStringLiteral("100"));
            retype(w.supplierBox(), QStringLiteral("1"));
            retype(w.openingQuantityBox(), QStringLiteral("2"));
            retype(w.openingPriceBox(), QStringLiteral("90"));
            QVERIFY(w.accepterButton()->isEnabled());
            QLineEdit *changed = QList<QLineEdit *>{w.codeBox(), w.designationBox(), w.priceBox(), w.supplierBox(),
                                                    w.openingQuantityBox(), w.openingPriceBox()}
                                     .at(box);
            retype(changed, text);
            QCOMPARE(w.accepterButton()->isEnabled(), accepter);
            if (box == 3 && text.isEmpty()) {
                QCOMPARE(Stock(*db).db_ARTICLES->value(QStringLiteral("CODE_FOUR")).toInt(), 0);
                QCOMPARE(w.supplierList()->currentIndex(), -1);
            }
            QTest::keyClick(w.focusWidget(), Qt::Key_Escape);
        });
        QVERIFY(!saved);
        QCOMPARE(articlesDump(), before);
        QCOMPARE(Stock(*db).db_ARTICLES->state(), Dataset::State::Browse);
    }

    void modifyShowsHistoryAndCancelWritesNothing()
    {
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 1));
        const QString before = articlesDump();
        const bool saved = run([&] { return EditArticle(Stock(*db), EntryMode::Modify); }, [&](TFArticle &w) {
            QTableWidget *history = w.history();
            QVERIFY(history);
            QCOMPARE(history->rowCount(), 2);
            QStringList second;
            for (int c = 0; c < 6; ++c)
                second << history->item(1, c)->text();
            QCOMPARE(second, (QStringList{"2", "10/03/2009", "Sortie", "4.00", "85.50", "342.00"}));
            QCOMPARE(w.openingValue()->text(), FormatMontant(850));
            // Its movements hold the code.
            QVERIFY(w.codeBox()->isReadOnly());
            retype(w.designationBox(), QStringLiteral("SUCRE ROUX"));
            retype(w.openingQuantityBox(), QStringLiteral("11"));
            QCOMPARE(w.openingValue()->text(), FormatMontant(935));
            QPushButton *cancel = FindByText<QPushButton>(&w, QStringLiteral("Annuler"));
            QVERIFY(cancel);
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        QVERIFY(!saved);
        QCOMPARE(articlesDump(), before);
        QCOMPARE(Stock(*db).ListeDenrees()->FindDenree(1)->qt31dec, 10.0);
    }

    void modifySaves()
    {
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 2));
        const bool saved = run([&] { return EditArticle(Stock(*db), EntryMode::Modify); }, [&](TFArticle &w) {
            QCOMPARE(w.history()->rowCount(), 0);
            QVERIFY(!w.codeBox()->isReadOnly());
            retype(w.openingQuantityBox(), QStringLiteral("7"));
            retype(w.openingPriceBox(), QStringLiteral("120"));
            QTest::mouseClick(w.accepterButton(), Qt::LeftButton);
        });
        QVERIFY(saved);
        QCOMPARE(scalar(QStringLiteral("select qt31dec*pu31dec from articles where code_art=2")).toDouble(), 840.0);
        QCOMPARE(Stock(*db).ListeDenrees()->FindDenree(2)->restes(), 7.0); // reflected at once
    }
};

QTEST_MAIN(TestArticleWindow)
#include "test_article_window.moc"
