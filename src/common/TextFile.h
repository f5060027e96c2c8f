#pragma once

#include <QByteArray>
#include <QString>

// Text files read by the program (the profile, the organisation's identity, the bank referential, texts
// given to the command line): only regular files, up to a size, in UTF-8 or in the Windows-1252 that
// older programs wrote.
namespace zelvane {

// bytes as UTF-8 when they are valid UTF-8, otherwise as Windows-1252.
QString DecodeText(const QByteArray &bytes);

// The text of the regular file at path, at most maxBytes long; false with error (in French) for a
// missing file, a folder, a pipe or a device (never opened, so never waited on), a file too large or one
// that cannot be read.
bool ReadTextFile(const QString &path, qint64 maxBytes, QString *text, QString *error);

} // namespace zelvane
