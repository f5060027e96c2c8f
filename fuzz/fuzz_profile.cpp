// Reads any bytes as a profile file (the format of Profile.txt and of the organisation's identity),
// then checks that what is written reads back the same.
#include "common/Profile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

using namespace zelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Profile.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QString value = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(qMin<size_t>(size, 64)));
    {
        TQVProfile profile(path);
        profile.ReadValue(QStringLiteral("DATABASENAME"));
        profile.WriteValue(QStringLiteral("LAST_USERNAME"), value);
    }
    const TQVProfile again(path);
    // A value reads back as it was given, trimmed, its line breaks as "\r\n" (a blank value removes its
    // line).
    QString expected = value;
    expected.replace(QLatin1String("\r\n"), QLatin1String("$"));
    expected.replace(QLatin1Char('\n'), QLatin1Char('$'));
    expected.replace(QLatin1Char('\r'), QLatin1Char('$'));
    expected = expected.trimmed().replace(QLatin1String("$"), QLatin1String("\r\n"));
    if (!expected.isEmpty() && again.ReadValue(QStringLiteral("LAST_USERNAME")) != expected)
        std::abort();
    return 0;
}
