#include "common/Profile.h"

#include "common/Library.h"
#include "common/Text.h"

#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QTextStream>

namespace zelvane {

TQVProfile::TQVProfile(const QString &path)
    : m_path(path)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.isEmpty())
            m_lines << line;
    }
    if (in.status() != QTextStream::Ok)
        m_lines.clear();
}

TQVProfile::~TQVProfile() { SaveProfile(); }

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

void TQVProfile::WriteValue(const QString &name, const QString &value)
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

void TQVProfile::SaveProfile() const
{
    if (m_lines.isEmpty() && !QFile::exists(m_path))
        return;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    for (const QString &line : m_lines)
        out << line << '\n';
    out.flush();
    file.commit();
}

TQVProfile &Profile() { return Library::instance().profile(); }

bool RegisterBaseDir(const QString &product, const QString &folder)
{
    QSettings settings(QStringLiteral("quillon"), product);
    settings.setValue(QStringLiteral("base_dir"), folder);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace zelvane
