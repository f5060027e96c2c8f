#pragma once

#include <QHash>
#include <QString>

class QIODevice;

namespace zelvane {

class TListeDenrees;
class Tfdb;

// A text as one field of a ';'-separated line: quoted, its quotes doubled, when it holds ';', '"' or a line end.
QString CsvText(QString text);

// The designation of every article, by code.
QHash<qint32, QString> ArticleDesignations(Tfdb &db);

// The sheet of liste's day as a text table: for every article in code order the stock of the evening
// before, the entries, the exits and the remainder, in quantity and value, then the store figures.
void WriteSheetText(const TListeDenrees &liste, const QHash<qint32, QString> &designations, QIODevice &device);
// The article lines only, separated by ';', numbers with two decimals and a point.
void WriteSheetCsv(const TListeDenrees &liste, const QHash<qint32, QString> &designations, QIODevice &device);

} // namespace zelvane
