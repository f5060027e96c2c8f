#pragma once

#include "office/CellReference.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace zelvane {

// The order of a worksheet's elements: a child added later must land at its place for the file to be valid.
extern const std::vector<std::string> kWorksheetOrder;

// The number a row element states; the position a cell element states.
int RowNumberOf(pugi::xml_node row);
CellPos CellPosOf(pugi::xml_node cell);

// One sheet of a workbook as XML, edited as a spreadsheet program would edit it. Its rows and merged
// cells are indexed by row number, so that finding a row, filling it and pasting over it never walk the
// sheet: a sheet of many thousand lines fills in time proportional to what is written.
class Worksheet
{
public:
    Worksheet(const QString &name, const QString &path, int index);
    ~Worksheet();
    Worksheet(const Worksheet &) = delete;
    Worksheet &operator=(const Worksheet &) = delete;

    QString name() const { return m_name; }
    QString path() const { return m_path; }
    int index() const { return m_index; } // position in the workbook, as print areas name it
    bool loaded() const { return bool(m_doc); }
    pugi::xml_node root() const;

    // Reads the sheet's part. Every row and cell gets its explicit number and shared formulas become plain
    // ones, so that rows can be moved and copied one by one; false with the reason when it cannot be read.
    bool load(const QByteArray &xml, QString *error);
    // The part's text: formula results left for the reading program to compute, the used range stated.
    QByteArray save();

    pugi::xml_node findRow(int row) const;
    pugi::xml_node findCell(CellPos pos) const;
    // The row or cell, added at its place when missing.
    pugi::xml_node row(int row);
    pugi::xml_node cell(CellPos pos);

    void setColumnWidth(int column, double width);
    // Pastes rows first..last from destination down, over what was there.
    void copyRows(int first, int last, int destination);
    // Deletes rows first..last: everything below moves up, formulas, merged cells and page breaks included.
    void deleteRows(int first, int last);
    void addPageBreak(int row);

    QStringList mergedRanges() const;
    QList<int> pageBreaks() const;

private:
    struct Merge
    {
        CellPos from, to;
        pugi::xml_node node;
        qint64 order = 0; // the place in the document: later merges are appended
    };
    pugi::xml_node data() const;
    void indexRows();
    void indexMerges();
    void removeMerge(std::multimap<int, Merge>::iterator merge);
    void addMerge(CellPos from, CellPos to);
    // The mergeCells element states its count, and goes when empty.
    void closeMerges();

    QString m_name;
    QString m_path;
    int m_index = 0;
    std::unique_ptr<pugi::xml_document> m_doc;
    std::map<int, pugi::xml_node> m_rows;
    std::multimap<int, Merge> m_merges; // the ranges that can be read, by their first row
    int m_mergeHeight = 0;              // the most rows a merged range spans below its first
    int m_mergeCount = 0;               // the children of mergeCells, those that cannot be read included
    qint64 m_mergeOrder = 0;            // the order of the next merge added
};

} // namespace zelvane
