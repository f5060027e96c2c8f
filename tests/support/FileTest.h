#pragma once

#include "TestHome.h"
#include "common/Prompter.h"

#include <QObject>
#include <QtTest>
#include <memory>

// The base of the tests that work on one prepared management file: a fresh test home, the file opened in it,
// messages answered by a scripted prompter, and the statements the tests share to fill it.
class FileTest : public QObject
{
protected:
    std::unique_ptr<TestHome> home;
    std::unique_ptr<zelvane::Tfdb> db;
    zelvane::ScriptedPrompter prompts;

    // A prepared file of kind and year in a fresh home, with a prompter that has answered nothing yet; the
    // test fails when it cannot be opened. For a test's init().
    void openFile(int kind = 2, int year = 2009)
    {
        prompts = zelvane::ScriptedPrompter();
        zelvane::setPrompter(&prompts);
        home = std::make_unique<TestHome>();
        db = home->openPrepared(kind, year);
        QVERIFY(db);
    }
    // For a test's cleanup().
    void closeFile()
    {
        db.reset();
        home.reset();
        zelvane::setPrompter(nullptr);
    }

    void exec(const QString &sql) { ExecSql(db->database(), sql); }
    QVariant scalar(const QString &sql) { return ScalarSql(db->database(), sql); }
    // Makes article code the current one of the article dataset, as a click in its grid does.
    void selectArticle(qint32 code) { QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), code)); }
    // The head-counts of a category on a day (yyyy-mm-dd) for the four meals.
    void headCount(const QString &isoDay, int category, int m1, int m2, int m3, int m4)
    {
        exec(QStringLiteral("insert into menu_effect (date_menu, code_categ, m1, m2, m3, m4) "
                            "values ('%1', %2, %3, %4, %5, %6)")
                 .arg(isoDay)
                 .arg(category)
                 .arg(m1)
                 .arg(m2)
                 .arg(m3)
                 .arg(m4));
    }
};
