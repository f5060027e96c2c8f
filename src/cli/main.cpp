#include "cli/Commands.h"
#include "common/Library.h"
#include "common/Paths.h"
#include "db/NewFile.h"

#include <QCoreApplication>
#include <QFile>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("quillon"));
    QCoreApplication::setApplicationName(QStringLiteral("zelvane"));
    zelvane::Library library;
    zelvane::RemoveStaleWorkFiles(zelvane::DatabasesDir());
    QFile out, err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return zelvane::RunCommandLine(app.arguments().mid(1), out, err);
}
