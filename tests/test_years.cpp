#include "OlderFiles.h"
#include "StoreFixture.h"
#include "TestHome.h"
#include "common/Profile.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/NewFile.h"
#include "years/BackupRestore.h"
#include "years/NewYear.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

namespace {

// One opening and closing stock of an article, the movements between them given as
// "nature quantity price" texts.
struct ArticleYear
{
    QVariant qt31dec;
    QVariant pu31dec;
    QStringList movements;
};

} // namespace

Q_DECLARE_METATYPE(ArticleYear)

// The year's files: the new management year, backup and restore.
class TestYears : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter answers;

    // A prepared 2009 file opened as the program opens it, with a few rows in every table of the year.
    std::unique_ptr<Tfdb> openYear(const QString &name = QStringLiteral("DOS1_2009.MDB"))
    {
        const QString path = home->preparedFile(2, 2009, name);
        auto db = std::make_unique<TestData>();
        if (db->OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false, QString::fromLatin1(kSchemaTag))
            != OpenOk)
            return nullptr;
        db->LoadOptions();
        db->CurrentFile = path;
        StoreFixture(db->database())
            .noArticles()
            .article(1, "SUCRE", 90, 10, 5.0)
            .usualSuppliers()
            .movement(1, 1, 10, "2009-03-10", 20, 6);
        const QSqlDatabase d = db->database();
        ExecSql(d, "insert into etat_mensuel (mois, dep_mois) values (3, 100)");
        ExecSql(d, "insert into factures (code_four, num_facture) values (1, 7)");
        ExecSql(d, "insert into menu_menu (date_menu, menu1) values ('2009-03-10', 'Soupe')");
        ExecSql(d, "insert into menu_effect (date_menu, code_categ, m2) values ('2009-03-10', 1, 40)");
        ExecSql(d, "insert into menu_liste (date_menu, code_categ, num_ord, nom) values ('2009-03-10', 6, 1, 'A')");
        ExecSql(d, "insert into menu_liste_defaut (code_categ, num_ord, nom) values (6, 1, 'A')");
        ExecSql(d, QString::fromLatin1(kCreateUsersTable));
        ExecSql(d, "insert into users values ('chef', 'secret', 'B')");
        return db;
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

    void carryForward_data()
    {
        QTest::addColumn<ArticleYear>("year");
        QTest::addColumn<double>("qt");
        QTest::addColumn<double>("pu");
        QTest::addColumn<double>("val");
        QTest::newRow("entry and exit at their own prices")
            << ArticleYear{10.0, 5.0, {"10 20 6", "22 25 5.5"}} << 5.0 << 6.5 << 32.5;
        QTest::newRow("no opening quantity, no movement")
            << ArticleYear{QVariant(), QVariant(), {}} << 0.0 << 0.0 << 0.0;
        QTest::newRow("no opening price") << ArticleYear{4.0, QVariant(), {"10 6 10"}} << 10.0 << 6.0 << 60.0;
        QTest::newRow("stock fallen to zero keeps no value")
            << ArticleYear{10.0, 5.0, {"10 0.1 3", "10 0.2 3", "24 10.3 7"}} << 0.0 << 0.0 << 0.0;
        QTest::newRow("every exit nature counts")
            << ArticleYear{10.0, 2.0, {"20 1 2", "21 1 2", "23 1 2", "24 1 2"}} << 6.0 << 2.0 << 12.0;
    }
    void carryForward()
    {
        QFETCH(ArticleYear, year);
        QFETCH(double, qt);
        QFETCH(double, pu);
        QFETCH(double, val);
        auto db = openYear();
        QVERIFY(db);
        const QSqlDatabase d = db->database();
        ExecSql(d, "delete from stock");
        QSqlQuery article(d);
        article.prepare("update articles set qt31dec=?, pu31dec=?, val31dec=null where code_art=1");
        article.addBindValue(year.qt31dec);
        article.addBindValue(year.pu31dec);
        QVERIFY(article.exec());
        int number = 100;
        for (const QString &m : std::as_const(year.movements)) {
            const QStringList p = m.split(' ');
            ExecSql(d, QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu) values "
                                      "(%1, 1, %2, '2009-05-02', %3, %4)")
                           .arg(++number)
                           .arg(p[0], p[1], p[2]));
        }
        const QString target = home->databases() + "/DOS1_2010.MDB";
        const NewYearResult made = MakeNewYearFile(d, 2010, target);
        QVERIFY2(made.ok(), qPrintable(made.error));
        const auto next = std::make_unique<TestData>();
        QCOMPARE(next->OpenDatabaseFile("NEXT", target, false, false, QString::fromLatin1(kSchemaTag)), int(OpenOk));
        QSqlQuery row(next->database());
        QVERIFY(row.exec("select qt31dec, pu31dec, val31dec from articles where code_art=1") && row.next());
        QCOMPARE(row.value(0).toDouble(), qt);
        QCOMPARE(row.value(1).toDouble(), pu);
        QCOMPARE(row.value(2).toDouble(), val);
    }

    void newYearEmptiesTheYearAndKeepsTheRest()
    {
        auto db = openYear();
        QVERIFY(db);
        const QString old = db->CurrentFile;
        const QByteArray before = FileDigest(old);
        const QString target = home->databases() + "/DOS1_2010.MDB";
        QVERIFY(MakeNewYearFile(db->database(), 2010, target).ok());
        QCOMPARE(FileDigest(old), before);
        QCOMPARE(FilesIn(home->databases()), (QStringList{"DOS1_2009.MDB", "DOS1_2010.MDB"})); // no work file left
        TestData next;
        QCOMPARE(next.OpenDatabaseFile("NEXT", target, false, false, QString::fromLatin1(kSchemaTag)), int(OpenOk));
        next.LoadOptions();
        QCOMPARE(next.gestion, 2010);
        QCOMPARE(next.organisme, 2);
        const QSqlDatabase d = next.database();
        for (const char *table : {"stock", "etat_mensuel", "factures", "menu_effect", "menu_menu", "menu_liste"})
            QVERIFY2(ScalarSql(d, QStringLiteral("select count(*) from ") + table).toInt() == 0, table);
        for (const char *table : {"articles", "fournisseur", "categories", "users", "menu_liste_defaut"})
            QVERIFY2(ScalarSql(d, QStringLiteral("select count(*) from ") + table).toInt() > 0, table);
    }

    void failedNewYearLeavesNothing()
    {
        auto db = openYear();
        QVERIFY(db);
        // A statement that fails halfway, after the stock was carried forward.
        ExecSql(db->database(), "create trigger full before delete on factures begin select raise(abort, 'disque "
                                "plein'); end");
        const QByteArray before = FileDigest(db->CurrentFile);
        const QString existing = home->preparedFile(1, 2010, "DOS1_2010.MDB");
        const QByteArray existingBefore = FileDigest(existing);
        const NewYearResult made = MakeNewYearFile(db->database(), 2010, existing);
        QVERIFY(!made.ok());
        QVERIFY2(made.error.contains("disque plein"), qPrintable(made.error));
        QCOMPARE(FileDigest(db->CurrentFile), before);
        QCOMPARE(FileDigest(existing), existingBefore);
        QCOMPARE(FilesIn(home->databases()), (QStringList{"DOS1_2009.MDB", "DOS1_2010.MDB"}));
        // The open file itself is never the target.
        QVERIFY(!MakeNewYearFile(db->database(), 2010, db->CurrentFile).ok());
        QCOMPARE(FileDigest(db->CurrentFile), before);
    }

    void proposedNames_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("year in the name") << "DOS1_2009.MDB" << QStringList() << "DOS1_2010.MDB";
        QTest::newRow("year in the name, file exists")
            << "DOS1_2009.MDB" << QStringList{"DOS1_2010.MDB"} << "DOS1_2010.MDB";
        QTest::newRow("every occurrence") << "C2009_2009.MDB" << QStringList() << "C2010_2010.MDB";
        QTest::newRow("no year") << "STOCK.MDB" << QStringList() << "DOS1_2010.MDB";
        QTest::newRow("no year, first taken") << "STOCK.MDB" << QStringList{"DOS1_2010.MDB"} << "DOS2_2010.MDB";
    }
    void proposedNames()
    {
        QFETCH(QString, current);
        QFETCH(QStringList, existing);
        QFETCH(QString, proposed);
        for (const QString &name : existing)
            QFile(home->databases() + '/' + name).open(QIODevice::WriteOnly);
        QCOMPARE(ProposedNewYearFile(home->databases() + '/' + current, 2009, "2010"),
                 home->databases() + '/' + proposed);
    }

    void newYearQuestions()
    {
        auto db = openYear();
        QVERIFY(db);
        const QString target = home->databases() + "/DOS1_2010.MDB";
        // Cancelled, then a year that is not after the current one: said, nothing asked further, nothing made.
        QVERIFY(AskNewManagementYear(*db).isEmpty());
        answers.inputs = {QString("2009"), QString("deux mille")};
        QVERIFY(AskNewManagementYear(*db).isEmpty());
        QVERIFY(AskNewManagementYear(*db).isEmpty());
        QCOMPARE(answers.asked, (QStringList{"input", "input", "message", "input", "message"}));
        QCOMPARE(answers.messages.first(),
                 "« 2009 » n'est pas une année après la gestion ouverte (2009) : tapez par exemple 2010.");
        QCOMPARE(answers.messages.last(),
                 "« deux mille » n'est pas une année après la gestion ouverte (2009) : tapez par exemple 2010.");
        QCOMPARE(answers.questions.first(), "Confirmez la création de la nouvelle gestion");
        QCOMPARE(answers.questionCaptions.first(), "Nouvelle Gestion");

        // The overwrite question, declined.
        QFile(target).open(QIODevice::WriteOnly);
        answers = ScriptedPrompter();
        answers.inputs = {QString("2010")};
        answers.savedFiles = {target};
        QVERIFY(AskNewManagementYear(*db).isEmpty());
        QCOMPARE(answers.lastFolder, home->databases());
        QCOMPARE(answers.lastProposedName, "DOS1_2010.MDB");
        QCOMPARE(answers.questions.last(), "Le fichier " + target + " existe déjà.\n Voulez vous l'écraser ?");
        QCOMPARE(QFileInfo(target).size(), 0);

        // Accepted.
        answers.inputs = {QString("2010")};
        answers.savedFiles = {target};
        answers.confirmations = {true};
        QCOMPARE(AskNewManagementYear(*db), target);
        QCOMPARE(CheckManagementFile(target).tag, QString::fromLatin1(kSchemaTag));

        // The open file as the target: refused, said.
        answers.inputs = {QString("2011")};
        answers.savedFiles = {db->CurrentFile};
        answers.confirmations = {true};
        QVERIFY(AskNewManagementYear(*db).isEmpty());
        QVERIFY(answers.messages.last().contains("ne peut pas être remplacé"));
    }

    void backupIsAConsistentCopy()
    {
        auto db = openYear();
        QVERIFY(db);
        const QString out = home->path() + "/usb/SAUVE.MDB";
        QDir().mkpath(home->path() + "/usb");
        // A write in progress on another connection is not in the copy; what was committed is.
        QSqlDatabase writer = QSqlDatabase::addDatabase("QSQLITE", "writer");
        writer.setDatabaseName(db->CurrentFile);
        QVERIFY(writer.open());
        ExecSql(writer, "begin");
        ExecSql(writer, "insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu) values "
                        "(2, 1, 22, '2009-03-11', 1, 6)");
        answers.savedFiles = {out, db->CurrentFile};
        SaveOpenDatabase(*db);
        ExecSql(writer, "rollback");
        writer.close();
        writer = QSqlDatabase();
        QSqlDatabase::removeDatabase("writer");
        QCOMPARE(answers.messages, QStringList{"La base de données a été sauvegardée dans " + out + "."});
        QCOMPARE(CheckManagementFile(out).tag, QString::fromLatin1(kSchemaTag));
        QCOMPARE(FilesIn(home->path() + "/usb"), QStringList{"SAUVE.MDB"});
        TestData copy;
        QCOMPARE(copy.OpenDatabaseFile("COPY", out, false, false, QString::fromLatin1(kSchemaTag)), int(OpenOk));
        QCOMPARE(ScalarSql(copy.database(), "select group_concat(num_mvt) from stock").toString(), "1");
        copy.closeSession();
        // To the open file itself: nothing written, and said.
        const QByteArray before = FileDigest(db->CurrentFile);
        SaveOpenDatabase(*db);
        QCOMPARE(FileDigest(db->CurrentFile), before);
        QCOMPARE(answers.messages.last(), db->CurrentFile
                                              + " est le fichier ouvert : une sauvegarde doit aller dans un autre "
                                                "fichier. Rien n'a été écrit.");
    }

    // The backup proposes a dated name in the user's documents, or beside the open file when there are none.
    void backupProposesADatedNameInTheDocuments()
    {
        auto db = openYear();
        QVERIFY(db);
        const QByteArray home0 = qgetenv("HOME");
        qputenv("HOME", home->path().toUtf8());
        const QString expected = "DOS1_2009_sauvegarde_" + QDate::currentDate().toString("dd-MM-yyyy") + ".MDB";
        SaveOpenDatabase(*db);
        QCOMPARE(answers.lastFolder, home->databases());
        QDir().mkpath(home->path() + "/Documents");
        SaveOpenDatabase(*db);
        qputenv("HOME", home0);
        QCOMPARE(answers.lastFolder, home->path() + "/Documents");
        QCOMPARE(answers.lastProposedName, expected);
        QCOMPARE(ProposedBackupPath("/x/DOS2_2010.MDB", QDate(2010, 3, 7)).section('/', -1),
                 "DOS2_2010_sauvegarde_07-03-2010.MDB");
    }

    // Whenever a management file is written over, the file replaced is kept as NAME.bak.N.
    void replacedYearFileIsKept_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("new year over an existing file") << "new-year";
        QTest::newRow("backup over an existing file") << "backup";
        QTest::newRow("prepared file over an existing one") << "prepare";
        QTest::newRow("restore of another name over its year") << "restore";
    }
    void replacedYearFileIsKept()
    {
        QFETCH(QString, how);
        auto db = openYear();
        QVERIFY(db);
        const QString usb = home->path() + "/usb";
        QDir().mkpath(usb);
        QString target = home->databases() + "/DOS1_2010.MDB";
        QString error;
        if (how == "restore") {
            target = db->CurrentFile;
            db->closeSession();
        } else {
            MakeDatabase(target, {"create table notes (t text)", "insert into notes values ('garder')"});
        }
        const QByteArray before = FileDigest(target);
        QString kept;
        if (how == "new-year") {
            const NewYearResult made = MakeNewYearFile(db->database(), 2010, target);
            QVERIFY2(made.ok(), qPrintable(made.error));
            kept = made.replaced;
        } else if (how == "backup") {
            answers.savedFiles = {target};
            SaveOpenDatabase(*db);
            kept = target + ".bak.1";
            QVERIFY(answers.messages.last().endsWith("Le fichier remplacé est conservé sous " + kept + "."));
        } else if (how == "prepare") {
            TestData other;
            const NewFileResult made = CreateManagementFile(other,
                                                            {home->databases(), "DOS1_2010.MDB", 2, "2010", true, {}});
            QVERIFY2(made.ok(), qPrintable(made.error));
            kept = made.replaced;
        } else {
            const QString chosen = usb + "/SAUVE.MDB";
            QVERIFY(BackupDatabaseFile(target, chosen, &error));
            MakeDatabase(chosen, {"insert into stock (num_mvt, code_art, nat_op) values (99, 1, 10)"});
            const RestoreResult restored = RestoreFileInto(chosen, home->databases());
            QVERIFY2(restored.ok(), qPrintable(restored.error));
            QCOMPARE(restored.target, target);
            kept = restored.replaced;
        }
        QCOMPARE(kept, target + ".bak.1");
        QCOMPARE(FileDigest(kept), before);
        QCOMPARE(CheckManagementFile(target).tag, QString::fromLatin1(kSchemaTag));
    }

    // A backup named otherwise is restored as its year's file: over the file of the same year and
    // establishment kind, or under the year's first free name, so that the archive and the year
    // navigation find it.
    void restoreOfAnotherNameFindsItsYear_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("same year and kind")
            << 2 << 2009 << "DOS1_2009.MDB" << QStringList{"DOS1_2009.MDB", "DOS1_2009.MDB.bak.1"};
        QTest::newRow("same year, other kind")
            << 3 << 2009 << "DOS2_2009.MDB" << QStringList{"DOS1_2009.MDB", "DOS2_2009.MDB"};
        QTest::newRow("a year without file")
            << 2 << 2012 << "DOS1_2012.MDB" << QStringList{"DOS1_2009.MDB", "DOS1_2012.MDB"};
    }
    void restoreOfAnotherNameFindsItsYear()
    {
        QFETCH(int, kind);
        QFETCH(int, year);
        QFETCH(QString, target);
        QFETCH(QStringList, files);
        home->preparedFile(2, 2009, "DOS1_2009.MDB");
        const QString usb = home->path() + "/usb";
        QDir().mkpath(usb);
        const QString chosen = usb + "/ma sauvegarde.mdb";
        QString error;
        QVERIFY(BackupDatabaseFile(home->preparedFile(kind, year, "PREPARED.MDB"), chosen, &error));
        QFile::remove(home->databases() + "/PREPARED.MDB");
        QCOMPARE(RestoreTargetFor(chosen, home->databases()), home->databases() + "/" + target);
        const RestoreResult restored = RestoreFileInto(chosen, home->databases());
        QVERIFY2(restored.ok(), qPrintable(restored.error));
        QCOMPARE(restored.target, home->databases() + "/" + target);
        QCOMPARE(FilesIn(home->databases()), files);
        QCOMPARE(RowsOf(restored.target, "select organisme, gestion from options"),
                 QStringList{QString("%1|%2").arg(kind).arg(year)});
    }

    // The working copy's name, deleted at every start, never names a management file.
    void workingCopyNameRefused_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("prepare") << "prepare";
        QTest::newRow("new year") << "new-year";
        QTest::newRow("restore of a file without year") << "restore";
    }
    void workingCopyNameRefused()
    {
        QFETCH(QString, how);
        const QString refusal = "Le nom FCTEMP.MDB est réservé à la copie de travail d'un nouveau dossier, effacée "
                                "à chaque démarrage : choisissez un autre nom.";
        QString error;
        if (how == "prepare") {
            TestData other;
            error = CreateManagementFile(other, {home->databases(), "fctemp.mdb", 2, "2010", false, {}}).error;
        } else if (how == "new-year") {
            auto db = openYear();
            QVERIFY(db);
            error = MakeNewYearFile(db->database(), 2010, home->databases() + "/FCTEMP.MDB").error;
        } else {
            const QString usb = home->path() + "/usb";
            QDir().mkpath(usb);
            QVERIFY(QFile::copy(home->templateCopy("T.MDB"), usb + "/FCTEMP.MDB"));
            error = RestoreFileInto(usb + "/FCTEMP.MDB", home->databases()).error;
        }
        QVERIFY2(error.endsWith(refusal), qPrintable(error));
        QVERIFY(!QFile::exists(home->databases() + "/FCTEMP.MDB"));
    }

    void priorityGuardsBackupAndRestore()
    {
        auto db = openYear();
        QVERIFY(db);
        db->CurrentPriority = "C";
        SaveOpenDatabase(*db);
        QVERIFY(ChooseFileToRestore(*db).isEmpty());
        QCOMPARE(answers.asked, QStringList(2, "message")); // no dialog
        QCOMPARE(answers.messageCaptions, QStringList(2, "User"));
        QVERIFY(answers.messages.first().contains("Priorité insuffisante"));
    }

    void restoreRefusesABadFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");
        QTest::newRow("text file") << "text"
                                   << "fichier d'un autre programme";
        QTest::newRow("damaged database") << "damaged"
                                          << "endommagé";
        QTest::newRow("another program's database") << "foreign"
                                                    << "aucune version";
        QTest::newRow("unknown version") << "unknown"
                                         << "ZELVANE-2001-01-01";
    }
    void restoreRefusesABadFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        auto db = openYear();
        QVERIFY(db);
        const QString usb = home->path() + "/usb";
        QDir().mkpath(usb);
        // The same name as the open file: the one a wrong choice would destroy.
        const QString chosen = usb + "/DOS1_2009.MDB";
        if (kind == "text") {
            QFile f(chosen);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, 'x'));
        } else if (kind == "damaged") {
            QString why;
            QVERIFY(BackupDatabaseFile(db->CurrentFile, chosen, &why));
            // The pages of the movements, not those of the schema, whose damage is told otherwise.
            const int page = RowsOf(chosen, "pragma page_size").value(0).toInt();
            const int root = RowsOf(chosen, "select rootpage from sqlite_master where name='STOCK'").value(0).toInt();
            QVERIFY(page > 0 && root > 1);
            QFile f(chosen);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(qint64(root - 1) * page);
            f.write(QByteArray(page, '\xff'));
        } else if (kind == "foreign") {
            MakeDatabase(chosen, {"create table notes (t text)"});
        } else {
            MakeDatabase(chosen,
                         {"create table version (version text)", "insert into version values ('ZELVANE-2001-01-01')"});
        }
        const QByteArray before = FileDigest(db->CurrentFile);
        answers.files = {chosen};
        QVERIFY(ChooseFileToRestore(*db).isEmpty());
        QCOMPARE(answers.lastOpenTitle, QStringLiteral("Restaurer la base de données"));
        QVERIFY2(answers.messages.value(0).contains(error), qPrintable(answers.messages.value(0)));
        const RestoreResult restored = RestoreFileInto(chosen, home->databases());
        QVERIFY(!restored.ok());
        QCOMPARE(FileDigest(db->CurrentFile), before);
        QCOMPARE(FilesIn(home->databases()), QStringList{"DOS1_2009.MDB"});
    }

    void restoreKeepsTheReplacedFile()
    {
        auto db = openYear();
        QVERIFY(db);
        const QString usb = home->path() + "/usb";
        QDir().mkpath(usb);
        const QString chosen = usb + "/DOS1_2009.MDB";
        QString error;
        QVERIFY(BackupDatabaseFile(db->CurrentFile, chosen, &error));
        MakeDatabase(chosen, {"insert into stock (num_mvt, code_art, nat_op) values (99, 1, 10)"});
        const QByteArray replaced = FileDigest(db->CurrentFile);
        db->closeSession();
        for (int n = 1; n <= 2; ++n) {
            const RestoreResult restored = RestoreFileInto(chosen, home->databases());
            QVERIFY2(restored.ok(), qPrintable(restored.error));
            QCOMPARE(restored.target, home->databases() + "/DOS1_2009.MDB");
            QCOMPARE(restored.replaced, restored.target + ".bak." + QString::number(n));
            QCOMPARE(CheckManagementFile(restored.target).tag, QString::fromLatin1(kSchemaTag));
            TestData copy;
            QCOMPARE(copy.OpenDatabaseFile("COPY", restored.target, false, false, QString::fromLatin1(kSchemaTag)),
                     int(OpenOk));
            QCOMPARE(ScalarSql(copy.database(), "select count(*) from stock where num_mvt=99").toInt(), 1);
        }
        QCOMPARE(FileDigest(home->databases() + "/DOS1_2009.MDB.bak.1"), replaced);
        QCOMPARE(FilesIn(home->databases()),
                 (QStringList{"DOS1_2009.MDB", "DOS1_2009.MDB.bak.1", "DOS1_2009.MDB.bak.2"}));
    }
};

QTEST_GUILESS_MAIN(TestYears)
#include "test_years.moc"
