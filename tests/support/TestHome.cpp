#include "TestHome.h"

#include "cli/Commands.h"

#include "common/Paths.h"
#include "db/DataModule.h"
#include "db/NewFile.h"
#include <QBuffer>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

TestHome::TestHome()
{
    qputenv("ZELVANE_HOME", m_dir.path().toUtf8());
    QDir().mkpath(databases());
    m_library = std::make_unique<zelvane::Library>();
}

TestHome::~TestHome() { m_library.reset(); }

QString TestHome::databases() const { return m_dir.path() + QStringLiteral("/databases"); }

QString TestHome::templateCopy(const QString &name) const
{
    const QString path = databases() + QLatin1Char('/') + name;
    if (!zelvane::CopyFileOver(zelvane::TemplatePath(), path))
        qFatal("cannot copy the template");
    return path;
}

QString TestHome::preparedFile(int kind, int year, const QString &name) const
{
    zelvane::Tfdb db;
    const auto result = zelvane::CreateManagementFile(db, {databases(), name, kind, QString::number(year), true, {}});
    if (!result.ok())
        qFatal("cannot prepare a file: %s", qPrintable(result.error));
    return result.path;
}

std::unique_ptr<zelvane::Tfdb> TestHome::openPrepared(int kind, int year) const
{
    auto db = std::make_unique<TestData>();
    if (db->OpenDatabaseFile(QString::fromLatin1(zelvane::kAlias), preparedFile(kind, year), false, false,
                             QString::fromLatin1(zelvane::kSchemaTag))
        != zelvane::OpenOk)
        return nullptr;
    db->LoadOptions();
    return db;
}

TestData::TestData() { zelvane::InstallModules(*this); }

zelvane::StockModule &Stock(zelvane::Tfdb &db) { return *db.module<zelvane::StockModule>(); }
zelvane::SuppliersModule &Suppliers(zelvane::Tfdb &db) { return *db.module<zelvane::SuppliersModule>(); }
zelvane::MenusModule &Menus(zelvane::Tfdb &db) { return *db.module<zelvane::MenusModule>(); }

void ExecSql(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    QVERIFY2(query.exec(sql), qPrintable(sql));
}

QVariant ScalarSql(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    return query.exec(sql) && query.next() ? query.value(0) : QVariant();
}

QByteArray FileDigest(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

QStringList FilesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

CliRun RunCli(const QStringList &args)
{
    CliRun run;
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    run.code = zelvane::RunCommandLine(args, out, err);
    run.out = QString::fromUtf8(out.data());
    run.err = QString::fromUtf8(err.data());
    return run;
}
