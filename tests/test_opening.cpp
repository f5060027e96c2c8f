#include "TestHome.h"
#include "common/Organisation.h"
#include "common/Paths.h"
#include "db/DataModule.h"
#include "db/Preparation.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

namespace {

QByteArray digest(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

int open(Tfdb &db, const QString &path, bool users = true)
{
    return db.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, users, QString::fromLatin1(kSchemaTag));
}

void exec(Tfdb &db, const QString &sql)
{
    QSqlQuery q(db.database());
    QVERIFY2(q.exec(sql), qPrintable(sql));
}

QVariant scalar(Tfdb &db, const QString &sql)
{
    QSqlQuery q(db.database());
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0);
}

} // namespace

class TestOpening : public QObject
{
    Q_OBJECT

private slots:
    void templateContents()
    {
        TestHome home;
        TestData db;
        QCOMPARE(open(db, home.templateCopy(), false), int(OpenOk));
        const QList<EstablishmentKind> kinds = db.establishmentKinds();
        QVERIFY(kinds.size() >= 5);
        for (const EstablishmentKind &kind : kinds) {
            QVERIFY(!kind.libelle.isEmpty() && !kind.ministere.isEmpty());
            QVERIFY2(scalar(db, QStringLiteral("select count(*) from articles_organisme_") + kind.code).toInt() >= 60,
                     qPrintable(kind.code));
            QCOMPARE(
                scalar(db, QStringLiteral("select group_concat(code_categ) from categories_organisme_") + kind.code)
                    .toString(),
                QStringLiteral("1,2,3,4,5,6,7"));
            QCOMPARE(scalar(db, QStringLiteral("select count(*) from articles_organisme_%1 where "
                                               "designation<>upper(designation) or length(designation)>50")
                                    .arg(kind.code))
                         .toInt(),
                     0);
        }
        QCOMPARE(scalar(db, QStringLiteral("select count(*) from options")).toInt(), 0);
        QCOMPARE(scalar(db, QStringLiteral("select count(*) from stock")).toInt(), 0);
        QCOMPARE(scalar(db, QStringLiteral("select version from version")).toString(), QString::fromLatin1(kSchemaTag));
        // Every dataset opened.
        for (Dataset *d : db.datasets())
            QVERIFY2(d->isActive(), qPrintable(d->tableName()));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("result");
        QTest::newRow("dot in the name") << "dotted" << int(OpenBadFileName);
        QTest::newRow("not a database") << "text" << int(OpenNotConnected);
        QTest::newRow("a folder") << "folder" << int(OpenNotConnected);
        QTest::newRow("missing") << "missing" << int(OpenNotConnected);
        QTest::newRow("older tag") << "older" << int(OpenOlderVersion);
        QTest::newRow("two version rows") << "tworows" << int(OpenOlderVersion);
        QTest::newRow("no version table") << "noversion" << int(OpenOlderVersion);
        QTest::newRow("foreign sqlite file") << "foreign" << int(OpenOlderVersion);
    }
    void refusedFiles()
    {
        QFETCH(QString, kind);
        QFETCH(int, result);
        TestHome home;
        ScriptedPrompter answers;
        setPrompter(&answers);
        QString path = home.databases() + QStringLiteral("/DOS1_2009.MDB");
        if (kind == QLatin1String("dotted")) {
            path = home.templateCopy(QStringLiteral("DOS1_2009.V2.MDB"));
        } else if (kind == QLatin1String("text")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Créer un nouveau Dossier.mdb\r\n");
        } else if (kind == QLatin1String("folder")) {
            QDir().mkpath(path);
        } else if (kind == QLatin1String("foreign")) {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QSqlQuery(other).exec(QStringLiteral("create table notes (t text)"));
            other.close();
            other = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
        } else if (kind != QLatin1String("missing")) {
            home.templateCopy(QStringLiteral("DOS1_2009.MDB"));
            TestData setup;
            QCOMPARE(open(setup, path, false), int(OpenOk));
            if (kind == QLatin1String("older"))
                exec(setup, QStringLiteral("update version set version='ZELVANE-2009-06-06'"));
            else if (kind == QLatin1String("tworows"))
                exec(setup, QStringLiteral("insert into version values ('ZELVANE-2009-07-26')"));
            else
                exec(setup, QStringLiteral("drop table version"));
            setup.closeSession();
        }
        const QByteArray before = digest(path);
        TestData db;
        QCOMPARE(open(db, path), result);
        QVERIFY(!db.isConnected());
        QCOMPARE(digest(path), before); // left untouched
        QCOMPARE(QFileInfo::exists(path), kind != QLatin1String("missing"));
        if (kind == QLatin1String("dotted"))
            QCOMPARE(answers.messages,
                     QStringList{QStringLiteral("Nom du fichier de base de données incorrecte\n") + path.toUpper()});
        setPrompter(nullptr);
    }

    void tagComparedTrimmedAndCaseInsensitive()
    {
        TestHome home;
        const QString path = home.templateCopy(QStringLiteral("DOS1_2009.MDB"));
        {
            TestData setup;
            QCOMPARE(open(setup, path, false), int(OpenOk));
            exec(setup, QStringLiteral("update version set version='  zelvane-2009-07-26 '"));
        }
        TestData db;
        QCOMPARE(open(db, path), int(OpenOk));
        // The users table is created when missing, and an empty one asks nothing.
        QCOMPARE(scalar(db, QStringLiteral("select count(*) from users")).toInt(), 0);
        QCOMPARE(db.CurrentPriority, QStringLiteral("A"));
    }

    void usersCheckRefusal()
    {
        TestHome home;
        TestData db;
        db.usersCheck = [](Tfdb &) { return false; };
        QCOMPARE(open(db, home.templateCopy()), int(OpenUserRefused));
        QVERIFY(!db.isConnected());
    }

    void brokenTablesReportedOnce()
    {
        TestHome home;
        ScriptedPrompter answers;
        setPrompter(&answers);
        const QString path = home.templateCopy(QStringLiteral("DOS1_2009.MDB"));
        {
            TestData setup;
            QCOMPARE(open(setup, path, false), int(OpenOk));
            exec(setup, QStringLiteral("drop table menu_liste"));
            exec(setup, QStringLiteral("drop table FACTURES"));
        }
        TestData db;
        QCOMPARE(open(db, path), int(OpenOk));
        QCOMPARE(answers.messages.size(), 1);
        QCOMPARE(answers.messages.first().count(QStringLiteral("\n------------")), 1);
        QVERIFY(answers.messages.first().contains(QStringLiteral("menu_liste")));
        QVERIFY(!Menus(db).db_menu_liste->isActive());
        QVERIFY(!Suppliers(db).db_FACTURES->isActive());
        QVERIFY(Stock(db).db_STOCK->isActive());
        setPrompter(nullptr);
    }

    void getQueryShowsTheEngineMessage()
    {
        TestHome home;
        ScriptedPrompter answers;
        setPrompter(&answers);
        TestData db;
        QCOMPARE(open(db, home.templateCopy()), int(OpenOk));
        auto query = db.GetQuery(QStringLiteral("select * from nowhere"));
        QVERIFY(!query);
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY(answers.messages.first().contains(QStringLiteral("nowhere")));
        QVERIFY(!db.Execute(QStringLiteral("drop table nowhere"))); // ignored, no message
        QCOMPARE(answers.messages.size(), 1);
        setPrompter(nullptr);
    }

    void loadOptions_data()
    {
        QTest::addColumn<QString>("setupSql");
        QTest::addColumn<int>("organisme");
        QTest::addColumn<int>("gestion");
        QTest::addColumn<QString>("langue");
        QTest::addColumn<int>("regime");
        QTest::addColumn<int>("storedRegime");
        const int thisYear = QDate::currentDate().year();
        QTest::newRow("no row") << "" << 0 << thisYear << "FR" << -1 << -2;
        QTest::newRow("kind 3 without regime column")
            << "drop table options;create table options (organisme int, gestion int, langue text, faita text);"
               "insert into options values (3,2009,'FR','Oran')"
            << 3 << 2009 << "FR" << 2 << 2;
        QTest::newRow("kind 1 with null regime")
            << "insert into options values (1,2010,null,'',null)" << 1 << 2010 << "FR" << 1 << 1;
        QTest::newRow("regime kept") << "insert into options values (2,2011,'AR','',1)" << 2 << 2011 << "AR" << 1 << 1;
        QTest::newRow("unprepared") << "insert into options values (0,2011,'FR','',null)" << 0 << 2011 << "FR" << -1
                                    << -1;
    }
    void loadOptions()
    {
        QFETCH(QString, setupSql);
        QFETCH(int, organisme);
        QFETCH(int, gestion);
        QFETCH(QString, langue);
        QFETCH(int, regime);
        QFETCH(int, storedRegime);
        TestHome home;
        TestData db;
        QCOMPARE(open(db, home.templateCopy()), int(OpenOk));
        for (const QString &sql : setupSql.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            exec(db, sql);
        db.LoadOptions();
        QCOMPARE(db.organisme, organisme);
        QCOMPARE(db.gestion, gestion);
        QCOMPARE(db.langue, langue);
        QCOMPARE(db.regime, regime);
        const QVariant stored = scalar(db, QStringLiteral("select regime from options"));
        QCOMPARE(stored.isValid() ? (stored.isNull() ? -1 : stored.toInt()) : -2, storedRegime);
        // A second load changes nothing.
        db.LoadOptions();
        QCOMPARE(db.regime, regime);
    }

    void preparation_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("regime");
        QTest::newRow("primary school") << 1 << "2009" << 1;
        QTest::newRow("middle school") << 2 << "2010" << 2;
        QTest::newRow("residence") << 5 << "2009" << 2;
        QTest::newRow("year not a number") << 2 << "2009); drop table stock; --" << -1;
    }
    void preparation()
    {
        QFETCH(int, kind);
        QFETCH(QString, year);
        QFETCH(int, regime);
        TestHome home;
        Organisation().town = QStringLiteral("Ksar el Boukhari l'ancienne");
        TestData db;
        QCOMPARE(open(db, home.templateCopy()), int(OpenOk));
        db.prepare_nouveau_dossier(kind, year);
        db.LoadOptions();
        QCOMPARE(db.regime, regime);
        QCOMPARE(db.organisme, regime < 0 ? 0 : kind);
        QVERIFY(Stock(db).db_STOCK->isActive());
        QCOMPARE(Stock(db).db_ARTICLES->recordCount(),
                 scalar(db, QStringLiteral("select count(*) from articles_organisme_%1").arg(kind)).toInt());
        QCOMPARE(scalar(db, QStringLiteral("select count(*) from categories")).toInt(), 7);
        if (regime > 0) {
            QCOMPARE(db.gestion, year.toInt());
            QCOMPARE(db.langue, QStringLiteral("FR"));
            QCOMPARE(db.faita, QStringLiteral("Ksar el Boukhari l'ancienne"));
        }
    }

    void proposedNames()
    {
        TestHome home;
        QCOMPARE(NouveauFichier(home.databases(), QStringLiteral("2009")), QStringLiteral("DOS1_2009.MDB"));
        home.templateCopy(QStringLiteral("DOS1_2009.MDB"));
        QCOMPARE(NouveauFichier(home.databases(), QStringLiteral("2009")), QStringLiteral("DOS2_2009.MDB"));
        QCOMPARE(NouveauFichier(home.databases(), QStringLiteral("2010")), QStringLiteral("DOS1_2010.MDB"));
    }
};

QTEST_GUILESS_MAIN(TestOpening)
#include "test_opening.moc"
