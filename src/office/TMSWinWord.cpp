#include "office/TMSWinWord.h"

#include "office/OoxmlXml.h"

#include <QFileInfo>

namespace zelvane {

namespace {

pugi::xml_node nthChild(pugi::xml_node parent, const char *name, int n)
{
    if (n < 1)
        return {};
    for (pugi::xml_node child : parent.children(name)) {
        if (--n == 0)
            return child;
    }
    return {};
}

QString paragraphsText(pugi::xml_node node)
{
    QStringList paragraphs;
    for (pugi::xml_node p : node.children("w:p"))
        paragraphs << TextOf(p, "w:t");
    return paragraphs.join(QLatin1Char('\n'));
}

} // namespace

TMSWinWord::TMSWinWord() = default;
TMSWinWord::~TMSWinWord() = default;

bool TMSWinWord::Open(const QString &path)
{
    m_document = std::make_unique<pugi::xml_document>();
    QString reason;
    std::optional<OoxmlPackage> package = OoxmlPackage::read(path, &reason);
    if (!package) {
        m_error = QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), reason);
        return false;
    }
    m_package = std::move(*package);
    m_documentPath = OfficeDocumentPath(m_package);
    if (m_documentPath.isEmpty() || !ParseXml(m_package.part(m_documentPath), *m_document)
        || !m_document->child("w:document").child("w:body")) {
        m_error = QStringLiteral("%1: not a word-processor document").arg(QFileInfo(path).fileName());
        return false;
    }
    return true;
}

bool TMSWinWord::SetTableCell(int table, int row, int column, const QString &text)
{
    pugi::xml_node body = m_document ? m_document->child("w:document").child("w:body") : pugi::xml_node();
    pugi::xml_node cell = nthChild(nthChild(nthChild(body, "w:tbl", table), "w:tr", row), "w:tc", column);
    if (!cell) {
        m_error = QStringLiteral("the document has no cell %1, %2 in table %3").arg(row).arg(column).arg(table);
        return false;
    }
    // The formats to keep: those of the first paragraph and of its first run (or of its mark).
    pugi::xml_document formats;
    pugi::xml_node first = cell.child("w:p");
    pugi::xml_node paragraphFormat = formats.append_copy(first.child("w:pPr"));
    pugi::xml_node runFormat = first.child("w:r").child("w:rPr");
    if (!runFormat)
        runFormat = first.child("w:pPr").child("w:rPr");
    runFormat = formats.append_copy(runFormat);
    for (pugi::xml_node p = cell.child("w:p"); p;) {
        pugi::xml_node next = p.next_sibling("w:p");
        cell.remove_child(p);
        p = next;
    }
    for (const QString &line :
         QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'))) {
        pugi::xml_node p = cell.append_child("w:p");
        if (paragraphFormat)
            p.append_copy(paragraphFormat);
        pugi::xml_node r = p.append_child("w:r");
        if (runFormat)
            r.append_copy(runFormat);
        SetText(r.append_child("w:t"), line);
    }
    return true;
}

QString TMSWinWord::tableCellText(int table, int row, int column) const
{
    pugi::xml_node body = m_document ? m_document->child("w:document").child("w:body") : pugi::xml_node();
    return paragraphsText(nthChild(nthChild(nthChild(body, "w:tbl", table), "w:tr", row), "w:tc", column));
}

QString TMSWinWord::text() const
{
    QStringList texts;
    if (!m_document)
        return {};
    for (pugi::xml_node n : m_document->child("w:document").child("w:body").children()) {
        if (QByteArray(n.name()) == "w:p") {
            texts << TextOf(n, "w:t");
        } else if (QByteArray(n.name()) == "w:tbl") {
            for (pugi::xml_node tr : n.children("w:tr"))
                for (pugi::xml_node tc : tr.children("w:tc"))
                    texts << paragraphsText(tc);
        }
    }
    return texts.join(QLatin1Char('\n'));
}

bool TMSWinWord::SaveAs(const QString &path)
{
    if (!m_document || !m_document->first_child()) {
        m_error = QStringLiteral("no document is open");
        return false;
    }
    OoxmlPackage out = m_package;
    out.setPart(m_documentPath, WriteXml(*m_document));
    if (!m_caption.isEmpty())
        SetDocumentTitle(out, m_caption);
    return out.write(path, &m_error);
}

} // namespace zelvane
