#pragma once

#include <QString>
#include <QStringList>

// Runs statements on the SQLite file at path, made when missing; the test fails when one is refused.
void MakeDatabase(const QString &path, const QStringList &statements);

// An empty management file of an older generation at path, as its tag's generation made them: its
// version row and its tables with their columns of that time (no purchase order on the movements, menus
// and head-counts in one row per day before 2009-06-06, no establishment kind before it either).
QString OlderFile(const QString &path, const QString &tag);
