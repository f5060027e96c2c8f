#include "StoreFixture.h"
#include "TestHome.h"
#include "cli/Commands.h"
#include "db/DataModule.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace zelvane;

namespace {

// A connection of its own on path for the checks, closed when it goes.
class Reader
{
public:
    explicit Reader(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
        db.setDatabaseName(path);
        db.open();
    }
    ~Reader() { QSqlDatabase::removeDatabase(QStringLiteral("reader")); }
    QSqlDatabase db() const { return QSqlDatabase::database(QStringLiteral("reader")); }
    QVariant scalar(const QString &sql) const
    {
        QSqlQuery q(db());
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    // Every row of the tables filled by the demo, in key order.
    QByteArray checksum() const
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const char *sql : {"select * from articles order by code_art", "select * from stock order by num_mvt",
                                "select * from fournisseur order by code_four",
                                "select * from menu_effect order by date_menu, code_categ", "select * from options"}) {
            QSqlQuery q(db());
            if (!q.exec(QString::fromLatin1(sql)))
                return {};
            while (q.next()) {
                for (int i = 0; i < q.record().count(); ++i)
                    hash.addData(q.value(i).toString().toUtf8() + '|');
            }
        }
        return hash.result().toHex();
    }
};

} // namespace

class TestStockCli : public QObject
{
    Q_OBJECT

private slots:
    void sheetCsv()
    {
        TestHome home;
        const QString path = home.preparedFile(2, 2009);
        {
            Reader r(path);
            // The hand-worked year, with a designation holding the CSV separator and an article of four digits.
            StoreFixture fixture(r.db());
            HandWorkedYear(fixture);
            fixture.article(1250, QStringLiteral("BEURRE"), 1600, 1000, 1600);
            ExecSql(r.db(), QStringLiteral("update articles set designation='HUILE; TABLE' where code_art=2"));
        }
        const CliRun sheet = RunCli({"sheet", path, "--day", "10/03/2009", "--csv"});
        QCOMPARE(sheet.code, 0);
        QCOMPARE(sheet.out, QStringLiteral("code;designation;veille;entrees;sorties;restes;valeur_veille;valeur_"
                                           "entrees;valeur_sorties;valeur_restes\n"
                                           "1;SUCRE;26.00;11.00;5.00;32.00;2310.00;1120.00;440.00;2990.00\n"
                                           "2;\"HUILE; TABLE\";0.00;0.00;0.00;0.00;0.00;0.00;0.00;0.00\n"
                                           "3;RIZ;5.00;0.00;2.00;3.00;0.00;0.00;240.00;-240.00\n"
                                           "4;SUCRE GLACE;0.00;0.00;0.00;0.00;0.00;0.00;0.00;0.00\n"
                                           "5;CASSONADE;0.00;0.00;0.00;0.00;0.00;0.00;0.00;0.00\n"
                                           "1250;BEURRE;1000.00;0.00;0.00;1000.00;1600000.00;0.00;0.00;1600000.00\n"));

        // A day of another year is brought into the management year.
        const CliRun clamped = RunCli({"sheet", path, "--day", "03/01/2010", "--csv"});
        QVERIFY(clamped.out.contains(QStringLiteral("\n1;SUCRE;82.00;0.00;0.00;82.00;")));

        const CliRun text = RunCli({"sheet", path, "--day", "10/03/2009"});
        QCOMPARE(text.code, 0);
        QVERIFY(text.out.contains(QStringLiteral("Magasin au 10/03/2009\n")));
        QVERIFY(text.out.contains(QStringLiteral("  - Valeur du magasin à ce jour")));
        QVERIFY(text.out.contains(QStringLiteral("1 602 750.00"))); // 1600000 + 2990 - 240, amount format
    }

    void sheetRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("day that does not exist") << QStringList{"--day", "31/02/2009"} << "31/02/2009 is not a day";
        QTest::newRow("no day") << QStringList{} << "sheet needs --day";
        QTest::newRow("unknown option") << QStringList{"--day", "01/02/2009", "--file-missing"}
                                        << "Unknown option 'file-missing'";
    }
    void sheetRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        TestHome home;
        const CliRun r = RunCli(QStringList{"sheet", home.preparedFile(2, 2009)} + args);
        QVERIFY(r.code != 0);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    // A movement table that cannot be read must not pass for a day without movements.
    void sheetOfABrokenFileFails()
    {
        TestHome home;
        const QString file = home.preparedFile(2, 2009);
        {
            TestData db;
            QCOMPARE(
                db.OpenDatabaseFile(QString::fromLatin1(kAlias), file, false, false, QString::fromLatin1(kSchemaTag)),
                int(OpenOk));
            ExecSql(db.database(), QStringLiteral("drop table stock"));
            ExecSql(db.database(), QStringLiteral("create table stock (num_mvt int primary key, remarque text)"));
        }
        const CliRun r = RunCli({"sheet", file, "--day", "10/03/2009"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("zelvane-cli: the sheet cannot be computed: ")), qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY(r.out.isEmpty());
    }

    void demoIsDeterministic()
    {
        TestHome home;
        const QStringList args = {"demo", "--kind", "2", "--year", "2009", "--articles", "120", "--movements", "6000"};
        const CliRun first = RunCli(args + QStringList{"--name", "A_2009.MDB"});
        const CliRun second = RunCli(args + QStringList{"--name", "B_2009.MDB"});
        QCOMPARE(first.code, 0);
        QCOMPARE(second.code, 0);
        QCOMPARE(first.out.trimmed(), home.databases() + QStringLiteral("/A_2009.MDB"));
        QByteArray a, b;
        {
            Reader r(first.out.trimmed());
            a = r.checksum();
            QCOMPARE(r.scalar(QStringLiteral("select count(*) from articles")).toInt(), 120);
            QCOMPARE(r.scalar(QStringLiteral("select count(*) from stock")).toInt(), 6000);
            QVERIFY(r.scalar(QStringLiteral("select count(*) from fournisseur")).toInt() > 0);
            QVERIFY(r.scalar(QStringLiteral("select count(distinct pu) from stock where code_art=101 and nat_op=10"))
                        .toInt()
                    > 1);
            // Boarding: exits per meal only, and head-counts every school day.
            QCOMPARE(
                r.scalar(QStringLiteral("select count(*) from stock where nat_op not in (10,21,22,23,24)")).toInt(), 0);
            QVERIFY(r.scalar(QStringLiteral("select count(distinct date_menu) from menu_effect")).toInt() > 150);
        }
        {
            Reader r(second.out.trimmed());
            b = r.checksum();
        }
        QVERIFY(!a.isEmpty());
        QCOMPARE(a, b);
    }

    void demoNeverNegative_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("natures");
        QTest::newRow("half-board") << 1 << "20,22";
        QTest::newRow("boarding") << 5 << "21,22,23,24";
    }
    void demoNeverNegative()
    {
        QFETCH(int, kind);
        QFETCH(QString, natures);
        TestHome home;
        const CliRun made = RunCli({"demo", "--kind", QString::number(kind), "--year", "2010", "--movements", "8000"});
        QCOMPARE(made.code, 0);
        Reader r(made.out.trimmed());
        QCOMPARE(
            r.scalar(QStringLiteral("select count(*) from stock where nat_op not in (10,%1)").arg(natures)).toInt(), 0);
        // The stock of every article at the end of every day, and after every single movement in number order.
        const QString running = QStringLiteral(
            "select count(*) from (select a.qt31dec + sum(iif(s.nat_op=10, s.quantite, -s.quantite))"
            " over (partition by s.code_art order by s.%1 rows unbounded preceding) as level"
            " from stock s join articles a on a.code_art=s.code_art) where level < 0");
        QCOMPARE(r.scalar(running.arg(QStringLiteral("num_mvt"))).toInt(), 0);
        QCOMPARE(
            r
                .scalar(QStringLiteral(
                    "select count(*) from (select s.code_art, s.date_op, a.qt31dec + (select sum(iif(t.nat_op=10,"
                    " t.quantite, -t.quantite)) from stock t where t.code_art=s.code_art and t.date_op<=s.date_op)"
                    " as level from stock s join articles a on a.code_art=s.code_art group by s.code_art, s.date_op)"
                    " where level < 0"))
                .toInt(),
            0);
        QVERIFY(r.scalar(QStringLiteral("select count(*) from stock where nat_op<>10")).toInt() > 4000);
    }

    void demoRefused()
    {
        TestHome home;
        const CliRun r = RunCli({"demo", "--kind", "2", "--year", "2009", "--articles", "-3"});
        QVERIFY(r.code != 0);
        QVERIFY(r.err.contains(QStringLiteral("--articles needs a positive number")));
        QCOMPARE(RunCli({"demo", "--kind", "2"}).code, 1);
    }
};

QTEST_GUILESS_MAIN(TestStockCli)
#include "test_stock_cli.moc"
