#include "cli/Commands.h"
#include "common/Library.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("quillon"));
    QCoreApplication::setApplicationName(QStringLiteral("zelvane"));
    zelvane::Library library;
    QTextStream out(stdout);
    QTextStream err(stderr);
    return zelvane::RunCommandLine(app.arguments().mid(1), out, err);
}
