#include "office/TMSExcel.h"

#include "office/OoxmlXml.h"
#include "office/Worksheet.h"

#include <QFileInfo>
#include <cmath>
#include <pugixml.hpp>

namespace zelvane {

namespace {

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

QString quotedSheetName(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

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
        const QString name = Qs(sheet.attribute("name").value());
        QString sheetPath;
        for (pugi::xml_attribute a : sheet.attributes()) {
            if (QByteArray(a.name()).endsWith(":id"))
                sheetPath = rels.targets.value(Qs(a.value()));
        }
        const int sheetIndex = index++;
        if (!name.isEmpty() && !sheetPath.isEmpty())
            m_sheets[name] = std::make_unique<Worksheet>(name, sheetPath, sheetIndex);
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
    std::vector<const Worksheet *> sheets;
    for (const auto &[name, sheet] : m_sheets)
        sheets.push_back(sheet.get());
    std::sort(sheets.begin(), sheets.end(), [](auto a, auto b) { return a->index() < b->index(); });
    QStringList names;
    for (const Worksheet *s : sheets)
        names << s->name();
    return names;
}

bool TMSExcel::SelectSheet(const QString &name)
{
    const auto it = m_sheets.find(name);
    if (it == m_sheets.end())
        return fail(QStringLiteral("%1: no sheet named %2").arg(QFileInfo(m_templatePath).fileName(), name));
    Worksheet &sheet = *it->second;
    QString reason;
    if (!sheet.loaded() && !sheet.load(m_package.part(sheet.path()), &reason))
        return fail(QStringLiteral("%1: %2").arg(QFileInfo(m_templatePath).fileName(), reason));
    m_selectedName = name;
    return true;
}

Worksheet *TMSExcel::selected() const
{
    const auto it = m_sheets.find(m_selectedName);
    return it == m_sheets.end() ? nullptr : it->second.get();
}

void TMSExcel::SetCaption(const QString &caption) { m_caption = caption; }

QString TMSExcel::caption() const { return m_caption ? *m_caption : DocumentTitle(m_package); }

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

bool TMSExcel::writableCell(CellPos pos)
{
    if (!selected())
        return fail(QStringLiteral("no sheet selected"));
    if (!validPos(pos))
        return fail(QStringLiteral("row %1, column %2 lies outside the sheet").arg(pos.row).arg(pos.column));
    return true;
}

bool TMSExcel::SetCellAt(CellPos pos, const QString &text)
{
    if (!writableCell(pos))
        return false;
    pugi::xml_node c = selected()->cell(pos);
    clearValue(c);
    SetAttribute(c, "t", QStringLiteral("inlineStr"));
    SetText(c.append_child("is").append_child("t"), text);
    return true;
}

bool TMSExcel::SetCellAt(CellPos pos, double number)
{
    if (!writableCell(pos))
        return false;
    if (!std::isfinite(number))
        return fail(QStringLiteral("%1 is not a number").arg(number));
    pugi::xml_node c = selected()->cell(pos);
    clearValue(c);
    c.append_child("v").text().set(QString::number(number, 'g', 17).toUtf8().constData());
    return true;
}

int TMSExcel::styleAt(CellPos pos) const
{
    if (!selected() || !validPos(pos))
        return 0;
    return selected()->findCell(pos).attribute("s").as_int();
}

bool TMSExcel::SetStyleAt(CellPos pos, int style)
{
    if (!writableCell(pos))
        return false;
    SetAttribute(selected()->cell(pos), "s", QString::number(style));
    return true;
}

bool TMSExcel::SetColumnWidth(int column, double width)
{
    if (!selected())
        return fail(QStringLiteral("no sheet selected"));
    if (column < 1 || column > kMaxSheetColumn || !(width > 0 && width <= 255))
        return fail(QStringLiteral("column %1 cannot be %2 characters wide").arg(column).arg(width));
    selected()->setColumnWidth(column, width);
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
    const int count = range->second - range->first + 1;
    if (destinationRow < 1 || destinationRow + count - 1 > kMaxSheetRow)
        return fail(QStringLiteral("row %1 lies outside the sheet").arg(destinationRow));
    selected()->copyRows(range->first, range->second, destinationRow);
    return true;
}

bool TMSExcel::DeleteRows(const QString &rows)
{
    const auto range = rowsOfSelectedSheet(rows);
    if (!range)
        return false;
    selected()->deleteRows(range->first, range->second);
    moveDefinedNames(range->first, range->second);
    return true;
}

void TMSExcel::moveDefinedNames(int first, int last)
{
    const Worksheet *sheet = selected();
    pugi::xml_node names = m_workbook->child("workbook").child("definedNames");
    for (pugi::xml_node name : names.children("definedName")) {
        const QString text = Qs(name.text().get());
        if (!text.contains(QLatin1Char('!')))
            continue;
        const QString moved = RewriteReferences(
            text, sheet->name(), [&](ReferenceEnd &a, ReferenceEnd *b) { return DeleteRowsChange(first, last, a, b); });
        name.text().set(moved.toUtf8().constData());
    }
}

bool TMSExcel::AddPageBreak(int row)
{
    if (!selected())
        return fail(QStringLiteral("no sheet selected"));
    if (row < 2 || row > kMaxSheetRow)
        return fail(QStringLiteral("no page break can go above row %1").arg(row));
    selected()->addPageBreak(row);
    return true;
}

bool TMSExcel::SetPrintArea(const QString &range)
{
    const Worksheet *sheet = selected();
    if (!sheet)
        return fail(QStringLiteral("no sheet selected"));
    if (!ParseCellRange(QString(range).remove(QLatin1Char('$'))))
        return fail(QStringLiteral("%1 is not a range of cells").arg(range));
    pugi::xml_node names = EnsureChild(m_workbook->child("workbook"), "definedNames", kWorkbookOrder);
    pugi::xml_node area;
    for (pugi::xml_node name : names.children("definedName")) {
        if (QByteArray(name.attribute("name").value()) == "_xlnm.Print_Area"
            && name.attribute("localSheetId").as_int(-1) == sheet->index())
            area = name;
    }
    if (!area) {
        area = names.append_child("definedName");
        SetAttribute(area, "name", QStringLiteral("_xlnm.Print_Area"));
        SetAttribute(area, "localSheetId", QString::number(sheet->index()));
    }
    area.text().set((quotedSheetName(sheet->name()) + QLatin1Char('!') + range).toUtf8().constData());
    return true;
}

QString TMSExcel::sheetName(const char *name) const
{
    const Worksheet *sheet = selected();
    if (!sheet)
        return {};
    for (pugi::xml_node defined : m_workbook->child("workbook").child("definedNames").children("definedName")) {
        if (QByteArray(defined.attribute("name").value()) == name
            && defined.attribute("localSheetId").as_int(-1) == sheet->index())
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
        if (sheet->loaded())
            out.setPart(sheet->path(), sheet->save());
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
    const pugi::xml_node c = selected()->findCell(*pos);
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
    return Qs(selected()->findCell(*pos).child("f").text().get());
}

int TMSExcel::styleOf(const QString &reference) const
{
    const auto pos = ParseCellReference(reference);
    if (!selected() || !pos)
        return -1;
    const pugi::xml_node c = selected()->findCell(*pos);
    return c ? c.attribute("s").as_int() : -1;
}

QStringList TMSExcel::mergedRanges() const { return selected() ? selected()->mergedRanges() : QStringList(); }

QList<int> TMSExcel::pageBreaks() const { return selected() ? selected()->pageBreaks() : QList<int>(); }

std::optional<double> TMSExcel::rowHeight(int row) const
{
    if (!selected())
        return std::nullopt;
    const pugi::xml_node r = selected()->findRow(row);
    if (!r || !r.attribute("ht"))
        return std::nullopt;
    return r.attribute("ht").as_double();
}

} // namespace zelvane
