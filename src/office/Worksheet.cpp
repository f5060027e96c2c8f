#include "office/TMSExcel.h"

#include "office/OoxmlXml.h"

#include <QFileInfo>
#include <cmath>
#include <pugixml.hpp>

namespace zelvane {

namespace {

// The order of a worksheet's elements: a child added later must land at its place for the file to be valid.
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
const std::vector<std::string> kWorkbookOrder = {"fileVersion",    "fileSharing",
                                                 "workbookPr",     "workbookProtection",
                                                 "bookViews",      "sheets",
                                                 "functionGroups", "externalReferences",
                                                 "definedNames",   "calcPr",
                                                 "oleSize",        "customWorkbookViews",
                                                 "pivotCaches",    "smartTagPr",
                                                 "smartTagTypes",  "webPublishing",
                                                 "fileRecoveryPr", "webPublishObjects",
                                                 "extLst"};

int rowOf(pugi::xml_node row) { return row.attribute("r").as_int(); }

CellPos posOf(pugi::xml_node cell) { return ParseCellReference(Qs(cell.attribute("r").value())).value_or(CellPos{}); }

// "A1:C3" as its two corners; nullopt when it is not a range of cells.
std::optional<std::pair<CellPos, CellPos>> parseRange(const QString &range)
{
    const QStringList ends = range.split(QLatin1Char(':'));
    const auto a = ParseCellReference(ends.value(0));
    const auto b = ParseCellReference(ends.size() > 1 ? ends.value(1) : ends.value(0));
    if (!a || !b)
        return std::nullopt;
    return std::pair{*a, *b};
}

QString rangeText(CellPos a, CellPos b) { return a == b ? CellName(a) : CellName(a) + QLatin1Char(':') + CellName(b); }

QString quotedSheetName(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

struct TMSExcel::Sheet
{
    QString name;
    QString path;
    int index = 0; // position in the workbook, as print areas name it
    std::unique_ptr<pugi::xml_document> doc;

    pugi::xml_node root() const { return doc->child("worksheet"); }
    pugi::xml_node data() const { return root().child("sheetData"); }
};

TMSExcel::TMSExcel() = default;
TMSExcel::~TMSExcel() = default;

bool TMSExcel::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool TMSExcel::OpenTemplate(const QString &path)
{
    m_templatePath = path;
    m_sheets.clear();
    m_sharedStrings.clear();
    m_selectedName.clear();
    m_caption.reset();
    m_workbook = std::make_unique<pugi::xml_document>();
    QString reason;
    std::optional<OoxmlPackage> package = OoxmlPackage::read(path, &reason);
    if (!package)
        return fail(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), reason));
    m_package = std::move(*package);

    m_workbookPath = OfficeDocumentPath(m_package);
    if (m_workbookPath.isEmpty() || !ParseXml(m_package.part(m_workbookPath), *m_workbook)
        || !m_workbook->child("workbook"))
        return fail(QStringLiteral("%1: not a spreadsheet (no workbook part)").arg(QFileInfo(path).fileName()));

    const Relationships rels = ReadRelationships(m_package, m_workbookPath);
    int index = 0;
    for (pugi::xml_node sheet : m_workbook->child("workbook").child("sheets").children("sheet")) {
        auto entry = std::make_unique<Sheet>();
        entry->name = Qs(sheet.attribute("name").value());
        entry->index = index++;
        for (pugi::xml_attribute a : sheet.attributes()) {
            if (QByteArray(a.name()).endsWith(":id"))
                entry->path = rels.targets.value(Qs(a.value()));
        }
        if (!entry->name.isEmpty() && !entry->path.isEmpty())
            m_sheets[entry->name] = std::move(entry);
    }
    const QString stringsPath = rels.byType(QStringLiteral("/sharedStrings"));
    if (!stringsPath.isEmpty()) {
        pugi::xml_document strings;
        if (ParseXml(m_package.part(stringsPath), strings)) {
            for (pugi::xml_node si : strings.child("sst").children("si"))
                m_sharedStrings << TextOf(si);
        }
    }
    if (m_sheets.empty())
        return fail(QStringLiteral("%1: the workbook has no sheet").arg(QFileInfo(path).fileName()));
    return true;
}

QStringList TMSExcel::sheetNames() const
{
    std::vector<const Sheet *> sheets;
    for (const auto &[name, sheet] : m_sheets)
        sheets.push_back(sheet.get());
    std::sort(sheets.begin(), sheets.end(), [](auto a, auto b) { return a->index < b->index; });
    QStringList names;
    for (const Sheet *s : sheets)
        names << s->name;
    return names;
}

bool TMSExcel::SelectSheet(const QString &name)
{
    const auto it = m_sheets.find(name);
    if (it == m_sheets.end())
        return fail(QStringLiteral("%1: no sheet named %2").arg(QFileInfo(m_templatePath).fileName(), name));
    Sheet &sheet = *it->second;
    if (!sheet.doc) {
        auto doc = std::make_unique<pugi::xml_document>();
        if (!ParseXml(m_package.part(sheet.path), *doc) || !doc->child("worksheet"))
            return fail(QStringLiteral("%1: sheet %2 cannot be read").arg(QFileInfo(m_templatePath).fileName(), name));
        pugi::xml_node root = doc->child("worksheet");
        pugi::xml_node data = EnsureChild(root, "sheetData", kWorksheetOrder);
        // Every row and cell gets its explicit number, and shared formulas become plain ones, so that rows
        // can be moved and copied one by one.
        int rowNumber = 0;
        std::map<int, std::pair<CellPos, QString>> sharedMasters;
        std::vector<pugi::xml_node> dependents;
        for (pugi::xml_node row : data.children("row")) {
            rowNumber = row.attribute("r") ? row.attribute("r").as_int() : rowNumber + 1;
            if (rowNumber < 1 || rowNumber > kMaxSheetRow)
                return fail(QStringLiteral("sheet %1: row number out of range").arg(name));
            SetAttribute(row, "r", QString::number(rowNumber));
            int column = 0;
            for (pugi::xml_node c : row.children("c")) {
                const auto pos = ParseCellReference(Qs(c.attribute("r").value()));
                column = pos ? pos->column : column + 1;
                if (column > kMaxSheetColumn)
                    return fail(QStringLiteral("sheet %1: column out of range").arg(name));
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
            const CellPos pos = posOf(c);
            QString text;
            if (master != sharedMasters.end()) {
                const int dr = pos.row - master->second.first.row;
                const int dc = pos.column - master->second.first.column;
                text = RewriteReferences(master->second.second, name, [&](ReferenceEnd &a, ReferenceEnd *b) {
                    return TranslateChange(dr, dc, a, b);
                });
            }
            f.remove_attribute("t");
            f.remove_attribute("si");
            f.remove_attribute("ref");
            f.text().set(text.toUtf8().constData());
        }
        sheet.doc = std::move(doc);
    }
    m_selectedName = name;
    return true;
}

TMSExcel::Sheet *TMSExcel::selected() const
{
    const auto it = m_sheets.find(m_selectedName);
    return it == m_sheets.end() ? nullptr : it->second.get();
}

void TMSExcel::SetCaption(const QString &caption) { m_caption = caption; }

QString TMSExcel::caption() const { return m_caption ? *m_caption : DocumentTitle(m_package); }

pugi::xml_node TMSExcel::rowNode(int row, bool create) const
{
    pugi::xml_node data = selected()->data();
    // Rows are mostly written top to bottom: past the last row there is nothing to scan, so that filling
    // a sheet stays linear.
    const pugi::xml_node last = data.last_child();
    if (last && rowOf(last) == row)
        return last;
    if (last && rowOf(last) > row) {
        for (pugi::xml_node r : data.children("row")) {
            if (rowOf(r) == row)
                return r;
            if (rowOf(r) > row) {
                if (!create)
                    return {};
                pugi::xml_node added = data.insert_child_before("row", r);
                SetAttribute(added, "r", QString::number(row));
                return added;
            }
        }
    }
    if (!create)
        return {};
    pugi::xml_node added = data.append_child("row");
    SetAttribute(added, "r", QString::number(row));
    return added;
}

pugi::xml_node TMSExcel::cellNode(CellPos pos, bool create) const
{
    pugi::xml_node row = rowNode(pos.row, create);
    if (!row)
        return {};
    const pugi::xml_node last = row.last_child();
    const bool beyondLast = !last || posOf(last).column < pos.column;
    for (pugi::xml_node c : row.children("c")) {
        if (beyondLast)
            break;
        const int column = posOf(c).column;
        if (column == pos.column)
            return c;
        if (column > pos.column) {
            if (!create)
                return {};
            pugi::xml_node added = row.insert_child_before("c", c);
            SetAttribute(added, "r", CellName(pos));
            return added;
        }
    }
    if (!create)
        return {};
    pugi::xml_node added = row.append_child("c");
    SetAttribute(added, "r", CellName(pos));
    // A cell added to a formatted row takes the row's format, as typing into it would.
    if (row.attribute("customFormat").as_bool() && row.attribute("s"))
        SetAttribute(added, "s", Qs(row.attribute("s").value()));
    return added;
}

bool TMSExcel::SetCell(const QString &reference, const QString &text, int rowOffset)
{
    const auto pos = ParseCellReference(reference);
    if (!pos)
        return fail(QStringLiteral("%1 is not a cell reference").arg(reference));
    return SetCellAt({pos->row + rowOffset, pos->column}, text);
}

bool TMSExcel::SetCell(const QString &reference, double number, int rowOffset)
{
    const auto pos = ParseCellReference(reference);
    if (!pos)
        return fail(QStringLiteral("%1 is not a cell reference").arg(reference));
    return SetCellAt({pos->row + rowOffset, pos->column}, number);
}

namespace {

void clearValue(pugi::xml_node c)
{
    c.remove_attribute("t");
    while (pugi::xml_node child = c.first_child())
        c.remove_child(child);
}

bool validPos(CellPos pos)
{
    return pos.row >= 1 && pos.row <= kMaxSheetRow && pos.column >= 1 && pos.column <= kMaxSheetColumn;
}

} // namespace

bool TMSExcel::SetCellAt(CellPos pos, const QString &text)
{
    if (!selected())
        return fail(QStringLiteral("no sheet selected"));
    if (!validPos(pos))
        return fail(QStringLiteral("row %1, column %2 lies outside the sheet").arg(pos.row).arg(pos.column));
    pugi::xml_node c = cellNode(pos, true);
    clearValue(c);
    SetAttribute(c, "t", QStringLiteral("inlineStr"));
    SetText(c.append_child("is").append_child("t"), text);
    return true;
}

bool TMSExcel::SetCellAt(CellPos pos, double number)
{
    if (!selected())
        return fail(QStringLiteral("no sheet selected"));
    if (!validPos(pos))
        return fail(QStringLiteral("row %1, column %2 lies outside the sheet").arg(pos.row).arg(pos.column));
    if (!std::isfinite(number))
        return fail(QStringLiteral("%1 is not a number").arg(number));
    pugi::xml_node c = cellNode(pos, true);
    clearValue(c);
    c.append_child("v").text().set(QString::number(number, 'g', 17).toUtf8().constData());
    return true;
}

int TMSExcel::styleAt(CellPos pos) const
{
    if (!selected() || !validPos(pos))
        return 0;
    return cellNode(pos, false).attribute("s").as_int();
}

bool TMSExcel::SetStyleAt(CellPos pos, int style)
{
    if (!selected())
        return fail(QStringLiteral("no sheet selected"));
    if (!validPos(pos))
        return fail(QStringLiteral("row %1, column %2 lies outside the sheet").arg(pos.row).arg(pos.column));
    SetAttribute(cellNode(pos, true), "s", QString::number(style));
    return true;
}

bool TMSExcel::SetColumnWidth(int column, double width)
{
    if (!selected())
        return fail(QStringLiteral("no sheet selected"));
    if (column < 1 || column > kMaxSheetColumn || !(width > 0 && width <= 255))
        return fail(QStringLiteral("column %1 cannot be %2 characters wide").arg(column).arg(width));
    pugi::xml_node cols = EnsureChild(selected()->root(), "cols", kWorksheetOrder);
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
    return true;
}

std::optional<std::pair<int, int>> TMSExcel::rowsOfSelectedSheet(const QString &rows)
{
    if (!selected()) {
        fail(QStringLiteral("no sheet selected"));
        return std::nullopt;
    }
    const auto range = ParseRowRange(rows);
    if (!range)
        fail(QStringLiteral("%1 is not a range of rows").arg(rows));
    return range;
}

bool TMSExcel::CopyRows(const QString &sourceRows, int destinationRow)
{
    const auto range = rowsOfSelectedSheet(sourceRows);
    if (!range)
        return false;
    Sheet *sheet = selected();
    const int first = range->first;
    const int last = range->second;
    const int count = last - first + 1;
    if (destinationRow < 1 || destinationRow + count - 1 > kMaxSheetRow)
        return fail(QStringLiteral("row %1 lies outside the sheet").arg(destinationRow));
    const int shift = destinationRow - first;
    if (shift == 0)
        return true;

    pugi::xml_document copies;
    pugi::xml_node holder = copies.append_child("rows");
    pugi::xml_node data = sheet->data();
    for (pugi::xml_node row : data.children("row")) {
        if (rowOf(row) >= first && rowOf(row) <= last)
            holder.append_copy(row);
    }
    // The pasted rows replace the destination rows entirely, empty source rows included.
    for (pugi::xml_node row = data.first_child(); row;) {
        pugi::xml_node next = row.next_sibling();
        if (rowOf(row) >= destinationRow && rowOf(row) < destinationRow + count)
            data.remove_child(row);
        row = next;
    }
    const auto translate = [&](ReferenceEnd &a, ReferenceEnd *b) { return TranslateChange(shift, 0, a, b); };
    pugi::xml_node before = data.first_child();
    while (before && rowOf(before) < destinationRow)
        before = before.next_sibling();
    for (pugi::xml_node copy : holder.children("row")) {
        pugi::xml_node row = before ? data.insert_copy_before(copy, before) : data.append_copy(copy);
        const int number = rowOf(copy) + shift;
        SetAttribute(row, "r", QString::number(number));
        for (pugi::xml_node c : row.children("c")) {
            SetAttribute(c, "r", CellName({number, posOf(c).column}));
            if (pugi::xml_node f = c.child("f")) {
                f.text().set(RewriteReferences(Qs(f.text().get()), sheet->name, translate).toUtf8().constData());
                if (const auto ref = parseRange(Qs(f.attribute("ref").value()))) {
                    SetAttribute(f, "ref",
                                 rangeText({ref->first.row + shift, ref->first.column},
                                           {ref->second.row + shift, ref->second.column}));
                }
            }
        }
    }

    // Merged cells: those of the destination rows go, those of the source rows are repeated.
    pugi::xml_node merges = sheet->root().child("mergeCells");
    std::vector<std::pair<CellPos, CellPos>> added;
    for (pugi::xml_node m = merges.first_child(); m;) {
        pugi::xml_node next = m.next_sibling();
        if (const auto r = parseRange(Qs(m.attribute("ref").value()))) {
            if (r->first.row >= first && r->second.row <= last)
                added.push_back({{r->first.row + shift, r->first.column}, {r->second.row + shift, r->second.column}});
            if (r->second.row >= destinationRow && r->first.row < destinationRow + count)
                merges.remove_child(m);
        }
        m = next;
    }
    if (!added.empty()) {
        merges = EnsureChild(sheet->root(), "mergeCells", kWorksheetOrder);
        for (const auto &[a, b] : added)
            SetAttribute(merges.append_child("mergeCell"), "ref", rangeText(a, b));
    }
    if (merges) {
        if (merges.first_child())
            SetAttribute(merges, "count", QString::number(std::distance(merges.begin(), merges.end())));
        else
            sheet->root().remove_child(merges);
    }
    return true;
}

bool TMSExcel::DeleteRows(const QString &rows)
{
    const auto range = rowsOfSelectedSheet(rows);
    if (!range)
        return false;
    Sheet *sheet = selected();
    const int first = range->first;
    const int last = range->second;
    const int count = last - first + 1;
    const auto change = [&](ReferenceEnd &a, ReferenceEnd *b) { return DeleteRowsChange(first, last, a, b); };

    pugi::xml_node data = sheet->data();
    for (pugi::xml_node row = data.first_child(); row;) {
        pugi::xml_node next = row.next_sibling();
        const int number = rowOf(row);
        if (number >= first && number <= last) {
            data.remove_child(row);
        } else {
            const int moved = number > last ? number - count : number;
            SetAttribute(row, "r", QString::number(moved));
            for (pugi::xml_node c : row.children("c")) {
                SetAttribute(c, "r", CellName({moved, posOf(c).column}));
                if (pugi::xml_node f = c.child("f")) {
                    f.text().set(RewriteReferences(Qs(f.text().get()), sheet->name, change).toUtf8().constData());
                    if (const auto ref = parseRange(Qs(f.attribute("ref").value()))) {
                        ReferenceEnd a{ref->first.column, ref->first.row};
                        ReferenceEnd b{ref->second.column, ref->second.row};
                        if (change(a, &b))
                            SetAttribute(f, "ref", rangeText({a.row, a.column}, {b.row, b.column}));
                    }
                }
            }
        }
        row = next;
    }

    // Merged cells move up, shrink, or go with their rows.
    if (pugi::xml_node merges = sheet->root().child("mergeCells")) {
        for (pugi::xml_node m = merges.first_child(); m;) {
            pugi::xml_node next = m.next_sibling();
            const auto r = parseRange(Qs(m.attribute("ref").value()));
            ReferenceEnd a{r ? r->first.column : 0, r ? r->first.row : 0};
            ReferenceEnd b{r ? r->second.column : 0, r ? r->second.row : 0};
            if (!r || !change(a, &b) || (a.row == b.row && a.column == b.column))
                merges.remove_child(m);
            else
                SetAttribute(m, "ref", rangeText({a.row, a.column}, {b.row, b.column}));
            m = next;
        }
        if (merges.first_child())
            SetAttribute(merges, "count", QString::number(std::distance(merges.begin(), merges.end())));
        else
            sheet->root().remove_child(merges);
    }

    // Page breaks: a break above a deleted row goes, those below move up.
    if (pugi::xml_node breaks = sheet->root().child("rowBreaks")) {
        for (pugi::xml_node brk = breaks.first_child(); brk;) {
            pugi::xml_node next = brk.next_sibling();
            const int above = brk.attribute("id").as_int() + 1;
            if (above >= first && above <= last)
                breaks.remove_child(brk);
            else if (above > last)
                SetAttribute(brk, "id", QString::number(above - count - 1));
            brk = next;
        }
        const auto n = std::distance(breaks.begin(), breaks.end());
        if (n == 0) {
            sheet->root().remove_child(breaks);
        } else {
            SetAttribute(breaks, "count", QString::number(n));
            SetAttribute(breaks, "manualBreakCount", QString::number(n));
        }
    }
    moveDefinedNames(first, last);
    return true;
}

void TMSExcel::moveDefinedNames(int first, int last)
{
    const Sheet *sheet = selected();
    pugi::xml_node names = m_workbook->child("workbook").child("definedNames");
    for (pugi::xml_node name : names.children("definedName")) {
        const QString text = Qs(name.text().get());
        if (!text.contains(QLatin1Char('!')))
            continue;
        const QString moved = RewriteReferences(
            text, sheet->name, [&](ReferenceEnd &a, ReferenceEnd *b) { return DeleteRowsChange(first, last, a, b); });
        name.text().set(moved.toUtf8().constData());
    }
}

bool TMSExcel::AddPageBreak(int row)
{
    Sheet *sheet = selected();
    if (!sheet)
        return fail(QStringLiteral("no sheet selected"));
    if (row < 2 || row > kMaxSheetRow)
        return fail(QStringLiteral("no page break can go above row %1").arg(row));
    pugi::xml_node breaks = EnsureChild(sheet->root(), "rowBreaks", kWorksheetOrder);
    pugi::xml_node before;
    for (pugi::xml_node brk : breaks.children("brk")) {
        const int id = brk.attribute("id").as_int();
        if (id == row - 1)
            return true;
        if (id > row - 1) {
            before = brk;
            break;
        }
    }
    pugi::xml_node brk = before ? breaks.insert_child_before("brk", before) : breaks.append_child("brk");
    SetAttribute(brk, "id", QString::number(row - 1));
    SetAttribute(brk, "max", QString::number(kMaxSheetColumn - 1));
    SetAttribute(brk, "man", QStringLiteral("1"));
    const auto n = std::distance(breaks.begin(), breaks.end());
    SetAttribute(breaks, "count", QString::number(n));
    SetAttribute(breaks, "manualBreakCount", QString::number(n));
    return true;
}

bool TMSExcel::SetPrintArea(const QString &range)
{
    const Sheet *sheet = selected();
    if (!sheet)
        return fail(QStringLiteral("no sheet selected"));
    if (!parseRange(QString(range).remove(QLatin1Char('$'))))
        return fail(QStringLiteral("%1 is not a range of cells").arg(range));
    pugi::xml_node names = EnsureChild(m_workbook->child("workbook"), "definedNames", kWorkbookOrder);
    pugi::xml_node area;
    for (pugi::xml_node name : names.children("definedName")) {
        if (QByteArray(name.attribute("name").value()) == "_xlnm.Print_Area"
            && name.attribute("localSheetId").as_int(-1) == sheet->index)
            area = name;
    }
    if (!area) {
        area = names.append_child("definedName");
        SetAttribute(area, "name", QStringLiteral("_xlnm.Print_Area"));
        SetAttribute(area, "localSheetId", QString::number(sheet->index));
    }
    area.text().set((quotedSheetName(sheet->name) + QLatin1Char('!') + range).toUtf8().constData());
    return true;
}

QString TMSExcel::sheetName(const char *name) const
{
    const Sheet *sheet = selected();
    if (!sheet)
        return {};
    for (pugi::xml_node defined : m_workbook->child("workbook").child("definedNames").children("definedName")) {
        if (QByteArray(defined.attribute("name").value()) == name
            && defined.attribute("localSheetId").as_int(-1) == sheet->index)
            return Qs(defined.text().get());
    }
    return {};
}

QString TMSExcel::printArea() const
{
    const QString text = sheetName("_xlnm.Print_Area");
    return text.mid(text.lastIndexOf(QLatin1Char('!')) + 1);
}

QString TMSExcel::printTitles() const { return sheetName("_xlnm.Print_Titles"); }

bool TMSExcel::SaveAs(const QString &path)
{
    OoxmlPackage out = m_package;
    for (const auto &[name, sheet] : m_sheets) {
        if (!sheet->doc)
            continue;
        pugi::xml_node root = sheet->root();
        // Formula results are computed again by the program that opens the file.
        int top = 0, bottom = 0, left = 0, right = 0;
        for (pugi::xml_node row : sheet->data().children("row")) {
            for (pugi::xml_node c : row.children("c")) {
                if (c.child("f")) {
                    c.remove_child("v");
                    if (QByteArray(c.attribute("t").value()) == "str")
                        c.remove_attribute("t");
                }
                const CellPos p = posOf(c);
                top = top ? std::min(top, p.row) : p.row;
                bottom = std::max(bottom, p.row);
                left = left ? std::min(left, p.column) : p.column;
                right = std::max(right, p.column);
            }
        }
        pugi::xml_node dimension = EnsureChild(root, "dimension", kWorksheetOrder);
        SetAttribute(dimension, "ref", top ? rangeText({top, left}, {bottom, right}) : QStringLiteral("A1"));
        out.setPart(sheet->path, WriteXml(*sheet->doc));
    }
    pugi::xml_node calc = EnsureChild(m_workbook->child("workbook"), "calcPr", kWorkbookOrder);
    SetAttribute(calc, "fullCalcOnLoad", QStringLiteral("1"));
    out.setPart(m_workbookPath, WriteXml(*m_workbook));
    // The calculation chain lists formula cells by address; they moved, and it is optional.
    RemovePartsOfType(out, m_workbookPath, QStringLiteral("/calcChain"));
    if (m_caption)
        SetDocumentTitle(out, *m_caption);
    QString reason;
    if (!out.write(path, &reason))
        return fail(reason);
    return true;
}

QString TMSExcel::sharedString(int index) const { return m_sharedStrings.value(index); }

QVariant TMSExcel::cell(const QString &reference) const
{
    const auto pos = ParseCellReference(reference);
    if (!selected() || !pos)
        return {};
    const pugi::xml_node c = cellNode(*pos, false);
    if (!c)
        return {};
    const QByteArray type = c.attribute("t").value();
    if (type == "inlineStr")
        return TextOf(c.child("is"));
    if (type == "s")
        return sharedString(c.child("v").text().as_int());
    if (type == "str" || type == "e")
        return Qs(c.child("v").text().get());
    if (!c.child("v"))
        return {};
    return c.child("v").text().as_double();
}

QString TMSExcel::formula(const QString &reference) const
{
    const auto pos = ParseCellReference(reference);
    if (!selected() || !pos)
        return {};
    return Qs(cellNode(*pos, false).child("f").text().get());
}

int TMSExcel::styleOf(const QString &reference) const
{
    const auto pos = ParseCellReference(reference);
    if (!selected() || !pos)
        return -1;
    const pugi::xml_node c = cellNode(*pos, false);
    return c ? c.attribute("s").as_int() : -1;
}

QStringList TMSExcel::mergedRanges() const
{
    QStringList ranges;
    if (const Sheet *sheet = selected()) {
        for (pugi::xml_node m : sheet->root().child("mergeCells").children("mergeCell"))
            ranges << Qs(m.attribute("ref").value());
    }
    return ranges;
}

QList<int> TMSExcel::pageBreaks() const
{
    QList<int> rows;
    if (const Sheet *sheet = selected()) {
        for (pugi::xml_node brk : sheet->root().child("rowBreaks").children("brk"))
            rows << brk.attribute("id").as_int() + 1;
    }
    return rows;
}

std::optional<double> TMSExcel::rowHeight(int row) const
{
    if (!selected())
        return std::nullopt;
    const pugi::xml_node r = rowNode(row, false);
    if (!r || !r.attribute("ht"))
        return std::nullopt;
    return r.attribute("ht").as_double();
}

} // namespace zelvane
