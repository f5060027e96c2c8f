#include "menus/HeadCountGrid.h"

#include "common/Failure.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Transaction.h"
#include "menus/MenuJour.h"

#include <QRegularExpression>
#include <QSqlError>

namespace zelvane {

std::optional<qint32> HeadCountOfCell(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^\\s*\\d{1,9}\\s*$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const qint64 n = text.trimmed().toLongLong();
    if (n > kMaxHeadCount)
        return std::nullopt;
    return qint32(n);
}

HeadCountGrid::HeadCountGrid(Tfdb &db, const TListeCategories &categories, const QDate &day)
    : m_day(day)
{
    for (int i = 0; i < categories.Count(); ++i) {
        const TCategorie *c = categories.GetCategorie(i);
        m_rows.append({c->code_categ, c->lib_fr, {}});
    }
    ReadDayHeadCounts(db, categories, day, [this](const TCategorie &c, const MealCounts &counts) {
        for (int meal = 1; meal <= kMeals; ++meal) {
            if (counts[meal - 1] && *counts[meal - 1] != 0)
                m_rows[c.index].cells[meal - 1] = QString::number(qint64(*counts[meal - 1]));
        }
    });
}

qint64 HeadCountGrid::total(int meal) const
{
    qint64 sum = 0;
    for (const Row &row : m_rows)
        sum += HeadCountOfCell(row.cells.at(meal - 1)).value_or(0);
    return sum;
}

int HeadCountGrid::write(Tfdb &db) const
{
    // The day's head-counts are kept together, each with its journal entry.
    Transaction unit(db.database());
    int written = 0;
    for (const Row &row : m_rows) {
        std::array<qint32, 4> values{};
        bool any = false;
        for (int meal = 0; meal < 4; ++meal) {
            values[meal] = HeadCountOfCell(row.cells.at(meal)).value_or(0);
            any = any || values[meal] != 0;
        }
        QSqlQuery exists(db.database());
        exists.prepare(QStringLiteral("select 1 from menu_effect where date_menu=? and code_categ=?"));
        exists.addBindValue(IsoDate(m_day));
        exists.addBindValue(row.code_categ);
        const bool found = exists.exec() && exists.next();
        exists.finish();
        if (!found && !any)
            continue;
        QSqlQuery write(db.database());
        write.prepare(
            found ? QStringLiteral("update menu_effect set m1=?, m2=?, m3=?, m4=? where date_menu=? and code_categ=?")
                  : QStringLiteral(
                      "insert into menu_effect (m1, m2, m3, m4, date_menu, code_categ) values (?,?,?,?,?,?)"));
        for (qint32 v : values)
            write.addBindValue(v);
        write.addBindValue(IsoDate(m_day));
        write.addBindValue(row.code_categ);
        if (write.exec())
            ++written;
        else
            qCWarning(lcIgnored).noquote()
                << "head-counts of category" << row.code_categ << ":" << write.lastError().text();
    }
    return IgnoreFailure("keeping the head-counts", [&unit] { unit.commit(); }) ? written : 0;
}

} // namespace zelvane
