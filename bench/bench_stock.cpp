// zelvane-bench: the daily consumption sheet, its documents, the day summaries and the monthly and supplier
// statements on demo years. Every operation is quoted as a ratio to R, one plain pass over the movement table
// on the same file and connection, timed back to back with it in each repetition because the machines are
// shared and noisy; ratios and times are medians over the repetitions.
//
//   zelvane-bench [--articles N --movements M]... [--repetitions K] [--keep DIR] [--documents]
//
// With --keep, the demo years are made in DIR and used again by the next runs given the same DIR; with
// --documents, only the printed documents are measured.
// Each --articles/--movements pair is one demo year; without any, 400/250,000 and 2,000/1,000,000. The
// last rows time whole processes: the desktop program started with --quit-after-first-sheet against a
// minimal Qt window and a sqlite3 process making the plain pass (offscreen when there is no display).
#include "app/Modules.h"
#include "common/Dates.h"
#include "common/Library.h"
#include "db/DataModule.h"
#include "db/Transaction.h"
#include "journal/Journal.h"
#include "menus/DemoMenus.h"
#include "menus/Historique.h"
#include "menus/ListeCategories.h"
#include "menus/MenuJour.h"
#include "office/GridExport.h"
#include "print/PdfOutput.h"
#include "reports/Catalogue.h"
#include "reports/Documents.h"
#include "reports/FeuilleConsommation.h"
#include "reports/FeuilleCredence.h"
#include "reports/MonthlyDocuments.h"
#include "reports/OfficeExports.h"
#include "reports/PurchaseDocuments.h"
#include "reports/StockDocument.h"
#include "reports/StockParArticle.h"
#include "reports/WeeklyMenuDocument.h"
#include "stock/ControleStock.h"
#include "stock/Demo.h"
#include "stock/ListeDenrees.h"
#include "stock/StockModule.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zelvane;

namespace {

constexpr int kYear = 2009;

struct Size
{
    int articles = 0;
    int movements = 0;
};

struct Operation
{
    const char *name;
    double target; // the highest ratio to R allowed; 0 for none
    std::function<double()> seconds;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Seconds per run of f; an operation far shorter than a millisecond is repeated so that the timer's
// resolution does not show.
double seconds(const std::function<void()> &f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    qint64 elapsed = timer.nsecsElapsed();
    if (elapsed >= 1000000)
        return elapsed / 1e9;
    const int runs = int(std::min<qint64>(1000, 5000000 / std::max<qint64>(elapsed, 1000)));
    timer.restart();
    for (int i = 0; i < runs; ++i)
        f();
    elapsed = timer.nsecsElapsed();
    return elapsed / 1e9 / runs;
}

// Seconds of one whole process, or a negative number when it did not end well.
double processSeconds(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e9;
}

// The desktop program from its start to the first sheet shown, against a minimal Qt window with a
// 400-row table (zelvane-bench-window) and a separate sqlite3 process making the plain pass over the same
// file: whole processes, in turn. The start is held to the minimal window plus 1.5 R: what it does beyond
// showing a window, the file's opening, check and first sheet, in passes over the movements.
int desktopStart(const QString &file, int repetitions)
{
    const QString desktop = QCoreApplication::applicationDirPath() + QStringLiteral("/zelvane");
    const QString minimal = QCoreApplication::applicationDirPath() + QStringLiteral("/zelvane-bench-window");
    const QString sqlite = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (!QFileInfo(desktop).isExecutable() || !QFileInfo(minimal).isExecutable() || sqlite.isEmpty()) {
        std::printf("  %-36s (needs %s, %s and sqlite3)\n", "desktop start to first sheet", qPrintable(desktop),
                    qPrintable(minimal));
        return 0;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("DISPLAY")) && !environment.contains(QStringLiteral("WAYLAND_DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QStringList pass = {file, QStringLiteral("select count(*), total(quantite*pu) from stock not indexed")};
    const QStringList start = {QStringLiteral("--quit-after-first-sheet"), file};
    std::vector<double> beyond, desktopTimes, minimalTimes, passTimes;
    // A first run of each fills the system's caches.
    processSeconds(desktop, start, environment);
    processSeconds(minimal, {}, environment);
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        const double r = processSeconds(sqlite, pass, environment);
        const double w = processSeconds(minimal, {}, environment);
        const double t = processSeconds(desktop, start, environment);
        if (r <= 0 || w <= 0 || t <= 0) {
            std::fprintf(stderr, "zelvane-bench: the desktop program, the minimal window or sqlite3 failed on %s\n",
                         qPrintable(file));
            return 1;
        }
        passTimes.push_back(r);
        minimalTimes.push_back(w);
        desktopTimes.push_back(t);
        beyond.push_back((t - w) / r);
    }
    const double ratio = median(beyond);
    std::printf("  %-36s %10s %8s %9.3f ms\n", "sqlite3 process making R", "1", "", median(passTimes) * 1e3);
    std::printf("  %-36s %10s %8s %9.3f ms\n", "minimal Qt window, 400-row table", "", "", median(minimalTimes) * 1e3);
    std::printf("  %-36s %10.4f %8s %9.3f ms  %s\n", "desktop start, beyond the window", ratio, "<= 1.5",
                median(desktopTimes) * 1e3, ratio <= 1.5 ? "ok" : "OVER");
    std::fflush(stdout);
    return 0;
}

// A movement posted as the program posts it (one unit, committed to the disk) on a copy of the year with
// its journal and on one without: the median of the paired ratios, and the journal's growth of the file.
void benchJournal(const QString &folder, const QString &path, qint32 article, int repetitions)
{
    const QString with = folder + QStringLiteral("/JOURNAL.MDB"), without = folder + QStringLiteral("/SANS.MDB");
    QFile::remove(with);
    QFile::remove(without);
    if (!QFile::copy(path, with) || !QFile::copy(path, without))
        return;
    auto connect = [](const QString &name, const QString &file) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.open();
        return db;
    };
    const QSqlDatabase journaled = connect(QStringLiteral("BENCH_JOURNAL"), with);
    const QSqlDatabase plain = connect(QStringLiteral("BENCH_PLAIN"), without);
    InstallJournal(journaled);
    {
        Transaction unit(plain);
        DropJournal(plain);
        unit.commit();
    }
    qint64 number = 10'000'000;
    auto post = [&](const QSqlDatabase &db) {
        Transaction unit(db);
        QSqlQuery insert(db);
        insert.exec(QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu) values "
                                   "(%1, %2, 10, '%3-12-31', 1, 2.5)")
                        .arg(++number)
                        .arg(article)
                        .arg(kYear));
        unit.commit();
    };
    auto bytes = [](const QSqlDatabase &db) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("select page_count * page_size from pragma_page_count(), pragma_page_size()"));
        return q.next() ? q.value(0).toLongLong() : 0;
    };
    // Synced to the disk as the program posts, then without the disk's sync, which shows the journal's own
    // work that the sync would otherwise hide.
    for (const char *mode : {"FULL", "OFF"}) {
        for (const QSqlDatabase &db : {journaled, plain})
            QSqlQuery(db).exec(QStringLiteral("pragma synchronous=") + QLatin1String(mode));
        std::vector<double> ratios, withTimes;
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            const double a = seconds([&] { post(journaled); });
            const double b = seconds([&] { post(plain); });
            withTimes.push_back(a);
            ratios.push_back(a / b);
        }
        const double ratio = median(ratios);
        const QByteArray name = QByteArray("post with journal / without, sync ") + mode;
        std::printf("  %-36s %10.4f %8s %9.3f ms  %s\n", name.constData(), ratio, "<= 1.5", median(withTimes) * 1e3,
                    ratio <= 1.5 ? "ok" : "OVER");
    }
    const int posts = 2000;
    const qint64 withBefore = bytes(journaled), withoutBefore = bytes(plain);
    for (int i = 0; i < posts; ++i) {
        post(journaled);
        post(plain);
    }
    const double perPost = double((bytes(journaled) - withBefore) - (bytes(plain) - withoutBefore)) / posts;
    std::printf("  %-36s %10.0f bytes per post, %.1f MB for 250,000 movements\n", "journal growth of the file", perPost,
                perPost * 250000 / 1e6);
    std::fflush(stdout);
}

// Each printed document of the catalogue to its finished PDF as the command line makes it: on a file just
// opened, the session started on the document's day (which computes that day's sheet), the pages painted
// into the PDF as they are made. Long documents are repeated fewer times than the rest.
void benchPrintedDocuments(const QString &path, const QString &folder, int repetitions)
{
    // The demo has no invoice: one of the first supplier for the whole year.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("BENCH_INVOICE"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery(db).exec(QStringLiteral("insert or ignore into factures (code_four, num_facture, date_facture,"
                                          " periode_du, periode_au, obs, tva) values (1, 1, '%1-12-31', '%1-01-01',"
                                          " '%1-12-31', '', 0)")
                               .arg(kYear));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("BENCH_INVOICE"));
    struct Printed
    {
        const char *name;
        qint32 code;
        QDate day, from, to;
        qint32 supplier = 0, invoice = 0;
    };
    const QDate january(kYear, 1, 1), march(kYear, 3, 10), december(kYear, 12, 31);
    const QDate endOfMarch(kYear, 3, 31), firstOfMarch(kYear, 3, 1), firstOfDecember(kYear, 12, 1);
    const std::vector<Printed> documents = {
        {"1 stock of 31/12", doc::Stock, december, firstOfDecember, december},
        {"2 movements sheet A4, 31/12", doc::FeuilleMouvementA4, december, firstOfDecember, december},
        {"3 movements sheet A3, 31/12", doc::FeuilleMouvementA3, december, firstOfDecember, december},
        {"4 global sheet A4, 31/12", doc::FeuilleGlobalA4, december, firstOfDecember, december},
        {"5 global sheet A3, 31/12", doc::FeuilleGlobalA3, december, firstOfDecember, december},
        {"7 credence sheet, 10/03", doc::FeuilleCredence, march, firstOfMarch, endOfMarch},
        {"10 invoice for the year", doc::Facture, december, january, december, 1, 1},
        {"11 expenses, whole year", doc::EtatDepenses, december, january, december},
        {"12 list of suppliers", doc::ListeFournisseurs, december, firstOfDecember, december},
        {"13 stock by article, March", doc::StockParArticle, endOfMarch, firstOfMarch, endOfMarch},
        {"13 stock by article, year", doc::StockParArticle, december, january, december},
        {"14 monthly statement, December", doc::EtatMensuel, december, firstOfDecember, december},
        {"15 monthly expenses, December", doc::DepensesMensuelles, december, firstOfDecember, december},
        {"16 monthly sheet (Arabic), Dec.", doc::FicheMensuelleAR, december, firstOfDecember, december},
        {"17 weekly menu, 10/03", doc::MenuHebdomadaire, march, WeekStart(march), WeekStart(march).addDays(6)},
        {"18 supplier sheet for the year", doc::FicheFournisseur, december, january, december, 1},
    };
    Tfdb plain;
    plain.OpenDatabaseFile(QStringLiteral("BENCH_R"), path, false, false, QString::fromLatin1(kSchemaTag));
    auto plainPass = [&plain] {
        QSqlQuery query(plain.database());
        query.setForwardOnly(true);
        query.exec(QStringLiteral("select count(*), total(quantite*pu) from stock not indexed"));
        query.next();
    };
    const QString pdf = folder + QStringLiteral("/document.pdf");
    std::printf("  %-36s %10s %8s %12s %6s\n", "printed document to PDF", "ratio to R", "target", "time", "pages");
    for (const Printed &d : documents) {
        std::vector<double> ratios, times;
        int pages = 0;
        // The long documents take seconds: three runs are enough to see them, one for those of a minute.
        for (int repetition = 0;
             repetition < repetitions && (repetition < 3 || times.back() < 1) && (times.empty() || times.back() < 30);
             ++repetition) {
            Tfdb db;
            InstallModules(db);
            db.OpenDatabaseFile(QStringLiteral("BENCH_PRINT"), path, false, false, QString::fromLatin1(kSchemaTag));
            db.LoadOptions();
            TParametresEdition parameters;
            parameters.Nature = d.code;
            parameters.PeriodeDu = d.from;
            parameters.PeriodeAu = d.to;
            parameters.FaitLe = december;
            parameters.CodeFour = d.supplier;
            parameters.NumFacture = d.invoice;
            const double pass = seconds(plainPass);
            QElapsedTimer timer;
            timer.start();
            db.startSession(d.day);
            parameters.Journee = db.selectedDay();
            PdfStream output(pdf);
            QString error;
            output.open(&error);
            {
                const PageStreamScope streamed(output);
                ProduceDocument(db, *FindDocument(AllDocuments(), d.code), parameters);
            }
            if (!output.commit(&error))
                std::fprintf(stderr, "zelvane-bench: %s\n", qPrintable(error));
            const double t = timer.nsecsElapsed() / 1e9;
            pages = output.pageCount();
            times.push_back(t);
            ratios.push_back(t / pass);
        }
        const double ratio = median(ratios);
        std::printf("  %-36s %10.4f %8s %9.3f ms %6d  %s\n", d.name, ratio, "<= 3", median(times) * 1e3, pages,
                    ratio <= 3 ? "ok" : "OVER");
        std::fflush(stdout);
    }
}

// The program's files and what it writes to them: the office workbooks made as the command line makes
// them (the day's sheet computed), one keystroke of the article filter, and the size of the file against
// its data without indexes. Each row is a ratio to R, timed back to back with it.
int benchFiles(const QString &folder, Tfdb &db, Tfdb &shown, const QString &path, const QDate &day, int repetitions)
{
    auto plainPass = [&db] {
        QSqlQuery query(db.database());
        query.setForwardOnly(true);
        query.exec(QStringLiteral("select count(*), total(quantite*pu) from stock not indexed"));
        query.next();
    };
    // The invoice of the supplier with the most deliveries, for the whole year.
    qint32 supplier = 0;
    {
        QSqlQuery q(db.database());
        q.exec(QStringLiteral("select code_four from stock where nat_op=10 group by code_four order by count(*) desc "
                              "limit 1"));
        supplier = q.next() ? q.value(0).toInt() : 0;
        q.exec(QStringLiteral("insert or replace into factures (code_four, num_facture, date_facture, periode_du, "
                              "periode_au, tva) values (%1, 1, '%2-12-31', '%2-01-01', '%2-12-31', 19)")
                   .arg(supplier)
                   .arg(kYear));
    }
    auto office = [&](qint32 code, int model) {
        TParametresEdition parameters;
        parameters.Nature = code;
        parameters.Modele = model;
        parameters.CodeFour = supplier;
        parameters.NumFacture = 1;
        parameters.FaitLe = day;
        return [&shown, parameters, code, folder] {
            const QString out = folder + QStringLiteral("/office%1.xlsx").arg(code);
            const DocumentSpec *document = FindDocument(AllDocuments(), code);
            return seconds([&] {
                if (ProduceDocument(shown, *document, parameters, out).office.status != ExportResult::Written)
                    std::fprintf(stderr, "zelvane-bench: office document %d failed\n", code);
            });
        };
    };
    // The article grid as the stock tab shows it, written to a spreadsheet and to CSV.
    auto grid = [&db, folder](bool spreadsheet) {
        return [&db, folder, spreadsheet] {
            return seconds([&] {
                QSqlQueryModel model;
                model.setQuery(QStringLiteral("select code_art, designation, pu, qt31dec from articles order by "
                                              "code_art"),
                               db.database());
                while (model.canFetchMore())
                    model.fetchMore();
                const GridTable table = GridTableOf(model, {0, 1, 2, 3});
                QString error;
                const QString out = folder + (spreadsheet ? QStringLiteral("/grid.xlsx") : QStringLiteral("/grid.csv"));
                if (!(spreadsheet ? WriteGridSpreadsheet(table, out, &error) : WriteGridCsv(table, out, &error)))
                    std::fprintf(stderr, "zelvane-bench: grid export failed: %s\n", qPrintable(error));
            });
        };
    };
    // One letter typed into the article filter of the stock tab, then taken back.
    StockModule *stock = shown.module<StockModule>();
    auto keystroke = [stock] {
        return seconds([stock] {
                   stock->SetArticleFilter(QStringLiteral("R"), false);
                   stock->SetArticleFilter(QString(), false);
               })
               / 2;
    };
    const std::vector<Operation> operations = {
        {"workbook A3 sheet (6) of 31/12", 3, office(doc::FeuilleGlobalA3Excel, 1)},
        {"workbook canteen sheet (8), 31/12", 3, office(doc::FeuilleCantine, 1)},
        {"workbook exit slip (9), 31/12", 3, office(doc::BonSortieCantine, 1)},
        {"workbook invoice (10), whole year", 3, office(doc::Facture, 1)},
        {"article grid to a spreadsheet", 3, grid(true)},
        {"article grid to CSV", 3, grid(false)},
        {"one keystroke of the article filter", 0.02, keystroke},
    };
    std::vector<std::vector<double>> ratios(operations.size()), times(operations.size());
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        for (std::size_t i = 0; i < operations.size(); ++i) {
            const double pass = seconds(plainPass);
            const double t = operations[i].seconds();
            times[i].push_back(t);
            ratios[i].push_back(t / pass);
        }
    }
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const Operation &o = operations[i];
        const double ratio = median(ratios[i]);
        const QByteArray target = "<= " + QByteArray::number(o.target);
        std::printf("  %-36s %10.4f %8s %9.3f ms  %s\n", o.name, ratio, target.constData(), median(times[i]) * 1e3,
                    ratio <= o.target ? "ok" : "OVER");
    }

    // The data: a copy of the file without any index, made compact; the file as the program leaves it.
    const QString bare = folder + QStringLiteral("/BARE.MDB");
    QFile::remove(bare);
    QSqlQuery(db.database()).exec(QStringLiteral("vacuum into '%1'").arg(bare));
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("BENCH_BARE"));
        copy.setDatabaseName(bare);
        copy.open();
        QSqlQuery q(copy);
        q.exec(QStringLiteral("select name from sqlite_master where type='index' and sql is not null"));
        QStringList indexes;
        while (q.next())
            indexes << q.value(0).toString();
        for (const QString &index : indexes)
            q.exec(QStringLiteral("drop index \"%1\"").arg(index));
        q.exec(QStringLiteral("vacuum"));
        q.finish();
        copy.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("BENCH_BARE"));
    const double file = QFileInfo(path).size() / 1e6, data = QFileInfo(bare).size() / 1e6;
    std::printf("  %-36s %10.4f %8s %9.1f MB  %s\n", "file size / data without indexes", file / data, "<= 1.6", file,
                file / data <= 1.6 ? "ok" : "OVER");
    std::printf("  %-36s %10s %8s %9.1f MB\n", "data without indexes", "1", "", data);
    std::fflush(stdout);
    QFile::remove(bare);
    return 0;
}

int benchSize(const QString &folder, const Size &size, int repetitions, bool reuse, bool documentsOnly)
{
    DemoRequest request;
    request.folder = folder;
    request.fileName = QStringLiteral("BENCH%1_%2.MDB").arg(size.articles).arg(size.movements);
    request.kind = 2;
    request.year = QString::number(kYear);
    request.articles = size.articles;
    request.movements = size.movements;
    request.overwrite = true;
    AddDemoMenus(request);
    // A demo year kept from an earlier run (--keep) is used again: the largest takes minutes to make.
    const QString kept = folder + QLatin1Char('/') + request.fileName;
    const NewFileResult made = reuse && QFileInfo::exists(kept) ? NewFileResult{kept, {}} : MakeDemoFile(request);
    if (!made.ok()) {
        std::fprintf(stderr, "zelvane-bench: %s\n", qPrintable(made.error));
        return 1;
    }

    if (documentsOnly) {
        std::printf("\n%d articles, %d movements (file %.1f MB)\n", size.articles, size.movements,
                    QFileInfo(made.path).size() / 1e6);
        benchPrintedDocuments(made.path, folder, repetitions);
        return 0;
    }
    Tfdb db;
    if (db.OpenDatabaseFile(QString::fromLatin1(kAlias), made.path, false, false, QString::fromLatin1(kSchemaTag))
        != OpenOk) {
        std::fprintf(stderr, "zelvane-bench: cannot open %s\n", qPrintable(made.path));
        return 1;
    }
    db.LoadOptions();
    TListeDenrees liste(db);
    const QDate march(kYear, 3, 10);
    const QDate december(kYear, 12, 31);
    liste.SetDate(december);
    const qint32 article = liste.Denrees().at(liste.Denrees().size() / 2).code_art; // the middle of the codes
    const TListeCategories categories(db);

    // The documents print the day the main window shows: a data module with its modules, on 31/12.
    Tfdb shown;
    InstallModules(shown);
    shown.OpenDatabaseFile(QStringLiteral("BENCH_SHOWN"), made.path, false, false, QString::fromLatin1(kSchemaTag));
    shown.LoadOptions();
    shown.startSession(december);
    const ReportDocument sheet = MakeFeuilleConsommation(shown, december, SheetGlobal, SheetA4);
    const QString pdf = folder + QStringLiteral("/sheet.pdf");

    auto plainPass = [&db] {
        QSqlQuery query(db.database());
        query.setForwardOnly(true);
        query.exec(QStringLiteral("select count(*), total(quantite*pu) from stock not indexed"));
        query.next();
    };
    // The opening (the data module loads its datasets), timed for reference, then the sheet on the
    // connection just opened, whose page cache is still empty.
    auto opening = [&made](const QDate &day, bool timeOpening) {
        QElapsedTimer timer;
        timer.start();
        Tfdb opened;
        opened.OpenDatabaseFile(QStringLiteral("BENCH_OPEN"), made.path, false, false, QString::fromLatin1(kSchemaTag));
        opened.LoadOptions();
        if (timeOpening)
            return timer.nsecsElapsed() / 1e9;
        timer.restart();
        TListeDenrees first(opened);
        first.SetDate(day);
        return timer.nsecsElapsed() / 1e9;
    };
    // A day change is timed from the other end of the year.
    auto dayChange = [&liste](const QDate &from, const QDate &to) {
        liste.SetDate(from);
        QElapsedTimer timer;
        timer.start();
        liste.SetDate(to);
        return timer.nsecsElapsed() / 1e9;
    };

    const std::vector<Operation> operations = {
        {"first sheet after opening, 10/03", 3, [&] { return opening(march, false); }},
        {"first sheet after opening, 31/12", 3, [&] { return opening(december, false); }},
        {"day change to 10/03", 1, [&] { return dayChange(december, march); }},
        {"day change to 31/12", 1, [&] { return dayChange(march, december); }},
        {"one article after a post, 31/12", 0.02,
         [&] {
             liste.SetDate(december);
             return seconds([&] { liste.Calculate(article); });
         }},
        {"price lots of one article, 31/12", 0.02,
         [&] { return seconds([&] { TControleStock lots(db, article, december); }); }},
        {"A4 Global sheet of 31/12", 3,
         [&] { return seconds([&] { MakeFeuilleConsommation(shown, december, SheetGlobal, SheetA4); }); }},
        {"A4 Global sheet written as PDF", 3,
         [&] {
             return seconds([&] {
                 QString error;
                 WritePdf(sheet, pdf, &error);
             });
         }},
        {"stock by article, year, every article", 3,
         [&] { return seconds([&] { MakeStockParArticle(shown, 0, QDate(kYear, 1, 1), december, december); }); }},
        {"monthly statement of December", 3, [&] { return seconds([&] { MakeEtatMensuel(db, december); }); }},
        {"expenses per supplier, whole year", 3,
         [&] { return seconds([&] { MakeEtatDepenses(db, QDate(kYear, 1, 1), december, december); }); }},
        {"store history of the year", 2, [&] { return seconds([&] { THistorique history(db, kYear); }); }},
        {"day summary (menus), 10/03", 0, [&] { return seconds([&] { TMenuJour jour(db, categories, march); }); }},
        {"opening the file (for reference)", 0, [&] { return opening(december, true); }},
    };
    // The day summary is held to a fiftieth of the full sheet of a day, timed beside it.
    const std::size_t sheetRow = 0, summaryRow = operations.size() - 2;
    std::vector<double> passTimes;
    std::vector<std::vector<double>> ratios(operations.size()), times(operations.size());
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        for (std::size_t i = 0; i < operations.size(); ++i) {
            const double pass = seconds(plainPass);
            const double t = operations[i].seconds();
            passTimes.push_back(pass);
            times[i].push_back(t);
            ratios[i].push_back(t / pass);
        }
    }

    std::printf("\n%d articles, %d movements (file %.1f MB), medians of %d repetitions\n", size.articles,
                size.movements, QFileInfo(made.path).size() / 1e6, repetitions);
    std::printf("  %-36s %10s %8s %12s\n", "operation", "ratio to R", "target", "time");
    std::printf("  %-36s %10s %8s %9.3f ms\n", "plain pass R", "1", "", median(passTimes) * 1e3);
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const Operation &o = operations[i];
        const double ratio = median(ratios[i]);
        const QByteArray target = o.target > 0 ? "<= " + QByteArray::number(o.target) : QByteArray();
        std::printf("  %-36s %10.4f %8s %9.3f ms  %s\n", o.name, ratio, target.constData(), median(times[i]) * 1e3,
                    o.target <= 0       ? ""
                    : ratio <= o.target ? "ok"
                                        : "OVER");
    }
    std::vector<double> summaryToSheet;
    for (int repetition = 0; repetition < repetitions; ++repetition)
        summaryToSheet.push_back(times[summaryRow][std::size_t(repetition)] / times[sheetRow][std::size_t(repetition)]);
    const double share = median(summaryToSheet);
    std::printf("  %-36s %10.4f %8s %12s  %s\n", "day summary / first sheet 10/03", share, "<= 0.02", "",
                share <= 0.02 ? "ok" : "OVER");
    std::fflush(stdout);
    benchPrintedDocuments(made.path, folder, repetitions);
    if (const int failed = benchFiles(folder, db, shown, made.path, december, repetitions))
        return failed;
    benchJournal(folder, made.path, article, repetitions);
    return desktopStart(made.path, repetitions);
}

} // namespace

int main(int argc, char **argv)
{
    // The documents lay out their texts with fonts, which need a GUI application (offscreen without a display).
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::vector<Size> sizes;
    int repetitions = 11;
    QStringList args = app.arguments().mid(1);
    QString keep;
    const bool documentsOnly = args.removeAll(QStringLiteral("--documents")) > 0;
    if (const qsizetype at = args.indexOf(QStringLiteral("--keep")); at >= 0 && at + 1 < args.size()) {
        keep = args.at(at + 1);
        args.remove(at, 2);
    }
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        bool ok = i + 1 < args.size();
        const int value = ok ? args.at(i + 1).toInt(&ok) : 0;
        const bool known = arg == QLatin1String("--articles") || arg == QLatin1String("--movements")
                           || arg == QLatin1String("--repetitions");
        if (!ok || value <= 0 || !known) {
            std::fprintf(stderr, "usage: zelvane-bench [--articles N --movements M]... [--repetitions K] [--keep DIR]"
                                 " [--documents]\n");
            return 2;
        }
        ++i;
        if (arg == QLatin1String("--repetitions"))
            repetitions = value;
        else if (arg == QLatin1String("--articles"))
            sizes.push_back({value, 0});
        else if (sizes.empty() || sizes.back().movements != 0)
            sizes.push_back({0, value});
        else
            sizes.back().movements = value;
    }
    if (sizes.empty())
        sizes = {{400, 250000}, {2000, 1000000}};
    for (const Size &size : sizes) {
        if (size.articles <= 0 || size.movements <= 0) {
            std::fprintf(stderr, "zelvane-bench: give --articles and --movements for each size\n");
            return 2;
        }
    }

    QTemporaryDir home;
    qputenv("ZELVANE_HOME", home.path().toUtf8());
    Library library;
    for (const Size &size : sizes) {
        const QString folder = keep.isEmpty() ? home.path() + QStringLiteral("/databases") : keep;
        if (const int failed = benchSize(folder, size, repetitions, !keep.isEmpty(), documentsOnly))
            return failed;
    }
    return 0;
}
