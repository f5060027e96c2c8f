#include "TestHome.h"
#include "app/ConnectionSequence.h"
#include "common/Profile.h"
#include "db/DataModule.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

namespace {

QString thisYear() { return QString::number(QDate::currentDate().year()); }

PreparationAnswer prepared(const QString &name, int kind = 2, const QString &year = thisYear())
{
    return {kind, year, name};
}

} // namespace

// The connection sequence, each scenario answered in advance.
class TestConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter answers;
    std::unique_ptr<ScriptedPreparationForm> forms;

    QString working() const { return home->databases() + QStringLiteral("/FCTEMP.MDB"); }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        answers = ScriptedPrompter();
        setPrompter(&answers);
        forms = std::make_unique<ScriptedPreparationForm>(&answers.asked);
    }
    void cleanup()
    {
        forms.reset();
        setPrompter(nullptr);
        home.reset();
    }

    void firstStartPreparesANewFile()
    {
        QFile::remove(home->databases()); // even the folder is missing
        QDir(home->databases()).removeRecursively();
        TestData db;
        ConnectionSequence sequence(db);
        const QString name = QStringLiteral("DOS1_%1.MDB").arg(thisYear());
        forms->preparations.push_back(prepared(name));
        QVERIFY(sequence.Action_connectExecute());
        QCOMPARE(answers.asked, QStringList{QStringLiteral("prepare")}); // no open dialog at first start
        QCOMPARE(forms->lastFolder, home->databases());
        QVERIFY(forms->lastKinds.size() >= 5);
        const QString file = home->databases() + QLatin1Char('/') + name;
        QCOMPARE(db.CurrentFile, file);
        QCOMPARE(Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName)), file);
        QVERIFY(!QFile::exists(working()));
        QVERIFY(QFile::exists(home->databases() + QStringLiteral("/Créer un nouveau Dossier.mdb")));
        QVERIFY(db.isConnected());
        QVERIFY(Stock(db).ListeDenrees()); // the sheet of the day exists
        QCOMPARE(db.organisme, 2);
        QCOMPARE(db.regime, 2);
        QCOMPARE(sequence.caption(), QStringLiteral("FEUILLE DE CONSOMMATION JOURNALIERE - VERSION 2.00 - ") + file);
        QVERIFY(Stock(db).db_ARTICLES->recordCount() >= 60);
        QVERIFY(Stock(db).db_STOCK->isFiltered()); // no movement shown until a day is chosen
    }

    void cancelledPreparation()
    {
        TestData db;
        ConnectionSequence sequence(db);
        QVERIFY(!sequence.Action_connectExecute());
        QVERIFY(!db.isConnected());
        QVERIFY(QFile::exists(working())); // until the next attempt deletes it
        QVERIFY(!sequence.lastFailure().isEmpty());
        QCOMPARE(sequence.connectTag, 1);
        // The next attempt shows the open dialog; cancelling it does not count as an attempt.
        QVERIFY(!sequence.Action_connectExecute());
        QCOMPARE(answers.asked.last(), QStringLiteral("file"));
        QCOMPARE(sequence.connectTag, 1);
        QVERIFY(!QFile::exists(working()));
    }

    void profileNamesAPreparedFile()
    {
        const QString file = home->preparedFile(1, 2009);
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), file);
        TestData db;
        ConnectionSequence sequence(db);
        QVERIFY(sequence.Action_connectExecute());
        QVERIFY(answers.asked.isEmpty());
        QCOMPARE(db.CurrentFile, file);
        QVERIFY(sequence.caption().endsWith(file));
        QCOMPARE(db.gestion, 2009);
        QCOMPARE(db.regime, 1);
    }

    void profileNamesADeletedFile()
    {
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName),
                             home->databases() + QStringLiteral("/GONE_2008.MDB"));
        TestData db;
        ConnectionSequence sequence(db);
        forms->preparations.push_back(prepared(QStringLiteral("CANTINE_2009.MDB"), 1, QStringLiteral("2009")));
        QVERIFY(sequence.Action_connectExecute());
        QCOMPARE(answers.asked, QStringList{QStringLiteral("prepare")});
        QCOMPARE(db.CurrentFile, home->databases() + QStringLiteral("/CANTINE_2009.MDB"));
    }

    void connectAfterDisconnectChoosingThePlaceholder()
    {
        const QString file = home->preparedFile(2, 2009);
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), file);
        TestData db;
        ConnectionSequence sequence(db);
        QVERIFY(sequence.Action_connectExecute());
        sequence.Action_disconnectExecute();
        QVERIFY(!db.isConnected());
        QCOMPARE(sequence.caption(), QStringLiteral("FEUILLE DE CONSOMMATION JOURNALIERE - VERSION 2.00"));
        sequence.Action_disconnectExecute(); // nothing connected: nothing happens

        answers.files.push_back(home->databases() + QStringLiteral("/Créer un nouveau Dossier.mdb"));
        forms->preparations.push_back(prepared(QStringLiteral("DOS2_2009.MDB"), 5, QStringLiteral("2009")));
        QVERIFY(sequence.Action_connectExecute());
        QCOMPARE(answers.asked, (QStringList{QStringLiteral("file"), QStringLiteral("prepare")}));
        QCOMPARE(answers.lastFolder, home->databases());
        QCOMPARE(db.organisme, 5);
        QCOMPARE(db.CurrentFile, home->databases() + QStringLiteral("/DOS2_2009.MDB"));
    }

    void overwriteQuestion()
    {
        const QString existing = home->preparedFile(1, 2010, QStringLiteral("DOS1_2010.MDB"));
        const QByteArray before = FileDigest(existing);
        const QString question = QStringLiteral(" Voulez vous écraser le fichier ") + existing + QStringLiteral(" ? ");
        {
            TestData db;
            ConnectionSequence sequence(db);
            forms->preparations.push_back(prepared(QStringLiteral("DOS1_2010.MDB"), 2, QStringLiteral("2010")));
            QVERIFY(!sequence.Action_connectExecute()); // declined (Cancel is the default)
            QCOMPARE(answers.questions, QStringList{question});
            QCOMPARE(FileDigest(existing), before);
        }
        TestData db;
        ConnectionSequence sequence(db);
        forms->preparations.push_back(prepared(QStringLiteral("DOS1_2010.MDB"), 2, QStringLiteral("2010")));
        answers.confirmations.push_back(true);
        QVERIFY(sequence.Action_connectExecute());
        QCOMPARE(db.organisme, 2);
        // The year written over is kept, and the user told where.
        QCOMPARE(FileDigest(existing + QStringLiteral(".bak.1")), before);
        QCOMPARE(answers.messages.last(),
                 QStringLiteral("Le fichier remplacé est conservé sous %1.bak.1.").arg(existing));
    }

    // The working copy's name is deleted at every start: no prepared file takes it.
    void workingCopyNameRefusedForAPreparedFile()
    {
        TestData db;
        ConnectionSequence sequence(db);
        forms->preparations.push_back(prepared(QStringLiteral("fctemp.mdb"), 2, QStringLiteral("2010")));
        QVERIFY(!sequence.Action_connectExecute());
        QCOMPARE(answers.messages,
                 QStringList{QStringLiteral("Le nom FCTEMP.MDB est réservé à la copie de travail d'un nouveau dossier, "
                                            "effacée à chaque démarrage : choisissez un autre nom.")});
        QVERIFY(!db.isConnected());
    }

    void fileOfAnUnknownVersionIsNotOpenedNorDamaged()
    {
        const QString file = home->preparedFile(2, 2009);
        {
            TestData setup;
            QCOMPARE(setup.OpenDatabaseFile(QString::fromLatin1(kAlias), file, false, false,
                                            QString::fromLatin1(kSchemaTag)),
                     int(OpenOk));
            QSqlQuery(setup.database()).exec(QStringLiteral("update version set version='ZELVANE-2001-01-01'"));
        }
        const QByteArray before = FileDigest(file);
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), file);
        TestData db;
        ConnectionSequence sequence(db);
        QVERIFY(!sequence.Action_connectExecute());
        QVERIFY(!db.isConnected());
        QCOMPARE(FileDigest(file), before);
        QVERIFY(sequence.lastFailure().contains(file));
    }

    void pendingFileWinsOverProfile()
    {
        const QString a = home->preparedFile(2, 2009), b = home->preparedFile(2, 2010);
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), a);
        TestData db;
        ConnectionSequence sequence(db);
        sequence.PendingDatabaseName = b;
        QVERIFY(sequence.Action_connectExecute());
        QCOMPARE(db.CurrentFile, b);
        QVERIFY(sequence.PendingDatabaseName.isEmpty());
        QCOMPARE(Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName)), b);
    }

    // A file named on the command line is opened for this run only, and never replaced by another one.
    void fileForThisRun_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("a prepared file") << true;
        QTest::newRow("a missing file") << false;
    }
    void fileForThisRun()
    {
        QFETCH(bool, exists);
        const QString byDefault = home->preparedFile(2, 2009);
        const QString named = exists ? home->preparedFile(2, 2010)
                                     : home->databases() + QStringLiteral("/GONE_2010.MDB");
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), byDefault);
        TestData db;
        ConnectionSequence sequence(db);
        sequence.openForThisRun(named);
        QCOMPARE(sequence.Action_connectExecute(), exists);
        QVERIFY(answers.asked.isEmpty()); // neither the default file nor a dialog instead
        QCOMPARE(db.CurrentFile, exists ? named : QString());
        QCOMPARE(sequence.lastFailure().contains(named), !exists);
        QCOMPARE(QFile::exists(named), exists); // a missing file is not created
        QCOMPARE(Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName)), byDefault);

        // The next file asked for by a command becomes the default again.
        sequence.Action_disconnectExecute();
        const QString next = home->preparedFile(2, 2011);
        sequence.PendingDatabaseName = next;
        QVERIFY(sequence.Action_connectExecute());
        QCOMPARE(Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName)), next);
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
