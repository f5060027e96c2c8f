#include "db/Dataset.h"

#include "common/Format.h"
#include "common/Text.h"
#include "db/Transaction.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace zelvane {

namespace {

FieldType typeOfDeclared(const QString &declared)
{
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("INT")))
        return FieldType::Integer;
    if (t.contains(QLatin1String("DOUB")) || t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")))
        return FieldType::Double;
    if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        return FieldType::Date;
    return FieldType::Text;
}

int sizeOfDeclared(const QString &declared)
{
    static const QRegularExpression width(QStringLiteral("\\((\\d+)\\)"));
    const QRegularExpressionMatch m = width.match(declared);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

[[noreturn]] void raise(const QSqlQuery &query) { throw DatabaseError(query.lastError().text()); }

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString().compare(b.toString(), Qt::CaseInsensitive) == 0;
    if (a.typeId() == QMetaType::QDate || b.typeId() == QMetaType::QDate)
        return a.toDate() == b.toDate();
    return a.toDouble() == b.toDouble();
}

} // namespace

Dataset::Dataset(const QString &tableName, const QString &orderBy, QObject *parent)
    : QObject(parent)
    , m_table(tableName)
    , m_order(orderBy.split(QLatin1Char(';'), Qt::SkipEmptyParts))
{
}

void Dataset::requireActive() const
{
    if (m_state == State::Inactive)
        throw DatabaseError(QStringLiteral("%1: dataset is closed").arg(m_table));
}

void Dataset::loadFields()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QuotedIdentifier(m_table))))
        raise(query);
    QVector<FieldDef> tableFields;
    while (query.next())
        tableFields.append({query.value(1).toString(), typeOfDeclared(query.value(2).toString()),
                            sizeOfDeclared(query.value(2).toString()), false});
    if (tableFields.isEmpty())
        throw DatabaseError(QStringLiteral("no such table: %1").arg(m_table));
    for (const QString &column : m_order) {
        const bool known = std::any_of(tableFields.cbegin(), tableFields.cend(), [&](const FieldDef &f) {
            return f.name.compare(column, Qt::CaseInsensitive) == 0;
        });
        if (!known)
            throw DatabaseError(QStringLiteral("%1: no such column: %2").arg(m_table, column));
    }
    // Calculated fields stay after the table's columns, as they were declared.
    QVector<FieldDef> calculated;
    QVector<Compute> computes;
    QVector<TextOf> texts;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).calculated) {
            calculated.append(m_fields.at(i));
            computes.append(m_compute.at(i));
        }
    }
    QHash<QString, TextOf> textByName;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_text.at(i))
            textByName.insert(m_fields.at(i).name.toUpper(), m_text.at(i));
    }
    m_fields = tableFields;
    m_tableFieldCount = int(tableFields.size());
    m_fields += calculated;
    m_compute = QVector<Compute>(m_tableFieldCount);
    m_compute += computes;
    m_text = QVector<TextOf>(m_fields.size());
    for (int i = 0; i < m_fields.size(); ++i)
        m_text[i] = textByName.value(m_fields.at(i).name.toUpper());
}

int Dataset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void Dataset::addCalculatedField(const QString &name, FieldType type, Compute compute)
{
    m_fields.append({name, type, 0, true});
    m_compute.append(std::move(compute));
    m_text.append(TextOf());
}

void Dataset::setDisplayText(const QString &name, TextOf text)
{
    int i = fieldIndex(name);
    if (i < 0) {
        // A table column not read yet: remember it under its name until the dataset opens.
        m_fields.append({name, FieldType::Text, 0, false});
        m_compute.append(Compute());
        m_text.append(std::move(text));
        return;
    }
    m_text[i] = std::move(text);
}

void Dataset::open()
{
    if (isActive())
        return;
    // Table fields remembered only for their text callbacks are dropped by loadFields.
    loadFields();
    m_state = State::Browse;
    load();
    emit stateChanged();
    scrolled();
}

void Dataset::close()
{
    if (!isActive())
        return;
    m_rows.clear();
    m_current = -1;
    m_eof = m_bof = true;
    m_state = State::Inactive;
    m_keyKnown = false;
    emit reloaded();
    emit stateChanged();
}

QString Dataset::selectText() const
{
    QStringList columns;
    for (int i = 0; i < m_tableFieldCount; ++i)
        columns << QuotedIdentifier(m_fields.at(i).name);
    QString sql = QStringLiteral("SELECT rowid, %1 FROM %2")
                      .arg(columns.join(QLatin1Char(',')), QuotedIdentifier(m_table));
    QStringList conditions;
    if (m_filtered && !m_filter.trimmed().isEmpty())
        conditions << QLatin1Char('(') + m_filter + QLatin1Char(')');
    if (m_master)
        conditions << (masterKey().isNull() ? QStringLiteral("0 = 1")
                                            : QuotedIdentifier(m_detailField) + QStringLiteral(" = :master"));
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    if (!m_order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + m_order.join(QLatin1Char(','));
    return sql;
}

void Dataset::load()
{
    const qint64 keep = m_current >= 0 && m_current < m_rows.size() ? m_rows.at(m_current).rowid : -1;
    const int keepIndex = m_current;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    const QString sql = selectText();
    if (!query.prepare(sql))
        raise(query);
    const QVariant key = m_master ? masterKey() : QVariant();
    if (sql.contains(QLatin1String(":master")))
        query.bindValue(QStringLiteral(":master"),
                        m_master->toSql(key, m_master->fields().at(m_master->fieldIndex(m_masterField)).type));
    if (!query.exec())
        raise(query);
    ++m_loads;
    m_keyRead = key;
    m_keyKnown = m_master != nullptr;
    QVector<Row> rows;
    while (query.next()) {
        Row row;
        row.rowid = query.value(0).toLongLong();
        row.values.resize(m_tableFieldCount);
        for (int i = 0; i < m_tableFieldCount; ++i)
            row.values[i] = fromSql(query.value(i + 1), m_fields.at(i).type);
        if (m_filtered && m_recordFilter) {
            const Row *saved = m_probe;
            m_probe = &row;
            const bool accepted = m_recordFilter(*this);
            m_probe = saved;
            if (!accepted)
                continue;
        }
        rows.append(std::move(row));
    }
    m_rows = std::move(rows);
    m_current = -1;
    if (!m_rows.isEmpty()) {
        m_current = qBound(0, keepIndex, int(m_rows.size()) - 1);
        for (int i = 0; i < m_rows.size(); ++i) {
            if (m_rows.at(i).rowid == keep) {
                m_current = i;
                break;
            }
        }
    }
    m_eof = m_bof = m_rows.isEmpty();
    emit reloaded();
}

void Dataset::scrolled()
{
    emit currentChanged(m_current);
    afterScroll(*this);
}

QVariant Dataset::fromSql(const QVariant &v, FieldType type) const
{
    if (v.isNull())
        return QVariant();
    switch (type) {
    case FieldType::Integer:
        return v.toLongLong();
    case FieldType::Double:
        return v.toDouble();
    case FieldType::Date: {
        const QDate d = DateFromSql(v);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Text:
        break;
    }
    return v.toString();
}

QVariant Dataset::toSql(const QVariant &v, FieldType type) const
{
    if (v.isNull() || !v.isValid())
        return QVariant();
    if (type == FieldType::Date) {
        const QDate d = v.toDate();
        return d.isValid() ? QVariant(IsoDate(d)) : QVariant();
    }
    return v;
}

const Dataset::Row *Dataset::rowFor(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return nullptr;
    if (row == m_current && isEditing())
        return &m_buffer;
    return &m_rows.at(row);
}

QVariant Dataset::value(int field) const
{
    if (field < 0 || field >= m_fields.size())
        return QVariant();
    if (m_fields.at(field).calculated)
        return m_compute.at(field) ? m_compute.at(field)(*this) : QVariant();
    const Row *row = m_probe ? m_probe : rowFor(m_current);
    if (!row || field >= row->values.size())
        return QVariant();
    return row->values.at(field);
}

QVariant Dataset::value(const QString &name) const { return value(fieldIndex(name)); }

QDate Dataset::dateValue(const QString &name) const { return DateFromSql(value(name)); }

QVariant Dataset::valueAt(int row, int field) const
{
    const Row *saved = m_probe;
    m_probe = rowFor(row);
    const QVariant v = m_probe ? value(field) : QVariant();
    m_probe = saved;
    return v;
}

QString Dataset::displayText(int field) const
{
    if (field < 0 || field >= m_fields.size())
        return {};
    if (m_text.at(field))
        return m_text.at(field)(*this);
    const QVariant v = value(field);
    if (v.isNull())
        return {};
    switch (m_fields.at(field).type) {
    case FieldType::Double:
        return FormatPattern(v.toDouble(), QString::fromLatin1(kPatternFieldDisplay));
    case FieldType::Date:
        return DateText(v.toDate());
    case FieldType::Integer:
        return QString::number(v.toLongLong());
    case FieldType::Text:
        break;
    }
    return v.toString();
}

QString Dataset::displayText(const QString &name) const { return displayText(fieldIndex(name)); }

QString Dataset::displayTextAt(int row, int field) const
{
    const Row *saved = m_probe;
    m_probe = rowFor(row);
    const QString text = m_probe ? displayText(field) : QString();
    m_probe = saved;
    return text;
}

QString Dataset::editText(const QString &name) const
{
    const int field = fieldIndex(name);
    const QVariant v = value(field);
    if (v.isNull() || field < 0)
        return {};
    switch (m_fields.at(field).type) {
    case FieldType::Double:
        return FormatPattern(v.toDouble(), QString::fromLatin1(kPatternFieldEdit));
    case FieldType::Date:
        return DateText(v.toDate());
    case FieldType::Integer:
        return QString::number(v.toLongLong());
    case FieldType::Text:
        break;
    }
    return v.toString();
}

void Dataset::setValue(const QString &name, const QVariant &v)
{
    if (!isEditing())
        throw DatabaseError(QStringLiteral("%1: dataset not in edit or insert mode").arg(m_table));
    const int field = fieldIndex(name);
    if (field < 0 || m_fields.at(field).calculated)
        throw DatabaseError(QStringLiteral("%1: field '%2' not found").arg(m_table, name));
    QVariant stored;
    if (v.isValid() && !v.isNull()) {
        switch (m_fields.at(field).type) {
        case FieldType::Integer:
            stored = v.toLongLong();
            break;
        case FieldType::Double:
            stored = v.toDouble();
            break;
        case FieldType::Date: {
            QDate d = v.typeId() == QMetaType::QString ? ParseDate(v.toString()).value_or(DateFromSql(v))
                                                       : DateFromSql(v);
            if (d.isValid())
                stored = d;
            break;
        }
        case FieldType::Text:
            stored = v.toString();
            break;
        }
    }
    m_buffer.values[field] = stored;
    emit rowChanged(m_current);
}

void Dataset::first() { moveTo(0); }
void Dataset::last() { moveTo(int(m_rows.size()) - 1); }

void Dataset::next()
{
    if (m_current + 1 >= m_rows.size()) {
        m_eof = true;
        return;
    }
    moveTo(m_current + 1);
}

void Dataset::prior()
{
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    moveTo(m_current - 1);
}

void Dataset::moveTo(int row)
{
    requireActive();
    if (isEditing())
        post();
    if (m_rows.isEmpty()) {
        m_eof = m_bof = true;
        return;
    }
    row = qBound(0, row, int(m_rows.size()) - 1);
    m_eof = m_bof = false;
    if (row == m_current)
        return;
    m_current = row;
    scrolled();
}

bool Dataset::locate(const QString &name, const QVariant &v)
{
    const int field = fieldIndex(name);
    if (field < 0 || !isActive())
        return false;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (sameValue(valueAt(i, field), v)) {
            moveTo(i);
            return true;
        }
    }
    return false;
}

void Dataset::setFilter(const QString &condition)
{
    m_filter = condition;
    if (isActive() && m_filtered)
        reloadRows();
}

void Dataset::setFilter(const QString &condition, bool filtered)
{
    m_filter = condition;
    m_filtered = filtered;
    if (isActive())
        reloadRows();
}

void Dataset::setFiltered(bool on)
{
    if (m_filtered == on)
        return;
    m_filtered = on;
    if (isActive())
        reloadRows();
}

void Dataset::setRecordFilter(std::function<bool(const Dataset &)> accept)
{
    m_recordFilter = std::move(accept);
    if (isActive() && m_filtered)
        reloadRows();
}

void Dataset::setMaster(Dataset *master, const QString &masterField, const QString &detailField)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    m_masterField = masterField;
    m_detailField = detailField;
    m_keyKnown = false;
    if (m_master) {
        connect(m_master, &Dataset::currentChanged, this, [this] { followMaster(); });
        connect(m_master, &Dataset::refreshed, this, [this] { followMaster(true); });
    }
}

QVariant Dataset::masterKey() const
{
    if (!m_master->isActive() || m_master->recNo() < 0)
        return {};
    return m_master->value(m_masterField);
}

void Dataset::followMaster(bool always)
{
    if (!isActive() || isEditing())
        return;
    // The rows hang on the master's key alone: a master read again or scrolled to a row of the same key
    // leaves them as they are.
    if (!always && m_keyKnown && sameValue(masterKey(), m_keyRead))
        return;
    load();
    scrolled();
}

void Dataset::startRow(bool atEnd)
{
    requireActive();
    if (isEditing())
        post();
    m_buffer = Row();
    m_buffer.values.resize(m_tableFieldCount);
    const int at = atEnd || m_current < 0 ? int(m_rows.size()) : m_current;
    m_rows.insert(at, m_buffer);
    m_currentBeforeInsert = m_current;
    m_insertedAt = at;
    m_current = at;
    m_eof = m_bof = false;
    m_state = State::Insert;
    emit reloaded();
    if (m_master && m_master->recNo() >= 0) {
        const int field = fieldIndex(m_detailField);
        if (field >= 0)
            m_buffer.values[field] = m_master->value(m_masterField);
    }
    newRecord(*this);
    emit stateChanged();
    emit currentChanged(m_current);
}

void Dataset::insert() { startRow(false); }
void Dataset::append() { startRow(true); }

void Dataset::edit()
{
    requireActive();
    if (isEditing())
        return;
    if (m_current < 0)
        throw DatabaseError(QStringLiteral("%1: no current record").arg(m_table));
    m_buffer = m_rows.at(m_current);
    m_state = State::Edit;
    emit stateChanged();
}

void Dataset::post()
{
    if (!isEditing())
        return;
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    Transaction transaction(db);
    beforePost(*this);
    QSqlQuery query(db);
    QStringList columns;
    for (int i = 0; i < m_tableFieldCount; ++i)
        columns << QuotedIdentifier(m_fields.at(i).name);
    if (m_state == State::Insert) {
        QStringList marks;
        for (int i = 0; i < m_tableFieldCount; ++i)
            marks << QStringLiteral("?");
        if (!query.prepare(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(QuotedIdentifier(m_table), columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
            raise(query);
    } else {
        QStringList sets;
        for (const QString &column : std::as_const(columns))
            sets << column + QStringLiteral(" = ?");
        if (!query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                               .arg(QuotedIdentifier(m_table), sets.join(QLatin1Char(',')))))
            raise(query);
    }
    for (int i = 0; i < m_tableFieldCount; ++i)
        query.addBindValue(toSql(m_buffer.values.at(i), m_fields.at(i).type));
    if (m_state == State::Edit)
        query.addBindValue(m_buffer.rowid);
    if (!query.exec())
        raise(query);
    transaction.commit();
    if (m_state == State::Insert)
        m_buffer.rowid = query.lastInsertId().toLongLong();
    m_rows[m_current] = m_buffer;
    m_state = State::Browse;
    m_insertedAt = -1;
    // Read again so that the row takes its place in the order and the filter.
    load();
    emit stateChanged();
    emit currentChanged(m_current);
    afterPost(*this);
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    if (m_state == State::Insert && m_insertedAt >= 0) {
        m_rows.removeAt(m_insertedAt);
        m_current = m_rows.isEmpty() ? -1 : qBound(0, m_currentBeforeInsert, int(m_rows.size()) - 1);
    }
    m_state = State::Browse;
    m_insertedAt = -1;
    m_eof = m_bof = m_rows.isEmpty();
    emit reloaded();
    emit stateChanged();
    emit currentChanged(m_current);
}

void Dataset::remove()
{
    requireActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (m_current < 0)
        throw DatabaseError(QStringLiteral("%1: no current record").arg(m_table));
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    Transaction transaction(db);
    beforeDelete(*this);
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(QuotedIdentifier(m_table))))
        raise(query);
    query.addBindValue(m_rows.at(m_current).rowid);
    if (!query.exec())
        raise(query);
    const Row removed = m_rows.takeAt(m_current);
    const int removedAt = m_current;
    if (m_current >= m_rows.size())
        m_current = int(m_rows.size()) - 1;
    try {
        afterDelete(*this);
        transaction.commit();
    } catch (...) {
        m_rows.insert(removedAt, removed);
        m_current = removedAt;
        throw;
    }
    m_eof = m_bof = m_rows.isEmpty();
    emit reloaded();
    scrolled();
}

void Dataset::refresh() { reread(true); }

void Dataset::reloadRows() { reread(false); }

void Dataset::reread(bool details)
{
    requireActive();
    if (isEditing())
        throw DatabaseError(QStringLiteral("%1: dataset in edit or insert mode").arg(m_table));
    load();
    if (details)
        emit refreshed();
    emit currentChanged(m_current);
}

} // namespace zelvane
