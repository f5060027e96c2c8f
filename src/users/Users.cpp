#include "users/Users.h"

#include "common/Profile.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "users/PasswordHash.h"

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
int passwordColumnSize(Tfdb &db, const QSqlRecord &record)
{
    const int column = record.indexOf(QStringLiteral("password"));
    if (column < 0)
        return kDefaultPasswordSize;
    const QString name = record.fieldName(column);
    QSqlQuery info(db.database());
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
    if (written && (!transaction || connection.commit()))
        return true;
    const QString error = query.lastError().isValid() ? query.lastError().text() : connection.lastError().text();
    if (transaction)
        connection.rollback();
    prompter().showMessage(error);
    return false;
}

} // namespace

int PasswordSize() { return g_passwordSize; }

bool LoginUser(Tfdb &db)
{
    db.CurrentUser.clear();
    db.CurrentPassword.clear();
    db.CurrentPriority = QStringLiteral("A");
    g_passwordSize = kDefaultPasswordSize;

    QStringList names, storedNames, passwords, priorities;
    if (auto query = db.GetQuery(QStringLiteral("select * from users order by username"))) {
        g_passwordSize = passwordColumnSize(db, query->record());
        while (query->next()) {
            names << normalized(textOf(*query, QStringLiteral("username")));
            passwords << storedPassword(textOf(*query, QStringLiteral("password")));
            storedNames << textOf(*query, QStringLiteral("username"));
            priorities << normalized(textOf(*query, QStringLiteral("priorite"), QStringLiteral("A")));
        }
    }
    if (names.isEmpty())
        return true;

    int row = -2;
    if (names.size() == 1 && passwords.first().isEmpty()) {
        row = 0;
    } else if (names.size() == 1) {
        QString typed;
        for (int attempt = 0; attempt < kLoginAttempts && row < 0; ++attempt) {
            if (!AskPassword(typed))
                break;
            if (PasswordMatches(passwords.first(), typedPassword(typed, g_passwordSize)))
                row = 0;
        }
    } else {
        LoginForm *form = Form<LoginForm>::current();
        row = form ? form->checkPassword(names, passwords, g_passwordSize) : -2;
    }
    if (row < 0 || row >= names.size())
        return false;

    db.CurrentUser = names.at(row);
    db.CurrentPassword = passwords.at(row);
    if (!db.CurrentPassword.isEmpty() && !IsPasswordHash(db.CurrentPassword)) {
        // A password kept as typed by an older file: replaced by its hash now that it has been checked. A
        // failure leaves it as it was, and the next login tries again.
        if (const std::optional<QString> hash = HashPassword(db.CurrentPassword)) {
            QSqlQuery upgrade(db.database());
            if (upgrade.exec(QStringLiteral("update users set password=") + QuotedSQL(*hash)
                             + QStringLiteral(" where username=") + QuotedSQL(storedNames.at(row))))
                db.CurrentPassword = *hash;
        }
    }
    db.CurrentPriority = priorities.contains(QStringLiteral("A")) ? priorities.at(row) : QStringLiteral("A");
    return true;
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
    g_passwordSize = passwordColumnSize(db, query->record());
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
    if (!update.exec(QStringLiteral("update users set password=") + QuotedSQL(*hash)
                     + QStringLiteral(" where username=") + QuotedSQL(storedName))) {
        prompter().showMessage(update.lastError().text());
        return false;
    }
    if (update.numRowsAffected() < 1)
        return false;
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
    ++m_attempts;
    if (CheckPW(typed) >= 0)
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
