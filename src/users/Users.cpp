#include "users/Users.h"

#include "common/Failure.h"
#include "common/Profile.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "db/Transaction.h"
#include "journal/Journal.h"
#include "users/LoginDelays.h"
#include "users/PasswordHash.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace zelvane {

namespace {

int g_passwordSize = kDefaultPasswordSize;

QString normalized(const QString &s) { return s.trimmed().toUpper(); }

// A stored password as it is compared: a hash as it stands, a password kept as typed in capitals.
QString storedPassword(const QString &s) { return IsPasswordHash(s) ? s : normalized(s); }

const QString &hashFailure()
{
    static const QString text = QStringLiteral("Le mot de passe n'a pas pu être chiffré : rien n'a été modifié.");
    return text;
}

// Trimmed before the cut, so that blanks typed around a full-length password do not eat into it.
QString typedPassword(const QString &typed, int size) { return normalized(typed).left(size); }

// The declared size of the users table's password column; SQLite keeps it only in the declared type.
int passwordColumnSize(const QSqlDatabase &db, const QSqlRecord &record)
{
    const int column = record.indexOf(QStringLiteral("password"));
    if (column < 0)
        return kDefaultPasswordSize;
    const QString name = record.fieldName(column);
    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("pragma table_info(users)")))
        return kDefaultPasswordSize;
    static const QRegularExpression sizePattern(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    while (info.next()) {
        if (info.value(1).toString().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const QRegularExpressionMatch match = sizePattern.match(info.value(2).toString());
        const int size = match.hasMatch() ? match.captured(1).toInt() : 0;
        return size > 0 ? size : kDefaultPasswordSize;
    }
    return kDefaultPasswordSize;
}

QString textOf(const QSqlQuery &query, const QString &column, const QString &fallback = {})
{
    const QVariant value = query.value(column);
    return value.isNull() ? fallback : value.toString();
}

// Delete all and insert each, as one transaction: a list that cannot be written whole leaves the table
// as it was rather than half empty.
bool writeUsers(Tfdb &db, QList<UserEntry> users)
{
    for (UserEntry &user : users) {
        if (IsPasswordHash(user.password))
            continue;
        const std::optional<QString> hash = HashPassword(normalized(user.password));
        if (!hash) {
            prompter().showMessage(hashFailure());
            return false;
        }
        user.password = *hash;
    }
    QSqlDatabase connection = db.database();
    const bool transaction = connection.transaction();
    QSqlQuery query(connection);
    bool written = query.exec(QStringLiteral("delete from users"));
    for (const UserEntry &user : users) {
        if (!written)
            break;
        written = query.exec(QStringLiteral(" insert into users values(") + QuotedSQL(user.name) + QLatin1Char(',')
                             + QuotedSQL(user.password) + QLatin1Char(',') + QuotedSQL(user.priority)
                             + QLatin1Char(')'));
    }
    // The list's journal entries are sealed with it.
    if (written && transaction)
        written = IgnoreFailure("sealing the journal", [&] { SealJournal(connection); });
    if (written && (!transaction || connection.commit()))
        return true;
    const QString error = query.lastError().isValid() ? query.lastError().text() : connection.lastError().text();
    if (transaction)
        connection.rollback();
    prompter().showMessage(error);
    return false;
}

// The login rows of the users table: names and passwords as compared, names as stored, priorities.
struct UserRows
{
    QStringList names, storedNames, passwords, priorities;
    int passwordSize = kDefaultPasswordSize;
    int indexOf(const QString &name) const { return int(names.indexOf(normalized(name))); }
    // The priority of row i: its own, or "A" when no row has the priority "A".
    QString priorityOf(int i) const
    {
        return priorities.contains(QStringLiteral("A")) ? priorities.at(i) : QStringLiteral("A");
    }
};

UserRows readUsers(const QSqlDatabase &db)
{
    UserRows rows;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select * from users order by username")))
        return rows;
    rows.passwordSize = passwordColumnSize(db, query.record());
    while (query.next()) {
        rows.names << normalized(textOf(query, QStringLiteral("username")));
        rows.passwords << storedPassword(textOf(query, QStringLiteral("password")));
        rows.storedNames << textOf(query, QStringLiteral("username"));
        rows.priorities << normalized(textOf(query, QStringLiteral("priorite"), QStringLiteral("A")));
    }
    return rows;
}

} // namespace

void HashPlainPasswords(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select username, password from users")))
        return;
    QList<std::pair<QString, QString>> plain;
    while (query.next()) {
        const QString password = textOf(query, QStringLiteral("password"));
        if (!normalized(password).isEmpty() && !IsPasswordHash(password))
            plain.append({textOf(query, QStringLiteral("username")), normalized(password)});
    }
    query.finish();
    for (const auto &user : std::as_const(plain)) {
        const QString &name = user.first;
        // A failure leaves that password as it was; the next opening tries again.
        if (const std::optional<QString> hash = HashPassword(user.second)) {
            // A unit of its own, so that the journal's entry of the change is sealed with it.
            IgnoreFailure("hashing a password", [&] {
                Transaction unit(db);
                QSqlQuery update(db);
                update.prepare(QStringLiteral("update users set password=? where username=?"));
                update.addBindValue(*hash);
                update.addBindValue(name);
                if (!update.exec())
                    throw DatabaseError(update.lastError().text());
                unit.commit();
            });
        }
    }
}

int PasswordSize() { return g_passwordSize; }

bool LoginUser(Tfdb &db)
{
    db.CurrentUser.clear();
    db.CurrentPassword.clear();
    db.CurrentPriority = QStringLiteral("A");
    g_passwordSize = kDefaultPasswordSize;

    // Every password kept as typed by an older file is hashed as soon as the file may be written, not
    // only each user's at his own next login.
    if (!db.readOnly)
        HashPlainPasswords(db.database());
    const UserRows rows = readUsers(db.database());
    g_passwordSize = rows.passwordSize;
    if (rows.names.isEmpty())
        return true;

    LoginDelays delays(db.database());
    const LoginDelays::Scope scope(delays);
    int row = -2;
    if (rows.names.size() == 1 && rows.passwords.first().isEmpty()) {
        row = 0;
    } else if (rows.names.size() == 1) {
        const QString name = rows.names.first();
        QString typed;
        for (int attempt = 0; attempt < kLoginAttempts && row < 0; ++attempt) {
            if (const int wait = delays.waitSeconds(name); wait > 0) {
                prompter().showMessage(LoginDelays::waitText(name, wait), QStringLiteral("Mot de passe Requis"),
                                       MessageIcon::Warning);
                break;
            }
            if (!AskPassword(typed))
                break;
            if (PasswordMatches(rows.passwords.first(), typedPassword(typed, g_passwordSize))) {
                row = 0;
                delays.succeeded(name);
            } else {
                delays.failed(name);
            }
        }
    } else {
        LoginForm *form = Form<LoginForm>::current();
        row = form ? form->checkPassword(rows.names, rows.passwords, g_passwordSize) : -2;
    }
    if (row < 0 || row >= rows.names.size())
        return false;

    db.CurrentUser = rows.names.at(row);
    db.CurrentPassword = rows.passwords.at(row);
    db.CurrentPriority = rows.priorityOf(row);
    return true;
}

CommandLoginResult LoginFromCommand(const QString &path, const QString &user,
                                    const std::function<std::optional<QString>(int attempt)> &password)
{
    CommandLoginResult result;
    // What is not a database (a folder, a pipe, another program's file) has no users: the command's own
    // opening says what it is, and nothing here may block on it or write into it.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)
        || !file.read(16).startsWith(QByteArrayLiteral("SQLite format 3"))) {
        result.accepted = true;
        result.priority = QStringLiteral("A");
        return result;
    }
    file.close();
    const QString connection = QStringLiteral("DB_COMMAND_LOGIN");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        bool writable = db.open();
        if (!writable) {
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            db.open();
        }
        // Opened for writing: the passwords kept as typed are hashed, as the desktop's opening does; a file
        // of an older generation is left as it is until it is converted.
        QSqlQuery tag(db);
        const bool current = tag.exec(QStringLiteral("select version from version")) && tag.next()
                             && tag.value(0).toString().trimmed() == QLatin1String(kSchemaTag);
        tag.finish();
        if (writable && current && QFileInfo(path).isWritable())
            HashPlainPasswords(db);
        const UserRows rows = readUsers(db);
        const int row = rows.indexOf(user);
        // A file without users is not written.
        std::optional<LoginDelays> kept;
        if (!rows.names.isEmpty())
            kept.emplace(db);
        LoginDelays *delays = kept ? &*kept : nullptr;
        if (!delays) {
            result.accepted = true;
        } else if (user.trimmed().isEmpty()) {
            result.reason = QStringLiteral("ce dossier a des utilisateurs, --user NOM est demandé");
        } else if (row < 0) {
            delays->failed(user);
            result.reason = QStringLiteral("utilisateur ou mot de passe incorrect");
        } else if (rows.passwords.at(row).isEmpty()) {
            result.accepted = true;
        } else {
            for (int attempt = 0; attempt < kLoginAttempts && !result.accepted; ++attempt) {
                if (const int wait = delays->waitSeconds(user); wait > 0) {
                    result.reason = LoginDelays::waitText(user, wait);
                    break;
                }
                const std::optional<QString> typed = password(attempt);
                if (!typed) {
                    if (result.reason.isEmpty())
                        result.reason = QStringLiteral("aucun mot de passe donné");
                    break;
                }
                result.accepted = PasswordMatches(rows.passwords.at(row), typedPassword(*typed, rows.passwordSize));
                if (result.accepted) {
                    delays->succeeded(user);
                } else {
                    delays->failed(user);
                    result.reason = QStringLiteral("utilisateur ou mot de passe incorrect");
                }
            }
        }
        if (result.accepted) {
            result.reason.clear();
            result.priority = row >= 0 ? rows.priorityOf(row) : QStringLiteral("A");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return result;
}

void InstallUsersCheck(Tfdb &db)
{
    db.usersCheck = [](Tfdb &opened) { return LoginUser(opened); };
}

bool AskPassword(QString &text)
{
    const std::optional<QString> typed = prompter().askPassword(QStringLiteral("Entrez  le mot de passe ..."),
                                                                QStringLiteral("Mot de passe Requis"));
    if (!typed)
        return false;
    text = *typed;
    return true;
}

bool ChangeOwnPassword(Tfdb &db)
{
    g_passwordSize = kDefaultPasswordSize;
    auto query = db.GetQuery(QStringLiteral("select * from users"));
    if (!query)
        return false;
    g_passwordSize = passwordColumnSize(db.database(), query->record());
    // The row is updated under its name as stored: the logged-in name is trimmed and in capitals, and
    // SQLite compares texts exactly.
    QString storedName;
    bool found = false;
    while (!found && query->next()) {
        storedName = textOf(*query, QStringLiteral("username"));
        found = normalized(storedName) == db.CurrentUser;
    }
    Tfdb::FreeQuery(query);
    // Nobody to change (an empty table, or users added since the file was opened without a login): the
    // list is where passwords are given.
    if (!found)
        return ManageUsers(db);

    PasswordChangeForm *form = Form<PasswordChangeForm>::current();
    const std::optional<QString> changed = form ? form->changePassword(db.CurrentPassword, db.CurrentUser,
                                                                       g_passwordSize)
                                                : std::nullopt;
    if (!changed)
        return false;
    const std::optional<QString> hash = HashPassword(*changed);
    if (!hash) {
        prompter().showMessage(hashFailure());
        return false;
    }
    QSqlQuery update(db.database());
    try {
        Transaction unit(db.database());
        if (!update.exec(QStringLiteral("update users set password=") + QuotedSQL(*hash)
                         + QStringLiteral(" where username=") + QuotedSQL(storedName)))
            throw DatabaseError(update.lastError().text());
        if (update.numRowsAffected() < 1)
            return false;
        unit.commit();
    } catch (const DatabaseError &error) {
        prompter().showMessage(error.message());
        return false;
    }
    db.CurrentPassword = *hash;
    return true;
}

bool ManageUsers(Tfdb &db)
{
    auto query = db.GetQuery(QStringLiteral("select * from users order by username"));
    // A list that could not be read must not be written back over the table.
    if (!query)
        return false;
    QList<UserEntry> users;
    while (query->next())
        users.append({textOf(*query, QStringLiteral("username")), textOf(*query, QStringLiteral("password")),
                      textOf(*query, QStringLiteral("priorite"), QStringLiteral("A"))});
    Tfdb::FreeQuery(query);
    UserListForm *form = Form<UserListForm>::current();
    if (!form || !form->editUsers(users))
        return false;
    return writeUsers(db, users);
}

// ---------------------------------------------------------------------------------------------------------

LoginCheck::LoginCheck(const QStringList &names, const QStringList &passwords, int passwordSize)
    : m_names(names)
    , m_passwords(passwords)
    , m_passwordSize(passwordSize)
{
    m_selected = initialSelection();
}

int LoginCheck::initialSelection() const
{
    if (m_names.isEmpty())
        return -1;
    const QString last = Profile().ReadValue(QString::fromLatin1(kProfileLastUserName));
    if (last.isEmpty())
        return 0;
    return int(m_names.indexOf(last));
}

void LoginCheck::select(int index)
{
    if (index != m_selected)
        m_attempts = 0;
    m_selected = index;
}

LoginCheck::Outcome LoginCheck::submit(const QString &typed)
{
    LoginDelays *delays = LoginDelays::current();
    const QString name = m_names.value(m_selected);
    if (const int wait = delays ? delays->waitSeconds(name) : 0; wait > 0) {
        prompter().showMessage(LoginDelays::waitText(name, wait), QStringLiteral("Mot de passe Requis"),
                               MessageIcon::Warning);
        return Outcome::Refused;
    }
    ++m_attempts;
    const bool accepted = CheckPW(typed) >= 0;
    if (delays && accepted)
        delays->succeeded(name);
    else if (delays)
        delays->failed(name);
    if (accepted)
        return Outcome::Accepted;
    return m_attempts >= kLoginAttempts ? Outcome::Refused : Outcome::Retry;
}

int LoginCheck::CheckPW(const QString &typed) const
{
    const QString name = m_selected >= 0 && m_selected < m_names.size() ? normalized(m_names.at(m_selected))
                                                                        : QString();
    const QString password = typedPassword(typed, m_passwordSize);
    for (int i = 0; i < m_names.size(); ++i) {
        if (normalized(m_names.at(i)) == name && PasswordMatches(storedPassword(m_passwords.value(i)), password))
            return i;
    }
    return -1;
}

int LoginCheck::finish(bool accepted, const QString &typed) const
{
    if (!accepted)
        return -2;
    const int row = CheckPW(typed);
    if (row < 0)
        return -2;
    Profile().WriteValue(QString::fromLatin1(kProfileLastUserName), m_names.at(m_selected));
    return row;
}

// ---------------------------------------------------------------------------------------------------------

PasswordChange::PasswordChange(const QString &password, int size)
    : m_stored(storedPassword(password))
    , m_size(size)
    , m_currentEnabled(!m_stored.isEmpty())
{
}

void PasswordChange::enterCurrent(const QString &typed)
{
    m_currentEnabled = !PasswordMatches(m_stored, normalized(typed));
}

bool PasswordChange::enterConfirmation(const QString &newPassword, const QString &confirmation)
{
    const QString entered = normalized(newPassword);
    m_ok = !entered.isEmpty() && entered == normalized(confirmation);
    return m_ok;
}

QString PasswordChange::result(const QString &newPassword) const { return normalized(newPassword); }

// ---------------------------------------------------------------------------------------------------------

UserListEditor::UserListEditor(const QList<UserEntry> &users)
    : m_users(users)
    , m_current(users.isEmpty() ? -1 : 0)
{
}

void UserListEditor::setCurrent(int row)
{
    if (m_users.isEmpty())
        m_current = -1;
    else
        m_current = qBound(0, row, count() - 1);
}

int UserListEditor::CountAdmin() const
{
    int admins = 0;
    for (const UserEntry &user : m_users)
        admins += user.priority == QLatin1String("A") ? 1 : 0;
    return admins;
}

QString UserListEditor::passwordMark(const UserEntry &user)
{
    return user.password.isEmpty() ? QStringLiteral("~") : QStringLiteral("Oui");
}

bool UserListEditor::nameTaken(const QString &name, int except) const
{
    const QString wanted = normalized(name);
    for (int i = 0; i < count(); ++i) {
        if (i != except && normalized(m_users.at(i).name) == wanted)
            return true;
    }
    return false;
}

bool UserListEditor::add()
{
    QString name;
    QString priority = QStringLiteral("A");
    UserForm *form = Form<UserForm>::current();
    if (!form || !form->editUser(name, priority, CountAdmin() < 1))
        return false;
    // A blank name could never be chosen at the login.
    if (name.trimmed().isEmpty() || nameTaken(name, -1))
        return false;
    m_users.append({name.trimmed(), QString(), CountAdmin() < 1 ? QStringLiteral("A") : priority});
    m_current = count() - 1;
    return true;
}

bool UserListEditor::modify()
{
    if (m_current < 0)
        return false;
    UserEntry &user = m_users[m_current];
    const int admins = CountAdmin();
    const bool locked = admins == 0 || (admins == 1 && user.priority == QLatin1String("A"));
    QString name = user.name;
    QString priority = user.priority;
    UserForm *form = Form<UserForm>::current();
    if (!form || !form->editUser(name, priority, locked))
        return false;
    if (name.trimmed().isEmpty() || nameTaken(name, m_current))
        return false;
    user.name = name.trimmed();
    user.priority = locked ? QStringLiteral("A") : priority;
    return true;
}

bool UserListEditor::remove()
{
    if (m_current < 0)
        return false;
    const UserEntry &user = m_users.at(m_current);
    if (CountAdmin() == 1 && user.priority == QLatin1String("A") && count() > 1) {
        prompter().showMessage(
            QStringLiteral("Il y a un seul utilisateur de priorité \" A \", vous ne pouvez pas le supprimer."),
            QStringLiteral("Information"), MessageIcon::Information);
        return false;
    }
    if (!prompter().confirm(QStringLiteral(" Voulez-vous  Confirmer la Suppression de l'Utilisateur ") + user.name
                                + QStringLiteral("  ? "),
                            QStringLiteral("Confirmation"), MessageIcon::Question))
        return false;
    m_users.removeAt(m_current);
    setCurrent(m_current);
    return true;
}

bool UserListEditor::changePassword()
{
    if (m_current < 0)
        return false;
    UserEntry &user = m_users[m_current];
    PasswordChangeForm *form = Form<PasswordChangeForm>::current();
    const std::optional<QString> changed = form ? form->changePassword(user.password, user.name, kDefaultPasswordSize)
                                                : std::nullopt;
    if (!changed)
        return false;
    user.password = *changed;
    return true;
}

} // namespace zelvane
