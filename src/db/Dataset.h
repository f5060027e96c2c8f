#pragma once

#include "common/DatabaseError.h"
#include "common/Event.h"

#include <QDate>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

namespace zelvane {

enum class FieldType { Integer, Double, Text, Date };

struct FieldDef
{
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // declared width of a text column, 0 when none
    bool calculated = false;
};

// A table dataset: the rows of one table, in a given order, restricted by a switchable filter, a
// per-record callback and an optional master dataset, with a current row that can be edited, inserted,
// posted, cancelled and deleted. Calculated fields and the new-record / before-post / after-post /
// after-delete / after-scroll callbacks let the data module attach the program's rules.
//
// Rows are loaded into memory on open and refresh; every write goes straight to the table, keyed by the
// row's rowid. A post runs the before-post rules and its statement as one transaction, a delete its
// before-delete rules, its statement and the after-delete rules: a refused or failed write changes
// nothing in the file and leaves the typed values in place. Failures raise DatabaseError with the
// engine's message.
class Dataset : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Rule = Event<Dataset &>;
    using Compute = std::function<QVariant(const Dataset &)>;
    using TextOf = std::function<QString(const Dataset &)>;

    // orderBy lists index columns separated by ";" ("CODE_ART;NUM_MVT").
    Dataset(const QString &tableName, const QString &orderBy, QObject *parent = nullptr);

    QString tableName() const { return m_table; }
    QString connectionName() const { return m_connection; }
    void setConnectionName(const QString &name) { m_connection = name; }

    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    // Fields: the table's columns in table order, then the calculated fields. Names ignore case.
    const QVector<FieldDef> &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const;
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }
    void addCalculatedField(const QString &name, FieldType type, Compute compute);
    // A text callback replacing the display text of a field.
    void setDisplayText(const QString &name, TextOf text);

    QVariant value(const QString &name) const;
    QVariant value(int field) const;
    QString displayText(const QString &name) const;
    QString displayText(int field) const;
    QString editText(const QString &name) const; // floats with the edit format, dates as dd/mm/yyyy
    double doubleValue(const QString &name) const { return value(name).toDouble(); }
    qint64 intValue(const QString &name) const { return value(name).toLongLong(); }
    QString textValue(const QString &name) const { return value(name).toString(); }
    QDate dateValue(const QString &name) const;
    bool isNull(const QString &name) const { return value(name).isNull(); }
    // Writes into the row being edited or inserted; raises when the dataset is not editing.
    void setValue(const QString &name, const QVariant &value);

    // Values of any loaded row, for grids.
    QVariant valueAt(int row, int field) const;
    QString displayTextAt(int row, int field) const;

    int recordCount() const { return int(m_rows.size()); }
    int recNo() const { return m_current; } // 0-based, -1 when there is no row
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    // Moves to the first row whose field equals value (texts ignoring case); false when none.
    bool locate(const QString &name, const QVariant &value);

    // Filter: an SQL condition applied while filtered is on, and a per-record callback.
    void setFilter(const QString &condition);
    // The condition and the switch in one step, the rows read once when open, even when neither changed:
    // what the per-record callback accepts may have.
    void setFilter(const QString &condition, bool filtered);
    QString filter() const { return m_filter; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }
    void setRecordFilter(std::function<bool(const Dataset &)> accept);

    // Keeps only the rows whose detailField equals the master's current masterField, following it.
    void setMaster(Dataset *master, const QString &masterField, const QString &detailField);

    void insert(); // a new row at the current position
    void append(); // a new row at the end
    void edit();
    void post();
    void cancel();
    void remove();
    // Reads the rows again, keeping the current row, and makes the details read theirs.
    void refresh();
    // Reads the rows again, keeping the current row; a detail reads its rows only when the key it follows
    // changed. For a master whose details are fresh already (one of them has just posted, say).
    void reloadRows();

    // How many times the rows were read from the table, to see what an action costs.
    int loadCount() const { return m_loads; }

    // The program's rules, shared by the modules that subscribe to them.
    Rule newRecord;
    Rule beforePost; // may raise to refuse the post
    Rule afterPost;
    Rule beforeDelete; // may raise to refuse the delete
    Rule afterDelete;
    Rule afterScroll;

signals:
    void reloaded();          // the rows were read again (or the dataset opened or closed)
    void rowChanged(int row); // the values of one row changed
    void currentChanged(int row);
    void refreshed(); // refresh() read the rows again: the details read theirs
    void stateChanged();

private:
    struct Row
    {
        qint64 rowid = 0;
        QVector<QVariant> values;
    };

    void load();
    void reread(bool details);
    void loadFields();
    QString selectText() const;
    void scrolled();
    void startRow(bool atEnd);
    const Row *rowFor(int row) const;
    QVariant fromSql(const QVariant &v, FieldType type) const;
    QVariant toSql(const QVariant &v, FieldType type) const;
    void requireActive() const;
    // Reads the rows again when the master's key differs from the one they were read for, or always.
    void followMaster(bool always = false);
    QVariant masterKey() const;

    QString m_table;
    QString m_connection;
    QStringList m_order;
    QVector<FieldDef> m_fields;
    int m_tableFieldCount = 0;
    QVector<Compute> m_compute; // per field, set for calculated ones
    QVector<TextOf> m_text;     // per field display-text callbacks
    QVector<Row> m_rows;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    State m_state = State::Inactive;
    Row m_buffer; // the row being edited or inserted
    int m_insertedAt = -1;
    int m_currentBeforeInsert = -1;
    QString m_filter;
    bool m_filtered = false;
    std::function<bool(const Dataset &)> m_recordFilter;
    Dataset *m_master = nullptr;
    QString m_masterField;
    QString m_detailField;
    QVariant m_keyRead; // the master's key the rows were read for
    bool m_keyKnown = false;
    int m_loads = 0;
    mutable const Row *m_probe = nullptr; // the row read by value() while evaluating another row
};

} // namespace zelvane
