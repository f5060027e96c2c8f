#include "common/Failure.h"

#include "common/DatabaseError.h"

namespace zelvane {

Q_LOGGING_CATEGORY(lcIgnored, "zelvane.ignored", QtWarningMsg)

bool IgnoreFailure(const char *context, const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const DatabaseError &error) {
        qCWarning(lcIgnored).noquote() << context << ":" << error.message();
        return false;
    }
}

} // namespace zelvane
