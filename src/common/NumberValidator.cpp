#include "common/NumberValidator.h"

#include "common/Format.h"

#include <QLineEdit>
#include <QToolTip>
#include <algorithm>

namespace zelvane {

namespace {

// ASCII digits only: the program reads numbers in the C locale, where other scripts' digits are not ones.
bool digitsOnly(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

} // namespace

NumberValidator::NumberValidator(int digits, int decimals, QObject *parent)
    : QValidator(parent)
    , m_digits(digits)
    , m_decimals(decimals)
{
    if (auto *box = qobject_cast<QLineEdit *>(parent)) {
        connect(box, &QLineEdit::inputRejected, this, [this, box] {
            QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), takes(), box);
            emit refused(takes());
        });
    }
}

QString NumberValidator::takes() const
{
    if (m_decimals == 0)
        return QStringLiteral("Ce champ ne prend que des chiffres (%1 au plus).").arg(m_digits);
    return QStringLiteral("Ce champ ne prend que des chiffres et une virgule suivie de %1 chiffres au plus.")
        .arg(m_decimals);
}

NumberValidator *NumberValidator::amount(QObject *parent)
{
    const QString pattern = QString::fromLatin1(kPatternFieldEdit);
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString integer = pattern.left(point);
    const int digits = int(integer.count(QLatin1Char('#')) + integer.count(QLatin1Char('0')));
    return new NumberValidator(digits, int(pattern.size() - point - 1), parent);
}

NumberValidator *NumberValidator::code(QObject *parent) { return new NumberValidator(9, 0, parent); }

QValidator::State NumberValidator::validate(QString &input, int &) const
{
    if (m_decimals > 0)
        input.replace(QLatin1Char(','), QLatin1Char('.'));
    const qsizetype point = input.indexOf(QLatin1Char('.'));
    const QStringView text(input);
    const QStringView integer = point < 0 ? text : text.left(point);
    if (!digitsOnly(integer) || integer.size() > m_digits)
        return Invalid;
    if (point >= 0) {
        const QStringView decimals = text.mid(point + 1);
        if (m_decimals == 0 || !digitsOnly(decimals) || decimals.size() > m_decimals)
            return Invalid;
    }
    // Empty, or a lone point: on the way to a number, not one yet.
    return ParseNumber(input) ? Acceptable : Intermediate;
}

} // namespace zelvane
