#include "db/Preparation.h"

#include <QDir>
#include <QFileInfo>

namespace zelvane {

QString NouveauFichier(const QString &folder, const QString &year)
{
    const QDir dir(folder);
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("DOS%1_%2.MDB").arg(n).arg(year.trimmed());
        if (!QFileInfo::exists(dir.filePath(name)))
            return name;
    }
}

} // namespace zelvane
