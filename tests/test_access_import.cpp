#include "OlderFiles.h"
#include "StoreFixture.h"
#include "TestHome.h"
#include "access/AccessImport.h"
#include "app/ConnectionSequence.h"
#include "common/Profile.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "years/BackupRestore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace zelvane;

namespace {

QString sample(const QString &name) { return QStringLiteral(ZELVANE_TEST_DATA "/access/") + name; }

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray digest(const QString &path) { return QCryptographicHash::hash(contents(path), QCryptographicHash::Sha256); }

QStringList filesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

// The reader of these tests serves the SQLite file named in ZELVANE_TEST_JET_SOURCE as if it were the
// Access file given: the rows of the conversion tests, read through the import's whole mapping.
class ServedAsAccess
{
public:
    explicit ServedAsAccess(const QString &sqlite)
    {
        qputenv("ZELVANE_JET_READER", QByteArray(SQLITE_JET_READER));
        qputenv("ZELVANE_TEST_JET_SOURCE", sqlite.toUtf8());
    }
    ~ServedAsAccess()
    {
        qunsetenv("ZELVANE_JET_READER");
        qunsetenv("ZELVANE_TEST_JET_SOURCE");
    }
};

} // namespace

// The import of management files of the former Access format into new files of ours.
class TestAccessImport : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter answers;

    // An Access file as the program meets one: a real Jet file, whose rows the test reader replaces.
    QString accessFile(const QString &name = QStringLiteral("GESTION2009.mdb"))
    {
        const QString path = home->path() + '/' + name;
        QFile::copy(sample(QStringLiteral("node-adodb.mdb")), path);
        return path;
    }

    QString olderFile(const QString &tag)
    {
        const QString path = OlderFile(home->path() + QStringLiteral("/old.sqlite"), tag);
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

    // A file of the current generation comes across table by table, value by value: dates, amounts
    // with all their digits, French texts, NULLs.
    void currentGeneration()
    {
        const QString year = home->preparedFile(2, 2009, QStringLiteral("SOURCE.MDB"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
            db.setDatabaseName(year);
            QVERIFY(db.open());
            StoreFixture fixture(db);
            HandWorkedYear(fixture);
            fixture.supplier(3, QStringLiteral("Société d'Épicerie « Générale »"));
            fixture.movement(40, 1, 10, QStringLiteral("2009-12-31"), 0.1 + 0.2, 1.0 / 3.0, 3);
            ExecSql(db, "insert into menu_menu values ('2009-03-10', 'Café au lait', 'Tajine', NULL, 'Soupe')");
            db.close();
        }
        QSqlDatabase::removeDatabase("fixture");
        const ServedAsAccess served(year);
        const QString target = ImportedFilePath(accessFile());
        QCOMPARE(target, home->databases() + QStringLiteral("/GESTION2009.MDB"));

        const AccessImportReport report = ImportAccessFile(accessFile(), target);
        QVERIFY2(report.ok(), qPrintable(report.error));
        QCOMPARE(report.tag, QString::fromLatin1(kSchemaTag));
        QCOMPARE(report.refusedRows, 0);
        for (const QString &sql :
             {QStringLiteral("select * from stock order by num_mvt"),
              QStringLiteral("select * from articles order by code_art"),
              QStringLiteral("select * from fournisseur order by code_four"), QStringLiteral("select * from menu_menu"),
              QStringLiteral("select * from options"), QStringLiteral("select * from categories order by code_categ")})
            QCOMPARE(RowsOf(target, sql), RowsOf(year, sql));
        QCOMPARE(RowsOf(target, "select quantite = 0.1 + 0.2, pu = 1.0 / 3 from stock where num_mvt = 40"),
                 QStringList{"1|1"});
        QVERIFY(report.text().contains(
            QStringLiteral("  STOCK : %1 lignes\n").arg(RowsOf(year, "select count(*) from stock").first())));
        // The journal starts with one entry naming the Access file, not one per row copied.
        QCOMPARE(RowsOf(target, "select count(*), kind, json_extract(after_values, '$.\"import de\"') from journal"),
                 QStringList{"1|origine|" + QFileInfo(accessFile()).absoluteFilePath()});

        TestData db;
        QCOMPARE(
            db.OpenDatabaseFile(QString::fromLatin1(kAlias), target, false, false, QString::fromLatin1(kSchemaTag)),
            int(OpenOk));
    }

    // Older generations go through the conversion's own lists and hooks: the renumbered natures, the
    // menus moved into the head-count tables, the hospitalised staff's dinner.
    void olderGenerationThroughTheConversionHooks()
    {
        const QString old = olderFile(QStringLiteral("ZELVANE-2009-05-01"));
        MakeDatabase(old, {"insert into options values (2009, 'FR', 'Tiaret')"});
        const ServedAsAccess served(old);
        const QString target = home->databases() + QStringLiteral("/DOS1_2009.MDB");
        const AccessImportReport report = ImportAccessFile(accessFile(), target);
        QVERIFY2(report.ok(), qPrintable(report.error));
        QCOMPARE(report.tag, QStringLiteral("ZELVANE-2009-05-01"));
        QCOMPARE(RowsOf(target, "select num_mvt, nat_op, num_bc, date_op, date_bl from stock order by num_mvt"),
                 (QStringList{"1|10|0|2009-05-12|2009-05-12", "2|22|0|2009-05-12|2009-05-12"}));
        QCOMPARE(RowsOf(target, "select organisme, gestion, faita from options"), QStringList{"1|2009|Tiaret"});
        QCOMPARE(RowsOf(target, "select code_categ, m2 from menu_effect where code_categ = 3"), QStringList{"3|40"});
        QCOMPARE(RowsOf(target, "select menu1, menu3 from menu_menu"), QStringList{"Café|Gâteau"});
        QCOMPARE(RowsOf(target, "select nom, m3, m4 from menu_liste"), QStringList{"BENALI|0|1"});
        QCOMPARE(RowsOf(target, "select version from version"), QStringList{QString::fromLatin1(kSchemaTag)});
    }

    void refusedRowsAreReported()
    {
        const QString old = olderFile(QStringLiteral("ZELVANE-2009-06-06"));
        // The old stock had no key: two movements under one number, of which the new file keeps one.
        MakeDatabase(old, {"insert into stock values (2, 1, 22, '2009-05-13', 1, 6, 0, 'en double')"});
        const ServedAsAccess served(old);
        const QString target = home->databases() + QStringLiteral("/DOS1_2009.MDB");
        const AccessImportReport report = ImportAccessFile(accessFile(), target);
        QVERIFY2(report.ok(), qPrintable(report.error));
        QCOMPARE(report.refusedRows, 1);
        QVERIFY(report.text().contains(QStringLiteral("Lignes refusées : 1\n")));
        QCOMPARE(report.refusals.size(), 1);
        QCOMPARE(report.refusals.first().table, QStringLiteral("STOCK"));
        QVERIFY2(report.text().contains(QStringLiteral("  STOCK : 1 ligne(s) refusée(s) : UNIQUE constraint failed: "
                                                       "STOCK.NUM_MVT\n")),
                 qPrintable(report.text()));
        QCOMPARE(RowsOf(target, "select count(*) from stock"), QStringList{"2"});
        const int stockRead = int(std::find_if(report.read.cbegin(), report.read.cend(), [](const auto &count) {
                                      return count.table == QLatin1String("stock");
                                  })->rows);
        QCOMPARE(stockRead, 3);
    }

    void refusedFilesLeaveNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray fruit = contents(sample(QStringLiteral("fruit.mdb")));
        QByteArray garbage = fruit.left(4096);
        for (int i = 0; i < 40 * 4096; ++i)
            garbage += char((i * 7919 + 13) % 251);
        QTest::newRow("not a management file")
            << contents(sample(QStringLiteral("node-adodb.mdb"))) << QStringLiteral("n'est pas un dossier de gestion");
        QTest::newRow("truncated") << fruit.left(300'000) << QStringLiteral("tronqué");
        QTest::newRow("header then garbage") << garbage << QStringLiteral("illisible");
    }

    // Real Jet files that are no management file, or are damaged: a sentence, the file in place as it
    // was, no new file, no work file.
    void refusedFilesLeaveNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString source = home->path() + QStringLiteral("/in.mdb");
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const QString target = home->databases() + QStringLiteral("/IN.MDB");
        const AccessImportReport report = ImportAccessFile(source, target);
        QVERIFY(!report.ok());
        QVERIFY2(report.error.contains(message), qPrintable(report.error));
        QCOMPARE(filesIn(home->databases()), QStringList());
        QCOMPARE(contents(source), bytes);
    }

    void unknownGenerationIsRefused()
    {
        const QString old = olderFile(QStringLiteral("ZELVANE-2007-01-01"));
        const ServedAsAccess served(old);
        const QString target = home->databases() + QStringLiteral("/DOS1_2009.MDB");
        const AccessImportReport report = ImportAccessFile(accessFile(), target);
        QCOMPARE(report.error, QStringLiteral("sa version (ZELVANE-2007-01-01) n'est d'aucune génération connue"));
        QCOMPARE(filesIn(home->databases()), QStringList());
    }

    // An Access file already in the folder of the management files under our extension: it is kept,
    // byte for byte, as its numbered backup, and the import takes its name.
    void importOverTheAccessFileKeepsIt()
    {
        const ServedAsAccess served(olderFile(QStringLiteral("ZELVANE-2009-06-06")));
        const QString source = home->databases() + QStringLiteral("/DOS1_2009.MDB");
        QVERIFY(QFile::copy(sample(QStringLiteral("node-adodb.mdb")), source));
        const QByteArray before = digest(source);
        const AccessImportReport report = ImportAccessFile(source, ImportedFilePath(source));
        QVERIFY2(report.ok(), qPrintable(report.error));
        QCOMPARE(report.backup, source + QStringLiteral(".bak.1"));
        QCOMPARE(digest(report.backup), before);
        QCOMPARE(CheckManagementFile(source).tag, QString::fromLatin1(kSchemaTag));
        QCOMPARE(filesIn(home->databases()), (QStringList{"DOS1_2009.MDB", "DOS1_2009.MDB.bak.1"}));
    }

    void importedFileNames_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        QTest::newRow("elsewhere") << QStringLiteral("/media/usb/DOS1_2008.mdb") << QStringLiteral("DOS1_2008.MDB");
        QTest::newRow("a dot inside") << QStringLiteral("/tmp/Gestion.2008.mdb") << QStringLiteral("Gestion_2008.MDB");
        QTest::newRow("no extension") << QStringLiteral("/tmp/CANTINE") << QStringLiteral("CANTINE.MDB");
    }

    void importedFileNames()
    {
        QFETCH(QString, source);
        QFETCH(QString, name);
        QCOMPARE(ImportedFilePath(source), home->databases() + '/' + name);
    }

    // Opening a Jet file offers the import; accepted, the imported copy is opened and becomes the
    // default file; declined, nothing is opened or made.
    void theConnectionOffersTheImport_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << true;
        QTest::newRow("declined") << false;
    }

    void theConnectionOffersTheImport()
    {
        QFETCH(bool, accepted);
        const QString old = olderFile(QStringLiteral("ZELVANE-2009-06-06"));
        MakeDatabase(old, {"delete from users", "insert into options values (2, 2009, 'FR', '')"});
        const ServedAsAccess served(old);
        answers.confirmations = {accepted};
        TestData db;
        ConnectionSequence sequence(db);
        sequence.PendingDatabaseName = accessFile(QStringLiteral("DOS1_2009.mdb"));
        const QString imported = home->databases() + QStringLiteral("/DOS1_2009.MDB");
        QCOMPARE(sequence.Action_connectExecute(), accepted);
        QCOMPARE(answers.questionCaptions, QStringList{QStringLiteral("Importer")});
        if (!accepted) {
            QVERIFY(sequence.lastFailure().startsWith(QStringLiteral("Import annulé")));
            QVERIFY(!QFileInfo::exists(imported));
            return;
        }
        QCOMPARE(db.CurrentFile, imported);
        QCOMPARE(db.gestion, 2009);
        QCOMPARE(Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName)), imported);
        QCOMPARE(answers.messageCaptions, QStringList{QStringLiteral("Importer")});
        QVERIFY(answers.messages.first().contains(QStringLiteral("Lignes refusées : 0")));
    }

    // The restore command hands an Access file to the connection, which imports it, instead of refusing
    // it as no database.
    void restoreHandsAccessFilesToTheImport()
    {
        const QString source = accessFile();
        TestData db;
        answers.files = {source};
        QCOMPARE(ChooseFileToRestore(db), source);
        QCOMPARE(answers.messages, QStringList());
    }

    void commandLine()
    {
        const QString source = accessFile();
        const CliRun refused = RunCli({QStringLiteral("import"), source});
        QCOMPARE(refused.code, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("n'est pas un dossier de gestion")), qPrintable(refused.err));
        QCOMPARE(
            RunCli({QStringLiteral("import"), sample(QStringLiteral("fruit.LICENSE"))}).err,
            QStringLiteral("zelvane-cli: %1 is not an Access file\n").arg(sample(QStringLiteral("fruit.LICENSE"))));

        const ServedAsAccess served(olderFile(QStringLiteral("ZELVANE-2009-06-06")));
        const QString out = home->path() + QStringLiteral("/OUT.MDB");
        const CliRun run = RunCli({QStringLiteral("import"), source, QStringLiteral("--out"), out});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QStringLiteral("Version du dossier : ZELVANE-2009-06-06\n")));
        QVERIFY(run.out.contains(QStringLiteral("  stock : 2 lignes lues\n")));
        QCOMPARE(CheckManagementFile(out).tag, QString::fromLatin1(kSchemaTag));
        QCOMPARE(RunCli({QStringLiteral("import"), source, QStringLiteral("--out"), out}).err,
                 QStringLiteral("zelvane-cli: %1 existe déjà (--force pour le remplacer).\n").arg(out));
        QCOMPARE(
            RunCli({QStringLiteral("import"), source, QStringLiteral("--out"), out, QStringLiteral("--force")}).code,
            0);
    }
};

QTEST_GUILESS_MAIN(TestAccessImport)
#include "test_access_import.moc"
