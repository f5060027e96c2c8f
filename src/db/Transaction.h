#pragma once

#include <QSqlDatabase>
#include <QString>

namespace zelvane {

// One unit of work on a connection: everything written between construction and commit() is kept
// together, or undone as a whole when the object goes away uncommitted (an exception, an early return).
// Built on savepoints, so units nest inside one another and inside an open transaction. The unit that
// began the transaction seals the journal's entries of its writes before they are kept.
class Transaction
{
public:
    // Raises DatabaseError when the unit cannot begin.
    explicit Transaction(const QSqlDatabase &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Raises DatabaseError when the work cannot be kept; it is then undone.
    void commit();

private:
    bool exec(const QString &statement, QString *error = nullptr) const;

    QSqlDatabase m_db;
    QString m_name;
    bool m_open = false;
    bool m_outermost = false;
};

} // namespace zelvane
