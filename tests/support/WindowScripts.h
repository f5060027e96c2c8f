#pragma once

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs command, which opens windows of type Window one after the other, and plays the next script on each
// as it becomes the modal window; a window left open by its script is cancelled. The command's result.
template<typename Window>
bool RunWindowScripts(const std::function<bool()> &command, const QList<std::function<void(Window &)>> &scripts)
{
    int opened = 0;
    QPointer<Window> last;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *w = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (!w || w == last || opened == scripts.size())
            return;
        last = w;
        const auto &script = scripts.at(opened++);
        // Focus and shortcuts follow the active window, as on a desktop.
        QApplication::setActiveWindow(w);
        if (!QTest::qWaitForWindowActive(w))
            qWarning("the window did not become active");
        script(*w);
        if (w->isVisible())
            w->reject();
    });
    poll.start();
    const bool result = command();
    if (opened != scripts.size())
        qWarning("%d windows of %s opened, %d expected", opened, Window::staticMetaObject.className(),
                 int(scripts.size()));
    return result;
}
