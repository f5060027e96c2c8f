#include "TestHome.h"
#include "common/Organisation.h"
#include "common/Paths.h"
#include "common/Profile.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace zelvane;

class TestProfile : public QObject
{
    Q_OBJECT

private slots:
    void emptyProfileCreatesNoFile()
    {
        TestHome home;
        const QString path = home.path() + QStringLiteral("/Profile.txt");
        {
            TQVProfile profile(path);
            QCOMPARE(profile.ReadValue(QStringLiteral("missing")), QString());
        }
        QVERIFY(!QFile::exists(path));
    }

    void valuesRoundTrip()
    {
        TestHome home;
        const QString path = home.path() + QStringLiteral("/other.txt");
        {
            TQVProfile profile(path);
            profile.WriteValue(QString::fromLatin1(kProfileDatabaseName), QStringLiteral("/data/DOS1_2009.MDB"));
            profile.WriteValue(QStringLiteral("NOTE"), QStringLiteral("a\nb"));
            profile.WriteValue(QStringLiteral("PRICE"), QStringLiteral("10$"));
            profile.WriteValue(QStringLiteral("GONE"), QStringLiteral("x"));
            profile.WriteValue(QStringLiteral("GONE"), QString());
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("DATABASENAME=/data/DOS1_2009.MDB\nNOTE=a$b\nPRICE=10$\n"));
        TQVProfile again(path);
        QCOMPARE(again.ReadValue(QStringLiteral("databasename")), QStringLiteral("/data/DOS1_2009.MDB"));
        QCOMPARE(again.ReadValue(QStringLiteral("NOTE")), QStringLiteral("a\r\nb"));
        QCOMPARE(again.ReadValue(QStringLiteral("PRICE")), QStringLiteral("10\r\n"));
        QCOMPARE(again.ReadValue(QStringLiteral("GONE")), QString());
    }

    void profileWritesOneKeyAtATime()
    {
        QTemporaryDir dir;
        qputenv("ZELVANE_HOME", dir.path().toUtf8());
        const QString path = dir.path() + QStringLiteral("/Profile.txt");
        Library library;
        Profile().WriteValue(QString::fromLatin1(kProfileLastUserName), QStringLiteral("ADMIN"));
        QCOMPARE(TQVProfile(path).ReadValue(QString::fromLatin1(kProfileLastUserName)), QStringLiteral("ADMIN"));
        // Another program (a restore from the command line) changes the default file meanwhile: the
        // running program's next write and its end keep it.
        QVERIFY(TQVProfile(path).WriteValue(QString::fromLatin1(kProfileDatabaseName), QStringLiteral("/d/DOS1.MDB")));
        Profile().WriteValue(QString::fromLatin1(kProfileLastUserName), QStringLiteral("INTENDANT"));
        const TQVProfile after(path);
        QCOMPARE(after.ReadValue(QString::fromLatin1(kProfileDatabaseName)), QStringLiteral("/d/DOS1.MDB"));
        QCOMPARE(after.ReadValue(QString::fromLatin1(kProfileLastUserName)), QStringLiteral("INTENDANT"));
        QVERIFY(!QFile::exists(path + QStringLiteral(".lock")));
    }

    // Files written by older programs in Windows-1252 keep their accents; UTF-8 stays UTF-8.
    void olderEncodings()
    {
        TestHome home;
        const QString path = home.path() + QStringLiteral("/Etablissement.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("HEADING3_FR=R\xc9SIDENCE \x80 L\x92"
                   "EST\r\nTOWN=B\xe9ja\xef"
                   "a\r\n");
        file.close();
        const OrganisationIdentity id = OrganisationIdentity::load();
        QCOMPARE(id.headingFr[2], QStringLiteral("RÉSIDENCE € L’EST"));
        QCOMPARE(id.town, QStringLiteral("Béjaïa"));
        // A change writes the file back as UTF-8, read back alike.
        OrganisationIdentity changed = id;
        changed.wilaya = QStringLiteral("Béjaïa");
        QVERIFY(changed.save());
        QCOMPARE(OrganisationIdentity::load().town, QStringLiteral("Béjaïa"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("TOWN=B\xc3\xa9ja\xc3\xaf"
                                        "a\n"));
    }

    void organisationIdentity()
    {
        TestHome home;
        QString l1 = QStringLiteral("old"), l2, l3;
        OrganisationHeading(&l1, &l2, &l3, QStringLiteral("FR"));
        QCOMPARE(l1, QString()); // not filled yet: empty heading lines

        OrganisationIdentity id;
        id.kindCode = QStringLiteral("5");
        id.headingFr[0] = QStringLiteral("RARAZ-AZUR");
        id.headingFr[2] = QStringLiteral("RESIDENCE UNIVERSITAIRE EL BOUNI");
        id.headingAr[0] = QStringLiteral("RARAZ-AZUR");
        id.headingAr[1] = QStringLiteral("الديوان الوطني للخدمات الجامعية");
        id.town = QStringLiteral("Annaba");
        QVERIFY(id.save());
        Organisation() = OrganisationIdentity::load();
        QCOMPARE(Organisation().town, QStringLiteral("Annaba"));

        OrganisationHeading(&l1, nullptr, &l3, QStringLiteral("FR"));
        QCOMPARE(l1, QStringLiteral("MINISTERE DE L'ENSEIGNEMENT SUPPERIEUR ET DE LA RECHERCHE SCIENTIFIQUE"));
        QCOMPARE(l3, QStringLiteral("RESIDENCE UNIVERSITAIRE EL BOUNI"));
        OrganisationHeading(&l1, &l2, nullptr, QStringLiteral("AR"));
        QCOMPARE(l1, QStringLiteral("وزارة التعليم العالي و البحث العلمي"));
        QCOMPARE(l2, QStringLiteral("الديوان الوطني للخدمات الجامعية"));
        // Only "AR" exactly selects Arabic.
        OrganisationHeading(nullptr, &l2, nullptr, QStringLiteral("ar"));
        QCOMPARE(l2, QString());
    }

    void registerBaseDir()
    {
        TestHome home;
        QVERIFY(RegisterBaseDir(QStringLiteral("zelvane-test"), home.path()));
        QCOMPARE(QSettings(QStringLiteral("quillon"), QStringLiteral("zelvane-test"))
                     .value(QStringLiteral("base_dir"))
                     .toString(),
                 home.path());
        // The same folder again leaves the file as it is (both programs register at every start); another
        // folder replaces it.
        const QString file = QSettings(QStringLiteral("quillon"), QStringLiteral("zelvane-test")).fileName();
        const auto inode = [&file] {
            struct stat status = {};
            return ::stat(QFile::encodeName(file).constData(), &status) == 0 ? status.st_ino : ino_t(0);
        };
        const ino_t written = inode();
        QVERIFY(written != 0);
        QVERIFY(RegisterBaseDir(QStringLiteral("zelvane-test"), home.path()));
        QCOMPARE(inode(), written);
        const QString other = home.path() + QStringLiteral("/other");
        QVERIFY(RegisterBaseDir(QStringLiteral("zelvane-test"), other));
        QVERIFY(inode() != written);
        QCOMPARE(QSettings(QStringLiteral("quillon"), QStringLiteral("zelvane-test"))
                     .value(QStringLiteral("base_dir"))
                     .toString(),
                 other);
        QSettings(QStringLiteral("quillon"), QStringLiteral("zelvane-test")).clear();
    }

    void copyFileOver()
    {
        TestHome home;
        const QString a = home.path() + QStringLiteral("/a"), b = home.path() + QStringLiteral("/b");
        QFile fa(a);
        QVERIFY(fa.open(QIODevice::WriteOnly));
        fa.write("new");
        fa.close();
        QFile fb(b);
        QVERIFY(fb.open(QIODevice::WriteOnly));
        fb.write("old contents");
        fb.close();
        QFile::setPermissions(b, QFileDevice::ReadOwner);
        QVERIFY(CopyFileOver(a, b));
        QVERIFY(fb.open(QIODevice::ReadOnly));
        QCOMPARE(fb.readAll(), QByteArray("new"));
        fb.close();
        // A missing source leaves the target as it was.
        QVERIFY(!CopyFileOver(home.path() + QStringLiteral("/none"), b));
        QVERIFY(fb.open(QIODevice::ReadOnly));
        QCOMPARE(fb.readAll(), QByteArray("new"));
    }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "test_profile.moc"
