#include "TestHome.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "stock/Articles.h"
#include "stock/ControleStock.h"
#include "stock/ListeDenrees.h"
#include "stock/Movements.h"
#include "stock/Navigation.h"
#include "stock/StockEntries.h"

#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

// The daily store on a small year worked out by hand. On 10/03/2009:
//   SUCRE (1): opening 10 at 85; before the day +20 at 90, -4 at 85; on the day +10 at 100, +1 at 120,
//              -3 at 90, -2 at 85, a nature 15 that counts nowhere; the day after +50.
//              Veille 26, Entrées 11, Sorties 5, Restes 32; values 2310, 1120, 440, 2990.
//   RIZ (3):   opening 5 with no price; on the day an exit of nature 20, 2 at 120.
//   A movement of article 99, which does not exist, counts nowhere.
class TestStock : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    ScriptedPrompter prompts;

    void exec(const QString &sql) { ExecSql(db->database(), sql); }
    QVariant scalar(const QString &sql) { return ScalarSql(db->database(), sql); }
    const TDenree &denree(qint32 code)
    {
        const TDenree *d = Stock(*db).ListeDenrees()->FindDenree(code);
        if (!d)
            qFatal("no record for article %d", code);
        return *d;
    }
    void selectArticle(qint32 code) { QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), code)); }

    // Adds a movement through the movement dataset as the entry window does; the result of SaveDataSet.
    bool post(qint32 article, int nature, double quantite, double pu)
    {
        selectArticle(article);
        Stock(*db).db_STOCK->append();
        Stock(*db).db_STOCK->setValue(QStringLiteral("NAT_OP"), nature);
        Stock(*db).db_STOCK->setValue(QStringLiteral("QUANTITE"), quantite);
        Stock(*db).db_STOCK->setValue(QStringLiteral("PU"), pu);
        return db->SaveDataSet(Stock(*db).db_STOCK, true);
    }

    // The record of article code as a fresh full calculation of the same day gives it.
    TDenree recomputed(qint32 code)
    {
        TListeDenrees fresh(*db);
        fresh.SetDate(Stock(*db).ListeDenrees()->DateJour());
        const TDenree *d = fresh.FindDenree(code);
        return d ? *d : TDenree();
    }

    static void compareDenrees(const TDenree &a, const TDenree &b)
    {
        QCOMPARE(a.code_art, b.code_art);
        QCOMPARE(a.qt31dec, b.qt31dec);
        QCOMPARE(a.entree_veille_quantite, b.entree_veille_quantite);
        QCOMPARE(a.sortie_veille_quantite, b.sortie_veille_quantite);
        QCOMPARE(a.entree_jour_quantite, b.entree_jour_quantite);
        QCOMPARE(a.sortie_jour_quantite, b.sortie_jour_quantite);
        QCOMPARE(a.valeur31dec, b.valeur31dec);
        QCOMPARE(a.entree_veille_valeur, b.entree_veille_valeur);
        QCOMPARE(a.sortie_veille_valeur, b.sortie_veille_valeur);
        QCOMPARE(a.entree_jour_valeur, b.entree_jour_valeur);
        QCOMPARE(a.sortie_jour_valeur, b.sortie_jour_valeur);
        QCOMPARE(a.entree_jour_pu, b.entree_jour_pu);
        QCOMPARE(a.sortie_jour_pu, b.sortie_jour_pu);
    }

private slots:
    void init()
    {
        setPrompter(&prompts);
        prompts.messages.clear();
        home = std::make_unique<TestHome>();
        db = home->openPrepared(2, 2009);
        QVERIFY(db);
        exec(QStringLiteral("delete from articles"));
        exec(QStringLiteral("insert into articles values (1,'SUCRE',90,1,10,85,0),(2,'HUILE',130,0,0,0,0),"
                            "(3,'RIZ',120,0,5,null,0),(4,'SUCRE GLACE',200,0,0,0,0),(5,'CASSONADE',150,0,0,0,0)"));
        exec(QStringLiteral("insert into fournisseur (code_four, nom_prenom) values (1,'SARL EL BARAKA'),(2,'ETS BENALI')"));
        exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values"
                            "(1,1,10,'2009-03-09',20,90),(2,1,22,'2009-03-09',4,85),"
                            "(3,1,10,'2009-03-10',10,100),(4,1,10,'2009-03-10',1,120),"
                            "(5,1,21,'2009-03-10',3,90),(6,1,24,'2009-03-10',2,85),"
                            "(7,1,10,'2009-03-11',50,90),(8,1,15,'2009-03-10',7,90),"
                            "(9,3,20,'2009-03-10',2,120),(10,99,10,'2009-03-10',5,10)"));
        Stock(*db).db_ARTICLES->refresh();
        Stock(*db).db_ARTICLES->first();
        db->startSession(QDate(2009, 3, 10));
    }
    void cleanup()
    {
        db.reset();
        home.reset();
        setPrompter(nullptr);
    }

    void dayFigures()
    {
        const TDenree &sucre = denree(1);
        QCOMPARE(sucre.veille(), 26.0);
        QCOMPARE(sucre.entree_jour_quantite, 11.0);
        QCOMPARE(sucre.sortie_jour_quantite, 5.0);
        QCOMPARE(sucre.restes(), 32.0);
        QCOMPARE(sucre.valeurVeille(), 2310.0);
        QCOMPARE(sucre.entree_jour_valeur, 1120.0);
        QCOMPARE(sucre.sortie_jour_valeur, 440.0);
        QCOMPARE(sucre.valeurRestes(), 2990.0);
        QCOMPARE(sucre.entree_jour_pu, 110.0); // unweighted mean of 100 and 120
        QCOMPARE(sucre.sortie_jour_pu, 87.5);

        const TDenree &riz = denree(3);
        QCOMPARE(riz.veille(), 5.0); // the opening quantity counts without a price
        QCOMPARE(riz.valeur31dec, 0.0);
        QCOMPARE(riz.sortie_jour_quantite, 2.0);
        QCOMPARE(riz.restes(), 3.0);

        const TDenree &huile = denree(2);
        QCOMPARE(huile.restes(), 0.0);
        QCOMPARE(huile.entree_jour_pu, 0.0);
        QVERIFY(!Stock(*db).ListeDenrees()->FindDenree(99));
        QCOMPARE(Stock(*db).ListeDenrees()->Denrees().size(), 5);
        QCOMPARE(Stock(*db).ListeDenrees()->Denrees().first().code_art, 1);

        const TTotaux &t = Stock(*db).ListeDenrees()->Totaux();
        QCOMPARE(t.valeurVeille(), 2310.0);
        QCOMPARE(t.entree_jour_valeur, 1120.0);
        QCOMPARE(t.sortie_jour_valeur, 680.0);
        QCOMPARE(t.valeurFinJournee(), 2750.0);

        // The summary figures for the current article and the grid's calculated columns.
        selectArticle(1);
        QCOMPARE(Stock(*db).Figures().quantiteVeille, FormatMontant(26));
        QCOMPARE(Stock(*db).Figures().quantiteVeilleEntrees, FormatMontant(37));
        QCOMPARE(Stock(*db).Figures().quantiteRestes, FormatMontant(32));
        QCOMPARE(Stock(*db).Figures().valeurVeille, FormatMontant(2310));
        QCOMPARE(Stock(*db).Figures().total, FormatMontant(3430));
        QCOMPARE(Stock(*db).Figures().valeurSorties, FormatMontant(680));
        QCOMPARE(Stock(*db).Figures().valeurFinJournee, FormatMontant(2750));
        QCOMPARE(Stock(*db).db_ARTICLES->displayText(QStringLiteral("VEILLE")), FormatMontant(26));
        QCOMPARE(Stock(*db).db_ARTICLES->displayText(QStringLiteral("RESTES")), FormatMontant(32));
        QCOMPARE(Stock(*db).db_ARTICLES->displayText(QStringLiteral("ART_LIB")), QStringLiteral("1 - SUCRE"));
        // The movement grid holds the current article's movements of the day only.
        QCOMPARE(Stock(*db).db_STOCK->recordCount(), 5);
    }

    void dayBoundaries_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<double>("veille");
        QTest::addColumn<double>("entrees");
        QTest::addColumn<double>("sorties");
        QTest::newRow("the day before") << QDate(2009, 3, 9) << 10.0 << 20.0 << 4.0;
        QTest::newRow("the day") << QDate(2009, 3, 10) << 26.0 << 11.0 << 5.0;
        QTest::newRow("the day after") << QDate(2009, 3, 11) << 32.0 << 50.0 << 0.0;
        QTest::newRow("later") << QDate(2009, 6, 1) << 82.0 << 0.0 << 0.0;
        QTest::newRow("first of January") << QDate(2009, 1, 1) << 10.0 << 0.0 << 0.0;
    }
    void dayBoundaries()
    {
        QFETCH(QDate, day);
        QFETCH(double, veille);
        QFETCH(double, entrees);
        QFETCH(double, sorties);
        db->selectDay(day);
        QCOMPARE(denree(1).veille(), veille);
        QCOMPARE(denree(1).entree_jour_quantite, entrees);
        QCOMPARE(denree(1).sortie_jour_quantite, sorties);
        QCOMPARE(denree(1).restes(), veille + entrees - sorties);
    }

    void validateDate_data()
    {
        QTest::addColumn<QDate>("asked");
        QTest::addColumn<QDate>("selected");
        QTest::newRow("next year") << QDate(2010, 1, 3) << QDate(2009, 12, 31);
        QTest::newRow("previous year") << QDate(2008, 6, 15) << QDate(2009, 1, 1);
        QTest::newRow("inside") << QDate(2009, 7, 14) << QDate(2009, 7, 14);
        QTest::newRow("last day") << QDate(2009, 12, 31) << QDate(2009, 12, 31);
    }
    void validateDate()
    {
        QFETCH(QDate, asked);
        QFETCH(QDate, selected);
        QCOMPARE(db->ValidateDate(asked), selected);
        db->selectDay(asked);
        QCOMPARE(Stock(*db).ListeDenrees()->DateJour(), selected);
        QCOMPARE(Stock(*db).db_STOCK->filter(), QStringLiteral("date_op=") + SqlDate(selected));
    }

    void singleArticleAfterPostAndDelete()
    {
        // Several movements of one article on one day, each posted through the dataset.
        QVERIFY(post(1, 10, 4, 95));
        QVERIFY(post(1, 22, 6, 95));
        QVERIFY(post(1, 10, 2.5, 101));
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), 13);
        QCOMPARE(scalar(QStringLiteral("select count(distinct num_mvt) from stock")).toInt(), 13);
        QCOMPARE(denree(1).entree_jour_quantite, 17.5);
        QCOMPARE(denree(1).sortie_jour_quantite, 11.0);
        compareDenrees(denree(1), recomputed(1));
        QCOMPARE(Stock(*db).db_STOCK->recordCount(), 8);

        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 3));
        Stock(*db).db_STOCK->remove();
        QCOMPARE(denree(1).entree_jour_quantite, 7.5);
        compareDenrees(denree(1), recomputed(1));
        QCOMPARE(Stock(*db).Figures().quantiteRestes, FormatMontant(denree(1).restes()));
        QCOMPARE(Stock(*db).ListeDenrees()->Totaux().entree_jour_valeur, 1120.0 - 1000 + 4 * 95 + 2.5 * 101);
    }

    void articleChangeRecalculates()
    {
        selectArticle(2);
        Stock(*db).db_ARTICLES->edit();
        Stock(*db).db_ARTICLES->setValue(QStringLiteral("QT31DEC"), 7.0);
        Stock(*db).db_ARTICLES->setValue(QStringLiteral("PU31DEC"), 3.0);
        QVERIFY(db->SaveDataSet(Stock(*db).db_ARTICLES, true));
        QCOMPARE(denree(2).veille(), 7.0);
        QCOMPARE(Stock(*db).ListeDenrees()->Totaux().valeur31dec, 850.0 + 21);

        // A new article gets the next code and its record at once.
        Stock(*db).db_ARTICLES->append();
        QCOMPARE(Stock(*db).db_ARTICLES->intValue(QStringLiteral("CODE_ART")), 6);
        QCOMPARE(Stock(*db).db_ARTICLES->textValue(QStringLiteral("DESIGNATION")), QString());
        Stock(*db).db_ARTICLES->setValue(QStringLiteral("DESIGNATION"), QStringLiteral("LAIT"));
        QVERIFY(db->SaveDataSet(Stock(*db).db_ARTICLES, true));
        QVERIFY(Stock(*db).ListeDenrees()->FindDenree(6));
        QCOMPARE(Stock(*db).ListeDenrees()->Denrees().last().code_art, 6);
    }

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
        exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values (11,5,10,'2009-03-10',1,150)"));
        QVERIFY(db->SaveDataSet(Stock(*db).db_STOCK, true));
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock where code_art=2 and num_mvt=12 and quantite=3")).toInt(), 1);
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock")).toInt(), 12);
        QCOMPARE(denree(2).entree_jour_quantite, 3.0);
    }

    // The price written back belongs to the post: a movement the file refuses leaves the article as it was.
    void failedInsertLeavesTheArticle()
    {
        exec(QStringLiteral("create trigger refuse_movements before insert on stock begin select raise(abort, 'disque plein'); end"));
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
        QTest::newRow("exit leaving 3") << false << "12" << "50" << "" << QStringList() << true;
        QTest::newRow("exit of the whole stock") << false << "15" << "50" << "" << QStringList() << true;
        QTest::newRow("exit beyond the stock") << false << "16" << "50" << "" << QStringList() << false;
        QTest::newRow("entry at price 0, quantity 0")
            << true << "0" << "0" << "1"
            << QStringList{" - Prix unitaire" + missing, " - La quantité entrée" + missing} << false;
        QTest::newRow("exit quantity not a number") << false << "douze" << "50" << ""
                                                   << QStringList{" - La quantité sortie" + missing} << false;
        QTest::newRow("price not a number") << true << "3" << "5O" << "1" << QStringList{" - Prix unitaire" + missing} << false;
        QTest::newRow("entry without supplier") << true << "3" << "50" << "" << QStringList{" - Le code fournisseur" + missing} << false;
        QTest::newRow("entry with unknown supplier") << true << "3" << "50" << "7" << QStringList() << false;
        QTest::newRow("entry complete") << true << "3,5" << "50" << "1" << QStringList() << true;
        // A negative figure would turn the exit into an entry: listed, never accepted.
        QTest::newRow("exit of -3") << false << "-3" << "50" << ""
                                    << QStringList{" - La quantité sortie doit être supérieure à zéro ."} << false;
        QTest::newRow("entry of -3") << true << "-3" << "50" << "1"
                                     << QStringList{" - La quantité entrée doit être supérieure à zéro ."} << false;
        QTest::newRow("exit at a negative price") << false << "3" << "-50" << ""
                                                  << QStringList{" - Le prix unitaire doit être supérieur à zéro ."} << false;
        QTest::newRow("entry at a negative price, nothing else")
            << true << "0" << "-0.5" << ""
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
        const MovementCheck check = CheckMovement({entree, quantite, pu, codeFour}, stock,
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
        QTest::newRow("negative quantity") << 10 << QVariantMap{{"QUANTITE", -3.0}, {"PU", 95.0}, {"OBS", "LIVRAISON"}}
                                           << QString::fromUtf8(kQuantiteRefusee) << QVariantMap{{"QUANTITE", 3.0}}
                                           << 3.0 << 95.0;
        QTest::newRow("negative price") << 10 << QVariantMap{{"QUANTITE", 4.0}, {"PU", -95.0}, {"OBS", "LIVRAISON"}}
                                        << QString::fromUtf8(kPrixNegatifRefuse) << QVariantMap{{"PU", 95.0}} << 4.0 << 95.0;
        QTest::newRow("exit beyond the stock") << 22 << QVariantMap{{"QUANTITE", 5.0}, {"PU", 120.0}, {"OBS", "LIVRAISON"}}
                                               << QString::fromUtf8(kStockNegatifRefuse) << QVariantMap{{"QUANTITE", 2.5}}
                                               << 2.5 << 120.0;
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
        QTest::addColumn<int>("mode"); // EntryMode
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
        QCOMPARE(scalar(QStringLiteral("select designation from articles where code_art=1")).toString(), QStringLiteral("SUCRE"));
        QCOMPARE(scalar(QStringLiteral("select designation||'|'||pu||'|'||qt31dec from articles where code_art=%1").arg(code))
                     .toString(),
                 QStringLiteral("LAIT|40.0|6.0"));
        QCOMPARE(Stock(*db).db_ARTICLES->state(), Dataset::State::Browse);
        QCOMPARE(denree(code).qt31dec, 6.0);
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

    void lots()
    {
        // Opening 10 at 50, an entry of 5 at 60 before the day, and 3 at 60 already taken out on the day.
        exec(QStringLiteral("update articles set qt31dec=10, pu31dec=50 where code_art=2"));
        exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values"
                            "(20,2,10,'2009-03-02',5,60),(21,2,22,'2009-03-10',3,60),(22,2,10,'2009-03-20',9,70)"));
        TControleStock lots(*db, 2, QDate(2009, 3, 10));
        QCOMPARE(lots.Lots().size(), 3); // 50, 60 and the new-price lot
        QCOMPARE(lots.Lots().at(0).pu, 50.0);
        QCOMPARE(lots.Lots().at(0).reste, 10.0);
        QCOMPARE(lots.Lots().at(1).sortie, 3.0);
        QCOMPARE(lots.Lots().at(1).reste, 2.0);
        QVERIFY(!lots.StockEpuise());
        QCOMPARE(lots.lotGridRowCount(), 7);
        QCOMPARE(lots.lotTexts(1), (QStringList{"60.00", "5.00", "0.00", "3.00", "2.00"}));
        QCOMPARE(lots.lotTexts(2), QStringList(5, QString()));

        // An exit of 12 at 50 takes lot 50 below zero: the warning shows.
        lots.ApplyMovement(22, 12, 50);
        QCOMPARE(lots.Lots().at(0).reste, -2.0);
        QVERIFY(lots.StockEpuise());
        // Changed to 4 at 60: the first application is taken back.
        lots.ApplyMovement(22, 4, 60);
        QCOMPARE(lots.Lots().at(0).reste, 10.0);
        QCOMPARE(lots.Lots().at(1).reste, -2.0);
        // At a price of no lot it goes to the new-price lot.
        lots.ApplyMovement(22, 4, 55);
        QCOMPARE(lots.Lots().at(1).reste, 2.0);
        QCOMPARE(lots.Lots().at(2).pu, 55.0);
        QCOMPARE(lots.Lots().at(2).reste, -4.0);
        // An entry at a known price adds to its lot.
        lots.ApplyMovement(10, 6, 50);
        QCOMPARE(lots.Lots().at(0).reste, 16.0);
        QCOMPARE(lots.Lots().at(2).pu, 0.0);
        QVERIFY(!lots.StockEpuise());

        // Double-clicking a lot while typing an exit takes what remains of it, the typed exit left out.
        lots.ApplyMovement(22, 1, 60);
        const std::optional<LotChoice> chosen = lots.SelectLot(1);
        QVERIFY(chosen);
        QCOMPARE(chosen->pu, 60.0);
        QCOMPARE(chosen->quantite, 2.0);
        QVERIFY(!lots.SelectLot(2)); // the empty new-price lot
    }

    void lotsKeepEqualRows()
    {
        // A lot of movements identical to the opening lot adds to it.
        exec(QStringLiteral("update articles set qt31dec=10, pu31dec=50 where code_art=2"));
        exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values (20,2,10,'2009-03-02',10,50)"));
        TControleStock lots(*db, 2, QDate(2009, 3, 10));
        QCOMPARE(lots.Lots().at(0).stock, 20.0);
        // The movement being modified does not count.
        TControleStock modified(*db, 2, QDate(2009, 3, 10), 20);
        QCOMPARE(modified.Lots().at(0).stock, 10.0);
        // Exhausted lots are dropped, and movements at price 0 never form one.
        exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values"
                            "(21,2,22,'2009-03-03',20,50),(23,2,10,'2009-03-03',4,0)"));
        TControleStock empty(*db, 2, QDate(2009, 3, 10));
        QCOMPARE(empty.Lots().size(), 1);
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
            shown << Stock(*db).db_ARTICLES->valueAt(i, Stock(*db).db_ARTICLES->fieldIndex(QStringLiteral("CODE_ART"))).toInt();
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
        QTest::newRow("complete") << QStringList{"12", "SUCRE", "90", "3", "10", "85.5"} << true << qint64(3) << "855.00";
        QTest::newRow("supplier cleared") << QStringList{"12", "SUCRE", "90", "", "0", "0"} << true << qint64(0) << "0.00";
        QTest::newRow("designation of spaces") << QStringList{"12", "   ", "90", "0", "0", "0"} << false << qint64(0) << "0.00";
        QTest::newRow("code -1") << QStringList{"-1", "SUCRE", "90", "0", "0", "0"} << false << qint64(0) << "0.00";
        QTest::newRow("code not a number") << QStringList{"1a", "SUCRE", "90", "0", "0", "0"} << false << qint64(0) << "0.00";
        QTest::newRow("price not a number") << QStringList{"12", "SUCRE", "9O", "0", "2", "3"} << false << qint64(0) << "6.00";
        QTest::newRow("quantity empty") << QStringList{"12", "SUCRE", "90", "0", "", "3"} << false << qint64(0) << "0.00";
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

    void summaryRows()
    {
        StoreFigures f;
        f.valeurFinJournee = QStringLiteral("12.00");
        const QVector<SummaryRow> rows = SummaryRows(f, QStringLiteral("SUCRE"), QDate(2009, 3, 10));
        QCOMPARE(rows.size(), 10);
        QCOMPARE(rows.at(0).label, QStringLiteral("Quantité en Stock (SUCRE)"));
        QCOMPARE(rows.at(4).label, QStringLiteral("Magasin au 10/03/2009"));
        QCOMPARE(rows.at(9).amount, QStringLiteral("12.00"));
        QCOMPARE(SummaryRows(f, QString(), QDate()).at(0).label, QStringLiteral("Quantité en Stock "));
    }

    void disconnectedDoesNothing()
    {
        QCOMPARE(Stock(*db).ListeDenrees()->DateJour(), QDate(2009, 3, 10));
        db->closeSession();
        QVERIFY(!Stock(*db).ListeDenrees());
        QVERIFY(!db->hasSession());
        db->selectDay(QDate(2009, 3, 11)); // no file: nothing to compute
        QCOMPARE(Stock(*db).DateJour(), QDate());
    }
};

QTEST_GUILESS_MAIN(TestStock)
#include "test_stock.moc"
