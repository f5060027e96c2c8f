#include "OlderFiles.h"
#include "TestHome.h"
#include "app/ConnectionSequence.h"
#include "common/DatabaseError.h"
#include "common/Profile.h"
#include "db/Conversion.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "menus/Historique.h"
#include "menus/MenuJour.h"
#include "reports/DepenseMensuelle.h"
#include "stock/ListeDenrees.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace zelvane;

// The conversion of files of older generations, and the copy step it offers to other importers.
class TestConversion : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter answers;

    QString older(const QString &tag, const QString &name = QStringLiteral("DOS1_2009.MDB"))
    {
        const QString path = OlderFile(home->databases() + '/' + name, tag);
        MakeDatabase(path, OlderFileRows());
        return path;
    }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        answers = ScriptedPrompter();
        setPrompter(&answers);
    }
    void cleanup()
    {
        setPrompter(nullptr);
        home.reset();
    }

    void fromMay2009()
    {
        const QString path = older("ZELVANE-2009-05-01");
        MakeDatabase(path, {"insert into options values (2009, 'FR', 'Tiaret')"});
        const QByteArray before = FileDigest(path);
        // A file of the user that bears a name the conversion might have chosen for its work is left alone.
        const QString users = home->templateCopy("NEW.MDB");
        const QByteArray usersBefore = FileDigest(users);
        const ConversionResult converted = ConvertOlderFile(path);
        QVERIFY2(converted.ok(), qPrintable(converted.error));
        QCOMPARE(converted.backup, path + ".bak.1");
        QCOMPARE(FileDigest(converted.backup), before);
        QCOMPARE(FileDigest(users), usersBefore);
        QCOMPARE(FilesIn(home->databases()), (QStringList{"DOS1_2009.MDB", "DOS1_2009.MDB.bak.1", "NEW.MDB"}));
        QCOMPARE(CheckManagementFile(path).tag, QString::fromLatin1(kSchemaTag));

        QCOMPARE(RowsOf(path, "select num_mvt, nat_op, num_bc, num_bl, date_bc, date_bl from stock order by num_mvt"),
                 (QStringList{"1|10|0|0|2009-05-12|2009-05-12", "2|22|0|0|2009-05-12|2009-05-12"}));
        QCOMPARE(RowsOf(path, "select organisme, gestion, faita from options"), QStringList{"1|2009|Tiaret"});
        QCOMPARE(RowsOf(path, "select pu31dec from articles"), QStringList{"5"});
        QCOMPARE(RowsOf(path, "select code_categ, m1, m2, m3, m4 from menu_effect where date_menu='2009-05-12' "
                              "and code_categ in (1, 3)"),
                 (QStringList{"1|NULL|12|NULL|NULL", "3|NULL|40|NULL|NULL"}));
        QCOMPARE(RowsOf(path, "select count(*) from menu_effect"), QStringList{"7"});
        QCOMPARE(RowsOf(path, "select menu1, menu4 from menu_menu"), QStringList{"Café|Soupe"});
        QCOMPARE(RowsOf(path, "select code_categ, num_ord, nom, m1, m2, m3, m4 from menu_liste"),
                 QStringList{"6|1|BENALI|1|0|0|1"});
        QCOMPARE(RowsOf(path, "select username, priorite from users"), QStringList{"chef|A"});
    }

    // That generation kept no options: the file gets the row of a kind 1 establishment for the year of its
    // movements, and the changes of the next generation (natures, menus, head-counts, categories).
    void fromNovember2008()
    {
        const QString path = older("ZELVANE-2008-11-01");
        MakeDatabase(path, {"insert into stock values (3, 1, 1, '2008-12-30', 1, 6, 1, NULL)"});
        QVERIFY(ConvertOlderFile(path).ok());
        QCOMPARE(RowsOf(path, "select nat_op, num_bc, date_bc from stock order by num_mvt"),
                 (QStringList{"10|0|2009-05-12", "22|0|2009-05-12", "10|0|2008-12-30"}));
        QCOMPARE(RowsOf(path, "select organisme, gestion, langue, regime from options"), QStringList{"1|2009|FR|1"});
        QCOMPARE(RowsOf(path, "select count(*) from menu_effect"), QStringList{"7"});
        QCOMPARE(RowsOf(path, "select menu2 from menu_menu"), QStringList{"Couscous"});
        QCOMPARE(RowsOf(path, "select count(*) from categories"), QStringList{"7"});
    }

    // A converted year shows the store and the persons fed that the old figures give, in the day summary,
    // the history and the monthly statement, whether its days carried a time or not. Old figures: 4 in
    // store at the opening (value 20), 10 in at 6 and 3 out at lunch at 6 on 12 May 2009, 12 persons of
    // category 1 and 40 of category 3 at lunch.
    void convertedYearShowsItsFigures_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("withTime");
        QTest::newRow("2009-05-01") << "ZELVANE-2009-05-01" << false;
        QTest::newRow("2009-05-01, days with a time") << "ZELVANE-2009-05-01" << true;
        QTest::newRow("2008-11-01") << "ZELVANE-2008-11-01" << false;
        QTest::newRow("2008-11-01, days with a time") << "ZELVANE-2008-11-01" << true;
    }
    void convertedYearShowsItsFigures()
    {
        QFETCH(QString, tag);
        QFETCH(bool, withTime);
        const QString path = older(tag);
        if (tag == "ZELVANE-2009-05-01")
            MakeDatabase(path, {"insert into options values (2009, 'FR', 'Tiaret')"});
        if (withTime)
            MakeDatabase(path, {"update stock set date_op=date_op||' 00:00:00'",
                                "update menus set date_menu=date_menu||' 00:00:00'",
                                "update MENU_HOSPITALISE set date_menu=date_menu||'T00:00:00'"});
        const ConversionResult converted = ConvertOlderFile(path);
        QVERIFY2(converted.ok(), qPrintable(converted.error));
        QCOMPARE(RowsOf(path, "select distinct date_op from stock"), QStringList{"2009-05-12"});
        QCOMPARE(RowsOf(path, "select distinct date_menu from menu_effect"), QStringList{"2009-05-12"});

        const QDate day(2009, 5, 12);
        TestData db;
        QCOMPARE(db.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false, QString::fromLatin1(kSchemaTag)),
                 int(OpenOk));
        db.LoadOptions();
        QCOMPARE(db.organisme, 1);
        QCOMPARE(db.gestion, 2009);
        db.startSession(day);
        const TListeCategories *categories = Menus(db).ListeCategories();
        QVERIFY(categories);
        QCOMPARE(categories->Count(), 7);
        QCOMPARE(Stock(db).ListeDenrees()->FindDenree(1)->restes(), 4.0 + 10 - 3);

        const TMenuJour summary(db, *categories, day);
        QCOMPARE(summary.Effectifs(2), 52.0);
        QCOMPARE(summary.SortiesJour(), 18.0);
        QCOMPARE(summary.PersonnesNourries(), qint64(52));
        QCOMPARE(summary.DepenseParPersonne(), 18.0 / 52);

        const THistorique history(db, 2009);
        const int index = history.IndexOf(day);
        QVERIFY(index >= 0);
        const TJourHistorique &historyDay = history.Jours().at(index);
        QCOMPARE(historyDay.ValeurVeille, 20.0);
        QCOMPARE(historyDay.ValeurEntrees, 60.0);
        QCOMPARE(historyDay.ValeurSorties, 18.0);
        QCOMPARE(historyDay.PersonnesNourries, qint64(52));

        const TDepense_Mensuelle month(db, day);
        const TDepenseJour *monthDay = month.GetJour(12);
        QVERIFY(monthDay);
        QCOMPARE(monthDay->effectif(1, 2), 12);
        QCOMPARE(monthDay->effectif(3, 2), 40);
        QCOMPARE(monthDay->SortiesJour, 18.0);
        QCOMPARE(month.TotalMois.SortiesJour, 18.0);
        QVERIFY(month.TotalMois.Moyenne > 0);
    }

    // A file of this version whose days another program stored with a time: its first opening for writing
    // cuts them to their day, so that the day's comparisons find its rows.
    void daysWithATimeReadAsTheirDay()
    {
        const QString path = home->preparedFile(1, 2009, "DOS1_2009.MDB");
        MakeDatabase(path, {"insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu, code_four, date_bl) "
                            "values (901, 1, 22, '2009-03-20 00:00:00', 2, 5, 0, '2009-03-20T08:30')",
                            "insert into menu_effect (date_menu, code_categ, m2) values ('2009-03-20 00:00:00', 1, 10)",
                            "insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu, obs) "
                            "values (902, 1, 10, '2009-03-19', 9, 5, '2009-03-20 00:00:00')"});
        const QDate day(2009, 3, 20);
        TestData db;
        QCOMPARE(db.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false, QString::fromLatin1(kSchemaTag)),
                 int(OpenOk));
        db.LoadOptions();
        db.startSession(day);
        QCOMPARE(RowsOf(path, "select num_mvt, date_op, date_bl, obs from stock where num_mvt>900 order by num_mvt"),
                 (QStringList{"901|2009-03-20|2009-03-20|NULL", "902|2009-03-19|NULL|2009-03-20 00:00:00"}));
        const TMenuJour summary(db, *Menus(db).ListeCategories(), day);
        QCOMPARE(summary.SortiesJour(), 10.0);
        QCOMPARE(summary.PersonnesNourries(), qint64(10));

        // Written later by another program, a day with a time is kept as its day too.
        MakeDatabase(path, {"insert into menu_effect (date_menu, code_categ, m2) values ('2009-03-21 08:00:00', 1, 5)",
                            "update stock set date_op='2009-03-22T00:00' where num_mvt=902"});
        QCOMPARE(RowsOf(path, "select date_menu from menu_effect where m2=5"), QStringList{"2009-03-21"});
        QCOMPARE(RowsOf(path, "select date_op from stock where num_mvt=902"), QStringList{"2009-03-22"});
    }

    void fromJune2009TwiceInTheSameFolder()
    {
        for (int n = 1; n <= 2; ++n) {
            QFile::remove(home->databases() + "/DOS1_2009.MDB"); // a second copy of the same name
            const QString path = OlderFile(home->databases() + "/DOS1_2009.MDB", "ZELVANE-2009-06-06");
            QStringList movements = {"insert into options values (3, 2009, 'FR', '')",
                                     "insert into categories values (3, 'Maitres (1)', '')"};
            for (int i = 1; i <= 500; ++i)
                movements << QStringLiteral("insert into stock values (%1, 1, 22, '2009-02-%2', 1, 5, 0, NULL)")
                                 .arg(i)
                                 .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
            MakeDatabase(path, movements);
            const ConversionResult converted = ConvertOlderFile(path);
            QVERIFY2(converted.ok(), qPrintable(converted.error));
            QCOMPARE(converted.backup, path + ".bak." + QString::number(n));
            QCOMPARE(RowsOf(path, "select count(*), sum(num_bc=0 and num_bl=0 and date_bc=date_op and date_bl=date_op) "
                                  "from stock"),
                     QStringList{"500|500"});
            QCOMPARE(RowsOf(path, "select organisme, gestion from options"), QStringList{"3|2009"});
        }
        QCOMPARE(FilesIn(home->databases()),
                 (QStringList{"DOS1_2009.MDB", "DOS1_2009.MDB.bak.1", "DOS1_2009.MDB.bak.2"}));
    }

    void refusedFilesStayAsTheyWere_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown tag") << QStringList{"create table version (version text)",
                                                    "insert into version values ('ZELVANE-2001-01-01')"}
                                     << "ZELVANE-2001-01-01";
        QTest::newRow("no version table") << QStringList{"create table stock (num_mvt integer)"} << "aucune";
        QTest::newRow("two version rows")
            << QStringList{"create table version (version text)", "insert into version values ('ZELVANE-2009-06-06')",
                           "insert into version values ('ZELVANE-2009-06-06')"}
            << "aucune";
    }
    void refusedFilesStayAsTheyWere()
    {
        QFETCH(QStringList, statements);
        QFETCH(QString, error);
        const QString path = home->databases() + "/DOS1_2009.MDB";
        MakeDatabase(path, statements);
        const QByteArray before = FileDigest(path);
        const ConversionResult converted = ConvertOlderFile(path);
        QVERIFY(!converted.ok());
        QVERIFY2(converted.error.contains(error), qPrintable(converted.error));
        QCOMPARE(FileDigest(path), before);
        QCOMPARE(FilesIn(home->databases()), QStringList{"DOS1_2009.MDB"});
    }

    void failureHalfwayLeavesTheOldFileAndNoWorkFile()
    {
        // A damaged page in the middle of the movements: the copy fails after several tables were copied.
        const QString path = older("ZELVANE-2009-06-06");
        QStringList movements;
        for (int i = 3; i <= 3000; ++i)
            movements << QStringLiteral("insert into stock values (%1, 1, 22, '2009-02-01', 1, 5, 0, "
                                        "'une remarque assez longue pour remplir des pages')")
                             .arg(i);
        MakeDatabase(path, movements);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(f.size() / 2);
            f.write(QByteArray(3 * 4096, '\x7f'));
        }
        const QByteArray before = FileDigest(path);
        const ConversionResult converted = ConvertOlderFile(path);
        QVERIFY(!converted.ok());
        QVERIFY2(converted.error.contains("reste tel quel"), qPrintable(converted.error));
        QCOMPARE(FileDigest(path), before);
        QCOMPARE(FilesIn(home->databases()), QStringList{"DOS1_2009.MDB"});
    }

    void copyStepIsOneUnit()
    {
        // What another importer reuses: the lists, the hooks and the copy, all or nothing.
        const QString source = older("ZELVANE-2009-06-06", "OLD.MDB");
        MakeDatabase(source, {"insert into stock values (1, 1, 10, '2009-01-02', 1, 1, 0, 'same number')"});
        const QString target = home->templateCopy("NEW.MDB");
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "target");
        db.setDatabaseName(target);
        QVERIFY(db.open());
        const SqliteRowSource rowsOf(source);
        Generation generation = *GenerationOf("zelvane-2009-06-06 ");
        QCOMPARE(CopyGenerationTables(db, rowsOf, generation), 1); // the second movement 1 is refused
        QCOMPARE(ScalarSql(db, "select count(*) from stock").toInt(), 2);

        int calls = 0;
        generation.hook = [&calls](const QString &table, QSqlRecord &, const QSqlDatabase &) {
            if (table == "STOCK" && ++calls == 2)
                throw DatabaseError("disque plein");
        };
        ExecSql(db, "delete from stock");
        ExecSql(db, "delete from fournisseur");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, CopyGenerationTables(db, rowsOf, generation));
        QCOMPARE(ScalarSql(db, "select count(*) from stock").toInt(), 0);
        QCOMPARE(ScalarSql(db, "select count(*) from fournisseur").toInt(), 0);
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("target");

        QCOMPARE(SplitTableEntry(" options ; OLD_OPTIONS").target, "OPTIONS");
        QCOMPARE(SplitTableEntry(" options ; OLD_OPTIONS").source, "OLD_OPTIONS");
    }

    void theConnectionConvertsThenOpens()
    {
        const QString path = older("ZELVANE-2009-06-06");
        MakeDatabase(path, {"delete from users", "insert into options values (2, 2009, 'FR', '')"});
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), path);
        TestData db;
        ConnectionSequence sequence(db);
        QVERIFY2(sequence.Action_connectExecute(), qPrintable(sequence.lastFailure()));
        QCOMPARE(db.CurrentFile, path);
        QCOMPARE(db.gestion, 2009);
        QCOMPARE(FilesIn(home->databases()), (QStringList{"DOS1_2009.MDB", "DOS1_2009.MDB.bak.1"}));

        // A file of no known generation is not connected and stays as it was.
        sequence.Action_disconnectExecute();
        const QString unknown = home->databases() + "/DOS2_2009.MDB";
        MakeDatabase(unknown, {"create table version (version text)", "insert into version values ('X')"});
        const QByteArray before = FileDigest(unknown);
        sequence.PendingDatabaseName = unknown;
        QVERIFY(!sequence.Action_connectExecute());
        QVERIFY(!db.isConnected());
        QCOMPARE(FileDigest(unknown), before);
        QVERIFY(sequence.lastFailure().contains(unknown));
    }

    void commandLine()
    {
        const QString path = older("ZELVANE-2009-06-06");
        // The file has a user: each command logs in as him.
        qputenv("ZELVANE_PASSWORD", "secret");
        CliRun r = RunCli({"info", path, "--user", "chef"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("schema: ZELVANE-2009-06-06") && r.out.contains("can be converted"), qPrintable(r.out));
        r = RunCli({"convert", path, "--user", "chef"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, path + ".bak.1\n");
        r = RunCli({"convert", path, "--user", "chef"});
        QVERIFY(r.code != 0);
        QVERIFY2(r.err.contains("already of the current version"), qPrintable(r.err));
        r = RunCli({"info", path, "--user", "chef"});
        qunsetenv("ZELVANE_PASSWORD");
        QVERIFY(r.out.contains(QString("schema: ") + kSchemaTag));
        // The password kept as typed by the old file is hashed once the converted file is opened.
        QVERIFY(RowsOf(path, "select password from users").value(0).startsWith("$argon2id$"));
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "test_conversion.moc"
