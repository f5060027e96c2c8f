#pragma once

#include "app/Modules.h"
#include "common/Library.h"
#include "db/DataModule.h"
#include "menus/MenusModule.h"
#include "stock/StockModule.h"
#include "suppliers/SuppliersModule.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

// A data module with the modules of every subsystem, as the programs make it.
class TestData : public zelvane::Tfdb
{
public:
    TestData();
};

zelvane::StockModule &Stock(zelvane::Tfdb &db);
zelvane::SuppliersModule &Suppliers(zelvane::Tfdb &db);
zelvane::MenusModule &Menus(zelvane::Tfdb &db);

// A fresh ZELVANE_HOME with the library started in it, for one test function or one test case.
class TestHome
{
public:
    TestHome();
    ~TestHome();

    QString path() const { return m_dir.path(); }
    QString databases() const;
    // A copy of the template under databases/ (not prepared).
    QString templateCopy(const QString &name = QStringLiteral("FCTEMP.MDB")) const;
    // A prepared management file made as the command line makes it.
    QString preparedFile(int kind = 2, int year = 2009, const QString &name = QString()) const;
    // A prepared file opened by a new data module, options loaded; null when it cannot be opened.
    std::unique_ptr<zelvane::Tfdb> openPrepared(int kind = 2, int year = 2009) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<zelvane::Library> m_library;
};

// Runs a statement of a test's setup; the test fails when the database refuses it.
void ExecSql(const QSqlDatabase &db, const QString &sql);
// The first column of the first row, or an invalid value when there is none.
QVariant ScalarSql(const QSqlDatabase &db, const QString &sql);

// The SHA-256 of a file's bytes; empty when it cannot be read.
QByteArray FileDigest(const QString &path);
// The names of the files of folder, sorted.
QStringList FilesIn(const QString &folder);

// One run of the command line, with what it wrote.
struct CliRun
{
    int code = 0;
    QString out;
    QString err;
};
CliRun RunCli(const QStringList &args);
