// The writes that scripts/crash-test kills at random moments, each printing a line once it has returned:
//   zelvane-crash-worker FILE COUNT              posts COUNT movements into a management file as the
//                                                movement window does, printing each one's number
//   zelvane-crash-worker --referential FILE COUNT  saves the delivered bank referential COUNT times over
//                                                FILE, the first bank named "SAVE n" by save n, printing n
// What a line announces must never be lost by a kill, and no kill may leave a half-written file.
#include "app/Modules.h"
#include "common/Library.h"
#include "common/Paths.h"
#include "db/DataModule.h"
#include "stock/StockModule.h"
#include "suppliers/BankRef.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>

namespace {

int postMovements(const QString &file, int count)
{
    zelvane::Tfdb db;
    zelvane::InstallModules(db);
    if (db.OpenDatabaseFile(QString::fromLatin1(zelvane::kAlias), file, false, false,
                            QString::fromLatin1(zelvane::kSchemaTag))
        != zelvane::OpenOk)
        return 1;
    db.LoadOptions();
    db.startSession(QDate(db.gestion, 6, 1));
    zelvane::StockModule &stock = *db.module<zelvane::StockModule>();
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

int saveReferential(const QString &file, int count)
{
    zelvane::TBankRef ref(QString(), zelvane::ProgramDataFile(QStringLiteral("qv.atci.bank.ref")));
    if (ref.Banques.empty())
        return 1;
    for (int i = 1; i <= count; ++i) {
        ref.Banques.front()->Nom = QStringLiteral("SAVE %1").arg(i);
        if (!ref.SaveRef(file))
            return 1;
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool referential = args.value(0) == QLatin1String("--referential");
    if (args.size() != (referential ? 3 : 2)) {
        std::fprintf(stderr, "usage: zelvane-crash-worker [--referential] FILE COUNT\n");
        return 2;
    }
    zelvane::Library library;
    const QString file = args.at(referential ? 1 : 0);
    const int count = args.at(referential ? 2 : 1).toInt();
    return referential ? saveReferential(file, count) : postMovements(file, count);
}
