#pragma once

#include <QString>

namespace zelvane {

class Tfdb;

struct NewFileRequest
{
    QString folder;   // where the file goes
    QString fileName; // empty: the proposed name for the year
    int kind = 0;
    QString year;
    bool overwrite = false;
};

struct NewFileResult
{
    QString path;  // the file made, empty on failure
    QString error; // why it was not made
    bool ok() const { return error.isEmpty(); }
};

// Makes a prepared management file from the template: copied under a temporary name, opened, filled
// for the kind and year, checked, then moved into place, so that a failure leaves no half-made file and
// never touches an existing one. The data module is left disconnected.
NewFileResult CreateManagementFile(Tfdb &db, const NewFileRequest &request);

} // namespace zelvane
