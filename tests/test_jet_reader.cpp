#include "access/JetReader.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

using namespace zelvane;

namespace {

QString sample(const QString &name) { return QStringLiteral(ZELVANE_TEST_DATA "/access/") + name; }

// mdb-export of mdbtools is the reference reader: fields separated by the unit separator, dates in ISO
// form, texts unquoted, NULL as nothing.
QStringList mdbExport(const QString &file, const QString &table)
{
    QProcess process;
    const QString separator(QChar(0x1f));
    const QString format = QStringLiteral("%Y-%m-%d %H:%M:%S");
    process.start(QStringLiteral("mdb-export"),
                  {QStringLiteral("-Q"), QStringLiteral("-d"), separator, QStringLiteral("-D"), format,
                   QStringLiteral("-T"), format, file, table});
    if (!process.waitForFinished(60'000) || process.exitCode() != 0)
        return {QStringLiteral("mdb-export failed")};
    QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList mdbTables(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), file});
    process.waitForFinished(60'000);
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A value read by JetReader as mdb-export writes it.
QString exported(const QVariant &value)
{
    if (!value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 16);
    default:
        return value.toString();
    }
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

class TestJetReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!JetReader::readerProgram().isEmpty(), "zelvane-jet-reader is not beside the test");
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("mdb-export")).isEmpty(),
                 "mdb-export (package mdbtools) is needed as the reference reader");
    }

    void readsWhatMdbExportReads_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("tables");
        QTest::addColumn<int>("rows");
        QTest::newRow("node-adodb") << sample(QStringLiteral("node-adodb.mdb")) << 1 << 3;
        QTest::newRow("fruit") << sample(QStringLiteral("fruit.mdb")) << 5 << 37 + 18 + 4 + 13 + 12;
    }

    // Every table, every column name and every value of the samples, against mdb-export.
    void readsWhatMdbExportReads()
    {
        QFETCH(QString, file);
        QFETCH(int, tables);
        QFETCH(int, rows);
        JetReader reader(file);
        JetSchema schema;
        QVERIFY2(reader.readSchema(schema), qPrintable(reader.error()));
        QCOMPARE(schema.version, 1);
        QStringList names;
        for (const JetTable &table : std::as_const(schema.tables))
            names << table.name;
        QCOMPARE(names, mdbTables(file));
        QCOMPARE(int(schema.tables.size()), tables);

        int total = 0;
        for (const JetTable &table : std::as_const(schema.tables)) {
            const QStringList expected = mdbExport(file, table.name);
            QStringList lines;
            JetTable header;
            QVERIFY2(reader.readRows(table.name, header,
                                     [&](const QVariantList &values) {
                                         QStringList fields;
                                         for (const QVariant &value : values)
                                             fields << exported(value);
                                         lines << fields.join(QChar(0x1f));
                                         return true;
                                     }),
                     qPrintable(reader.error()));
            QStringList columns;
            for (const JetColumn &column : std::as_const(header.columns))
                columns << column.name;
            QCOMPARE(columns.join(QChar(0x1f)), expected.first());
            QCOMPARE(lines, expected.mid(1));
            QCOMPARE(qint64(lines.size()), table.catalogRows);
            total += int(lines.size());
        }
        QCOMPARE(total, rows);
    }

    // The types the program works with, beyond their text: what an import relies on.
    void valuesComeInTheirTypes()
    {
        JetReader reader(sample(QStringLiteral("node-adodb.mdb")));
        JetTable users;
        QList<QVariantList> rows;
        QVERIFY(reader.readRows(QStringLiteral("Users"), users, [&](const QVariantList &values) {
            rows << values;
            return true;
        }));
        QCOMPARE(users.columnIndex(QStringLiteral("USERBIRTHDAY")), 3);
        QCOMPARE(users.columns.at(3).type, JetType::DateTime);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(2).at(0).typeId(), int(QMetaType::LongLong));
        QCOMPARE(rows.at(2).at(0).toLongLong(), 3);
        QCOMPARE(rows.at(2).at(1).toString(), QStringLiteral("张三"));
        QCOMPARE(rows.at(2).at(3).toDateTime().date(), QDate(1986, 12, 18));
        QCOMPARE(rows.at(2).at(4), QVariant(true));
        QCOMPARE(rows.at(1).at(4), QVariant(false));

        JetReader fruit(sample(QStringLiteral("fruit.mdb")));
        JetTable header;
        QVariantList kumquat;
        QVERIFY(fruit.readRows(QStringLiteral("Fruit"), header, [&](const QVariantList &values) {
            if (values.first().toString() == QLatin1String("Kumquat"))
                kumquat = values;
            return true;
        }));
        QCOMPARE(kumquat.size(), 11);
        QCOMPARE(kumquat.at(6), QVariant(qint64(55)));
        QVERIFY(!kumquat.at(9).isValid()); // NULL, not 0
        QVERIFY(!kumquat.at(10).isValid());
    }

    void stopsWhenAsked()
    {
        JetReader reader(sample(QStringLiteral("fruit.mdb")));
        JetTable header;
        int seen = 0;
        QVERIFY(reader.readRows(QStringLiteral("Fruit"), header, [&](const QVariantList &) { return ++seen < 5; }));
        QCOMPARE(seen, 5);
        QCOMPARE(header.name, QStringLiteral("Fruit"));
    }

    void accessDates_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QDateTime>("expected");
        const auto at = [](int y, int m, int d, int h = 0, int min = 0) {
            return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
        };
        QTest::newRow("day zero") << 0.0 << at(1899, 12, 30);
        QTest::newRow("a school day") << 39884.0 << at(2009, 3, 12);
        QTest::newRow("noon") << 39884.5 << at(2009, 3, 12, 12);
        QTest::newRow("before 1900, time counts forward") << -1.25 << at(1899, 12, 29, 6);
        QTest::newRow("rounded to the second, not past midnight") << 39884.9999999999 << at(2009, 3, 13);
        QTest::newRow("no calendar") << std::nan("") << QDateTime();
        QTest::newRow("far beyond the year 9999") << 1e12 << QDateTime();
    }

    void accessDates()
    {
        QFETCH(double, days);
        QFETCH(QDateTime, expected);
        QCOMPARE(AccessDateTime(days), expected);
    }

    void jetFilesAreKnownByTheirFirstBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("jet");
        const QByteArray jet4 = contents(sample(QStringLiteral("node-adodb.mdb")));
        QByteArray ace = jet4.left(64);
        ace.replace(4, 16, QByteArray("Standard ACE DB\0", 16));
        QTest::newRow("Jet 4") << jet4 << true;
        QTest::newRow("ACE") << ace << true;
        QTest::newRow("header alone") << jet4.left(20) << true;
        QTest::newRow("cut inside the header") << jet4.left(12) << false;
        QTest::newRow("SQLite") << QByteArray("SQLite format 3\0", 16) << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("the name in text") << QByteArray("Standard Jet DB") << false;
    }

    void jetFilesAreKnownByTheirFirstBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, jet);
        QTemporaryDir dir;
        QCOMPARE(IsJetFile(writeFile(dir, QStringLiteral("f.mdb"), bytes)), jet);
    }

    void damagedFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray fruit = contents(sample(QStringLiteral("fruit.mdb")));
        QByteArray garbage = fruit.left(4096);
        for (int i = 0; i < 40 * 4096; ++i)
            garbage += char((i * 7919 + 13) % 251);
        // The first 300,000 bytes hold the catalogue and the data pages: libmdb would read it all.
        QTest::newRow("cut inside a page") << fruit.left(300'000) << QStringLiteral("tronqué");
        QTest::newRow("cut at a page boundary") << fruit.left(73 * 4096) << QStringLiteral("tronqué");
        QTest::newRow("header then garbage") << garbage << QStringLiteral("illisible");
        QTest::newRow("header alone") << fruit.left(4096) << QStringLiteral("illisible");
        // Found by the fuzzing: libmdb reads this one in an endless loop.
        QTest::newRow("libmdb goes round in circles")
            << contents(sample(QStringLiteral("node-adodb-loop.mdb"))) << QStringLiteral("tourne en rond");
        QTest::newRow("not Access at all")
            << QByteArray("SQLite format 3\0", 16).repeated(512) << QStringLiteral("pas une base de données Access");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("pas une base de données Access");
    }

    // A damaged file gives a sentence, whatever libmdb makes of it.
    void damagedFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QTemporaryDir dir;
        JetReader reader(writeFile(dir, QStringLiteral("damaged.mdb"), bytes));
        JetSchema schema;
        if (reader.readSchema(schema)) {
            JetTable header;
            QVERIFY(!reader.readRows(QStringLiteral("Fruit"), header, [](const QVariantList &) { return true; }));
        }
        QVERIFY2(reader.error().contains(message), qPrintable(reader.error()));
    }

    void aMissingTableIsNamed()
    {
        JetReader reader(sample(QStringLiteral("node-adodb.mdb")));
        JetTable header;
        QVERIFY(!reader.readRows(QStringLiteral("STOCK"), header, [](const QVariantList &) { return true; }));
        QCOMPARE(reader.error(), QStringLiteral("la table STOCK est absente"));
    }
};

QTEST_GUILESS_MAIN(TestJetReader)
#include "test_jet_reader.moc"
