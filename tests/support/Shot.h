#pragma once

#include <QString>
#include <QWidget>

// With ZELVANE_SHOTS set to a folder, the windows are saved there as pictures, to look at them.
inline void shot(QWidget &w, const char *name)
{
    const QString folder = qEnvironmentVariable("ZELVANE_SHOTS");
    if (!folder.isEmpty())
        w.grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}
