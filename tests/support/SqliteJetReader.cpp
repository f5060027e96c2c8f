// Stands in for zelvane-jet-reader in the import tests (through ZELVANE_JET_READER): serves the SQLite
// file named by ZELVANE_TEST_JET_SOURCE in the reader's line format, whatever Access file it is asked
// for, as if that Access file had the same tables, so that the
// import's mapping runs on the rows the conversion tests make. The declared types give the Access ones:
// DATE columns come as Access day numbers, DOUBLE as floats, INT as long integers, the rest as texts.
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace {

enum Type { LongInteger = 4, Double = 7, DateTime = 8, Text = 10 };

QByteArray escaped(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n").replace('\r', "\\r");
    return bytes;
}

Type typeOf(const QString &declared)
{
    const QString type = declared.toUpper();
    if (type.contains(QLatin1String("DATE")))
        return DateTime;
    if (type.contains(QLatin1String("DOUBLE")) || type.contains(QLatin1String("REAL")))
        return Double;
    if (type.contains(QLatin1String("INT")))
        return LongInteger;
    return Text;
}

QByteArray valueText(const QVariant &value, Type type)
{
    if (value.isNull())
        return "\\N";
    switch (type) {
    case DateTime: {
        const QDate day = QDate::fromString(value.toString(), Qt::ISODate);
        return day.isValid() ? QByteArray::number(QDate(1899, 12, 30).daysTo(day)) : QByteArray("\\N");
    }
    case Double:
        return QByteArray::number(value.toDouble(), 'g', 17);
    case LongInteger:
        return QByteArray::number(value.toLongLong());
    default:
        return escaped(value.toString());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    const auto line = [&out](const QByteArray &text) { out.write(text + '\n'); };
    if (args.size() < 2) {
        line("ERROR\tusage");
        return 1;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(qEnvironmentVariable("ZELVANE_TEST_JET_SOURCE", args.at(1)));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open() || db.tables().isEmpty()) {
        line("ERROR\tnot an Access file");
        return 1;
    }
    line("JET\t0\t1252");
    const bool rows = args.at(0) == QLatin1String("--rows");
    for (const QString &table : db.tables()) {
        if (rows && table != args.value(2))
            continue;
        QSqlQuery query(db);
        query.exec(QStringLiteral("select count(*) from \"%1\"").arg(table));
        query.next();
        line("TABLE\t" + escaped(table) + '\t' + QByteArray::number(query.value(0).toLongLong()));
        QList<Type> types;
        query.exec(QStringLiteral("pragma table_info(\"%1\")").arg(table));
        while (query.next()) {
            types << typeOf(query.value(2).toString());
            line("COLUMN\t" + escaped(query.value(1).toString()) + '\t' + QByteArray::number(types.last()) + "\t0");
        }
        qint64 count = 0;
        if (rows) {
            query.exec(QStringLiteral("select * from \"%1\"").arg(table));
            while (query.next()) {
                QByteArray text = "ROW";
                for (int i = 0; i < types.size(); ++i)
                    text += '\t' + valueText(query.value(i), types.at(i));
                line(text);
                ++count;
            }
        }
        line("END\t" + QByteArray::number(count));
    }
    line("DONE");
    return 0;
}
