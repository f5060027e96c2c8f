#include "StoreFixture.h"
#include "TestHome.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "years/BackupRestore.h"
#include "years/SafetyCopies.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

using namespace zelvane;

namespace {

QStringList daysOf(const QList<SafetyCopy> &copies)
{
    QStringList days;
    for (const SafetyCopy &copy : copies)
        days << copy.day.toString(Qt::ISODate);
    return days;
}

} // namespace

// The copies made without being asked: their rotation, their listing, a copy that cannot be made.
class TestSafetyCopies : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter answers;
    QString file;

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        answers = ScriptedPrompter();
        setPrompter(&answers);
        file = home->preparedFile(2, 2026);
    }
    void cleanup()
    {
        setPrompter(nullptr);
        home.reset();
    }

    // A year of days, one copy a day, pruned after each: the last 7 days and the last of each month stay.
    void rotationOverAYear_data()
    {
        QTest::addColumn<QDate>("until");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("third day") << QDate(2026, 1, 3) << QStringList{"2026-01-01", "2026-01-02", "2026-01-03"};
        QTest::newRow("10 March") << QDate(2026, 3, 10)
                                  << QStringList{"2026-01-31", "2026-02-28", "2026-03-04", "2026-03-05", "2026-03-06",
                                                 "2026-03-07", "2026-03-08", "2026-03-09", "2026-03-10"};
        QTest::newRow("2 April, the month before among the 7")
            << QDate(2026, 4, 2) << QStringList{"2026-01-31", "2026-02-28", "2026-03-27", "2026-03-28", "2026-03-29",
                                                "2026-03-30", "2026-03-31", "2026-04-01", "2026-04-02"};
        QStringList endOfYear;
        for (int month = 1; month <= 11; ++month)
            endOfYear << QDate(2026, month, 1).addMonths(1).addDays(-1).toString(Qt::ISODate);
        for (int day = 25; day <= 31; ++day)
            endOfYear << QDate(2026, 12, day).toString(Qt::ISODate);
        QTest::newRow("31 December") << QDate(2026, 12, 31) << endOfYear;
    }
    void rotationOverAYear()
    {
        QFETCH(QDate, until);
        QFETCH(QStringList, kept);
        const QString folder = SafetyFolder(file);
        for (QDate day(2026, 1, 1); day <= until; day = day.addDays(1)) {
            QString error;
            QVERIFY2(MakeSafetyCopy(file, folder, day, &error), qPrintable(error));
            PruneSafetyCopies(folder, file);
        }
        QCOMPARE(daysOf(ListSafetyCopies(folder, file)), kept);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), kept.size()); // nothing else left behind
    }

    // The listing gives each copy's day and movements, as the command line prints them.
    void listing()
    {
        const QString folder = home->path() + "/cle";
        QDir().mkpath(folder);
        QString error;
        QVERIFY(MakeSafetyCopy(file, folder, QDate(2026, 5, 4), &error));
        const QList<SafetyCopy> copies = ListSafetyCopies(folder, file);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(copies.first().movements, 0);
        const CliRun run = RunCli({"safety-copies", file, "--folder", folder});
        QCOMPARE(run.code, 0);
        QVERIFY2(run.out.startsWith("04/05/2026  0 mouvements  " + folder), qPrintable(run.out));
    }

    // "Restaurer" offers the year's safety copies, with their days and movements, before the file dialog.
    void restoreOffersTheCopies_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("expected"); // the copy's day, "file" for the dialog's, empty for none
        QTest::newRow("the older copy") << 0 << "2026-05-04";
        QTest::newRow("the last copy") << 1 << "2026-05-05";
        QTest::newRow("another file") << 2 << "file";
        QTest::newRow("cancelled") << -1 << "";
    }
    void restoreOffersTheCopies()
    {
        QFETCH(int, choice);
        QFETCH(QString, expected);
        QString error;
        for (int day : {4, 5})
            QVERIFY(MakeSafetyCopy(file, SafetyFolder(file), QDate(2026, 5, day), &error));
        const QString other = home->preparedFile(2, 2025);
        Tfdb db;
        db.CurrentFile = file;
        answers.choices = {choice};
        answers.files = {other};
        const QString chosen = ChooseFileToRestore(db);
        QCOMPARE(answers.asked.first(), QStringLiteral("choice"));
        if (expected.isEmpty())
            QCOMPARE(chosen, QString());
        else if (expected == "file")
            QCOMPARE(chosen, other);
        else
            QCOMPARE(chosen, SafetyCopyPath(SafetyFolder(file), file, QDate::fromString(expected, Qt::ISODate)));
    }

    // A chosen folder that is gone (a stick removed): the copy fails with its reason, told once, and the
    // copies go on once the folder is back.
    void failedCopyTellsOnce()
    {
        const QString stick = home->path() + "/stick";
        QString error;
        QVERIFY(!MakeSafetyCopy(file, stick, QDate(2026, 5, 4), &error));
        QVERIFY2(error.contains("absent"), qPrintable(error));
        QVERIFY(!QFileInfo::exists(stick));

        SafetyCopier copier;
        QSignalSpy failures(&copier, &SafetyCopier::failed);
        copier.changed(file, stick, QDate(2026, 5, 4));
        copier.wait();
        QTRY_COMPARE(failures.size(), 1);
        copier.closing(file, stick, QDate(2026, 5, 4));
        QCoreApplication::processEvents();
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures.first().first().toString().startsWith("La copie de sécurité n'a pas pu être faite"));

        QDir().mkpath(stick);
        copier.changed(file, stick, QDate(2026, 5, 5));
        copier.wait();
        QCOMPARE(daysOf(ListSafetyCopies(stick, file)), QStringList{"2026-05-05"});
    }

    // The first change of a day makes its copy, later ones that day do not; leaving after a change makes
    // it again with the day's last state.
    void oneCopyADayAndAtTheClose()
    {
        const QString folder = SafetyFolder(file);
        SafetyCopier copier;
        copier.changed(file, folder, QDate(2026, 6, 1));
        copier.wait();
        const QString copy = SafetyCopyPath(folder, file, QDate(2026, 6, 1));
        QVERIFY(QFileInfo::exists(copy));
        QFile::remove(copy);
        copier.changed(file, folder, QDate(2026, 6, 1));
        copier.wait();
        QVERIFY(!QFileInfo::exists(copy)); // not the day's first change
        copier.closing(file, folder, QDate(2026, 6, 1));
        QVERIFY(QFileInfo::exists(copy));
    }
};

QTEST_GUILESS_MAIN(TestSafetyCopies)
#include "test_safety_copies.moc"
