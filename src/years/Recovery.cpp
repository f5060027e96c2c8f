#include "years/Recovery.h"

#include "common/Paths.h"
#include "common/Text.h"
#include "common/WorkFiles.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"

#include <QFile>
#include <QFileInfo>
#include <limits>
#include <optional>
#include <sqlite3.h>

namespace zelvane {

namespace {

// A connection of the C interface, closed when it goes.
struct Connection
{
    sqlite3 *db = nullptr;
    explicit Connection(const QString &path, int flags)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr) != SQLITE_OK) {
            sqlite3_close_v2(db);
            db = nullptr;
        }
    }
    ~Connection() { sqlite3_close_v2(db); }
    QString error() const { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"); }
};

// A prepared statement, finalized when it goes.
struct Statement
{
    sqlite3_stmt *stmt = nullptr;
    Statement(sqlite3 *db, const QString &sql) { sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr); }
    ~Statement() { sqlite3_finalize(stmt); }
};

QStringList tableColumns(sqlite3 *db, const QString &table)
{
    QStringList columns;
    Statement q(db, QStringLiteral("select name from pragma_table_info(%1)").arg(QuotedSQL(table)));
    while (q.stmt && sqlite3_step(q.stmt) == SQLITE_ROW)
        columns << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(q.stmt, 0)));
    return columns;
}

// The first rowid above after that a read reaches, past pages that cannot be read; nullopt when none can.
// Probes farther and farther ahead, then comes back to the nearest probe that reads, so that few rows of
// sound pages beyond the damage are passed over.
std::optional<qint64> nextReadableRowid(sqlite3 *db, const QString &table, qint64 after)
{
    Statement probe(
        db,
        QStringLiteral("select rowid from %1 where rowid > ?1 order by rowid limit 1").arg(QuotedIdentifier(table)));
    const auto readFrom = [&](qint64 from) -> std::optional<std::optional<qint64>> {
        sqlite3_reset(probe.stmt);
        sqlite3_bind_int64(probe.stmt, 1, from);
        const int rc = sqlite3_step(probe.stmt);
        if (rc == SQLITE_ROW)
            return std::optional<qint64>(sqlite3_column_int64(probe.stmt, 0));
        if (rc == SQLITE_DONE)
            return std::optional<qint64>();
        return std::nullopt; // the probe fell on a damaged page
    };
    qint64 low = after, step = 1;
    std::optional<std::optional<qint64>> found;
    while (!found) {
        if (after > std::numeric_limits<qint64>::max() - step)
            return std::nullopt;
        found = readFrom(after + step);
        if (!found) {
            low = after + step;
            step *= 2;
        }
    }
    // Between the last probe that failed and the first that read, the nearest one that reads.
    qint64 high = after + step;
    while (high - low > 1) {
        const qint64 middle = low + (high - low) / 2;
        if (const auto read = readFrom(middle)) {
            high = middle;
            found = read;
        } else {
            low = middle;
        }
    }
    return *found;
}

// Copies the readable rows of table from source into target (columns in common), passing over the pages
// that cannot be read; the rows kept, or -1 with error.
qint64 copyReadableRows(sqlite3 *source, sqlite3 *target, const QString &table, QString *error)
{
    const QStringList targetColumns = tableColumns(target, table);
    QStringList common;
    for (const QString &column : tableColumns(source, table)) {
        if (targetColumns.contains(column, Qt::CaseInsensitive))
            common << QuotedIdentifier(column);
    }
    if (common.isEmpty())
        return 0;
    const QString name = QuotedIdentifier(table);
    Statement read(source, QStringLiteral("select rowid, %1 from %2 where rowid > ?1 order by rowid")
                               .arg(common.join(QLatin1Char(',')), name));
    QStringList marks;
    for (int i = 1; i <= common.size(); ++i)
        marks << QStringLiteral("?%1").arg(i);
    Statement write(target, QStringLiteral("insert or ignore into %1 (%2) values (%3)")
                                .arg(name, common.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    if (!read.stmt || !write.stmt) {
        *error = QStringLiteral("%1 : %2").arg(table, QString::fromUtf8(sqlite3_errmsg(read.stmt ? target : source)));
        return -1;
    }
    qint64 kept = 0;
    std::optional<qint64> from = std::numeric_limits<qint64>::min();
    while (from) {
        sqlite3_reset(read.stmt);
        sqlite3_bind_int64(read.stmt, 1, *from);
        int rc;
        qint64 last = *from;
        while ((rc = sqlite3_step(read.stmt)) == SQLITE_ROW) {
            last = sqlite3_column_int64(read.stmt, 0);
            sqlite3_reset(write.stmt);
            for (int i = 0; i < common.size(); ++i)
                sqlite3_bind_value(write.stmt, i + 1, sqlite3_column_value(read.stmt, i + 1));
            if (sqlite3_step(write.stmt) != SQLITE_DONE) {
                *error = QStringLiteral("%1 : %2").arg(table, QString::fromUtf8(sqlite3_errmsg(target)));
                return -1;
            }
            kept += sqlite3_changes(target);
        }
        if (rc == SQLITE_DONE)
            break;
        // A damaged page: go on after it. What was before the next readable row on it is lost.
        from = nextReadableRowid(source, table, last);
        if (from)
            --*from;
    }
    return kept;
}

// The number of rows the damaged file still counts for table (an index may count the rows of pages that
// cannot be read any more); -1 when it cannot.
qint64 countedRows(sqlite3 *source, const QString &table)
{
    Statement q(source, QStringLiteral("select count(*) from %1").arg(QuotedIdentifier(table)));
    return q.stmt && sqlite3_step(q.stmt) == SQLITE_ROW ? sqlite3_column_int64(q.stmt, 0) : -1;
}

} // namespace

QString RecoveryReport::text() const
{
    QString text;
    for (const RecoveredTable &t : tables) {
        text += QStringLiteral("%1 : %2 lignes gardées, %3\n")
                    .arg(t.table)
                    .arg(t.kept)
                    .arg(t.lost < 0 ? QStringLiteral("perdues inconnues") : QStringLiteral("%1 perdues").arg(t.lost));
    }
    return text;
}

RecoveryReport RecoverManagementFile(const QString &source, const QString &target)
{
    RecoveryReport report;
    if (!QFileInfo(source).isFile()) {
        report.error = DescribeUnopenableFile(source);
        return report;
    }
    const QString templatePath = TemplatePath();
    if (templatePath.isEmpty()) {
        report.error = QStringLiteral("le modèle fc.new est introuvable");
        return report;
    }
    const Connection damaged(source, SQLITE_OPEN_READONLY);
    QStringList tags;
    if (damaged.db) {
        Statement q(damaged.db, QStringLiteral("select version from version"));
        while (q.stmt && sqlite3_step(q.stmt) == SQLITE_ROW)
            tags << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(q.stmt, 0))).trimmed();
    }
    if (tags.size() != 1 || tags.first().compare(QString::fromLatin1(kSchemaTag), Qt::CaseInsensitive) != 0) {
        report.error = QStringLiteral("%1 ne se lit pas comme un dossier de gestion de la version %2 (%3)")
                           .arg(source, QString::fromLatin1(kSchemaTag),
                                damaged.db ? QStringLiteral("version illisible") : damaged.error());
        return report;
    }

    const FileInUse reading(source);
    const QString work = WorkFileFor(target);
    RemoveWorkFile(work);
    if (!CopyFileOver(templatePath, work)) {
        const QString reason = RefusedOutput(work, true);
        report.error = QStringLiteral("le modèle ne peut pas être copié dans %1 : %2")
                           .arg(QFileInfo(work).absolutePath(),
                                reason.isEmpty() ? QStringLiteral("disque plein") : reason);
        RemoveWorkFile(work);
        return report;
    }
    {
        const Connection made(work, SQLITE_OPEN_READWRITE);
        QStringList tables;
        {
            Statement q(made.db, QStringLiteral("select name from sqlite_master where type='table' and name not like "
                                                "'sqlite%' and lower(name)<>'version' order by name"));
            while (q.stmt && sqlite3_step(q.stmt) == SQLITE_ROW)
                tables << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(q.stmt, 0)));
        }
        if (!made.db || sqlite3_exec(made.db, "begin", nullptr, nullptr, nullptr) != SQLITE_OK)
            report.error = made.error();
        for (const QString &table : std::as_const(tables)) {
            if (!report.ok())
                break;
            // The template's own rows (reference lists) stay unless the damaged file's table gives rows.
            const QString savepoint = QStringLiteral("savepoint t; delete from %1").arg(QuotedIdentifier(table));
            sqlite3_exec(made.db, savepoint.toUtf8().constData(), nullptr, nullptr, nullptr);
            const qint64 kept = copyReadableRows(damaged.db, made.db, table, &report.error);
            sqlite3_exec(made.db, kept > 0 ? "release t" : "rollback to t; release t", nullptr, nullptr, nullptr);
            const qint64 counted = countedRows(damaged.db, table);
            report.tables << RecoveredTable{table, qMax<qint64>(0, kept),
                                            counted < 0 ? -1 : qMax<qint64>(0, counted - kept)};
        }
        if (report.ok() && sqlite3_exec(made.db, "commit", nullptr, nullptr, nullptr) != SQLITE_OK)
            report.error = made.error();
        QStringList checked;
        if (report.ok()) {
            Statement q(made.db, QStringLiteral("pragma quick_check"));
            while (q.stmt && sqlite3_step(q.stmt) == SQLITE_ROW)
                checked << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(q.stmt, 0)));
            if (checked != QStringList{QStringLiteral("ok")})
                report.error = QStringLiteral("le fichier reconstruit ne passe pas la vérification : %1")
                                   .arg(checked.join(QStringLiteral(" ; ")));
        }
    }
    QString error;
    if (!report.ok() || !MoveIntoPlace(work, target, &error)) {
        RemoveWorkFile(work);
        if (report.ok())
            report.error = error;
        report.tables.clear();
        return report;
    }
    report.path = target;
    return report;
}

} // namespace zelvane
