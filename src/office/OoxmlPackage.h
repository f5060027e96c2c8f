#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace zelvane {

// The parts of an office file (a zip of XML parts), held in memory while a document is filled.
class OoxmlPackage
{
public:
    // Reads every part of the zip file at path; nullopt with the reason in error when the file is missing,
    // is not a zip or is too large to be a document.
    static std::optional<OoxmlPackage> read(const QString &path, QString *error);
    static std::optional<OoxmlPackage> fromBytes(const QByteArray &bytes, QString *error);

    bool has(const QString &name) const { return m_parts.count(name) > 0; }
    QByteArray part(const QString &name) const;
    void setPart(const QString &name, const QByteArray &data);
    void removePart(const QString &name);
    QStringList partNames() const;

    // Writes the package under a work name beside path and renames it into place once complete, so that
    // path never holds half a document. False with the reason in error.
    bool write(const QString &path, QString *error) const;

private:
    std::map<QString, QByteArray> m_parts;
};

} // namespace zelvane
