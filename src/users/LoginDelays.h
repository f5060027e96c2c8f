#pragma once

#include <QSqlDatabase>
#include <QString>

namespace zelvane {

// The failed logins of each user name, kept in the management file (table login_delay), and the growing
// wait they impose: three attempts in a row are free, then each further one must wait 30 seconds,
// doubled at every failure, up to 15 minutes. A success clears the name. Reconnecting does not clear
// anything, so three more attempts cannot be had at once. Nothing is kept in a file opened read-only.
class LoginDelays
{
public:
    explicit LoginDelays(QSqlDatabase db);

    // The seconds name must still wait before its next attempt; 0 when it may try now.
    int waitSeconds(const QString &name) const;
    void failed(const QString &name);
    void succeeded(const QString &name);

    // The wait after failures failed attempts in a row.
    static int delayAfter(int failures);
    // "Trop de mots de passe incorrects pour NAME : nouvel essai possible dans N secondes."
    static QString waitText(const QString &name, int seconds);

    // The delays of the login in progress, which the login window consults; null outside a login.
    static LoginDelays *current();
    // Makes delays the current ones for its lifetime.
    class Scope
    {
    public:
        explicit Scope(LoginDelays &delays);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        LoginDelays *m_previous;
    };

private:
    QSqlDatabase m_db;
};

} // namespace zelvane
