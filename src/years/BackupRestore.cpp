#include "years/BackupRestore.h"

#include "common/Profile.h"
#include "common/Prompter.h"
#include "db/AccessFile.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/Preparation.h"
#include "db/SqlFunctions.h"
#include "db/YearFiles.h"
#include "years/SafetyCopies.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>

namespace zelvane {

namespace {

const QString kBackupTitle = QStringLiteral("Sauvegarder la Base de Données");

struct YearOf
{
    int organisme = 0;
    int gestion = 0;
};

// The establishment kind and year of a management file's options, read without changing it; zeros when
// it has none.
YearOf yearOf(const QString &path)
{
    YearOf year;
    const QString connection = QStringLiteral("DB_YEAR_OF");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("select organisme, gestion from options")) && query.next())
                year = {query.value(0).toInt(), query.value(1).toInt()};
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return year;
}

bool isYearFileName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^DOS\\d+_\\d{4}\\.MDB$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

} // namespace

QString RestoreTargetFor(const QString &chosen, const QString &folder)
{
    const QString name = QFileInfo(chosen).fileName();
    const YearOf year = isYearFileName(name) ? YearOf() : yearOf(chosen);
    if (year.gestion <= 0)
        return QDir(folder).absoluteFilePath(name);
    // A backup under another name goes back over its year's file, or becomes that year's file: a second
    // file of the year would be found neither by the archive tab nor by the year navigation.
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("DOS*_%1.MDB").arg(year.gestion)});
    for (const QString &candidate : dir.entryList(QDir::Files, QDir::Name)) {
        const YearOf other = yearOf(dir.absoluteFilePath(candidate));
        if (isYearFileName(candidate) && other.gestion == year.gestion && other.organisme == year.organisme)
            return dir.absoluteFilePath(candidate);
    }
    return dir.absoluteFilePath(NouveauFichier(folder, QString::number(year.gestion)));
}

RestoreResult RestoreFileInto(const QString &chosen, const QString &folder)
{
    RestoreResult result;
    const FileCheck check = CheckManagementFile(chosen);
    if (!check.ok()) {
        result.error = QStringLiteral("Restauration refusée : ") + check.error;
        return result;
    }
    QDir().mkpath(folder);
    result.target = RestoreTargetFor(chosen, folder);
    if (const QString refusal = ReservedNameRefusal(result.target); !refusal.isEmpty()) {
        result.error = QStringLiteral("Restauration refusée : ") + refusal;
        return result;
    }
    if (SameFile(chosen, result.target))
        return result; // already in its place
    const QString work = WorkFileFor(result.target);
    QString error;
    if (CopyDatabaseFileInto(chosen, work, &error))
        result.replaced = ReplaceKeepingBackup(
            result.target, [&](QString *e) { return MoveIntoPlace(work, result.target, e); }, &error);
    if (!error.isEmpty()) {
        RemoveWorkFile(work);
        result.error = QStringLiteral("La restauration de %1 a échoué, rien n'a été changé : %2").arg(chosen, error);
    }
    return result;
}

QString ProposedBackupPath(const QString &currentFile, const QDate &day)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QFileInfo(currentFile).absolutePath();
    return QDir(folder).absoluteFilePath(
        QStringLiteral("%1_sauvegarde_%2.MDB")
            .arg(QFileInfo(currentFile).completeBaseName(), day.toString(QStringLiteral("dd-MM-yyyy"))));
}

void SaveOpenDatabase(Tfdb &db)
{
    if (!HasPriority(db, QStringLiteral("AB"), true))
        return;
    const QFileInfo proposed(ProposedBackupPath(db.CurrentFile, QDate::currentDate()));
    const QString chosen = prompter().chooseFileToSave(kBackupTitle, proposed.absolutePath(), proposed.fileName(),
                                                       QStringLiteral("MDB (*.mdb *.MDB);;Tous les fichiers (*)"));
    if (chosen.isEmpty())
        return;
    if (SameFile(chosen, db.CurrentFile)) {
        prompter().showMessage(QStringLiteral("%1 est le fichier ouvert : une sauvegarde doit aller dans un autre "
                                              "fichier. Rien n'a été écrit.")
                                   .arg(chosen),
                               kBackupTitle, MessageIcon::Warning);
        return;
    }
    QString error;
    const QString replaced = ReplaceKeepingBackup(
        chosen, [&](QString *e) { return BackupDatabase(SqliteHandle(db.database()), chosen, e); }, &error);
    if (!error.isEmpty()) {
        prompter().showMessage(QStringLiteral("La sauvegarde dans %1 a échoué : %2").arg(chosen, error), kBackupTitle,
                               MessageIcon::Warning);
        return;
    }
    QString text = QStringLiteral("La base de données a été sauvegardée dans %1.")
                       .arg(QFileInfo(chosen).absoluteFilePath());
    if (!replaced.isEmpty())
        text += QStringLiteral("\nLe fichier remplacé est conservé sous %1.").arg(replaced);
    prompter().showMessage(text, kBackupTitle, MessageIcon::Information);
}

QString ChooseFileToRestore(Tfdb &db)
{
    if (!HasPriority(db, QStringLiteral("AB"), true))
        return {};
    // The year's safety copies come first, newest last, with the file dialog for any other file.
    const QList<SafetyCopy> copies = ListSafetyCopies(
        SafetyFolder(db.CurrentFile, Profile().ReadValue(QString::fromLatin1(kSafetyFolderKey))), db.CurrentFile);
    QString chosen;
    if (!copies.isEmpty()) {
        QStringList choices;
        for (const SafetyCopy &copy : copies)
            choices << QStringLiteral("Copie de sécurité du %1 (%2)")
                           .arg(copy.day.toString(QStringLiteral("dd/MM/yyyy")),
                                copy.movements < 0 ? QStringLiteral("illisible")
                                                   : QStringLiteral("%1 mouvements").arg(copy.movements));
        choices << QStringLiteral("Autre fichier…");
        const int index = prompter().choose(QStringLiteral("Fichier à restaurer :"),
                                            QStringLiteral("Restaurer la base de données"), choices,
                                            int(copies.size()) - 1);
        if (index < 0)
            return {};
        if (index < copies.size())
            chosen = copies.at(index).path;
    }
    if (chosen.isEmpty())
        chosen = prompter().chooseFileToOpen(QFileInfo(db.CurrentFile).absolutePath(), QStringLiteral("*.mdb *.MDB"),
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
