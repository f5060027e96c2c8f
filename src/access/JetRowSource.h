#pragma once

#include "access/JetReader.h"
#include "db/Conversion.h"

#include <QHash>

namespace zelvane {

// The rows of an Access file as the conversion copies them: one field per column under the column's
// name, dates as our ISO days (the time of day dropped), yes/no as 0 or 1, texts in UTF-8 whatever code
// page the file used. The Access file is only ever read.
class JetRowSource : public RowSource
{
public:
    // Raises DatabaseError, with the reader's sentence, when the file's tables cannot be read.
    explicit JetRowSource(const QString &path);

    const JetSchema &schema() const { return m_schema; }
    QStringList tables() const override;
    void readRows(const QString &table, const std::function<void(const QSqlRecord &)> &row) const override;

    // The rows read from table so far, by its name as stored.
    qint64 rowsRead(const QString &table) const { return m_rowsRead.value(table); }

private:
    mutable JetReader m_reader;
    JetSchema m_schema;
    mutable QHash<QString, qint64> m_rowsRead;
};

} // namespace zelvane
