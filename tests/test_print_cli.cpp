#include "TestHome.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

// zelvane-cli print: the documents of the catalogue, as text or PDF, the office documents to a file, and
// the refusals.
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
        QTest::newRow("an office document as text")
            << QStringList{"--doc", "9", "--text"} << "document 9 is an office document: it needs --out FILE";
        QTest::newRow("a printed document to --out")
            << QStringList{"--doc", "1", "--out", "x.xlsx"} << "use --pdf or --text";
        QTest::newRow("an invoice that does not exist")
            << QStringList{"--doc", "10", "--supplier", "9", "--invoice", "9", "--text"}
            << "document 10 prints nothing for these parameters";
        QTest::newRow("a supplier that does not exist")
            << QStringList{"--doc", "18", "--supplier", "9", "--text"} << "document 18 prints nothing";
        QTest::newRow("menu texts that cannot be read")
            << QStringList{"--doc", "17", "--model", "2", "--menu-texts", "/nonexistent/menu.txt", "--out", "x.docx"}
            << "--menu-texts: /nonexistent/menu.txt";
        QTest::newRow("day that is no day")
            << QStringList{"--doc", "1", "--day", "32/01/2009", "--text"} << "--day: 32/01/2009 is not a day";
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
        const QString out = home->path() + "/canteen.xlsx";
        QVERIFY(RunCli({"print", other, "--doc", "8", "--out", out}).err.contains("no document 8 in the catalogue"));
        const CliRun run = RunCli({"print", file, "--doc", "8", "--day", "10/03/2009", "--out", out});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, out + "\n");
        QVERIFY(QFile::exists(out));
    }

    // Each document reaches its maker with the parameters of the command line: a demo year with one
    // invoice, and a text that only the right document on the right parameters prints.
    void everyDocumentWithItsParameters_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("credence") << QStringList{"--doc", "7"}
                                  << QStringList{"FEUILLE DE CREDENCE", "de la Journée du 10/03/2009"};
        QTest::newRow("invoice") << QStringList{"--doc",     "10", "--supplier", "1",
                                                "--invoice", "7",  "--made-on",  "02/04/2009"}
                                 << QStringList{"FACTURE N° 7/2009", "SARL EL BARAKA"};
        QTest::newRow("expenses") << QStringList{"--doc", "11", "--from", "01/02/2009", "--to", "28/02/2009"}
                                  << QStringList{"ETAT DES DEPENSES", "Période du 01/02/2009 au 28/02/2009"};
        QTest::newRow("suppliers") << QStringList{
            "--doc", "12"} << QStringList{"LISTE DES FOUNISSEURS", " SARL EL BARAKA / 40 RUE DES FRERES BOUADOU"};
        QTest::newRow("monthly statement")
            << QStringList{"--doc", "14"}
            << QStringList{"ETAT MENSUEL DES DEPENSES D'ALIMENTATION", "Mois de MARS - 2009"};
        QTest::newRow("monthly expenses")
            << QStringList{"--doc", "15"} << QStringList{"ETAT DES DEPENSES MENSUELLES", "Mois de MARS - 2009"};
        QTest::newRow("Arabic meal card")
            << QStringList{"--doc", "16"} << QStringList{"بطاقة متابعة الوجبات الغذائية لشهر مـارس - 2009"};
        QTest::newRow("weekly menu") << QStringList{"--doc", "17"}
                                     << QStringList{"MENU HEBDOMADAIRE", "Journée du 08/03/2009  au 14/03/2009"};
        QTest::newRow("supplier sheet") << QStringList{"--doc", "18", "--supplier", "1"}
                                        << QStringList{"FOURNISSEUR", "SARL EL BARAKA"};
    }
    void everyDocumentWithItsParameters()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, printed);
        const CliRun run = RunCli(QStringList{"print", demo(), "--day", "10/03/2009", "--text"} + args);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.code, 0);
        const QStringList lines = run.out.split('\n');
        for (const QString &text : printed)
            QVERIFY2(lines.contains(text), qPrintable(text + " not in:\n" + run.out.left(3000)));
    }

    // The PDF holds every page that the texts list, each page written as it is made, on documents of one
    // page to dozens.
    void pdfHasEveryPage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("printed");
        QTest::newRow("stock") << QStringList{"--doc", "1"} << "STOCK DU MAGASIN";
        QTest::newRow("stock by article, year")
            << QStringList{"--doc", "13", "--from", "01/01/2009", "--to", "31/12/2009"} << "STOCK PAR ARTICLE";
        QTest::newRow("invoice") << QStringList{"--doc", "10", "--supplier", "1", "--invoice", "7"}
                                 << "FACTURE N° 7/2009";
        QTest::newRow("supplier sheet") << QStringList{"--doc", "18", "--supplier", "1"} << "FOURNISSEUR";
    }
    void pdfHasEveryPage()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, printed);
        const QStringList common{"print", demo(), "--day", "10/03/2009"};
        const CliRun text = RunCli(common + args + QStringList{"--text"});
        QCOMPARE(text.code, 0);
        const qsizetype pages = text.out.split('\n').filter(QRegularExpression("^--- page \\d+$")).size();
        const QString pdf = home->path() + "/pages.pdf";
        const CliRun run = RunCli(common + args + QStringList{"--pdf", pdf, "--force"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.code, 0);
        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished());
        const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(infoText.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))),
                 qPrintable(infoText));
        QProcess pdfText;
        pdfText.start("pdftotext", {"-l", "1", pdf, "-"});
        QVERIFY(pdfText.waitForFinished());
        QVERIFY(QString::fromUtf8(pdfText.readAllStandardOutput()).contains(printed));
    }

    // A document that prints nothing leaves no PDF, not even its work file.
    void nothingPrintedLeavesNoPdf_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no such invoice") << QStringList{"--doc", "10", "--supplier", "1", "--invoice", "99"};
        QTest::newRow("no such supplier") << QStringList{"--doc", "18", "--supplier", "99"};
    }
    void nothingPrintedLeavesNoPdf()
    {
        QFETCH(QStringList, args);
        QTemporaryDir folder;
        const QString pdf = folder.filePath("rien.pdf");
        const CliRun run = RunCli(QStringList{"print", demo(), "--day", "10/03/2009", "--pdf", pdf} + args);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains("prints nothing for these parameters"), qPrintable(run.err));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // The monthly statement is the one document that writes: the month's row, read back as stored, however
    // its code is written.
    void theMonthlyStatementWritesItsRow_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("14") << "14";
        QTest::newRow("with a leading zero") << "014";
    }
    void theMonthlyStatementWritesItsRow()
    {
        QFETCH(QString, code);
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "monthly " + code);
        db.setDatabaseName(demo());
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec("update etat_mensuel set nbr_mois=0, dep_mois=0 where mois=3"));
        const CliRun run = RunCli({"print", demo(), "--doc", code, "--day", "10/03/2009", "--text"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.code, 0);
        QVERIFY(query.exec("select nbr_mois, dep_mois from etat_mensuel where mois=3"));
        QVERIFY(query.next());
        QVERIFY(query.value(0).toLongLong() > 0);
        QVERIFY(query.value(1).toString().toDouble() > 0);
    }

private:
    // A demo year of a central canteen with supplier 1's invoice 7 over March.
    QString demo()
    {
        if (!demoFile.isEmpty())
            return demoFile;
        const CliRun run = RunCli(
            {"demo", "--kind", "4", "--year", "2009", "--movements", "3000", "--name", "DEMO_2009.MDB"});
        demoFile = run.out.trimmed();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "invoice");
            db.setDatabaseName(demoFile);
            if (db.open())
                QSqlQuery(db).exec("insert into FACTURES (code_four, num_facture, date_facture, periode_du, periode_au)"
                                   " values (1, 7, '2009-03-31', '2009-03-01', '2009-03-31')");
        }
        QSqlDatabase::removeDatabase("invoice");
        return demoFile;
    }
    QString demoFile;
};

QTEST_MAIN(TestPrintCli)
#include "test_print_cli.moc"
