#include "db/Transaction.h"

#include "common/DatabaseError.h"
#include "common/Failure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace zelvane {

namespace {

std::atomic<int> g_units{0};

} // namespace

Transaction::Transaction(const QSqlDatabase &db)
    : m_db(db)
    , m_name(QStringLiteral("unit_%1").arg(++g_units))
{
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
