#include "stock/Navigation.h"

#include "common/Format.h"
#include "db/DataModule.h"

#include <QFileInfo>
#include <algorithm>

namespace zelvane {

QStringList SheetDayKeys(Tfdb &db)
{
    QStringList keys;
    if (auto query = db.GetQuery(QStringLiteral("select date_op from stock group by date_op"))) {
        while (query->next()) {
            const QDate d = DateFromSql(query->value(0));
            if (d.isValid())
                keys << IsoDate(d);
        }
    }
    return keys;
}

std::optional<QDate> NeighbourSheet(QStringList keys, const QDate &selected, int tag, const QDate &today, int gestion)
{
    if (today.year() == gestion && !keys.contains(IsoDate(today)))
        keys << IsoDate(today);
    const QString key = IsoDate(selected);
    if (!keys.contains(key))
        keys << key;
    keys.sort();
    keys.removeDuplicates();
    const qsizetype k = keys.indexOf(key) + tag;
    if (k < 0 || k >= keys.size())
        return std::nullopt;
    return QDate::fromString(keys.at(k), Qt::ISODate);
}

QString NeighbourYearFile(const QString &currentFile, int gestion, int tag)
{
    const QFileInfo info(currentFile);
    const QString year = QString::number(gestion);
    QString name = info.fileName();
    if (currentFile.isEmpty() || !name.contains(year))
        return {};
    name.replace(year, QString::number(gestion + tag));
    const QString path = info.absolutePath() + QLatin1Char('/') + name;
    return QFileInfo::exists(path) ? path : QString();
}

QString NeighbourYearQuestion(int year)
{
    return QStringLiteral(" Voulez vous charger la gestion ") + QString::number(year) + QStringLiteral(" ? ");
}

} // namespace zelvane
