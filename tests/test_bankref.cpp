#include "TestHome.h"
#include "common/Paths.h"
#include "suppliers/BankRef.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QtTest>

using namespace zelvane;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray referential(const QByteArray &version, const QByteArray &banks, const QByteArray &agencies)
{
    return "[#QV.ATCI.BANK.REF.INFO]\r\nVERSION=" + version + "\r\nAUTHOR=Test\r\n[#BANQUE]\r\n" + banks
           + "[#BANQUE.AGENCE]\r\n" + agencies;
}

const QByteArray kBanks = "002;BEA;EXTERIEURE;ALGER;021 11;021 12\r\n001;BNA;NATIONALE;ALGER;021 01;021 02\r\n";
const QByteArray kAgencies = "002;00201;BEA ALGER;RUE A;16000\r\n001;00102;BNA ORAN;RUE B;31000\r\n"
                             "001;00101;BNA ALGER;RUE C;16000\r\n";

} // namespace

class TestBankRef : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    QString local() const { return home->path() + QStringLiteral("/delivered.ref"); }
    QString system() const { return home->path() + QStringLiteral("/system/qv.atci.bank.ref"); }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        QDir().mkpath(home->path() + QStringLiteral("/system"));
    }
    void cleanup() { home.reset(); }

    void keys_data()
    {
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("agency");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("key");
        QTest::newRow("the worked example") << "001"
                                            << "00101"
                                            << "0123456789"
                                            << "71";
        QTest::newRow("all zeros: a multiple of 97 gives 97") << "002"
                                                              << "00000"
                                                              << "0000000000"
                                                              << "97";
        QTest::newRow("all nines") << "003"
                                   << "99999"
                                   << "9999999999"
                                   << "62";
        QTest::newRow("another bank, same agency and account") << "004"
                                                               << "12345"
                                                               << "1234567890"
                                                               << "52";
        QTest::newRow("the bank code never enters the key") << "999"
                                                            << "12345"
                                                            << "1234567890"
                                                            << "52";
        QTest::newRow("letter in the account: no key") << "001"
                                                       << "00101"
                                                       << "01234A6789"
                                                       << "";
        QTest::newRow("postal: rightmost digit weighs 4") << "000"
                                                          << "00000"
                                                          << "0000000001"
                                                          << "04";
        QTest::newRow("postal: leftmost of ten weighs 13") << "000"
                                                           << "00000"
                                                           << "1000000000"
                                                           << "13";
        QTest::newRow("postal: only digits count") << "000"
                                                   << "00000"
                                                   << "12345 6789"
                                                   << "00";
        QTest::newRow("postal: ten digits") << "000"
                                            << "00000"
                                            << "1234567890"
                                            << "45";
        QTest::newRow("postal: the agency never enters") << "000"
                                                         << "12345"
                                                         << "9999999999"
                                                         << "65";
    }
    void keys()
    {
        QFETCH(QString, bank);
        QFETCH(QString, agency);
        QFETCH(QString, account);
        QFETCH(QString, key);
        QCOMPARE(CleRIB(bank, agency, account), key);
        if (bank != QLatin1String("000"))
            QCOMPARE(CleBancaire(agency + account), key);
        else
            QCOMPARE(CleCCP(account), key);
    }

    void check_data()
    {
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("agency");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("message");
        QTest::newRow("correct") << "001"
                                 << "00101"
                                 << "71"
                                 << "0123456789"
                                 << "";
        QTest::newRow("wrong key") << "001"
                                   << "00101"
                                   << "70"
                                   << "0123456789"
                                   << "Clé de Contrôle erronée";
        QTest::newRow("key compared as text") << "001"
                                              << "00101"
                                              << " 71"
                                              << "0123456789"
                                              << "Clé de Contrôle erronée";
        QTest::newRow("bank first") << "12"
                                    << "1"
                                    << ""
                                    << ""
                                    << "Code Banque erroné";
        QTest::newRow("agency next") << "001"
                                     << "0010"
                                     << "71"
                                     << "0123456789"
                                     << "Code Agence erroné";
        QTest::newRow("short account") << "001"
                                       << "00101"
                                       << "71"
                                       << "01234567"
                                       << "Numéro du compte erroné";
        QTest::newRow("letter with a key") << "001"
                                           << "00101"
                                           << "12"
                                           << "01234A6789"
                                           << "Clé de Contrôle erronée";
        QTest::newRow("letter without a key") << "001"
                                              << "00101"
                                              << ""
                                              << "01234A6789"
                                              << "";
        QTest::newRow("postal account") << "000"
                                        << "00000"
                                        << "45"
                                        << "1234567890"
                                        << "";
        QTest::newRow("postal account, bank key given") << "000"
                                                        << "00000"
                                                        << "52"
                                                        << "1234567890"
                                                        << "Clé de Contrôle erronée";
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << ""
                               << "Code Banque erroné";
    }
    void check()
    {
        QFETCH(QString, bank);
        QFETCH(QString, agency);
        QFETCH(QString, key);
        QFETCH(QString, account);
        QFETCH(QString, message);
        QCOMPARE(CheckRIB(bank, agency, key, account), message);
    }

    void loadsSortedWithLookups()
    {
        writeFile(local(), referential("20090101", kBanks, kAgencies + "001;00103;BNA BLIDA;RUE D;09000\r\n"));
        TBankRef ref(local(), system());
        QCOMPARE(ref.Codes, QStringList({"001", "002"}));
        QCOMPARE(ref.Keys, QStringList({"00100101", "00100102", "00100103", "00200201"}));
        QCOMPARE(ref.FindBanque(QStringLiteral(" 002 "))->Nom, QStringLiteral("BEA"));
        QCOMPARE(ref.BanqueAt(2), nullptr);
        QCOMPARE(ref.FindAgence(QStringLiteral("00100102"))->Banque->Nom, QStringLiteral("BNA"));
        QCOMPARE(ref.FirstAgence(QStringLiteral("001xx"))->Code, QStringLiteral("00101"));
        QCOMPARE(ref.NextAgence(QStringLiteral("00100101"))->Code, QStringLiteral("00102"));
        QCOMPARE(ref.PrevAgence(QStringLiteral("00100103"))->Code, QStringLiteral("00102"));
        // Neighbours of another bank are not this bank's agencies.
        QCOMPARE(ref.NextAgence(QStringLiteral("00100103")), nullptr);
        QCOMPARE(ref.PrevAgence(QStringLiteral("00200201")), nullptr);
        QCOMPARE(ref.PrevAgence(QStringLiteral("00100101")), nullptr);
        QCOMPARE(ref.NextAgence(QStringLiteral("99999999")), nullptr);
        QVERIFY(ref.HasAgences());
    }

    void skipsWhatCannotBeRead()
    {
        writeFile(local(), "before any section;x\r\n[#QV.ATCI.BANK.REF.INFO]\r\nVERSION = 20090101 \r\n[#BANQUE]\r\n"
                           "  007;POSTE;;;;;and;more;fields\r\n12;TOO SHORT\r\nAB;NO\r\n"
                           "00A;LETTERS ARE A CODE;x\r\n[#banque.agence]\r\n009;00001;WRONG CASE SECTION\r\n"
                           "[#BANQUE.AGENCE]\r\nTRS;00001;NOT A NUMBER\r\n123;0010199;AGENCE A;RUE X;16000\r\n"
                           "12 ;00001;ONE\r\n12 ;00002;TWO\r\n"
                           "\xff\xfe binary\x00garbage;;;\r\n");
        TBankRef ref(local(), system());
        QCOMPARE(ref.Version, QStringLiteral("20090101"));
        // A section header in another case is no header: the line after it is read as a bank.
        // Agencies of an unknown bank written "12 " share one placeholder bank.
        QCOMPARE(ref.Codes, QStringList({"007", "009", "00A", "12 ", "123"}));
        QCOMPARE(ref.FindBanque(QStringLiteral("007"))->Fax, QString());
        const TATCI_bankinf *placeholder = ref.FindBanque(QStringLiteral("123"));
        QCOMPARE(placeholder->Nom, QStringLiteral("???"));
        QCOMPARE(placeholder->Tel, QStringLiteral("????"));
        QCOMPARE(ref.Keys, QStringList({"12 00001", "12 00002", "12300101"}));
        QCOMPARE(ref.FindAgence(QStringLiteral("12300101"))->CodePostal, QStringLiteral("16000"));
    }

    // Which copy is read, and what it leaves on disk.
    void copies_data()
    {
        QTest::addColumn<QByteArray>("localVersion");
        QTest::addColumn<QByteArray>("systemVersion");
        QTest::addColumn<bool>("isLocal");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("firstBank");
        QTest::newRow("newer delivered copy replaces the user's")
            << QByteArray("20100101") << QByteArray("20090101") << false << "20100101"
            << "DELIVERED";
        QTest::newRow("the user's newer copy stays")
            << QByteArray("20090101") << QByteArray("20100101") << false << "20100101"
            << "USER";
        QTest::newRow("only the delivered copy") << QByteArray("20090101") << QByteArray() << false << "20090101"
                                                 << "DELIVERED";
        QTest::newRow("only the user's copy") << QByteArray() << QByteArray("20090101") << false << "20090101"
                                              << "USER";
        QTest::newRow("neither") << QByteArray() << QByteArray() << false << ""
                                 << "";
    }
    void copies()
    {
        QFETCH(QByteArray, localVersion);
        QFETCH(QByteArray, systemVersion);
        QFETCH(bool, isLocal);
        QFETCH(QString, version);
        QFETCH(QString, firstBank);
        if (!localVersion.isEmpty())
            writeFile(local(), referential(localVersion, "001;DELIVERED\r\n", "001;00101;A\r\n"));
        if (!systemVersion.isEmpty())
            writeFile(system(), referential(systemVersion, "001;USER\r\n", "001;00101;A\r\n"));
        TBankRef ref(local(), system());
        QCOMPARE(ref.IsLocal, isLocal);
        QCOMPARE(ref.Version, version);
        QCOMPARE(ref.FileName, version.isEmpty() ? QString() : system());
        QCOMPARE(ref.Banques.empty() ? QString() : ref.Banques.front()->Nom, firstBank);
    }

    void readOnlyUserFolderReadsTheDeliveredCopy()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        writeFile(local(), referential("20090101", kBanks, kAgencies));
        QFile::setPermissions(home->path() + QStringLiteral("/system"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        TBankRef ref(local(), system());
        QFile::setPermissions(home->path() + QStringLiteral("/system"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(ref.IsLocal);
        QCOMPARE(ref.FileName, local());
        QCOMPARE(ref.Codes.size(), 2);
    }

    void copyOverAFileThatCannotBeReplaced()
    {
        // A directory where the user's copy should be: the copy fails and the delivered file is read.
        QDir().mkpath(system());
        writeFile(local(), referential("20090101", kBanks, kAgencies));
        TBankRef ref(local(), system());
        QVERIFY(ref.IsLocal);
        QCOMPARE(ref.Codes.size(), 2);
    }

    void newerButEmptyDeliveryKeepsTheUsersCopy()
    {
        writeFile(system(), referential("20090101", kBanks, kAgencies));
        const QByteArray users = readFile(system());
        writeFile(local(), "[#QV.ATCI.BANK.REF.INFO]\r\nVERSION=20990101\r\n\x01\x02 garbage");
        TBankRef ref(local(), system());
        QCOMPARE(readFile(system()), users);
        QCOMPARE(ref.Codes.size(), 2);
        QVERIFY(!ref.IsLocal);
    }

    void readRefVersion_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("version");
        QTest::newRow("usual") << QByteArray("[#QV.ATCI.BANK.REF.INFO]\r\nVERSION=20090301\r\n") << "20090301";
        QTest::newRow("header in any case, spaces")
            << QByteArray("x\n [#qv.atci.bank.ref.info]\n VERSION =  2009 \n") << "2009";
        QTest::newRow("no equal sign") << QByteArray("[#QV.ATCI.BANK.REF.INFO]\nVERSION 2009\n") << "";
        QTest::newRow("not a version line") << QByteArray("[#QV.ATCI.BANK.REF.INFO]\nAUTHOR=x\nVERSION=1\n") << "";
        QTest::newRow("header on the last line") << QByteArray("[#QV.ATCI.BANK.REF.INFO]") << "";
        QTest::newRow("no header") << QByteArray("VERSION=2009\n") << "";
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01", 4) << "";
    }
    void readRefVersion()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, version);
        writeFile(local(), content);
        QCOMPARE(TBankRef::ReadRefVersion(local()), version);
        QCOMPARE(TBankRef::ReadRefVersion(local() + QStringLiteral(".missing")), QString());
    }

    void saveRoundTrips()
    {
        writeFile(local(), referential("20090101", kBanks, kAgencies));
        TBankRef ref(local(), system());
        ref.FindBanque(QStringLiteral("001"))->Nom = QStringLiteral("BANQUE D'ALGÉRIE \"NATIONALE\"");
        TATCI_bankinf *broken = ref.appendBanque({QStringLiteral("777"), QStringLiteral("A;B"), {}, {}, {}, {}});
        ref.insertAgence(0, {broken, QStringLiteral("00001"), QStringLiteral("SKIPPED WITH ITS BANK"), {}, {}});
        const QString saved = home->path() + QStringLiteral("/saved.ref");
        QVERIFY(ref.SaveRef(saved));
        QCOMPARE(ref.FileName, system()); // unchanged by saving elsewhere

        const QByteArray bytes = readFile(saved);
        QVERIFY(bytes.startsWith("[#QV.ATCI.BANK.REF.INFO]\r\nVERSION="
                                 + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toLatin1()
                                 + "\r\nAUTHOR="));
        QVERIFY(!bytes.contains("A;B"));
        TBankRef again(saved, home->path() + QStringLiteral("/other.ref"));
        QCOMPARE(again.Codes, QStringList({"001", "002"}));
        QCOMPARE(again.Keys, QStringList({"00100101", "00100102", "00200201"}));
        QCOMPARE(again.FindBanque(QStringLiteral("001"))->Nom, QStringLiteral("BANQUE D'ALGÉRIE \"NATIONALE\""));
        QCOMPARE(again.FindBanque(QStringLiteral("002"))->Fax, QStringLiteral("021 12"));
        QCOMPARE(again.FindAgence(QStringLiteral("00100102"))->Adresse, QStringLiteral("RUE B"));
    }

    void failedSaveLeavesTheFileAsItWas()
    {
        writeFile(local(), referential("20090101", kBanks, kAgencies));
        TBankRef ref(local(), system());
        const QByteArray before = readFile(system());
        ref.Banques.front()->Nom = QStringLiteral("CHANGED");
        // A folder where the file should go cannot be replaced: nothing is half written.
        QVERIFY(!ref.SaveRef(home->path() + QStringLiteral("/no/such/folder/x.ref")));
        QDir().mkpath(home->path() + QStringLiteral("/dir.ref"));
        QVERIFY(!ref.SaveRef(home->path() + QStringLiteral("/dir.ref")));
        QCOMPARE(readFile(system()), before);
    }

    void removingABankRemovesItsAgencies()
    {
        writeFile(local(), referential("20090101", kBanks, kAgencies));
        TBankRef ref(local(), system());
        ref.removeBanque(ref.FindBanque(QStringLiteral("001")));
        QCOMPARE(ref.Codes, QStringList({"002"}));
        QCOMPARE(ref.Keys, QStringList({"00200201"}));
    }

    void theDeliveredReferentialIsEnabled()
    {
        // The program's own file, as shipped, read in a fresh data folder.
        const QString delivered = ProgramDataFile(QString::fromLatin1(kBankRefFileName));
        QVERIFY(!delivered.isEmpty());
        TBankRef ref;
        QVERIFY(ref.HasAgences());
        QCOMPARE(ref.FileName, WindowsDir() + QLatin1Char('/') + QString::fromLatin1(kBankRefFileName));
        QVERIFY(ref.FindBanque(QStringLiteral("001")));
        QVERIFY(ref.FindAgence(QStringLiteral("00799999")));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::newRow("correct, known agency")
            << QStringList{"rib", "007", "99999", "0000000001", "09"} << 0
            << QStringLiteral(
                   "09\nOK\nBanque 007 : ALGERIE POSTE\nAgence 99999 : CENTRE DES CHEQUES POSTAUX (RIB CCP)\n");
        QTest::newRow("wrong key, unknown bank") << QStringList{"rib", "321", "00101", "0123456789", "70"} << 1
                                                 << QStringLiteral("71\nClé de Contrôle erronée\nBanque 321 : inconnue "
                                                                   "du référentiel\nAgence 00101 : inconnue du "
                                                                   "référentiel\n");
        QTest::newRow("no key: the lengths only") << QStringList{"rib", "001", "00101", "01234567"} << 1
                                                  << QStringLiteral("48\nNuméro du compte erroné\nBanque 001 : BNA\n"
                                                                    "Agence 00101 : AGENCE EXEMPLE ALGER CENTRE\n");
        QTest::newRow("too few arguments") << QStringList{"rib", "001", "00101"} << 2 << QString();
        QTest::newRow("too many arguments") << QStringList{"rib", "1", "2", "3", "4", "5"} << 2 << QString();
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        const CliRun run = RunCli(args);
        QCOMPARE(run.code, code);
        QCOMPARE(run.out, out);
        QCOMPARE(run.err.isEmpty(), code != 2);
    }
};

QTEST_GUILESS_MAIN(TestBankRef)
#include "test_bankref.moc"
