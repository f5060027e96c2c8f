#include "TestHome.h"
#include "app/MainWindow.h"
#include "common/Profile.h"
#include "db/ArchiveTab.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/DbPage.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace zelvane;

// The "Archive (BDD)" tab and the commands of the year's files in the main window.
class TestArchiveTab : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter answers;
    std::unique_ptr<Tfdb> db;
    std::unique_ptr<TFZelvane> window;
    QString year2008, year2009;
    ArchiveTab *tab = nullptr;

    QString profileFile() const { return Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName)); }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < tab->FileListBox1->count(); ++i)
            names << tab->FileListBox1->item(i)->text();
        return names;
    }
    void showArchive()
    {
        window->PC0->setCurrentIndex(window->PC0->count() - 1);
        QCOMPARE(window->tabCaption(window->PC0->currentIndex()), QStringLiteral("Archive (BDD)"));
    }
    void select(const QString &name)
    {
        const auto found = tab->FileListBox1->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        tab->FileListBox1->setCurrentItem(found.first());
    }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        answers = ScriptedPrompter();
        setPrompter(&answers);
        year2008 = home->preparedFile(2, 2008, QStringLiteral("DOS1_2008.MDB"));
        year2009 = home->preparedFile(2, 2009, QStringLiteral("DOS1_2009.MDB"));
        home->templateCopy(QStringLiteral("NEW.MDB"));
        db = std::make_unique<TestData>();
        window = std::make_unique<TFZelvane>(*db);
        tab = window->PC0->findChild<ArchiveTab *>();
        QVERIFY(tab);
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), year2009);
        window->Action_connectExecute();
        QVERIFY(db->isConnected());
    }
    void cleanup()
    {
        window.reset();
        db.reset();
        setPrompter(nullptr);
        home.reset();
    }

    void openingAnArchivedYearKeepsTheDefault()
    {
        showArchive();
        QCOMPARE(listed(), (QStringList{"DOS1_2008.MDB", "DOS1_2009.MDB"})); // NEW.MDB is not a year
        QCOMPARE(tab->EDatabase->text(), year2009);
        select("DOS1_2008.MDB");
        QTest::keyClick(tab->FileListBox1, Qt::Key_Return); // Enter opens it, as a double-click does
        QCOMPARE(db->CurrentFile, year2008);
        QCOMPARE(db->gestion, 2008);
        QCOMPARE(window->PC0->currentIndex(), 0);
        QCOMPARE(profileFile(), year2009);
    }

    void deletingNeverTakesTheOpenFile()
    {
        showArchive();
        select("DOS1_2009.MDB");
        tab->BArchive_DelClick();
        QVERIFY(answers.asked.isEmpty());
        QVERIFY(QFile::exists(year2009));
        select("DOS1_2008.MDB");
        tab->BArchive_DelClick(); // declined
        QCOMPARE(answers.questions, QStringList{" Voulez vous confirmer la suppression du fichier DOS1_2008.MDB ? "});
        QVERIFY(QFile::exists(year2008));
        answers.confirmations = {true};
        tab->BArchive_DelClick();
        QVERIFY(!QFile::exists(year2008));
        QCOMPARE(listed(), QStringList{"DOS1_2009.MDB"});
    }

    void theDefaultFileBox()
    {
        showArchive();
        tab->EDatabase->setText(year2008);
        QCOMPARE(profileFile(), year2008);
        answers.files = {year2009};
        tab->B2Click();
        QCOMPARE(answers.lastFolder, home->databases());
        QCOMPARE(answers.lastOpenName, QStringLiteral("DOS1_2008.MDB")); // the default file proposed
        QCOMPARE(tab->EDatabase->text(), year2009);
        QCOMPARE(profileFile(), year2009);
    }

    void newYearFromTheWindow()
    {
        showArchive();
        QVERIFY(tab->newYearButton->isEnabled());
        answers.inputs = {QString("2010")};
        answers.savedFiles = {home->databases() + "/DOS1_2010.MDB"};
        tab->newYearButton->click();
        QCOMPARE(db->CurrentFile, home->databases() + "/DOS1_2010.MDB");
        QCOMPARE(db->gestion, 2010);
        QCOMPARE(profileFile(), db->CurrentFile);
        QCOMPARE(window->PC0->currentIndex(), 0);
        QVERIFY(window->windowTitle().endsWith("DOS1_2010.MDB"));
    }

    void restoreReconnectsToTheRestoredCopy()
    {
        const QString usb = home->path() + "/usb";
        QDir().mkpath(usb);
        QString error;
        QVERIFY(BackupDatabaseFile(year2008, usb + "/DOS1_2009.MDB", &error));
        answers.files = {usb + "/DOS1_2009.MDB"};
        window->action(cmd::RestaurerBase)->trigger();
        QCOMPARE(db->CurrentFile, year2009);
        QCOMPARE(db->gestion, 2008); // the copy's content, under the name of the file it replaced
        QCOMPARE(profileFile(), year2009);
        QVERIFY(QFile::exists(year2009 + ".bak.1"));
        QVERIFY(answers.messages.last().contains(year2009 + ".bak.1"));
    }
};

QTEST_MAIN(TestArchiveTab)
#include "test_archive_tab.moc"
