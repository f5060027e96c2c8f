#include "common/UpperCaseValidator.h"

namespace zelvane {

UpperCaseValidator::UpperCaseValidator(QObject *parent, const QString &refused)
    : QValidator(parent)
    , m_refused(refused)
{
}

QValidator::State UpperCaseValidator::validate(QString &input, int &) const
{
    for (QChar c : m_refused) {
        if (input.contains(c))
            return Invalid;
    }
    input = input.toUpper();
    return Acceptable;
}

} // namespace zelvane
