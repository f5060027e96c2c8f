#include "TestHome.h"

#include <QProcess>
#include <QtTest>

// zelvane-cli print: any built document of the catalogue, as text or PDF, and the refusals.
class TestPrintCli : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    QString file;

private slots:
    void initTestCase()
    {
        home = std::make_unique<TestHome>();
        file = home->preparedFile(4, 2009);
    }
    void cleanupTestCase() { home.reset(); }

    void printsTheTextsPageByPage()
    {
        const CliRun run = RunCli({"print", file, "--doc", "1", "--day", "10/03/2009", "--text"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.code, 0);
        const QStringList lines = run.out.split('\n');
        QCOMPARE(lines.first(), QStringLiteral("--- page 1"));
        QVERIFY(lines.contains(QStringLiteral("STOCK DU MAGASIN")));
        QVERIFY2(lines.contains(QStringLiteral("Journée du 10/03/2009")), qPrintable(run.out));
        const int pages = int(lines.filter(QRegularExpression("^--- page \\d+$")).size());
        QVERIFY(lines.contains(QStringLiteral("--- page %1").arg(pages)));
    }

    void bringsTheDayIntoTheYear()
    {
        const CliRun run = RunCli({"print", file, "--doc", "2", "--day", "10/03/2015", "--text"});
        QCOMPARE(run.code, 0);
        QVERIFY2(run.out.contains(QStringLiteral("31/12/2009")), qPrintable(run.out.left(2000)));
    }

    void writesPdf()
    {
        const QString pdf = home->path() + "/sheet.pdf";
        const CliRun run = RunCli({"print", file, "--doc", "4", "--day", "10/03/2009", "--pdf", pdf});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.code, 0);
        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished());
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+[1-9]")));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("said");
        QTest::newRow("no code") << QStringList{"--text"} << "print needs --doc CODE";
        QTest::newRow("not a code") << QStringList{"--doc", "stock", "--text"} << "--doc needs a positive number";
        QTest::newRow("no output") << QStringList{"--doc", "1"} << "one of --pdf OUT.pdf and --text";
        QTest::newRow("both outputs") << QStringList{"--doc", "1", "--text", "--pdf", "x.pdf"}
                                      << "one of --pdf OUT.pdf and --text";
        QTest::newRow("not in the catalogue") << QStringList{"--doc", "19", "--text"} << "no document 19";
        QTest::newRow("not built yet") << QStringList{"--doc", "10", "--text"} << "document 10 cannot be printed yet";
        QTest::newRow("day that is no day") << QStringList{"--doc", "1", "--day", "32/01/2009", "--text"}
                                            << "--day: 32/01/2009 is not a day";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        const CliRun run = RunCli(QStringList{"print", file} + args);
        QCOMPARE(run.code, 1);
        QFETCH(QString, said);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    void canteenSheetsBelongToCentralCanteens()
    {
        const QString other = home->preparedFile(2, 2009, "DOS2_2009.MDB");
        QVERIFY(RunCli({"print", other, "--doc", "8", "--text"}).err.contains("no document 8 in the catalogue"));
        QVERIFY(RunCli({"print", file, "--doc", "8", "--text"}).err.contains("cannot be printed yet"));
    }
};

QTEST_MAIN(TestPrintCli)
#include "test_print_cli.moc"
