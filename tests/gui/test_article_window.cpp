#include "FileTest.h"
#include "FindWidget.h"
#include "StoreFixture.h"
#include "WindowScripts.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "stock/ArticleWindow.h"
#include "stock/DialogStockForms.h"
#include "stock/ListeDenrees.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zelvane;

// SUCRE (1) has two movements; HUILE (2) none.
class TestArticleWindow : public FileTest
{
    Q_OBJECT

    DialogStockForms windows; // the real entry windows answer the entry commands

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

    bool runEach(const std::function<bool()> &command, const QList<std::function<void(TFArticle &)>> &scripts)
    {
        return RunWindowScripts<TFArticle>(command, scripts);
    }
    bool run(const std::function<bool()> &command, const std::function<void(TFArticle &)> &script)
    {
        return runEach(command, {script});
    }
    static QStringList texts(TFArticle &w)
    {
        QStringList t;
        for (QLineEdit *box : {w.codeBox(), w.designationBox(), w.priceBox(), w.supplierBox(), w.openingQuantityBox(),
                               w.openingPriceBox()})
            t << box->text();
        return t;
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
    void init()
    {
        openFile();
        exec(QStringLiteral("delete from stock"));
        StoreFixture(db->database())
            .noArticles()
            .article(1, QStringLiteral("SUCRE"), 90, 10, 85, 1)
            .article(2, QStringLiteral("HUILE"), 130)
            .usualSuppliers()
            .movement(1, 1, 10, QStringLiteral("2009-03-09"), 20, 90)
            .movement(2, 1, 22, QStringLiteral("2009-03-10"), 4, 85.5);
        Stock(*db).db_ARTICLES->refresh();
        Stock(*db).db_ARTICLES->first();
        db->startSession(QDate(2009, 3, 10));
    }
    void cleanup() { closeFile(); }

    void addFromKeyboard()
    {
        const bool saved = run([&] { return EditArticle(Stock(*db), EntryMode::Add); },
                               [&](TFArticle &w) {
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
        QVERIFY(
            q.exec(QStringLiteral("select designation,pu,code_four,qt31dec,pu31dec from articles where code_art=3")));
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

    // Starting from a complete new article, one box typed again: the number boxes keep only what can be a
    // number of their column; Escape leaves the table as it was.
    void validation_data()
    {
        QTest::addColumn<int>("box"); // 0 code, 1 designation, 2 price, 3 supplier, 4 opening quantity, 5 opening price
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("accepter");
        QTest::newRow("complete") << 2 << "12.5"
                                  << "12.5" << true;
        QTest::newRow("letter and comma in the price") << 2 << "12,5x"
                                                       << "12.5" << true;
        QTest::newRow("third decimal of the price") << 2 << "12.505"
                                                    << "12.50" << true;
        QTest::newRow("price of letters only") << 2 << "abc"
                                               << "" << false;
        QTest::newRow("price empty") << 2 << ""
                                     << "" << false;
        QTest::newRow("designation of spaces") << 1 << "   "
                                               << "   " << false;
        QTest::newRow("designation in capitals") << 1 << "pois 2"
                                                 << "POIS 2" << true;
        QTest::newRow("letter in the code") << 0 << "A7"
                                            << "7" << true;
        QTest::newRow("code -1") << 0 << "-1"
                                 << "1" << true; // taken, which Accepter says
        QTest::newRow("point in the code") << 0 << "7.5"
                                           << "75" << true;
        QTest::newRow("supplier cleared") << 3 << ""
                                          << "" << true;
        QTest::newRow("supplier -1") << 3 << "-1"
                                     << "1" << true;
        QTest::newRow("opening quantity empty") << 4 << ""
                                                << "" << false;
        QTest::newRow("minus sign in the opening quantity") << 4 << "-2"
                                                            << "2" << true;
        QTest::newRow("opening price of letters") << 5 << "abc"
                                                  << "" << false;
    }
    void validation()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(bool, accepter);
        const QString before = articlesDump();
        const bool saved = run(
            [&] { return EditArticle(Stock(*db), EntryMode::Add); },
            [&](TFArticle &w) {
                retype(w.designationBox(), QStringLiteral("POIS CHICHES"));
                retype(w.priceBox(), QStringLiteral("100"));
                retype(w.supplierBox(), QStringLiteral("1"));
                retype(w.openingQuantityBox(), QStringLiteral("2"));
                retype(w.openingPriceBox(), QStringLiteral("90"));
                QVERIFY(w.accepterButton()->isEnabled());
                QLineEdit *changed = QList<QLineEdit *>{w.codeBox(),     w.designationBox(),     w.priceBox(),
                                                        w.supplierBox(), w.openingQuantityBox(), w.openingPriceBox()}
                                         .at(box);
                retype(changed, text);
                QCOMPARE(changed->text(), shown);
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

    // Accepter on a code another article holds says so and leaves the window open on what was typed; the
    // code typed again, the article is saved once.
    void takenCodeKeepsWindowOpen_data()
    {
        QTest::addColumn<int>("mode"); // EntryMode
        QTest::addColumn<int>("code"); // the code saved
        QTest::newRow("new article") << int(EntryMode::Add) << 3;
        QTest::newRow("article without movements") << int(EntryMode::Modify) << 2;
    }
    void takenCodeKeepsWindowOpen()
    {
        QFETCH(int, mode);
        QFETCH(int, code);
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 2));
        const int rows = Stock(*db).db_ARTICLES->recordCount();
        const bool saved = run(
            [&] { return EditArticle(Stock(*db), EntryMode(mode)); },
            [&](TFArticle &w) {
                retype(w.codeBox(), QStringLiteral("1"));
                retype(w.designationBox(), QStringLiteral("lait"));
                retype(w.priceBox(), QStringLiteral("40"));
                retype(w.supplierBox(), QStringLiteral("2"));
                retype(w.openingQuantityBox(), QStringLiteral("6"));
                retype(w.openingPriceBox(), QStringLiteral("38.5"));
                const QStringList typed = texts(w);
                QTest::mouseClick(w.accepterButton(), Qt::LeftButton);
                QCOMPARE(prompts.messages,
                         QStringList{QStringLiteral("Le code article 1 existe déjà : choisissez un autre code.")});
                QVERIFY(w.isVisible());
                QCOMPARE(texts(w), typed);
                QCOMPARE(w.supplierList()->currentText(), QStringLiteral("ETS BENALI"));
                QCOMPARE(w.focusWidget(), w.codeBox());
                QCOMPARE(Stock(*db).db_ARTICLES->recordCount(), rows + (mode == int(EntryMode::Add) ? 1 : 0));
                QCOMPARE(scalar(QStringLiteral("select designation from articles where code_art=1")).toString(),
                         QStringLiteral("SUCRE"));

                type(w, QString::number(code));
                QTest::mouseClick(w.accepterButton(), Qt::LeftButton);
            });
        QVERIFY(saved);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(scalar(QStringLiteral("select count(*) from articles")).toInt(), mode == int(EntryMode::Add) ? 3 : 2);
        QCOMPARE(scalar(QStringLiteral(
                            "select designation||'|'||pu||'|'||code_four||'|'||qt31dec||'|'||pu31dec from articles"
                            " where code_art=%1")
                            .arg(code))
                     .toString(),
                 QStringLiteral("LAIT|40.0|2|6.0|38.5"));
        QCOMPARE(
            scalar(QStringLiteral("select count(*) from articles where code_art=1 and designation='SUCRE'")).toInt(),
            1);
    }

    // A post the file refuses says why, and the window opens again on what was typed.
    void refusedPostOpensAgainOnTypedValues()
    {
        exec(QStringLiteral("create trigger refuse_lait before insert on articles when new.designation='LAIT'"
                            " begin select raise(abort, 'article refusé'); end"));
        QStringList typed;
        const bool saved = runEach([&] { return EditArticle(Stock(*db), EntryMode::Add); },
                                   {[&](TFArticle &w) {
                                        type(w, QStringLiteral("7"));
                                        enter(w);
                                        type(w, QStringLiteral("lait"));
                                        retype(w.priceBox(), QStringLiteral("40"));
                                        retype(w.supplierBox(), QStringLiteral("2"));
                                        retype(w.openingQuantityBox(), QStringLiteral("6"));
                                        retype(w.openingPriceBox(), QStringLiteral("38.5"));
                                        typed = texts(w);
                                        QTest::mouseClick(w.accepterButton(), Qt::LeftButton);
                                        QVERIFY(!w.isVisible());
                                    },
                                    [&](TFArticle &w) {
                                        QCOMPARE(prompts.messages.size(), 1);
                                        QVERIFY(prompts.messages.first().startsWith(QStringLiteral(" --- :")));
                                        QVERIFY(prompts.messages.first().contains(QStringLiteral("article refusé")));
                                        // Numbers come back in the edit format.
                                        QCOMPARE(texts(w), (QStringList{"7", "LAIT", "40.00", "2", "6.00", "38.50"}));
                                        QCOMPARE(w.supplierList()->currentText(), QStringLiteral("ETS BENALI"));
                                        QCOMPARE(w.openingValue()->text(), FormatMontant(231));
                                        exec(QStringLiteral("drop trigger refuse_lait"));
                                        QTest::mouseClick(w.accepterButton(), Qt::LeftButton);
                                    }});
        QVERIFY(saved);
        QCOMPARE(typed, (QStringList{"7", "LAIT", "40", "2", "6", "38.5"}));
        QCOMPARE(scalar(QStringLiteral("select count(*) from articles")).toInt(), 3);
        QCOMPARE(scalar(QStringLiteral("select designation||'|'||pu31dec from articles where code_art=7")).toString(),
                 QStringLiteral("LAIT|38.5"));
    }

    void modifyShowsHistoryAndCancelWritesNothing()
    {
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 1));
        const QString before = articlesDump();
        const bool saved = run(
            [&] { return EditArticle(Stock(*db), EntryMode::Modify); },
            [&](TFArticle &w) {
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

    // Also with its history, the window fits a 1366×768 screen less a panel and its title bar.
    void fitsSmallScreen_data()
    {
        QTest::addColumn<int>("mode"); // EntryMode
        QTest::newRow("new article") << int(EntryMode::Add);
        QTest::newRow("article with its history") << int(EntryMode::Modify);
    }
    void fitsSmallScreen()
    {
        QFETCH(int, mode);
        const QSize available(1366, 728 - 40);
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 1));
        run([&] { return EditArticle(Stock(*db), EntryMode(mode)); },
            [&](TFArticle &w) {
                QCOMPARE(w.history() != nullptr, mode == int(EntryMode::Modify));
                QVERIFY2(available.expandedTo(w.sizeHint()) == available, qPrintable(QDebug::toString(w.sizeHint())));
                QVERIFY(available.expandedTo(w.minimumSizeHint()) == available);
                QVERIFY(available.expandedTo(w.size()) == available);
            });
    }

    void modifySaves()
    {
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 2));
        const bool saved = run([&] { return EditArticle(Stock(*db), EntryMode::Modify); },
                               [&](TFArticle &w) {
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
