#pragma once

#include <QString>

// Small text helpers shared by every subsystem: padding, tokens, replacement, SQL quoting and the
// scrambling of short access codes.
namespace zelvane {

QString PadLeft(const QString &s, int n, const QString &pad);
QString PadRight(const QString &s, int n, const QString &pad);
QString RepeatText(const QString &s, int n);
QString Spaces(int n);

// Cuts the text before the first separator off s and returns it; s keeps the rest, trimmed.
QString NextToken(QString &s, QChar separator);

// Replaces from the left; text brought in by the replacement is never scanned again.
QString ReplaceAll(const QString &s, const QString &oldText, const QString &newText);

// Every user-typed text written into an SQL statement goes through this.
QString QuotedSQL(const QString &s);
// A table or column name written into SQL as an identifier, whatever characters it holds.
QString QuotedIdentifier(const QString &name);

QString ScrambleText(const QString &s);
QString UnscrambleText(const QString &s);

} // namespace zelvane
