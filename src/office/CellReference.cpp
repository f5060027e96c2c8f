#include "office/CellReference.h"

#include <QRegularExpression>
#include <QStringList>

namespace zelvane {

std::optional<CellPos> ParseCellReference(const QString &reference)
{
    qint64 row = 0;
    qint64 column = 0;
    for (const QChar c : reference.trimmed().toUpper()) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            column = column * 26 + (c.unicode() - 'A' + 1);
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            row = row * 10 + (c.unicode() - '0');
        if (row > kMaxSheetRow || column > kMaxSheetColumn)
            return std::nullopt;
    }
    if (row < 1 || column < 1)
        return std::nullopt;
    return CellPos{int(row), int(column)};
}

QString ColumnName(int column)
{
    QString name;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        name.prepend(QChar('A' + rest));
        column = (column - 1) / 26;
    }
    return name;
}

QString CellName(CellPos pos) { return ColumnName(pos.column) + QString::number(pos.row); }

std::optional<std::pair<CellPos, CellPos>> ParseCellRange(const QString &range)
{
    const QStringList ends = range.split(QLatin1Char(':'));
    const auto a = ParseCellReference(ends.value(0));
    const auto b = ParseCellReference(ends.size() > 1 ? ends.value(1) : ends.value(0));
    if (!a || !b)
        return std::nullopt;
    return std::pair{*a, *b};
}

QString RangeName(CellPos from, CellPos to)
{
    return from == to ? CellName(from) : CellName(from) + QLatin1Char(':') + CellName(to);
}

std::optional<std::pair<int, int>> ParseRowRange(const QString &rows)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,7})\\s*(?::\\s*(\\d{1,7})\\s*)?$"));
    const QRegularExpressionMatch m = pattern.match(rows);
    if (!m.hasMatch())
        return std::nullopt;
    const int first = m.captured(1).toInt();
    const int last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
    if (first < 1 || last < first || last > kMaxSheetRow)
        return std::nullopt;
    return std::pair{first, last};
}

namespace {

QString endText(const ReferenceEnd &end, bool withColumn, bool withRow)
{
    QString text;
    if (withColumn)
        text += (end.columnAbsolute ? QStringLiteral("$") : QString()) + ColumnName(end.column);
    if (withRow)
        text += (end.rowAbsolute ? QStringLiteral("$") : QString()) + QString::number(end.row);
    return text;
}

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.'); }

// A cell or range reference, a whole-row range, at the current position.
const QRegularExpression &referencePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("\\G(?:(\\$?)([A-Z]{1,3})(\\$?)(\\d{1,7})(?::(\\$?)([A-Z]{1,3})(\\$?)(\\d{1,7}))?"
                       "|(\\$?)(\\d{1,7}):(\\$?)(\\d{1,7}))"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

QString RewriteReferences(const QString &formula, const QString &sheetName, const ReferenceChange &change)
{
    QString out;
    const qsizetype n = formula.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = formula.at(i);
        if (c == QLatin1Char('"')) { // a text: copied as it stands, "" being a quote inside it
            const qsizetype start = i++;
            while (i < n) {
                if (formula.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && formula.at(i + 1) == QLatin1Char('"')) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            out += formula.mid(start, i - start);
            continue;
        }
        // A sheet qualifier: 'Name'! or Name!. References after another sheet's name stay as they are.
        bool otherSheet = false;
        qsizetype qualifierEnd = -1;
        QString qualifier;
        if (c == QLatin1Char('\'')) {
            qsizetype j = i + 1;
            while (j < n) {
                if (formula.at(j) == QLatin1Char('\'')) {
                    if (j + 1 < n && formula.at(j + 1) == QLatin1Char('\'')) {
                        qualifier += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                qualifier += formula.at(j++);
            }
            if (j + 1 < n && formula.at(j + 1) == QLatin1Char('!'))
                qualifierEnd = j + 2;
        } else if (isNameChar(c) && (i == 0 || !isNameChar(formula.at(i - 1)))) {
            qsizetype j = i;
            while (j < n && isNameChar(formula.at(j)))
                ++j;
            if (j < n && formula.at(j) == QLatin1Char('!')) {
                qualifier = formula.mid(i, j - i);
                qualifierEnd = j + 1;
            }
        }
        if (qualifierEnd >= 0) {
            otherSheet = qualifier.compare(sheetName, Qt::CaseInsensitive) != 0;
            out += formula.mid(i, qualifierEnd - i);
            i = qualifierEnd;
        } else if (i > 0 && (isNameChar(formula.at(i - 1)) || formula.at(i - 1) == QLatin1Char('$'))) {
            out += c;
            ++i;
            continue;
        }
        const QRegularExpressionMatch m = referencePattern().match(formula, i);
        const qsizetype end = m.hasMatch() ? m.capturedEnd() : i;
        const bool followedByName = end < n && (isNameChar(formula.at(end)) || formula.at(end) == QLatin1Char('('));
        if (!m.hasMatch() || followedByName) {
            // A function or defined name: copied to its end.
            qsizetype j = i;
            while (j < n && (isNameChar(formula.at(j)) || formula.at(j) == QLatin1Char('$')))
                ++j;
            if (j == i)
                ++j;
            out += formula.mid(i, j - i);
            i = j;
            continue;
        }
        if (otherSheet) {
            out += m.captured(0);
            i = end;
            continue;
        }
        const bool wholeRows = !m.captured(10).isEmpty();
        ReferenceEnd first;
        ReferenceEnd second;
        bool range = false;
        bool withColumn = true;
        if (wholeRows) {
            withColumn = false;
            range = true;
            first.rowAbsolute = !m.captured(9).isEmpty();
            first.row = m.captured(10).toInt();
            second.rowAbsolute = !m.captured(11).isEmpty();
            second.row = m.captured(12).toInt();
        } else {
            first.columnAbsolute = !m.captured(1).isEmpty();
            first.column = ParseCellReference(m.captured(2) + QStringLiteral("1")).value_or(CellPos{}).column;
            first.rowAbsolute = !m.captured(3).isEmpty();
            first.row = m.captured(4).toInt();
            range = !m.captured(6).isEmpty();
            if (range) {
                second.columnAbsolute = !m.captured(5).isEmpty();
                second.column = ParseCellReference(m.captured(6) + QStringLiteral("1")).value_or(CellPos{}).column;
                second.rowAbsolute = !m.captured(7).isEmpty();
                second.row = m.captured(8).toInt();
            }
        }
        if (!change(first, range ? &second : nullptr)) {
            out += QStringLiteral("#REF!");
        } else {
            out += endText(first, withColumn, true);
            if (range)
                out += QLatin1Char(':') + endText(second, withColumn, true);
        }
        i = end;
    }
    return out;
}

bool DeleteRowsChange(int first, int last, ReferenceEnd &a, ReferenceEnd *b)
{
    const int count = last - first + 1;
    if (!b) {
        if (a.row >= first && a.row <= last)
            return false;
        if (a.row > last)
            a.row -= count;
        return true;
    }
    // A range keeps what is left of it; it is lost only when all its rows go.
    const int top = std::min(a.row, b->row);
    const int bottom = std::max(a.row, b->row);
    const int newTop = top < first ? top : (top > last ? top - count : first);
    const int newBottom = bottom < first ? bottom : (bottom > last ? bottom - count : first - 1);
    if (newBottom < newTop)
        return false;
    ReferenceEnd &upper = a.row <= b->row ? a : *b;
    ReferenceEnd &lower = a.row <= b->row ? *b : a;
    upper.row = newTop;
    lower.row = newBottom;
    return true;
}

bool TranslateChange(int dRows, int dColumns, ReferenceEnd &a, ReferenceEnd *b)
{
    for (ReferenceEnd *end : {&a, b}) {
        if (!end)
            continue;
        if (!end->rowAbsolute)
            end->row += dRows;
        if (end->column > 0 && !end->columnAbsolute)
            end->column += dColumns;
        if (end->row < 1 || end->row > kMaxSheetRow || (end->column != 0 && end->column < 1)
            || end->column > kMaxSheetColumn)
            return false;
    }
    return true;
}

} // namespace zelvane
