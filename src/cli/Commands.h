#pragma once

#include <QStringList>
#include <QTextStream>

namespace zelvane {

// The command line: runs one command with its arguments (without the program name), writing results to
// out and a one-line error to err; returns the exit code. It never prompts.
int RunCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace zelvane
