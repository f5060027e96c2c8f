#pragma once

#include <QString>

#include <functional>

// The rules every command follows with the year's management files in the folder of the management
// files: what happens to a file that is replaced or deleted.
namespace zelvane {

// Runs write, which puts a new file at target, after keeping a target that exists as NAME.bak.N beside
// it; the kept file is dropped again when write fails. The kept file's path, empty when target did not
// exist or on failure (with error).
QString ReplaceKeepingBackup(const QString &target, const std::function<bool(QString *error)> &write, QString *error);

// The folder beside the management files where deleted years go: "corbeille".
QString CorbeilleDir();

struct CorbeilleMove
{
    QString path;  // where the file now is
    QString error; // why it was not moved; the file is then where it was
    bool ok() const { return error.isEmpty(); }
};

// Moves the management file at path into the corbeille, with any journal beside it. A file of the same
// name already there is kept as NAME.bak.N, so that nothing deleted twice is lost.
CorbeilleMove MoveToCorbeille(const QString &path);

} // namespace zelvane
