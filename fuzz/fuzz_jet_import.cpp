// Any bytes given to the import of an Access file end in a new management file or in a refusal with a
// message: never a crash of the program, never a half-made file or a work file left behind. libmdb itself
// runs in the reader process, so its crashes on such bytes are refusals here.
#include "access/AccessImport.h"
#include "common/Library.h"
#include "common/Paths.h"
#include "db/DatabaseFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir *g_home = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The reader is found beside the executable, which QCoreApplication knows.
    static QCoreApplication app(*argc, *argv);
    g_home = new QTemporaryDir;
    qputenv("ZELVANE_HOME", g_home->path().toUtf8());
    static zelvane::Library library;
    QDir().mkpath(zelvane::DatabasesDir());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString source = g_home->filePath(QStringLiteral("input.mdb"));
    {
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QString target = QDir(zelvane::DatabasesDir()).filePath(QStringLiteral("IMPORT.MDB"));
    const zelvane::AccessImportReport report = zelvane::ImportAccessFile(source, target);
    if (!report.ok() && QFileInfo::exists(target))
        std::abort(); // a refusal that left a file
    if (QFileInfo::exists(zelvane::WorkFileFor(target)))
        std::abort(); // a work file left behind
    QFile::remove(target);
    return 0;
}
