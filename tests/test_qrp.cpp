#include "SampleDocument.h"
#include "TestHome.h"
#include "print/PdfOutput.h"
#include "print/PrintRange.h"
#include "print/QrpFile.h"

#include <QDataStream>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace zelvane;

// A saved page may claim millions of font names: under AddressSanitizer the failed allocation must come back
// as std::bad_alloc, as it does in the program, rather than end the test.
extern "C" const char *__asan_default_options() { return "allocator_may_return_null=1"; }

// Saved documents, their refusal of what they are not, the PDF output and the page range rules.
class TestQrp : public QObject
{
    Q_OBJECT

    static QStringList pageTexts(const ReportDocument &document)
    {
        QStringList texts;
        for (const ReportPage &page : document.pages)
            texts += ReadingOrder(page);
        return texts;
    }

    static QByteArray renderedPage(ReportPage page)
    {
        QImage image(600, 850, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        page.picture.play(&painter);
        painter.end();
        return QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    }

private slots:
    void savedAndReopenedAsItWas()
    {
        TestHome home;
        ReportDocument document = SampleDocument(3, QStringLiteral("Feuille de consommation"));
        document.layout = QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Landscape, QMarginsF(10, 12, 14, 16),
                                      QPageLayout::Millimeter);
        const QString path = home.path() + QStringLiteral("/feuille.QRP");
        QCOMPARE(SaveQrpFile(document, path), QString());
        ReportDocument opened;
        QCOMPARE(LoadQrpFile(path, opened), QString());
        QCOMPARE(opened.title, document.title);
        QVERIFY(opened.layout.isEquivalentTo(document.layout));
        QCOMPARE(opened.layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(opened.pages.size(), 3);
        QCOMPARE(pageTexts(opened), pageTexts(document));
        QCOMPARE(opened.pages.at(1).texts.at(0).box, document.pages.at(1).texts.at(0).box);
        for (int p = 0; p < 3; ++p)
            QVERIFY(renderedPage(opened.pages.at(p)) == renderedPage(document.pages.at(p)));
        QCOMPARE(QrpBytes(opened), QrpBytes(document));
    }

    void refusedInputsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QByteArray good = QrpBytes(SampleDocument(2));
        const QString damaged = QStringLiteral("est incomplet ou endommagé");
        QTest::newRow("empty") << QByteArray() << int(QrpStatus::NotQrp) << QStringLiteral("n'est pas un document");
        QTest::newRow("garbage") << QByteArray("%PDF-1.4 not a saved document at all") << int(QrpStatus::NotQrp)
                                 << QStringLiteral("n'est pas un document enregistré (.QRP)");
        QTest::newRow("magic only") << good.left(8) << int(QrpStatus::Damaged) << damaged;
        QTest::newRow("cut in the header") << good.left(20) << int(QrpStatus::Damaged) << damaged;
        QTest::newRow("cut in a page") << good.left(good.size() / 2) << int(QrpStatus::Damaged) << damaged;
        QTest::newRow("last byte missing") << good.chopped(1) << int(QrpStatus::Damaged) << damaged;
        QTest::newRow("bytes after the end") << good + QByteArray("x") << int(QrpStatus::Damaged) << damaged;
        QByteArray future = good;
        future[11] = char(kQrpVersion + 1); // the version, big-endian after the 8 magic bytes
        QTest::newRow("future version") << future << int(QrpStatus::FutureVersion)
                                        << QStringLiteral("une version plus récente du programme");
        QByteArray zeroVersion = good;
        zeroVersion[11] = 0;
        QTest::newRow("version 0") << zeroVersion << int(QrpStatus::Damaged) << damaged;
        QByteArray hugeCount = good;
        // The page count follows the title and the layout; a count that the file cannot hold.
        const int countAt = 8 + 4 + 4 + int(QByteArray("Essai").size()) + 4 + 8 * 2 + 4 + 4 + 8 * 4;
        hugeCount[countAt] = char(0x7f);
        QTest::newRow("page count beyond the file") << hugeCount << int(QrpStatus::Damaged) << damaged;
        QByteArray brokenPicture = good;
        brokenPicture[good.indexOf("QPIC") + 20] ^= 0x55; // the picture's own checksum no longer holds
        QTest::newRow("damaged picture") << brokenPicture << int(QrpStatus::Damaged) << damaged;
        // Pages no report draws, some of which would keep the raster engine busy for hours.
        const auto drawn = [](const std::function<void(QPainter &)> &draw) {
            ReportDocument document = SampleDocument(1);
            QPicture picture;
            QPainter painter(&picture);
            draw(painter);
            painter.end();
            document.pages[0].picture = picture;
            return QrpBytes(document);
        };
        QTest::newRow("a stroke miles long") << drawn([](QPainter &p) {
            p.setPen(QPen(Qt::black, 40));
            p.drawLine(QLineF(0, 0, 1e9, 1e9));
        }) << int(QrpStatus::Damaged) << damaged;
        QTest::newRow("a dashed pen") << drawn([](QPainter &p) {
            p.setPen(QPen(Qt::black, 1, Qt::DashDotLine));
            p.drawLine(QLineF(0, 0, 100, 100));
        }) << int(QrpStatus::Damaged) << damaged;
        QTest::newRow("a font of a million points") << drawn([](QPainter &p) {
            QFont font;
            font.setPixelSize(1000000);
            p.setFont(font);
            p.drawText(QPointF(10, 10), QStringLiteral("A"));
        }) << int(QrpStatus::Damaged) << damaged;
        QTest::newRow("a picture") << drawn([](QPainter &p) {
            QImage image(4, 4, QImage::Format_ARGB32);
            image.fill(Qt::red);
            p.drawImage(QPointF(0, 0), image);
        }) << int(QrpStatus::Damaged)
                                   << damaged;
        QFile fonts(QStringLiteral(ZELVANE_TEST_DATA "/qrp/millions-of-font-names.qrp"));
        QVERIFY(fonts.open(QIODevice::ReadOnly));
        QTest::newRow("millions of font names") << fonts.readAll() << int(QrpStatus::Damaged) << damaged;
        QTest::newRow("a gradient") << drawn(
            [](QPainter &p) { p.fillRect(QRectF(0, 0, 10, 10), QLinearGradient(0, 0, 10, 10)); })
                                    << int(QrpStatus::Damaged) << damaged;
    }
    void refusedInputsChangeNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(QString, message);
        const ReportDocument before = SampleDocument(1, QStringLiteral("Avant"));
        ReportDocument document = before;
        QCOMPARE(int(ReadQrp(bytes, document)), status);
        QCOMPARE(QrpBytes(document), QrpBytes(before));

        TestHome home;
        const QString path = home.path() + QStringLiteral("/refused.QRP");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const QString said = LoadQrpFile(path, document);
        QVERIFY2(said.contains(message), qPrintable(said));
        QCOMPARE(QrpBytes(document), QrpBytes(before));
        QCOMPARE(file.size(), bytes.size());
    }

    void missingFileSaysSo()
    {
        ReportDocument document = SampleDocument(1);
        const QString said = LoadQrpFile(QStringLiteral("/nonexistent/etat.QRP"), document);
        QVERIFY2(said.contains(QStringLiteral("Impossible d'ouvrir")), qPrintable(said));
        QCOMPARE(document.pages.size(), 1);
    }

    void pdfHoldsEveryPageOnItsPaper()
    {
        TestHome home;
        ReportDocument document = SampleDocument(4, QStringLiteral("Stock"));
        document.layout.setOrientation(QPageLayout::Landscape);
        const QString pdf = home.path() + QStringLiteral("/stock.pdf");
        QString error;
        QVERIFY2(WritePdf(document, pdf, &error), qPrintable(error));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished());
        const QString facts = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(facts.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n"))), qPrintable(facts));
        QVERIFY2(facts.contains(QStringLiteral("842 x 595 pts (A4)")), qPrintable(facts));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("3"), QStringLiteral("-l"),
                                                 QStringLiteral("3"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        QCOMPARE(QString::fromUtf8(text.readAllStandardOutput()).trimmed(), QStringLiteral("Page 3 sur 4"));
    }

    void pageRange_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("copies");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("firstPage");
        QTest::addColumn<int>("lastPage");
        QTest::addColumn<int>("copiesOut");
        // A report of 5 pages shown on page 2, offered from 1 to 5 with 1 copy.
        const int all = int(RangeChoice::All), current = int(RangeChoice::CurrentPage);
        const int pages = int(RangeChoice::Pages);
        QTest::newRow("3 to 99 stops at the last page") << pages << "3"
                                                        << "99"
                                                        << "1" << true << 3 << 5 << 1;
        QTest::newRow("4 to 2 is refused") << pages << "4"
                                           << "2"
                                           << "1" << false << 4 << 2 << 1;
        QTest::newRow("current page") << current << "1"
                                      << "5"
                                      << "1" << true << 2 << 2 << 1;
        QTest::newRow("all, 3 copies") << all << "1"
                                       << "5"
                                       << "3" << true << 1 << 5 << 3;
        QTest::newRow("all ignores the boxes") << all << "4"
                                               << "2"
                                               << "1" << true << 1 << 5 << 1;
        QTest::newRow("from not a number") << pages << "x"
                                           << "3"
                                           << "1" << false << 0 << 3 << 1;
        QTest::newRow("to not a number") << pages << "2"
                                         << ""
                                         << "1" << false << 2 << 0 << 1;
        QTest::newRow("refused range keeps the copies typed") << pages << "4"
                                                              << "2"
                                                              << "2" << false << 4 << 2 << 2;
        QTest::newRow("copies not a number") << all << "1"
                                             << "5"
                                             << "deux" << true << 1 << 5 << 1;
        QTest::newRow("no copies prints one") << all << "1"
                                              << "5"
                                              << "0" << true << 1 << 5 << 1;
        QTest::newRow("a page before the first") << pages << "-1"
                                                 << "3"
                                                 << "1" << false << -1 << 3 << 1;
        QTest::newRow("one page") << pages << " 5 "
                                  << "5"
                                  << "1" << true << 5 << 5 << 1;
    }
    void pageRange()
    {
        QFETCH(int, choice);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, copies);
        PrintRange range{1, 5, 1, {}};
        QTEST(ResolvePrintRange(RangeChoice(choice), 2, from, to, copies, range), "accepted");
        QTEST(range.from, "firstPage");
        QTEST(range.to, "lastPage");
        QTEST(range.copies, "copiesOut");
    }
};

QTEST_MAIN(TestQrp)
#include "test_qrp.moc"
