#include "common/TextFile.h"

#include "common/WorkFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace zelvane {

QString DecodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? QString(windows1252(bytes)) : QString::fromLatin1(bytes);
}

bool ReadTextFile(const QString &path, qint64 maxBytes, QString *text, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("%1 n'existe pas.").arg(path);
        return false;
    }
    if (!info.isFile()) {
        *error = QStringLiteral("%1 n'est pas un fichier (répertoire, tube ou périphérique) : il n'a pas été lu.")
                     .arg(path);
        return false;
    }
    if (info.size() > maxBytes) {
        *error = QStringLiteral("%1 est trop grand pour être un fichier de texte du programme (plus de %2 octets).")
                     .arg(path)
                     .arg(maxBytes);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 ne peut pas être lu : %2.").arg(path, FileErrorText(file.errorString()));
        return false;
    }
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > maxBytes) {
        *error = QStringLiteral("%1 ne peut pas être lu : %2.").arg(path, FileErrorText(file.errorString()));
        return false;
    }
    *text = DecodeText(bytes);
    return true;
}

} // namespace zelvane
