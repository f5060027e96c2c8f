#include "cli/Commands.h"
#include "common/Library.h"
#include "common/WorkFiles.h"

#include <QFile>
#include <QGuiApplication>

namespace {

QtMessageHandler g_qtMessages = nullptr;

// Qt's notices about the session (no XDG_RUNTIME_DIR under cron, ssh or a service) are none of the
// command's business: a command prints only its own output and messages, which scripts read.
void dropSessionNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: ")))
        return;
    g_qtMessages(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    g_qtMessages = qInstallMessageHandler(dropSessionNotices);
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
