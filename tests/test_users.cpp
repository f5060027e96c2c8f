#include "OlderFiles.h"
#include "TestHome.h"
#include "common/Profile.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "users/LoginDelays.h"
#include "users/PasswordHash.h"
#include "users/Users.h"

#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

namespace {

const QString kCancel = QStringLiteral("<cancel>");
const QString kNull = QStringLiteral("<null>");

QString sqlValue(const QString &value) { return value == kNull ? QStringLiteral("null") : QuotedSQL(value); }

// A management file whose users table holds rows, given as name, password, priority triplets (kNull for a
// NULL value).
QString fileWithUsers(const TestHome &home, const QStringList &rows, const QString &createUsers = QString())
{
    const QString path = home.templateCopy(QStringLiteral("DOS1_2009.MDB"));
    TestData setup;
    if (setup.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, true, QString::fromLatin1(kSchemaTag))
        != OpenOk)
        qFatal("cannot open the template copy");
    QSqlQuery q(setup.database());
    if (!createUsers.isEmpty() && !(q.exec(QStringLiteral("drop table users")) && q.exec(createUsers)))
        qFatal("cannot recreate the users table");
    for (qsizetype i = 0; i + 2 < rows.size(); i += 3) {
        const QString sql = QStringLiteral("insert into users values(%1,%2,%3)")
                                .arg(sqlValue(rows.at(i)), sqlValue(rows.at(i + 1)), sqlValue(rows.at(i + 2)));
        if (!q.exec(sql))
            qFatal("%s", qPrintable(sql));
    }
    return path;
}

int openChecked(Tfdb &db, const QString &path)
{
    InstallUsersCheck(db);
    return db.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, true, QString::fromLatin1(kSchemaTag));
}

// The users table as "name|password|priority"; a password stored as a hash shows as "#" and the
// password of the tests that it matches.
QStringList usersTable(Tfdb &db)
{
    static const QStringList known = {"SECRET", "NOUVEAU", "PW", "L'AMI", "CASH"};
    QStringList rows;
    QSqlQuery q(db.database());
    if (!q.exec(QStringLiteral("select username, password, priorite from users order by username")))
        return {QStringLiteral("unreadable")};
    while (q.next()) {
        QString password = q.value(1).toString();
        if (IsPasswordHash(password)) {
            const auto match = std::find_if(known.begin(), known.end(),
                                            [&](const QString &plain) { return PasswordMatches(password, plain); });
            password = QLatin1Char('#') + (match != known.end() ? *match : QStringLiteral("?"));
        }
        rows << q.value(0).toString() + QLatin1Char('|') + password + QLatin1Char('|') + q.value(2).toString();
    }
    return rows;
}

QStringList repeated(const QString &s, int n)
{
    QStringList list;
    for (int i = 0; i < n; ++i)
        list << s;
    return list;
}

QList<UserEntry> adminAndCashier()
{
    return {{QStringLiteral("ADMIN"), QStringLiteral("SECRET"), QStringLiteral("A")},
            {QStringLiteral("CAISSE"), QString(), QStringLiteral("B")}};
}

} // namespace

class TestUsers : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setPrompter(nullptr); }

    // LoginUser through the opening, as the program runs it.
    void login_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("typed"); // answers of the plain prompt
        QTest::addColumn<int>("loginRow");      // answer of the login window
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("priority");
        QTest::addColumn<QStringList>("asked");

        const QString longName = QString(200, QLatin1Char('N'));
        QTest::newRow("empty table asks nothing")
            << QStringList{} << QStringList{} << -2 << int(OpenOk) << QString() << "A" << QStringList{};
        QTest::newRow("one user without password")
            << QStringList{"GERANT", "", "C"} << QStringList{} << -2 << int(OpenOk) << "GERANT"
            << "A" << QStringList{};
        QTest::newRow("null password and priority")
            << QStringList{"GERANT", kNull, kNull} << QStringList{} << -2 << int(OpenOk) << "GERANT"
            << "A" << QStringList{};
        QTest::newRow("small letters and blanks accepted")
            << QStringList{"ADMIN", "SECRET", "A"} << QStringList{"  secret "} << -2 << int(OpenOk) << "ADMIN"
            << "A" << QStringList{"password"};
        QTest::newRow("right at the third attempt")
            << QStringList{"ADMIN", "SECRET", "A"} << QStringList{"x", "secre", "Secret"} << -2 << int(OpenOk)
            << "ADMIN"
            << "A" << repeated("password", 3);
        QTest::newRow("three wrong answers refuse the opening")
            << QStringList{"ADMIN", "SECRET", "A"} << QStringList{"x", "y", "z", "secret"} << -2 << int(OpenUserRefused)
            << QString() << "A" << repeated("password", 3);
        QTest::newRow("cancel ends at once")
            << QStringList{"ADMIN", "SECRET", "A"} << QStringList{kCancel, "secret"} << -2 << int(OpenUserRefused)
            << QString() << "A" << QStringList{"password"};
        QTest::newRow("typed longer than the column")
            << QStringList{"ADMIN", "SECRET12", "A"} << QStringList{"secret1299"} << -2 << int(OpenOk) << "ADMIN"
            << "A" << QStringList{"password"};
        QTest::newRow("blanks around a full-length password")
            << QStringList{"ADMIN", "SECRET12", "A"} << QStringList{" secret12 "} << -2 << int(OpenOk) << "ADMIN"
            << "A" << QStringList{"password"};
        QTest::newRow("stored with blanks and small letters")
            << QStringList{" admin ", " secret ", " a "} << QStringList{"SECRET"} << -2 << int(OpenOk) << "ADMIN"
            << "A" << QStringList{"password"};
        QTest::newRow("only CAISSE B logs in as A")
            << QStringList{"CAISSE", "", "B"} << QStringList{} << -2 << int(OpenOk) << "CAISSE"
            << "A" << QStringList{};
        QTest::newRow("two users keep their priority") << QStringList{"ADMIN", "SECRET", "A", "CAISSE", "CASH", "B"}
                                                       << QStringList{} << 1 << int(OpenOk) << "CAISSE"
                                                       << "B" << QStringList{"login"};
        QTest::newRow("several users without A get A")
            << QStringList{"CAISSE", "", "B", "MAGASIN", "", "C"} << QStringList{} << 1 << int(OpenOk) << "MAGASIN"
            << "A" << QStringList{"login"};
        QTest::newRow("login window refused") << QStringList{"ADMIN", "SECRET", "A", "CAISSE", "", "B"} << QStringList{}
                                              << -2 << int(OpenUserRefused) << QString() << "A" << QStringList{"login"};
        QTest::newRow("name with a quote")
            << QStringList{"O'BRIEN", "PW", "B"} << QStringList{"pw"} << -2 << int(OpenOk) << "O'BRIEN"
            << "A" << QStringList{"password"};
        QTest::newRow("name of 200 characters") << QStringList{longName, "", "D", "ADMIN", "", "A"} << QStringList{}
                                                << 1 << int(OpenOk) << longName << "D" << QStringList{"login"};
    }
    void login()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, typed);
        QFETCH(int, loginRow);
        QFETCH(int, result);
        QFETCH(QString, user);
        QFETCH(QString, priority);
        QFETCH(QStringList, asked);

        TestHome home;
        const QString path = fileWithUsers(home, rows);
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        for (const QString &t : typed)
            answers.passwords.push_back(t == kCancel ? std::nullopt : std::optional<QString>(t));
        forms.logins.push_back(loginRow);
        setPrompter(&answers);

        TestData db;
        QCOMPARE(openChecked(db, path), result);
        QCOMPARE(db.isConnected(), result == OpenOk);
        QCOMPARE(answers.asked, asked);
        QCOMPARE(db.CurrentUser, user);
        QCOMPARE(db.CurrentPriority, priority);
        QVERIFY(answers.messages.isEmpty());
    }

    void passwordsKeptAsHashes()
    {
        TestHome home;
        const QString path = fileWithUsers(home, {"ADMIN", "SECRET", "A"});
        {
            // A file of before: the password as typed, replaced by its hash at the first good login.
            ScriptedPrompter answers;
            ScriptedUserForms forms(&answers.asked);
            answers.passwords = {"wrong", "secret"};
            setPrompter(&answers);
            TestData db;
            QCOMPARE(openChecked(db, path), int(OpenOk));
            QCOMPARE(usersTable(db), QStringList{"ADMIN|#SECRET|A"});
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("SECRET"));
        file.close();

        for (const auto &[typed, result] : {std::pair{QStringLiteral(" Secret"), int(OpenOk)},
                                            std::pair{QStringLiteral("SECRE"), int(OpenUserRefused)}}) {
            ScriptedPrompter answers;
            ScriptedUserForms forms(&answers.asked);
            answers.passwords = {typed, typed, typed};
            setPrompter(&answers);
            TestData db;
            QCOMPARE(openChecked(db, path), result);
        }

        // The login window compares with the hashes too.
        const QString hash = *HashPassword(QStringLiteral("CASH"));
        LoginCheck check({"ADMIN", "CAISSE"}, {*HashPassword(QStringLiteral("SECRET")), hash}, 8);
        check.select(1);
        QCOMPARE(check.CheckPW(QStringLiteral("cash ")), 1);
        QCOMPARE(check.CheckPW(QStringLiteral("secret")), -1);
        QVERIFY(!PasswordMatches(hash, hash));
        QVERIFY(HashPassword(QStringLiteral("CASH")) != hash); // salted
    }

    void passwordSizeFollowsTheColumn_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("char(5) cuts the typed text") << "char(5)" << 5 << "abcdexyz" << true;
        QTest::newRow("char(5) still needs the five") << "char(5)" << 5 << "abcd" << false;
        QTest::newRow("no declared size gives 8") << "text" << 8 << "abcdexyz" << false;
        QTest::newRow("size with blanks") << "varchar( 6 )" << 6 << "abcdefgh" << false;
    }
    void passwordSizeFollowsTheColumn()
    {
        QFETCH(QString, column);
        QFETCH(int, size);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        TestHome home;
        const QString path = fileWithUsers(
            home, {"ADMIN", "ABCDE", "A"},
            QStringLiteral("create table users (username char(30) primary key, PASSWORD %1, priorite char(1))")
                .arg(column));
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        answers.passwords = {typed, typed, typed};
        setPrompter(&answers);
        TestData db;
        QCOMPARE(openChecked(db, path), accepted ? int(OpenOk) : int(OpenUserRefused));
        QCOMPARE(PasswordSize(), size);
    }

    void loginWindowPreselection_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("selected");
        QTest::newRow("nothing remembered") << QString() << 0;
        QTest::newRow("remembered name") << "CAISSE" << 1;
        QTest::newRow("name no longer listed") << "PARTI" << -1;
    }
    void loginWindowPreselection()
    {
        QFETCH(QString, last);
        QFETCH(int, selected);
        TestHome home;
        Profile().WriteValue(QString::fromLatin1(kProfileLastUserName), last);
        LoginCheck check({"ADMIN", "CAISSE"}, {"SECRET", ""}, 8);
        QCOMPARE(check.selected(), selected);
        // Without a selection no password can match.
        if (selected < 0)
            QCOMPARE(check.CheckPW(QString()), -1);
    }

    // Every password kept as typed is hashed when the file is first opened for writing, whoever logs in
    // and even when nobody does; a file opened read-only is left as it is.
    void everyPlainPasswordHashedAtTheFirstOpening_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("loginRow");
        QTest::addColumn<QStringList>("table");
        const QStringList rows = {"ADMIN|#SECRET|A", "CAISSE|#CASH|B", "MAGASIN||C"};
        QTest::newRow("ADMIN logs in") << false << 0 << rows;
        QTest::newRow("the login refused") << false << -2 << rows;
        QTest::newRow("read-only") << true << 0 << QStringList{"ADMIN|SECRET|A", "CAISSE|CASH|B", "MAGASIN||C"};
    }
    void everyPlainPasswordHashedAtTheFirstOpening()
    {
        QFETCH(bool, readOnly);
        QFETCH(int, loginRow);
        QFETCH(QStringList, table);
        TestHome home;
        const QString path = fileWithUsers(home, {"ADMIN", "SECRET", "A", "CAISSE", "CASH", "B", "MAGASIN", "", "C"});
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        forms.logins.push_back(loginRow);
        setPrompter(&answers);
        {
            TestData db;
            db.readOnly = readOnly;
            QCOMPARE(openChecked(db, path), loginRow >= 0 ? int(OpenOk) : int(OpenUserRefused));
        }
        TestData check;
        QCOMPARE(check.OpenDatabaseFile("CHECK", path, false, false, QString::fromLatin1(kSchemaTag)), int(OpenOk));
        QCOMPARE(usersTable(check), table);
    }

    void loginDelayGrows_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("seconds");
        QTest::newRow("first attempt") << 0 << 0;
        QTest::newRow("after two") << 2 << 0;
        QTest::newRow("after three") << 3 << 30;
        QTest::newRow("after four") << 4 << 60;
        QTest::newRow("after six") << 6 << 240;
        QTest::newRow("at most a quarter of an hour") << 40 << 900;
    }
    void loginDelayGrows()
    {
        QFETCH(int, failures);
        QFETCH(int, seconds);
        QCOMPARE(LoginDelays::delayAfter(failures), seconds);
    }

    // Three wrong passwords, then an opening again: no three more attempts at once, but a wait kept in the
    // file for that name, said in words; once it has passed, the right password opens and clears it. The
    // login window keeps the same count.
    void failedLoginsDelayTheNextOnes()
    {
        TestHome home;
        const QString path = fileWithUsers(home, {"ADMIN", "SECRET", "A"});
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        setPrompter(&answers);
        const QString waitText =
            "Trop de mots de passe incorrects pour ADMIN : nouvel essai possible dans 30 secondes.";
        {
            answers.passwords = {"a", "b", "c"};
            TestData db;
            QCOMPARE(openChecked(db, path), int(OpenUserRefused));
        }
        QCOMPARE(RowsOf(path, "select username, failures from login_delay"), QStringList{"ADMIN|3"});
        {
            answers.passwords = {"secret"};
            answers.asked.clear();
            TestData db;
            QCOMPARE(openChecked(db, path), int(OpenUserRefused));
            QVERIFY(answers.asked.startsWith("message"));
            QVERIFY2(answers.messages.last().startsWith(waitText.left(60)), qPrintable(answers.messages.last()));
        }
        MakeDatabase(path, {"update login_delay set last_failure='2000-01-01T00:00:00Z'"});
        {
            answers.passwords = {"secret"};
            TestData db;
            QCOMPARE(openChecked(db, path), int(OpenOk));
            QCOMPARE(db.CurrentUser, QStringLiteral("ADMIN"));
        }
        QCOMPARE(RowsOf(path, "select count(*) from login_delay"), QStringList{"0"});

        // The login window: three failures for a name, then the right password waits too.
        TestData db;
        QCOMPARE(db.OpenDatabaseFile("DELAYS", path, false, false, QString::fromLatin1(kSchemaTag)), int(OpenOk));
        LoginDelays delays(db.database());
        const LoginDelays::Scope scope(delays);
        LoginCheck check({"ADMIN", "CAISSE"}, {"SECRET", "CASH"}, 8);
        check.select(1);
        for (const char *wrong : {"x", "y"})
            QCOMPARE(check.submit(wrong), LoginCheck::Outcome::Retry);
        QCOMPARE(check.submit("z"), LoginCheck::Outcome::Refused);
        LoginCheck again({"ADMIN", "CAISSE"}, {"SECRET", "CASH"}, 8);
        again.select(1);
        QCOMPARE(again.submit("cash"), LoginCheck::Outcome::Refused);
        QVERIFY(answers.messages.last().startsWith("Trop de mots de passe incorrects pour CAISSE"));
        again.select(0);
        QCOMPARE(again.submit("secret"), LoginCheck::Outcome::Accepted); // another name is not held
    }

    void loginWindowAttempts()
    {
        TestHome home;
        LoginCheck check({"ADMIN", "CAISSE", "MAGASIN"}, {"SECRET", "CASH", "SECRET"}, 8);
        QCOMPARE(check.selected(), 0);
        QCOMPARE(check.submit("wrong"), LoginCheck::Outcome::Retry);
        QCOMPARE(check.submit("cash"), LoginCheck::Outcome::Retry); // another user's password
        check.select(0);                                            // the same name keeps its count
        QCOMPARE(check.attempts(), 2);
        check.select(1);
        QCOMPARE(check.attempts(), 0);
        QCOMPARE(check.submit("x"), LoginCheck::Outcome::Retry);
        QCOMPARE(check.submit("y"), LoginCheck::Outcome::Retry);
        QCOMPARE(check.submit(" cash "), LoginCheck::Outcome::Accepted);
        QCOMPARE(check.finish(true, " cash "), 1);
        QCOMPARE(Profile().ReadValue(QString::fromLatin1(kProfileLastUserName)), QStringLiteral("CAISSE"));

        // The row of the chosen name, even when another user has the same password.
        check.select(2);
        QCOMPARE(check.CheckPW("secret"), 2);
        QCOMPARE(check.submit("a"), LoginCheck::Outcome::Retry);
        QCOMPARE(check.submit("b"), LoginCheck::Outcome::Retry);
        QCOMPARE(check.submit("c"), LoginCheck::Outcome::Refused);
        QCOMPARE(check.finish(false, "c"), -2);
        // A cancelled window remembers nothing.
        QCOMPARE(check.finish(false, "secret"), -2);
        QCOMPARE(Profile().ReadValue(QString::fromLatin1(kProfileLastUserName)), QStringLiteral("CAISSE"));

        LoginCheck cut({"ADMIN"}, {"SECRET12"}, 8);
        QCOMPARE(cut.selected(), -1); // CAISSE is not listed
        cut.select(0);
        QCOMPARE(cut.CheckPW("secret1299"), 0);
    }

    void hasPriority_data()
    {
        QTest::addColumn<QString>("priority");
        QTest::addColumn<QString>("allowed");
        QTest::addColumn<bool>("warn");
        QTest::addColumn<bool>("passes");
        QTest::newRow("A manages users") << "A"
                                         << "A" << true << true;
        QTest::newRow("B backs up") << "B"
                                    << "AB" << true << true;
        QTest::newRow("B cannot manage users") << "B"
                                               << "A" << true << false;
        QTest::newRow("C refused silently") << "C"
                                            << "AB" << false << false;
        QTest::newRow("empty never passes") << ""
                                            << "AB" << true << false;
    }
    void hasPriority()
    {
        QFETCH(QString, priority);
        QFETCH(QString, allowed);
        QFETCH(bool, warn);
        QFETCH(bool, passes);
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        setPrompter(&answers);
        TestData db;
        db.CurrentPriority = priority;
        QCOMPARE(HasPriority(db, allowed, warn), passes);
        if (passes || !warn) {
            QVERIFY(answers.messages.isEmpty());
        } else {
            QCOMPARE(answers.messages,
                     QStringList{QStringLiteral("   Priorité insuffisante \n   Accès refusé                      ")});
            QCOMPARE(answers.messageCaptions, QStringList{QStringLiteral("User")});
        }
    }

    void changeOwnPassword_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("typed");       // to log in
        QTest::addColumn<QString>("newPassword"); // kCancel when the window is cancelled
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QStringList>("table");
        QTest::newRow("changed") << QStringList{"ADMIN", "SECRET", "A", "CAISSE", "", "B"} << ""
                                 << "NOUVEAU" << true << QStringList{"ADMIN|#NOUVEAU|A", "CAISSE||B"};
        QTest::newRow("cancelled") << QStringList{"ADMIN", "SECRET", "A"} << "secret" << kCancel << false
                                   << QStringList{"ADMIN|#SECRET|A"};
        QTest::newRow("stored in small letters with blanks") << QStringList{" admin ", "SECRET", "A"} << "secret"
                                                             << "NOUVEAU" << true << QStringList{" admin |#NOUVEAU|A"};
        QTest::newRow("quote in name and password") << QStringList{"O'BRIEN", "", "A"} << ""
                                                    << "L'AMI" << true << QStringList{"O'BRIEN|#L'AMI|A"};
    }
    void changeOwnPassword()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, typed);
        QFETCH(QString, newPassword);
        QFETCH(bool, changed);
        QFETCH(QStringList, table);
        TestHome home;
        const QString path = fileWithUsers(home, rows);
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        answers.passwords = {typed};
        forms.logins = {0};
        forms.newPasswords = {newPassword == kCancel ? std::nullopt : std::optional<QString>(newPassword)};
        setPrompter(&answers);
        TestData db;
        QCOMPARE(openChecked(db, path), int(OpenOk));
        const QString before = db.CurrentPassword;

        QCOMPARE(ChangeOwnPassword(db), changed);
        QCOMPARE(answers.asked.last(), QStringLiteral("changePassword"));
        QCOMPARE(forms.lastPasswordName, db.CurrentUser);
        QCOMPARE(forms.lastPasswordSize, 8);
        QVERIFY(changed ? PasswordMatches(db.CurrentPassword, newPassword) : db.CurrentPassword == before);
        QCOMPARE(usersTable(db), table);
    }

    void changeOwnPasswordWithoutUserRunsTheList()
    {
        TestHome home;
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        forms.userLists = {QList<UserEntry>{{"ADMIN", "", "A"}}, QList<UserEntry>{{"ADMIN", "PW", "A"}}};
        setPrompter(&answers);
        TestData db;
        QCOMPARE(openChecked(db, fileWithUsers(home, {})), int(OpenOk));
        QVERIFY(ChangeOwnPassword(db));
        QCOMPARE(answers.asked, QStringList{"users"});
        QCOMPARE(usersTable(db), QStringList{"ADMIN||A"});
        // Users added since the opening: still nobody logged in whose password could change.
        QVERIFY(ChangeOwnPassword(db));
        QCOMPARE(answers.asked, (QStringList{"users", "users"}));
        QCOMPARE(usersTable(db), QStringList{"ADMIN|#PW|A"});
        QVERIFY(db.CurrentUser.isEmpty());
    }

    void manageUsersRewritesTheTable()
    {
        TestHome home;
        const QString longName = QString(200, QLatin1Char('L'));
        const QString path = fileWithUsers(home, {"ADMIN", "SECRET", "A", " caisse ", kNull, kNull});
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        forms.logins = {1};
        forms.userLists = {
            std::nullopt,
            QList<UserEntry>{{"O'BRIEN", "L'AMI", "A"}, {longName, "", "B"}, {"X'); drop table users; --", "", "C"}}};
        setPrompter(&answers);
        TestData db;
        QCOMPARE(openChecked(db, path), int(OpenOk));

        // The window edits the rows as stored; cancelling changes nothing.
        QVERIFY(!ManageUsers(db));
        QCOMPARE(forms.lastUsers.size(), 2);
        QCOMPARE(forms.lastUsers.at(0).name, QStringLiteral(" caisse "));
        QCOMPARE(forms.lastUsers.at(0).password, QString());
        QCOMPARE(forms.lastUsers.at(0).priority, QStringLiteral("A"));
        QCOMPARE(usersTable(db), (QStringList{" caisse ||", "ADMIN|#SECRET|A"}));

        QVERIFY(ManageUsers(db));
        QCOMPARE(usersTable(db), (QStringList{longName + "||B", "O'BRIEN|#L'AMI|A", "X'); drop table users; --||C"}));
        // The login values wait for the next opening.
        QCOMPARE(db.CurrentUser, QStringLiteral("ADMIN"));
        QVERIFY(answers.messages.isEmpty());
    }

    void manageUsersKeepsTheTableWhenAWriteFails()
    {
        TestHome home;
        const QString path = fileWithUsers(home, {"ADMIN", "", "A", "CAISSE", "", "B"});
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        forms.logins = {0};
        forms.userLists = {QList<UserEntry>{{"NOUVEAU", "", "A"}, {"NOUVEAU", "", "B"}}};
        setPrompter(&answers);
        TestData db;
        QCOMPARE(openChecked(db, path), int(OpenOk));
        QVERIFY(!ManageUsers(db));
        QCOMPARE(answers.messages.size(), 1); // the engine's message
        QCOMPARE(usersTable(db), (QStringList{"ADMIN||A", "CAISSE||B"}));
    }

    void listLocks_data()
    {
        QTest::addColumn<QStringList>("priorities");
        QTest::addColumn<int>("row"); // -1: "Ajouter"
        QTest::addColumn<bool>("locked");
        QTest::newRow("add to a list without A") << QStringList{"B"} << -1 << true;
        QTest::newRow("add to an empty list") << QStringList{} << -1 << true;
        QTest::newRow("add beside an A") << QStringList{"A", "B"} << -1 << false;
        QTest::newRow("modify the only A") << QStringList{"A", "B"} << 0 << true;
        QTest::newRow("modify CAISSE beside one A") << QStringList{"A", "B"} << 1 << false;
        QTest::newRow("modify one of two A") << QStringList{"A", "A"} << 1 << false;
        QTest::newRow("modify when nobody is A") << QStringList{"B", "C"} << 1 << true;
        QTest::newRow("small a is not an A") << QStringList{"a", "B"} << 1 << true;
    }
    void listLocks()
    {
        QFETCH(QStringList, priorities);
        QFETCH(int, row);
        QFETCH(bool, locked);
        QList<UserEntry> users;
        for (const QString &p : priorities)
            users.append({QStringLiteral("U%1").arg(users.size()), QString(), p});
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        forms.userEdits = {UserEntry{"NEW", QString(), "D"}};
        setPrompter(&answers);
        UserListEditor editor(users);
        if (row >= 0)
            editor.setCurrent(row);
        QVERIFY(row < 0 ? editor.add() : editor.modify());
        QCOMPARE(forms.lastUserLocked, locked);
        const UserEntry &edited = editor.users().at(row < 0 ? editor.count() - 1 : row);
        QCOMPARE(edited.name, QStringLiteral("NEW"));
        QCOMPARE(edited.priority, locked ? QStringLiteral("A") : QStringLiteral("D"));
        QVERIFY(editor.CountAdmin() >= 1 || !locked);
        QCOMPARE(editor.current(), row < 0 ? editor.count() - 1 : row);
    }

    void listDelete_data()
    {
        QTest::addColumn<QStringList>("priorities");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("remaining");
        QTest::addColumn<int>("current");
        QTest::newRow("the only A beside others") << QStringList{"A", "B", "C"} << 0 << true << 3 << 0;
        QTest::newRow("CAISSE confirmed") << QStringList{"A", "B", "C"} << 1 << true << 2 << 1;
        QTest::newRow("the last row confirmed") << QStringList{"A", "B", "C"} << 2 << true << 2 << 1;
        QTest::newRow("CAISSE not confirmed") << QStringList{"A", "B"} << 1 << false << 2 << 1;
        QTest::newRow("one of two A") << QStringList{"A", "A"} << 0 << true << 1 << 0;
        QTest::newRow("the only user") << QStringList{"A"} << 0 << true << 0 << -1;
    }
    void listDelete()
    {
        QFETCH(QStringList, priorities);
        QFETCH(int, row);
        QFETCH(bool, confirmed);
        QFETCH(int, remaining);
        QFETCH(int, current);
        QList<UserEntry> users;
        for (const QString &p : priorities)
            users.append({QStringLiteral("U%1").arg(users.size()), QString(), p});
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        answers.confirmations = {confirmed};
        setPrompter(&answers);
        UserListEditor editor(users);
        editor.setCurrent(row);
        const bool refused = priorities.count("A") == 1 && priorities.at(row) == "A" && priorities.size() > 1;

        QCOMPARE(editor.remove(), remaining < priorities.size());
        QCOMPARE(editor.count(), remaining);
        QCOMPARE(editor.current(), current);
        QCOMPARE(editor.hasRows(), remaining > 0);
        if (refused) {
            QCOMPARE(answers.asked, QStringList{"message"});
            QCOMPARE(answers.messages,
                     QStringList{QStringLiteral(
                         "Il y a un seul utilisateur de priorité \" A \", vous ne pouvez pas le supprimer.")});
            QCOMPARE(answers.messageCaptions, QStringList{QStringLiteral("Information")});
        } else {
            QCOMPARE(answers.questions,
                     QStringList{
                         QStringLiteral(" Voulez-vous  Confirmer la Suppression de l'Utilisateur U%1  ? ").arg(row)});
            QCOMPARE(answers.questionCaptions, QStringList{QStringLiteral("Confirmation")});
        }
    }

    void listDropsDuplicateNames()
    {
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        forms.userEdits = {UserEntry{" admin ", QString(), "B"}, UserEntry{"ADMIN", QString(), "A"},
                           UserEntry{"Caisse", QString(), "C"}, UserEntry{"  ", QString(), "C"},
                           UserEntry{" COMPTABLE ", QString(), "D"}};
        setPrompter(&answers);
        UserListEditor editor(adminAndCashier());

        QVERIFY(!editor.add()); // " admin " is ADMIN
        editor.setCurrent(1);
        QVERIFY(!editor.modify()); // CAISSE renamed ADMIN
        editor.setCurrent(1);
        QVERIFY(editor.modify()); // its own name in other letters
        QVERIFY(!editor.add());   // blanks only
        QVERIFY(editor.add());
        QCOMPARE(editor.count(), 3);
        QCOMPARE(editor.users().at(1).name, QStringLiteral("Caisse"));
        QCOMPARE(editor.users().at(1).priority, QStringLiteral("C"));
        QCOMPARE(editor.users().at(2).name, QStringLiteral("COMPTABLE"));
        QCOMPARE(editor.users().at(2).password, QString());
        QCOMPARE(editor.current(), 2);
    }

    void listPassword()
    {
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        forms.newPasswords = {std::nullopt, QStringLiteral("CASH")};
        setPrompter(&answers);
        UserListEditor editor(adminAndCashier());
        editor.setCurrent(1);
        QCOMPARE(UserListEditor::passwordMark(editor.users().at(1)), QStringLiteral("~"));
        QVERIFY(!editor.changePassword());
        QVERIFY(editor.changePassword());
        QCOMPARE(forms.lastPasswordName, QStringLiteral("CAISSE"));
        QCOMPARE(forms.lastPasswordSize, 8);
        QCOMPARE(editor.users().at(1).password, QStringLiteral("CASH"));
        QCOMPARE(UserListEditor::passwordMark(editor.users().at(1)), QStringLiteral("Oui"));

        // A double-click on an empty list adds.
        UserListEditor empty({});
        QVERIFY(!empty.hasRows());
        QVERIFY(!empty.editOrAdd());
        QCOMPARE(answers.asked.last(), QStringLiteral("user"));
    }

    void passwordChangeSteps()
    {
        PasswordChange change(QStringLiteral(" secret "), 8);
        QVERIFY(change.currentEnabled());
        QVERIFY(!change.newEnabled());
        QVERIFY(!change.okEnabled());
        change.enterCurrent(QStringLiteral("wrong"));
        QVERIFY(change.currentEnabled());
        change.enterCurrent(QStringLiteral(" Secret"));
        QVERIFY(!change.currentEnabled());
        QVERIFY(change.newEnabled());
        QVERIFY(!change.enterConfirmation(QStringLiteral("abc"), QStringLiteral("abd")));
        QVERIFY(change.enterConfirmation(QStringLiteral("abc"), QStringLiteral(" ABC ")));
        QVERIFY(change.okEnabled());
        // Editing after the confirmation asks for it again.
        change.newEdited();
        QVERIFY(!change.okEnabled());
        QCOMPARE(change.result(QStringLiteral(" abc ")), QStringLiteral("ABC"));

        // Nobody asks a user without password for one.
        PasswordChange fresh(QStringLiteral("  "), 8);
        QVERIFY(!fresh.currentEnabled());
        QVERIFY(fresh.newEnabled());
    }

    void passwordConfirmation_data()
    {
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<bool>("ok");
        QTest::newRow("same") << "abc"
                              << "abc" << true;
        QTest::newRow("letter case and blanks") << "abc"
                                                << " ABC " << true;
        QTest::newRow("different") << "abc"
                                   << "abd" << false;
        QTest::newRow("empty cannot remove a password") << ""
                                                        << "" << false;
        QTest::newRow("blanks only") << "   "
                                     << " " << false;
    }
    void passwordConfirmation()
    {
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmation);
        QFETCH(bool, ok);
        PasswordChange change(QString(), 8);
        QCOMPARE(change.enterConfirmation(newPassword, confirmation), ok);
        QCOMPARE(change.okEnabled(), ok);
    }
};

QTEST_GUILESS_MAIN(TestUsers)
#include "test_users.moc"
