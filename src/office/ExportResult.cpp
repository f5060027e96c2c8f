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
    if (result.status == ExportResult::Written)
        QDesktopServices::openUrl(QUrl::fromLocalFile(result.path));
    else if (result.status == ExportResult::Failed)
        prompter().showMessage(result.message, QString(), MessageIcon::Warning);
}

} // namespace zelvane
