#include "cli/Commands.h"
#include "common/Library.h"
#include "common/WorkFiles.h"

#include <QFile>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    // Printed documents are painted with fonts, which a GUI application provides; no display is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("quillon"));
    QCoreApplication::setApplicationName(QStringLiteral("zelvane"));
    zelvane::Library library;
    zelvane::RemoveStaleWorkFilesAtStart();
    QFile out, err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return zelvane::RunCommandLine(app.arguments().mid(1), out, err);
}
