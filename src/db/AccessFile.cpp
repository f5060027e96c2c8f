#include "db/AccessFile.h"

#include <QFile>
#include <QFileInfo>

namespace zelvane {

bool IsJetFile(const QString &path)
{
    // Only a regular file is read: opening a pipe would wait for a writer that never comes.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(20);
    return start.startsWith(QByteArray("\x00\x01\x00\x00", 4))
           && (start.mid(4) == QByteArray("Standard Jet DB\0", 16)
               || start.mid(4) == QByteArray("Standard ACE DB\0", 16));
}

} // namespace zelvane
