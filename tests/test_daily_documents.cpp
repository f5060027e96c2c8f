#include "StoreTest.h"
#include "common/Format.h"
#include "common/Text.h"
#include "print/Report.h"
#include "reports/FeuilleConsommation.h"
#include "reports/FeuilleCredence.h"
#include "reports/StockDocument.h"
#include "reports/StockParArticle.h"

#include <QRegularExpression>

using namespace zelvane;

namespace {

// The texts printed on the line of page whose first box holds label (the n-th such line), left to right,
// up to the right edge of the sheet's columns.
QStringList lineOf(const ReportPage &page, const QString &label, int n = 0, qreal rightEdge = 1e9)
{
    const PlacedText *start = nullptr;
    for (const PlacedText &text : page.texts) {
        if (text.text == label && n-- == 0) {
            start = &text;
            break;
        }
    }
    if (!start)
        return {};
    QList<PlacedText> line;
    for (const PlacedText &text : page.texts) {
        if (qAbs(text.box.top() - start->box.top()) < 0.01 && text.box.left() >= start->box.left()
            && text.box.left() < rightEdge)
            line.append(text);
    }
    std::sort(line.begin(), line.end(), [](const auto &a, const auto &b) { return a.box.left() < b.box.left(); });
    QStringList texts;
    for (const PlacedText &text : line)
        texts.append(text.text);
    return texts;
}

// The article lines printed on a page: the label column's texts.
QStringList labelsOf(const ReportPage &page)
{
    static const QRegularExpression label(QStringLiteral("^\\d\\d+-"));
    QStringList labels;
    for (const QString &text : ReadingOrder(page)) {
        if (label.match(text).hasMatch())
            labels.append(text);
    }
    return labels;
}

QString saisie(double x) { return FormatMontantSaisie(x); }

} // namespace

class TestDailyDocuments : public StoreTest
{
    Q_OBJECT

    // count articles n = 1..count with an opening stock of n, so that the first column's totals are the
    // sums of the codes.
    void manyArticles(int count)
    {
        StoreFixture fixture(db->database());
        fixture.noArticles();
        for (int n = 1; n <= count; ++n)
            fixture.article(n, QStringLiteral("ARTICLE %1").arg(n), 10, n);
        db->selectDay(QDate(2009, 3, 10));
    }

private slots:
    void sheetPagination_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("articles");
        QTest::addColumn<QList<int>>("perPage");
        QTest::newRow("A4, three pages") << int(SheetA4) << 130 << QList<int>{58, 56, 16};
        QTest::newRow("A4, exactly one page") << int(SheetA4) << 58 << QList<int>{58};
        QTest::newRow("A4, one line more") << int(SheetA4) << 59 << QList<int>{58, 1};
        QTest::newRow("A3, three pages") << int(SheetA3) << 200 << QList<int>{87, 84, 29};
        QTest::newRow("A3, one page") << int(SheetA3) << 87 << QList<int>{87};
    }
    void sheetPagination()
    {
        QFETCH(int, paper);
        QFETCH(int, articles);
        QFETCH(QList<int>, perPage);
        manyArticles(articles);
        const ReportDocument document = MakeFeuilleConsommation(*db, QDate(2009, 3, 10), SheetGlobal, paper);
        QCOMPARE(document.pages.size(), perPage.size());
        QCOMPARE(document.layout.pageSize().id(), paper == SheetA4 ? QPageSize::A4 : QPageSize::A3);
        const QString carriedLabel = paper == SheetA4 ? "REPORT TOTAUX" : "REPORT   TOTAUX";
        const QString lastTotals = perPage.size() == 1 && paper == SheetA3 ? "T O T A U X.........................."
                                                                           : "T O T A U X........";
        int first = 1;
        for (int p = 0; p < perPage.size(); ++p) {
            const ReportPage &page = document.pages.at(p);
            const QStringList texts = ReadingOrder(page);
            QVERIFY(texts.contains("FEUILLE DE CONSOMMATION JOURNALIERE") && texts.contains("Journée du 10/03/2009"));
            const QStringList labels = labelsOf(page);
            QCOMPARE(labels.size(), perPage.at(p));
            QCOMPARE(labels.first(), QStringLiteral("%1-ARTICLE %2")
                                         .arg(first, 2, 10, QChar('0'))
                                         .arg(first)
                                         .left(paper == SheetA4 ? 13 : 20));
            const int last = first + perPage.at(p) - 1;
            const bool lastPage = p == perPage.size() - 1;
            // The totals line: cumulative from the first page; prices never totalled.
            const int repeated = p > 0 && paper == SheetA4 ? 1 : 0; // after the carried line of the same label
            const QStringList totals = lineOf(page, lastPage ? lastTotals : "REPORT TOTAUX", lastPage ? 0 : repeated);
            QCOMPARE(totals.size(), 9);
            QCOMPARE(totals.at(1), saisie(last * (last + 1) / 2));
            QCOMPARE(totals.at(3), QStringLiteral("--     "));
            QCOMPARE(totals.at(6), QStringLiteral("--     "));
            QCOMPARE(totals.at(8), saisie(last * (last + 1) / 2));
            if (p > 0) {
                // The carried line repeats the totals of the page before.
                const QStringList carried = lineOf(page, carriedLabel);
                QCOMPARE(carried.size(), 9);
                QCOMPARE(carried.at(1), saisie((first - 1) * first / 2));
                QCOMPARE(carried.at(3), QStringLiteral("--     "));
            }
            first = last + 1;
        }
    }

    // The hand-worked day: "Mouvement" keeps the articles with stock or movements (RIZ only has an opening
    // quantity), "Global" every article; long labels are cut to the paper's width.
    void sheetLines_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("paper");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("Mouvement A4") << int(SheetMouvement) << int(SheetA4) << QStringList{"01-SUCRE", "03-RIZ"};
        QTest::newRow("Global A4") << int(SheetGlobal) << int(SheetA4)
                                   << QStringList{"01-SUCRE", "02-HUILE", "03-RIZ", "04-SUCRE GLAC", "05-CONFITURE "};
        QTest::newRow("Global A3") << int(SheetGlobal) << int(SheetA3)
                                   << QStringList{"01-SUCRE", "02-HUILE", "03-RIZ", "04-SUCRE GLACE",
                                                  "05-CONFITURE D'ABRIC"};
    }
    void sheetLines()
    {
        QFETCH(int, kind);
        QFETCH(int, paper);
        QFETCH(QStringList, labels);
        exec(QStringLiteral("update articles set designation='CONFITURE D''ABRICOT' where code_art=5"));
        const ReportDocument document = MakeFeuilleConsommation(*db, QDate(2009, 3, 10), kind, paper);
        QCOMPARE(document.pages.size(), 1);
        const ReportPage &page = document.pages.first();
        QCOMPARE(labelsOf(page), labels);
        const qreal columnsEnd = (paper == SheetA4 ? 143 : 203) * kPointsPerMillimetre;
        QCOMPARE(lineOf(page, "01-SUCRE", 0, columnsEnd),
                 QStringList({"01-SUCRE", "26.00", "11.00", "110.00", "37.00", "5.00", "87.50", "440.00", "32.00"}));
        const QString totals = paper == SheetA4 ? "T O T A U X........" : "T O T A U X..........................";
        QCOMPARE(lineOf(page, totals, 0, columnsEnd).at(7), QStringLiteral("680.00"));
    }

    void lineOfTheSheet()
    {
        TDenree d;
        d.code_art = 123;
        d.qt31dec = 1.125;
        QCOMPARE(LigneFeuille(d, "X@Y"), QStringLiteral("123-X@Y@1.13@0.00@0.00@1.13@0.00@0.00@0.00@1.13"));
        FeuilleState state;
        state.pending = {LigneFeuille(d, "X@Y")};
        FeuilleBoxes boxes;
        FillPage(state, 13, 58, false, boxes);
        QCOMPARE(boxes.columns[0], QStringList{"123-X@Y"});
        QCOMPARE(boxes.totals[0], QStringLiteral("1.13"));
        QCOMPARE(state.carry, QStringList{"1.13@0.00@0.00@1.13@0.00@0.00@0.00@1.13@"});
    }

    // Head-counts, persons fed, menus, hospitalised staff and the expense per person fed beside the columns.
    void sidePanel()
    {
        exec("insert into menu_menu (date_menu, menu1, menu2, menu3, menu4) values "
             "('2009-03-10', 'Café au lait', 'Couscous', 'Gâteau', '')");
        exec("insert into menu_effect (date_menu, code_categ, m1, m2, m3, m4) values ('2009-03-10', 1, 0, 70, 5, 0)");
        exec("insert into menu_effect (date_menu, code_categ, m1, m2, m3, m4) values ('2009-03-10', 2, 12, 50, 0, 0)");
        exec("insert into menu_liste (date_menu, code_categ, num_ord, nom, m1, m2, m4) values "
             "('2009-03-10', 6, 1, ' BENALI Ahmed ', 1, 1, null)");
        const QString first = PadRightOf(scalar("select lib_fr from categories where code_categ=1").toString());
        const QString second = PadRightOf(scalar("select lib_fr from categories where code_categ=2").toString());

        for (int paper : {int(SheetA4), int(SheetA3)}) {
            const ReportDocument document = MakeFeuilleConsommation(*db, QDate(2009, 3, 10), SheetGlobal, paper);
            const ReportPage &page = document.pages.first();
            const QStringList texts = ReadingOrder(page);
            QVERIFY(texts.contains(paper == SheetA4 ? "Pet.Déj" : "Petit Déj"));
            QCOMPARE(lineOf(page, first), QStringList({first, "--", "70", "--"}));
            QCOMPARE(lineOf(page, second), QStringList({second, "12", "50", "--"}));
            QCOMPARE(lineOf(page, "-------------------"), QStringList({"-------------------", "----", "----", "----"}));
            QCOMPARE(lineOf(page, "      Totaux......."), QStringList({"      Totaux.......", "12", "120", "0"}));
            QCOMPARE(lineOf(page, "nourries.............................. :"),
                     QStringList({"nourries.............................. :", "120"}));
            QVERIFY(texts.contains("Café au lait") && texts.contains("Couscous") && texts.contains("Gâteau"));
            QCOMPARE(lineOf(page, "BENALI Ahmed"), QStringList({"BENALI Ahmed", "1", "1", "--"}));
            QVERIFY(texts.contains(QStringLiteral("    680.00 / 120 =     5.67")));
        }
    }

    void stock()
    {
        const ReportDocument document = MakeStock(*db, QDate(2009, 3, 10));
        QCOMPARE(document.pages.size(), 1);
        const ReportPage &page = document.pages.first();
        const QStringList texts = ReadingOrder(page);
        QVERIFY(texts.contains("STOCK DU MAGASIN") && texts.contains("Journée du 10/03/2009"));
        QCOMPARE(lineOf(page, "1", 1),
                 QStringList({"1", "1", "SUCRE", FormatMontant(32), FormatMontant(2990.0 / 32), FormatMontant(2990)}));
        // Every article is listed, those at zero too.
        QCOMPARE(lineOf(page, "4"), QStringList({"4", "4", "SUCRE GLACE", "    0.00", "    0.00", "    0.00"}));
        const double total = 2990 + denree(3).valeurRestes();
        QCOMPARE(texts.last(), FormatMontant(total));
        QCOMPARE(texts.at(texts.size() - 2), QStringLiteral("TOTAL ") + QString(134, QLatin1Char('.')));
    }

    void stockParArticle()
    {
        const ReportDocument document = MakeStockParArticle(*db, 1, QDate(2009, 1, 1), QDate(2009, 3, 10),
                                                            QDate(2009, 3, 12));
        QCOMPARE(document.pages.size(), 1);
        const ReportPage &page = document.pages.first();
        const QStringList texts = ReadingOrder(page);
        QVERIFY(texts.contains("STOCK PAR ARTICLE"));
        QVERIFY(texts.contains("Période du 01/01/2009 au 10/03/2009"));
        QCOMPARE(lineOf(page, "Article :"), QStringList({"Article :", "1", "SUCRE"}));
        const QString pattern = QStringLiteral("###  ### ### ##0.00");
        auto f = [&pattern](double x) { return FormatPattern(x, pattern); };
        // Two entries of one day at two prices are two lines.
        QCOMPARE(lineOf(page, "2"), QStringList({"2", "09/03/2009", f(20), f(90), f(1800), f(0), f(0), f(0)}));
        QCOMPARE(lineOf(page, "4"), QStringList({"4", "10/03/2009", f(0), f(0), f(0), f(2), f(85), f(170)}));
        QCOMPARE(lineOf(page, "5"), QStringList({"5", "10/03/2009", f(0), f(0), f(0), f(3), f(90), f(270)}));
        QCOMPARE(lineOf(page, "6"), QStringList({"6", "10/03/2009", f(10), f(100), f(1000), f(0), f(0), f(0)}));
        QCOMPARE(lineOf(page, "7"), QStringList({"7", "10/03/2009", f(1), f(120), f(120), f(0), f(0), f(0)}));
        auto d = [](double x) { return FormatPattern(x, QString::fromLatin1(kPatternFieldDisplay)); };
        QCOMPARE(lineOf(page, "TOTAUX "), QStringList({"TOTAUX ", d(31), d(2920), d(9), d(780)}));

        const ReportDocument all = MakeStockParArticle(*db, 0, QDate(2009, 1, 1), QDate(2009, 12, 31), QDate());
        const QStringList allTexts = ReadingOrder(all.pages.first());
        QCOMPARE(allTexts.count("Article :"), 2); // SUCRE and RIZ; the movement of a missing article is left out
        QCOMPARE(allTexts.count("TOTAUX "), 2);
    }

    void credence()
    {
        exec("insert into menu_menu (date_menu, menu1, menu2, menu3, menu4) values "
             "('2009-03-10', 'Café au lait', 'Couscous', 'Gâteau', 'Soupe')");
        const ReportDocument document = MakeFeuilleCredence(*db, QDate(2009, 3, 10), QDate(2009, 3, 11));
        QCOMPARE(document.pages.size(), 2);
        QCOMPARE(document.layout.orientation(), QPageLayout::Landscape);
        const ReportPage &first = document.pages.at(0);
        QVERIFY(ReadingOrder(first).contains("de la Journée du 10/03/2009"));
        QCOMPARE(lineOf(first, "ENTREES"), QStringList({"ENTREES", "SORTIES"}));
        QCOMPARE(lineOf(first, "1 SUCRE"),
                 QStringList({"1 SUCRE", "    10.00", "    100.00", "1 SUCRE", "    3.00", "    90.00"}));
        QCOMPARE(lineOf(first, "1 SUCRE", 2),
                 QStringList({"1 SUCRE", "    1.00", "    120.00", "1 SUCRE", "    2.00", "    85.00"}));
        QCOMPARE(lineOf(first, "3 RIZ"), QStringList({"3 RIZ", "    2.00", "    120.00"}));
        const QStringList second = ReadingOrder(document.pages.at(1));
        QVERIFY(!second.contains("ENTREES"));
        for (const char *text : {"M E N U", "Petit Déjeuner", "Café au lait", "Dîner", "Soupe",
                                 "Effectifs de la Journée", "Le Cuisinier", "Le Magasinier"})
            QVERIFY2(second.contains(QString::fromUtf8(text)), text);
        QVERIFY(!second.contains("Gâteau")); // the snack is not on the crédence sheet
        QVERIFY(std::any_of(second.begin(), second.end(),
                            [](const QString &t) { return t.startsWith("Fait A ") && t.endsWith("  Le 11/03/2009"); }));
    }

private:
    static QString PadRightOf(const QString &label) { return zelvane::PadRight(label.left(19), 19, "."); }
};

QTEST_MAIN(TestDailyDocuments)
#include "test_daily_documents.moc"
