// Any grid of the main window exported as it shows, to a spreadsheet or CSV, read back from the files.
#include "OfficeFixture.h"
#include "TestHome.h"
#include "common/Prompter.h"
#include "office/ExportResult.h"
#include "office/GridExport.h"
#include "office/GridExportMenu.h"
#include "office/TMSExcel.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QtTest>

using namespace zelvane;

namespace {

// A grid of articles as the stock tab shows one: figures aligned to the right, the rest to the left.
void fill(QTableWidget &grid)
{
    const QStringList titles = {"Art", "Désignations", "Veille", "Observation", "Date"};
    const QList<QStringList> rows = {{"101", "SEMOULE FINE", "1 234.50", "=SOMME(A1:A9)", "10/03/2009"},
                                     {"0103", "LAIT \"UHT\"; 1 L", "-12.25", "deux\nlignes", ""},
                                     {"007", "", "--", "+33 5", "31/12/2009"}};
    grid.setColumnCount(int(titles.size()));
    grid.setRowCount(int(rows.size()));
    grid.setHorizontalHeaderLabels(titles);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < titles.size(); ++c) {
            auto *item = new QTableWidgetItem(rows.at(r).at(c));
            if (c == 0 || c == 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid.setItem(r, c, item);
        }
    }
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestGridExport : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter prompts;
    QList<QUrl> opened; // what would have opened in the desktop's programs

public slots:
    void open(const QUrl &url) { opened << url; }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        prompts = ScriptedPrompter();
        setPrompter(&prompts);
        opened.clear();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
    }
    void cleanup()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        setPrompter(nullptr);
        home.reset();
    }

    // A document no program of the desktop can open: the user is told where it is, and its folder opens
    // when asked (and only that: no second document is written).
    void documentNoProgramOpens()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file")); // no program for any file here
        const QString path = home->path() + "/grille.xlsx";
        QFile(path).open(QIODevice::WriteOnly);
        ShowExportResult(ExportResult::written(path));
        QCOMPARE(prompts.questions.last(),
                 QStringLiteral("Le document est enregistré sous %1, mais aucun programme de ce poste n'a pu "
                                "l'ouvrir.\nOuvrir son dossier ?")
                     .arg(QDir::toNativeSeparators(path)));
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
        ShowExportResult(ExportResult::written(path));
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(path)});
        QCOMPARE(QDir(home->path()).entryList({"*.xlsx"}), QStringList{"grille.xlsx"});
    }

    // Figures are numbers, whole ones kept whole; codes with leading zeros, dates and texts stay texts.
    void cellsAsShown()
    {
        QTableWidget grid;
        fill(grid);
        const GridTable table = GridTableOf(*grid.model(), {0, 1, 2, 3, 4});
        QCOMPARE(table.titles, (QStringList{"Art", "Désignations", "Veille", "Observation", "Date"}));
        QCOMPARE(table.rows.size(), 3);
        const QList<QVariant> &first = table.rows.at(0);
        QCOMPARE(first.at(0).typeId(), QMetaType::LongLong);
        QCOMPARE(first.at(0).toLongLong(), 101);
        QCOMPARE(first.at(2).typeId(), QMetaType::Double);
        QCOMPARE(first.at(2).toDouble(), 1234.5);
        QCOMPARE(first.at(4), QVariant(QStringLiteral("10/03/2009")));
        // Digits after a leading zero are a code: a number would lose its zeros.
        QCOMPARE(table.rows.at(1).at(0), QVariant(QStringLiteral("0103")));
        QCOMPARE(table.rows.at(2).at(0), QVariant(QStringLiteral("007")));
        QCOMPARE(table.rows.at(1).at(2).toDouble(), -12.25);
        QCOMPARE(table.rows.at(2).at(2), QVariant(QStringLiteral("--"))); // shown, not a figure
    }

    void spreadsheet()
    {
        QTableWidget grid;
        fill(grid);
        GridTable table = GridTableOf(*grid.model(), {0, 1, 2, 3, 4});
        table.widths = {40, 280, 80, 100, 70};
        const QString path = home->path() + "/grille.xlsx";
        QString error;
        QVERIFY2(WriteGridSpreadsheet(table, path, &error), qPrintable(error));
        TMSExcel back;
        QVERIFY(back.Open(path));
        QVERIFY(back.SelectSheet("Grille"));
        QCOMPARE(back.cell("A1"), QVariant(QStringLiteral("Art")));
        QCOMPARE(back.cell("B1"), QVariant(QStringLiteral("Désignations")));
        QCOMPARE(back.cell("A2"), QVariant(101.0));
        QCOMPARE(back.cell("C2"), QVariant(1234.5));
        QCOMPARE(back.cell("D2"), QVariant(QStringLiteral("=SOMME(A1:A9)"))); // a text, never a formula
        QCOMPARE(back.formula("D2"), QString());
        QCOMPARE(back.cell("A3"), QVariant(QStringLiteral("0103")));
        QCOMPARE(back.cell("B3"), QVariant(QStringLiteral("LAIT \"UHT\"; 1 L")));
        QCOMPARE(back.cell("D3"), QVariant(QStringLiteral("deux\nlignes")));
        QCOMPARE(back.cell("E4"), QVariant(QStringLiteral("31/12/2009")));
        QVERIFY(!back.cell("A5").isValid()); // the template's sample row is gone
        // The title's format on the titles, a decimal figure's on the figures with decimals.
        QCOMPARE(back.styleOf("B1"), back.styleOf("A1"));
        QCOMPARE(back.styleOf("C3"), back.styleOf("C2"));
        QVERIFY(back.styleOf("A2") != back.styleOf("C2"));
        QVERIFY(back.styleOf("B2") != back.styleOf("C2"));

        // LibreOffice opens it: the figure with its two decimals, the formula-like text as written.
        const QString printed = OfficePdfText(path);
        QVERIFY2(printed.contains("1,234.50") && printed.contains("=SOMME(A1:A9)") && printed.contains("SEMOULE FINE"),
                 qPrintable(printed));
    }

    void csv()
    {
        QTableWidget grid;
        fill(grid);
        const QString path = home->path() + "/grille.csv";
        QString error;
        QVERIFY2(WriteGridCsv(GridTableOf(*grid.model(), {0, 1, 2, 3, 4}), path, &error), qPrintable(error));
        QCOMPARE(contents(path), QByteArray("\xEF\xBB\xBF"
                                            "Art;Désignations;Veille;Observation;Date\r\n"
                                            "101;SEMOULE FINE;1234,5;'=SOMME(A1:A9);10/03/2009\r\n"
                                            "0103;\"LAIT \"\"UHT\"\"; 1 L\";-12,25;\"deux\nlignes\";\r\n"
                                            "007;;'--;'+33 5;31/12/2009\r\n"));
    }

    void anEmptyGridGivesItsTitles()
    {
        QTableWidget grid(0, 2);
        grid.setHorizontalHeaderLabels({"Code", "Nom"});
        const GridTable table = GridTableOf(*grid.model(), {0, 1});
        QString error;
        QVERIFY(WriteGridSpreadsheet(table, home->path() + "/empty.xlsx", &error));
        QVERIFY(WriteGridCsv(table, home->path() + "/empty.csv", &error));
        QCOMPARE(contents(home->path() + "/empty.csv"), QByteArray("\xEF\xBB\xBF"
                                                                   "Code;Nom\r\n"));
        TMSExcel back;
        QVERIFY(back.Open(home->path() + "/empty.xlsx") && back.SelectSheet("Grille"));
        QCOMPARE(back.cell("B1"), QVariant(QStringLiteral("Nom")));
        QVERIFY(!back.cell("A2").isValid());
    }

    // From the grid's pop-up menu: the shown columns in their order, saved where the user says, then
    // opened; an existing file is replaced only when the user agrees; cancelling writes nothing.
    void fromTheGridsMenu()
    {
        QTableWidget grid;
        fill(grid);
        grid.horizontalHeader()->moveSection(2, 0); // "Veille" shown first
        grid.setColumnHidden(3, true);
        EnableGridExport(&grid);
        QCOMPARE(grid.contextMenuPolicy(), Qt::CustomContextMenu);
        QMenu menu;
        AddGridExportActions(menu, &grid);
        QCOMPARE(menu.actions().size(), 2);
        QCOMPARE(menu.actions().at(0)->text(), QStringLiteral("Exporter vers un tableur (.xlsx)..."));
        QCOMPARE(menu.actions().at(1)->text(), QStringLiteral("Exporter en CSV..."));

        const QString path = home->path() + "/articles.csv";
        prompts.savedFiles = {path};
        menu.actions().at(1)->trigger();
        QCOMPARE(prompts.lastFolder, home->path() + "/documents");
        QCOMPARE(prompts.lastProposedName, QStringLiteral("Grille.csv"));
        QVERIFY(contents(path).startsWith("\xEF\xBB\xBF"
                                          "Veille;Art;Désignations;Date\r\n1234,5;101;"));
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(path)});

        prompts.savedFiles = {path};
        prompts.confirmations = {false};
        ExportGrid(&grid, GridFormat::Spreadsheet);
        QVERIFY(contents(path).startsWith("\xEF\xBB\xBF")); // not replaced
        prompts.savedFiles = {QString()};
        ExportGrid(&grid, GridFormat::Spreadsheet);
        QCOMPARE(opened.size(), 1);
        QVERIFY(QDir(home->path() + "/documents").entryList(QDir::Files).isEmpty());

        // Agreed: replaced in one step, no work file left beside it.
        prompts.savedFiles = {path};
        prompts.confirmations = {true};
        ExportGrid(&grid, GridFormat::Spreadsheet);
        QVERIFY(contents(path).startsWith("PK"));
        QCOMPARE(QDir(home->path()).entryList({"articles*"}, QDir::Files), QStringList{"articles.csv"});
        QCOMPARE(opened.size(), 2);
    }

    // A grid that cannot be written says why, and leaves nothing.
    void aFolderThatDoesNotExist_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("xlsx") << int(GridFormat::Spreadsheet) << "grille.xlsx";
        QTest::newRow("csv") << int(GridFormat::Csv) << "grille.csv";
    }
    void aFolderThatDoesNotExist()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        QTableWidget grid;
        fill(grid);
        const QString path = home->path() + "/missing/" + name;
        prompts.savedFiles = {path};
        ExportGrid(&grid, GridFormat(format));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages.first().contains("n'existe pas"), qPrintable(prompts.messages.first()));
        QVERIFY(!QDir(home->path() + "/missing").exists());
        QVERIFY(opened.isEmpty());
    }
};

QTEST_MAIN(TestGridExport)
#include "test_grid_export.moc"
