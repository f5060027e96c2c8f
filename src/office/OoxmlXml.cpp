#include "office/OoxmlXml.h"

namespace zelvane {

namespace {

const char *const kCorePropertiesType =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";

struct ByteWriter : pugi::xml_writer
{
    QByteArray data;
    void write(const void *bytes, size_t size) override
    {
        data.append(static_cast<const char *>(bytes), qsizetype(size));
    }
};

// The relationships part of a part: "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels", "" -> "_rels/.rels".
QString relationshipsPath(const QString &partPath)
{
    const qsizetype slash = partPath.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : partPath.left(slash + 1);
    const QString file = slash < 0 ? partPath : partPath.mid(slash + 1);
    return folder + QStringLiteral("_rels/") + file + QStringLiteral(".rels");
}

// A relationship's target made a path inside the package.
QString resolveTarget(const QString &partPath, const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    const qsizetype slash = partPath.lastIndexOf(QLatin1Char('/'));
    QStringList parts = (slash < 0 ? QString() : partPath.left(slash)).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &piece : target.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (piece == QLatin1String(".."))
            parts.removeLast();
        else if (piece != QLatin1String("."))
            parts << piece;
    }
    return parts.join(QLatin1Char('/'));
}

QString corePropertiesPath(const OoxmlPackage &package)
{
    return ReadRelationships(package, QString()).byType(QStringLiteral("/core-properties"));
}

} // namespace

bool ParseXml(const QByteArray &data, pugi::xml_document &doc)
{
    return doc.load_buffer(data.constData(), size_t(data.size()), pugi::parse_default | pugi::parse_ws_pcdata_single);
}

QByteArray WriteXml(const pugi::xml_document &doc)
{
    ByteWriter writer;
    writer.data = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return writer.data;
}

void SetAttribute(pugi::xml_node node, const char *name, const QString &value)
{
    pugi::xml_attribute a = node.attribute(name);
    if (!a)
        a = node.append_attribute(name);
    a.set_value(value.toUtf8().constData());
}

void SetText(pugi::xml_node element, const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            clean += c;
            clean += text.at(++i);
        } else if (c.isSurrogate()
                   || (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
                   || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
            continue;
        } else {
            clean += c;
        }
    }
    if (clean != clean.trimmed() || clean.contains(QLatin1Char('\n')))
        SetAttribute(element, "xml:space", QStringLiteral("preserve"));
    element.text().set(clean.toUtf8().constData());
}

QString TextOf(pugi::xml_node node, const char *textElement)
{
    QString text;
    for (pugi::xml_node n = node.first_child(); n; n = n.next_sibling()) {
        if (QByteArray(n.name()) == textElement)
            text += Qs(n.text().get());
        else if (QByteArray(n.name()) != "rPh") // phonetic hints are not part of the text
            text += TextOf(n, textElement);
    }
    return text;
}

pugi::xml_node EnsureChild(pugi::xml_node parent, const char *name, const std::vector<std::string> &order)
{
    if (pugi::xml_node child = parent.child(name))
        return child;
    const auto rank = [&](const char *n) {
        const auto it = std::find(order.begin(), order.end(), n);
        return it == order.end() ? order.size() : size_t(it - order.begin());
    };
    const size_t mine = rank(name);
    for (pugi::xml_node child : parent.children()) {
        if (child.type() == pugi::node_element && rank(child.name()) > mine)
            return parent.insert_child_before(name, child);
    }
    return parent.append_child(name);
}

QString Relationships::byType(const QString &suffix) const
{
    for (auto it = types.cbegin(); it != types.cend(); ++it) {
        if (it.value().endsWith(suffix))
            return targets.value(it.key());
    }
    return {};
}

Relationships ReadRelationships(const OoxmlPackage &package, const QString &partPath)
{
    Relationships rels;
    pugi::xml_document doc;
    if (!ParseXml(package.part(relationshipsPath(partPath)), doc))
        return rels;
    for (pugi::xml_node r : doc.child("Relationships").children("Relationship")) {
        if (QByteArray(r.attribute("TargetMode").value()) == "External")
            continue;
        const QString id = Qs(r.attribute("Id").value());
        rels.targets.insert(id, resolveTarget(partPath, Qs(r.attribute("Target").value())));
        rels.types.insert(id, Qs(r.attribute("Type").value()));
    }
    return rels;
}

QString OfficeDocumentPath(const OoxmlPackage &package)
{
    const QString path = ReadRelationships(package, QString()).byType(QStringLiteral("/officeDocument"));
    return package.has(path) ? path : QString();
}

QString DocumentTitle(const OoxmlPackage &package)
{
    pugi::xml_document doc;
    if (!ParseXml(package.part(corePropertiesPath(package)), doc))
        return {};
    return Qs(doc.document_element().child("dc:title").text().get());
}

void SetDocumentTitle(OoxmlPackage &package, const QString &title)
{
    QString path = corePropertiesPath(package);
    pugi::xml_document doc;
    if (path.isEmpty() || !ParseXml(package.part(path), doc) || !doc.document_element()) {
        path = QStringLiteral("docProps/core.xml");
        doc.reset();
        pugi::xml_node root = doc.append_child("cp:coreProperties");
        SetAttribute(root, "xmlns:cp",
                     QStringLiteral("http://schemas.openxmlformats.org/package/2006/metadata/core-properties"));
        SetAttribute(root, "xmlns:dc", QStringLiteral("http://purl.org/dc/elements/1.1/"));
        // The package's index of parts and relationships learn of the new part.
        pugi::xml_document rels;
        ParseXml(package.part(QStringLiteral("_rels/.rels")), rels);
        pugi::xml_node list = rels.child("Relationships");
        if (!list) {
            list = rels.append_child("Relationships");
            SetAttribute(list, "xmlns", QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships"));
        }
        pugi::xml_node r = list.append_child("Relationship");
        SetAttribute(r, "Id", QStringLiteral("rIdCoreZelvane"));
        SetAttribute(r, "Type", Qs(kCorePropertiesType));
        SetAttribute(r, "Target", path);
        package.setPart(QStringLiteral("_rels/.rels"), WriteXml(rels));
        pugi::xml_document types;
        if (ParseXml(package.part(QStringLiteral("[Content_Types].xml")), types)) {
            pugi::xml_node o = types.child("Types").append_child("Override");
            SetAttribute(o, "PartName", QLatin1Char('/') + path);
            SetAttribute(o, "ContentType",
                         QStringLiteral("application/vnd.openxmlformats-package.core-properties+xml"));
            package.setPart(QStringLiteral("[Content_Types].xml"), WriteXml(types));
        }
    }
    pugi::xml_node root = doc.document_element();
    pugi::xml_node titleNode = root.child("dc:title");
    if (!titleNode) {
        if (!root.attribute("xmlns:dc"))
            SetAttribute(root, "xmlns:dc", QStringLiteral("http://purl.org/dc/elements/1.1/"));
        titleNode = root.prepend_child("dc:title");
    }
    SetText(titleNode, title);
    package.setPart(path, WriteXml(doc));
}

void RemovePartsOfType(OoxmlPackage &package, const QString &partPath, const QString &suffix)
{
    const QString relsPath = relationshipsPath(partPath);
    pugi::xml_document rels;
    if (!ParseXml(package.part(relsPath), rels))
        return;
    QStringList removed;
    pugi::xml_node list = rels.child("Relationships");
    for (pugi::xml_node r = list.first_child(); r;) {
        pugi::xml_node next = r.next_sibling();
        if (Qs(r.attribute("Type").value()).endsWith(suffix)) {
            removed << resolveTarget(partPath, Qs(r.attribute("Target").value()));
            list.remove_child(r);
        }
        r = next;
    }
    if (removed.isEmpty())
        return;
    package.setPart(relsPath, WriteXml(rels));
    pugi::xml_document types;
    if (ParseXml(package.part(QStringLiteral("[Content_Types].xml")), types)) {
        pugi::xml_node list = types.child("Types");
        for (pugi::xml_node o = list.first_child(); o;) {
            pugi::xml_node next = o.next_sibling();
            if (removed.contains(Qs(o.attribute("PartName").value()).mid(1)))
                list.remove_child(o);
            o = next;
        }
        package.setPart(QStringLiteral("[Content_Types].xml"), WriteXml(types));
    }
    for (const QString &part : removed)
        package.removePart(part);
}

} // namespace zelvane
