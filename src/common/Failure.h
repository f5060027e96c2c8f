#pragma once

#include <QLoggingCategory>
#include <functional>

namespace zelvane {

// Where failures that the program deliberately passes over are logged ("zelvane.ignored"): warnings for
// the unexpected ones, debug messages for statements that are expected to fail on most files (repairs of
// older files); QT_LOGGING_RULES="zelvane.ignored.debug=true" shows them all.
Q_DECLARE_LOGGING_CATEGORY(lcIgnored)

// Runs work and passes over a DatabaseError it raises, logging it with context: for the steps whose
// failure must not stop the command that runs them (a refresh after a write, a repair that an older
// file may not need). False when a failure was passed over.
bool IgnoreFailure(const char *context, const std::function<void()> &work);

} // namespace zelvane
