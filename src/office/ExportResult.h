#pragma once

#include <QString>

namespace zelvane {

// What an export did: wrote a new document at path, had nothing to write (no line, cancelled), or
// failed with a message for the user; a failed export leaves no document behind.
struct ExportResult
{
    enum Status { Written, Nothing, Failed };
    Status status = Nothing;
    QString path;
    QString message;

    static ExportResult written(const QString &path) { return {Written, path, {}}; }
    static ExportResult nothing() { return {Nothing, {}, {}}; }
    static ExportResult failed(const QString &message) { return {Failed, {}, message}; }
};

// A new file for a document in the user's documents folder of the program (BaseDir/documents): the base
// name, then " (2)", " (3)"... when a document of that name is already there, so that none is replaced.
QString NewDocumentPath(const QString &baseName, const QString &extension);

// After an export run from a window: opens the written document with the desktop's default program (when
// none can, says where it is and offers to open its folder), or
// shows the failure's message.
void ShowExportResult(const ExportResult &result);

} // namespace zelvane
