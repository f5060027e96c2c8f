#include "office/ExportResult.h"

#include "common/Paths.h"
#include "common/Prompter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace zelvane {

QString NewDocumentPath(const QString &baseName, const QString &extension)
{
    const QString folder = DocumentsDir();
    QDir().mkpath(folder);
    QString safe = baseName;
    safe.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("-"));
    QString path = QStringLiteral("%1/%2.%3").arg(folder, safe, extension);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1/%2 (%3).%4").arg(folder, safe).arg(n).arg(extension);
    return path;
}

void ShowExportResult(const ExportResult &result)
{
    if (result.status == ExportResult::Written) {
        // Without a program for the type, the user is told where the document is instead of nothing
        // happening (and pressing again for another copy).
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(result.path)))
            return;
        const QString folder = QFileInfo(result.path).absolutePath();
        const QString where = QDir::toNativeSeparators(result.path);
        if (prompter().askYesNo(QStringLiteral("Le document est enregistré sous %1, mais aucun programme de ce "
                                               "poste n'a pu l'ouvrir.\nOuvrir son dossier ?")
                                    .arg(where),
                                QStringLiteral("Document enregistré"), MessageIcon::Information)
            && !QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
            prompter().showMessage(
                QStringLiteral("Le dossier %1 n'a pas pu être ouvert.").arg(QDir::toNativeSeparators(folder)),
                QStringLiteral("Document enregistré"), MessageIcon::Warning);
    } else if (result.status == ExportResult::Failed) {
        prompter().showMessage(result.message, QString(), MessageIcon::Warning);
    }
}

} // namespace zelvane
