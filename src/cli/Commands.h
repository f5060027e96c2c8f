#pragma once

#include <QStringList>

class QIODevice;

namespace zelvane {

// The command line: runs one command with its arguments (without the program name), writing results to
// out and a one-line error to err; returns the exit code. It never prompts.
int RunCommandLine(const QStringList &arguments, QIODevice &out, QIODevice &err);

} // namespace zelvane
