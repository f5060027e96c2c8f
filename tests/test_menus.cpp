#include "FileTest.h"
#include "StoreFixture.h"
#include "db/DataModule.h"
#include "menus/HeadCountGrid.h"
#include "menus/Historique.h"
#include "menus/MenuEntries.h"
#include "menus/MenuJour.h"
#include "menus/MenusModule.h"

#include <QSqlDatabase>
#include <QtTest>

using namespace zelvane;

// The day summary, the head-count entry, the hospitalised staff list and the store's history, on a
// prepared boarding-school file of 2009 (categories 1 to 7) whose articles are written by each test.
class TestMenus : public FileTest
{
    Q_OBJECT

    const QDate day{2009, 3, 10};

    MenusModule &menus() { return Menus(*db); }
    // Sucre at 100 and riz at 50, both with an opening stock of 1000.
    StoreFixture articles()
    {
        StoreFixture fixture(db->database());
        fixture.noArticles()
            .article(1, QStringLiteral("SUCRE"), 100, 1000, 100)
            .article(2, QStringLiteral("RIZ"), 50, 1000, 50);
        return fixture;
    }
    void start(const QDate &selected)
    {
        db->startSession(selected);
        QVERIFY(menus().ListeCategories());
    }

private slots:
    void init() { openFile(); }
    void cleanup() { closeFile(); }

    void labelsOfOlderFilesAreCorrected()
    {
        exec(QStringLiteral("update categories set lib_fr='Maitres (1)' where code_categ=3"));
        exec(QStringLiteral("update categories set lib_fr='Maitres au pair' where code_categ=4"));
        exec(QStringLiteral("update categories set lib_fr='Maitres (2)' where code_categ=5"));
        start(day);
        const TListeCategories &c = *menus().ListeCategories();
        QCOMPARE(c.Count(), 7);
        QCOMPARE(c.FindCategorie(3)->lib_fr, QStringLiteral("Enseignants"));
        QCOMPARE(c.FindCategorie(4)->lib_fr, QStringLiteral("Adjoint d'éducation"));
        QCOMPARE(c.FindCategorie(5)->lib_fr, QStringLiteral("Maitres (2)")); // only the two known labels
        QCOMPARE(c.GetCategorie(6)->code_categ, 7);
        QCOMPARE(c.GetCategorie(6)->index, 6);
        QVERIFY(!c.GetCategorie(7));
        QVERIFY(!c.FindCategorie(8));
    }

    void personsFed_data()
    {
        QTest::addColumn<int>("lunch");
        QTest::addColumn<int>("dinner");
        QTest::addColumn<qint64>("fed");
        QTest::addColumn<QString>("expense"); // of 3 000.00 of exits
        QTest::newRow("lunch only") << 120 << 0 << qint64(120) << QStringLiteral("25.00");
        QTest::newRow("dinner only") << 0 << 80 << qint64(80) << QStringLiteral("37.50");
        QTest::newRow("both") << 120 << 80 << qint64(100) << QStringLiteral("30.00");
        QTest::newRow("half truncated") << 121 << 80 << qint64(100) << QStringLiteral("30.00");
        QTest::newRow("nobody") << 0 << 0 << qint64(0) << QStringLiteral("0.00");
    }
    // Lunch and dinner split over two categories; breakfast and snack head-counts never count as fed.
    void personsFed()
    {
        QFETCH(int, lunch);
        QFETCH(int, dinner);
        QFETCH(qint64, fed);
        QFETCH(QString, expense);
        articles()
            .movement(1, 1, 22, QStringLiteral("2009-03-10"), 20, 100)
            .movement(2, 2, 24, QStringLiteral("2009-03-10"), 20, 50);
        headCount(QStringLiteral("2009-03-10"), 1, 300, lunch / 2, 400, dinner / 2);
        headCount(QStringLiteral("2009-03-10"), 2, 0, lunch - lunch / 2, 0, dinner - dinner / 2);
        start(day);
        const auto jour = menus().MenuJour(day);
        QCOMPARE(jour->PersonnesNourries(), fed);
        QCOMPARE(jour->SortiesJour(), 3000.0);
        QCOMPARE(QString::number(jour->DepenseParPersonne(), 'f', 2), expense);
        QCOMPARE(jour->Effectifs(1), 300.0);
        QCOMPARE(jour->Effectifs(3), 400.0);
        QCOMPARE(jour->DepenseRepas(1), 0.0); // no breakfast exit
        QCOMPARE(jour->DepenseRepas(2), lunch > 0 ? 2000.0 / lunch : 0.0);
        QCOMPARE(jour->DepenseRepas(4), dinner > 0 ? 1000.0 / dinner : 0.0);
        QCOMPARE(jour->GetEffectif(0)->Total, 700.0 + lunch / 2 + dinner / 2);
    }

    // Natures 20 and 22 are both the lunch; an entry or another day's exit is no part of it; a category
    // the file does not know is left out; without head-counts every expense is 0 while the exits show.
    void exitsByMeal()
    {
        articles()
            .movement(1, 1, 20, QStringLiteral("2009-03-10"), 2, 100)
            .movement(2, 2, 22, QStringLiteral("2009-03-10"), 4, 50)
            .movement(3, 1, 21, QStringLiteral("2009-03-10"), 1, 100)
            .movement(4, 1, 23, QStringLiteral("2009-03-10"), 1, 30)
            .movement(5, 1, 10, QStringLiteral("2009-03-10"), 9, 100)
            .movement(6, 1, 24, QStringLiteral("2009-03-11"), 5, 100);
        headCount(QStringLiteral("2009-03-10"), 99, 0, 500, 0, 500);
        exec(QStringLiteral("insert into menu_menu values ('2009-03-10','Café','Couscous ''royal''',NULL,'Chorba')"));
        start(day);
        const auto jour = menus().MenuJour(day);
        QCOMPARE(jour->Sorties(1), 100.0);
        QCOMPARE(jour->Sorties(2), 400.0);
        QCOMPARE(jour->Sorties(3), 30.0);
        QCOMPARE(jour->Sorties(4), 0.0);
        QCOMPARE(jour->SortiesJour(), 530.0);
        QCOMPARE(jour->Count(), 7);
        QCOMPARE(jour->Effectifs(2), 0.0);
        QCOMPARE(jour->PersonnesNourries(), qint64(0));
        QCOMPARE(jour->DepenseParPersonne(), 0.0);
        for (int meal = 1; meal <= 4; ++meal)
            QCOMPARE(jour->DepenseRepas(meal), 0.0);
        QCOMPARE(jour->Menu(2), QStringLiteral("Couscous 'royal'"));
        QCOMPARE(jour->Menu(3), QString());
    }

    // The grid shows stored counts, empties zeros, totals what reads as a count; accepting writes rows
    // by key, keeps zeros of an existing row and makes no row for a category of four zeros.
    void headCountEntry()
    {
        headCount(QStringLiteral("2009-03-10"), 3, 0, 12, 0, 0);
        headCount(QStringLiteral("2009-03-09"), 2, 1, 1, 1, 1);
        start(day);
        ScriptedMenuForms forms;
        forms.menuDays.push_back(QVariantMap{{QStringLiteral("1:2"), QStringLiteral("120")},
                                             {QStringLiteral("0:2"), QStringLiteral("12a")},
                                             {QStringLiteral("0:4"), QStringLiteral("-5")},
                                             {QStringLiteral("4:4"), QStringLiteral("99999999")},
                                             {QStringLiteral("2:2"), QString()},
                                             {QStringLiteral("menu2"), QStringLiteral("Lentilles, l'omelette")}});
        QVERIFY(EditMenuJour(menus()));
        QCOMPARE(forms.lastTotals[2], qint64(120));
        QCOMPARE(forms.lastTotals[4], qint64(0));
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_effect where date_menu='2009-03-10'")).toInt(), 2);
        QCOMPARE(
            scalar(QStringLiteral("select m2 from menu_effect where date_menu='2009-03-10' and code_categ=2")).toInt(),
            120);
        // The cleared row stays, with zeros.
        QCOMPARE(
            scalar(QStringLiteral("select m1+m2+m3+m4 from menu_effect where date_menu='2009-03-10' and code_categ=3"))
                .toInt(),
            0);
        QCOMPARE(scalar(QStringLiteral("select menu2 from menu_menu where date_menu='2009-03-10'")).toString(),
                 QStringLiteral("Lentilles, l'omelette"));
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_effect where date_menu='2009-03-09'")).toInt(), 1);

        HeadCountGrid grid(*db, *menus().ListeCategories(), day);
        QCOMPARE(grid.rowCount(), 7);
        QCOMPARE(grid.cell(1, 2), QStringLiteral("120"));
        QCOMPARE(grid.cell(2, 2), QString());
        QCOMPARE(grid.total(2), qint64(120));
    }

    void headCountCells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("number") << QStringLiteral("120") << 120;
        QTest::newRow("spaces") << QStringLiteral(" 7 ") << 7;
        QTest::newRow("letters") << QStringLiteral("12a") << 0;
        QTest::newRow("negative") << QStringLiteral("-5") << 0;
        QTest::newRow("decimal") << QStringLiteral("1.5") << 0;
        QTest::newRow("largest") << QStringLiteral("99999") << 99999;
        QTest::newRow("too large") << QStringLiteral("100000") << 0;
        QTest::newRow("beyond 64 bits") << QStringLiteral("99999999999999999999999") << 0;
        QTest::newRow("empty") << QString() << 0;
    }
    void headCountCells()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QCOMPARE(HeadCountOfCell(text).value_or(0), count);
    }

    // Cancelling leaves no row in either table; the new day row is only stored once accepted.
    void cancelledEntryWritesNothing()
    {
        start(day);
        ScriptedMenuForms forms;
        forms.menuDays.push_back(std::nullopt);
        QVERIFY(!EditMenuJour(menus()));
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_menu")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_effect")).toInt(), 0);
    }

    // A menu longer than its column is refused with the reason and the window opens again on what was
    // typed; the head-counts typed are in whatever happens to the menu.
    void tooLongMenuIsRefusedNotLost()
    {
        start(day);
        ScriptedMenuForms forms;
        forms.menuDays.push_back(QVariantMap{{QStringLiteral("0:2"), QStringLiteral("40")},
                                             {QStringLiteral("menu4"), QString(251, QLatin1Char('x'))}});
        forms.menuDays.push_back(QVariantMap{{QStringLiteral("menu4"), QString(250, QLatin1Char('y'))}});
        QVERIFY(EditMenuJour(menus()));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages.first().contains(QStringLiteral("Menu : Dîner")),
                 qPrintable(prompts.messages.first()));
        QVERIFY(prompts.messages.first().contains(QLatin1String("250")));
        QCOMPARE(scalar(QStringLiteral("select length(menu4) from menu_menu")).toInt(), 250);
        QCOMPARE(scalar(QStringLiteral("select m2 from menu_effect where code_categ=1")).toInt(), 40);
    }

    void menuTextOfOneMeal()
    {
        exec(QStringLiteral("insert into menu_menu values ('2009-03-10','A','B','C','D')"));
        start(day);
        ScriptedMenuForms forms;
        forms.menuTexts.push_back(QVariantMap{{QStringLiteral("text"), QStringLiteral("Gâteau \"maison\"; jus")}});
        QVERIFY(EditMenuRepas(menus(), 3));
        QCOMPARE(menus().MenuJour(day)->Menu(3), QStringLiteral("Gâteau \"maison\"; jus"));
        QCOMPARE(menus().MenuJour(day)->Menu(1), QStringLiteral("A"));
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_menu")).toInt(), 1);
    }

    // Deleting the day removes its menu, head-counts and staff list, after confirmation, and no other day's.
    void deleteDay()
    {
        for (const char *d : {"2009-03-10", "2009-03-11"}) {
            exec(QStringLiteral("insert into menu_menu values ('%1','A','B','C','D')").arg(QLatin1String(d)));
            headCount(QLatin1String(d), 1, 1, 2, 3, 4);
            exec(QStringLiteral("insert into menu_liste values ('%1',6,1,'X',1,1,0,1)").arg(QLatin1String(d)));
        }
        start(day);
        prompts.confirmations = {false, true};
        QVERIFY(!DeleteDayMenu(menus()));
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_menu")).toInt(), 2);
        QVERIFY(DeleteDayMenu(menus()));
        QCOMPARE(prompts.questions.last(),
                 QStringLiteral(" Voulez-vous  Confirmer la Suppression du Menu de la journée du 10/03/2009    ? "));
        for (const char *table : {"menu_menu", "menu_effect", "menu_liste"})
            QCOMPARE(
                scalar(QStringLiteral("select group_concat(date_menu) from %1").arg(QLatin1String(table))).toString(),
                QStringLiteral("2009-03-11"));
        QVERIFY(menus().db_menu_liste->isEmpty());
    }

    // Numbering from the day's largest number; capitals; a quote in a name; counts beyond reason refused.
    void staffList()
    {
        exec(QStringLiteral("insert into menu_liste values ('2009-03-10',6,4,'A',1,1,0,1)"));
        exec(QStringLiteral("insert into menu_liste values ('2009-03-11',6,9,'B',1,1,0,1)"));
        start(day);
        ScriptedMenuForms forms;
        forms.staff.push_back(QVariantMap{{QStringLiteral("nom"), QStringLiteral("ben m'hidi larbi")},
                                          {QStringLiteral("m2"), 1},
                                          {QStringLiteral("m4"), -1}});
        forms.staff.push_back(QVariantMap{{QStringLiteral("m4"), 1}});
        QVERIFY(EditPersonnel(menus(), EntryMode::Add));
        QCOMPARE(prompts.messages.size(), 1); // the refused count, then the window again
        QCOMPARE(scalar(QStringLiteral("select nom||'/'||num_ord||'/'||m2||'/'||m4 from menu_liste where num_ord=5"))
                     .toString(),
                 QStringLiteral("BEN M'HIDI LARBI/5/1/1"));
        QCOMPARE(menus().db_menu_liste->recordCount(), 2);
        QCOMPARE(menus().NextStaffNumber(QDate(2009, 3, 12)), qint64(1));

        prompts.confirmations = {true};
        QVERIFY(menus().db_menu_liste->locate(QStringLiteral("num_ord"), 5));
        QVERIFY(DeleteStaffMember(menus()));
        QCOMPARE(
            prompts.questions.last(),
            QStringLiteral(" Voulez-vous  Confirmer la Suppression de l'enregistrement Nom : BEN M'HIDI LARBI    ? "));
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_liste")).toInt(), 2);
    }

    // "Actualiser" replaces what was typed for category 6 by the list's totals; an empty list changes nothing.
    void staffTotalsReplaceTypedCounts()
    {
        headCount(QStringLiteral("2009-03-10"), 6, 9, 9, 9, 9);
        exec(QStringLiteral("insert into menu_liste values ('2009-03-10',6,1,'A',1,1,0,1)"));
        exec(QStringLiteral("insert into menu_liste values ('2009-03-10',6,2,'B',1,1,0,0)"));
        exec(QStringLiteral("insert into menu_liste values ('2009-03-10',6,3,'C',0,0,0,1)"));
        start(day);
        QVERIFY(menus().CarryStaffTotals(day));
        QCOMPARE(scalar(QStringLiteral("select m1||','||m2||','||m3||','||m4 from menu_effect where code_categ=6"))
                     .toString(),
                 QStringLiteral("2,2,0,2"));
        QCOMPARE(menus().MenuJour(day)->Effectifs(2), 2.0);
        QVERIFY(!menus().CarryStaffTotals(QDate(2009, 3, 12)));
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_effect")).toInt(), 1);
        // A day without a head-count row gets one.
        exec(QStringLiteral("insert into menu_liste values ('2009-03-12',6,1,'A',0,1,0,0)"));
        QVERIFY(menus().CarryStaffTotals(QDate(2009, 3, 12)));
        QCOMPARE(scalar(QStringLiteral("select m2 from menu_effect where date_menu='2009-03-12'")).toInt(), 1);
    }

    // The default list is replaced whole by a save (emptied from a day without names) and copied whole,
    // replacing the day's names without asking, by a restore.
    void defaultList()
    {
        exec(QStringLiteral("insert into menu_liste values ('2009-03-10',6,1,'O''NEIL',1,1,0,1)"));
        exec(QStringLiteral("insert into menu_liste values ('2009-03-10',6,2,'B',0,1,0,1)"));
        exec(QStringLiteral("insert into menu_liste values ('2009-03-11',6,1,'OLD',1,1,1,1)"));
        start(day);
        menus().SaveDefaultList(day);
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_liste_defaut")).toInt(), 2);
        menus().RestoreDefaultList(QDate(2009, 3, 11));
        QCOMPARE(scalar(QStringLiteral("select group_concat(nom, ',') from (select nom from menu_liste where "
                                       "date_menu='2009-03-11' order by num_ord)"))
                     .toString(),
                 QStringLiteral("O'NEIL,B"));
        menus().SaveDefaultList(QDate(2009, 3, 12));
        QCOMPARE(scalar(QStringLiteral("select count(*) from menu_liste_defaut")).toInt(), 0);
        QCOMPARE(prompts.questions.size(), 0);
    }

    void historyOfOpeningStockOnly()
    {
        articles();
        const THistorique history(*db, 2009);
        QCOMPARE(history.Count(), 1);
        QCOMPARE(history.Jours().first().DateJour, QDate(2008, 12, 31));
        QCOMPARE(history.Jours().first().ValeurFin, 150000.0);
    }

    // Two active days a week apart chain their values; a day with head-counts only is listed with its
    // persons fed; exits of natures 20 and 22 both count; an exit without a price is not in the history.
    void historyChainsActiveDays()
    {
        articles()
            .movement(1, 1, 10, QStringLiteral("2009-03-03"), 10, 110)
            .movement(2, 1, 20, QStringLiteral("2009-03-03"), 5, 100)
            .movement(3, 2, 22, QStringLiteral("2009-03-03"), 2, 50)
            .movement(4, 2, 24, QStringLiteral("2009-03-10"), 4, 50)
            .movement(5, 2, 21, QStringLiteral("2009-03-12"), 4, 0);
        headCount(QStringLiteral("2009-03-03"), 1, 0, 30, 0, 0);
        headCount(QStringLiteral("2009-03-05"), 1, 0, 120, 0, 80);
        headCount(QStringLiteral("2009-03-05"), 2, 0, 1, 0, 0);
        headCount(QStringLiteral("2009-03-06"), 1, 0, 0, 0, 0);
        const THistorique history(*db, 2009);
        QCOMPARE(history.Count(), 4);
        const auto &j = history.Jours();
        QCOMPARE(j.at(1).DateJour, QDate(2009, 3, 3));
        QCOMPARE(j.at(1).ValeurVeille, 150000.0);
        QCOMPARE(j.at(1).ValeurEntrees, 1100.0);
        QCOMPARE(j.at(1).SortiesRepas[1], 600.0);
        QCOMPARE(j.at(1).ValeurSorties, 600.0);
        QCOMPARE(j.at(1).ValeurFin, 150500.0);
        QCOMPARE(j.at(1).PersonnesNourries, qint64(30));
        QCOMPARE(j.at(1).DepenseParPersonne, 20.0);
        QCOMPARE(j.at(2).DateJour, QDate(2009, 3, 5));
        QCOMPARE(j.at(2).ValeurVeille, 150500.0);
        QCOMPARE(j.at(2).ValeurSorties, 0.0);
        QCOMPARE(j.at(2).ValeurFin, 150500.0);
        QCOMPARE(j.at(2).PersonnesNourries, qint64(100)); // 121 and 80
        QCOMPARE(j.at(2).DepenseParPersonne, 0.0);
        QCOMPARE(j.at(3).DateJour, QDate(2009, 3, 10));
        QCOMPARE(j.at(3).ValeurVeille, 150500.0);
        QCOMPARE(j.at(3).ValeurFin, 150300.0);
        QCOMPARE(history.IndexOf(QDate(2009, 3, 12)), -1);
        QCOMPARE(history.IndexOf(QDate(2009, 3, 10)), 3);
    }

    // The command line prints what the tabs show; a quote or a ';' in a label keeps the line whole.
    void commandLine()
    {
        articles()
            .movement(1, 1, 10, QStringLiteral("2009-03-03"), 10, 110)
            .movement(2, 1, 20, QStringLiteral("2009-03-10"), 5, 100)
            .movement(3, 2, 24, QStringLiteral("2009-03-10"), 2, 50);
        exec(QStringLiteral("update categories set lib_fr='Invités; \"VIP\"' where code_categ=7"));
        headCount(QStringLiteral("2009-03-10"), 1, 3, 121, 0, 80);
        headCount(QStringLiteral("2009-03-10"), 7, 0, 1, 0, 0);
        // The command opens the file under the program's alias: the test's connection goes first.
        const QString file = db->openedPath();
        db.reset();
        CliRun day = RunCli({QStringLiteral("day"), file, QStringLiteral("--day"), QStringLiteral("10/03/2009"),
                             QStringLiteral("--csv")});
        QCOMPARE(day.code, 0);
        const QStringList lines = day.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QStringLiteral("ligne;pet_dejeuner;dejeuner;gouter;diner"));
        QVERIFY(lines.contains(QStringLiteral("Demi-pensionnaires;3;121;0;80")));
        QVERIFY(lines.contains(QStringLiteral("\"Invités; \"\"VIP\"\"\";0;1;0;0")));
        QVERIFY(lines.contains(QStringLiteral("Moyenne des personnes;3;122;0;80")));
        QVERIFY(lines.contains(QStringLiteral("Valeur des sorties;0.00;500.00;0.00;100.00")));
        QVERIFY(lines.contains(QStringLiteral("Moyenne des personnes nourries;101;;;")));
        QVERIFY(lines.contains(QStringLiteral("Dépense par personne nourrie;5.94;;;")));
        QVERIFY(lines.contains(QStringLiteral("Valeur du Magasin à ce jour;150500.00;;;")));

        CliRun history = RunCli({QStringLiteral("history"), file, QStringLiteral("--csv")});
        QCOMPARE(history.code, 0);
        QCOMPARE(history.out,
                 QStringLiteral("date;valeur_veille;valeur_entrees;valeur_sorties;valeur_fin;personnes_nourries;"
                                "depense_par_personne\n"
                                "31/12/2008;0.00;0.00;0.00;150000.00;0;0.00\n"
                                "03/03/2009;150000.00;1100.00;0.00;151100.00;0;0.00\n"
                                "10/03/2009;151100.00;0.00;600.00;150500.00;101;5.94\n"));
        QVERIFY(RunCli({QStringLiteral("history"), file}).out.contains(QStringLiteral("Dépense par personne nourrie")));

        const CliRun wrongDay = RunCli(
            {QStringLiteral("day"), file, QStringLiteral("--day"), QStringLiteral("31/02/2009")});
        QCOMPARE(wrongDay.code, 1);
        QVERIFY(wrongDay.err.contains(QStringLiteral("31/02/2009")));
    }

    void demoYear_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("half-board") << 1;
        QTest::newRow("boarding") << 2;
    }
    // The demo's menus follow its exits: category 6 is the staff list's totals, a half-board serves lunch
    // only, and a person fed costs a plausible amount every day.
    void demoYear()
    {
        QFETCH(int, kind);
        db.reset();
        const CliRun demo = RunCli({QStringLiteral("demo"), QStringLiteral("--kind"), QString::number(kind),
                                    QStringLiteral("--year"), QStringLiteral("2009"), QStringLiteral("--articles"),
                                    QStringLiteral("60"), QStringLiteral("--movements"), QStringLiteral("4000"),
                                    QStringLiteral("--name"), QStringLiteral("DEMO%1.MDB").arg(kind)});
        QCOMPARE(demo.code, 0);
        const QString file = demo.out.trimmed();
        {
            QSqlDatabase reader = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
            reader.setDatabaseName(file);
            QVERIFY(reader.open());
            auto count = [&](const char *sql) { return ScalarSql(reader, QString::fromLatin1(sql)).toInt(); };
            QVERIFY(count("select count(*) from menu_menu") > 150);
            QVERIFY(count("select count(*) from menu_liste_defaut") > 0);
            QCOMPARE(count("select count(*) from menu_effect e join (select date_menu, sum(m1) s1, sum(m2) s2,"
                           " sum(m4) s4 from menu_liste group by date_menu) l using (date_menu) where e.code_categ=6"
                           " and (e.m1<>l.s1 or e.m2<>l.s2 or e.m4<>l.s4)"),
                     0);
            QCOMPARE(count("select count(distinct date_menu) from menu_liste"),
                     count("select count(distinct date_op) from stock where nat_op>=20"));
            QCOMPARE(count("select count(*) from menu_effect where m1<>0 or m3<>0 or m4<>0") > 0, kind != 1);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("reader"));
        const QStringList lines = RunCli({QStringLiteral("history"), file, QStringLiteral("--csv")})
                                      .out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        int days = 0, plausible = 0;
        for (const QString &line : lines.mid(2)) {
            const QStringList cells = line.split(QLatin1Char(';'));
            if (cells.at(5).toInt() == 0)
                continue;
            ++days;
            const double expense = cells.at(6).toDouble();
            plausible += expense > 180 && expense < 300;
        }
        QVERIFY(days > 150);
        QVERIFY2(plausible >= days * 9 / 10, qPrintable(QStringLiteral("%1 of %2").arg(plausible).arg(days)));
    }
};

QTEST_GUILESS_MAIN(TestMenus)
#include "test_menus.moc"
