// Every document of the catalogue on the year made to fill its pages (StressYear): nothing leaves the
// printable area, nothing overlaps, nothing is printed below 6 points, no text runs out of its box. The
// office documents are checked on the PDF that LibreOffice prints of them. With ZELVANE_LAYOUT_PNG naming
// a folder, each page is also written there as a picture to be looked at.
#include "OfficeFixture.h"
#include "StressYear.h"
#include "TestHome.h"

#include "common/Format.h"
#include "common/MontantEnLettres.h"
#include "common/Organisation.h"
#include "common/Paths.h"
#include "common/Prompter.h"
#include "menus/WeeklyMenu.h"
#include "office/TMSExcel.h"
#include "print/LayoutCheck.h"
#include "print/PdfOutput.h"
#include "print/Report.h"
#include "reports/Catalogue.h"
#include "reports/DayPanel.h"
#include "reports/DepenseMensuelle.h"
#include "reports/Documents.h"
#include "reports/FeuilleConsommation.h"
#include "reports/MonthlyDocuments.h"
#include "reports/OfficeExports.h"
#include "reports/PurchaseDocuments.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvane;

namespace {

TParametresEdition parametersOf(qint32 code, qint32 model)
{
    TParametresEdition p;
    p.Nature = code;
    p.Modele = model;
    p.CodeFour = 1;
    p.NumFacture = 1;
    p.CodeArt = 0;
    p.Journee = kStressDay;
    p.PeriodeDu = QDate(2009, 3, 1);
    p.PeriodeAu = QDate(2009, 3, 31);
    p.FaitLe = QDate(2009, 3, 31);
    return p;
}

// The document of code as the catalogue makes it on parameters.
ProducedDocument produce(Tfdb &db, const TParametresEdition &parameters, const QString &officePath = {})
{
    return ProduceDocument(db, *FindDocument(AllDocuments(), parameters.Nature), parameters, officePath);
}

QString pictureFolder() { return QString::fromLocal8Bit(qgetenv("ZELVANE_LAYOUT_PNG")); }

void keepPictures(const ReportDocument &document, const QString &name)
{
    if (pictureFolder().isEmpty())
        return;
    QDir().mkpath(pictureFolder());
    for (int page = 0; page < document.pages.size(); ++page)
        RenderPage(document, page, 60).save(pictureFolder() + QStringLiteral("/%1-%2.png").arg(name).arg(page + 1));
}

QStringList textsOf(const ReportPage &page)
{
    QStringList texts;
    for (const PlacedText &text : page.texts)
        texts << text.text;
    return texts;
}

QString faultText(const QStringList &faults)
{
    return QStringLiteral("%1 faults:\n").arg(faults.size()) + faults.mid(0, 40).join(QLatin1Char('\n'));
}

} // namespace

class TestDocumentLayout : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    ScriptedPrompter prompts;

    void open(int kind)
    {
        home = std::make_unique<TestHome>();
        db = home->openPrepared(kind, 2009);
        QVERIFY(db);
        StressYear(db->database());
        db->startSession(kStressDay);
    }

private slots:
    void init() { setPrompter(&prompts); }
    void cleanup()
    {
        db.reset();
        home.reset();
        setPrompter(nullptr);
    }

    // The engine's own rules: a text that does not fit is never printed below 6 points, and the check
    // sees each fault it names.
    void checkSeesEachFault_data()
    {
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fault");
        QTest::newRow("fits") << QRectF(0, 0, 60, 6) << "12 345.67"
                              << "";
        QTest::newRow("too long for its box") << QRectF(0, 0, 10, 6) << "999 999 999.99 ET AU DELA"
                                              << "wider than its box";
        QTest::newRow("off the page") << QRectF(150, 0, 60, 6) << "SORT DE LA PAGE"
                                      << "printable area";
        QTest::newRow("a spreadsheet's cut figure") << QRectF(0, 0, 60, 6) << "#####"
                                                    << "cut by its column";
    }
    void checkSeesEachFault()
    {
        QFETCH(QRectF, box);
        QFETCH(QString, text);
        QFETCH(QString, fault);
        ReportLayout layout(QStringLiteral("ESSAI"), QPageSize::A5);
        layout.band(BandKind::PageHeader, 10).add(ReportElement::label(box, text).size(8));
        layout.band(BandKind::PageHeader, 10).add(ReportElement::label({0, 0, 60, 6}, QStringLiteral("X")).size(8));
        const ReportDocument document = layout.generate();
        const QStringList faults = LayoutFaults(document);
        if (fault.isEmpty())
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        else
            QVERIFY2(faults.join(QLatin1Char('\n')).contains(fault), qPrintable(faults.join(QLatin1Char('\n'))));
        for (const PlacedText &placed : document.pages.first().texts)
            QVERIFY(placed.size >= kLeastReadableSize);
    }
    void checkSeesOverlaps()
    {
        ReportLayout layout(QStringLiteral("ESSAI"), QPageSize::A5);
        layout.band(BandKind::PageHeader, 10)
            .add(ReportElement::label({0, 0, 40, 6}, QStringLiteral("GAUCHE")).size(8))
            .add(ReportElement::label({5, 0, 40, 6}, QStringLiteral("DROITE")).size(8));
        QVERIFY(LayoutFaults(layout.generate()).join(QLatin1Char('\n')).contains(QStringLiteral("overlaps")));
    }

    // Each printed document of the catalogue, with its models, on the stress year of a canteen.
    void printedDocuments_data()
    {
        QTest::addColumn<qint32>("code");
        QTest::addColumn<qint32>("model");
        for (const DocumentSpec &entry : BuildCatalogue(kOrganismeCantine)) {
            if (entry.code != doc::Separator && !entry.makesOffice(0))
                QTest::addRow("%02d %s", entry.code, qPrintable(entry.name)) << entry.code << qint32(0);
        }
    }
    void printedDocuments()
    {
        QFETCH(qint32, code);
        QFETCH(qint32, model);
        open(kOrganismeCantine);
        const ProducedDocument produced = produce(*db, parametersOf(code, model));
        QVERIFY(produced.report);
        QVERIFY(!produced.report->pages.isEmpty());
        keepPictures(*produced.report, QStringLiteral("doc%1").arg(code, 2, 10, QLatin1Char('0')));
        const QStringList faults = LayoutFaults(*produced.report);
        QVERIFY2(faults.isEmpty(), qPrintable(faultText(faults)));
    }

    // The hospitalised staff that do not fit above the expense per person fed continue on the next page;
    // the expense per person fed, the figure looked for first, stays on the first page, inside it.
    void sidePanelContinues_data()
    {
        QTest::addColumn<int>("paper");
        QTest::newRow("A4") << int(SheetA4);
        QTest::newRow("A3") << int(SheetA3);
    }
    void sidePanelContinues()
    {
        QFETCH(int, paper);
        open(kOrganismeCantine);
        const DayPanel panel = ReadDayPanel(*db, kStressDay);
        QCOMPARE(panel.hospitalises.size(), 30);
        const ReportDocument sheet = MakeFeuilleConsommation(*db, kStressDay, SheetGlobal, paper);
        const QString expense = FormatMontant(panel.sortiesJour) + QStringLiteral(" / ")
                                + QString::number(panel.personnesNourries) + QStringLiteral(" = ")
                                + FormatMontant(panel.depenseParPersonne);
        QVERIFY(textsOf(sheet.pages.first()).contains(expense));
        int names = 0;
        for (const ReportPage &page : sheet.pages) {
            for (const PlacedText &text : page.texts)
                names += text.text.startsWith(QStringLiteral("BENABDELMOUMENE")) ? 1 : 0;
        }
        QCOMPARE(names, 30);
        const bool continued = textsOf(sheet.pages.at(1)).contains(QStringLiteral("Personnel hospitalisé (suite)"));
        QCOMPARE(continued, paper == SheetA4);
        QVERIFY(LayoutFaults(sheet).isEmpty());
    }

    // One day's exit value wherever it is printed: the sheet's column total adds its lines rounded to the
    // cent, and the side panel, the day summary and the monthly statement give the same figure; the persons
    // fed of the day are the day summary's on the monthly statement too.
    void oneFigurePerDay()
    {
        open(kOrganismeCantine);
        const DayPanel panel = ReadDayPanel(*db, kStressDay);
        const TDepense_Mensuelle month(*db, kStressDay);
        const TDepenseJour *day = month.GetJour(kStressDay.day());
        QVERIFY(day);
        QCOMPARE(day->SortiesJour, panel.sortiesJour);
        QCOMPARE(day->Moyenne, qint32(panel.personnesNourries));
        double unrounded = 0;
        for (double meal : panel.sorties)
            unrounded += meal;
        // The stress year's exits are worth fractions of a cent per article, so that the rule shows.
        QVERIFY(FormatMontant(unrounded) != FormatMontant(panel.sortiesJour));
        const ReportDocument sheet = MakeFeuilleConsommation(*db, kStressDay, SheetGlobal, SheetA3);
        QVERIFY(textsOf(sheet.pages.last()).contains(FormatMontantSaisie(panel.sortiesJour)));
    }

    // The printed invoice: each order and delivery number stands apart from its date, and the total is
    // the sum of the amounts printed on its lines, which its words state.
    void invoiceAsPrinted()
    {
        open(kOrganismeCantine);
        const std::optional<ReportDocument> invoice = MakeFacture(*db, 1, 1, QDate(2009, 3, 31));
        QVERIFY(invoice);
        double lines = 0;
        for (const ReportPage &page : invoice->pages) {
            for (const PlacedText &number : page.texts) {
                if (!number.text.startsWith(QStringLiteral("99999999")))
                    continue;
                for (const PlacedText &date : page.texts) {
                    if (qAbs(date.box.center().y() - number.box.center().y()) < 1 && date.box.left() > number.box.left()
                        && date.text.contains(QLatin1Char('/')) && date.box.left() < number.box.right() + 20)
                        QVERIFY2(date.ink.left() - number.ink.right() >= kPointsPerMillimetre,
                                 qPrintable(number.text + date.text));
                }
            }
            // The amounts are the last column of the lines, right of 160 mm.
            for (const PlacedText &text : page.texts) {
                if (text.box.left() > 160 * kPointsPerMillimetre && text.box.height() < 5.6 * kPointsPerMillimetre
                    && text.box.height() > 5.4 * kPointsPerMillimetre)
                    lines += ParseNumber(text.text).value_or(0);
            }
        }
        const QStringList last = textsOf(invoice->pages.last());
        QVERIFY2(last.contains(FormatPattern(lines, QString::fromLatin1(kPatternFieldDisplay))),
                 qPrintable(last.join('|')));
        QVERIFY(last.contains(MontantEnLettres(QStringLiteral("FR"), RoundToCents(lines))));
        QVERIFY(textsOf(invoice->pages.first()).contains(QStringLiteral("FACTURE N° 1/2009")));
    }

    // The Arabic card's title ends above the table's headings, with or without the university's line.
    void arabicCardTitle_data()
    {
        QTest::addColumn<QString>("kindCode");
        QTest::newRow("lycée") << "";
        QTest::newRow("university") << "5";
    }
    void arabicCardTitle()
    {
        QFETCH(QString, kindCode);
        open(kOrganismeCantine);
        Organisation().kindCode = kindCode;
        TParametresEdition p = parametersOf(doc::FicheMensuelleAR, 0);
        const ProducedDocument card = produce(*db, p);
        Organisation().kindCode.clear();
        QVERIFY(card.report);
        const ReportPage &page = card.report->pages.first();
        qreal titleBottom = 0, headingsTop = 1e9;
        for (const PlacedText &text : page.texts) {
            if (text.text.startsWith(QStringLiteral("بطاقة متابعة")))
                titleBottom = text.box.bottom();
            if (text.text == QStringLiteral("التاريـــــــخ"))
                headingsTop = qMin(headingsTop, text.box.top());
        }
        QVERIFY(titleBottom > 0 && headingsTop < 1e9);
        QVERIFY2(titleBottom <= headingsTop, qPrintable(QStringLiteral("%1 %2").arg(titleBottom).arg(headingsTop)));
    }

    // The A3 workbook: seven framed category rows and the column headings repeated on every page.
    void a3Workbook_data()
    {
        QTest::addColumn<QString>("model");
        QTest::newRow("FC_A3") << "FC_A3.xlsx";
        QTest::newRow("FC_A3_CRECHE") << "FC_A3_CRECHE.xlsx";
    }
    void a3Workbook()
    {
        QFETCH(QString, model);
        TMSExcel excel;
        QVERIFY(excel.Open(DeliveredFile(QStringLiteral("modeles/") + model)));
        QVERIFY(excel.SelectSheet(QStringLiteral("PAGE01")));
        QCOMPARE(excel.printTitles(), QStringLiteral("'PAGE01'!$5:$6"));
        QCOMPARE(excel.styleAt({14, 13}), excel.styleAt({13, 13}));
        QCOMPARE(excel.styleAt({14, 16}), excel.styleAt({13, 16}));
    }

    // Each office document as LibreOffice prints it, on the same year (the A3 sheet also for a crèche).
    void officeDocuments_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint32>("code");
        QTest::addColumn<qint32>("model");
        QTest::newRow("06 A3 sheet") << kOrganismeCantine << doc::FeuilleGlobalA3Excel << qint32(0);
        QTest::newRow("06 A3 sheet, crèche") << 3 << doc::FeuilleGlobalA3Excel << qint32(0);
        QTest::newRow("08 canteen daily sheet") << kOrganismeCantine << doc::FeuilleCantine << qint32(0);
        QTest::newRow("09 canteen issue note") << kOrganismeCantine << doc::BonSortieCantine << qint32(0);
        QTest::newRow("10 invoice, second model") << kOrganismeCantine << doc::Facture << qint32(1);
    }
    void officeDocuments()
    {
        QFETCH(int, kind);
        QFETCH(qint32, code);
        QFETCH(qint32, model);
        open(kind);
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("doc%1-%2.xlsx").arg(code).arg(kind));
        const ProducedDocument produced = produce(*db, parametersOf(code, model), path);
        QCOMPARE(produced.office.status, ExportResult::Written);
        const QList<LayoutPage> pages = OfficePdfPages(path, pictureFolder());
        QVERIFY(!pages.isEmpty());
        const QStringList faults = LayoutFaults(pages);
        QVERIFY2(faults.isEmpty(), qPrintable(faultText(faults)));
    }

    void weeklyMenuWord_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("arabic") << int(MenuLanguage::Arabic);
        QTest::newRow("french") << int(MenuLanguage::French);
    }
    void weeklyMenuWord()
    {
        QFETCH(int, language);
        open(kOrganismeCantine);
        WeeklyMenuTexts texts;
        for (QString &text : texts)
            text = QStringLiteral("COUSCOUS AUX LEGUMES\nVIANDE DE MOUTON\nSALADE VERTE\nORANGE");
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("menu%1.docx").arg(language));
        QCOMPARE(
            WriteMenuHebdomadaire(MenuLanguage(language), QDate(2009, 3, 7), QDate(2009, 3, 13), texts, path).status,
            ExportResult::Written);
        const QList<LayoutPage> pages = OfficePdfPages(path, pictureFolder());
        QVERIFY(!pages.isEmpty());
        const QStringList faults = LayoutFaults(pages);
        QVERIFY2(faults.isEmpty(), qPrintable(faultText(faults)));
    }
};

QTEST_MAIN(TestDocumentLayout)
#include "test_document_layout.moc"
