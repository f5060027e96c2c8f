#include "common/HelpWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zelvane {

QDialog *ShowHelpWindow(const QString &htmlFile, QWidget *parent)
{
    static QPointer<QDialog> window;
    if (!window) {
        window = new QDialog(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setObjectName(QStringLiteral("helpWindow"));
        window->setWindowTitle(QStringLiteral("Aide"));
        auto *browser = new QTextBrowser;
        browser->setObjectName(QStringLiteral("helpBrowser"));
        browser->setOpenExternalLinks(true);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
        QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
        auto *layout = new QVBoxLayout(window);
        layout->addWidget(browser);
        layout->addWidget(buttons);
        QSize size(900, 700);
        if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
            size = size.boundedTo(screen->availableGeometry().size() * 0.9);
        window->resize(size);
    }
    window->findChild<QTextBrowser *>()->setSource(QUrl::fromLocalFile(htmlFile));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace zelvane
