// Posts movements one after the other into a management file as the movement window does, and prints
// the number of each one once its post has returned: what a kill at any moment must never lose.
#include "app/Modules.h"
#include "common/Library.h"
#include "db/DataModule.h"
#include "stock/StockModule.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zelvane-crash-worker FILE COUNT\n");
        return 2;
    }
    zelvane::Library library;
    zelvane::Tfdb db;
    zelvane::InstallModules(db);
    if (db.OpenDatabaseFile(QString::fromLatin1(zelvane::kAlias), QString::fromLocal8Bit(argv[1]), false, false,
                            QString::fromLatin1(zelvane::kSchemaTag))
        != zelvane::OpenOk)
        return 1;
    db.LoadOptions();
    db.startSession(QDate(db.gestion, 6, 1));
    zelvane::StockModule &stock = *db.module<zelvane::StockModule>();
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    for (int i = 0; i < count; ++i) {
        stock.db_ARTICLES->locate(QStringLiteral("CODE_ART"), stock.db_ARTICLES->intValue(QStringLiteral("CODE_ART")));
        stock.db_STOCK->append();
        stock.db_STOCK->setValue(QStringLiteral("QUANTITE"), 1.0 + i % 7);
        stock.db_STOCK->setValue(QStringLiteral("PU"), 10.0 + i % 13);
        const int number = stock.db_STOCK->intValue(QStringLiteral("NUM_MVT"));
        if (!db.SaveDataSet(stock.db_STOCK, true))
            return 1;
        std::printf("%d\n", number);
        std::fflush(stdout);
    }
    return 0;
}
