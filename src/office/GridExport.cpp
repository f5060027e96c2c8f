#include "office/GridExport.h"

#include "common/Format.h"
#include "common/Paths.h"
#include "common/WorkFiles.h"
#include "office/TMSExcel.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QRegularExpression>

namespace zelvane {

namespace {

bool alignedRight(const QVariant &alignment) { return alignment.isValid() && (alignment.toInt() & Qt::AlignRight); }

// A figure as the grids show it: digits with blanks between groups, a point or a comma before the decimals.
// Digits after a leading zero ("007") are a code, whose zeros a number would lose.
std::optional<double> figure(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^-?(0|[1-9][0-9 \\x{00A0}\\x{202F}]*)([.,][0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (!shape.match(trimmed).hasMatch())
        return std::nullopt;
    QString plain = trimmed;
    plain.remove(QRegularExpression(QStringLiteral("[ \\x{00A0}\\x{202F}]")));
    return ParseNumber(plain);
}

// The text shown of a number written back: its decimals as in the grid.
bool hasDecimals(const QString &text) { return text.contains(QLatin1Char('.')) || text.contains(QLatin1Char(',')); }

QString csvField(const QVariant &cell)
{
    QString text;
    if (cell.typeId() == QMetaType::Double) {
        text = cell.toString();
        text.replace(QLatin1Char('.'), QLatin1Char(','));
        return text;
    }
    text = cell.toString();
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))
        || text.contains(QLatin1Char('\r')))
        text = QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return text;
}

} // namespace

GridTable GridTableOf(const QAbstractItemModel &model, const QList<int> &columns)
{
    GridTable grid;
    QList<bool> figures;
    for (int column : columns) {
        grid.titles << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        bool right = alignedRight(model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole));
        for (int row = 0; !right && row < model.rowCount() && row < 20; ++row)
            right = alignedRight(model.index(row, column).data(Qt::TextAlignmentRole));
        figures << right;
    }
    for (int row = 0; row < model.rowCount(); ++row) {
        QList<QVariant> cells;
        for (int i = 0; i < columns.size(); ++i) {
            const QString text = model.index(row, columns.at(i)).data(Qt::DisplayRole).toString();
            QVariant cell(text);
            if (const std::optional<double> number = figures.at(i) ? figure(text) : std::nullopt) {
                // A whole number shown without decimals stays so: the grid's integers keep their form.
                cell = hasDecimals(text) ? QVariant(*number) : QVariant(qint64(*number));
            }
            cells << cell;
        }
        grid.rows << cells;
    }
    return grid;
}

bool WriteGridSpreadsheet(const GridTable &grid, const QString &path, QString *error)
{
    const QString model = DeliveredFile(QStringLiteral("modeles/grille.xlsx"));
    TMSExcel excel;
    if (model.isEmpty() || !excel.OpenTemplate(model) || !excel.SelectSheet(QStringLiteral("Grille"))) {
        *error = model.isEmpty()
                     ? QStringLiteral("Fichier modeles/grille.xlsx inexistant !")
                     : QStringLiteral("Erreur durant l'ouverture du fichier %1 ! (%2)").arg(model, excel.error());
        return false;
    }
    // The template's sample cells give the formats: a title, a text, a whole number, a decimal figure.
    const int title = excel.styleAt({1, 1});
    const int text = excel.styleAt({2, 1});
    const int whole = excel.styleAt({2, 2});
    const int decimal = excel.styleAt({2, 3});
    bool written = excel.DeleteRows(QStringLiteral("1:2"));
    excel.SetCaption(QStringLiteral("Grille"));
    for (int c = 0; written && c < grid.titles.size(); ++c) {
        written = excel.SetCellAt({1, c + 1}, grid.titles.at(c)) && excel.SetStyleAt({1, c + 1}, title);
        if (written && c < grid.widths.size() && grid.widths.at(c) > 0)
            written = excel.SetColumnWidth(c + 1, qBound(4.0, grid.widths.at(c) / 7.0, 80.0));
    }
    for (int r = 0; written && r < grid.rows.size(); ++r) {
        const QList<QVariant> &cells = grid.rows.at(r);
        for (int c = 0; written && c < cells.size(); ++c) {
            const CellPos pos{r + 2, c + 1};
            const QVariant &cell = cells.at(c);
            if (cell.typeId() == QMetaType::Double)
                written = excel.SetCellAt(pos, cell.toDouble()) && excel.SetStyleAt(pos, decimal);
            else if (cell.typeId() == QMetaType::LongLong)
                written = excel.SetCellAt(pos, cell.toDouble()) && excel.SetStyleAt(pos, whole);
            else
                written = excel.SetCellAt(pos, cell.toString()) && excel.SetStyleAt(pos, text);
        }
    }
    if (!written || !excel.SaveAs(path)) {
        *error = excel.error();
        return false;
    }
    return true;
}

bool WriteGridCsv(const GridTable &grid, const QString &path, QString *error)
{
    QByteArray bytes("\xEF\xBB\xBF");
    const auto line = [&bytes](const QStringList &fields) { bytes += fields.join(QLatin1Char(';')).toUtf8() + "\r\n"; };
    QStringList titles;
    for (const QString &t : grid.titles)
        titles << csvField(t);
    line(titles);
    for (const QList<QVariant> &cells : grid.rows) {
        QStringList fields;
        for (const QVariant &cell : cells)
            fields << csvField(cell);
        line(fields);
    }
    // Under a work name, as every document: a killed run leaves no half-written file, only a work file
    // that the next start removes.
    const QString work = WorkFileFor(path);
    QFile out(work);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() || !out.flush()) {
        *error = out.errorString();
        out.close();
        QFile::remove(work);
        return false;
    }
    out.close();
    return MoveWorkFileIntoPlace(work, path, error);
}

} // namespace zelvane
