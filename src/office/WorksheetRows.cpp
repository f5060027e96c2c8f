// Rows pasted and deleted as a spreadsheet program does it: formulas, merged cells and page breaks follow.
#include "office/OoxmlXml.h"
#include "office/Worksheet.h"

#include <algorithm>

namespace zelvane {

void Worksheet::copyRows(int first, int last, int destination)
{
    const int count = last - first + 1;
    const int shift = destination - first;
    if (shift == 0)
        return;
    pugi::xml_node data = this->data();
    pugi::xml_document copies;
    pugi::xml_node holder = copies.append_child("rows");
    for (auto it = m_rows.lower_bound(first); it != m_rows.end() && it->first <= last; ++it)
        holder.append_copy(it->second);
    // The pasted rows replace the destination rows entirely, empty source rows included.
    for (auto it = m_rows.lower_bound(destination); it != m_rows.end() && it->first < destination + count;) {
        data.remove_child(it->second);
        it = m_rows.erase(it);
    }
    const auto translate = [&](ReferenceEnd &a, ReferenceEnd *b) { return TranslateChange(shift, 0, a, b); };
    const auto next = m_rows.lower_bound(destination);
    const pugi::xml_node before = next == m_rows.end() ? pugi::xml_node() : next->second;
    for (pugi::xml_node copy : holder.children("row")) {
        pugi::xml_node row = before ? data.insert_copy_before(copy, before) : data.append_copy(copy);
        const int number = RowNumberOf(copy) + shift;
        SetAttribute(row, "r", QString::number(number));
        m_rows.emplace_hint(next, number, row);
        for (pugi::xml_node c : row.children("c")) {
            SetAttribute(c, "r", CellName({number, CellPosOf(c).column}));
            if (pugi::xml_node f = c.child("f")) {
                f.text().set(RewriteReferences(Qs(f.text().get()), m_name, translate).toUtf8().constData());
                if (const auto ref = ParseCellRange(Qs(f.attribute("ref").value()))) {
                    SetAttribute(f, "ref",
                                 RangeName({ref->first.row + shift, ref->first.column},
                                           {ref->second.row + shift, ref->second.column}));
                }
            }
        }
    }

    // Merged cells: those of the destination rows go, those of the source rows are repeated in the order
    // the document lists them.
    std::vector<const Merge *> sources;
    for (auto it = m_merges.lower_bound(first); it != m_merges.end() && it->first <= last; ++it) {
        if (it->second.to.row <= last)
            sources.push_back(&it->second);
    }
    std::sort(sources.begin(), sources.end(), [](const Merge *a, const Merge *b) { return a->order < b->order; });
    std::vector<std::pair<CellPos, CellPos>> added;
    for (const Merge *m : sources)
        added.push_back({{m->from.row + shift, m->from.column}, {m->to.row + shift, m->to.column}});
    for (auto it = m_merges.lower_bound(destination - m_mergeHeight);
         it != m_merges.end() && it->first < destination + count;) {
        const auto current = it++;
        if (current->second.to.row >= destination)
            removeMerge(current);
    }
    for (const auto &[from, to] : added)
        addMerge(from, to);
    closeMerges();
}

void Worksheet::removeMerge(std::multimap<int, Merge>::iterator merge)
{
    root().child("mergeCells").remove_child(merge->second.node);
    m_merges.erase(merge);
    --m_mergeCount;
}

void Worksheet::addMerge(CellPos from, CellPos to)
{
    pugi::xml_node m = EnsureChild(root(), "mergeCells", kWorksheetOrder).append_child("mergeCell");
    SetAttribute(m, "ref", RangeName(from, to));
    m_merges.emplace(from.row, Merge{from, to, m, m_mergeOrder++});
    m_mergeHeight = std::max(m_mergeHeight, to.row - from.row);
    ++m_mergeCount;
}

void Worksheet::closeMerges()
{
    if (pugi::xml_node merges = root().child("mergeCells")) {
        if (m_mergeCount > 0)
            SetAttribute(merges, "count", QString::number(m_mergeCount));
        else
            root().remove_child(merges);
    }
}

void Worksheet::deleteRows(int first, int last)
{
    const int count = last - first + 1;
    const auto change = [&](ReferenceEnd &a, ReferenceEnd *b) { return DeleteRowsChange(first, last, a, b); };

    pugi::xml_node data = this->data();
    for (pugi::xml_node row = data.first_child(); row;) {
        pugi::xml_node next = row.next_sibling();
        const int number = RowNumberOf(row);
        if (number >= first && number <= last) {
            data.remove_child(row);
        } else {
            const int moved = number > last ? number - count : number;
            SetAttribute(row, "r", QString::number(moved));
            for (pugi::xml_node c : row.children("c")) {
                SetAttribute(c, "r", CellName({moved, CellPosOf(c).column}));
                if (pugi::xml_node f = c.child("f")) {
                    f.text().set(RewriteReferences(Qs(f.text().get()), m_name, change).toUtf8().constData());
                    if (const auto ref = ParseCellRange(Qs(f.attribute("ref").value()))) {
                        ReferenceEnd a{ref->first.column, ref->first.row};
                        ReferenceEnd b{ref->second.column, ref->second.row};
                        if (change(a, &b))
                            SetAttribute(f, "ref", RangeName({a.row, a.column}, {b.row, b.column}));
                    }
                }
            }
        }
        row = next;
    }
    indexRows();

    // Merged cells move up, shrink, or go with their rows.
    if (pugi::xml_node merges = root().child("mergeCells")) {
        for (pugi::xml_node m = merges.first_child(); m;) {
            pugi::xml_node next = m.next_sibling();
            const auto r = ParseCellRange(Qs(m.attribute("ref").value()));
            ReferenceEnd a{r ? r->first.column : 0, r ? r->first.row : 0};
            ReferenceEnd b{r ? r->second.column : 0, r ? r->second.row : 0};
            if (!r || !change(a, &b) || (a.row == b.row && a.column == b.column))
                merges.remove_child(m);
            else
                SetAttribute(m, "ref", RangeName({a.row, a.column}, {b.row, b.column}));
            m = next;
        }
        indexMerges();
        closeMerges();
    }

    // Page breaks: a break above a deleted row goes, those below move up.
    if (pugi::xml_node breaks = root().child("rowBreaks")) {
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
            root().remove_child(breaks);
        } else {
            SetAttribute(breaks, "count", QString::number(n));
            SetAttribute(breaks, "manualBreakCount", QString::number(n));
        }
    }
}

void Worksheet::addPageBreak(int row)
{
    pugi::xml_node breaks = EnsureChild(root(), "rowBreaks", kWorksheetOrder);
    // Breaks are mostly added top to bottom: below the last one there is nothing to scan.
    pugi::xml_node before;
    const pugi::xml_node last = breaks.last_child();
    if (last && last.attribute("id").as_int() >= row - 1) {
        for (pugi::xml_node brk : breaks.children("brk")) {
            const int id = brk.attribute("id").as_int();
            if (id == row - 1)
                return;
            if (id > row - 1) {
                before = brk;
                break;
            }
        }
    }
    pugi::xml_node brk = before ? breaks.insert_child_before("brk", before) : breaks.append_child("brk");
    SetAttribute(brk, "id", QString::number(row - 1));
    SetAttribute(brk, "max", QString::number(kMaxSheetColumn - 1));
    SetAttribute(brk, "man", QStringLiteral("1"));
    const auto n = std::distance(breaks.begin(), breaks.end());
    SetAttribute(breaks, "count", QString::number(n));
    SetAttribute(breaks, "manualBreakCount", QString::number(n));
}

} // namespace zelvane
