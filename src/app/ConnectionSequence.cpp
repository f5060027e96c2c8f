#include "app/ConnectionSequence.h"

#include "access/AccessImport.h"
#include "access/JetReader.h"
#include "common/Paths.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "db/Conversion.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <utility>

namespace zelvane {

namespace {

bool isExistingFile(const QString &path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

} // namespace

ConnectionSequence::ConnectionSequence(Tfdb &db, QObject *parent)
    : QObject(parent)
    , m_db(db)
    , m_caption(QString::fromLatin1(kCaptionAtStart))
{
    // The file the window shows stays locked while it is open: the command line never replaces it meanwhile.
    m_db.holdsLock = true;
}

void ConnectionSequence::setCaption(const QString &caption)
{
    m_caption = caption;
    emit captionChanged(caption);
}

bool ConnectionSequence::fail(const QString &reason)
{
    m_failure = reason;
    return false;
}

// The open dialog on the folder of the management files, offering the placeholder that stands for a new
// file; empty when cancelled.
QString ConnectionSequence::chooseFile()
{
    const QString folder = DatabasesDir();
    const QString templatePath = TemplatePath();
    const QString working = folder + QLatin1Char('/') + QString::fromLatin1(kWorkingCopyName);
    QString chosen = prompter().chooseFileToOpen(folder, QStringLiteral("*.mdb *.MDB"));
    emit processEvents();
    if (chosen.isEmpty())
        return {};
    if (QFileInfo(chosen).fileName().toUpper() == QString::fromUtf8(kPlaceholderName).toUpper()
        && !templatePath.isEmpty()) {
        CopyFileOver(templatePath, working);
        chosen = working;
    }
    return chosen;
}

void ConnectionSequence::openForThisRun(const QString &file)
{
    PendingDatabaseName = file;
    m_forThisRun = true;
}

bool ConnectionSequence::Action_connectExecute()
{
    if (m_db.isConnected())
        return true;
    m_failure.clear();
    m_prepared = false;
    const QString folder = DatabasesDir();
    QDir().mkpath(folder);
    const QString working = folder + QLatin1Char('/') + QString::fromLatin1(kWorkingCopyName);
    QFile::remove(working);
    RegisterBaseDir(QStringLiteral("zelvane"), BaseDir());

    QString file = PendingDatabaseName;
    const bool forThisRun = std::exchange(m_forThisRun, false);
    if (!forThisRun && !isExistingFile(file) && connectTag == 0)
        file = Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName));
    PendingDatabaseName.clear();

    if (!forThisRun && !isExistingFile(file)) {
        QFile placeholder(folder + QLatin1Char('/') + QString::fromUtf8(kPlaceholderName));
        if (placeholder.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            QTextStream(&placeholder) << QString::fromUtf8(kPlaceholderName) << '\n';
        const QString templatePath = TemplatePath();
        if (connectTag != 0) {
            file = chooseFile();
            if (file.isEmpty())
                return false; // cancelled: the attempt does not count
        } else if (!templatePath.isEmpty()) {
            file = working;
            if (!QFileInfo::exists(working))
                CopyFileOver(templatePath, working);
        } else {
            file.clear();
        }
    }
    ++connectTag;
    if (!forThisRun && !isExistingFile(file) && TemplatePath().isEmpty())
        m_failure = QStringLiteral("Le modèle fc.new est introuvable : aucun dossier ne peut être créé.");

    if (IsJetFile(file) && !importAccessFile(file))
        return false;
    int result = m_db.OpenDatabaseFile(QString::fromLatin1(kAlias), file, true, true, QString::fromLatin1(kSchemaTag));
    if (result == OpenOlderVersion) {
        const ConversionResult converted = ConvertOlderFile(file);
        if (!converted.ok())
            return fail(converted.error);
        if (converted.refusedRows > 0)
            prompter().showMessage(QStringLiteral("%1 a été converti ; %2 lignes de l'ancien fichier n'ont pas pu être "
                                                  "reprises. L'ancien fichier est conservé sous %3.")
                                       .arg(file)
                                       .arg(converted.refusedRows)
                                       .arg(converted.backup),
                                   QStringLiteral("Convertir"), MessageIcon::Warning);
        result = m_db.OpenDatabaseFile(QString::fromLatin1(kAlias), file, false, true, QString::fromLatin1(kSchemaTag));
    }
    if (result != OpenOk)
        return fail(m_failure.isEmpty() ? OpenFailureText(result, file) : m_failure);
    if (!m_db.damage().isEmpty())
        prompter().showMessage(DamagedFileWarning(file, m_db.damage()), QStringLiteral("Dossier endommagé"),
                               MessageIcon::Critical);

    m_db.LoadOptions();
    if (m_db.organisme == 0 && !prepareNewFile(file))
        return false;

    m_db.CurrentFile = file;
    if (!forThisRun)
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), file);
    setCaption(QString::fromLatin1(kCaptionDisconnected) + QStringLiteral(" - ") + file
               + (m_db.damage().isEmpty() ? QString() : QStringLiteral(" - ENDOMMAGÉ, EN LECTURE SEULE")));

    m_db.LoadOptions();
    m_db.startSession(QDate::currentDate());
    return true;
}

// The file is a management file of the former Access format: once the user agrees, it is imported into
// a new file of ours in the folder of the management files, which is opened in its place.
bool ConnectionSequence::importAccessFile(QString &file)
{
    const QString target = ImportedFilePath(file);
    QString question = QStringLiteral("%1 est un dossier de gestion au format Access des versions précédentes.\n"
                                      "Importer son contenu dans le nouveau dossier %2 ?")
                           .arg(file, target);
    if (QFileInfo::exists(target) && QFileInfo(target).canonicalFilePath() != QFileInfo(file).canonicalFilePath())
        question += QStringLiteral("\nLe dossier %1 existant sera remplacé.").arg(target);
    if (!prompter().confirm(question, QStringLiteral("Importer"), MessageIcon::Question))
        return fail(QStringLiteral("Import annulé : %1 n'a pas été ouvert.").arg(file));
    const AccessImportReport report = ImportAccessFile(file, target, [](int done, int total) {
        if (done == 1)
            prompter().progressStart(total, QStringLiteral("Import du dossier Access… s.v.p patientez"));
        prompter().progressStep(1);
    });
    prompter().progressClose();
    emit processEvents();
    if (!report.ok())
        return fail(QStringLiteral("L'import de %1 a échoué, aucun dossier n'a été créé : %2").arg(file, report.error));
    prompter().showMessage(report.text(), QStringLiteral("Importer"),
                           report.refusedRows > 0 ? MessageIcon::Warning : MessageIcon::Information);
    file = target;
    return true;
}

// The file is a fresh copy of the template: the user chooses the establishment and the year, the copy is
// saved under its final name and filled. False (and disconnected) when the user gives up.
bool ConnectionSequence::prepareNewFile(QString &file)
{
    const QString folder = QFileInfo(file).absolutePath();
    PreparationForm *form = Form<PreparationForm>::current();
    const std::optional<PreparationAnswer> answer = form ? form->prepareNewFile(m_db.establishmentKinds(), folder)
                                                         : std::nullopt;
    bool accepted = answer.has_value();
    QString target;
    if (accepted) {
        target = folder + QLatin1Char('/') + answer->fileName;
        if (const QString refusal = ReservedNameRefusal(answer->fileName); !refusal.isEmpty()) {
            prompter().showMessage(refusal, QStringLiteral("Prépare"), MessageIcon::Warning);
            accepted = false;
        } else if (QFileInfo::exists(target))
            accepted = prompter().confirm(QStringLiteral(" Voulez vous écraser le fichier ") + target
                                              + QStringLiteral(" ? "),
                                          QStringLiteral("Confirmation"), MessageIcon::Warning);
    }
    m_db.closeSession();
    if (!accepted) {
        m_failure = QStringLiteral("Préparation annulée : aucun dossier n'est ouvert.");
        return false;
    }
    emit processEvents();
    // The year written over is kept as NAME.bak.N: one wrong answer must not lose it.
    QString error;
    const QString kept = ReplaceKeepingBackup(
        target,
        [&](QString *) {
            if (CopyFileOver(file, target))
                return true;
            error = QStringLiteral("Impossible d'écrire %1.").arg(target);
            return false;
        },
        &error);
    if (!error.isEmpty())
        return fail(error);
    if (!kept.isEmpty())
        prompter().showMessage(QStringLiteral("Le fichier remplacé est conservé sous %1.").arg(kept),
                               QStringLiteral("Prépare"), MessageIcon::Information);
    file = target;
    const int result = m_db.OpenDatabaseFile(QString::fromLatin1(kAlias), file, false, true,
                                             QString::fromLatin1(kSchemaTag));
    if (result != OpenOk) {
        m_db.closeSession();
        return fail(OpenFailureText(result, file));
    }
    m_db.prepare_nouveau_dossier(answer->kind, answer->year);
    m_prepared = true;
    const QString working = folder + QLatin1Char('/') + QString::fromLatin1(kWorkingCopyName);
    if (QFileInfo(working).absoluteFilePath() != QFileInfo(file).absoluteFilePath())
        QFile::remove(working);
    return true;
}

void ConnectionSequence::Action_disconnectExecute()
{
    if (!m_db.isConnected())
        return;
    m_db.closeSession();
    setCaption(QString::fromLatin1(kCaptionDisconnected));
}

} // namespace zelvane
