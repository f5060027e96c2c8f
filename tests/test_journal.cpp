#include "OlderFiles.h"
#include "StoreFixture.h"
#include "TestHome.h"
#include "common/Prompter.h"
#include "db/Conversion.h"
#include "db/DataModule.h"
#include "db/Transaction.h"
#include "journal/Journal.h"
#include "stock/StockModule.h"
#include "years/NewYear.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

namespace {

QJsonObject object(const QString &json) { return QJsonDocument::fromJson(json.toUtf8()).object(); }

// Writes into path with the sqlite3 program, as a person editing the file by hand would.
void bySqlite3(const QString &path, const QString &sql)
{
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {path, sql});
    QVERIFY(sqlite.waitForFinished());
    QVERIFY2(sqlite.exitCode() == 0, sqlite.readAllStandardError().constData());
}

} // namespace

// The journal of changes: an entry for every write, whatever makes it, sealed in a chain that shows
// tampering.
class TestJournal : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter answers;
    std::unique_ptr<Tfdb> db;
    QString path;

    QSqlDatabase data() const { return db->database(); }
    JournalEntry last() const { return ReadJournal(data()).constLast(); }
    qint64 count() const { return ReadJournal(data()).size(); }

    // Runs sql as the program writes: one unit, committed.
    void write(const QString &sql)
    {
        Transaction unit(data());
        ExecSql(data(), sql);
        unit.commit();
    }

    void openFile()
    {
        db = std::make_unique<TestData>();
        QCOMPARE(db->OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false, QString::fromLatin1(kSchemaTag)),
                 int(OpenOk));
        db->LoadOptions();
        db->CurrentFile = path;
    }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        answers = ScriptedPrompter();
        setPrompter(&answers);
        path = home->preparedFile(2, 2009);
        openFile();
        journalActor() = {QStringLiteral("test_journal"), QStringLiteral("saisie"), QStringLiteral("marie")};
        StoreFixture(data())
            .noArticles()
            .article(1, "SUCRE", 90, 10, 5.0)
            .usualSuppliers()
            .movement(1, 1, 10, "2009-03-10", 20, 6);
        // The users table is made by the login; the next opening for writing follows it too.
        ExecSql(data(), QString::fromLatin1(kCreateUsersTable));
        InstallJournal(data());
    }
    void cleanup()
    {
        db.reset();
        setPrompter(nullptr);
        home.reset();
    }

    // Each kind of change of each followed table gives one entry with its key and, for a change, only the
    // columns that changed.
    void entryForEachChange_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("update");
        QTest::addColumn<QString>("remove");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("column");
        QTest::newRow("movement") << "STOCK"
                                  << "insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu) "
                                     "values (50, 1, 10, '2009-03-11', 4, 6)"
                                  << "update stock set quantite=5 where num_mvt=50"
                                  << "delete from stock where num_mvt=50"
                                  << "50"
                                  << "QUANTITE";
        QTest::newRow("article") << "ARTICLES"
                                 << "insert into articles (code_art, designation, pu) values (77, 'SEL', 2)"
                                 << "update articles set pu=3 where code_art=77"
                                 << "delete from articles where code_art=77"
                                 << "77"
                                 << "PU";
        QTest::newRow("supplier") << "fournisseur"
                                  << "insert into fournisseur (code_four, nom_prenom) values (90, 'X')"
                                  << "update fournisseur set tel='0102' where code_four=90"
                                  << "delete from fournisseur where code_four=90"
                                  << "90"
                                  << "tel";
        QTest::newRow("invoice") << "FACTURES"
                                 << "insert into factures (code_four, num_facture) values (1, 7)"
                                 << "update factures set obs='payée' where code_four=1 and num_facture=7"
                                 << "delete from factures where num_facture=7"
                                 << "1/7"
                                 << "OBS";
        QTest::newRow("head-count")
            << "menu_effect"
            << "insert into menu_effect (date_menu, code_categ, m2) values ('2009-03-10', 1, 40)"
            << "update menu_effect set m2=41"
            << "delete from menu_effect"
            << "2009-03-10/1"
            << "m2";
        QTest::newRow("menu") << "menu_menu"
                              << "insert into menu_menu (date_menu, menu1) values ('2009-03-10', 'Soupe')"
                              << "update menu_menu set menu1='Riz'"
                              << "delete from menu_menu"
                              << "2009-03-10"
                              << "menu1";
        QTest::newRow("hospitalised") << "menu_liste"
                                      << "insert into menu_liste (date_menu, code_categ, num_ord, nom) values "
                                         "('2009-03-10', 6, 1, 'A')"
                                      << "update menu_liste set nom='B'"
                                      << "delete from menu_liste"
                                      << "2009-03-10/6/1"
                                      << "nom";
        QTest::newRow("statement") << "etat_mensuel"
                                   << "insert into etat_mensuel (mois, dep_mois) values (3, 100)"
                                   << "update etat_mensuel set dep_mois=120"
                                   << "delete from etat_mensuel"
                                   << "3"
                                   << "dep_mois";
        QTest::newRow("user") << "users"
                              << "insert into users values ('chef', '$argon2id$v=19$abcdef123456', 'B')"
                              << "update users set priorite='A'"
                              << "delete from users"
                              << "chef"
                              << "priorite";
        QTest::newRow("options") << "options"
                                 << "insert into options (organisme, gestion) values (9, 2009)"
                                 << "update options set faita='Oran' where organisme=9"
                                 << "delete from options where organisme=9"
                                 << ""
                                 << "faita";
    }
    void entryForEachChange()
    {
        QFETCH(QString, table);
        QFETCH(QString, insert);
        QFETCH(QString, update);
        QFETCH(QString, remove);
        QFETCH(QString, key);
        QFETCH(QString, column);
        const qint64 before = count();
        write(insert);
        JournalEntry e = last();
        QCOMPARE(e.table, table);
        QCOMPARE(e.kind, QString::fromLatin1(journal_kind::Insert));
        if (!key.isEmpty())
            QCOMPARE(e.key, key);
        const QString rowKey = e.key;
        QVERIFY(e.before.isEmpty());
        QVERIFY(object(e.after).size() > 1);
        QCOMPARE(e.user, QStringLiteral("marie"));
        QCOMPARE(e.program, QStringLiteral("test_journal"));
        QCOMPARE(e.command, QStringLiteral("saisie"));
        QVERIFY(!e.utc.isEmpty() && e.utc.endsWith('Z'));
        QVERIFY(!e.local.isEmpty());
        QVERIFY(!e.hash.isEmpty());

        write(update);
        e = last();
        QCOMPARE(e.kind, QString::fromLatin1(journal_kind::Update));
        QCOMPARE(e.key, rowKey);
        QCOMPARE(object(e.before).keys(), QStringList{column});
        QCOMPARE(object(e.after).keys(), QStringList{column});
        QVERIFY(object(e.before).value(column) != object(e.after).value(column));

        write(remove);
        e = last();
        QCOMPARE(e.kind, QString::fromLatin1(journal_kind::Delete));
        QCOMPARE(e.key, rowKey);
        QVERIFY(e.after.isEmpty());
        QCOMPARE(count(), before + 3);
        QVERIFY(VerifyJournal(data()).ok());
    }

    // A password is journaled only as the tail of its hash: the change shows, the secret does not.
    void passwordNotCopied()
    {
        write("insert into users values ('chef', '$argon2id$v=19$saltsaltHASHED', 'B')");
        QCOMPARE(object(last().after).value("password").toString(), QStringLiteral("…HASHED"));
        write("update users set password='secret'");
        QCOMPARE(object(last().after).value("password").toString(), QStringLiteral("(en clair)"));
        QVERIFY(!last().after.contains("secret"));
    }

    // A movement posted as the entry window posts it is sealed by the time the post returns.
    void postThroughDataset()
    {
        db->startSession(QDate(2009, 3, 10));
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 1));
        Stock(*db).db_STOCK->append();
        Stock(*db).db_STOCK->setValue(QStringLiteral("NAT_OP"), 10);
        Stock(*db).db_STOCK->setValue(QStringLiteral("QUANTITE"), 3.0);
        Stock(*db).db_STOCK->setValue(QStringLiteral("PU"), 6.0);
        QVERIFY(db->SaveDataSet(Stock(*db).db_STOCK, true));
        const JournalEntry e = last();
        QCOMPARE(e.table, QStringLiteral("STOCK"));
        QCOMPARE(e.kind, QString::fromLatin1(journal_kind::Insert));
        QCOMPARE(object(e.after).value("QUANTITE").toDouble(), 3.0);
        QVERIFY(!e.hash.isEmpty());
    }

    // Work undone leaves no entry, also when an inner unit was committed inside it.
    void rolledBackLeavesNothing_data()
    {
        QTest::addColumn<bool>("nested");
        QTest::newRow("one unit") << false;
        QTest::newRow("inner unit kept, outer undone") << true;
    }
    void rolledBackLeavesNothing()
    {
        QFETCH(bool, nested);
        const qint64 before = count();
        {
            Transaction outer(data());
            if (nested) {
                Transaction inner(data());
                ExecSql(data(), "update articles set pu=99 where code_art=1");
                inner.commit();
            } else {
                ExecSql(data(), "update articles set pu=99 where code_art=1");
            }
        }
        QCOMPARE(count(), before);
        write("update articles set pu=98 where code_art=1");
        QCOMPARE(count(), before + 1);
        QVERIFY(VerifyJournal(data()).ok());
    }

    // Whatever is done to the journal by hand, the check names the first entry that no longer holds.
    void tamperingFound_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("firstBad"); // 0: the entry after the last
        QTest::addColumn<QString>("reason");
        QTest::newRow("entry changed") << "update journal set user_name='paul' where id=2" << 2 << "empreinte";
        QTest::newRow("values changed") << "update journal set after_values='{}' where id=3" << 3 << "empreinte";
        QTest::newRow("entry removed") << "delete from journal where id=2" << 2 << "supprimée";
        QTest::newRow("last entry removed")
            << "delete from journal where id=(select max(id) from journal)" << -1 << "supprimées";
        QTest::newRow("entry inserted") << "insert into journal (at_utc, at_local, table_name, kind) values "
                                           "('2009-01-01T00:00:00Z', '2009-01-01 00:00:00', 'STOCK', 'ajout')"
                                        << 0 << "scellée";
        QTest::newRow("entry inserted with a hash")
            << "insert into journal (at_utc, at_local, table_name, kind, hash) values ('x', 'x', 'STOCK', 'ajout', "
               "(select hash from journal where id=1))"
            << 0 << "empreinte";
        QTest::newRow("data changed by hand") << "update articles set pu=1 where code_art=1" << 0 << "scellée";
    }
    void tamperingFound()
    {
        QFETCH(QString, sql);
        QFETCH(int, firstBad);
        QFETCH(QString, reason);
        write("update articles set pu=7 where code_art=1");
        write("update articles set pu=8 where code_art=1");
        const qint64 entries = count();
        QVERIFY(VerifyJournal(data()).ok());
        db.reset();
        bySqlite3(path, sql);
        const qint64 expected = firstBad == 0 ? entries + 1 : firstBad < 0 ? entries : firstBad;
        const CliRun run = RunCli({"journal", path, "--verify"});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("entrée %1 ").arg(expected))
                     || run.err.contains(QStringLiteral("partir de %1 ").arg(expected)),
                 qPrintable(run.err));
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    }

    // A change made by another program while the triggers are in place is kept, and sealed at the next
    // opening for writing under the name of no program of ours.
    void outsideChangeSealedAtOpening()
    {
        db.reset();
        bySqlite3(path, "update articles set designation='SUCRE FIN' where code_art=1");
        openFile();
        const JournalEntry e = last();
        QCOMPARE(e.program, QString::fromLatin1(kOutsideProgram));
        QCOMPARE(e.user, QStringLiteral("—"));
        QCOMPARE(object(e.after).value("DESIGNATION").toString(), QStringLiteral("SUCRE FIN"));
        QVERIFY(VerifyJournal(data()).ok());
    }

    // A file made before the journal gets it at its first opening for writing, starting with one entry
    // that says so; a read-only opening leaves it without.
    void fileMadeBeforeTheJournal()
    {
        DropJournal(data());
        ExecSql(data(), "drop table journal");
        db.reset();
        const QString triggers = "select count(*) from sqlite_master where name like 'zelvane_journal_%'";
        {
            TestData reader;
            reader.readOnly = true;
            QCOMPARE(reader.OpenDatabaseFile("READER", path, false, false, QString::fromLatin1(kSchemaTag)),
                     int(OpenOk));
            QCOMPARE(ReadJournal(reader.database()).size(), 0);
        }
        openFile();
        const QList<JournalEntry> entries = ReadJournal(data());
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first().kind, QString::fromLatin1(journal_kind::Origin));
        QVERIFY(entries.first().after.contains(QStringLiteral("commencé sur un fichier existant")));
        QVERIFY(ScalarSql(data(), triggers).toInt() > 0);
        write("update articles set pu=7 where code_art=1");
        QCOMPARE(count(), 2);
        QVERIFY(VerifyJournal(data()).ok());
    }

    // The new year's file starts its own journal with one entry naming the old file and its last hash;
    // the old file keeps its own.
    void chainAcrossNewYear()
    {
        write("update articles set pu=7 where code_art=1");
        const QString lastHash = LastJournalHash(data());
        const qint64 oldEntries = count();
        const QString target = home->databases() + "/DOS1_2010.MDB";
        const NewYearResult made = MakeNewYearFile(data(), 2010, target);
        QVERIFY2(made.ok(), qPrintable(made.error));
        QCOMPARE(count(), oldEntries);
        QVERIFY(VerifyJournal(data()).ok());

        const CliRun listed = RunCli({"journal", target, "--csv"});
        QCOMPARE(listed.code, 0);
        const QStringList lines = listed.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2); // the titles, the origin
        QVERIFY(lines.at(1).contains(QStringLiteral("origine")));
        QVERIFY(lines.at(1).contains(lastHash));
        QVERIFY(lines.at(1).contains(QFileInfo(path).absoluteFilePath()));
        QCOMPARE(RunCli({"journal", target, "--verify"}).code, 0);
    }

    // A file of an older generation converted, and a file made by the preparation, start with one origin
    // entry rather than one per row copied.
    void oneEntryForMadeFiles()
    {
        const QString older = OlderFile(home->databases() + "/DOS2_2009.MDB", "ZELVANE-2009-05-01");
        MakeDatabase(older, OlderFileRows());
        QVERIFY(ConvertOlderFile(older).ok());
        qputenv("ZELVANE_PASSWORD", "secret");
        const CliRun converted = RunCli({"journal", older, "--csv", "--user", "chef"});
        // The origin first; the login then hashes the password kept as typed, an entry of its own.
        QVERIFY(converted.out.trimmed().split('\n').value(1).contains(QStringLiteral("conversion de")));
        QCOMPARE(RunCli({"journal", older, "--verify", "--user", "chef"}).code, 0);
        qunsetenv("ZELVANE_PASSWORD");

        const CliRun prepared = RunCli({"journal", home->preparedFile(2, 2011), "--csv"});
        QCOMPARE(prepared.out.trimmed().split('\n').size(), 2);
        QVERIFY(prepared.out.contains(QStringLiteral("nouveau dossier")));
    }

    // The listing keeps the days asked for; the filters of the window select by article, user and kind.
    void listingFilters()
    {
        write("update articles set pu=7 where code_art=1");
        write("update stock set quantite=21 where num_mvt=1");
        write("update fournisseur set tel='1' where code_four=1");

        JournalFilter byArticle;
        byArticle.article = "1";
        QStringList tables;
        for (const JournalEntry &e : ReadJournal(data(), byArticle))
            tables << e.table;

        QCOMPARE(tables.filter("fournisseur").size(), 0);
        QVERIFY(tables.contains("ARTICLES") && tables.contains("STOCK"));
        JournalFilter byKind;
        byKind.kind = QString::fromLatin1(journal_kind::Origin);
        QCOMPARE(ReadJournal(data(), byKind).size(), 1);
        JournalFilter byUser;
        byUser.user = "marie";
        QCOMPARE(ReadJournal(data(), byUser).size(), 3);

        // The command line opens the file under the program's alias: the test's connection is done by then.
        db.reset();
        const QString today = QDate::currentDate().toString("dd/MM/yyyy");
        const QString yesterday = QDate::currentDate().addDays(-1).toString("dd/MM/yyyy");
        QVERIFY(RunCli({"journal", path, "--from", today, "--to", today}).out.count('\n') >= 3);
        QCOMPARE(RunCli({"journal", path, "--to", yesterday}).out, QString());
        QCOMPARE(RunCli({"journal", path, "--from", "31/02/2009"}).code, 1);
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "test_journal.moc"
