#include "common/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace zelvane {

bool LoadQtTranslations()
{
    // One translator for the application's lifetime, installed at most once.
    static QPointer<QTranslator> translator;
    if (translator)
        return true;
    auto *loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}

} // namespace zelvane
