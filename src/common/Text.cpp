#include "common/Text.h"

namespace zelvane {

namespace {

QString padded(const QString &s, int n, const QString &pad, bool left)
{
    QString r = s.trimmed();
    if (r.size() > n)
        r.truncate(n);
    const QString p = pad.isEmpty() ? QStringLiteral(" ") : pad;
    while (r.size() < n)
        r = left ? p + r : r + p;
    return r;
}

const QString &scrambleAlphabet()
{
    static const QString table = QStringLiteral("Q7W.E3RT9YU1IOP5ASD8FGH2JKL0ZXC4VB6NM");
    static const QString alphabet = table.toUpper() + table.toLower();
    return alphabet;
}

// Brings a 1-based position back into 1..size; inside the routines' range this is one step of +/- size,
// and texts longer than the alphabet still never index outside it.
int wrapped(int q, int size) { return ((q - 1) % size + size) % size + 1; }

} // namespace

QString PadLeft(const QString &s, int n, const QString &pad) { return padded(s, n, pad, true); }
QString PadRight(const QString &s, int n, const QString &pad) { return padded(s, n, pad, false); }

QString RepeatText(const QString &s, int n) { return n < 1 ? QString() : s.repeated(n); }
QString Spaces(int n) { return RepeatText(QStringLiteral(" "), n); }

QString NextToken(QString &s, QChar separator)
{
    const qsizetype p = s.indexOf(separator);
    QString token;
    if (p < 0) {
        token = s;
        s.clear();
    } else {
        token = s.left(p);
        s = s.mid(p + 1).trimmed();
    }
    return token;
}

QString ReplaceAll(const QString &s, const QString &oldText, const QString &newText)
{
    if (oldText.isEmpty())
        return s;
    QString result;
    qsizetype from = 0;
    for (qsizetype p = s.indexOf(oldText); p >= 0; p = s.indexOf(oldText, from)) {
        result += s.mid(from, p - from) + newText;
        from = p + oldText.size();
    }
    return result + s.mid(from);
}

QString QuotedSQL(const QString &s)
{
    return QLatin1Char('\'') + ReplaceAll(s, QStringLiteral("'"), QStringLiteral("''")) + QLatin1Char('\'');
}

QString QuotedIdentifier(const QString &name)
{
    return QLatin1Char('"') + ReplaceAll(name, QStringLiteral("\""), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// Positions are counted from 1 in the alphabet; 0 stands for a character outside it, which then maps
// onto the character at its own shifted position.
QString ScrambleText(const QString &s)
{
    const QString &a = scrambleAlphabet();
    const int size = int(a.size());
    QString out;
    out.reserve(s.size());
    for (int i = 1; i <= s.size(); ++i) {
        out += a.at(wrapped(int(a.indexOf(s.at(i - 1))) + 1 + i, size) - 1);
    }
    return out;
}

QString UnscrambleText(const QString &s)
{
    const QString &a = scrambleAlphabet();
    const int size = int(a.size());
    QString out;
    out.reserve(s.size());
    for (int i = 1; i <= s.size(); ++i) {
        out += a.at(wrapped(int(a.indexOf(s.at(i - 1))) + 1 - i, size) - 1);
    }
    return out;
}

QStringList WithMnemonics(const QStringList &titles, QString &taken)
{
    taken = taken.toUpper();
    QStringList marked;
    for (const QString &title : titles) {
        // The positions of the characters a key can reach, word initials first; "&&" is one character.
        QList<int> initials, shortInitials, others, signs;
        for (int i = 0; i < title.size(); ++i) {
            if (title.at(i) == QLatin1Char('&')) {
                ++i;
                continue;
            }
            const QChar c = title.at(i);
            if (c.unicode() >= 128 || c.isSpace())
                continue;
            if (!c.isLetterOrNumber()) {
                signs << i; // a title of signs only ("?") takes one of them
                continue;
            }
            if (i > 0 && title.at(i - 1).isLetterOrNumber()) {
                others << i;
                continue;
            }
            // The initial of a word of three letters or more before that of "de", "la", "du".
            int end = i;
            while (end < title.size() && title.at(end).isLetterOrNumber())
                ++end;
            (end - i >= 3 ? initials : shortInitials) << i;
        }
        QString result = title;
        for (int i : initials + shortInitials + others + signs) {
            const QChar key = title.at(i).toUpper();
            if (!taken.contains(key)) {
                taken += key;
                result.insert(i, QLatin1Char('&'));
                break;
            }
        }
        marked << result;
    }
    return marked;
}

} // namespace zelvane
