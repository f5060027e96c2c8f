#include "access/AccessImport.h"

#include "access/JetRowSource.h"
#include "common/DatabaseError.h"
#include "common/Paths.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace zelvane {

namespace {

// An Access file of the current generation holds the current tables: they are copied as they are.
const Generation &currentGeneration()
{
    static const Generation current{QString::fromLatin1(kSchemaTag),
                                    {"users", "categories", "fournisseur", "factures", "etat_mensuel", "menu_effect",
                                     "menu_liste", "menu_liste_defaut", "menu_menu", "articles", "stock", "options"},
                                    {}};
    return current;
}

// The tag in the file's version table, as the opening reads it: empty unless it holds exactly one row.
QString tagOf(const JetRowSource &source)
{
    const JetTable *version = source.schema().table(QStringLiteral("version"));
    if (!version)
        return {};
    QStringList tags;
    source.readRows(version->name,
                    [&](const QSqlRecord &row) { tags << row.value(QStringLiteral("version")).toString(); });
    return tags.size() == 1 ? tags.first().trimmed() : QString();
}

const Generation &generationOf(const JetRowSource &source, const QString &tag)
{
    if (tag.compare(QString::fromLatin1(kSchemaTag), Qt::CaseInsensitive) == 0)
        return currentGeneration();
    if (const Generation *older = GenerationOf(tag))
        return *older;
    const bool managementTables = source.schema().table(QStringLiteral("ARTICLES"))
                                  && source.schema().table(QStringLiteral("STOCK"));
    if (!managementTables)
        throw DatabaseError(QStringLiteral("ce fichier Access n'est pas un dossier de gestion (il n'a pas les tables "
                                           "ARTICLES et STOCK)"));
    throw DatabaseError(QStringLiteral("sa version (%1) n'est d'aucune génération connue")
                            .arg(tag.isEmpty() ? QStringLiteral("aucune") : tag));
}

QString connectionName()
{
    static std::atomic<int> count{0};
    return QStringLiteral("DB_V_IMPORT_%1").arg(++count);
}

// The rows each table of the list holds in the new file.
QList<AccessImportReport::Count> copiedRows(const QSqlDatabase &db, const Generation &generation)
{
    QList<AccessImportReport::Count> counts;
    for (const QString &entry : generation.tables) {
        const QString table = SplitTableEntry(entry).target;
        QSqlQuery query(db);
        if (query.exec(QStringLiteral("select count(*) from ") + table) && query.next())
            counts.append({table, query.value(0).toLongLong()});
    }
    return counts;
}

} // namespace

QString AccessImportReport::text() const
{
    QString text = QStringLiteral("Import de %1\ndans %2\n").arg(source, target);
    if (!ok())
        return text + QStringLiteral("Échec : %1\n").arg(error);
    text += QStringLiteral("Version du dossier : %1\n").arg(tag);
    text += QStringLiteral("Tables lues dans le fichier Access :\n");
    for (const Count &count : read)
        text += QStringLiteral("  %1 : %2 lignes lues\n").arg(count.table).arg(count.rows);
    text += QStringLiteral("Tables du nouveau dossier :\n");
    for (const Count &count : copied)
        text += QStringLiteral("  %1 : %2 lignes\n").arg(count.table).arg(count.rows);
    text += QStringLiteral("Lignes refusées : %1\n").arg(refusedRows);
    for (const Refusal &refusal : refusals)
        text += QStringLiteral("  %1 : %2 ligne(s) refusée(s) : %3\n")
                    .arg(refusal.table)
                    .arg(refusal.rows)
                    .arg(refusal.reason);
    if (!backup.isEmpty())
        text += QStringLiteral("Le fichier Access est conservé sous %1\n").arg(backup);
    return text;
}

QString ImportedFilePath(const QString &source)
{
    const QString name = QFileInfo(source).completeBaseName().replace(QLatin1Char('.'), QLatin1Char('_'));
    return QDir(DatabasesDir()).filePath(name + QStringLiteral(".MDB"));
}

AccessImportReport ImportAccessFile(const QString &source, const QString &target, const ConversionProgress &progress)
{
    AccessImportReport report;
    report.source = source;
    report.target = target;
    const QString work = WorkFileFor(target);
    const QString connection = connectionName();
    try {
        const QString templatePath = TemplatePath();
        if (templatePath.isEmpty())
            throw DatabaseError(QStringLiteral("le modèle fc.new est introuvable"));
        const JetRowSource jet(source);
        report.tag = tagOf(jet);
        const Generation &generation = generationOf(jet, report.tag);
        QString error;
        if (!CopyDatabaseFileInto(templatePath, work, &error))
            throw DatabaseError(QStringLiteral("%1 : %2").arg(work, error));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(work);
            if (!db.open())
                throw DatabaseError(QStringLiteral("%1 : %2").arg(work, db.lastError().text()));
            report.refusedRows = CopyGenerationTables(
                db, jet, generation, progress,
                [&report](const QString &table, const QString &reason) {
                    for (auto &refusal : report.refusals) {
                        if (refusal.table == table && refusal.reason == reason) {
                            ++refusal.rows;
                            return;
                        }
                    }
                    report.refusals.append({table, reason, 1});
                },
                {{QStringLiteral("import de"), QFileInfo(source).absoluteFilePath()}});
            report.copied = copiedRows(db, generation);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
        for (const QString &table : jet.tables())
            report.read.append({table, jet.rowsRead(table)});
        const QString sourceFile = QFileInfo(source).canonicalFilePath();
        if (!sourceFile.isEmpty() && sourceFile == QFileInfo(target).canonicalFilePath()) {
            report.backup = KeepNumberedBackup(source, &error);
            if (report.backup.isEmpty())
                throw DatabaseError(QStringLiteral("le fichier Access n'a pas pu être mis de côté : %1").arg(error));
        }
        if (!MoveIntoPlace(work, target, &error))
            throw DatabaseError(error);
    } catch (const DatabaseError &failure) {
        if (QSqlDatabase::contains(connection)) {
            QSqlDatabase::database(connection, false).close();
            QSqlDatabase::removeDatabase(connection);
        }
        RemoveWorkFile(work);
        if (!report.backup.isEmpty() && QFileInfo::exists(source))
            QFile::remove(report.backup);
        report.backup.clear();
        report.read.clear();
        report.copied.clear();
        report.error = failure.message();
    }
    return report;
}

} // namespace zelvane
