#pragma once

#include <QValidator>

namespace zelvane {

// What a numeric box lets the user type: digits and, when the column holds decimals, one decimal point
// followed by at most that many digits; a comma typed is written as the point, as the program reads it.
// Anything else (letters, signs, spaces, a second point) is refused as it is typed, so that a text never
// changes meaning; on a box (its parent) a refused key shows under it which characters the box takes.
class NumberValidator : public QValidator
{
    Q_OBJECT

public:
    // digits: the most digits before the point; decimals: after it (0: whole numbers only).
    NumberValidator(int digits, int decimals, QObject *parent = nullptr);
    // "Ce champ ne prend que des chiffres …": what the box takes, in a line.
    QString takes() const;

    // Quantities and prices: the places of the edit format of amounts (kPatternFieldEdit).
    static NumberValidator *amount(QObject *parent);
    // Article, supplier and voucher numbers: whole numbers that fit the program's 32-bit codes.
    static NumberValidator *code(QObject *parent);

    State validate(QString &input, int &pos) const override;

signals:
    // A key refused in the box: text is takes(), for a window that shows it in its error line.
    void refused(const QString &text);

private:
    int m_digits;
    int m_decimals;
};

} // namespace zelvane
