#include "journal/Journal.h"

#include "common/DatabaseError.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace zelvane {

namespace {

// The tables whose rows the journal follows. The older tables kept only for the conversion, the version,
// the organisations' reference list and the login delays are not a canteen's records.
const char *const kJournaledTables[] = {"STOCK",       "ARTICLES",  "fournisseur", "FACTURES",          "etat_mensuel",
                                        "menu_effect", "menu_menu", "menu_liste",  "menu_liste_defaut", "categories",
                                        "options",     "users"};

const auto kCreateTable = QStringLiteral(
    "create table if not exists journal (id integer primary key autoincrement, at_utc text not null, "
    "at_local text not null, user_name text, program text, command text, table_name text not null, "
    "row_key text, kind text not null, before_values text, after_values text, hash text)");
// The entries a commit seals are found without reading the whole journal.
const auto kCreateIndex = QStringLiteral(
    "create index if not exists journal_unsealed on journal(id) where hash is null");
const auto kNow = QStringLiteral(
    "strftime('%Y-%m-%dT%H:%M:%SZ','now'), strftime('%Y-%m-%d %H:%M:%S','now','localtime')");

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}
QString literal(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

QSqlQuery run(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        throw DatabaseError(QStringLiteral("journal : %1").arg(query.lastError().text()));
    return query;
}

bool hasTable(const QSqlDatabase &db, const QString &name)
{
    QSqlQuery query(db);
    return query.exec(QStringLiteral("select 1 from sqlite_master where type='table' and name=") + literal(name))
           && query.next();
}

// One side's value of a column as the journal keeps it: a password only as the tail of its hash (enough to
// see that it changed), a blob as hex text since JSON holds none.
QString columnValue(const QString &table, const QString &column, const QString &side)
{
    const QString value = side + QLatin1Char('.') + quoted(column);
    if (table.compare(QStringLiteral("users"), Qt::CaseInsensitive) == 0
        && column.compare(QStringLiteral("password"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("iif(%1 is null, null, iif(%1 like '$%', '…' || substr(%1, -6), '(en clair)'))")
            .arg(value);
    return QStringLiteral("iif(typeof(%1)='blob', hex(%1), %1)").arg(value);
}

void createTriggers(const QSqlDatabase &db, const QString &table)
{
    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table))))
        return;
    QStringList columns;
    QMap<int, QString> keys;
    while (info.next()) {
        columns << info.value(1).toString();
        if (info.value(5).toInt() > 0)
            keys.insert(info.value(5).toInt(), info.value(1).toString());
    }
    if (columns.isEmpty())
        return;
    auto object = [&](const QString &side) {
        QStringList parts;
        for (const QString &column : std::as_const(columns))
            parts << literal(column) << columnValue(table, column, side);
        return QStringLiteral("json_object(%1)").arg(parts.join(QLatin1Char(',')));
    };
    auto key = [&](const QString &side) {
        if (keys.isEmpty())
            return side + QStringLiteral(".rowid");
        QStringList parts;
        for (const QString &column : std::as_const(keys))
            parts << side + QLatin1Char('.') + quoted(column);
        return parts.join(QStringLiteral(" || '/' || "));
    };
    QStringList unchanged;
    for (const QString &column : std::as_const(columns))
        unchanged << QStringLiteral("old.%1 is new.%1").arg(quoted(column));
    const QString insert = QStringLiteral("insert into journal(at_utc, at_local, table_name, row_key, kind, "
                                          "before_values, after_values) values(%1, %2, %3, %4, %5, %6)");
    const QString name = QStringLiteral("zelvane_journal_%1_").arg(table.toLower());
    run(db, QStringLiteral("create trigger if not exists %1 after insert on %2 begin %3; end")
                .arg(quoted(name + QStringLiteral("insert")), quoted(table),
                     insert.arg(kNow, literal(table), key(QStringLiteral("new")),
                                literal(QLatin1String(journal_kind::Insert)), QStringLiteral("null"),
                                object(QStringLiteral("new")))));
    run(db, QStringLiteral("create trigger if not exists %1 after update on %2 when not (%3) begin %4; end")
                .arg(quoted(name + QStringLiteral("update")), quoted(table), unchanged.join(QStringLiteral(" and ")),
                     insert.arg(kNow, literal(table), key(QStringLiteral("new")),
                                literal(QLatin1String(journal_kind::Update)), object(QStringLiteral("old")),
                                object(QStringLiteral("new")))));
    run(db, QStringLiteral("create trigger if not exists %1 after delete on %2 begin %3; end")
                .arg(quoted(name + QStringLiteral("delete")), quoted(table),
                     insert.arg(kNow, literal(table), key(QStringLiteral("old")),
                                literal(QLatin1String(journal_kind::Delete)), object(QStringLiteral("old")),
                                QStringLiteral("null"))));
}

QString compact(const QJsonObject &object)
{
    return object.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QJsonObject parsed(const QString &json) { return QJsonDocument::fromJson(json.toUtf8()).object(); }

QString withoutNulls(const QString &json)
{
    if (json.isEmpty())
        return json;
    QJsonObject object = parsed(json);
    for (const QString &column : object.keys()) {
        if (object.value(column).isNull())
            object.remove(column);
    }
    return compact(object);
}

QString chainHash(const QString &previous, const JournalEntry &e)
{
    const QStringList parts{
        previous, QString::number(e.id), e.utc, e.local, e.user, e.program, e.command, e.table, e.key, e.kind, e.before,
        e.after};
    return QString::fromLatin1(
        QCryptographicHash::hash(parts.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha256).toHex());
}

JournalEntry entryOf(const QSqlQuery &row)
{
    JournalEntry e;
    e.id = row.value(0).toLongLong();
    e.utc = row.value(1).toString();
    e.local = row.value(2).toString();
    e.user = row.value(3).toString();
    e.program = row.value(4).toString();
    e.command = row.value(5).toString();
    e.table = row.value(6).toString();
    e.key = row.value(7).toString();
    e.kind = row.value(8).toString();
    e.before = row.value(9).toString();
    e.after = row.value(10).toString();
    e.hash = row.value(11).toString();
    return e;
}

const auto kColumns = QStringLiteral("id, at_utc, at_local, user_name, program, command, table_name, row_key, kind, "
                                     "before_values, after_values, hash");

// Seals the unsealed entries in order as made by actor; an update keeps only the columns that changed.
void sealPending(const QSqlDatabase &db, const JournalActor &actor)
{
    QSqlQuery pending(db);
    pending.setForwardOnly(true);
    // A file without a journal (a template, a file being made) has nothing to seal.
    if (!pending.exec(QStringLiteral("select %1 from journal where hash is null order by id").arg(kColumns)))
        return;
    QList<JournalEntry> entries;
    while (pending.next())
        entries << entryOf(pending);
    pending.finish();
    if (entries.isEmpty())
        return;
    QSqlQuery previous(db);
    previous.prepare(QStringLiteral("select hash from journal where id < ? order by id desc limit 1"));
    previous.addBindValue(entries.first().id);
    if (!previous.exec())
        throw DatabaseError(QStringLiteral("journal : %1").arg(previous.lastError().text()));
    QString last = previous.next() ? previous.value(0).toString() : QString();
    previous.finish();
    QSqlQuery seal(db);
    if (!seal.prepare(QStringLiteral("update journal set user_name=?, program=?, command=?, before_values=?, "
                                     "after_values=?, hash=? where id=?")))
        throw DatabaseError(QStringLiteral("journal : %1").arg(seal.lastError().text()));
    for (JournalEntry &e : entries) {
        e.user = actor.user;
        e.program = actor.program;
        e.command = actor.currentCommand ? actor.currentCommand() : actor.command;
        if (e.kind == QLatin1String(journal_kind::Update)) {
            QJsonObject before = parsed(e.before), after = parsed(e.after);
            for (const QString &column : before.keys()) {
                if (before.value(column) == after.value(column)) {
                    before.remove(column);
                    after.remove(column);
                }
            }
            e.before = compact(before);
            e.after = compact(after);
        } else {
            // A row added or removed: its empty columns say nothing and would only grow the file.
            e.before = withoutNulls(e.before);
            e.after = withoutNulls(e.after);
        }
        e.hash = chainHash(last, e);
        last = e.hash;
        for (const QVariant &value : {QVariant(e.user), QVariant(e.program), QVariant(e.command), QVariant(e.before),
                                      QVariant(e.after), QVariant(e.hash), QVariant(e.id)})
            seal.addBindValue(value);
        if (!seal.exec())
            throw DatabaseError(QStringLiteral("journal : %1").arg(seal.lastError().text()));
    }
}

// Runs work inside a savepoint of its own, undone when it raises.
template<typename Work>
void asUnit(const QSqlDatabase &db, Work work)
{
    run(db, QStringLiteral("savepoint zelvane_journal"));
    try {
        work();
        run(db, QStringLiteral("release zelvane_journal"));
    } catch (...) {
        QSqlQuery undo(db);
        undo.exec(QStringLiteral("rollback to zelvane_journal"));
        undo.exec(QStringLiteral("release zelvane_journal"));
        throw;
    }
}

void addOrigin(const QSqlDatabase &db, const QJsonObject &origin)
{
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("insert into journal(at_utc, at_local, table_name, row_key, kind, after_values) "
                                  "values(%1, '', '', ?, ?)")
                       .arg(kNow));
    insert.addBindValue(QString::fromLatin1(journal_kind::Origin));
    insert.addBindValue(compact(origin));
    if (!insert.exec())
        throw DatabaseError(QStringLiteral("journal : %1").arg(insert.lastError().text()));
}

void installTriggers(const QSqlDatabase &db)
{
    run(db, kCreateTable);
    run(db, kCreateIndex);
    for (const char *table : kJournaledTables) {
        if (hasTable(db, QLatin1String(table)))
            createTriggers(db, QLatin1String(table));
    }
}

} // namespace

JournalActor &journalActor()
{
    static JournalActor actor;
    return actor;
}

void InstallJournal(const QSqlDatabase &db)
{
    asUnit(db, [&] {
        if (!hasTable(db, QStringLiteral("journal"))) {
            installTriggers(db);
            addOrigin(db, {{QStringLiteral("journal"), QStringLiteral("commencé sur un fichier existant")}});
        } else {
            installTriggers(db);
        }
        // Whatever is unsealed now was written by another program: it is kept, under that name.
        sealPending(db, {QString::fromLatin1(kOutsideProgram), QString(), QStringLiteral("—")});
        sealPending(db, journalActor());
    });
}

void SealJournal(const QSqlDatabase &db) { sealPending(db, journalActor()); }

QString LastJournalHash(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("select hash from journal order by id desc limit 1")) && query.next())
        return query.value(0).toString();
    return {};
}

void DropJournal(const QSqlDatabase &db)
{
    QSqlQuery triggers(db);
    if (!triggers.exec(QStringLiteral("select name from sqlite_master where type='trigger' and name like "
                                      "'zelvane_journal_%'")))
        throw DatabaseError(QStringLiteral("journal : %1").arg(triggers.lastError().text()));
    QStringList names;
    while (triggers.next())
        names << triggers.value(0).toString();
    triggers.finish();
    for (const QString &name : std::as_const(names))
        run(db, QStringLiteral("drop trigger ") + quoted(name));
    if (hasTable(db, QStringLiteral("journal"))) {
        run(db, QStringLiteral("delete from journal"));
        run(db, QStringLiteral("delete from sqlite_sequence where name='journal'"));
    }
}

void StartJournal(const QSqlDatabase &db, const QJsonObject &origin)
{
    asUnit(db, [&] {
        installTriggers(db);
        addOrigin(db, origin);
        sealPending(db, journalActor());
    });
}

QList<JournalEntry> ReadJournal(const QSqlDatabase &db, const JournalFilter &filter)
{
    QList<JournalEntry> entries;
    if (!hasTable(db, QStringLiteral("journal")))
        return entries;
    QStringList where;
    if (filter.from.isValid())
        where << QStringLiteral("at_local >= ") + literal(filter.from.toString(Qt::ISODate));
    if (filter.to.isValid())
        where << QStringLiteral("at_local < ") + literal(filter.to.addDays(1).toString(Qt::ISODate));
    if (!filter.user.isEmpty())
        where << QStringLiteral("user_name = ") + literal(filter.user);
    if (!filter.kind.isEmpty())
        where << QStringLiteral("kind = ") + literal(filter.kind);
    if (!filter.article.isEmpty()) {
        const QString code = literal(filter.article);
        // A movement's change names its article only when the article changed: the movement's other entries
        // and its row today tell the rest.
        where << QStringLiteral(
                     "((upper(table_name)='ARTICLES' and row_key=%1) or (upper(table_name)='STOCK' and "
                     "(cast(json_extract(before_values,'$.CODE_ART') as text)=%1 or "
                     "cast(json_extract(after_values,'$.CODE_ART') as text)=%1 or row_key in (select "
                     "j.row_key from journal j where upper(j.table_name)='STOCK' and "
                     "cast(json_extract(coalesce(j.after_values, j.before_values),'$.CODE_ART') as text)=%1) "
                     "or row_key in (select cast(NUM_MVT as text) from STOCK where cast(CODE_ART as text)=%1))))")
                     .arg(code);
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const QString sql = QStringLiteral("select %1 from journal%2 order by id")
                            .arg(kColumns, where.isEmpty()
                                               ? QString()
                                               : QStringLiteral(" where ") + where.join(QStringLiteral(" and ")));
    if (!query.exec(sql))
        throw DatabaseError(QStringLiteral("journal : %1").arg(query.lastError().text()));
    while (query.next())
        entries << entryOf(query);
    return entries;
}

JournalCheck VerifyJournal(const QSqlDatabase &db)
{
    JournalCheck check;
    if (!hasTable(db, QStringLiteral("journal"))) {
        check.reason = QStringLiteral("le fichier n'a pas de journal");
        return check;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select %1 from journal order by id").arg(kColumns))) {
        check.reason = query.lastError().text();
        return check;
    }
    QString previous;
    qint64 expected = 1;
    while (query.next()) {
        const JournalEntry e = entryOf(query);
        ++check.entries;
        // Ids are handed out in order and never reused, and a rolled-back write gives its id back: a gap is
        // an entry removed.
        if (e.id != expected) {
            check.firstBad = expected;
            check.reason = QStringLiteral("l'entrée %1 manque : elle a été supprimée").arg(expected);
            return check;
        }
        if (e.hash.isEmpty()) {
            check.firstBad = e.id;
            check.reason = QStringLiteral("l'entrée %1 n'est pas scellée : elle a été écrite hors du programme")
                               .arg(e.id);
            return check;
        }
        if (chainHash(previous, e) != e.hash) {
            check.firstBad = e.id;
            check.reason = QStringLiteral("l'entrée %1 ne correspond plus à son empreinte : elle, ou une entrée "
                                          "avant elle, a été modifiée")
                               .arg(e.id);
            return check;
        }
        previous = e.hash;
        ++expected;
    }
    QSqlQuery sequence(db);
    if (sequence.exec(QStringLiteral("select seq from sqlite_sequence where name='journal'")) && sequence.next()
        && sequence.value(0).toLongLong() >= expected) {
        check.firstBad = expected;
        check.reason = QStringLiteral("les entrées à partir de %1 manquent : elles ont été supprimées").arg(expected);
    }
    return check;
}

QString JournalValues(const QString &json)
{
    const QJsonObject object = parsed(json);
    QStringList parts;
    for (auto it = object.begin(); it != object.end(); ++it)
        parts << QStringLiteral("%1=%2").arg(it.key(), it.value().toVariant().toString());
    return parts.join(QStringLiteral("; "));
}

} // namespace zelvane
