#include "FileTest.h"
#include "StoreFixture.h"
#include "common/Form.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Dataset.h"
#include "reports/DepenseMensuelle.h"
#include "reports/EtatMensuel.h"
#include "reports/ReportsModule.h"

#include <QtTest>
#include <functional>

using namespace zelvane;

namespace {

// The input window answered in advance: writes its values into the row, then accepts or cancels.
class ScriptedEtatMensuel : public EtatMensuelForm
{
public:
    ScriptedEtatMensuel() { Form<EtatMensuelForm>::install(this); }
    ~ScriptedEtatMensuel() override { Form<EtatMensuelForm>::uninstall(this); }
    bool editEtatMensuel(ReportsModule &reports) override
    {
        ++opened;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            reports.db_etat_mensuel->setValue(it.key(), it.value());
        return accept;
    }
    QVariantMap values;
    bool accept = true;
    int opened = 0;
};

} // namespace

// The monthly aggregate behind the monthly statements and the month's row of budget figures.
class TestMonthly : public FileTest
{
    Q_OBJECT

    ReportsModule &reports() { return *db->module<ReportsModule>(); }

    // A year of 2009 worked out by hand, printed for May:
    //   May 4:  categories 1 and 2 at lunch 60 + 41 and dinner 100; exits 20 (lunch) 300, 21 (breakfast)
    //           50, 22 (lunch) 100, 23 (snack) 10, 24 (dinner) 200, and a nature 25 that counts nowhere.
    //   May 31: category 3 at lunch 120 only, exits 22 worth 240.
    //   April 30 and January 2: head-counts and exits that count only in the earlier months.
    //   June 1, May of 2008 and a category 8: count nowhere.
    void handWorkedYear()
    {
        StoreFixture fixture(db->database());
        fixture.noArticles().article(1, QStringLiteral("SUCRE"), 10);
        int n = 0;
        auto exit = [&](const char *day, int nature, double value) {
            fixture.movement(++n, 1, nature, QString::fromLatin1(day), 1, value);
        };
        headCount(QStringLiteral("2009-05-04"), 1, 5, 60, 0, 100);
        headCount(QStringLiteral("2009-05-04"), 2, 0, 41, 7, 0);
        headCount(QStringLiteral("2009-05-04"), 8, 0, 999, 0, 999);
        exit("2009-05-04", 20, 300);
        exit("2009-05-04", 21, 50);
        exit("2009-05-04", 22, 100);
        exit("2009-05-04", 23, 10);
        exit("2009-05-04", 24, 200);
        exit("2009-05-04", 25, 1000);
        fixture.movement(++n, 1, 10, QStringLiteral("2009-05-04"), 1, 5000); // an entry
        headCount(QStringLiteral("2009-05-31"), 3, 0, 120, 0, 0);
        exit("2009-05-31", 22, 240);
        headCount(QStringLiteral("2009-04-30"), 1, 0, 10, 0, 20);
        exit("2009-04-30", 24, 90);
        headCount(QStringLiteral("2009-01-02"), 2, 0, 30, 0, 0);
        exit("2009-01-02", 21, 30);
        headCount(QStringLiteral("2009-06-01"), 1, 0, 500, 0, 500);
        exit("2009-06-01", 22, 5000);
        headCount(QStringLiteral("2008-05-04"), 1, 0, 500, 0, 500);
        exit("2008-05-04", 22, 5000);
    }

private slots:
    void init()
    {
        openFile();
        db->startSession(QDate(2009, 5, 4));
    }
    void cleanup() { closeFile(); }

    void personsFed_data()
    {
        QTest::addColumn<int>("lunch");
        QTest::addColumn<int>("dinner");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        // A day's persons fed are the day summary's (the mean truncated); a month's average rounds half to
        // even.
        QTest::newRow("101 and 100") << 101 << 100 << 100 << 100;
        QTest::newRow("103 and 100") << 103 << 100 << 101 << 102;
        QTest::newRow("lunch only is not halved") << 120 << 0 << 120 << 120;
        QTest::newRow("dinner only is not halved") << 0 << 77 << 77 << 77;
        QTest::newRow("nobody") << 0 << 0 << 0 << 0;
        QTest::newRow("1 and 2") << 1 << 2 << 1 << 2;
        QTest::newRow("2 and 3") << 2 << 3 << 2 << 2;
        QTest::newRow("311 and 180, as the day summary") << 311 << 180 << 245 << 246;
    }
    void personsFed()
    {
        QFETCH(int, lunch);
        QFETCH(int, dinner);
        QFETCH(int, day);
        QFETCH(int, month);
        for (const bool oneDay : {true, false}) {
            const int moyenne = oneDay ? day : month;
            TDepenseJour record;
            record.Effectifs[0][1] = lunch;
            record.Effectifs[0][3] = dinner;
            record.SortiesJour = 1000;
            record.computeDerived(oneDay);
            QCOMPARE(record.Moyenne, moyenne);
            QCOMPARE(record.EffectifTotal, lunch + dinner);
            QCOMPARE(record.PrixJournee, moyenne ? 1000.0 / moyenne : 0.0);
            QCOMPARE(record.PrixRepas, lunch + dinner ? 1000.0 / (lunch + dinner) : 0.0);
        }
        if (lunch || dinner)
            QCOMPARE(qint32(PersonnesNourries(lunch, dinner)), day);
    }

    void daysOfTheMonth_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("days");
        QTest::newRow("February of a leap year") << QDate(2008, 2, 10) << 29;
        QTest::newRow("February") << QDate(2009, 2, 28) << 28;
        QTest::newRow("April") << QDate(2009, 4, 1) << 30;
        QTest::newRow("December") << QDate(2009, 12, 31) << 31;
    }
    void daysOfTheMonth()
    {
        QFETCH(QDate, date);
        QFETCH(int, days);
        const TDepense_Mensuelle month(*db, date);
        QCOMPARE(month.dayCount(), days);
        QCOMPARE(month.Mois, date.month());
        for (int n = 1; n <= days; ++n)
            QCOMPARE(month.GetJour(n)->Jour, n);
        QVERIFY(!month.GetJour(0));
        QVERIFY(!month.GetJour(days + 1));
    }

    // A month, its earlier months and the year so far, each figure in its place.
    void handWorkedMonth()
    {
        handWorkedYear();
        const TDepense_Mensuelle may(*db, QDate(2009, 5, 20));
        QVERIFY(prompts.messages.isEmpty());

        const TDepenseJour &d4 = *may.GetJour(4);
        QCOMPARE(d4.effectif(1, 2), 60);
        QCOMPARE(d4.effectif(2, 3), 7);
        QCOMPARE(d4.Repas[0], 5);
        QCOMPARE(d4.Repas[1], 101);
        QCOMPARE(d4.Repas[2], 7);
        QCOMPARE(d4.Repas[3], 100);
        QCOMPARE(d4.Sorties[0], 50.0);
        QCOMPARE(d4.Sorties[1], 400.0); // natures 20 and 22
        QCOMPARE(d4.Sorties[2], 10.0);
        QCOMPARE(d4.Sorties[3], 200.0);
        QCOMPARE(d4.SortiesJour, 660.0);
        QCOMPARE(d4.EffectifTotal, 201);
        QCOMPARE(d4.Moyenne, 100);
        QCOMPARE(d4.PrixJournee, 6.6);

        const TDepenseJour &d31 = *may.GetJour(31);
        QCOMPARE(d31.Moyenne, 120);
        QCOMPARE(d31.PrixJournee, 2.0);
        QCOMPARE(may.GetJour(1)->SortiesJour, 0.0);
        QCOMPARE(may.GetJour(1)->PrixJournee, 0.0);

        // The month's figures are computed on its sums, not summed from its days.
        QCOMPARE(may.TotalMois.Repas[1], 221);
        QCOMPARE(may.TotalMois.Repas[3], 100);
        QCOMPARE(may.TotalMois.SortiesJour, 900.0);
        QCOMPARE(may.TotalMois.Moyenne, 160); // (221 + 100) / 2 = 160.5
        QCOMPARE(may.TotalMois.Jour, 0);

        // January to April together, whatever their days.
        QCOMPARE(may.ReportMois.effectif(1, 2), 10);
        QCOMPARE(may.ReportMois.effectif(2, 2), 30);
        QCOMPARE(may.ReportMois.Repas[3], 20);
        QCOMPARE(may.ReportMois.SortiesJour, 120.0);
        QCOMPARE(may.ReportMois.Moyenne, 30);
        QCOMPARE(may.ReportMois.PrixJournee, 4.0);

        QCOMPARE(may.TotalAnnee.Repas[1], may.TotalMois.Repas[1] + may.ReportMois.Repas[1]);
        QCOMPARE(may.TotalAnnee.Repas[3], may.TotalMois.Repas[3] + may.ReportMois.Repas[3]);
        QCOMPARE(may.TotalAnnee.SortiesJour, may.TotalMois.SortiesJour + may.ReportMois.SortiesJour);
        QCOMPARE(may.TotalAnnee.Moyenne, 190); // (261 + 120) / 2 = 190.5

        // April does not see May.
        const TDepense_Mensuelle april(*db, QDate(2009, 4, 1));
        QCOMPARE(april.GetJour(30)->SortiesJour, 90.0);
        QCOMPARE(april.ReportMois.SortiesJour, 30.0);
        QCOMPARE(april.TotalAnnee.SortiesJour, 120.0);
    }

    // A day stored as no date, and a month whose queries cannot run, leave zeros and no crash.
    void unreadableDays()
    {
        StoreFixture(db->database()).noArticles().article(1, QStringLiteral("SUCRE"), 10);
        exec(QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu) values (1, 1, 22, "
                            "'2009-05-xx', 1, 100)"));
        exec(QStringLiteral("insert into menu_effect (date_menu, code_categ, m2) values ('garbage', 1, 10)"));
        const TDepense_Mensuelle may(*db, QDate(2009, 5, 1));
        QCOMPARE(may.TotalAnnee.SortiesJour, 0.0);
        QCOMPARE(may.TotalAnnee.EffectifTotal, 0);

        const TDepense_Mensuelle none(*db, QDate());
        QCOMPARE(none.dayCount(), 0);

        exec(QStringLiteral("drop table menu_effect"));
        const TDepense_Mensuelle broken(*db, QDate(2009, 5, 1));
        QCOMPARE(broken.dayCount(), 31);
        QCOMPARE(broken.TotalMois.EffectifTotal, 0);
        QCOMPARE(prompts.messages.size(), 1); // the engine's message
    }

    // The statement writes the month's expense, persons fed and the store's opening value into the
    // month's row, creating it once, and leaves the user's budget figures alone.
    void monthRowWritten()
    {
        handWorkedYear();
        StoreFixture(db->database())
            .article(2, QStringLiteral("RIZ"), 10, 4, 2.5)
            .article(3, QStringLiteral("SEL"), 10, 2, std::nullopt);
        QVERIFY(!ReadEtatMensuel(*db, 5));
        QString error;
        QVERIFY(UpdateEtatMensuel(*db, TDepense_Mensuelle(*db, QDate(2009, 5, 1)), &error));
        std::optional<EtatMensuelRow> row = ReadEtatMensuel(*db, 5);
        QVERIFY(row);
        QCOMPARE(row->dep_mois, 900.0);
        QCOMPARE(row->nbr_mois, 160);
        QCOMPARE(row->valeur_31dec, 10.0);
        QCOMPARE(row->credit_aut_mois, 0.0);

        exec(QStringLiteral("update etat_mensuel set credit_aut_mois=12.5, nbr_aut_mois=3, creance=7, dep_mois=1 where "
                            "mois=5"));
        QVERIFY(UpdateEtatMensuel(*db, TDepense_Mensuelle(*db, QDate(2009, 5, 1)), &error));
        row = ReadEtatMensuel(*db, 5);
        QCOMPARE(row->dep_mois, 900.0);
        QCOMPARE(row->credit_aut_mois, 12.5);
        QCOMPARE(row->nbr_aut_mois, 3);
        QCOMPARE(row->creditOuvert(), 37.5);
        QCOMPARE(row->creance, 7.0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from etat_mensuel")).toInt(), 1);
        QVERIFY(prompts.messages.isEmpty());
    }

    // A row holding letters reads as zeros; its quotients divide by nothing.
    void garbageRow()
    {
        exec(QStringLiteral("insert into etat_mensuel values (3, 'abc', 'x', NULL, '', 1e400, '12', 'z', NULL)"));
        const std::optional<EtatMensuelRow> row = ReadEtatMensuel(*db, 3);
        QVERIFY(row);
        QCOMPARE(row->dep_mois, 0.0);
        QCOMPARE(row->nbr_mois, 0);
        QCOMPARE(row->prixRevient(), 0.0);
        QCOMPARE(row->depense_enreg, 12.0);
        QCOMPARE(row->creditOuvert(), 0.0);
    }

    void computedBoxes_data()
    {
        QTest::addColumn<QStringList>("boxes"); // dep, nbr, credit, nbr_aut, valeur, depense, creance
        QTest::addColumn<QStringList>("computed");
        QTest::newRow("figures") << QStringList{"1000", "8", "2.5", "4", "1", "2", "3.25"}
                                 << QStringList{"125.00", "10.00", "6.25"};
        QTest::newRow("no persons") << QStringList{"1000", "0", "2.5", "", "1", "2", "3"}
                                    << QStringList{"0.00", "0.00", "6.00"};
        QTest::newRow("letters") << QStringList{"12a", "8", "x", "4", "1", "", "3"}
                                 << QStringList{"0.00", "0.00", "0.00"};
        QTest::newRow("thousands") << QStringList{"1234567", "1", "0", "0", "0", "0", "0"}
                                   << QStringList{FormatMontant(1234567).trimmed(), "0.00", "0.00"};
    }
    void computedBoxes()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, computed);
        const EtatMensuelBoxes b = ComputeEtatMensuelBoxes(boxes[0], boxes[1], boxes[2], boxes[3], boxes[4], boxes[5],
                                                           boxes[6]);
        QCOMPARE(QStringList({b.prixRevient, b.creditOuvert, b.total}), computed);
    }

    // The input window edits the month's row: posted when accepted, left as it was otherwise or when the
    // file is read-only; a month without a row opens nothing.
    void inputWindow_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<double>("stored");
        QTest::newRow("accepted") << true << false << 1500.0;
        QTest::newRow("cancelled") << false << false << 0.0;
        QTest::newRow("read-only file") << true << true << 0.0;
    }
    void inputWindow()
    {
        QFETCH(bool, accept);
        QFETCH(bool, readOnly);
        QFETCH(double, stored);
        ScriptedEtatMensuel form;
        QVERIFY(!EditEtatMensuel(reports(), 5));
        QCOMPARE(form.opened, 0);

        exec(QStringLiteral("insert into etat_mensuel values(4,0,0,0,0,0,0,0,0)"));
        exec(QStringLiteral("insert into etat_mensuel values(5,0,0,0,0,0,0,0,0)"));
        form.values = {{QStringLiteral("credit_aut_mois"), 1500.0}, {QStringLiteral("nbr_aut_mois"), 3}};
        form.accept = accept;
        db->readOnly = readOnly;
        QCOMPARE(EditEtatMensuel(reports(), 5), accept && !readOnly);
        QCOMPARE(form.opened, 1);
        QVERIFY(!reports().db_etat_mensuel->isEditing());
        QCOMPARE(ReadEtatMensuel(*db, 5)->credit_aut_mois, stored);
        QCOMPARE(ReadEtatMensuel(*db, 4)->credit_aut_mois, 0.0);
    }

    // Without a window (the command line) the row is left as stored.
    void noInputWindow()
    {
        exec(QStringLiteral("insert into etat_mensuel values(5,10,2,0,0,0,0,0,0)"));
        QVERIFY(!EditEtatMensuel(reports(), 5));
        QVERIFY(!reports().db_etat_mensuel->isEditing());
        QCOMPARE(ReadEtatMensuel(*db, 5)->dep_mois, 10.0);
    }
};

QTEST_MAIN(TestMonthly)
#include "test_monthly.moc"
