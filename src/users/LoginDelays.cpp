#include "users/LoginDelays.h"

#include "common/Failure.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace zelvane {

namespace {

constexpr int kFreeAttempts = 3;
constexpr int kFirstWait = 30;
constexpr int kLongestWait = 15 * 60;

LoginDelays *g_current = nullptr;

QString key(const QString &name) { return name.trimmed().toUpper(); }

void run(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        qCWarning(lcIgnored).noquote() << "login delay:" << query.lastError().text();
}

} // namespace

LoginDelays::LoginDelays(QSqlDatabase db)
    : m_db(std::move(db))
{
    run(m_db,
        QStringLiteral("create table if not exists login_delay (username varchar(30) primary key, failures integer, "
                       "last_failure varchar(30))"),
        {});
}

int LoginDelays::delayAfter(int failures)
{
    if (failures < kFreeAttempts)
        return 0;
    return std::min(kLongestWait, kFirstWait << std::min(failures - kFreeAttempts, 10));
}

int LoginDelays::waitSeconds(const QString &name) const
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("select failures, last_failure from login_delay where username=?"));
    query.addBindValue(key(name));
    if (!query.exec() || !query.next())
        return 0;
    const QDateTime last = QDateTime::fromString(query.value(1).toString(), Qt::ISODate);
    if (!last.isValid())
        return 0;
    const qint64 elapsed = std::max<qint64>(0, last.secsTo(QDateTime::currentDateTimeUtc()));
    return int(std::max<qint64>(0, delayAfter(query.value(0).toInt()) - elapsed));
}

void LoginDelays::failed(const QString &name)
{
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    run(m_db,
        QStringLiteral("insert into login_delay values (?, 1, ?) on conflict(username) do update set "
                       "failures=failures+1, last_failure=excluded.last_failure"),
        {key(name), now});
}

void LoginDelays::succeeded(const QString &name)
{
    run(m_db, QStringLiteral("delete from login_delay where username=?"), {key(name)});
}

QString LoginDelays::waitText(const QString &name, int seconds)
{
    return QStringLiteral("Trop de mots de passe incorrects pour %1 : nouvel essai possible dans %2 secondes.")
        .arg(key(name))
        .arg(seconds);
}

LoginDelays *LoginDelays::current() { return g_current; }

LoginDelays::Scope::Scope(LoginDelays &delays)
    : m_previous(g_current)
{
    g_current = &delays;
}

LoginDelays::Scope::~Scope() { g_current = m_previous; }

} // namespace zelvane
