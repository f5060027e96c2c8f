#include "StoreFixture.h"
#include "TestHome.h"
#include "common/Dates.h"
#include "common/Format.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "suppliers/Invoices.h"
#include "suppliers/SupplierEntries.h"

#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

// A file of 2009 with the article SUCRE (1) and the suppliers 1 SARL EL BARAKA and 2 ETS BENALI. Supplier
// 1 delivered 10 at 100 on 03/03/2009 and 5 at 200 on 28/03/2009; an exit of 20/03/2009 names nobody.
class TestSuppliers : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    ScriptedPrompter prompts;
    QStringList asked;
    std::unique_ptr<ScriptedSupplierForms> forms;

    void exec(const QString &sql) { ExecSql(db->database(), sql); }
    QVariant scalar(const QString &sql) { return ScalarSql(db->database(), sql); }
    SuppliersModule &suppliers() { return Suppliers(*db); }
    Dataset *fournisseur() { return suppliers().db_fournisseur; }
    Dataset *factures() { return suppliers().db_FACTURES; }
    void selectSupplier(qint64 code) { QVERIFY(fournisseur()->locate(QStringLiteral("code_four"), code)); }
    int invoiceCount() { return scalar(QStringLiteral("select count(*) from factures")).toInt(); }
    QStringList invoices()
    {
        QStringList list;
        QSqlQuery q(db->database());
        q.exec(QStringLiteral("select code_four, num_facture, periode_du, periode_au, obs from factures "
                              "order by code_four, num_facture"));
        while (q.next())
            list << QStringLiteral("%1/%2 %3 %4 %5")
                        .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                             q.value(4).toString());
        return list;
    }
    void reloadSuppliers()
    {
        fournisseur()->refresh();
        factures()->refresh();
    }

private slots:
    void init()
    {
        setPrompter(&prompts);
        prompts = ScriptedPrompter();
        asked.clear();
        forms = std::make_unique<ScriptedSupplierForms>(&asked);
        home = std::make_unique<TestHome>();
        db = home->openPrepared(2, 2009);
        QVERIFY(db);
        StoreFixture(db->database())
            .noArticles()
            .article(1, QStringLiteral("SUCRE"), 100)
            .usualSuppliers()
            .movement(1, 1, 10, QStringLiteral("2009-03-03"), 10, 100, 1)
            .movement(2, 1, 22, QStringLiteral("2009-03-20"), 4, 100, 0)
            .movement(3, 1, 10, QStringLiteral("2009-03-28"), 5, 200, 1);
        Stock(*db).db_ARTICLES->refresh();
        db->startSession(QDate(2009, 3, 10));
        reloadSuppliers();
    }
    void cleanup()
    {
        db.reset();
        home.reset();
        forms.reset();
        setPrompter(nullptr);
    }

    void newSupplierNumberAndDefaults_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<int>("proposed");
        QTest::newRow("empty table") << QList<int>{} << 1;
        QTest::newRow("1, 2 and 7") << QList<int>{1, 2, 7} << 8;
        QTest::newRow("only 0") << QList<int>{0} << 1;
    }
    void newSupplierNumberAndDefaults()
    {
        QFETCH(QList<int>, codes);
        QFETCH(int, proposed);
        exec(QStringLiteral("delete from fournisseur"));
        exec(QStringLiteral("update stock set code_four=0")); // numbers the records carry: below
        for (int code : codes)
            StoreFixture(db->database()).supplier(code, QStringLiteral("S%1").arg(code));
        reloadSuppliers();
        forms->suppliers = {QVariantMap{{"nom_prenom", "NOUVEAU"}}};
        QVERIFY(EditFournisseur(suppliers(), EntryMode::Add));
        QCOMPARE(forms->lastShown.value("code_four").toInt(), proposed);
        QCOMPARE(forms->lastShown.value("montant_max").toDouble(), 0.0);
        QCOMPARE(forms->lastShown.value("code_banque").toString(), QString());
        QVERIFY(!forms->lastShown.value("code_banque").isNull());
        QVERIFY(forms->lastShown.value("daten").isNull());
        // The saved supplier is the current one.
        QCOMPARE(fournisseur()->intValue(QStringLiteral("code_four")), proposed);
        QCOMPARE(fournisseur()->textValue(QStringLiteral("nom_prenom")), QStringLiteral("NOUVEAU"));
    }

    void modifyWithNoSupplierOpensNothing()
    {
        exec(QStringLiteral("delete from fournisseur"));
        reloadSuppliers();
        QVERIFY(!EditFournisseur(suppliers(), EntryMode::Modify));
        QVERIFY(!EditFacture(suppliers(), EntryMode::Add));
        QVERIFY(asked.isEmpty());
    }

    // A number typed as text reaches the row as nothing; a number held by another supplier is refused in
    // words. Neither is written; the window runs again on what was typed.
    void refusedNumbers()
    {
        forms->suppliers = {QVariantMap{{"code_four", QVariant()}, {"nom_prenom", "X"}}, QVariantMap{{"code_four", 2}},
                            std::nullopt};
        QVERIFY(!EditFournisseur(suppliers(), EntryMode::Add));
        QCOMPARE(asked, QStringList({"supplier", "supplier", "supplier"}));
        QCOMPARE(prompts.messages, QStringList({" --- :Le code du fournisseur doit être un nombre.",
                                                "Le fournisseur n° 2 existe déjà."}));
        QCOMPARE(scalar(QStringLiteral("select count(*) from fournisseur")).toInt(), 2);

        // Its own number is no conflict when modifying.
        selectSupplier(2);
        forms->suppliers = {QVariantMap{{"code_four", 2}, {"ville", "ORAN"}}};
        QVERIFY(EditFournisseur(suppliers(), EntryMode::Modify));
        QCOMPARE(scalar(QStringLiteral("select ville from fournisseur where code_four=2")).toString(),
                 QStringLiteral("ORAN"));
    }

    void namesStoredAsTyped()
    {
        const QString name = QStringLiteral("L'OLIVIER; \"SARL\" -- DROP TABLE fournisseur;");
        forms->suppliers = {QVariantMap{{"nom_prenom", name}, {"adresse", "1; RUE D'ALGER"}}};
        QVERIFY(EditFournisseur(suppliers(), EntryMode::Add));
        QCOMPARE(scalar(QStringLiteral("select nom_prenom from fournisseur where code_four=3")).toString(), name);
        QCOMPARE(fournisseur()->displayText(QStringLiteral("nom_prenom")), name);
        suppliers().SetSupplierFilter(QStringLiteral("l'olivier;"));
        QCOMPARE(fournisseur()->recordCount(), 1);
    }

    void ribText_data()
    {
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<QString>("rib");
        QTest::newRow("all four parts") << QStringList{"001", "00101", "0123456789", "71"} << "00100101012345678971";
        QTest::newRow("key missing") << QStringList{"001", "00101", "0123456789", ""} << "...";
        QTest::newRow("short account") << QStringList{"001", "00101", "01234567", "71"} << "...";
        QTest::newRow("nothing") << QStringList{"", "", "", ""} << "...";
        QTest::newRow("treasury") << QStringList{"TRS", "12345", "67890", ""} << "...";
    }
    void ribText()
    {
        QFETCH(QStringList, parts);
        QFETCH(QString, rib);
        QSqlQuery q(db->database());
        q.prepare(QStringLiteral("update fournisseur set code_banque=?, code_agence=?, num_compte=?, cle_controle=? "
                                 "where code_four=1"));
        for (const QString &p : parts)
            q.addBindValue(p);
        QVERIFY(q.exec());
        reloadSuppliers();
        selectSupplier(1);
        QCOMPARE(fournisseur()->displayText(QStringLiteral("rib")), rib);
    }

    void nameFilter()
    {
        StoreFixture(db->database())
            .supplier(0, QStringLiteral("BENAMAR ZERO"))
            .supplier(5, QStringLiteral("  benyahia"))
            .supplier(6, QStringLiteral("SARL BENZ"));
        reloadSuppliers();
        QCOMPARE(fournisseur()->recordCount(), 5);
        suppliers().SetSupplierFilter(QStringLiteral("ben"));
        QStringList shown;
        for (int r = 0; r < fournisseur()->recordCount(); ++r)
            shown << fournisseur()->displayTextAt(r, fournisseur()->fieldIndex(QStringLiteral("code_four")));
        QCOMPARE(shown, QStringList({"5"}));
        suppliers().SetSupplierFilter(QString());
        QCOMPARE(fournisseur()->recordCount(), 5);
    }

    void deletions()
    {
        selectSupplier(1);
        QVERIFY(LoadFactureFournisseur(suppliers(), 1));
        prompts.confirmations = {false, true, true};
        QVERIFY(!DeleteCurrentInvoice(suppliers()));
        QVERIFY(DeleteCurrentInvoice(suppliers()));
        selectSupplier(2);
        QVERIFY(DeleteCurrentSupplier(suppliers()));
        QCOMPARE(prompts.questions, QStringList({" Voulez-vous  Confirmer la Suppression de la Facture n°1    ? ",
                                                 " Voulez-vous  Confirmer la Suppression de la Facture n°1    ? ",
                                                 " Voulez-vous  Confirmer la Suppression du Fournisseur 2-ETS "
                                                 "BENALI    ? "}));
        QCOMPARE(invoiceCount(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from fournisseur")).toInt(), 1);
    }

    // A supplier whose number movements or invoices carry stays, with the reason before any question;
    // the dataset's rule refuses the delete on every other path too.
    void supplierWithRecordsIsKept_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("invoices");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("two deliveries") << 1 << 0
                                        << "Le fournisseur n° 1 ne peut pas être supprimé : son numéro figure dans 2 "
                                           "mouvements et 0 facture. Supprimez d'abord ses factures et ses mouvements.";
        QTest::newRow("deliveries and an invoice")
            << 1 << 1
            << "Le fournisseur n° 1 ne peut pas être supprimé : son numéro figure dans 2 mouvements et 1 facture. "
               "Supprimez d'abord ses factures et ses mouvements.";
        QTest::newRow("an invoice only") << 2 << 1
                                         << "Le fournisseur n° 2 ne peut pas être supprimé : son numéro figure dans 0 "
                                            "mouvement et 1 facture. Supprimez d'abord ses factures et ses mouvements.";
    }
    void supplierWithRecordsIsKept()
    {
        QFETCH(int, code);
        QFETCH(int, invoices);
        QFETCH(QString, refusal);
        for (int n = 1; n <= invoices; ++n)
            exec(QStringLiteral("insert into factures (code_four, num_facture, periode_du, periode_au) "
                                "values (%1, %2, '2009-03-01', '2009-03-31')")
                     .arg(code)
                     .arg(n));
        reloadSuppliers();
        selectSupplier(code);
        prompts.confirmations = {true};
        QVERIFY(!DeleteCurrentSupplier(suppliers()));
        QCOMPARE(prompts.messages, QStringList({refusal}));
        QVERIFY(prompts.questions.isEmpty());
        selectSupplier(code);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, fournisseur()->remove());
        QCOMPARE(scalar(QStringLiteral("select count(*) from fournisseur where code_four=%1").arg(code)).toInt(), 1);
    }

    // A number that movements or invoices still carry is never proposed to a new supplier: the deleted
    // supplier's deliveries would become the new one's.
    void numberCarriedByRecordsNotGivenAgain_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("proposed");
        QTest::newRow("deliveries of a supplier gone") << "update stock set code_four=7 where num_mvt=3" << 8;
        QTest::newRow("an invoice of a supplier gone")
            << "insert into factures (code_four, num_facture, periode_du, periode_au) "
               "values (9, 1, '2009-03-01', '2009-03-31')"
            << 10;
        QTest::newRow("nothing beyond the suppliers") << "select 1" << 3;
    }
    void numberCarriedByRecordsNotGivenAgain()
    {
        QFETCH(QString, sql);
        QFETCH(int, proposed);
        exec(sql);
        forms->suppliers = {QVariantMap{{"nom_prenom", "LAITERIE"}}};
        QVERIFY(EditFournisseur(suppliers(), EntryMode::Add));
        QCOMPARE(forms->lastShown.value("code_four").toInt(), proposed);
    }

    void chargerTwiceMakesOneInvoice()
    {
        selectSupplier(1);
        QVERIFY(LoadFactureFournisseur(suppliers(), 1));
        QVERIFY(!LoadFactureFournisseur(suppliers(), 1));
        QCOMPARE(invoices(), QStringList({"1/1 2009-03-03 2009-03-28 Facture du 03/03/2009 au 28/03/2009"}));
        QCOMPARE(factures()->displayText(QStringLiteral("DATE_FACTURE")), DateText(QDate::currentDate()));
        QCOMPARE(factures()->displayText(QStringLiteral("total")), FormatMontant(10 * 100 + 5 * 200));

        // A further entry on 5 April: the next invoice starts the day after the last one.
        StoreFixture(db->database()).movement(4, 1, 10, QStringLiteral("2009-04-05"), 2, 150, 1);
        QVERIFY(LoadFactureFournisseur(suppliers(), 1));
        QCOMPARE(invoices().last(), QStringLiteral("1/2 2009-03-29 2009-04-05 Facture du 29/03/2009 au 05/04/2009"));
        QCOMPARE(factures()->recordCount(), 2);
        QVERIFY(prompts.messages.isEmpty());
    }

    void nextPeriod_data()
    {
        QTest::addColumn<QString>("lastInvoiceEnd");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QDate>("du");
        QTest::addColumn<QDate>("au");
        QTest::newRow("no invoice") << QString() << true << QDate(2009, 3, 3) << QDate(2009, 3, 28);
        QTest::newRow("invoice ending before the first entry")
            << "2009-02-10" << true << QDate(2009, 3, 3) << QDate(2009, 3, 28);
        QTest::newRow("invoice ending in the middle")
            << "2009-03-10" << true << QDate(2009, 3, 11) << QDate(2009, 3, 28);
        QTest::newRow("invoiced up to the day before the last entry")
            << "2009-03-27" << true << QDate(2009, 3, 28) << QDate(2009, 3, 28);
        QTest::newRow("everything invoiced") << "2009-03-28" << false << QDate() << QDate();
    }
    void nextPeriod()
    {
        QFETCH(QString, lastInvoiceEnd);
        QFETCH(bool, ok);
        QFETCH(QDate, du);
        QFETCH(QDate, au);
        if (!lastInvoiceEnd.isEmpty())
            exec(QStringLiteral("insert into factures (code_four, num_facture, periode_du, periode_au) values "
                                "(1, 1, '2009-01-01', '%1')")
                     .arg(lastInvoiceEnd));
        QDate d, a;
        QCOMPARE(GetNewPeriodeFactureOfFour(*db, 1, d, a), ok);
        QCOMPARE(d, du);
        QCOMPARE(a, au);
    }

    void newInvoiceDefaults_data()
    {
        QTest::addColumn<qint64>("supplier");
        QTest::addColumn<QString>("lastInvoiceEnd");
        QTest::addColumn<int>("number");
        QTest::addColumn<QDate>("du");
        QTest::addColumn<QDate>("au");
        const QDate first = FirstDayOfMonth(QDate::currentDate());
        QTest::newRow("no movement, no invoice: this month")
            << qint64(2) << QString() << 1 << first << LastDayOfMonth(first);
        QTest::newRow("no movement, invoiced to 31/03")
            << qint64(2) << "2009-03-31" << 2 << QDate(2009, 4, 1) << QDate(2009, 4, 30);
        QTest::newRow("movements to invoice") << qint64(1) << QString() << 1 << QDate(2009, 3, 3) << QDate(2009, 3, 28);
        QTest::newRow("movements invoiced: the month after")
            << qint64(1) << "2009-03-28" << 2 << QDate(2009, 3, 29) << QDate(2009, 3, 31);
    }
    void newInvoiceDefaults()
    {
        QFETCH(qint64, supplier);
        QFETCH(QString, lastInvoiceEnd);
        QFETCH(int, number);
        QFETCH(QDate, du);
        QFETCH(QDate, au);
        if (!lastInvoiceEnd.isEmpty())
            exec(QStringLiteral("insert into factures (code_four, num_facture, periode_du, periode_au) values "
                                "(%1, 1, '2009-01-01', '%2')")
                     .arg(supplier)
                     .arg(lastInvoiceEnd));
        reloadSuppliers();
        selectSupplier(supplier);
        forms->invoices = {QVariantMap{}};
        QVERIFY(EditFacture(suppliers(), EntryMode::Add));
        QCOMPARE(forms->lastShown.value("NUM_FACTURE").toInt(), number);
        QCOMPARE(forms->lastShown.value("CODE_FOUR").toLongLong(), supplier);
        QCOMPARE(forms->lastShown.value("DATE_FACTURE").toDate(), QDate::currentDate());
        QCOMPARE(forms->lastShown.value("PERIODE_DU").toDate(), du);
        QCOMPARE(forms->lastShown.value("PERIODE_AU").toDate(), au);
        QCOMPARE(forms->lastShown.value("TVA").toDouble(), 0.0);
    }

    void amountFollowsTheEntries()
    {
        selectSupplier(1);
        forms->invoices = {QVariantMap{{"PERIODE_DU", QDate(2009, 3, 4)}, {"PERIODE_AU", QDate(2009, 3, 31)}},
                           QVariantMap{{"PERIODE_DU", QDate(2009, 4, 1)}, {"PERIODE_AU", QDate(2009, 4, 30)}}};
        QVERIFY(EditFacture(suppliers(), EntryMode::Add));
        QVERIFY(EditFacture(suppliers(), EntryMode::Add));
        QCOMPARE(factures()->displayTextAt(0, factures()->fieldIndex(QStringLiteral("total"))), FormatMontant(1000));
        QCOMPARE(factures()->displayTextAt(1, factures()->fieldIndex(QStringLiteral("total"))), QString());

        // The entry of 28/03 gets a new price through the movement window's dataset.
        db->selectDay(QDate(2009, 3, 28));
        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 3));
        Stock(*db).db_STOCK->edit();
        Stock(*db).db_STOCK->setValue(QStringLiteral("PU"), 250.0);
        QVERIFY(db->SaveDataSet(Stock(*db).db_STOCK, true));
        QCOMPARE(factures()->displayTextAt(0, factures()->fieldIndex(QStringLiteral("total"))), FormatMontant(1250));
    }

    // A number typed as text, a period ending before it starts: refused, nothing written.
    void refusedInvoices()
    {
        selectSupplier(1);
        forms->invoices = {
            QVariantMap{{"NUM_FACTURE", QVariant()}},
            QVariantMap{{"NUM_FACTURE", 3}, {"PERIODE_DU", QDate(2009, 3, 10)}, {"PERIODE_AU", QDate(2009, 3, 9)}},
            QVariantMap{{"PERIODE_DU", QVariant()}}, std::nullopt};
        QVERIFY(!EditFacture(suppliers(), EntryMode::Add));
        QCOMPARE(prompts.messages, QStringList({" --- :Le numéro de la facture doit être un nombre.",
                                                " --- :La période de la facture doit finir après son début.",
                                                " --- :La période de la facture doit finir après son début."}));
        QCOMPARE(invoiceCount(), 0);
    }

    // Files made before the VAT rate get the column; their invoices read a rate of 0.
    void olderFileGetsTheVatColumn()
    {
        const QString path = db->openedPath();
        db.reset();
        {
            QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
            c.setDatabaseName(path);
            QVERIFY(c.open());
            for (const char *sql : {"drop table factures",
                                    "create table FACTURES (CODE_FOUR INTEGER NOT NULL, NUM_FACTURE INTEGER NOT NULL, "
                                    "DATE_FACTURE DATE, PERIODE_DU DATE, PERIODE_AU DATE, OBS VARCHAR(40), "
                                    "PRIMARY KEY (CODE_FOUR, NUM_FACTURE))",
                                    "insert into factures values (1, 1, '2009-03-31', '2009-03-01', '2009-03-31', "
                                    "'OLD')"})
                ExecSql(c, QString::fromLatin1(sql));
            c.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("older"));
        for (bool readOnly : {true, false}) {
            auto opened = std::make_unique<TestData>();
            opened->readOnly = readOnly;
            QCOMPARE(opened->OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false,
                                              QString::fromLatin1(kSchemaTag)),
                     int(OpenOk));
            opened->LoadOptions();
            opened->startSession(QDate(2009, 3, 10));
            Dataset *f = Suppliers(*opened).db_FACTURES;
            Suppliers(*opened).db_fournisseur->locate(QStringLiteral("code_four"), 1);
            QCOMPARE(f->recordCount(), 1);
            QCOMPARE(f->doubleValue(QStringLiteral("TVA")), 0.0);
            QCOMPARE(f->hasField(QStringLiteral("TVA")), !readOnly);
            QCOMPARE(f->displayText(QStringLiteral("total")), FormatMontant(2000));
        }
    }
};

QTEST_GUILESS_MAIN(TestSuppliers)
#include "test_suppliers.moc"
