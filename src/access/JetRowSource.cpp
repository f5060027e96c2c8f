#include "access/JetRowSource.h"

#include "common/DatabaseError.h"
#include "common/Format.h"

#include <QDateTime>
#include <QSqlField>

namespace zelvane {

namespace {

QMetaType fieldType(JetType type)
{
    switch (type) {
    case JetType::Bool:
    case JetType::Byte:
    case JetType::Integer:
    case JetType::LongInteger:
    case JetType::Complex:
        return QMetaType(QMetaType::LongLong);
    case JetType::Money:
    case JetType::Numeric:
    case JetType::Float:
    case JetType::Double:
        return QMetaType(QMetaType::Double);
    case JetType::Binary:
    case JetType::Ole:
        return QMetaType(QMetaType::QByteArray);
    default:
        return QMetaType(QMetaType::QString);
    }
}

// A value as the management file stores it.
QVariant storedValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime when = value.toDateTime();
        return when.isValid() ? QVariant(IsoDate(when.date())) : QVariant();
    }
    case QMetaType::Bool:
        return QVariant(value.toBool() ? 1 : 0);
    default:
        return value;
    }
}

} // namespace

JetRowSource::JetRowSource(const QString &path)
    : m_reader(path)
{
    if (!m_reader.readSchema(m_schema))
        throw DatabaseError(m_reader.error());
}

QStringList JetRowSource::tables() const
{
    QStringList names;
    for (const JetTable &table : m_schema.tables)
        names << table.name;
    return names;
}

void JetRowSource::readRows(const QString &table, const std::function<void(const QSqlRecord &)> &row) const
{
    JetTable header;
    QSqlRecord record;
    qint64 &count = m_rowsRead[table];
    const bool read = m_reader.readRows(table, header, [&](const QVariantList &values) {
        if (record.isEmpty()) {
            for (const JetColumn &column : std::as_const(header.columns))
                record.append(QSqlField(column.name, fieldType(column.type)));
        }
        for (qsizetype i = 0; i < values.size(); ++i)
            record.setValue(int(i), storedValue(values.at(i)));
        ++count;
        row(record);
        return true;
    });
    if (!read)
        throw DatabaseError(QStringLiteral("%1 : %2").arg(table, m_reader.error()));
}

} // namespace zelvane
