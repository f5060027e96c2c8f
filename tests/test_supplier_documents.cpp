#include "FileTest.h"
#include "StoreFixture.h"
#include "db/DataModule.h"
#include "reports/SupplierDocuments.h"

#include <QtTest>

using namespace zelvane;

// What the invoice and supplier documents read: the invoice's lines and number, the expenses per supplier
// over a period, the list of suppliers with their account texts and the supplier sheet.
class TestSupplierDocuments : public FileTest
{
    Q_OBJECT

    // Supplier 1 SARL EL BARAKA (address, full account) delivers SUCRE on 01/03 (the first day of
    // invoice 2), 10/03 and 31/03 (its last day), and on 01/04; supplier 2 ETS BENALI (no address, no
    // agency) delivers RIZ on 15/03. An exit of 20/03 names supplier 1.
    void year()
    {
        StoreFixture fixture(db->database());
        fixture.noArticles()
            .article(1, QStringLiteral("SUCRE"), 85)
            .article(2, QStringLiteral("RIZ"), 120)
            .usualSuppliers()
            .movement(1, 1, 10, QStringLiteral("2009-03-01"), 10, 85, 1)
            .movement(2, 1, 10, QStringLiteral("2009-03-10"), 2, 90.5, 1)
            .movement(3, 1, 10, QStringLiteral("2009-03-31"), 1, 100, 1)
            .movement(4, 1, 10, QStringLiteral("2009-04-01"), 1, 1000, 1)
            .movement(5, 2, 10, QStringLiteral("2009-03-15"), 3, 120, 2)
            .movement(6, 1, 22, QStringLiteral("2009-03-20"), 4, 85, 1);
        exec(QStringLiteral("update fournisseur set adresse='12 RUE DES FRERES, ORAN', n_regc='98B0012', "
                            "codefisc='0991', tel='041 00 00', code_banque='001', code_agence='00123', "
                            "num_compte='0123456789', cle_controle='12' where code_four=1"));
        exec(QStringLiteral("update fournisseur set code_banque='001', num_compte='0123456789', cle_controle='12' "
                            "where code_four=2"));
        exec(QStringLiteral("update stock set num_bc=7, date_bc='2009-02-27', num_bl=70, date_bl='2009-03-01' "
                            "where num_mvt=1"));
        exec(QStringLiteral("insert into factures (code_four, num_facture, date_facture, periode_du, periode_au) "
                            "values (1, 2, '2008-12-31', '2009-03-01', '2009-03-31'), (1, 3, NULL, '2009-03-01', "
                            "'2009-03-31'), (2, 1, '2009-03-31', '2009-03-01', '2009-03-31'), (2, 4, NULL, "
                            "'2009-05-01', '2009-05-31')"));
    }

private slots:
    void init()
    {
        openFile();
        year();
    }
    void cleanup() { closeFile(); }

    void accountText_data()
    {
        QTest::addColumn<QVariantList>("parts");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("whole");
        const QVariant null;
        QTest::newRow("full") << QVariantList{"001", "00123", "0123456789", "12"} << "001-00123-0123456789-12"
                              << "001-00123-0123456789-12";
        QTest::newRow("no agency") << QVariantList{"001", null, "0123456789", "12"} << "001-0123456789-12"
                                   << "";
        QTest::newRow("no key") << QVariantList{"001", "00123", "0123456789", null} << "001-00123-0123456789"
                                << "";
        QTest::newRow("no bank") << QVariantList{null, "00123", "0123456789", "12"} << "-00123-0123456789-12"
                                 << "";
        QTest::newRow("nothing") << QVariantList{null, null, null, null} << ""
                                 << "";
        QTest::newRow("empty agency is no NULL") << QVariantList{"001", "", "0123456789", "12"} << "001--0123456789-12"
                                                 << "001--0123456789-12";
    }
    void accountText()
    {
        QFETCH(QVariantList, parts);
        QFETCH(QString, list);
        QFETCH(QString, whole);
        const AccountParts rib{parts[0], parts[1], parts[2], parts[3]};
        QCOMPARE(rib.listText(QStringLiteral("-")), list);
        QCOMPARE(rib.wholeText(QStringLiteral("-")), whole);
    }

    void invoice_data()
    {
        QTest::addColumn<qint64>("supplier");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("numberText");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("rib");
        QTest::newRow("both period bounds, the invoice's own year")
            << qint64(1) << qint64(2) << "2/2008" << QStringList{"SUCRE 10", "SUCRE 2", "SUCRE 1"} << 1131.0
            << "001-00123-0123456789-12";
        QTest::newRow("no invoice day: the made-on year")
            << qint64(1) << qint64(3) << "3/2010" << QStringList{"SUCRE 10", "SUCRE 2", "SUCRE 1"} << 1131.0
            << "001-00123-0123456789-12";
        QTest::newRow("missing agency: no account line")
            << qint64(2) << qint64(1) << "1/2009" << QStringList{"RIZ 3"} << 360.0 << "";
    }
    void invoice()
    {
        QFETCH(qint64, supplier);
        QFETCH(qint64, number);
        QFETCH(QString, numberText);
        QFETCH(QStringList, lines);
        QFETCH(double, total);
        QFETCH(QString, rib);
        const std::optional<Facture> f = LoadFacture(*db, supplier, number, QDate(2010, 1, 5));
        QVERIFY(f);
        QCOMPARE(f->numberText(), numberText);
        QStringList read;
        for (const FactureLine &line : f->lines)
            read << QStringLiteral("%1 %2").arg(line.designation).arg(line.quantite);
        QCOMPARE(read, lines);
        QCOMPARE(f->total(), total);
        QCOMPARE(f->rib, rib);
        QVERIFY(prompts.messages.isEmpty());
    }

    void invoiceHeading()
    {
        const std::optional<Facture> f = LoadFacture(*db, 1, 2, QDate(2010, 1, 5));
        QCOMPARE(f->nom_prenom, QStringLiteral("SARL EL BARAKA"));
        QCOMPARE(f->n_regc, QStringLiteral("98B0012"));
        QCOMPARE(f->codefisc, QStringLiteral("0991"));
        QCOMPARE(f->adresse, QStringLiteral("12 RUE DES FRERES, ORAN"));
        QCOMPARE(f->tel, QStringLiteral("041 00 00"));
        const FactureLine &first = f->lines.first();
        QCOMPARE(first.num_bc, QStringLiteral("7"));
        QCOMPARE(first.date_bc, QDate(2009, 2, 27));
        QCOMPARE(first.num_bl, QStringLiteral("70"));
        QCOMPARE(first.date_bl, QDate(2009, 3, 1));
        QVERIFY(f->lines.last().num_bc.isEmpty());
        QVERIFY(!f->lines.last().date_bc.isValid());
    }

    void noInvoice_data()
    {
        QTest::addColumn<qint64>("supplier");
        QTest::addColumn<qint64>("number");
        QTest::newRow("supplier 0") << qint64(0) << qint64(2);
        QTest::newRow("number 0") << qint64(1) << qint64(0);
        QTest::newRow("no such invoice") << qint64(1) << qint64(99);
        QTest::newRow("no such supplier") << qint64(42) << qint64(2);
        QTest::newRow("no line in its period") << qint64(2) << qint64(4);
    }
    void noInvoice()
    {
        QFETCH(qint64, supplier);
        QFETCH(qint64, number);
        QVERIFY(!LoadFacture(*db, supplier, number, QDate(2009, 6, 1)));
        QVERIFY(prompts.messages.isEmpty());
    }

    void expenses_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("March, both days included")
            << QDate(2009, 3, 1) << QDate(2009, 3, 31)
            << QStringList{"1 SARL EL BARAKA / 12 RUE DES FRERES, ORAN 1131", "2 ETS BENALI 360"};
        QTest::newRow("one day") << QDate(2009, 4, 1) << QDate(2009, 4, 1)
                                 << QStringList{"1 SARL EL BARAKA / 12 RUE DES FRERES, ORAN 1000"};
        QTest::newRow("no entry") << QDate(2009, 6, 1) << QDate(2009, 6, 30) << QStringList{};
        QTest::newRow("reversed") << QDate(2009, 3, 31) << QDate(2009, 3, 1) << QStringList{};
    }
    void expenses()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, lines);
        QStringList read;
        for (const DepenseFournisseur &d : LoadEtatDepenses(*db, from, to))
            read << QStringLiteral("%1 %2 %3").arg(d.code_four).arg(d.nomAdresse).arg(d.montant);
        QCOMPARE(read, lines);
    }

    void supplierList()
    {
        exec(QStringLiteral("insert into fournisseur (code_four) values (3)"));
        QStringList read;
        for (const FournisseurListLine &l : LoadListeFournisseurs(*db))
            read << QStringLiteral("%1|%2|%3").arg(l.code_four).arg(l.nomAdresse, l.rib);
        QCOMPARE(read, QStringList({"1|SARL EL BARAKA / 12 RUE DES FRERES, ORAN|001-00123-0123456789-12",
                                    "2|ETS BENALI|001-0123456789-12", "3||"}));
    }

    void supplierSheet()
    {
        QVERIFY(!LoadFicheFournisseur(*db, 0, QDate(2009, 1, 1), QDate(2009, 12, 31)));
        QVERIFY(!LoadFicheFournisseur(*db, 42, QDate(2009, 1, 1), QDate(2009, 12, 31)));
        std::optional<FicheFournisseur> fiche = LoadFicheFournisseur(*db, 1, QDate(2009, 3, 10), QDate(2009, 4, 1));
        QVERIFY(fiche);
        QCOMPARE(fiche->nom_prenom, QStringLiteral("SARL EL BARAKA"));
        QCOMPARE(fiche->num_compte, QStringLiteral("0123456789"));
        QCOMPARE(fiche->deliveries.size(), 3);
        QCOMPARE(fiche->deliveries.first().date_op, QDate(2009, 3, 10));
        QCOMPARE(fiche->deliveries.first().montant, 181.0);
        QCOMPARE(fiche->deliveries.last().date_op, QDate(2009, 4, 1));
        QVERIFY(prompts.messages.isEmpty());

        // A delivery query that fails says why; the sheet still has its heading.
        exec(QStringLiteral("drop table articles"));
        fiche = LoadFicheFournisseur(*db, 2, QDate(2009, 1, 1), QDate(2009, 12, 31));
        QVERIFY(fiche);
        QVERIFY(fiche->deliveries.isEmpty());
        QVERIFY(fiche->adresse.isEmpty());
        QCOMPARE(prompts.messages.size(), 1);
    }
};

QTEST_MAIN(TestSupplierDocuments)
#include "test_supplier_documents.moc"
