#pragma once

#include <QValidator>

namespace zelvane {

// Upper-cases what is typed into a box, and refuses the characters given (a separator of a file the
// text is written to, say).
class UpperCaseValidator : public QValidator
{
public:
    explicit UpperCaseValidator(QObject *parent, const QString &refused = {});
    State validate(QString &input, int &pos) const override;

private:
    QString m_refused;
};

} // namespace zelvane
