#pragma once

#include "office/CellReference.h"
#include "office/OoxmlPackage.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>

namespace pugi {
class xml_document;
} // namespace pugi

namespace zelvane {

class Worksheet;

// A spreadsheet (.xlsx) made from a template and filled cell by cell, as a spreadsheet program would
// fill it: copied rows bring their formats, merged cells and formulas (moved like a paste); deleted rows
// take theirs away and everything below, formulas, merged cells, page breaks and the print area, moves up.
// The template file itself is only read.
//
// Operations that cannot act (no sheet selected, a row range that is not one) return false and leave the
// reason in error(); the document is left as it was before that operation.
class TMSExcel
{
public:
    TMSExcel();
    ~TMSExcel();
    TMSExcel(const TMSExcel &) = delete;
    TMSExcel &operator=(const TMSExcel &) = delete;

    // Reads the template; false when it is missing, not a zip or not a workbook.
    bool OpenTemplate(const QString &path);
    // Opens a filled spreadsheet to read it back.
    bool Open(const QString &path) { return OpenTemplate(path); }
    QString TemplatePath() const { return m_templatePath; }
    QString error() const { return m_error; }

    bool SelectSheet(const QString &name);
    QStringList sheetNames() const;
    // The document's title, as the office programs show it in their window caption.
    void SetCaption(const QString &caption);
    QString caption() const;

    // Writes a text or a number into the cell reference (see ParseCellReference) moved down by rowOffset;
    // false for a reference that names no cell.
    bool SetCell(const QString &reference, const QString &text, int rowOffset = 0);
    bool SetCell(const QString &reference, double number, int rowOffset = 0);
    bool SetCellAt(CellPos pos, const QString &text);
    bool SetCellAt(CellPos pos, double number);

    // The format of a cell (its style index, 0 for the default) and setting it, as a spreadsheet program
    // copies a cell's format to another.
    int styleAt(CellPos pos) const;
    bool SetStyleAt(CellPos pos, int style);
    // The width of a column in characters, as the column's own width.
    bool SetColumnWidth(int column, double width);

    // Pastes the rows of sourceRows ("23:23", "24:33") from destinationRow down, over what was there.
    bool CopyRows(const QString &sourceRows, int destinationRow);
    bool DeleteRows(const QString &rows);
    // A manual page break above row.
    bool AddPageBreak(int row);
    // The printed range, such as "$A$1:$AB$40".
    bool SetPrintArea(const QString &range);

    // Saves the filled document (under a work name, renamed into place when complete).
    bool SaveAs(const QString &path);

    // Reading back: a text, a double, or an invalid QVariant for an empty cell.
    QVariant cell(const QString &reference) const;
    QString formula(const QString &reference) const;
    int styleOf(const QString &reference) const;
    QStringList mergedRanges() const;
    QList<int> pageBreaks() const; // rows above which a page starts
    QString printArea() const;
    // The rows repeated at the top of each printed page, as written ("'PAGE01'!$5:$6").
    QString printTitles() const;
    std::optional<double> rowHeight(int row) const;

private:
    Worksheet *selected() const;
    // The text of a name defined for the selected sheet ("_xlnm.Print_Area"); empty when none.
    QString sheetName(const char *name) const;
    bool fail(const QString &message);
    // The rows of a range text on the selected sheet; nullopt (with the error) when either is missing.
    std::optional<std::pair<int, int>> rowsOfSelectedSheet(const QString &rows);
    // True when the selected sheet can take a cell at pos; otherwise false with the reason.
    bool writableCell(CellPos pos);
    QString sharedString(int index) const;
    void moveDefinedNames(int first, int last);

    OoxmlPackage m_package;
    QString m_templatePath;
    QString m_error;
    std::unique_ptr<pugi::xml_document> m_workbook;
    QString m_workbookPath;
    QStringList m_sharedStrings;
    std::map<QString, std::unique_ptr<Worksheet>> m_sheets; // by name, loaded when selected
    QString m_selectedName;
    std::optional<QString> m_caption;
};

} // namespace zelvane
