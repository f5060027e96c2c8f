#include "app/MainWindow.h"
#include "app/Modules.h"
#include "common/DialogPrompter.h"
#include "common/Library.h"
#include "common/Translations.h"
#include "db/DataModule.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("quillon"));
    QApplication::setApplicationName(QStringLiteral("zelvane"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    zelvane::LoadQtTranslations();
    zelvane::Library library;

    zelvane::Tfdb db;
    zelvane::InstallModules(db);
    zelvane::TFZelvane window(db);
    zelvane::DialogPrompter dialogs(&window);
    zelvane::setPrompter(&dialogs);
    zelvane::ApplyRegionalSettings();
    // Maximised also where no window manager applies the state (a bare X server).
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    window.startConnectionTimer();
    const int code = app.exec();
    zelvane::setPrompter(nullptr);
    return code;
}
