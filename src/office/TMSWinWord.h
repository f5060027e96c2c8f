#pragma once

#include "office/OoxmlPackage.h"

#include <QString>
#include <memory>

namespace pugi {
class xml_document;
}

namespace zelvane {

// A word-processor document (.docx) made from a template whose tables receive texts cell by cell. A
// cell's new text keeps the paragraph and character formats of the cell's first paragraph (its direction
// and alignment too); line breaks in the text make new paragraphs of the same format.
class TMSWinWord
{
public:
    TMSWinWord();
    ~TMSWinWord();
    TMSWinWord(const TMSWinWord &) = delete;
    TMSWinWord &operator=(const TMSWinWord &) = delete;

    // Reads the template (the file itself is only read); false when missing or not a document.
    bool Open(const QString &path);
    QString error() const { return m_error; }

    // Table number, row and column count from 1, in the order of the document's body; false when the
    // cell does not exist.
    bool SetTableCell(int table, int row, int column, const QString &text);
    QString tableCellText(int table, int row, int column) const; // paragraphs joined by "\n"
    // The document's text, paragraphs joined by "\n" (to find the fixed texts).
    QString text() const;

    void SetCaption(const QString &caption) { m_caption = caption; }
    bool SaveAs(const QString &path);

private:
    OoxmlPackage m_package;
    QString m_documentPath;
    std::unique_ptr<pugi::xml_document> m_document;
    QString m_caption;
    QString m_error;
};

} // namespace zelvane
