#pragma once

#include <QString>
#include <stdexcept>

namespace zelvane {

// A failure of the database engine, carrying the engine's own message.
class DatabaseError : public std::runtime_error
{
public:
    explicit DatabaseError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace zelvane
