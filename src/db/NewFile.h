#pragma once

#include <QString>

#include <functional>

namespace zelvane {

class Tfdb;

struct NewFileRequest
{
    QString folder;   // where the file goes
    QString fileName; // empty: the proposed name for the year
    int kind = 0;
    QString year;
    bool overwrite = false;
    // Fills the prepared file before it is moved into place (the demo year); returns why it failed, or
    // nothing. The file is closed before and after.
    std::function<QString(const QString &path)> fill;
};

struct NewFileResult
{
    QString path;          // the file made, empty on failure
    QString error;         // why it was not made
    QString replaced = {}; // the file it replaced, kept as NAME.bak.N; empty when none
    bool ok() const { return error.isEmpty(); }
};

// Makes a prepared management file from the template: copied under a work name in the target folder,
// opened, prepared for the kind and year, checked, filled, then renamed into place, so that a failure
// or a killed process leaves no half-made file under the final name and never touches an existing one.
// The data module is left disconnected.
NewFileResult CreateManagementFile(Tfdb &db, const NewFileRequest &request);

} // namespace zelvane
