#include "common/DialogPrompter.h"
#include "common/Library.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("quillon"));
    QApplication::setApplicationName(QStringLiteral("zelvane"));
    zelvane::Library library;
    zelvane::DialogPrompter dialogs;
    zelvane::setPrompter(&dialogs);
    return 0;
}
