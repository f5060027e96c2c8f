#include "OfficeFixture.h"

#include "office/OoxmlPackage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>

using namespace zelvane;

// A workbook of one sheet "S": values, formulas (one shared), merged cells, a page break above row 5 and
// a print area, as a spreadsheet program writes them.
QByteArray smallWorkbook()
{
    const QString sheet = QStringLiteral(
        R"(<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><dimension ref="A1:D7"/><sheetData>
<row r="1" ht="30" customHeight="1"><c r="A1" t="inlineStr"><is><t>head</t></is></c></row>
<row r="2"><c r="A2"><v>1</v></c><c r="B2"><v>2</v></c><c r="C2"><f>A2+B2</f><v>3</v></c><c r="D2"><f t="shared" ref="D2:D3" si="0">A2*2</f><v>2</v></c></row>
<row r="3"><c r="A3"><v>3</v></c><c r="C3"><f>SUM(A2:A4)</f></c><c r="D3"><f t="shared" si="0"/></c></row>
<row r="4"><c r="A4" s="3"><v>4</v></c><c r="B4"><f>$A$2*A4</f></c></row>
<row r="5"><c r="A5" t="inlineStr"><is><t>block</t></is></c><c r="B5"><f>C2+A6</f></c></row>
<row r="6"><c r="A6"><v>6</v></c></row>
<row r="7"><c r="A7"><f>SUM(A1:A6)</f></c></row>
</sheetData><mergeCells count="3"><mergeCell ref="B1:C1"/><mergeCell ref="A5:A6"/><mergeCell ref="B3:C4"/></mergeCells>
<rowBreaks count="1" manualBreakCount="1"><brk id="4" max="16383" man="1"/></rowBreaks></worksheet>)");
    OoxmlPackage package;
    package.setPart(
        QStringLiteral("[Content_Types].xml"),
        R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/></Types>)");
    package.setPart(
        QStringLiteral("_rels/.rels"),
        R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)");
    package.setPart(
        QStringLiteral("xl/workbook.xml"),
        R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets><definedNames><definedName name="_xlnm.Print_Area" localSheetId="0">'S'!$A$1:$C$7</definedName></definedNames></workbook>)");
    package.setPart(
        QStringLiteral("xl/_rels/workbook.xml.rels"),
        R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)");
    package.setPart(QStringLiteral("xl/worksheets/sheet1.xml"), sheet.toUtf8());
    QTemporaryDir dir;
    QString error;
    const QString path = dir.filePath(QStringLiteral("small.xlsx"));
    if (!package.write(path, &error))
        qFatal("%s", qPrintable(error));
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

namespace {

// The document converted to PDF by soffice (headless, with a profile of its own) into folder work; empty
// when the conversion fails. When ZELVANE_OFFICE_PDF names a folder, the document and its PDF are also
// copied there to be looked at.
QString OfficePdf(const QString &document, const QTemporaryDir &work)
{
    const QString profile = QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString();
    const QString outDir = work.filePath(QStringLiteral("pdf"));
    const QString keep = QString::fromLocal8Bit(qgetenv("ZELVANE_OFFICE_PDF"));
    auto copy = [&keep](const QString &file) {
        if (keep.isEmpty())
            return;
        QDir().mkpath(keep);
        const QString target = keep + QLatin1Char('/') + QFileInfo(file).fileName();
        QFile::remove(target);
        QFile::copy(file, target);
    };
    copy(document);
    QProcess soffice;
    soffice.start(QStringLiteral("soffice"), {QStringLiteral("-env:UserInstallation=") + profile,
                                              QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                              QStringLiteral("pdf"), QStringLiteral("--outdir"), outDir, document});
    if (!soffice.waitForFinished(180000) || soffice.exitCode() != 0) {
        qWarning("soffice failed: %s %s", soffice.readAllStandardOutput().constData(),
                 soffice.readAllStandardError().constData());
        return {};
    }
    const QString pdf = outDir + QLatin1Char('/') + QFileInfo(document).completeBaseName() + QStringLiteral(".pdf");
    copy(pdf);
    return pdf;
}

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return process.readAllStandardOutput();
}

} // namespace

QString OfficePdfText(const QString &document)
{
    QTemporaryDir work;
    const QString pdf = OfficePdf(document, work);
    if (pdf.isEmpty())
        return {};
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
}

QList<zelvane::LayoutPage> OfficePdfPages(const QString &document, const QString &pictures)
{
    QTemporaryDir work;
    const QString pdf = OfficePdf(document, work);
    if (pdf.isEmpty())
        return {};
    if (!pictures.isEmpty()) {
        QDir().mkpath(pictures);
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), pdf,
                                         pictures + QLatin1Char('/') + QFileInfo(document).completeBaseName()});
    }
    // The type sizes, which pdftotext does not give: pdftohtml -xml writes each run of text with its box
    // and font, each font with its size, all at three times the page's size in points.
    QList<QList<std::pair<QRectF, qreal>>> sizes;
    {
        const QString xml = QString::fromUtf8(
            run(QStringLiteral("pdftohtml"), {QStringLiteral("-xml"), QStringLiteral("-stdout"), QStringLiteral("-i"),
                                              QStringLiteral("-zoom"), QStringLiteral("3"), pdf}));
        static const QRegularExpression element(QStringLiteral(
            R"re(<page number="\d+"[^>]*height="(\d+)"|<fontspec id="(\d+)" size="(\d+)"|<text top="(-?\d+)" left="(-?\d+)" width="(\d+)" height="(\d+)" font="(\d+)")re"));
        QHash<QString, qreal> fontSizes;
        for (auto match = element.globalMatch(xml); match.hasNext();) {
            const QRegularExpressionMatch m = match.next();
            if (!m.captured(1).isEmpty()) {
                sizes.append(QList<std::pair<QRectF, qreal>>());
            } else if (!m.captured(2).isEmpty()) {
                fontSizes.insert(m.captured(2), m.captured(3).toDouble() / 3);
            } else if (!sizes.isEmpty()) {
                sizes.last().append({QRectF(m.captured(5).toDouble() / 3, m.captured(4).toDouble() / 3,
                                            m.captured(6).toDouble() / 3, m.captured(7).toDouble() / 3),
                                     fontSizes.value(m.captured(8))});
            }
        }
    }
    auto sizeAt = [](const QList<QList<std::pair<QRectF, qreal>>> &sizes, int page, const QPointF &centre) {
        for (const auto &[box, size] : sizes.value(page)) {
            if (box.adjusted(-1, -1, 1, 1).contains(centre))
                return size;
        }
        return qreal(0);
    };
    // pdftotext -bbox writes each page as <page width= height=> and each word as
    // <word xMin= yMin= xMax= yMax=>text</word>, in points from the page's top left corner.
    const QString html = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    static const QRegularExpression item(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re"));
    QList<zelvane::LayoutPage> pages;
    for (auto match = item.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (!m.captured(1).isEmpty()) {
            pages.append({QRectF(0, 0, m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
        } else if (!pages.isEmpty()) {
            const QRectF box(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                             QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()));
            // A word's box runs from its font's ascent to its descent; its glyphs take the middle of it, so
            // lines set close do not touch.
            const QRectF ink = box.adjusted(0, box.height() * 0.2, 0, -box.height() * 0.2);
            zelvane::PlacedText text{QRectF(), m.captured(7), ink, sizeAt(sizes, int(pages.size()) - 1, box.center())};
            text.text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
            // A word drawn twice in the same place (a bold made by overprinting) is one word.
            const bool twice = std::any_of(
                pages.last().texts.cbegin(), pages.last().texts.cend(),
                [&text](const zelvane::PlacedText &t) { return t.text == text.text && t.ink == text.ink; });
            if (!twice)
                pages.last().texts.append(text);
        }
    }
    return pages;
}
