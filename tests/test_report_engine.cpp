#include "common/Format.h"
#include "print/PdfOutput.h"
#include "print/Report.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace zelvane;

namespace {

// Rows of (group, amount) from a list.
class ListRows : public ReportRows
{
public:
    explicit ListRows(QList<std::pair<QString, double>> rows)
        : m_rows(std::move(rows))
    {
    }
    bool next() override { return ++m_current < m_rows.size(); }
    QVariant value(const QString &column) const override
    {
        const auto &row = m_rows.at(m_current);
        return column == QLatin1String("groupe") ? QVariant(row.first) : QVariant(row.second);
    }

private:
    QList<std::pair<QString, double>> m_rows;
    int m_current = -1;
};

// A4 portrait with 10 mm margins: 277 mm of body, less 20 of header and 10 of footer, leaves room for
// 24 detail lines of 10 mm.
ReportLayout numberedLayout()
{
    ReportLayout layout(QStringLiteral("ESSAI"), QPageSize::A4);
    layout.band(BandKind::PageHeader, 15).add(ReportElement::label({0, 0, 190, 8}, QStringLiteral("EN-TETE")));
    layout.band(BandKind::ColumnHeader, 5).add(ReportElement::label({0, 0, 40, 5}, QStringLiteral("Montant")));
    layout.band(BandKind::Detail, 10)
        .add(ReportElement::field({0, 0, 40, 10}, QStringLiteral("montant"), QString::fromLatin1(kPatternMontant)));
    layout.band(BandKind::PageFooter, 10)
        .add(ReportElement::label({0, 0, 20, 10}, QStringLiteral("Page :")))
        .add(ReportElement::pageNumber({20, 0, 10, 10}));
    return layout;
}

QList<std::pair<QString, double>> amounts(int count)
{
    QList<std::pair<QString, double>> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({QStringLiteral("G%1").arg((i - 1) / 3), i * 1000.0});
    return rows;
}

} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void pagination_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("perPage");
        QTest::newRow("no row: one page") << 0 << QList<int>{0};
        QTest::newRow("one row") << 1 << QList<int>{1};
        QTest::newRow("a full page") << 24 << QList<int>{24};
        QTest::newRow("one more") << 25 << QList<int>{24, 1};
        QTest::newRow("three pages") << 50 << QList<int>{24, 24, 2};
    }
    void pagination()
    {
        QFETCH(int, rows);
        QFETCH(QList<int>, perPage);
        ListRows list(amounts(rows));
        int ended = 0;
        ReportLayout layout = numberedLayout();
        layout.onEndPage = [&ended](int page) { QCOMPARE(page, ++ended); };
        const ReportDocument document = layout.generate(&list);
        QCOMPARE(document.pages.size(), perPage.size());
        QCOMPARE(ended, perPage.size());
        QCOMPARE(document.layout.pageSize().id(), QPageSize::A4);
        for (int p = 0; p < perPage.size(); ++p) {
            const QStringList texts = ReadingOrder(document.pages.at(p));
            QCOMPARE(texts.first(), QStringLiteral("EN-TETE"));
            QCOMPARE(texts.at(1), QStringLiteral("Montant"));
            QCOMPARE(texts.size(), 2 + perPage.at(p) + 2);
            QCOMPARE(texts.mid(texts.size() - 2), QStringList({QStringLiteral("Page :"), QString::number(p + 1)}));
        }
        if (rows > 24)
            QCOMPARE(ReadingOrder(document.pages.at(1)).at(2), QStringLiteral("   25 000.00"));
    }

    // Footer at the bottom of the paper, header at the top, and boxes in points from the paper's corner.
    void placesInPoints()
    {
        ListRows list(amounts(1));
        const ReportDocument document = numberedLayout().generate(&list);
        const QList<PlacedText> &texts = document.pages.first().texts;
        QCOMPARE(texts.first().text, QStringLiteral("EN-TETE"));
        QCOMPARE(texts.first().box.topLeft(), QPointF(10, 10) * kPointsPerMillimetre);
        const PlacedText &number = texts.last();
        QCOMPARE(number.text, QStringLiteral("1"));
        QVERIFY(qAbs(number.box.bottom() - (297 - 10) * kPointsPerMillimetre) < 1e-6);
    }

    void pageOptions()
    {
        ListRows list(amounts(30));
        ReportLayout layout = numberedLayout();
        layout.headerOnFirstPage = false;
        layout.footerOnLastPage = false;
        const ReportDocument document = layout.generate(&list);
        QCOMPARE(document.pages.size(), 2);
        QVERIFY(!ReadingOrder(document.pages.at(0)).contains(QStringLiteral("EN-TETE")));
        QVERIFY(ReadingOrder(document.pages.at(0)).contains(QStringLiteral("Page :")));
        QVERIFY(ReadingOrder(document.pages.at(1)).contains(QStringLiteral("EN-TETE")));
        QVERIFY(!ReadingOrder(document.pages.at(1)).contains(QStringLiteral("Page :")));
    }

    // Groups of three rows with their own sums, a summary over all, a band suppressed for one row, a label
    // replaced by its handler, a child band after the detail.
    void groupsSumsAndHandlers()
    {
        ListRows list(amounts(7));
        const QString pattern = QString::fromLatin1(kPatternMontantSaisie);
        ReportLayout layout(QStringLiteral("GROUPES"), QPageSize::A3, QPageLayout::Landscape);
        layout.band(BandKind::GroupHeader, 5)
            .group(QStringLiteral("groupe"))
            .add(ReportElement::label({0, 0, 20, 5}, QStringLiteral("Groupe")))
            .add(ReportElement::field({20, 0, 20, 5}, QStringLiteral("groupe")));
        int rowNumber = 0;
        layout.band(BandKind::Detail, 5)
            .before([&list, &rowNumber] {
                ++rowNumber;
                return list.value(QStringLiteral("montant")).toDouble() != 5000;
            })
            .add(ReportElement::label({0, 0, 20, 5}, {}).printed([&rowNumber](QString &text) {
                text = QStringLiteral("n%1").arg(rowNumber);
            }))
            .add(ReportElement::field({20, 0, 20, 5}, QStringLiteral("montant"), pattern));
        layout.band(BandKind::Child, 5).add(ReportElement::label({0, 0, 20, 5}, QStringLiteral("suite")));
        layout.band(BandKind::GroupFooter, 5)
            .group(QStringLiteral("groupe"))
            .add(ReportElement::label({0, 0, 20, 5}, QStringLiteral("TOTAUX")))
            .add(ReportElement::sum({20, 0, 20, 5}, QStringLiteral("montant"), pattern));
        layout.band(BandKind::Summary, 5)
            .add(ReportElement::label({0, 0, 20, 5}, QStringLiteral("TOTAL")))
            .add(ReportElement::sum({20, 0, 20, 5}, QStringLiteral("montant"), pattern));
        const ReportDocument document = layout.generate(&list);
        QCOMPARE(document.pages.size(), 1);
        QCOMPARE(document.layout.pageSize().id(), QPageSize::A3);
        QCOMPARE(document.layout.orientation(), QPageLayout::Landscape);
        const QStringList texts = ReadingOrder(document.pages.first());
        const QStringList expected = {"Groupe", "G0",       "n1",      "1000.00", "suite",  "n2",      "2000.00",
                                      "suite",  "n3",       "3000.00", "suite",   "TOTAUX", "6000.00", "Groupe",
                                      "G1",     "n4",       "4000.00", "suite",   "n6",     "6000.00", "suite",
                                      "TOTAUX", "10000.00", "Groupe",  "G2",      "n7",     "7000.00", "suite",
                                      "TOTAUX", "7000.00",  "TOTAL",   "23000.00"};
        QCOMPARE(texts, expected);
    }

    // A sum adds its lines as printed: three lines of 1.0051 print 1.01 each and a total of 3.03, where the
    // unrounded values would print 3.02.
    void sumAddsTheLinesPrinted()
    {
        const QString pattern = QString::fromLatin1(kPatternMontantSaisie);
        ReportLayout layout(QStringLiteral("SOMME"), QPageSize::A4);
        layout.band(BandKind::Detail, 5).add(ReportElement::field({0, 0, 30, 5}, QStringLiteral("montant"), pattern));
        layout.band(BandKind::Summary, 5).add(ReportElement::sum({0, 0, 30, 5}, QStringLiteral("montant"), pattern));
        int left = 3;
        layout.needData = [&left](QHash<QString, QVariant> &values) {
            values[QStringLiteral("montant")] = 1.0051;
            return left-- > 0;
        };
        QCOMPARE(ReadingOrder(layout.generate().pages.first()), QStringList({"1.01", "1.01", "1.01", "3.03"}));
    }

    void needData()
    {
        ReportLayout layout(QStringLiteral("LIGNES"), QPageSize::A4);
        layout.band(BandKind::Detail, 100).add(ReportElement::field({0, 0, 50, 10}, QStringLiteral("nom")));
        int left = 3;
        layout.needData = [&left](QHash<QString, QVariant> &values) {
            values[QStringLiteral("nom")] = QStringLiteral("ligne %1").arg(left);
            return left-- > 0;
        };
        const ReportDocument document = layout.generate();
        QCOMPARE(document.pages.size(), 2); // two bands of 100 mm per page
        QCOMPARE(ReadingOrder(document.pages.at(0)), QStringList({"ligne 3", "ligne 2"}));
        QCOMPARE(ReadingOrder(document.pages.at(1)), QStringList({"ligne 1"}));
    }

    void memoLinesAndNewPage()
    {
        ReportLayout layout(QStringLiteral("MEMO"), QPageSize::A4);
        layout.band(BandKind::Detail, 20).add(ReportElement::memo({0, 0, 50, 20}, 4).printed([](QString &text) {
            text = QStringLiteral("un\n\ntrois");
        }));
        layout.band(BandKind::Summary, 10).startsNewPage().add(ReportElement::label({0, 0, 50, 10}, "fin"));
        int rows = 1;
        layout.needData = [&rows](QHash<QString, QVariant> &) { return rows-- > 0; };
        const ReportDocument document = layout.generate();
        QCOMPARE(document.pages.size(), 2);
        const QList<PlacedText> &texts = document.pages.first().texts;
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts.at(1).text, QStringLiteral("trois"));
        QVERIFY(qAbs(texts.at(1).box.top() - texts.at(0).box.top() - 8 * kPointsPerMillimetre) < 1e-6);
        QCOMPARE(ReadingOrder(document.pages.at(1)), QStringList({"fin"}));
    }

    // The PDF has the pages and the texts; a page renders at the asked resolution.
    void pdfAndImage()
    {
        ListRows list(amounts(30));
        const ReportDocument document = numberedLayout().generate(&list);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("essai.pdf"));
        QString error;
        QVERIFY2(WritePdf(document, path, &error), qPrintable(error));
        QVERIFY(!WritePdf(document, dir.filePath(QStringLiteral("absent/essai.pdf")), &error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("essai.pdf")});

        const QImage image = RenderPage(document, 1, 72);
        QCOMPARE(image.size(), QSize(595, 842));
        QVERIFY(RenderPage(document, 2, 72).isNull());

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils is not installed");
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {path});
        QVERIFY(info.waitForFinished());
        const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(infoText.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(infoText));
        QVERIFY2(infoText.contains(QStringLiteral("595 x 842 pts (A4)")), qPrintable(infoText));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"), path, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString second = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(second.contains(QStringLiteral("EN-TETE")) && second.contains(QStringLiteral("30 000.00")),
                 qPrintable(second));
        QVERIFY(!second.contains(QStringLiteral("24 000.00")));
    }

    // Pages streamed into a PDF as they are made give the file that the document kept whole gives, with
    // the layout of each page, and the streamed document keeps no page.
    void streamedPdf_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("orientation");
        QTest::newRow("one page") << 3 << int(QPageLayout::Portrait);
        QTest::newRow("several pages") << 70 << int(QPageLayout::Portrait);
        QTest::newRow("landscape") << 30 << int(QPageLayout::Landscape);
    }

    void streamedPdf()
    {
        QFETCH(int, rows);
        QFETCH(int, orientation);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils is not installed");
        ReportLayout layout(QStringLiteral("FLUX"), QPageSize::A4, QPageLayout::Orientation(orientation));
        layout.band(BandKind::PageHeader, 15).add(ReportElement::label({0, 0, 150, 8}, QStringLiteral("EN-TETE")));
        layout.band(BandKind::Detail, 10)
            .add(ReportElement::field({0, 0, 40, 10}, QStringLiteral("groupe")))
            .add(ReportElement::field({50, 0, 40, 10}, QStringLiteral("montant"), QString::fromLatin1(kPatternMontant))
                     .framed());
        layout.band(BandKind::PageFooter, 10).add(ReportElement::pageNumber({0, 0, 10, 10}));
        QTemporaryDir dir;
        QString error;
        ListRows kept(amounts(rows));
        const ReportDocument whole = layout.generate(&kept);
        const QString wholePdf = dir.filePath(QStringLiteral("entier.pdf"));
        QVERIFY2(WritePdf(whole, wholePdf, &error), qPrintable(error));

        const QString streamedPdf = dir.filePath(QStringLiteral("flux.pdf"));
        PdfStream stream(streamedPdf);
        QVERIFY2(stream.open(&error), qPrintable(error));
        ListRows streamedRows(amounts(rows));
        ReportDocument streamed;
        {
            const PageStreamScope scope(stream);
            streamed = layout.generate(&streamedRows);
        }
        QVERIFY(streamed.pages.isEmpty());
        QCOMPARE(stream.pageCount(), whole.pages.size());
        QVERIFY(!QFileInfo::exists(streamedPdf)); // under its work name until committed
        QVERIFY2(stream.commit(&error), qPrintable(error));

        auto run = [](const QString &program, const QStringList &arguments) {
            QProcess process;
            process.start(program, arguments);
            process.waitForFinished();
            return QString::fromUtf8(process.readAllStandardOutput());
        };
        const QString text = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), streamedPdf, QStringLiteral("-")});
        QCOMPARE(text, run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), wholePdf, QStringLiteral("-")}));
        QVERIFY2(text.contains(QStringLiteral("%1 000.00").arg(rows)), qPrintable(text));
        const QString size = orientation == QPageLayout::Portrait ? QStringLiteral("595 x 842 pts (A4)")
                                                                  : QStringLiteral("842 x 595 pts (A4)");
        QVERIFY(run(QStringLiteral("pdfinfo"), {streamedPdf}).contains(size));
    }

    // A stream dropped before its commit (a document that cannot be made) leaves no file, not even its
    // work file; a stream given no page is refused rather than written empty.
    void streamNotCommitted()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rate.pdf"));
        {
            PdfStream stream(path);
            QString error;
            QVERIFY(stream.open(&error));
            ListRows list(amounts(30));
            ReportLayout layout = numberedLayout();
            {
                const PageStreamScope scope(stream);
                layout.generate(&list);
            }
            QCOMPARE(stream.pageCount(), 2);
        }
        // Dropped without a commit: nothing under the name nor under a work name.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        PdfStream empty(path);
        QString error;
        QVERIFY(empty.open(&error));
        QVERIFY(!empty.commit(&error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(!QFileInfo::exists(path));
    }
};

QTEST_MAIN(TestReportEngine)
#include "test_report_engine.moc"
