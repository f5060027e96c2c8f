#pragma once

#include "db/Conversion.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zelvane {

// What an import read, wrote and refused, for the report shown at its end.
struct AccessImportReport
{
    struct Count
    {
        QString table;
        qint64 rows = 0;
    };

    QString source;
    QString target;
    QString tag;         // the schema tag the Access file carries
    QString backup;      // where the Access file was kept when the import took its name
    QList<Count> read;   // every table of the Access file with the rows read from it (0 when not copied)
    QList<Count> copied; // every table of the list with the rows the new file holds
    struct Refusal
    {
        QString table;
        QString reason; // the database's own words
        int rows = 0;
    };

    int refusedRows = 0;
    QList<Refusal> refusals; // the refused rows, by table and reason
    QString error;           // why no file was made; empty after a success

    bool ok() const { return error.isEmpty(); }
    // The report, one fact a line, in French.
    QString text() const;
};

// Where the import of the Access file source lands: the folder of the management files, under the
// name of source with the extension of our files (a dot inside the name, which the opening refuses,
// becomes "_").
QString ImportedFilePath(const QString &source);

// Makes the management file target from the Access file source, of the current generation or of an
// older one, through the conversion's table lists and hooks. The new file is made from the template
// under a work name and moved over target only once complete; on any failure target is left as it
// was and no work file remains. The Access file is only read; when target is the Access file itself
// (an Access file with our extension in the folder of the management files), it is first kept as its
// numbered backup.
AccessImportReport ImportAccessFile(const QString &source, const QString &target,
                                    const ConversionProgress &progress = {});

} // namespace zelvane
