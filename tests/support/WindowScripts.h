#pragma once

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs command, which opens windows of type Window one after the other, and plays the next script on each
// as it becomes the modal window; a window left open by its script is cancelled. The command's result. The
// test fails when a window does not become active or when fewer or more windows open than scripted.
template<typename Window>
bool RunWindowScripts(const std::function<bool()> &command, const QList<std::function<void(Window &)>> &scripts)
{
    int opened = 0;
    QPointer<Window> last;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *w = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (!w || w == last)
            return;
        last = w;
        if (opened++ >= scripts.size()) { // an unscripted window: counted, and closed
            w->reject();
            return;
        }
        const auto &script = scripts.at(opened - 1);
        // Focus and shortcuts follow the active window, as on a desktop.
        QApplication::setActiveWindow(w);
        if (!QTest::qWaitForWindowActive(w))
            QTest::qFail("the window did not become active", __FILE__, __LINE__);
        script(*w);
        if (w->isVisible())
            w->reject();
    });
    poll.start();
    const bool result = command();
    if (opened != scripts.size()) {
        const QByteArray message = QByteArray::number(opened) + " windows of " + Window::staticMetaObject.className()
                                   + " opened, " + QByteArray::number(scripts.size()) + " expected";
        QTest::qFail(message.constData(), __FILE__, __LINE__);
    }
    return result;
}
