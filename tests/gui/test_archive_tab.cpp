#include "TestHome.h"
#include "app/MainWindow.h"
#include "common/DialogPrompter.h"
#include "common/Profile.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "years/ArchiveTab.h"
#include "years/DbPage.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
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

    // "Supprimer" puts the year into the corbeille beside the management files, says where, and the year
    // comes back from there whole; a second year of the same name deleted keeps the first one.
    void deletedYearGoesToTheCorbeille()
    {
        const QString corbeille = home->databases() + "/corbeille";
        const QByteArray digest = FileDigest(year2008);
        showArchive();
        select("DOS1_2008.MDB");
        answers.confirmations = {true};
        tab->BArchive_DelClick();
        QCOMPARE(listed(), QStringList{"DOS1_2009.MDB"});
        QCOMPARE(FilesIn(corbeille), QStringList{"DOS1_2008.MDB"});
        QCOMPARE(FileDigest(corbeille + "/DOS1_2008.MDB"), digest);
        QCOMPARE(answers.messages.last(), "Le fichier DOS1_2008.MDB a été placé dans la corbeille :\n" + corbeille
                                              + "/DOS1_2008.MDB\nIl peut y être ouvert ou restauré (\"Restaurer la "
                                                "base de données\").");
        // With ZELVANE_SHOTS set to a folder, the tab after the deletion is saved there, to look at it.
        if (qEnvironmentVariableIsSet("ZELVANE_SHOTS")) {
            window->resize(1000, 600);
            window->grab().save(qEnvironmentVariable("ZELVANE_SHOTS") + "/archive-after-delete.png");
        }

        // Brought back by the restore command, the year is listed again.
        answers.files = {corbeille + "/DOS1_2008.MDB"};
        window->action(cmd::RestaurerBase)->trigger();
        QCOMPARE(db->CurrentFile, year2008);
        QCOMPARE(db->gestion, 2008);
        showArchive();
        QCOMPARE(listed(), (QStringList{"DOS1_2008.MDB", "DOS1_2009.MDB"}));

        // A year of the same name deleted twice: the copy already in the corbeille is kept beside it.
        for (int n = 0; n < 2; ++n) {
            home->preparedFile(2, 2009, "DOS1_2009.MDB");
            tab->fill();
            select("DOS1_2009.MDB");
            answers.confirmations = {true};
            tab->BArchive_DelClick();
        }
        QCOMPARE(FilesIn(corbeille), (QStringList{"DOS1_2008.MDB", "DOS1_2009.MDB", "DOS1_2009.MDB.bak.1"}));
    }

    // The same with the real message boxes: OK on the question, then the box that says where the year went.
    void deletionSaidInTheRealBoxes()
    {
        showArchive();
        select("DOS1_2008.MDB");
        DialogPrompter dialogs;
        setPrompter(&dialogs);
        QStringList shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || (!shown.isEmpty() && shown.last() == box->text()))
                return;
            shown << box->text();
            if (qEnvironmentVariableIsSet("ZELVANE_SHOTS"))
                box->grab().save(qEnvironmentVariable("ZELVANE_SHOTS")
                                 + QString("/archive-box-%1.png").arg(shown.size()));
            QAbstractButton *ok = box->button(QMessageBox::Ok);
            QVERIFY(ok);
            ok->click();
        });
        poll.start(50);
        tab->BArchive_DelClick();
        poll.stop();
        setPrompter(&answers);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.first(), " Voulez vous confirmer la suppression du fichier DOS1_2008.MDB ? ");
        QVERIFY(shown.last().startsWith("Le fichier DOS1_2008.MDB a été placé dans la corbeille"));
        QVERIFY(QFile::exists(home->databases() + "/corbeille/DOS1_2008.MDB"));
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

    // A backup named otherwise, of the year 2008: restored over DOS1_2008.MDB once the user agrees (the
    // file replaced kept), so that the archive and the year navigation find it; declined, nothing changes.
    void restoreOfABackupNamedOtherwise()
    {
        const QString usb = home->path() + "/usb";
        QDir().mkpath(usb);
        const QString backup = usb + "/DOS1_2008_sauvegarde_01-02-2009.MDB";
        QString error;
        QVERIFY(BackupDatabaseFile(year2008, backup, &error));
        const QByteArray before = FileDigest(year2008);
        answers.files = {backup};
        window->action(cmd::RestaurerBase)->trigger();
        QCOMPARE(answers.questions.last(), backup + " est une sauvegarde du dossier " + year2008
                                               + ".\nRestaurer par-dessus " + year2008
                                               + " ? Le fichier actuel sera conservé sous " + year2008 + ".bak.N.");
        QCOMPARE(db->CurrentFile, year2009);
        QCOMPARE(FileDigest(year2008), before);

        answers.files = {backup};
        answers.confirmations = {true};
        window->action(cmd::RestaurerBase)->trigger();
        QCOMPARE(db->CurrentFile, year2008);
        QCOMPARE(db->gestion, 2008);
        QCOMPARE(FileDigest(year2008 + ".bak.1"), before);
        showArchive();
        QCOMPARE(listed(), (QStringList{"DOS1_2008.MDB", "DOS1_2009.MDB"}));
    }
};

QTEST_MAIN(TestArchiveTab)
#include "test_archive_tab.moc"
