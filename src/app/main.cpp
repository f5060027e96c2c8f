#include "app/ConnectionSequence.h"
#include "app/MainWindow.h"
#include "app/Modules.h"
#include "common/DialogPrompter.h"
#include "common/Library.h"
#include "common/Organisation.h"
#include "common/Profile.h"
#include "common/Translations.h"
#include "common/WorkFiles.h"
#include "db/DataModule.h"
#include "db/OptionsDialog.h"
#include "db/QuickCheckAhead.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("quillon"));
    QApplication::setApplicationName(QStringLiteral("zelvane"));
    QApplication::setApplicationVersion(QStringLiteral(ZELVANE_VERSION));
    QApplication::setStyle(QStringLiteral("Fusion"));
    zelvane::LoadQtTranslations();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zelvane : la feuille de consommation journalière du magasin."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption quitAfterFirstSheet(
        QStringLiteral("quit-after-first-sheet"),
        QStringLiteral("Quitte dès que la première feuille est affichée (code 0), ou code 1 si le dossier n'a pas pu "
                       "être ouvert : mesure du temps de démarrage."));
    parser.addOption(quitAfterFirstSheet);
    parser.addPositionalArgument(
        QStringLiteral("DOSSIER"),
        QStringLiteral("Le dossier de gestion à ouvrir pour cette fois, sans changer le dossier "
                       "ouvert par défaut."),
        QStringLiteral("[DOSSIER]"));
    parser.process(app);

    zelvane::Library library;

    zelvane::RemoveStaleWorkFilesAtStart();
    // The file the program will show is checked while the window is built.
    const QStringList files = parser.positionalArguments();
    const QString first = files.isEmpty()
                              ? zelvane::Profile().ReadValue(QString::fromLatin1(zelvane::kProfileDatabaseName))
                              : QFileInfo(files.constFirst()).absoluteFilePath();
    zelvane::QuickCheckAhead checkAhead(first);
    zelvane::Tfdb db;
    zelvane::InstallModules(db);
    zelvane::TFZelvane window(db);
    zelvane::DialogPrompter dialogs(&window);
    zelvane::setPrompter(&dialogs);
    zelvane::ApplyRegionalSettings();
    if (!files.isEmpty())
        window.connection().openForThisRun(QFileInfo(files.constFirst()).absoluteFilePath());
    if (parser.isSet(quitAfterFirstSheet)) {
        QObject::connect(&window, &zelvane::TFZelvane::connectionFinished, &app, [&window](bool connected) {
            if (connected)
                window.repaint(); // the first sheet reaches the screen before the program quits
            QCoreApplication::exit(connected ? 0 : 1);
        });
    }
    // After the first preparation, the heading the documents print is asked for at once.
    QObject::connect(&window, &zelvane::TFZelvane::connectionFinished, &window, [&window, &db](bool connected) {
        if (connected && window.connection().prepared() && zelvane::Organisation().headingFr[2].isEmpty())
            QTimer::singleShot(0, &window, [&window, &db] { zelvane::TFOptions::Execute(db, &window, true); });
    });
    // Maximised also where no window manager applies the state (a bare X server).
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.connectWhenShown();
    window.showMaximized();
    const int code = app.exec();
    zelvane::setPrompter(nullptr);
    return code;
}
