#pragma once

#include "TestHome.h"
#include "app/MainWindow.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "users/UserForms.h"

#include <QApplication>
#include <QObject>
#include <QtTest>
#include <memory>

// The base of the tests on the main window: a fresh test home holding a prepared file of 2009, the window
// built on a data module with every module, and scripted answers to its questions and to the login.
class DesktopTest : public QObject
{
protected:
    std::unique_ptr<TestHome> home;
    zelvane::ScriptedPrompter answers;
    std::unique_ptr<zelvane::ScriptedUserForms> userForms;
    std::unique_ptr<zelvane::Tfdb> db;
    std::unique_ptr<zelvane::TFZelvane> window;
    QString file;

    // The window built, not shown, the file not connected yet. For a test's init().
    void buildWindow()
    {
        home = std::make_unique<TestHome>();
        answers = zelvane::ScriptedPrompter();
        zelvane::setPrompter(&answers);
        file = home->preparedFile(2, 2009);
        db = std::make_unique<TestData>();
        window = std::make_unique<zelvane::TFZelvane>(*db);
        userForms = std::make_unique<zelvane::ScriptedUserForms>(&answers.asked);
    }
    // The window built, shown at size and active as on a desktop, and the file, named in the profile,
    // connected by the window's own command.
    void showConnected(const QSize &size)
    {
        buildWindow();
        window->resize(size);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        zelvane::Profile().WriteValue(QString::fromLatin1(zelvane::kProfileDatabaseName), file);
        window->Action_connectExecute();
        QVERIFY(db->isConnected());
    }
    // For a test's cleanup().
    void closeWindow()
    {
        userForms.reset();
        window.reset();
        db.reset();
        zelvane::setPrompter(nullptr);
        home.reset();
    }
};
