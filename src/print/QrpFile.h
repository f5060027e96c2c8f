#pragma once

#include "print/ReportDocument.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace zelvane {

// Saved documents (".QRP"): our own format, so that a document can be kept, reopened in the preview and
// printed later. A file is the magic bytes, the format version, then a QDataStream of fixed version with
// the title, the page layout and the pages (each its picture's bytes and its placed texts); every count and
// size is written before what it counts and checked against what is left when read.
inline constexpr quint32 kQrpVersion = 1;

enum class QrpStatus {
    Ok,
    NotQrp,        // not a saved document at all
    Damaged,       // a saved document, truncated or with contents that do not hold
    FutureVersion, // written by a later version of the program
};

QByteArray QrpBytes(const ReportDocument &document);
// Reads a saved document; document is replaced only when the status is Ok.
QrpStatus ReadQrp(const QByteArray &bytes, ReportDocument &document);

// Saves without leaving a partly written file behind; an empty text, or the message saying why it failed.
QString SaveQrpFile(const ReportDocument &document, const QString &path);
// Opens a saved document; an empty text, or the message saying why it is refused (document unchanged).
QString LoadQrpFile(const QString &path, ReportDocument &document);

} // namespace zelvane
