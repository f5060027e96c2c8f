#pragma once

#include "office/OoxmlPackage.h"

#include <QHash>
#include <QString>
#include <pugixml.hpp>
#include <string>
#include <vector>

// What the spreadsheet and word-processor layers share: XML parts read and written with pugixml, the
// relationships between parts, and the document's properties.
namespace zelvane {

inline QString Qs(const char *text) { return QString::fromUtf8(text); }

bool ParseXml(const QByteArray &data, pugi::xml_document &doc);
QByteArray WriteXml(const pugi::xml_document &doc);

void SetAttribute(pugi::xml_node node, const char *name, const QString &value);
// Sets a text element's content, keeping its spaces and leaving out characters XML cannot carry.
void SetText(pugi::xml_node element, const QString &text);
// The texts of every element named textElement under node, in order (the runs of a formatted text).
QString TextOf(pugi::xml_node node, const char *textElement = "t");

// The child of parent named name, added at its place in the schema's order when missing.
pugi::xml_node EnsureChild(pugi::xml_node parent, const char *name, const std::vector<std::string> &order);

struct Relationships
{
    QHash<QString, QString> targets; // id -> part path inside the package
    QHash<QString, QString> types;   // id -> relationship type
    // The target of the first relationship whose type ends with suffix; empty when none.
    QString byType(const QString &suffix) const;
};
Relationships ReadRelationships(const OoxmlPackage &package, const QString &partPath);

// The main part named by the package's relationships (the workbook, the document).
QString OfficeDocumentPath(const OoxmlPackage &package);

QString DocumentTitle(const OoxmlPackage &package);
// Writes the title into the core properties, adding that part when the package has none.
void SetDocumentTitle(OoxmlPackage &package, const QString &title);

// Drops the parts that partPath relates to with a type ending in suffix, with their relationship and
// content type.
void RemovePartsOfType(OoxmlPackage &package, const QString &partPath, const QString &suffix);

} // namespace zelvane
