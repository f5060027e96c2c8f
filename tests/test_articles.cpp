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

// The articles: their checks, the taken codes, the grid's filter, the history and the supplier list.
class TestArticles : public StoreTest
{
    Q_OBJECT

private slots:

    void articleCodeTaken_data()
    {
        QTest::addColumn<qint64>("code");
        QTest::addColumn<qint64>("own");
        QTest::addColumn<bool>("taken");
        QTest::newRow("new article, code held") << qint64(1) << qint64(-1) << true;
        QTest::newRow("new article, free code") << qint64(6) << qint64(-1) << false;
        QTest::newRow("article keeping its code") << qint64(2) << qint64(2) << false;
        QTest::newRow("article taking another's code") << qint64(1) << qint64(2) << true;
        QTest::newRow("article moving to a free code") << qint64(7) << qint64(2) << false;
    }

    void articleCodeTaken()
    {
        QFETCH(qint64, code);
        QFETCH(qint64, own);
        QFETCH(bool, taken);
        QCOMPARE(ArticleCodeTaken(*db, code, own), taken);
    }

    // A code held by another article is refused in words before the table sees it; the form runs again on
    // what was typed and the article is saved once, under the corrected code.
    void takenArticleCodeTypedAgain_data()
    {
        QTest::addColumn<int>("mode");    // EntryMode
        QTest::addColumn<int>("article"); // the current article when modifying
        QTest::addColumn<int>("code");    // the code saved
        QTest::newRow("new article") << int(EntryMode::Add) << 0 << 6;
        QTest::newRow("modified article") << int(EntryMode::Modify) << 2 << 2;
    }

    void takenArticleCodeTypedAgain()
    {
        QFETCH(int, mode);
        QFETCH(int, article);
        QFETCH(int, code);
        if (article)
            selectArticle(article);
        QStringList asked;
        ScriptedStockForms forms(&asked);
        forms.articles = {QVariantMap{{"CODE_ART", 1}, {"DESIGNATION", "LAIT"}, {"PU", 40.0}, {"QT31DEC", 6.0}},
                          QVariantMap{{"CODE_ART", code}}};
        QVERIFY(EditArticle(Stock(*db), EntryMode(mode)));
        QCOMPARE(asked, (QStringList{"article", "article"}));
        QCOMPARE(prompts.messages, QStringList{"Le code article 1 existe déjà : choisissez un autre code."});
        QCOMPARE(scalar(QStringLiteral("select count(*) from articles")).toInt(), article ? 5 : 6);
        QCOMPARE(scalar(QStringLiteral("select designation from articles where code_art=1")).toString(),
                 QStringLiteral("SUCRE"));
        QCOMPARE(
            scalar(
                QStringLiteral("select designation||'|'||pu||'|'||qt31dec from articles where code_art=%1").arg(code))
                .toString(),
            QStringLiteral("LAIT|40.0|6.0"));
        QCOMPARE(Stock(*db).db_ARTICLES->state(), Dataset::State::Browse);
        QCOMPARE(denree(code).qt31dec, 6.0);
    }

    void articleFilter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("dayOnly");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("prefix") << QStringLiteral("SUC") << false << QList<int>{1, 4};
        QTest::newRow("lower case, spaces") << QStringLiteral(" suc ") << false << QList<int>{1, 4};
        QTest::newRow("not at the start") << QStringLiteral("UCRE") << false << QList<int>{};
        QTest::newRow("moved on the day") << QString() << true << QList<int>{1, 3};
        QTest::newRow("both") << QStringLiteral("SUC") << true << QList<int>{1};
    }

    void articleFilter()
    {
        QFETCH(QString, text);
        QFETCH(bool, dayOnly);
        QFETCH(QList<int>, codes);
        exec(QStringLiteral("insert into articles values (0,'SUCRE EN ZERO',1,0,0,0,0)"));
        Stock(*db).SetArticleFilter(text, dayOnly);
        QList<int> shown;
        for (int i = 0; i < Stock(*db).db_ARTICLES->recordCount(); ++i)
            shown << Stock(*db)
                         .db_ARTICLES->valueAt(i, Stock(*db).db_ARTICLES->fieldIndex(QStringLiteral("CODE_ART")))
                         .toInt();
        QCOMPARE(shown, codes);
        Stock(*db).SetArticleFilter(QString(), false);
        QCOMPARE(Stock(*db).db_ARTICLES->recordCount(), 6); // code 0 too once the filter is off
    }

    void checkArticle_data()
    {
        QTest::addColumn<QStringList>("texts"); // code, designation, pu, supplier, quantity, price
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("codeFour");
        QTest::addColumn<QString>("valeur");
        QTest::newRow("complete") << QStringList{"12", "SUCRE", "90", "3", "10", "85.5"} << true << qint64(3)
                                  << "855.00";
        QTest::newRow("supplier cleared")
            << QStringList{"12", "SUCRE", "90", "", "0", "0"} << true << qint64(0) << "0.00";
        QTest::newRow("designation of spaces")
            << QStringList{"12", "   ", "90", "0", "0", "0"} << false << qint64(0) << "0.00";
        QTest::newRow("code -1") << QStringList{"-1", "SUCRE", "90", "0", "0", "0"} << false << qint64(0) << "0.00";
        QTest::newRow("code not a number")
            << QStringList{"1a", "SUCRE", "90", "0", "0", "0"} << false << qint64(0) << "0.00";
        QTest::newRow("price not a number")
            << QStringList{"12", "SUCRE", "9O", "0", "2", "3"} << false << qint64(0) << "6.00";
        QTest::newRow("quantity empty") << QStringList{"12", "SUCRE", "90", "0", "", "3"} << false << qint64(0)
                                        << "0.00";
    }

    void checkArticle()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, accepted);
        QFETCH(qint64, codeFour);
        QFETCH(QString, valeur);
        const ArticleCheck check = CheckArticle({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]});
        QCOMPARE(check.accepter, accepted);
        QCOMPARE(check.codeFour, codeFour);
        QCOMPARE(check.valeur.trimmed(), valeur);
    }

    void historyAndSuppliers()
    {
        const QVector<HistoryRow> rows = ArticleHistory(*db, 1);
        QCOMPARE(rows.size(), 8);
        QCOMPARE(rows.at(0).numMvt, QStringLiteral("1"));
        QCOMPARE(rows.at(1).nature, QStringLiteral("Sortie"));
        QCOMPARE(rows.at(2).dateOp, QStringLiteral("10/03/2009"));
        QCOMPARE(rows.at(2).valeur, QStringLiteral("1000.00"));
        QCOMPARE(rows.last().numMvt, QStringLiteral("7"));
        QVERIFY(ArticleHistory(*db, 0).isEmpty());

        const QVector<SupplierEntry> suppliers = SupplierList(*db);
        QCOMPARE(suppliers.size(), 2);
        QCOMPARE(suppliers.at(1).nom, QStringLiteral("ETS BENALI"));
        QVERIFY(SupplierExists(*db, 2));
        QVERIFY(!SupplierExists(*db, 3));
    }
};

QTEST_GUILESS_MAIN(TestArticles)
#include "test_articles.moc"
