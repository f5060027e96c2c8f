#include "db/Conversion.h"

#include "common/DatabaseError.h"
#include "common/Failure.h"
#include "common/Form.h"
#include "common/Organisation.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/Natures.h"
#include "db/Transaction.h"
#include "journal/Journal.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <atomic>
#include <sqlite3.h>

namespace zelvane {

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

void runIgnoringFailure(const QSqlDatabase &target, const QString &sql)
{
    QSqlQuery query(target);
    if (!query.exec(sql))
        qCWarning(lcIgnored).noquote() << "conversion:" << sql.simplified() << ":" << query.lastError().text();
}

// Each day of the old menus becomes seven head-count rows, one per category 1 to 7, with the four meals.
QString headCountsOfOldMenus()
{
    QStringList selects;
    for (int category = 1; category <= 7; ++category)
        selects << QStringLiteral("select m.date_menu as date_menu,%1 as code_categ,m.PN1%1 as m1,m.PN2%1 as m2,"
                                  "m.PN3%1 as m3,m.PN4%1 as m4 from menus m")
                       .arg(category);
    return selects.join(QStringLiteral(" union "));
}

// The 2008-11-01 and 2009-05-01 generations: entries and exits were 1 and 2, the menus and head-counts
// were one row per day, and the hospitalised staff had no snack. Those files were all of establishment
// kind 1, whose seven categories their head-count rows refer to: the file gets them as a preparation of
// that kind would, or no head-count would be counted.
void moveOldDataFrom0501(const QSqlDatabase &target)
{
    runIgnoringFailure(target, QStringLiteral(" update articles set pu31dec=val31dec/qt31dec where qt31dec<>0"));
    // That generation stored 1 for the entry and 2 for the exit.
    runIgnoringFailure(target, QStringLiteral(" update stock set nat_op=%1 where nat_op=1").arg(kNatureEntree));
    runIgnoringFailure(
        target, QStringLiteral(" update stock set nat_op=%1 where nat_op=2").arg(StoredNature(Nature::Dejeuner)));
    runIgnoringFailure(target, QStringLiteral(" update stock set num_bc=0,num_bl=0,date_bl=date_op,date_bc=date_op"));
    runIgnoringFailure(target, QStringLiteral(" insert into menu_effect select * from (") + headCountsOfOldMenus()
                                   + QLatin1Char(')'));
    runIgnoringFailure(target, QStringLiteral(" insert into menu_menu select m.date_menu AS date_menu,m.menu1 AS menu1,"
                                              "m.menu2 AS menu2,m.menu3 AS menu3,m.menu4 AS menu4 from menus m;"));
    // The old third meal is dinner; the snack becomes 0.
    runIgnoringFailure(target, QStringLiteral(" insert into menu_liste select m.date_menu as date_menu,6 as code_categ,"
                                              "m.num_ord as num_ord,m.nom as nom,m.m1 as m1,m.m2 as m2,0 as m3,"
                                              "m.m3 as m4 from MENU_HOSPITALISE m;"));
    runIgnoringFailure(target, QStringLiteral("delete from categories"));
    runIgnoringFailure(
        target, QStringLiteral("insert into categories select * from categories_organisme_1 order by code_categ"));
}

void ConvertFrom0501(const QString &table, QSqlRecord &row, const QSqlDatabase &target)
{
    if (table != QLatin1String("OPTIONS"))
        return;
    row.setValue(QStringLiteral("organisme"), 1);
    moveOldDataFrom0501(target);
}

// The 2008-11-01 generation kept no options: the file gets the row of a kind 1 establishment for the year
// most of its movements (or else its menus) belong to, then the changes of the next generation.
void CompleteFrom1101(const QSqlDatabase &target)
{
    QSqlQuery query(target);
    int year = 0;
    for (const char *table : {"stock", "menus"}) {
        const QString column = QLatin1String(table) == QLatin1String("stock") ? QStringLiteral("date_op")
                                                                              : QStringLiteral("date_menu");
        if (year == 0
            && query.exec(QStringLiteral("select substr(%1,1,4) as y, count(*) as n from %2 where %1 is not "
                                         "null group by y order by n desc, y desc limit 1")
                              .arg(column, QLatin1String(table)))
            && query.next())
            year = query.value(0).toInt();
    }
    if (year < 1900 || year > 2999)
        year = QDate::currentDate().year();
    runIgnoringFailure(target, QStringLiteral("delete from options"));
    runIgnoringFailure(target, QStringLiteral("insert into options values(1,%1,'FR',%2,1)")
                                   .arg(QString::number(year), QuotedSQL(Organisation().town)));
    moveOldDataFrom0501(target);
}

// The 2009-06-06 generation had no purchase order or delivery note on its movements.
void ConvertFrom0606(const QString &table, QSqlRecord &, const QSqlDatabase &target)
{
    if (table == QLatin1String("OPTIONS"))
        runIgnoringFailure(target,
                           QStringLiteral(" update stock set num_bc=0,num_bl=0,date_bl=date_op,date_bc=date_op"));
}

// The tables of db by their names in capitals.
QHash<QString, QString> tablesByUpperName(const QStringList &names)
{
    QHash<QString, QString> byName;
    for (const QString &name : names)
        byName.insert(name.toUpper(), name);
    return byName;
}

// Which columns of table hold days (declared DATE), in the order of columns.
QList<bool> dayColumns(const QSqlDatabase &target, const QString &table, const QSqlRecord &columns)
{
    QList<bool> isDay(columns.count(), false);
    QSqlQuery info(target);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table))))
        return isDay;
    while (info.next()) {
        const int i = columns.indexOf(info.value(1).toString());
        if (i >= 0)
            isDay[i] = info.value(2).toString().compare(QStringLiteral("DATE"), Qt::CaseInsensitive) == 0;
    }
    return isDay;
}

QString uniqueConnectionName(const char *prefix)
{
    static std::atomic<int> count{0};
    return QStringLiteral("%1_%2").arg(QLatin1String(prefix)).arg(++count);
}

} // namespace

QVariant DayValue(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().date().toString(Qt::ISODate);
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (value.metaType().id() != QMetaType::QString)
        return value;
    // "2009-03-20 00:00:00" or "2009-03-20T10:15": the day is what every reader compares.
    static const QRegularExpression withTime(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})[ T]\\d{1,2}:\\d{2}"));
    const QRegularExpressionMatch match = withTime.match(value.toString().trimmed());
    return match.hasMatch() ? QVariant(match.captured(1)) : value;
}

void NormaliseStoredDays(const QSqlDatabase &db)
{
    // Once per file: the triggers made below keep every later write a day, whatever program writes it.
    QSqlQuery done(db);
    if (!done.exec(QStringLiteral("select 1 from sqlite_master where type='trigger' and name='zelvane_days_kept'"))
        || done.next())
        return;
    done.finish();
    QSqlQuery tables(db);
    if (!tables.exec(QStringLiteral("select name from sqlite_master where type='table' and name not like 'sqlite_%'")))
        return;
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    IgnoreFailure("cutting the days stored with a time", [&] {
        Transaction unit(db);
        for (const QString &table : std::as_const(names)) {
            QSqlQuery info(db);
            if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table))))
                continue;
            QStringList days;
            while (info.next()) {
                if (info.value(2).toString().compare(QStringLiteral("DATE"), Qt::CaseInsensitive) == 0)
                    days << info.value(1).toString();
            }
            for (const QString &day : std::as_const(days)) {
                const QString column = quoted(day);
                const QString withTime = QStringLiteral("length(%1)>10 and %1 glob "
                                                        "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9][ T]*'");
                runIgnoringFailure(db, QStringLiteral("update %1 set %2=substr(%2,1,10) where %3")
                                           .arg(quoted(table), column, withTime.arg(column)));
                for (const char *event : {"insert", "update"}) {
                    const QString name = quoted(
                        QStringLiteral("zelvane_day_%1_%2_%3").arg(table, day, QLatin1String(event)));
                    runIgnoringFailure(
                        db, QStringLiteral("create trigger if not exists %1 after %2 on %3 when %4 begin update %3 set "
                                           "%5=substr(new.%5,1,10) where rowid=new.rowid; end")
                                .arg(name,
                                     QLatin1String(event) == QLatin1String("insert")
                                         ? QStringLiteral("insert")
                                         : QStringLiteral("update of ") + column,
                                     quoted(table), withTime.arg(QStringLiteral("new.") + column), column));
                }
            }
        }
        runIgnoringFailure(db, QStringLiteral("create trigger if not exists zelvane_days_kept after insert on version "
                                              "when 0 begin select 1; end"));
        unit.commit();
    });
}

const QList<Generation> &OlderGenerations()
{
    static const QList<Generation> generations = {
        {QStringLiteral("ZELVANE-2008-11-01"),
         {"users", "articles", "factures", "fournisseur", "stock", "menus", "menu_hospitalise"},
         {},
         CompleteFrom1101},
        {QStringLiteral("ZELVANE-2009-05-01"),
         {"users", "fournisseur", "factures", "etat_mensuel", "MENUS", "MENU_HOSPITALISE", "articles", "stock",
          "options"},
         ConvertFrom0501},
        {QStringLiteral("ZELVANE-2009-06-06"),
         {"users", "categories", "fournisseur", "factures", "etat_mensuel", "menus", "menu_hospitalise", "menu_effect",
          "menu_liste", "menu_liste_defaut", "menu_menu", "articles", "stock", "options"},
         ConvertFrom0606},
    };
    return generations;
}

const Generation *GenerationOf(const QString &tag)
{
    for (const Generation &generation : OlderGenerations()) {
        if (generation.tag == tag.trimmed().toUpper())
            return &generation;
    }
    return nullptr;
}

TableNames SplitTableEntry(const QString &entry)
{
    const QString target = entry.section(QLatin1Char(';'), 0, 0).trimmed().toUpper();
    const QString source = entry.contains(QLatin1Char(';')) ? entry.section(QLatin1Char(';'), 1, 1).trimmed().toUpper()
                                                            : target;
    return {target, source};
}

SqliteRowSource::SqliteRowSource(const QString &path)
    : m_connection(uniqueConnectionName("DB_V_OLD"))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!QFileInfo(path).isFile() || !db.open())
        throw DatabaseError(QStringLiteral("%1 ne peut pas être lu : %2").arg(path, db.lastError().text()));
}

SqliteRowSource::~SqliteRowSource()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QStringList SqliteRowSource::tables() const { return QSqlDatabase::database(m_connection, false).tables(); }

void SqliteRowSource::readRows(const QString &table, const std::function<void(const QSqlRecord &)> &row) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select * from ") + quoted(table)))
        throw DatabaseError(QStringLiteral("%1 : %2").arg(table, query.lastError().text()));
    while (query.next())
        row(query.record());
    if (query.lastError().isValid())
        throw DatabaseError(QStringLiteral("%1 : %2").arg(table, query.lastError().text()));
}

QString SqliteRowSource::tag() const
{
    QStringList tags;
    IgnoreFailure("reading the tag of an older file", [&] {
        readRows(QStringLiteral("version"), [&](const QSqlRecord &r) { tags << r.value(0).toString(); });
    });
    return tags.size() == 1 ? tags.first().trimmed() : QString();
}

int CopyTableRows(const QSqlDatabase &target, const QString &targetTable, const RowSource &source,
                  const QString &sourceTable, const ConversionHook &hook, const RefusedRow &refused)
{
    const QSqlRecord columns = target.record(targetTable);
    if (columns.isEmpty())
        throw DatabaseError(QStringLiteral("%1 : table absente").arg(targetTable));
    QStringList names, marks;
    for (int i = 0; i < columns.count(); ++i) {
        names << quoted(columns.fieldName(i));
        marks << QStringLiteral("?");
    }
    QSqlQuery insert(target);
    if (!insert.prepare(QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(quoted(targetTable), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
        throw DatabaseError(QStringLiteral("%1 : %2").arg(targetTable, insert.lastError().text()));
    const QString upperName = targetTable.toUpper();
    const QList<bool> isDay = dayColumns(target, targetTable, columns);
    int refusedRows = 0;
    source.readRows(sourceTable, [&](const QSqlRecord &old) {
        QSqlRecord row = columns;
        for (int i = 0; i < row.count(); ++i) {
            const int from = old.indexOf(row.fieldName(i));
            const QVariant value = from >= 0 ? old.value(from) : QVariant();
            row.setValue(i, isDay.at(i) ? DayValue(value) : value);
        }
        if (hook)
            hook(upperName, row, target);
        for (int i = 0; i < row.count(); ++i)
            insert.bindValue(i, row.value(i));
        if (!insert.exec()) {
            // A row the new schema refuses is left out; a failure of the file itself (a full disk) ends
            // the copy, which has been undone by then.
            const int code = insert.lastError().nativeErrorCode().toInt() & 0xff;
            if (code != SQLITE_CONSTRAINT && code != SQLITE_MISMATCH && code != SQLITE_TOOBIG)
                throw DatabaseError(QStringLiteral("%1 : %2").arg(targetTable, DescribeSqlFailure(insert.lastError())));
            ++refusedRows;
            qCWarning(lcIgnored).noquote()
                << "conversion: a row of" << sourceTable << "refused:" << insert.lastError().text();
            if (refused)
                refused(upperName, insert.lastError().databaseText());
        }
    });
    return refusedRows;
}

int CopyGenerationTables(const QSqlDatabase &target, const RowSource &source, const Generation &generation,
                         const ConversionProgress &progress, const RefusedRow &refused, const QJsonObject &origin)
{
    Transaction unit(target);
    // The template has no users table (the opening makes it): made here so that the users come across.
    QSqlQuery users(target);
    if (!users.exec(QString::fromLatin1(kCreateUsersTable)
                        .replace(QStringLiteral("create table "), QStringLiteral("create table if not exists "))))
        throw DatabaseError(users.lastError().text());
    const QHash<QString, QString> newTables = tablesByUpperName(target.tables());
    const QHash<QString, QString> oldTables = tablesByUpperName(source.tables());
    int refusedRows = 0, done = 0;
    for (const QString &entry : generation.tables) {
        const TableNames names = SplitTableEntry(entry);
        if (newTables.contains(names.target) && oldTables.contains(names.source)) {
            QSqlQuery empty(target);
            if (!empty.exec(QStringLiteral("delete from ") + quoted(newTables.value(names.target))))
                throw DatabaseError(empty.lastError().text());
            refusedRows += CopyTableRows(target, newTables.value(names.target), source, oldTables.value(names.source),
                                         generation.hook, refused);
        }
        if (progress)
            progress(++done, int(generation.tables.size()));
    }
    if (generation.complete)
        generation.complete(target);
    QJsonObject named = origin;
    named.insert(QStringLiteral("version"), generation.tag);
    StartJournal(target, named);
    unit.commit();
    return refusedRows;
}

ConversionResult ConvertOlderFile(const QString &path)
{
    ConversionResult result;
    const QString templatePath = TemplatePath();
    const QString work = WorkFileFor(path);
    if (templatePath.isEmpty()) {
        result.error = QStringLiteral("Le modèle fc.new est introuvable : %1 ne peut pas être converti.").arg(path);
        return result;
    }
    ConversionWindow *window = Form<ConversionWindow>::current();
    const QString newConnection = uniqueConnectionName("DB_V_NEW");
    try {
        const SqliteRowSource old(path);
        const Generation *generation = GenerationOf(old.tag());
        if (!generation)
            throw DatabaseError(QStringLiteral("sa version (%1) n'est d'aucune génération connue")
                                    .arg(old.tag().isEmpty() ? QStringLiteral("aucune") : old.tag()));
        QString error;
        if (!CopyDatabaseFileInto(templatePath, work, &error))
            throw DatabaseError(QStringLiteral("%1 : %2").arg(work, error));
        {
            QSqlDatabase model = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), newConnection);
            model.setDatabaseName(work);
            if (!model.open())
                throw DatabaseError(QStringLiteral("%1 : %2").arg(work, model.lastError().text()));
            if (window)
                window->start(path, int(generation->tables.size()));
            struct Finish
            {
                ConversionWindow *window;
                ~Finish()
                {
                    if (window)
                        window->finish();
                }
            } finish{window};
            result.refusedRows = CopyGenerationTables(
                model, old, *generation,
                [window](int, int) {
                    if (window)
                        window->step();
                },
                {}, {{QStringLiteral("conversion de"), QFileInfo(path).absoluteFilePath()}});
            model.close();
        }
        QSqlDatabase::removeDatabase(newConnection);
        result.backup = KeepNumberedBackup(path, &error);
        if (result.backup.isEmpty())
            throw DatabaseError(QStringLiteral("sa copie de sauvegarde n'a pas pu être faite : %1").arg(error));
        if (!MoveIntoPlace(work, path, &error)) {
            QFile::remove(result.backup);
            result.backup.clear();
            throw DatabaseError(error);
        }
    } catch (const DatabaseError &error) {
        if (QSqlDatabase::contains(newConnection)) {
            QSqlDatabase::database(newConnection, false).close();
            QSqlDatabase::removeDatabase(newConnection);
        }
        RemoveWorkFile(work);
        result.error = QStringLiteral("La conversion de %1 a échoué, le fichier reste tel quel : %2")
                           .arg(path, error.message());
    }
    return result;
}

} // namespace zelvane
