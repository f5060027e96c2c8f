#include "db/FileReport.h"

#include "common/Text.h"
#include "db/DataModule.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

namespace zelvane {

void WriteFileReport(Tfdb &db, const QString &path, QIODevice &device)
{
    QTextStream out(&device);
    out << "file: " << QFileInfo(path).absoluteFilePath() << '\n';
    out << "schema: " << kSchemaTag << '\n';
    out << "organisme: " << db.organisme << '\n';
    out << "gestion: " << db.gestion << '\n';
    out << "langue: " << db.langue << '\n';
    out << "faita: " << db.faita << '\n';
    out << "regime: " << db.regime << '\n';
    QStringList names;
    if (auto tables = db.GetQuery(
            QStringLiteral("select name from sqlite_master where type='table' order by name collate nocase"))) {
        while (tables->next())
            names << tables->value(0).toString();
    }
    for (const QString &name : std::as_const(names)) {
        QSqlQuery count(db.database());
        if (count.exec(QStringLiteral("select count(*) from ") + QuotedIdentifier(name)) && count.next())
            out << "table " << name << ": " << count.value(0).toLongLong() << '\n';
    }
}

} // namespace zelvane
