#include "StoreTest.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Natures.h"
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

// The movements: the rules of the movement dataset and the checks of the entry window.
class TestMovements : public StoreTest
{
    Q_OBJECT

private slots:

    void priceWrittenBack_data()
    {
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("expected");
        QTest::newRow("rounded to two decimals") << 13.457 << 13.46;
        QTest::newRow("price 0 leaves the article") << 0.0 << 12.5;
        QTest::newRow("same price") << 12.5 << 12.5;
    }

    void priceWrittenBack()
    {
        QFETCH(double, price);
        QFETCH(double, expected);
        exec(QStringLiteral("update articles set pu=12.5 where code_art=1"));
        Stock(*db).db_ARTICLES->refresh();
        QVERIFY(post(1, 22, 1, price));
        QCOMPARE(scalar(QStringLiteral("select pu from articles where code_art=1")).toDouble(), expected);
        QCOMPARE(Stock(*db).db_ARTICLES->doubleValue(QStringLiteral("PU")), expected);
    }

    void newMovementDefaults_data()
    {
        QTest::addColumn<QVariant>("pu");
        QTest::addColumn<QVariant>("pu31dec");
        QTest::addColumn<double>("proposed");
        QTest::newRow("opening price larger") << QVariant(12.5) << QVariant(14.0) << 14.0;
        QTest::newRow("last price larger") << QVariant(12.5) << QVariant(10.0) << 12.5;
        QTest::newRow("both unknown") << QVariant() << QVariant() << 1.0;
    }

    void newMovementDefaults()
    {
        QFETCH(QVariant, pu);
        QFETCH(QVariant, pu31dec);
        QFETCH(double, proposed);
        QSqlQuery set(db->database());
        set.prepare(QStringLiteral("update articles set pu=?, pu31dec=?, code_four=2 where code_art=4"));
        set.addBindValue(pu);
        set.addBindValue(pu31dec);
        QVERIFY(set.exec());
        Stock(*db).db_ARTICLES->refresh();
        selectArticle(4);
        Stock(*db).db_STOCK->append();
        const Dataset &s = *Stock(*db).db_STOCK;
        QCOMPARE(s.doubleValue(QStringLiteral("PU")), proposed);
        QCOMPARE(s.intValue(QStringLiteral("NUM_MVT")), 11); // over the whole table, whatever the article
        QCOMPARE(s.intValue(QStringLiteral("CODE_ART")), 4);
        QCOMPARE(s.intValue(QStringLiteral("NAT_OP")), 10);
        QCOMPARE(s.dateValue(QStringLiteral("DATE_OP")), QDate(2009, 3, 10));
        QCOMPARE(s.dateValue(QStringLiteral("DATE_BL")), QDate(2009, 3, 10));
        QCOMPARE(s.doubleValue(QStringLiteral("QUANTITE")), 0.0);
        QCOMPARE(s.intValue(QStringLiteral("CODE_FOUR")), 2);
        QVERIFY(s.isNull(QStringLiteral("NUM_BC")));
        QCOMPARE(s.displayText(QStringLiteral("LNature")), QStringLiteral("Entrée"));
        Stock(*db).db_STOCK->cancel();
    }

    void firstMovementIsNumberOne()
    {
        exec(QStringLiteral("delete from stock"));
        Stock(*db).db_STOCK->refresh();
        Stock(*db).db_STOCK->append();
        QCOMPARE(Stock(*db).db_STOCK->intValue(QStringLiteral("NUM_MVT")), 1);
        Stock(*db).db_STOCK->cancel();
    }

    void takenNumberIsNotLost()
    {
        selectArticle(2);
        Stock(*db).db_STOCK->append();
        QCOMPARE(Stock(*db).db_STOCK->intValue(QStringLiteral("NUM_MVT")), 11);
        Stock(*db).db_STOCK->setValue(QStringLiteral("QUANTITE"), 3.0);
        Stock(*db).db_STOCK->setValue(QStringLiteral("PU"), 130.0);
        // Another movement takes number 11 before this one is posted.
        exec(QStringLiteral(
            "insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values (11,5,10,'2009-03-10',1,150)"));
        QVERIFY(db->SaveDataSet(Stock(*db).db_STOCK, true));
        QCOMPARE(
            scalar(QStringLiteral("select count(*) from stock where code_art=2 and num_mvt=12 and quantite=3")).toInt(),
            1);
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), 12);
        QCOMPARE(denree(2).entree_jour_quantite, 3.0);
    }

    // The price written back belongs to the post: a movement the file refuses leaves the article as it was.
    void failedInsertLeavesTheArticle()
    {
        exec(QStringLiteral(
            "create trigger refuse_movements before insert on stock begin select raise(abort, 'disque plein'); end"));
        const TDenree before = denree(1);
        QVERIFY(!post(1, 10, 5, 250));
        QVERIFY(prompts.messages.last().contains(QStringLiteral("disque plein")));
        QCOMPARE(scalar(QStringLiteral("select pu from articles where code_art=1")).toDouble(), 90.0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), 10);
        QCOMPARE(denree(1).restes(), before.restes());
    }

    void negativeExitRefused()
    {
        // RIZ holds 3 at the end of the day.
        QVERIFY(!post(3, 22, 3.5, 120));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages.first().contains(QString::fromUtf8(kStockNegatifRefuse)));
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), 10);
        QCOMPARE(denree(3).restes(), 3.0);
        QVERIFY(post(3, 22, 3, 120));
        QCOMPARE(denree(3).restes(), 0.0);

        // Modifying the exit takes it out of the stock it is checked against.
        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 9));
        Stock(*db).db_STOCK->edit();
        Stock(*db).db_STOCK->setValue(QStringLiteral("QUANTITE"), 1.5);
        QVERIFY(db->SaveDataSet(Stock(*db).db_STOCK, true));
        QCOMPARE(denree(3).restes(), 0.5);
    }

    void calculatedMovementFields_data()
    {
        QTest::addColumn<int>("nature");
        QTest::addColumn<QString>("text");
        QTest::newRow("entry") << 10 << QStringLiteral("Entrée");
        QTest::newRow("plain exit") << 20 << QStringLiteral("Sortie");
        QTest::newRow("breakfast") << 21 << QStringLiteral("Sortie Pet.Déjeuner");
        QTest::newRow("lunch") << 22 << QStringLiteral("Sortie Déjeuner");
        QTest::newRow("snack") << 23 << QStringLiteral("Sortie Gouter");
        QTest::newRow("dinner") << 24 << QStringLiteral("Sortie Diner");
        QTest::newRow("unknown") << 15 << QString();
    }

    void calculatedMovementFields()
    {
        QFETCH(int, nature);
        QFETCH(QString, text);
        exec(QStringLiteral("update stock set nat_op=%1, quantite=2.5, pu=100 where num_mvt=9").arg(nature));
        selectArticle(3);
        Stock(*db).db_STOCK->refresh();
        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 9));
        QCOMPARE(Stock(*db).db_STOCK->displayText(QStringLiteral("LNature")), text);
        QCOMPARE(Stock(*db).db_STOCK->displayText(QStringLiteral("VALEUR")), FormatMontant(250));
    }

    void checkMovement_data()
    {
        QTest::addColumn<bool>("entree");
        QTest::addColumn<QString>("quantite");
        QTest::addColumn<QString>("pu");
        QTest::addColumn<QString>("codeFour");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<bool>("accepted");
        const QString missing = QStringLiteral(" est un champ obligatoire non renseigné .");
        // The article holds 15 worth 800.
        QTest::newRow("exit leaving 3") << false << "12"
                                        << "50"
                                        << "" << QStringList() << true;
        QTest::newRow("exit of the whole stock") << false << "15"
                                                 << "50"
                                                 << "" << QStringList() << true;
        QTest::newRow("exit beyond the stock") << false << "16"
                                               << "50"
                                               << "" << QStringList() << false;
        QTest::newRow("entry at price 0, quantity 0")
            << true << "0"
            << "0"
            << "1" << QStringList{" - Prix unitaire" + missing, " - La quantité entrée" + missing} << false;
        QTest::newRow("exit quantity not a number") << false << "douze"
                                                    << "50"
                                                    << "" << QStringList{" - La quantité sortie" + missing} << false;
        QTest::newRow("price not a number") << true << "3"
                                            << "5O"
                                            << "1" << QStringList{" - Prix unitaire" + missing} << false;
        QTest::newRow("entry without supplier") << true << "3"
                                                << "50"
                                                << "" << QStringList{" - Le code fournisseur" + missing} << false;
        QTest::newRow("entry with unknown supplier") << true << "3"
                                                     << "50"
                                                     << "7" << QStringList() << false;
        QTest::newRow("entry complete") << true << "3,5"
                                        << "50"
                                        << "1" << QStringList() << true;
        // A negative figure would turn the exit into an entry: listed, never accepted.
        QTest::newRow("exit of -3") << false << "-3"
                                    << "50"
                                    << "" << QStringList{" - La quantité sortie doit être supérieure à zéro ."}
                                    << false;
        QTest::newRow("entry of -3") << true << "-3"
                                     << "50"
                                     << "1" << QStringList{" - La quantité entrée doit être supérieure à zéro ."}
                                     << false;
        QTest::newRow("exit at a negative price")
            << false << "3"
            << "-50"
            << "" << QStringList{" - Le prix unitaire doit être supérieur à zéro ."} << false;
        QTest::newRow("entry at a negative price, nothing else")
            << true << "0"
            << "-0.5"
            << ""
            << QStringList{" - Le prix unitaire doit être supérieur à zéro .", " - La quantité entrée" + missing,
                           " - Le code fournisseur" + missing}
            << false;
    }

    void checkMovement()
    {
        QFETCH(bool, entree);
        QFETCH(QString, quantite);
        QFETCH(QString, pu);
        QFETCH(QString, codeFour);
        QFETCH(QStringList, errors);
        QFETCH(bool, accepted);
        const ArticleStock stock{15, 800};
        const MovementCheck check = CheckMovement({entree, quantite, pu, codeFour, {}, {}}, stock,
                                                  [this](qint64 code) { return SupplierExists(*db, code); });
        QCOMPARE(check.erreurs, errors);
        QCOMPARE(check.accepter(), accepted);
        const QVector<QStringList> rows = check.controlRows(stock, entree);
        QCOMPARE(rows.at(0), (QStringList{"Contrôle", "Quantiés", "Prix Unitaire", "Valeur"}));
        QCOMPARE(rows.at(3).at(1), FormatMontant(stock.quantite + (entree ? 1 : -1) * check.quantite));
    }

    // The movement dataset refuses what the window would list, whatever form posts it; price 0 is allowed.
    void movementFiguresRefused_data()
    {
        QTest::addColumn<int>("nature");
        QTest::addColumn<double>("quantite");
        QTest::addColumn<double>("pu");
        QTest::addColumn<QString>("reason"); // empty when saved
        const QString quantite = QString::fromUtf8(kQuantiteRefusee);
        const QString prix = QString::fromUtf8(kPrixNegatifRefuse);
        QTest::newRow("exit of -3") << 22 << -3.0 << 90.0 << quantite;
        QTest::newRow("entry of -3") << 10 << -3.0 << 90.0 << quantite;
        QTest::newRow("entry of 0") << 10 << 0.0 << 90.0 << quantite;
        QTest::newRow("entry at a negative price") << 10 << 3.0 << -90.0 << prix;
        QTest::newRow("exit at a negative price") << 22 << 3.0 << -0.01 << prix;
        QTest::newRow("entry at price 0") << 10 << 3.0 << 0.0 << QString();
    }

    void movementFiguresRefused()
    {
        QFETCH(int, nature);
        QFETCH(double, quantite);
        QFETCH(double, pu);
        QFETCH(QString, reason);
        QCOMPARE(post(1, nature, quantite, pu), reason.isEmpty());
        QCOMPARE(prompts.messages, reason.isEmpty() ? QStringList() : QStringList{" --- :" + reason});
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), reason.isEmpty() ? 11 : 10);
        QCOMPARE(scalar(QStringLiteral("select pu from articles where code_art=1")).toDouble(), 90.0);
        QCOMPARE(denree(1).restes(), reason.isEmpty() ? 35.0 : 32.0);
        compareDenrees(denree(1), recomputed(1));
    }

    // An exit of an article without stock says why instead of opening the window; an entry opens it.
    void exitWithoutStock_data()
    {
        QTest::addColumn<int>("article");
        QTest::addColumn<int>("nature");
        QTest::addColumn<bool>("opened");
        QTest::newRow("lunch exit, no stock") << 2 << 22 << false;
        QTest::newRow("dinner exit, no stock") << 2 << 24 << false;
        QTest::newRow("entry, no stock") << 2 << 10 << true;
        QTest::newRow("lunch exit with stock") << 1 << 22 << true;
    }

    void exitWithoutStock()
    {
        QFETCH(int, article);
        QFETCH(int, nature);
        QFETCH(bool, opened);
        QStringList asked;
        ScriptedStockForms forms(&asked);
        selectArticle(article);
        QVERIFY(!EditMouvement(Stock(*db), EntryMode::Add, nature)); // no answer: cancelled when opened
        QCOMPARE(asked, opened ? QStringList{"movement"} : QStringList());
        QCOMPARE(prompts.messages, opened ? QStringList() : QStringList{QString::fromUtf8(kSortieSansStock)});
        QCOMPARE(Stock(*db).db_STOCK->state(), Dataset::State::Browse);
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), 10);
    }

    // A refused post says why and runs the form again on the row as typed: the correction alone is
    // answered, and the movement is saved once with what was typed and what was corrected.
    void refusedMovementTypedAgain_data()
    {
        QTest::addColumn<int>("nature");
        QTest::addColumn<QVariantMap>("typed");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QVariantMap>("corrected");
        QTest::addColumn<double>("quantite");
        QTest::addColumn<double>("pu");
        // RIZ (3) holds 3 at the end of the day.
        QTest::newRow("negative quantity")
            << 10 << QVariantMap{{"QUANTITE", -3.0}, {"PU", 95.0}, {"OBS", "LIVRAISON"}}
            << QString::fromUtf8(kQuantiteRefusee) << QVariantMap{{"QUANTITE", 3.0}} << 3.0 << 95.0;
        QTest::newRow("negative price") << 10 << QVariantMap{{"QUANTITE", 4.0}, {"PU", -95.0}, {"OBS", "LIVRAISON"}}
                                        << QString::fromUtf8(kPrixNegatifRefuse) << QVariantMap{{"PU", 95.0}} << 4.0
                                        << 95.0;
        QTest::newRow("exit beyond the stock")
            << 22 << QVariantMap{{"QUANTITE", 5.0}, {"PU", 120.0}, {"OBS", "LIVRAISON"}}
            << QString::fromUtf8(kStockNegatifRefuse) << QVariantMap{{"QUANTITE", 2.5}} << 2.5 << 120.0;
    }

    void refusedMovementTypedAgain()
    {
        QFETCH(int, nature);
        QFETCH(QVariantMap, typed);
        QFETCH(QString, reason);
        QFETCH(QVariantMap, corrected);
        QFETCH(double, quantite);
        QFETCH(double, pu);
        QStringList asked;
        ScriptedStockForms forms(&asked);
        forms.movements = {typed, corrected};
        selectArticle(3);
        QVERIFY(EditMouvement(Stock(*db), EntryMode::Add, nature));
        QCOMPARE(asked, (QStringList{"movement", "movement"}));
        QCOMPARE(prompts.messages, QStringList{" --- :" + reason});
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), 11);
        QSqlQuery q(db->database());
        QVERIFY(q.exec(QStringLiteral("select code_art,nat_op,quantite,pu,obs from stock where num_mvt=11")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 3);
        QCOMPARE(q.value(1).toInt(), nature);
        QCOMPARE(q.value(2).toDouble(), quantite);
        QCOMPARE(q.value(3).toDouble(), pu);
        QCOMPARE(q.value(4).toString(), QStringLiteral("LIVRAISON"));
        QCOMPARE(Stock(*db).db_STOCK->state(), Dataset::State::Browse);
        compareDenrees(denree(3), recomputed(3));
    }

    void stockOfModifiedMovement()
    {
        const ArticleStock before = StockOfArticle(Stock(*db).ListeDenrees(), 1, StoredMovement{22, 4, 50});
        QCOMPARE(before.quantite, 36.0);
        QCOMPARE(before.valeur, 2990.0 + 200);
        QCOMPARE(StockOfArticle(Stock(*db).ListeDenrees(), 42).quantite, 0.0);
    }

    void natureChoices()
    {
        const QVector<NatureChoice> demi = NatureChoices(1, 5);
        QCOMPARE(demi.at(2).label, QStringLiteral("Sortie du Stock"));
        QVERIFY(!demi.at(1).visible && !demi.at(3).visible && !demi.at(4).visible);
        const QVector<NatureChoice> internat = NatureChoices(2, 0);
        QVERIFY(internat.at(1).visible && !internat.at(1).enabled && !internat.at(2).enabled && internat.at(0).enabled);
        QCOMPARE(ChoiceOfNature(20), 22);
    }

    // Every stored code read alike by the program and by the queries: its text, the choice it checks in
    // the movement window, the meal it feeds, and whether it is an entry or an exit, in C++ and in SQL.
    void natureCodes_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("meal");
        QTest::addColumn<bool>("exit");
        QTest::newRow("entry") << 10 << "Entrée" << 10 << 0 << false;
        QTest::newRow("older exit") << 20 << "Sortie" << 22 << 2 << true;
        QTest::newRow("breakfast") << 21 << "Sortie Pet.Déjeuner" << 21 << 1 << true;
        QTest::newRow("lunch") << 22 << "Sortie Déjeuner" << 22 << 2 << true;
        QTest::newRow("snack") << 23 << "Sortie Gouter" << 23 << 3 << true;
        QTest::newRow("dinner") << 24 << "Sortie Diner" << 24 << 4 << true;
        QTest::newRow("unknown, below the exits") << 1 << "" << 10 << 0 << false;
        QTest::newRow("unknown, above the exits") << 25 << "" << 10 << 0 << true;
    }
    void natureCodes()
    {
        QFETCH(int, stored);
        QFETCH(QString, text);
        QFETCH(int, choice);
        QFETCH(int, meal);
        QFETCH(bool, exit);
        QCOMPARE(NatureText(stored), text);
        QCOMPARE(ChoiceOfNature(stored), choice);
        QCOMPARE(MealOfNature(stored), meal);
        QCOMPARE(IsExitNature(stored), exit);

        QSqlQuery query(db->database());
        QVERIFY(query.exec(QStringLiteral("select %1, %2, %3, %4 from (select %5 as nat_op)")
                               .arg(EntrySql(), ExitSql(), NotExitSql(), MealExitSql())
                               .arg(stored)));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toBool(), stored == kNatureEntree);
        QCOMPARE(query.value(1).toBool(), exit);
        QCOMPARE(query.value(2).toBool(), !exit);
        QCOMPARE(query.value(3).toBool(), meal > 0);
    }
};

QTEST_GUILESS_MAIN(TestMovements)
#include "test_movements.moc"
