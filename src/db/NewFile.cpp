#include "db/NewFile.h"

#include "common/DatabaseError.h"
#include "common/Format.h"
#include "common/Paths.h"
#include "common/WorkFiles.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/Preparation.h"
#include "db/Transaction.h"
#include "db/YearFiles.h"
#include "journal/Journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace zelvane {

namespace {

NewFileResult failure(const QString &error) { return {QString(), error}; }

// Runs work on the file at path in one unit of a connection of its own; the failure's text, or empty.
QString onFile(const QString &path, const std::function<void(const QSqlDatabase &)> &work)
{
    const QString connection = QStringLiteral("DB_NEW_FILE_JOURNAL");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            try {
                Transaction unit(db);
                work(db);
                unit.commit();
            } catch (const DatabaseError &e) {
                error = e.message();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

} // namespace

NewFileResult CreateManagementFile(Tfdb &db, const NewFileRequest &request)
{
    const std::optional<qint64> digits = ParseDigits(request.year.trimmed());
    const int year = digits ? int(*digits) : 0;
    if (year < 1900 || year > 2999)
        return failure(QStringLiteral("the year '%1' is not a year").arg(request.year));
    const QString templatePath = TemplatePath();
    if (templatePath.isEmpty())
        return failure(QStringLiteral("the template fc.new is missing"));

    QDir().mkpath(request.folder);
    const QString name = request.fileName.isEmpty() ? NouveauFichier(request.folder, QString::number(year))
                                                    : request.fileName;
    const QString target = QDir(request.folder).absoluteFilePath(name);
    if (const QString refused = ManagementFileNameError(name); !refused.isEmpty())
        return failure(refused);
    if (const QString refused = RefusedOutput(target, request.overwrite); !refused.isEmpty())
        return failure(refused);

    RemoveStaleWorkFiles(request.folder);
    const QString work = NewFileWorkPath(request.folder);
    QFile::remove(work);
    if (!CopyFileOver(templatePath, work)) {
        const QString reason = RefusedOutput(work, true);
        RemoveWorkFile(work);
        return failure(
            QStringLiteral("le modèle ne peut pas être copié dans %1 : %2")
                .arg(request.folder, reason.isEmpty() ? QStringLiteral("disque plein ou illisible") : reason));
    }

    QString error;
    // A connection of its own, so that making a file never takes the alias of the file the program has open.
    const int opened = db.OpenDatabaseFile(QStringLiteral("DB_NEW_FILE"), work, false, false,
                                           QString::fromLatin1(kSchemaTag));
    if (opened != OpenOk) {
        error = QStringLiteral("the template cannot be opened (result %1)").arg(opened);
    } else {
        bool known = false;
        for (const EstablishmentKind &k : db.establishmentKinds())
            known = known || k.code.toInt() == request.kind;
        if (!known) {
            error = QStringLiteral("unknown establishment kind %1").arg(request.kind);
        } else {
            db.prepare_nouveau_dossier(request.kind, QString::number(year));
            db.LoadOptions();
            const auto articles = db.GetQuery(QStringLiteral("select count(*) from articles"));
            const bool hasArticles = articles && articles->next() && articles->value(0).toLongLong() > 0;
            if (db.organisme != request.kind || db.gestion != year || !hasArticles)
                error = QStringLiteral("the preparation of kind %1 failed").arg(request.kind);
        }
    }
    db.closeSession();
    // The preparation and the filling make the file: its journal starts after them, with one entry.
    if (error.isEmpty())
        error = onFile(work, DropJournal);
    if (error.isEmpty() && request.fill)
        error = request.fill(work);
    if (error.isEmpty())
        error = onFile(work, [&](const QSqlDatabase &made) {
            StartJournal(made, {{QStringLiteral("nouveau dossier"), name},
                                {QStringLiteral("organisme"), request.kind},
                                {QStringLiteral("gestion"), year}});
        });
    QString replaced;
    if (error.isEmpty())
        replaced = ReplaceKeepingBackup(
            target, [&](QString *e) { return MoveIntoPlace(work, target, e); }, &error);
    if (!error.isEmpty()) {
        RemoveWorkFile(work);
        return failure(error);
    }
    return {target, QString(), replaced};
}

} // namespace zelvane
