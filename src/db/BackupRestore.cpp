#include "db/BackupRestore.h"

#include "common/Prompter.h"
#include "db/AccessFile.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/SqlFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelvane {

RestoreResult RestoreFileInto(const QString &chosen, const QString &folder)
{
    RestoreResult result;
    const FileCheck check = CheckManagementFile(chosen);
    if (!check.ok()) {
        result.error = QStringLiteral("Restauration refusée : ") + check.error;
        return result;
    }
    QDir().mkpath(folder);
    result.target = QDir(folder).absoluteFilePath(QFileInfo(chosen).fileName());
    if (SameFile(chosen, result.target))
        return result; // already in its place
    const QString work = WorkFileFor(result.target);
    QString error;
    if (CopyDatabaseFileInto(chosen, work, &error)) {
        if (QFileInfo::exists(result.target))
            result.replaced = KeepNumberedBackup(result.target, &error);
        if (error.isEmpty() && !MoveIntoPlace(work, result.target, &error) && !result.replaced.isEmpty()) {
            QFile::remove(result.replaced);
            result.replaced.clear();
        }
    }
    if (!error.isEmpty()) {
        RemoveWorkFile(work);
        result.error = QStringLiteral("La restauration de %1 a échoué, rien n'a été changé : %2").arg(chosen, error);
    }
    return result;
}

void SaveOpenDatabase(Tfdb &db)
{
    if (!HasPriority(db, QStringLiteral("AB"), true))
        return;
    const QFileInfo current(db.CurrentFile);
    const QString chosen = prompter().chooseFileToSave(QStringLiteral("Sauvegarder la Base de Données"),
                                                       current.absolutePath(), current.fileName(),
                                                       QStringLiteral("MDB (*.mdb *.MDB);;Tous les fichiers (*)"));
    if (chosen.isEmpty() || SameFile(chosen, db.CurrentFile))
        return;
    QString error;
    if (!BackupDatabase(SqliteHandle(db.database()), chosen, &error))
        prompter().showMessage(QStringLiteral("La sauvegarde dans %1 a échoué : %2").arg(chosen, error),
                               QStringLiteral("Sauvegarder la Base de Données"), MessageIcon::Warning);
}

QString ChooseFileToRestore(Tfdb &db)
{
    if (!HasPriority(db, QStringLiteral("AB"), true))
        return {};
    const QString chosen = prompter().chooseFileToOpen(QFileInfo(db.CurrentFile).absolutePath(),
                                                       QStringLiteral("*.mdb *.MDB"),
                                                       QStringLiteral("Restaurer la base de données"));
    if (chosen.isEmpty() || SameFile(chosen, db.CurrentFile))
        return {};
    if (IsJetFile(chosen))
        return chosen; // imported by the connection, which checks it
    const FileCheck check = CheckManagementFile(chosen);
    if (!check.ok()) {
        prompter().showMessage(QStringLiteral("Restauration refusée : ") + check.error,
                               QStringLiteral("Restaurer la base de données"), MessageIcon::Warning);
        return {};
    }
    return chosen;
}

} // namespace zelvane
