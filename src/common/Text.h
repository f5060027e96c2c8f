#pragma once

#include <QString>
#include <QStringList>

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

// The titles with an access key each ("&Journée"), none among taken nor twice: the initial of a word
// first, else the first free letter or digit, else a sign; "&&" stays a plain "&". Letters are compared
// without case; taken receives the keys given.
QStringList WithMnemonics(const QStringList &titles, QString &taken);

QString ScrambleText(const QString &s);
QString UnscrambleText(const QString &s);

} // namespace zelvane
