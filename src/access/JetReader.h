#pragma once

#include "db/AccessFile.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace zelvane {

// Column types as libmdb numbers them.
enum class JetType {
    Bool = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    LongInteger = 0x04,
    Money = 0x05,
    Float = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0a,
    Ole = 0x0b,
    Memo = 0x0c,
    ReplicationId = 0x0f,
    Numeric = 0x10,
    Complex = 0x12,
};

struct JetColumn
{
    QString name;
    JetType type = JetType::Text;
    int size = 0;
};

struct JetTable
{
    QString name;
    // The row count the file's catalogue states; the rows read may differ in a damaged file.
    qint64 catalogRows = 0;
    QList<JetColumn> columns;

    // The column named name, compared without regard to case; -1 when there is none.
    int columnIndex(const QString &name) const;
};

struct JetSchema
{
    // 0 for Jet 3 (Access 97), 1 for Jet 4 (Access 2000 to 2003), higher for the later ACE files.
    int version = -1;
    // The code page the file declares for its texts; libmdb turns Jet 3 texts from it into UTF-8.
    int codePage = 0;
    QList<JetTable> tables;

    // The table named name, compared without regard to case; nullptr when there is none.
    const JetTable *table(const QString &name) const;
};

// The day and time an Access date holds: whole days since 30 December 1899 and the fraction of a day,
// which counts forward from midnight even for days before 1899. Invalid for a value outside any calendar.
QDateTime AccessDateTime(double days);

// Reads an Access (Jet) file through the program's reader process, which runs libmdb: a damaged file
// that makes libmdb crash, loop or write without end only makes the reading fail, with a message. Texts
// come as QString, integers as qint64, floats and amounts as double, dates as QDateTime, yes/no columns
// as bool and NULL as an invalid QVariant; binary values as QByteArray.
class JetReader
{
public:
    explicit JetReader(QString path);

    // The user tables with their columns. False, with error() set, when the file cannot be read.
    bool readSchema(JetSchema &schema);
    // Calls onRow with the values of every row of table, in column order, until it returns false.
    // header receives the table's columns before the first row. False, with error() set, when the table
    // cannot be read to its end.
    bool readRows(const QString &table, JetTable &header, const std::function<bool(const QVariantList &)> &onRow);

    // Why the last reading failed, in one French sentence.
    QString error() const { return m_error; }

    // The reader program: $ZELVANE_JET_READER when set (an installation that keeps it elsewhere, the
    // tests), otherwise the one beside the running executable; an empty path when it is missing.
    static QString readerProgram();

private:
    QString m_path;
    QString m_error;
};

} // namespace zelvane
