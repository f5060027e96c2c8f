#include "SampleDocument.h"
#include "TestHome.h"
#include "common/Paths.h"
#include "common/Profile.h"
#include "common/TextFile.h"
#include "common/WorkFiles.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/QuickCheckAhead.h"
#include "print/PdfOutput.h"
#include "stock/Demo.h"
#include "years/Recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zelvane;

namespace {

// A year of movements made as the demo command makes it, in the data folder.
QString demoYear(int movements, const QString &name = QStringLiteral("DOS1_2009.MDB"))
{
    DemoRequest request;
    request.folder = DatabasesDir();
    request.fileName = name;
    request.kind = 2;
    request.year = QStringLiteral("2009");
    request.movements = movements;
    const NewFileResult made = MakeDemoFile(request);
    if (!made.ok())
        qFatal("cannot make a demo year: %s", qPrintable(made.error));
    return made.path;
}

// Overwrites count leaf pages of table, from the middle of the table on, as a failing disk would: the file
// still opens, its other pages read, and SQLite's checks find the damage.
QList<int> damagePages(const QString &path, const QString &table, int count)
{
    QList<int> pages;
    int pageSize = 0;
    {
        const QString connection = QStringLiteral("damage");
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("pragma page_size"));
        q.next();
        pageSize = q.value(0).toInt();
        q.exec(
            QStringLiteral("select pageno from dbstat where name='%1' and pagetype='leaf' order by pageno").arg(table));
        QList<int> leaves;
        while (q.next())
            leaves << q.value(0).toInt();
        for (int i = 0; i < count && leaves.size() / 2 + i < leaves.size(); ++i)
            pages << leaves.at(leaves.size() / 2 + i);
        q.finish();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return {};
    for (const int page : std::as_const(pages)) {
        file.seek(qint64(page - 1) * pageSize);
        file.write(QByteArray(pageSize, '\xA5'));
    }
    return pages;
}

qint64 count(const QString &path, const QString &sql)
{
    const QString connection = QStringLiteral("count");
    qint64 n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                n = q.value(0).toLongLong();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return n;
}

// What a target of an output is, so that a refused output is seen to leave it exactly as it was.
QString describe(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("missing");
    if (S_ISREG(st.st_mode))
        return QStringLiteral("file ") + QString::fromLatin1(FileDigest(path).toHex());
    return QStringLiteral("mode %1 inode %2").arg(st.st_mode, 0, 8).arg(st.st_ino);
}

// Writes past limit bytes of any file fail as on a full disk, while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        const rlimit small{limit, m_saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

// The command line as another program, so that only what crosses processes (the lock) stops it.
CliRun runCliProcess(const QStringList &arguments)
{
    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zelvane-cli"), arguments);
    CliRun run;
    if (!cli.waitForFinished(60000))
        return {-1, {}, QStringLiteral("zelvane-cli did not end")};
    run.code = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromUtf8(cli.readAllStandardOutput());
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}

QStringList workFilesIn(const QString &folder)
{
    QStringList found;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (name.endsWith(QLatin1String(".part")))
            found << name;
    }
    return found;
}

} // namespace

class TestFileSafety : public QObject
{
    Q_OBJECT

private slots:
    // Every output of the command line refuses a target that must not be replaced, and leaves it as it was.
    void outputsRefuseWhatTheyMustNotReplace_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("the management file being read") << "open";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a pipe") << "fifo";
        QTest::newRow("a device") << "device";
        QTest::newRow("a link") << "link";
        QTest::newRow("an existing file without --force") << "existing";
        QTest::newRow("a name in a missing folder") << "missing folder";
    }
    void outputsRefuseWhatTheyMustNotReplace()
    {
        QFETCH(QString, kind);
        TestHome home;
        const QString year = demoYear(400);
        const QString out = home.path() + QStringLiteral("/out");
        QVERIFY(QDir().mkpath(out));
        // Each output under the name its kind of file takes; the target kind replaces it.
        const QList<QStringList> commands = {
            {QStringLiteral("print"), year, QStringLiteral("--doc"), QStringLiteral("3"), QStringLiteral("--day"),
             QStringLiteral("15/06/2009"), QStringLiteral("--pdf"), QStringLiteral("%1.pdf")},
            {QStringLiteral("print"), year, QStringLiteral("--doc"), QStringLiteral("6"), QStringLiteral("--day"),
             QStringLiteral("15/06/2009"), QStringLiteral("--out"), QStringLiteral("%1.xlsx")},
            {QStringLiteral("backup"), year, QStringLiteral("%1.MDB")},
            {QStringLiteral("new-year"), year, QStringLiteral("--year"), QStringLiteral("2010"),
             QStringLiteral("--out"), QStringLiteral("%1.MDB")},
        };
        const QString yearBefore = describe(year);
        for (QStringList command : commands) {
            const QString suffix = command.last().mid(2);
            QString target;
            if (kind == QLatin1String("open")) {
                target = year;
            } else if (kind == QLatin1String("device")) {
                target = QStringLiteral("/dev/null");
            } else if (kind == QLatin1String("missing folder")) {
                target = out + QStringLiteral("/absent/CIBLE") + suffix;
            } else {
                target = out + QStringLiteral("/CIBLE") + suffix;
                QFile::remove(target);
                QDir(target).removeRecursively();
                if (kind == QLatin1String("folder"))
                    QVERIFY(QDir().mkpath(target));
                if (kind == QLatin1String("fifo"))
                    QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
                if (kind == QLatin1String("link"))
                    QVERIFY(QFile::link(year, target));
                if (kind == QLatin1String("existing")) {
                    QFile file(target);
                    QVERIFY(file.open(QIODevice::WriteOnly));
                    file.write("a document the user keeps");
                }
            }
            command.last() = target;
            const QString before = describe(target);
            const CliRun run = RunCli(command);
            QVERIFY2(run.code != 0, qPrintable(command.join(QLatin1Char(' '))));
            QVERIFY2(!run.err.isEmpty(), qPrintable(command.first()));
            QCOMPARE(describe(target), before);
            QCOMPARE(describe(year), yearBefore);
            QCOMPARE(workFilesIn(out), QStringList());
            QCOMPARE(workFilesIn(home.databases()), QStringList());
        }
    }

    // A new name, and an existing file with --force, are written; the year itself never is, even with --force.
    void outputsWrittenWhereAllowed()
    {
        TestHome home;
        const QString year = demoYear(400);
        const QString pdf = home.path() + QStringLiteral("/feuille.pdf");
        const QStringList print = {QStringLiteral("print"), year,
                                   QStringLiteral("--doc"), QStringLiteral("3"),
                                   QStringLiteral("--day"), QStringLiteral("15/06/2009"),
                                   QStringLiteral("--pdf")};
        QCOMPARE(RunCli(print + QStringList{pdf}).code, 0);
        QVERIFY(QFileInfo(pdf).size() > 1000);
        QVERIFY(RunCli(print + QStringList{pdf}).err.contains(QStringLiteral("existe déjà")));
        QCOMPARE(RunCli(print + QStringList{pdf, QStringLiteral("--force")}).code, 0);
        const QString yearBefore = describe(year);
        const CliRun overYear = RunCli(print + QStringList{year, QStringLiteral("--force")});
        QCOMPARE(overYear.code, 1);
        QVERIFY2(overYear.err.contains(QStringLiteral("ne peut pas être remplacé")), qPrintable(overYear.err));
        QCOMPARE(describe(year), yearBefore);
    }

    // A write error (a full disk, a quota) fails the PDF with no file under its name, from the engine and
    // from the command line.
    void pdfWriteErrorLeavesNoFile()
    {
        TestHome home;
        const QString pdf = home.path() + QStringLiteral("/etat.pdf");
        const ReportDocument document = SampleDocument(40, QStringLiteral("Stock"));
        QString error;
        {
            const FileSizeLimit full(4096);
            QVERIFY(!WritePdf(document, pdf, &error));
        }
        QVERIFY2(error.contains(QStringLiteral("n'a pas pu être écrit")), qPrintable(error));
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(workFilesIn(home.path()), QStringList());
        QVERIFY2(WritePdf(document, pdf, &error), qPrintable(error));

        const QString year = demoYear(400);
        const QString sheet = home.path() + QStringLiteral("/feuille.pdf");
        CliRun run;
        {
            const FileSizeLimit full(4096);
            run = RunCli({QStringLiteral("print"), year, QStringLiteral("--doc"), QStringLiteral("3"),
                          QStringLiteral("--day"), QStringLiteral("15/06/2009"), QStringLiteral("--pdf"), sheet});
        }
        QCOMPARE(run.code, 1);
        QVERIFY(!QFileInfo::exists(sheet));
        QCOMPARE(workFilesIn(home.path()), QStringList());
    }

    // A disk that fills during a conversion fails it with that reason, and leaves the old file as it was.
    void fullDiskDuringConversion()
    {
        TestHome home;
        const QString year = demoYear(20000);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
            db.setDatabaseName(year);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("update version set version='ZELVANE-2009-06-06'")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("older"));
        const QByteArray before = FileDigest(year);
        CliRun run;
        {
            const FileSizeLimit full(rlim_t(QFileInfo(TemplatePath()).size() + 256 * 1024));
            run = RunCli({QStringLiteral("convert"), year});
        }
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("disque")) && !run.err.contains(QStringLiteral("savepoint")),
                 qPrintable(run.err));
        QCOMPARE(FileDigest(year), before);
        QCOMPARE(FilesIn(home.databases()), QStringList{QStringLiteral("DOS1_2009.MDB")});
    }

    // A damaged year is read with a warning and a distinct exit status, never written, never carried into
    // a new year; the desktop's data module opens it read-only.
    void damagedFileIsNeverLaundered_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("the sheet") << QStringList{QStringLiteral("sheet"), QStringLiteral("--day"),
                                                  QStringLiteral("15/06/2009")}
                                   << 3 << "warning: ";
        QTest::newRow("the history") << QStringList{QStringLiteral("history")} << 3 << "endommagé";
        QTest::newRow("a new year") << QStringList{QStringLiteral("new-year"), QStringLiteral("--year"),
                                                   QStringLiteral("2010")}
                                    << 1 << "new-year ne s'applique pas";
        QTest::newRow("the monthly statement, which stores its row")
            << QStringList{QStringLiteral("print"), QStringLiteral("--doc"),      QStringLiteral("14"),
                           QStringLiteral("--day"), QStringLiteral("15/06/2009"), QStringLiteral("--text")}
            << 1 << "ne s'applique pas";
        QTest::newRow("a backup") << QStringList{QStringLiteral("backup"), QStringLiteral("@/SAUVE.MDB")} << 1
                                  << "endommagé";
    }
    void damagedFileIsNeverLaundered()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        TestHome home;
        const QString year = demoYear(3000);
        QVERIFY(!damagePages(year, QStringLiteral("STOCK"), 2).isEmpty());
        const QByteArray before = FileDigest(year);
        arguments.insert(1, year);
        arguments.replaceInStrings(QStringLiteral("@"), home.path());
        const CliRun run = RunCli(arguments);
        QCOMPARE(run.code, code);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(FileDigest(year), before);
        QCOMPARE(FilesIn(home.databases()), QStringList{QStringLiteral("DOS1_2009.MDB")});
        QVERIFY(!QFileInfo::exists(home.path() + QStringLiteral("/SAUVE.MDB")));
    }

    void damagedFileOpensReadOnly()
    {
        TestHome home;
        const QString damaged = demoYear(3000);
        QVERIFY(!damagePages(damaged, QStringLiteral("STOCK"), 1).isEmpty());
        const QString sound = home.preparedFile(2, 2010);
        TestData db;
        QCOMPARE(
            db.OpenDatabaseFile(QString::fromLatin1(kAlias), damaged, false, false, QString::fromLatin1(kSchemaTag)),
            int(OpenOk));
        QVERIFY(!db.damage().isEmpty());
        QVERIFY(db.readOnly);
        QVERIFY(!QSqlQuery(db.database()).exec(QStringLiteral("update options set faita='X'")));
        QVERIFY(DamagedFileWarning(damaged, db.damage()).contains(QStringLiteral("lecture seule")));
        // The next, sound file is opened for writing again.
        QCOMPARE(db.OpenDatabaseFile(QString::fromLatin1(kAlias), sound, false, false, QString::fromLatin1(kSchemaTag)),
                 int(OpenOk));
        QVERIFY(db.damage().isEmpty());
        QVERIFY(!db.readOnly);
    }

    // The desktop program checks its first file while it builds its window; the opening takes that check
    // only for the same file, sound and unchanged since. Damage found by the check, or made after it began,
    // still opens the file read-only.
    void checkAheadNeverHidesDamage_data()
    {
        QTest::addColumn<bool>("damagedBefore");
        QTest::addColumn<bool>("damagedAfter");
        QTest::addColumn<bool>("aheadOnAnother");
        QTest::newRow("sound, checked ahead") << false << false << false;
        QTest::newRow("damaged, then checked ahead") << true << false << false;
        QTest::newRow("checked ahead, then damaged") << false << true << false;
        QTest::newRow("another file checked ahead") << true << false << true;
    }
    void checkAheadNeverHidesDamage()
    {
        QFETCH(bool, damagedBefore);
        QFETCH(bool, damagedAfter);
        QFETCH(bool, aheadOnAnother);
        TestHome home;
        const QString year = demoYear(3000);
        const QString other = home.preparedFile(2, 2010);
        if (damagedBefore)
            QVERIFY(!damagePages(year, QStringLiteral("STOCK"), 1).isEmpty());
        QuickCheckAhead ahead(aheadOnAnother ? other : year);
        if (damagedAfter) {
            QThread::msleep(300); // the check of a small file has ended: it found the file sound
            QVERIFY(!damagePages(year, QStringLiteral("STOCK"), 1).isEmpty());
        }
        TestData db;
        QCOMPARE(db.OpenDatabaseFile(QString::fromLatin1(kAlias), year, false, false, QString::fromLatin1(kSchemaTag)),
                 int(OpenOk));
        const bool damaged = damagedBefore || damagedAfter;
        QCOMPARE(!db.damage().isEmpty(), damaged);
        QCOMPARE(db.readOnly, damaged);
    }

    // What a damaged page did not take is brought back into a new file: every readable movement, unchanged.
    void recoverKeepsTheReadableMovements()
    {
        TestHome home;
        const QString year = demoYear(6000);
        const QString pristine = home.path() + QStringLiteral("/pristine.MDB");
        QVERIFY(QFile::copy(year, pristine));
        const qint64 movements = count(year, QStringLiteral("select count(*) from STOCK"));
        const QList<int> damaged = damagePages(year, QStringLiteral("STOCK"), 3);
        QCOMPARE(damaged.size(), 3);
        const QString target = home.path() + QStringLiteral("/SAUVE_2009.MDB");
        const CliRun run = RunCli({QStringLiteral("recover"), year, QStringLiteral("--out"), target});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(QStringLiteral("STOCK : ")), qPrintable(run.out));

        const qint64 kept = count(target, QStringLiteral("select count(*) from STOCK"));
        // A leaf page holds at most a few hundred movements: three of them are all that can be lost.
        QVERIFY2(kept < movements && kept > movements - 3 * 400, qPrintable(QString::number(kept)));
        QVERIFY2(
            run.out.contains(QStringLiteral("STOCK : %1 lignes gardées, %2 perdues").arg(kept).arg(movements - kept)),
            qPrintable(run.out));
        // Each movement kept is the one of the sound file, and the rest of the year came back whole.
        const QString same = QStringLiteral("select count(*) from STOCK s join p.STOCK o on o.NUM_MVT=s.NUM_MVT and "
                                            "o.CODE_ART=s.CODE_ART and o.NAT_OP=s.NAT_OP and o.DATE_OP=s.DATE_OP and "
                                            "o.QUANTITE=s.QUANTITE and o.PU=s.PU");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("compare"));
            db.setDatabaseName(target);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("attach database '%1' as p").arg(pristine)));
            QVERIFY(q.exec(same) && q.next());
            QCOMPARE(q.value(0).toLongLong(), kept);
            for (const QString &table : {QStringLiteral("ARTICLES"), QStringLiteral("fournisseur"),
                                         QStringLiteral("options"), QStringLiteral("menu_effect")}) {
                QVERIFY(
                    q.exec(QStringLiteral("select (select count(*) from %1), (select count(*) from p.%1)").arg(table))
                    && q.next());
                QCOMPARE(q.value(0).toLongLong(), q.value(1).toLongLong());
            }
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("compare"));
        // The new file opens as a sound management file; the damaged one was only read.
        const CliRun info = RunCli(
            {QStringLiteral("sheet"), target, QStringLiteral("--day"), QStringLiteral("15/06/2009")});
        QCOMPARE(info.code, 0);
        QVERIFY(RunCli({QStringLiteral("recover"), year, QStringLiteral("--out"), target})
                    .err.contains(QStringLiteral("existe déjà")));
    }

    // The desktop holds a lock on the file it shows: nothing replaces or converts that file meanwhile.
    void lockedFileIsNeverReplaced()
    {
        TestHome home;
        const QString year = demoYear(400);
        const QString copy = home.path() + QStringLiteral("/usb/DOS1_2009.MDB");
        QVERIFY(QDir().mkpath(QFileInfo(copy).absolutePath()));
        QVERIFY(QFile::copy(year, copy));
        TestData desktop;
        desktop.holdsLock = true;
        QCOMPARE(
            desktop.OpenDatabaseFile(QString::fromLatin1(kAlias), year, false, false, QString::fromLatin1(kSchemaTag)),
            int(OpenOk));
        const QByteArray before = FileDigest(year);
        const QList<QStringList> commands = {
            {QStringLiteral("restore"), copy},
            {QStringLiteral("new-year"), copy, QStringLiteral("--year"), QStringLiteral("2010"),
             QStringLiteral("--out"), year, QStringLiteral("--force")},
            {QStringLiteral("backup"), copy, year, QStringLiteral("--force")},
        };
        for (const QStringList &command : commands) {
            const CliRun run = runCliProcess(command);
            QCOMPARE(run.code, 1);
            QVERIFY2(run.err.contains(QStringLiteral("est ouvert par le programme")), qPrintable(run.err));
            QCOMPARE(FileDigest(year), before);
        }
        // A second program cannot open it for writing either; once the first closes it, it can.
        TestData second;
        second.holdsLock = true;
        QCOMPARE(second.OpenDatabaseFile(QString::fromLatin1(kAlias) + QStringLiteral("2"), year, false, false,
                                         QString::fromLatin1(kSchemaTag)),
                 int(OpenLocked));
        desktop.closeSession();
        QVERIFY(!QFileInfo::exists(LockFilePath(year)));
        QCOMPARE(runCliProcess({QStringLiteral("backup"), copy, year, QStringLiteral("--force")}).code, 0);
    }

    // Work files carry a name only this program makes; the stale ones are removed from any folder written
    // into, and the user's own files that look alike are kept.
    void workFilesOfDeadRunsRemovedWhereverWritten()
    {
        TestHome home;
        const QString year = demoYear(400);
        const QString folder = home.path() + QStringLiteral("/exports");
        QVERIFY(QDir().mkpath(folder));
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        const QString dead = QString::number(gone.processId());
        QVERIFY(gone.waitForFinished());
        const QStringList stale = {QStringLiteral("feuille.pdf.zelvane-%1.part").arg(dead),
                                   QStringLiteral("SAUVE.MDB.zelvane-%1.part").arg(dead),
                                   QStringLiteral("SAUVE.MDB.zelvane-%1.part-journal").arg(dead)};
        const QStringList users = {QStringLiteral("Inventaire annuel.2024.part"), QStringLiteral("notes.part")};
        for (const QString &name : stale + users) {
            QFile file(folder + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(RunCli({QStringLiteral("print"), year, QStringLiteral("--doc"), QStringLiteral("3"),
                         QStringLiteral("--day"), QStringLiteral("15/06/2009"), QStringLiteral("--pdf"),
                         folder + QStringLiteral("/autre.pdf")})
                     .code,
                 0);
        QStringList expected = users + QStringList{QStringLiteral("autre.pdf")};
        expected.sort();
        QCOMPARE(FilesIn(folder), expected);
        QVERIFY(IsWorkFileName(QStringLiteral("DOS1_2009.MDB.zelvane-12.part")));
        QVERIFY(IsWorkFileName(QStringLiteral("FCNEW_zelvane-12.part")));
        QVERIFY(!IsWorkFileName(QStringLiteral("Inventaire annuel.2024.part")));
        QVERIFY(!IsWorkFileName(QStringLiteral("FCNEW_12.part")));
    }

    // Another program writing the file makes a reader wait, not fail with a false reason.
    void busyFileIsWaitedFor()
    {
        TestHome home;
        const QString year = demoYear(400);
        sqlite3 *writer = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(year).constData(), &writer), SQLITE_OK);
        QCOMPARE(sqlite3_exec(writer, "begin exclusive; update options set faita='ANNABA'", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        QThread *release = QThread::create([writer] {
            QThread::msleep(1500);
            sqlite3_exec(writer, "commit", nullptr, nullptr, nullptr);
        });
        release->start();
        const CliRun run = RunCli({QStringLiteral("backup"), year, home.path() + QStringLiteral("/SAUVE.MDB")});
        release->wait();
        delete release;
        sqlite3_close(writer);
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(
            count(home.path() + QStringLiteral("/SAUVE.MDB"), QStringLiteral("select faita='ANNABA' from options")), 1);
    }

    // Texts given on the command line: only regular files, of a sensible size, in UTF-8 or Windows-1252.
    void textFilesRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("a pipe") << "fifo"
                                << "n'est pas un fichier";
        QTest::newRow("an endless device") << "/dev/zero"
                                           << "n'est pas un fichier";
        QTest::newRow("a huge file") << "huge"
                                     << "trop grand";
    }
    void textFilesRead()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        TestHome home;
        QString path = kind;
        if (kind == QLatin1String("fifo")) {
            path = home.path() + QStringLiteral("/menus.txt");
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("huge")) {
            path = home.path() + QStringLiteral("/menus.txt");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(64 << 20));
        }
        const QString year = demoYear(400);
        const CliRun run = RunCli({QStringLiteral("print"), year, QStringLiteral("--doc"), QStringLiteral("17"),
                                   QStringLiteral("--model"), QStringLiteral("2"), QStringLiteral("--menu-texts"), path,
                                   QStringLiteral("--out"), home.path() + QStringLiteral("/menu.docx")});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(DecodeText("caf\xc3\xa9"), QStringLiteral("café"));
        QCOMPARE(DecodeText("caf\xe9 \x80 l\x92\x9c"), QStringLiteral("café € l’œ"));
    }

    // Inputs the commands used to take silently.
    void badInputRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("an option twice") << QStringList{QStringLiteral("sheet"), QStringLiteral("@Y"),
                                                        QStringLiteral("--day"), QStringLiteral("01/02/2009"),
                                                        QStringLiteral("--day"), QStringLiteral("02/02/2009")}
                                         << "--day is given twice";
        QTest::newRow("a period that ends before it starts")
            << QStringList{QStringLiteral("print"), QStringLiteral("@Y"),         QStringLiteral("--doc"),
                           QStringLiteral("13"),    QStringLiteral("--from"),     QStringLiteral("10/03/2009"),
                           QStringLiteral("--to"),  QStringLiteral("01/03/2009"), QStringLiteral("--text")}
            << "after it ends";
        QTest::newRow("a period outside the year")
            << QStringList{QStringLiteral("print"), QStringLiteral("@Y"),     QStringLiteral("--doc"),
                           QStringLiteral("13"),    QStringLiteral("--from"), QStringLiteral("01/12/2008"),
                           QStringLiteral("--text")}
            << "outside the management year";
        QTest::newRow("restore into an empty home")
            << QStringList{QStringLiteral("restore"), QStringLiteral("@Y"), QStringLiteral("--home"), QString()}
            << "--home needs a folder";
        QTest::newRow("a backup named with a second dot")
            << QStringList{QStringLiteral("backup"), QStringLiteral("@Y"), QStringLiteral("@H/SAUVE.2009.MDB")}
            << "un seul point";
        QTest::newRow("a new year named with a second dot")
            << QStringList{QStringLiteral("new-year"), QStringLiteral("@Y"),    QStringLiteral("--year"),
                           QStringLiteral("2010"),     QStringLiteral("--out"), QStringLiteral("@H/DOS1.2010.MDB")}
            << "un seul point";
        QTest::newRow("the working copy's name")
            << QStringList{QStringLiteral("prepare"),   QStringLiteral("--kind"), QStringLiteral("2"),
                           QStringLiteral("--year"),    QStringLiteral("2011"),   QStringLiteral("--name"),
                           QStringLiteral("FCTEMP.MDB")}
            << "copie de travail";
    }
    void badInputRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        TestHome home;
        const QString year = demoYear(400);
        arguments.replaceInStrings(QStringLiteral("@Y"), year);
        arguments.replaceInStrings(QStringLiteral("@H"), home.path());
        const QStringList before = FilesIn(home.path()) + FilesIn(home.databases());
        const CliRun run = RunCli(arguments);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(FilesIn(home.path()) + FilesIn(home.databases()), before);
    }

    // The monthly statement prints the row it stores: when the row cannot be written, nothing is printed.
    void monthlyStatementNeedsItsStoredRow()
    {
        TestHome home;
        const QString year = demoYear(400);
        // Another program holds the file for writing longer than the command waits.
        sqlite3 *writer = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(year).constData(), &writer), SQLITE_OK);
        QCOMPARE(sqlite3_exec(writer, "begin immediate; update options set faita='ANNABA'", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        const QString pdf = home.path() + QStringLiteral("/etat.pdf");
        const CliRun run = RunCli({QStringLiteral("print"), year, QStringLiteral("--doc"), QStringLiteral("14"),
                                   QStringLiteral("--day"), QStringLiteral("15/06/2009"), QStringLiteral("--pdf"),
                                   pdf});
        sqlite3_exec(writer, "rollback", nullptr, nullptr, nullptr);
        sqlite3_close(writer);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("n'ont pas pu être enregistrés")), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(RunCli({QStringLiteral("print"), year, QStringLiteral("--doc"), QStringLiteral("14"),
                         QStringLiteral("--day"), QStringLiteral("15/06/2009"), QStringLiteral("--pdf"), pdf})
                     .code,
                 0);
    }
};

QTEST_MAIN(TestFileSafety)
#include "test_file_safety.moc"
