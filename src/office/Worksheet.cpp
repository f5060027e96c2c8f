#include "office/Worksheet.h"

#include "office/OoxmlXml.h"

namespace zelvane {

const std::vector<std::string> kWorksheetOrder = {"sheetPr",
                                                  "dimension",
                                                  "sheetViews",
                                                  "sheetFormatPr",
                                                  "cols",
                                                  "sheetData",
                                                  "sheetCalcPr",
                                                  "sheetProtection",
                                                  "protectedRanges",
                                                  "scenarios",
                                                  "autoFilter",
                                                  "sortState",
                                                  "dataConsolidate",
                                                  "customSheetViews",
                                                  "mergeCells",
                                                  "phoneticPr",
                                                  "conditionalFormatting",
                                                  "dataValidations",
                                                  "hyperlinks",
                                                  "printOptions",
                                                  "pageMargins",
                                                  "pageSetup",
                                                  "headerFooter",
                                                  "rowBreaks",
                                                  "colBreaks",
                                                  "customProperties",
                                                  "cellWatches",
                                                  "ignoredErrors",
                                                  "smartTags",
                                                  "drawing",
                                                  "legacyDrawing",
                                                  "legacyDrawingHF",
                                                  "picture",
                                                  "oleObjects",
                                                  "controls",
                                                  "webPublishItems",
                                                  "tableParts",
                                                  "extLst"};

int RowNumberOf(pugi::xml_node row) { return row.attribute("r").as_int(); }

CellPos CellPosOf(pugi::xml_node cell)
{
    return ParseCellReference(Qs(cell.attribute("r").value())).value_or(CellPos{});
}

Worksheet::Worksheet(const QString &name, const QString &path, int index)
    : m_name(name)
    , m_path(path)
    , m_index(index)
{
}

Worksheet::~Worksheet() = default;

pugi::xml_node Worksheet::root() const { return m_doc->child("worksheet"); }

pugi::xml_node Worksheet::data() const { return root().child("sheetData"); }

bool Worksheet::load(const QByteArray &xml, QString *error)
{
    auto doc = std::make_unique<pugi::xml_document>();
    if (!ParseXml(xml, *doc) || !doc->child("worksheet")) {
        *error = QStringLiteral("sheet %1 cannot be read").arg(m_name);
        return false;
    }
    pugi::xml_node data = EnsureChild(doc->child("worksheet"), "sheetData", kWorksheetOrder);
    int rowNumber = 0;
    std::map<int, std::pair<CellPos, QString>> sharedMasters;
    std::vector<pugi::xml_node> dependents;
    for (pugi::xml_node row : data.children("row")) {
        rowNumber = row.attribute("r") ? row.attribute("r").as_int() : rowNumber + 1;
        if (rowNumber < 1 || rowNumber > kMaxSheetRow) {
            *error = QStringLiteral("sheet %1: row number out of range").arg(m_name);
            return false;
        }
        SetAttribute(row, "r", QString::number(rowNumber));
        int column = 0;
        for (pugi::xml_node c : row.children("c")) {
            const auto pos = ParseCellReference(Qs(c.attribute("r").value()));
            column = pos ? pos->column : column + 1;
            if (column > kMaxSheetColumn) {
                *error = QStringLiteral("sheet %1: column out of range").arg(m_name);
                return false;
            }
            SetAttribute(c, "r", CellName({rowNumber, column}));
            pugi::xml_node f = c.child("f");
            if (f && QByteArray(f.attribute("t").value()) == "shared") {
                const int si = f.attribute("si").as_int();
                if (f.text().get()[0] != 0 && f.attribute("ref"))
                    sharedMasters[si] = {CellPos{rowNumber, column}, Qs(f.text().get())};
                dependents.push_back(c);
            }
        }
    }
    for (pugi::xml_node c : dependents) {
        pugi::xml_node f = c.child("f");
        const auto master = sharedMasters.find(f.attribute("si").as_int());
        const CellPos pos = CellPosOf(c);
        QString text;
        if (master != sharedMasters.end()) {
            const int dr = pos.row - master->second.first.row;
            const int dc = pos.column - master->second.first.column;
            text = RewriteReferences(master->second.second, m_name,
                                     [&](ReferenceEnd &a, ReferenceEnd *b) { return TranslateChange(dr, dc, a, b); });
        }
        f.remove_attribute("t");
        f.remove_attribute("si");
        f.remove_attribute("ref");
        f.text().set(text.toUtf8().constData());
    }
    m_doc = std::move(doc);
    indexRows();
    indexMerges();
    return true;
}

void Worksheet::indexRows()
{
    m_rows.clear();
    for (pugi::xml_node row : data().children("row"))
        m_rows.emplace(RowNumberOf(row), row);
}

void Worksheet::indexMerges()
{
    m_merges.clear();
    m_mergeHeight = 0;
    m_mergeCount = 0;
    m_mergeOrder = 0;
    for (pugi::xml_node m : root().child("mergeCells").children()) {
        ++m_mergeCount;
        if (const auto r = ParseCellRange(Qs(m.attribute("ref").value()))) {
            m_merges.emplace(r->first.row, Merge{r->first, r->second, m, m_mergeOrder++});
            m_mergeHeight = std::max(m_mergeHeight, r->second.row - r->first.row);
        }
    }
}

QByteArray Worksheet::save()
{
    // Formula results are computed again by the program that opens the file.
    int top = 0, bottom = 0, left = 0, right = 0;
    for (pugi::xml_node row : data().children("row")) {
        for (pugi::xml_node c : row.children("c")) {
            if (c.child("f")) {
                c.remove_child("v");
                if (QByteArray(c.attribute("t").value()) == "str")
                    c.remove_attribute("t");
            }
            const CellPos p = CellPosOf(c);
            top = top ? std::min(top, p.row) : p.row;
            bottom = std::max(bottom, p.row);
            left = left ? std::min(left, p.column) : p.column;
            right = std::max(right, p.column);
        }
    }
    pugi::xml_node dimension = EnsureChild(root(), "dimension", kWorksheetOrder);
    SetAttribute(dimension, "ref", top ? RangeName({top, left}, {bottom, right}) : QStringLiteral("A1"));
    return WriteXml(*m_doc);
}

pugi::xml_node Worksheet::findRow(int row) const
{
    const auto it = m_rows.find(row);
    return it == m_rows.end() ? pugi::xml_node() : it->second;
}

pugi::xml_node Worksheet::row(int row)
{
    const auto next = m_rows.lower_bound(row);
    if (next != m_rows.end() && next->first == row)
        return next->second;
    pugi::xml_node added = next != m_rows.end() ? data().insert_child_before("row", next->second)
                                                : data().append_child("row");
    SetAttribute(added, "r", QString::number(row));
    m_rows.emplace_hint(next, row, added);
    return added;
}

namespace {

// The cell of column in row, or the cell before which it belongs (null when it belongs last).
std::pair<pugi::xml_node, pugi::xml_node> cellIn(pugi::xml_node row, int column)
{
    // Cells are mostly written left to right: past the last cell there is nothing to scan.
    const pugi::xml_node last = row.last_child();
    if (!last || CellPosOf(last).column < column)
        return {};
    for (pugi::xml_node c : row.children("c")) {
        const int at = CellPosOf(c).column;
        if (at == column)
            return {c, {}};
        if (at > column)
            return {{}, c};
    }
    return {};
}

} // namespace

pugi::xml_node Worksheet::findCell(CellPos pos) const
{
    const pugi::xml_node row = findRow(pos.row);
    return row ? cellIn(row, pos.column).first : pugi::xml_node();
}

pugi::xml_node Worksheet::cell(CellPos pos)
{
    pugi::xml_node r = row(pos.row);
    const auto [found, before] = cellIn(r, pos.column);
    if (found)
        return found;
    if (before) {
        pugi::xml_node added = r.insert_child_before("c", before);
        SetAttribute(added, "r", CellName(pos));
        return added;
    }
    pugi::xml_node added = r.append_child("c");
    SetAttribute(added, "r", CellName(pos));
    // A cell added to a formatted row takes the row's format, as typing into it would.
    if (r.attribute("customFormat").as_bool() && r.attribute("s"))
        SetAttribute(added, "s", Qs(r.attribute("s").value()));
    return added;
}

void Worksheet::setColumnWidth(int column, double width)
{
    pugi::xml_node cols = EnsureChild(root(), "cols", kWorksheetOrder);
    // The column's entry: the range holding it, split around it when it spans more columns, or a new entry
    // at its place in the order.
    pugi::xml_node col = cols.child("col");
    while (col && col.attribute("max").as_int() < column)
        col = col.next_sibling("col");
    if (col && col.attribute("min").as_int() <= column) {
        if (col.attribute("min").as_int() < column)
            SetAttribute(cols.insert_copy_before(col, col), "max", QString::number(column - 1));
        if (column < col.attribute("max").as_int())
            SetAttribute(cols.insert_copy_after(col, col), "min", QString::number(column + 1));
    } else {
        col = col ? cols.insert_child_before("col", col) : cols.append_child("col");
    }
    SetAttribute(col, "min", QString::number(column));
    SetAttribute(col, "max", QString::number(column));
    SetAttribute(col, "width", QString::number(width));
    SetAttribute(col, "customWidth", QStringLiteral("1"));
}

QStringList Worksheet::mergedRanges() const
{
    QStringList ranges;
    for (pugi::xml_node m : root().child("mergeCells").children("mergeCell"))
        ranges << Qs(m.attribute("ref").value());
    return ranges;
}

QList<int> Worksheet::pageBreaks() const
{
    QList<int> rows;
    for (pugi::xml_node brk : root().child("rowBreaks").children("brk"))
        rows << brk.attribute("id").as_int() + 1;
    return rows;
}

} // namespace zelvane
