#include "db/Transaction.h"

#include "common/DatabaseError.h"
#include "common/Failure.h"
#include "db/SqlFunctions.h"
#include "journal/Journal.h"

#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <sqlite3.h>

namespace zelvane {

namespace {

std::atomic<int> g_units{0};

} // namespace

Transaction::Transaction(const QSqlDatabase &db)
    : m_db(db)
    , m_name(QStringLiteral("unit_%1").arg(++g_units))
{
    // The unit that opens the transaction is the one that seals the journal before it is kept.
    sqlite3 *handle = SqliteHandle(db);
    m_outermost = handle && sqlite3_get_autocommit(handle);
    QString error;
    if (!exec(QStringLiteral("SAVEPOINT ") + m_name, &error))
        throw DatabaseError(error);
    m_open = true;
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    QString error;
    if (!exec(QStringLiteral("ROLLBACK TO ") + m_name, &error) || !exec(QStringLiteral("RELEASE ") + m_name, &error))
        qCWarning(lcIgnored).noquote() << "undoing an unfinished write:" << error;
}

void Transaction::commit()
{
    if (m_outermost)
        SealJournal(m_db); // raises: the destructor undoes the work
    QString error;
    if (!exec(QStringLiteral("RELEASE ") + m_name, &error))
        throw DatabaseError(error); // the destructor undoes the work
    m_open = false;
}

bool Transaction::exec(const QString &statement, QString *error) const
{
    QSqlQuery query(m_db);
    if (query.exec(statement))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

} // namespace zelvane
