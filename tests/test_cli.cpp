#include "TestHome.h"
#include "cli/Commands.h"
#include "common/WorkFiles.h"
#include "db/DataModule.h"
#include "db/NewFile.h"
#include "stock/Demo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <sys/stat.h>

using namespace zelvane;

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void prepareThenInfo()
    {
        TestHome home;
        const CliRun made = RunCli({QStringLiteral("prepare"), QStringLiteral("--kind"), QStringLiteral("2"),
                                    QStringLiteral("--year"), QStringLiteral("2009")});
        QCOMPARE(made.code, 0);
        const QString path = made.out.trimmed();
        QCOMPARE(path, home.databases() + QStringLiteral("/DOS1_2009.MDB"));
        QVERIFY(QFile::exists(path));
        const QStringList files = QDir(home.databases()).entryList(QDir::Files);
        QCOMPARE(files, QStringList{QStringLiteral("DOS1_2009.MDB")}); // no work file left

        const CliRun second = RunCli({QStringLiteral("prepare"), QStringLiteral("--kind"), QStringLiteral("5"),
                                      QStringLiteral("--year"), QStringLiteral("2009")});
        QCOMPARE(second.out.trimmed(), home.databases() + QStringLiteral("/DOS2_2009.MDB"));

        const CliRun info = RunCli({QStringLiteral("info"), path});
        QCOMPARE(info.code, 0);
        QVERIFY(info.out.contains(QStringLiteral("schema: ZELVANE-2009-07-26\n")));
        QVERIFY(info.out.contains(QStringLiteral("organisme: 2\n")));
        QVERIFY(info.out.contains(QStringLiteral("gestion: 2009\n")));
        QVERIFY(info.out.contains(QStringLiteral("regime: 2\n")));
        QVERIFY(info.out.contains(QStringLiteral("table STOCK: 0\n")));
        QVERIFY(info.out.contains(QStringLiteral("table categories: 7\n")));
    }

    void infoCountsTablesWhateverTheirNames()
    {
        TestHome home;
        const QString path = RunCli({QStringLiteral("prepare"), QStringLiteral("--kind"), QStringLiteral("2"),
                                     QStringLiteral("--year"), QStringLiteral("2009")})
                                 .out.trimmed();
        {
            TestData db;
            QCOMPARE(
                db.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false, QString::fromLatin1(kSchemaTag)),
                int(OpenOk));
            // A name that, pasted between quotes, would turn the count into another statement.
            QVERIFY(
                QSqlQuery(db.database()).exec(QStringLiteral("create table \"x\"\" where 0 union select 99 --\" (a)")));
            QVERIFY(QSqlQuery(db.database())
                        .exec(QStringLiteral("insert into \"x\"\" where 0 union select 99 --\" values (1)")));
        }
        const CliRun info = RunCli({QStringLiteral("info"), path});
        QCOMPARE(info.code, 0);
        QVERIFY2(info.out.contains(QStringLiteral("table x\" where 0 union select 99 --: 1\n")), qPrintable(info.out));
    }

    // Each way a file can fail to be a management file gets its own sentence.
    void unopenableFilesSayWhy_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder") << "folder"
                                << "est un répertoire";
        QTest::newRow("fifo") << "fifo"
                              << "n'est pas un fichier ordinaire";
        QTest::newRow("no read permission") << "unreadable"
                                            << "permission refusée";
        QTest::newRow("empty") << "empty"
                               << "est vide";
        QTest::newRow("truncated") << "truncated"
                                   << "est tronqué";
        QTest::newRow("another program's file") << "text"
                                                << "fichier d'un autre programme";
        QTest::newRow("Access file") << "jet"
                                     << "est un fichier Access";
        QTest::newRow("two tag rows") << "two tags"
                                      << "porte 2 versions";
        QTest::newRow("no version table") << "no version"
                                          << "ne porte pas de version";
        QTest::newRow("tag but no options row") << "template"
                                                << "has no options row";
    }
    void unopenableFilesSayWhy()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        TestHome home;
        const QString path = home.databases() + QStringLiteral("/BAD_2009.MDB");
        const QString prepared = RunCli({QStringLiteral("prepare"), QStringLiteral("--kind"), QStringLiteral("2"),
                                         QStringLiteral("--year"), QStringLiteral("2009")})
                                     .out.trimmed();
        QFile file(path);
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("template")) {
            QFile::remove(path);
            QVERIFY(QFile::copy(home.templateCopy(), path));
        } else if (kind == QLatin1String("two tags") || kind == QLatin1String("no version")
                   || kind == QLatin1String("unreadable") || kind == QLatin1String("truncated")) {
            QVERIFY(QFile::copy(prepared, path));
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bad"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            if (kind == QLatin1String("two tags"))
                QVERIFY(QSqlQuery(db).exec(QStringLiteral("insert into version values ('ZELVANE-2009-07-26')")));
            if (kind == QLatin1String("no version"))
                QVERIFY(QSqlQuery(db).exec(QStringLiteral("drop table version")));
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("bad"));
            if (kind == QLatin1String("truncated"))
                QVERIFY(file.resize(file.size() / 2));
            if (kind == QLatin1String("unreadable")) {
                QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
                if (QFile(path).open(QIODevice::ReadOnly))
                    QSKIP("this user reads every file (root)");
            }
        } else {
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("text"))
                file.write("DATE;ARTICLE;QUANTITE\n01/01/2009;RIZ;12\n");
            if (kind == QLatin1String("jet"))
                file.write(QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(2000, '\0'));
            file.close();
        }
        const QByteArray before = QFileInfo(path).isFile() && kind != QLatin1String("fifo")
                                      ? [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }()
                                      : QByteArray();
        // A file without options is one that would show as a sheet of another year: refused where it would.
        const CliRun r = RunCli(
            kind == QLatin1String("template")
                ? QStringList{QStringLiteral("sheet"), path, QStringLiteral("--day"), QStringLiteral("10/03/2009")}
                : QStringList{QStringLiteral("info"), path});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        if (!before.isEmpty() && kind != QLatin1String("unreadable")) {
            QFile after(path);
            QVERIFY(after.open(QIODevice::ReadOnly));
            QCOMPARE(after.readAll(), before); // refused untouched
        }
    }

    void interruptedWriteRecoveredByReaders()
    {
        TestHome home;
        const QString path = RunCli({QStringLiteral("prepare"), QStringLiteral("--kind"), QStringLiteral("2"),
                                     QStringLiteral("--year"), QStringLiteral("2009")})
                                 .out.trimmed();
        const QString copy = home.databases() + QStringLiteral("/KILLED_2009.MDB");
        {
            // A write caught halfway: the file and its hot journal copied while the transaction is open, as a
            // killed process leaves them.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("pragma cache_size=1")));
            QVERIFY(q.exec(QStringLiteral("begin")));
            QVERIFY(q.exec(QStringLiteral("update articles set designation = designation || ' (interrompu)'")));
            QVERIFY(QFileInfo(path + QStringLiteral("-journal")).size() > 0);
            QVERIFY(QFile::copy(path, copy));
            QVERIFY(QFile::copy(path + QStringLiteral("-journal"), copy + QStringLiteral("-journal")));
            QVERIFY(q.exec(QStringLiteral("rollback")));
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("writer"));
        const CliRun r = RunCli({QStringLiteral("info"), copy});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const CliRun sheet = RunCli(
            {QStringLiteral("sheet"), copy, QStringLiteral("--day"), QStringLiteral("10/03/2009")});
        QCOMPARE(sheet.code, 0);
        QVERIFY(!sheet.out.contains(QStringLiteral("interrompu")));
    }

    void existingFileRefusedUnlessForced()
    {
        TestHome home;
        const QStringList args = {QStringLiteral("prepare"),         QStringLiteral("--kind"), QStringLiteral("1"),
                                  QStringLiteral("--year"),          QStringLiteral("2010"),   QStringLiteral("--name"),
                                  QStringLiteral("CANTINE_2010.MDB")};
        QCOMPARE(RunCli(args).code, 0);
        const CliRun again = RunCli(args);
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.contains(QStringLiteral("existe déjà")));
        QCOMPARE(RunCli(QStringList(args) << QStringLiteral("--force")).code, 0);
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("year not a number")
            << QStringList{"prepare", "--kind", "2", "--year", "20x9"} << "is not a year";
        QTest::newRow("unknown kind") << QStringList{"prepare", "--kind", "42", "--year", "2009"}
                                      << "unknown establishment kind 42";
        QTest::newRow("kind not a number")
            << QStringList{"prepare", "--kind", "deux", "--year", "2009"} << "unknown establishment kind";
        QTest::newRow("dotted name") << QStringList{"prepare", "--kind", "2", "--year", "2009", "--name", "A.B.MDB"}
                                     << "incorrecte";
        QTest::newRow("missing value") << QStringList{"prepare", "--kind"} << "Missing value after '--kind'";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "unknown command";
        QTest::newRow("amount not a number") << QStringList{"amount-in-words", "12,3x"} << "is not an amount";
        QTest::newRow("amount missing") << QStringList{"amount-in-words"} << "needs exactly one AMOUNT";
        QTest::newRow("info of a missing file") << QStringList{"info", "/nowhere/DOS1_2009.MDB"} << "no such file";
        QTest::newRow("signed year") << QStringList{"prepare", "--kind", "2", "--year", "+2024"} << "is not a year";
        QTest::newRow("blank inside the year")
            << QStringList{"prepare", "--kind", "2", "--year", "20 24"} << "is not a year";
        QTest::newRow("negative year") << QStringList{"prepare", "--kind", "2", "--year=-2024"} << "is not a year";
        QTest::newRow("signed kind") << QStringList{"prepare", "--kind", "+2", "--year", "2024"}
                                     << "unknown establishment kind";
        QTest::newRow("blank name") << QStringList{"prepare", "--kind", "2", "--year", "2024", "--name", " "}
                                    << "--name needs a file name";
        QTest::newRow("option as name") << QStringList{"prepare", "--kind", "2", "--year", "2024", "--name=--force"}
                                        << "not the option";
        QTest::newRow("control character in name")
            << QStringList{"prepare", "--kind", "2", "--year", "2024", "--name", "DOS\n1.MDB"} << "control characters";
        QTest::newRow("name of another kind of file")
            << QStringList{"prepare", "--kind", "2", "--year", "2024", "--name", "notes.txt"} << "ending in .MDB";
        QTest::newRow("endless demo") << QStringList{"demo", "--kind",      "2",          "--year",
                                                     "2024", "--movements", "99999999999"}
                                      << "is at most";
        QTest::newRow("signed demo size")
            << QStringList{"demo", "--kind", "2", "--year", "2024", "--articles", "+40"} << "positive number";
    }
    void badInput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        TestHome home;
        const CliRun r = RunCli(args);
        QVERIFY(r.code != 0);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QCOMPARE(QDir(home.databases()).entryList(QDir::Files), QStringList()); // nothing half-made
    }

    // The commands that take days read them alike: the option named when its value is not a day.
    void dayOptionsRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("sheet, no such day")
            << QStringList{"sheet", "FILE", "--day", "31/02/2009"} << "--day: 31/02/2009 is not a day (DD/MM/YYYY)";
        QTest::newRow("day, no day given") << QStringList{"day", "FILE"} << "day needs --day DD/MM/YYYY";
        QTest::newRow("day, a word") << QStringList{"day", "FILE", "--day", "lundi"}
                                     << "--day: lundi is not a day (DD/MM/YYYY)";
        QTest::newRow("journal, ISO day")
            << QStringList{"journal", "FILE", "--from", "2009-03-01"} << "--from: 2009-03-01 is not a day (DD/MM/YYYY)";
        QTest::newRow("journal, day 32") << QStringList{"journal", "FILE", "--to", "32/01/2009"}
                                         << "--to: 32/01/2009 is not a day (DD/MM/YYYY)";
    }
    void dayOptionsRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        TestHome home;
        args.replace(args.indexOf(QStringLiteral("FILE")), home.preparedFile(2, 2009));
        const CliRun r = RunCli(args);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY(r.out.isEmpty());
    }

    void amountInWords()
    {
        TestHome home;
        CliRun r = RunCli({"amount-in-words", "1234.56"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("[ MILLE DEUX CENTS TRENTE QUATRE DA, 56 CTS]\n"));
        r = RunCli({"amount-in-words", "--", "-3"});
        QCOMPARE(r.out, QStringLiteral("[]\n"));
    }

    void infoRefusals()
    {
        TestHome home;
        const QString text = home.databases() + QStringLiteral("/NOTES.MDB");
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database");
        f.close();
        CliRun r = RunCli({QStringLiteral("info"), text});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("fichier d'un autre programme")), qPrintable(r.err));

        const QString older = home.templateCopy(QStringLiteral("OLD_2008.MDB"));
        {
            TestData db;
            QCOMPARE(
                db.OpenDatabaseFile(QString::fromLatin1(kAlias), older, false, false, QString::fromLatin1(kSchemaTag)),
                int(OpenOk));
            QSqlQuery(db.database()).exec(QStringLiteral("update version set version='ZELVANE-2001-01-01'"));
        }
        r = RunCli({QStringLiteral("info"), older});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("ZELVANE-2001-01-01")));

        r = RunCli({QStringLiteral("info"), home.templateCopy(QStringLiteral("A.B.MDB"))});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("incorrecte")));
    }

    void demoFilledBeforeItTakesItsName()
    {
        TestHome home;
        DemoRequest request;
        request.folder = home.databases();
        request.kind = 2;
        request.year = QStringLiteral("2024");
        request.movements = 10;
        const QString target = home.databases() + QStringLiteral("/DOS1_2024.MDB");
        // A demo killed while it fills must not leave a file that passes for a management file.
        bool targetSeenWhileFilling = true;
        NewFileRequest failing = request;
        failing.fill = [&](const QString &work) {
            targetSeenWhileFilling = QFile::exists(target) || !QFile::exists(work);
            return QStringLiteral("disk full");
        };
        Tfdb db;
        const NewFileResult result = CreateManagementFile(db, failing);
        QCOMPARE(result.error, QStringLiteral("disk full"));
        QVERIFY(!targetSeenWhileFilling);
        QCOMPARE(QDir(home.databases()).entryList(QDir::Files), QStringList());
        QCOMPARE(MakeDemoFile(request).path, target);
        QCOMPARE(QDir(home.databases()).entryList(QDir::Files), QStringList{QStringLiteral("DOS1_2024.MDB")});
    }

    void staleWorkFilesRemoved()
    {
        TestHome home;
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        const qint64 gonePid = gone.processId();
        QVERIFY(gone.waitForFinished());
        const QString dir = home.databases();
        // Left by a killed process: a new file, a backup with its journal, an office document.
        const QStringList stale = {QStringLiteral("FCNEW_zelvane-%1.part").arg(gonePid),
                                   QStringLiteral("FCNEW_zelvane-%1.part-journal").arg(gonePid),
                                   QStringLiteral("DOS1_2010.MDB.zelvane-%1.part").arg(gonePid),
                                   QStringLiteral("DOS1_2010.MDB.zelvane-%1.part-journal").arg(gonePid),
                                   QStringLiteral("Facture 3.xlsx.zelvane-%1.part").arg(gonePid)};
        // This process's own work files, and files that only look alike.
        const QStringList kept = {QFileInfo(NewFileWorkPath(dir)).fileName(),
                                  QFileInfo(WorkFileFor(dir + QStringLiteral("/DOS1_2011.MDB"))).fileName(),
                                  QStringLiteral("FCNEW_NOTES.MDB"),
                                  QStringLiteral("DOS1_2009.MDB"),
                                  QStringLiteral("notes.part"),
                                  QStringLiteral("Inventaire annuel.2024.part"),
                                  QStringLiteral("DOS1_2010.MDB.%1.part").arg(gonePid),
                                  QStringLiteral("FCNEW_12.MDB.bak")};
        for (const QString &name : stale + kept) {
            QFile f(dir + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        RemoveStaleWorkFiles(dir);
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(FilesIn(dir), expected);
        QVERIFY(IsWorkFileName(QStringLiteral("fcnew_zelvane-12.part")));
        QVERIFY(IsWorkFileName(QStringLiteral("DOS1_2009.MDB.zelvane-12.part")));
        QVERIFY(!IsWorkFileName(QStringLiteral("DOS1_2009.MDB.12.part")));
        QVERIFY(!IsWorkFileName(QStringLiteral("FCNEW_12.MDB.bak")));
        QVERIFY(!IsWorkFileName(QStringLiteral("DOS1_2009.MDB")));
    }

    void help()
    {
        TestHome home;
        const CliRun r = RunCli({QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(QStringLiteral("prepare --kind N --year YYYY")));
        QVERIFY(r.out.contains(QStringLiteral("info FILE")));
    }

    // On a file with users, every command that opens it logs in as the desktop does: --user NAME, the
    // password from ZELVANE_PASSWORD, the priorities of the desktop's commands; a file without users
    // stays open to every command.
    void commandsLogInOnAFileWithUsers_data()
    {
        QTest::addColumn<bool>("withUsers");
        QTest::addColumn<QStringList>("args"); // FILE stands for the file, OUT for a new file
        QTest::addColumn<QString>("password"); // ZELVANE_PASSWORD, unset when null
        QTest::addColumn<QString>("refusal");  // the message, empty when the command runs
        const QStringList sheet = {"sheet", "FILE", "--day", "10/03/2009"};
        QTest::newRow("no --user") << true << sheet << "secret"
                                   << "Identification refusée : ce dossier a des utilisateurs, --user NOM est demandé";
        QTest::newRow("right password") << true << (sheet + QStringList{"--user", "admin"}) << " Secret"
                                        << "";
        QTest::newRow("wrong password") << true << (sheet + QStringList{"--user", "ADMIN"}) << "secre"
                                        << "Identification refusée : utilisateur ou mot de passe incorrect";
        QTest::newRow("unknown user") << true << (sheet + QStringList{"--user", "PERSONNE"}) << "secret"
                                      << "Identification refusée : utilisateur ou mot de passe incorrect";
        QTest::newRow("user without password") << true << (sheet + QStringList{"--user", "MAGASIN"}) << QString() << "";
        QTest::newRow("backup as priority C")
            << true << QStringList{"backup", "FILE", "OUT", "--user", "MAGASIN"} << QString()
            << "Identification refusée : priorité insuffisante (C), cette commande demande AB";
        QTest::newRow("backup as priority A")
            << true << QStringList{"backup", "FILE", "OUT", "--user", "ADMIN"} << "secret"
            << "";
        QTest::newRow("restore as priority C")
            << true << QStringList{"restore", "FILE", "--user", "MAGASIN"} << QString()
            << "Identification refusée : priorité insuffisante (C), cette "
               "commande demande AB";
        QTest::newRow("new-year without --user")
            << true << QStringList{"new-year", "FILE", "--year", "2010"} << "secret"
            << "Identification refusée : ce dossier a des utilisateurs, "
               "--user NOM est demandé";
        QTest::newRow("print of the monthly statement, wrong password")
            << true << QStringList{"print", "FILE", "--doc", "14", "--day", "31/03/2009", "--user", "ADMIN"} << "x"
            << "Identification refusée : utilisateur ou mot de passe incorrect";
        QTest::newRow("no users: sheet") << false << sheet << QString() << "";
        QTest::newRow("no users: backup") << false << QStringList{"backup", "FILE", "OUT"} << QString() << "";
    }
    void commandsLogInOnAFileWithUsers()
    {
        QFETCH(bool, withUsers);
        QFETCH(QStringList, args);
        QFETCH(QString, password);
        QFETCH(QString, refusal);
        TestHome home;
        const QString file = home.preparedFile(2, 2009, QStringLiteral("DOS1_2009.MDB"));
        if (withUsers) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("users"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            ExecSql(db, QString::fromLatin1(kCreateUsersTable));
            ExecSql(db, QStringLiteral("insert into users values ('ADMIN', 'SECRET', 'A'), ('MAGASIN', '', 'C')"));
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("users"));
        }
        args.replaceInStrings(QStringLiteral("FILE"), file);
        args.replaceInStrings(QStringLiteral("OUT"), home.path() + QStringLiteral("/copie.MDB"));
        if (password.isNull())
            qunsetenv("ZELVANE_PASSWORD");
        else
            qputenv("ZELVANE_PASSWORD", password.toUtf8());
        const CliRun r = RunCli(args);
        qunsetenv("ZELVANE_PASSWORD");
        if (refusal.isEmpty()) {
            QVERIFY2(r.code == 0, qPrintable(r.err));
        } else {
            QCOMPARE(r.code, 1);
            QCOMPARE(r.err, QStringLiteral("zelvane-cli: ") + refusal + QLatin1Char('\n'));
            QVERIFY(!QFile::exists(home.path() + QStringLiteral("/copie.MDB")));
        }
    }

    // Without ZELVANE_PASSWORD the password is read from standard input, one line per attempt, three at
    // most; each failure counts in the file for that name.
    void passwordReadFromStandardInput_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("failures");
        QTest::newRow("right at once") << QByteArray("secret\n") << 0 << "0";
        QTest::newRow("right at the third line") << QByteArray("a\nb\nsecret\n") << 0 << "0";
        QTest::newRow("three wrong lines") << QByteArray("a\nb\nc\nsecret\n") << 1 << "3";
        QTest::newRow("no line") << QByteArray() << 1 << "0";
    }
    void passwordReadFromStandardInput()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, code);
        QFETCH(QString, failures);
        TestHome home;
        const QString file = home.preparedFile(2, 2009, QStringLiteral("DOS1_2009.MDB"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("users"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            ExecSql(db, QString::fromLatin1(kCreateUsersTable));
            ExecSql(db, QStringLiteral("insert into users values ('ADMIN', 'SECRET', 'A')"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("users"));
        const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/zelvane-cli");
        QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("ZELVANE_PASSWORD"));
        environment.insert(QStringLiteral("ZELVANE_HOME"), home.path());
        cli.setProcessEnvironment(environment);
        cli.start(program, {QStringLiteral("day"), file, QStringLiteral("--day"), QStringLiteral("10/03/2009"),
                            QStringLiteral("--user"), QStringLiteral("ADMIN")});
        QVERIFY(cli.waitForStarted());
        cli.write(input);
        cli.closeWriteChannel();
        QVERIFY(cli.waitForFinished(60'000));
        QCOMPARE(cli.exitCode(), code);
        if (code != 0)
            QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains("zelvane-cli: Identification refusée"));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QCOMPARE(ScalarSql(db, QStringLiteral("select coalesce(max(failures), 0) from login_delay")).toString(),
                 failures);
        // The password kept as typed was hashed by the first command that opened the file for writing.
        QVERIFY(ScalarSql(db, QStringLiteral("select password from users")).toString().startsWith("$argon2id$"));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
