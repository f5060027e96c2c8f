#include "common/Profile.h"

#include "common/Library.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "common/WorkFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

namespace zelvane {

namespace {

// A profile is a few lines; anything larger is not one.
constexpr qint64 kLargestProfile = 1 << 20;

} // namespace

TQVProfile::TQVProfile(const QString &path)
    : m_path(path)
{
    read();
}

void TQVProfile::read()
{
    m_lines.clear();
    QString text, ignored;
    if (!QFileInfo::exists(m_path) || !ReadTextFile(m_path, kLargestProfile, &text, &ignored))
        return;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString kept = line.endsWith(QLatin1Char('\r')) ? line.chopped(1) : line;
        if (!kept.isEmpty())
            m_lines << kept;
    }
}

qsizetype TQVProfile::lineOf(const QString &name) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        QString rest = m_lines.at(i);
        if (NextToken(rest, QLatin1Char('=')).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TQVProfile::ReadValue(const QString &name) const
{
    const qsizetype i = lineOf(name);
    if (i < 0)
        return {};
    const QString &line = m_lines.at(i);
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    const QString value = eq < 0 ? QString() : line.mid(eq + 1).trimmed();
    return ReplaceAll(value, QStringLiteral("$"), QStringLiteral("\r\n"));
}

void TQVProfile::change(const QString &name, const QString &value)
{
    QString stored = value;
    stored.replace(QLatin1String("\r\n"), QLatin1String("$"));
    stored.replace(QLatin1Char('\n'), QLatin1Char('$'));
    stored.replace(QLatin1Char('\r'), QLatin1Char('$'));
    const qsizetype i = lineOf(name);
    if (stored.isEmpty()) {
        if (i >= 0)
            m_lines.removeAt(i);
        return;
    }
    const QString line = name + QLatin1Char('=') + stored;
    if (i >= 0)
        m_lines[i] = line;
    else
        m_lines << line;
}

bool TQVProfile::WriteValue(const QString &name, const QString &value) { return WriteValues({{name, value}}); }

bool TQVProfile::WriteValues(const QList<std::pair<QString, QString>> &values)
{
    // Another program may have written its own keys since this one read the file.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(5000))
        return false;
    read();
    const QStringList before = m_lines;
    for (const auto &[name, value] : values)
        change(name, value);
    if (m_lines == before)
        return true;
    WorkFile file(m_path);
    QString error;
    if (!file.open(&error))
        return false;
    QByteArray bytes;
    for (const QString &line : std::as_const(m_lines))
        bytes += line.toUtf8() + '\n';
    return file.device().write(bytes) == bytes.size() && file.commit(&error);
}

TQVProfile &Profile() { return Library::instance().profile(); }

bool RegisterBaseDir(const QString &product, const QString &folder)
{
    QSettings settings(QStringLiteral("quillon"), product);
    // Both programs register their folder at every start: the file is written only when it changes, since
    // each rewrite syncs it to the disk.
    if (settings.status() == QSettings::NoError && settings.value(QStringLiteral("base_dir")).toString() == folder)
        return true;
    settings.setValue(QStringLiteral("base_dir"), folder);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace zelvane
