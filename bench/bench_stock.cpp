// The daily store on a synthetic year of 400 articles and 250,000 movements, quoted as ratios to a plain
// scan of the movement table measured in the same run (the machines are shared and noisy).
#include "common/Library.h"
#include "db/DataModule.h"
#include "stock/ControleStock.h"
#include "stock/Demo.h"
#include "stock/ListeDenrees.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

using namespace zelvane;

namespace {

constexpr int kYear = 2009;
QString g_file;
std::unique_ptr<Tfdb> g_db;
std::unique_ptr<TListeDenrees> g_liste;
qint32 g_article = 0; // an article in the middle of the code order

Tfdb &db() { return *g_db; }

void PlainScan(benchmark::State &state)
{
    for (auto _ : state) {
        QSqlQuery query(db().database());
        query.setForwardOnly(true);
        query.exec(QStringLiteral("select code_art, sum(quantite*pu) from stock group by code_art"));
        double sum = 0;
        while (query.next())
            sum += query.value(1).toDouble();
        benchmark::DoNotOptimize(sum);
    }
}

void FullDay(benchmark::State &state, QDate day)
{
    for (auto _ : state)
        g_liste->SetDate(day);
}

void SingleArticle(benchmark::State &state)
{
    g_liste->SetDate(QDate(kYear, 12, 31));
    for (auto _ : state)
        g_liste->Calculate(g_article);
}

void LotsOfOneArticle(benchmark::State &state)
{
    for (auto _ : state) {
        TControleStock lots(db(), g_article, QDate(kYear, 12, 31));
        benchmark::DoNotOptimize(lots.Lots().size());
    }
}

void OpenToFirstSheet(benchmark::State &state)
{
    for (auto _ : state) {
        Tfdb opened;
        opened.OpenDatabaseFile(QStringLiteral("BENCH_OPEN"), g_file, false, false, QString::fromLatin1(kSchemaTag));
        opened.LoadOptions();
        TListeDenrees liste(opened);
        liste.SetDate(QDate::currentDate());
        benchmark::DoNotOptimize(liste.Totaux().valeur31dec);
    }
}

// Keeps the mean real time of every benchmark, in seconds, for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> seconds;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds[run.benchmark_name()] = run.real_accumulated_time / double(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("ZELVANE_HOME", home.path().toUtf8());
    Library library;

    DemoRequest request;
    request.folder = home.path() + QStringLiteral("/databases");
    request.kind = 2;
    request.year = QString::number(kYear);
    request.articles = 400;
    request.movements = 250000;
    const NewFileResult made = MakeDemoFile(request);
    if (!made.ok()) {
        std::fprintf(stderr, "zelvane-bench: %s\n", qPrintable(made.error));
        return 1;
    }
    g_file = made.path;
    g_db = std::make_unique<Tfdb>();
    if (g_db->OpenDatabaseFile(QString::fromLatin1(kAlias), g_file, false, false, QString::fromLatin1(kSchemaTag)) != OpenOk) {
        std::fprintf(stderr, "zelvane-bench: cannot open %s\n", qPrintable(g_file));
        return 1;
    }
    g_db->LoadOptions();
    g_liste = std::make_unique<TListeDenrees>(*g_db);
    g_liste->SetDate(QDate::currentDate());
    const auto &denrees = g_liste->Denrees();
    g_article = denrees.at(denrees.size() / 2).code_art;

    benchmark::RegisterBenchmark("plain_scan", PlainScan)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("full_day_10_march", FullDay, QDate(kYear, 3, 10))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("full_day_31_december", FullDay, QDate(kYear, 12, 31))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("single_article", SingleArticle)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("lots_of_one_article", LotsOfOneArticle)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("open_to_first_sheet", OpenToFirstSheet)->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto &s = reporter.seconds;
    auto ratio = [&](const char *a, const char *b) {
        return s.count(a) && s.count(b) && s[b] > 0 ? s[a] / s[b] : -1.0;
    };
    std::printf("\nRatios (target in brackets)\n");
    std::printf("  full day 10 March / plain scan          %7.3f  (<= 1.5)\n", ratio("full_day_10_march", "plain_scan"));
    std::printf("  full day 31 December / plain scan       %7.3f  (<= 1.5)\n", ratio("full_day_31_december", "plain_scan"));
    // The single article and its lots are measured on 31 December, the longest history.
    for (const char *day : {"full_day_10_march", "full_day_31_december"}) {
        std::printf("  single article / %-22s %7.4f  (<= 0.02)\n", day, ratio("single_article", day));
        std::printf("  lots of one article / %-17s %7.4f  (<= 0.02)\n", day, ratio("lots_of_one_article", day));
    }
    std::printf("  open to first sheet / plain scan        %7.3f\n", ratio("open_to_first_sheet", "plain_scan"));

    g_db.reset();
    benchmark::Shutdown();
    return 0;
}
