// The spreadsheet and word-processor layers on small documents made here: cell references, formulas
// moved by deleted and copied rows, merged cells, page breaks and print areas read back from saved files,
// and the refusals of damaged templates.
#include "OfficeFixture.h"
#include "common/WorkFiles.h"
#include "office/CellReference.h"
#include "office/OoxmlPackage.h"
#include "office/TMSExcel.h"
#include "office/TMSWinWord.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvane;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(data);
    return file.fileName();
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestOfficeLayer : public QObject
{
    Q_OBJECT

private slots:
    void cellReferences_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("A7") << "A7" << 7 << 1;
        QTest::newRow("AB12") << "AB12" << 12 << 28;
        QTest::newRow("lower case, spaces") << "  ab 12 " << 12 << 28;
        QTest::newRow("other characters passed over") << "$W$-13" << 13 << 23;
        QTest::newRow("last column") << "XFD1" << 1 << 16384;
        QTest::newRow("no row") << "AB" << 0 << 0;
        QTest::newRow("no column") << "12" << 0 << 0;
        QTest::newRow("row 0") << "A0" << 0 << 0;
        QTest::newRow("beyond the last column") << "XFE1" << 0 << 0;
        QTest::newRow("beyond the last row") << "A1048577" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
    }
    void cellReferences()
    {
        QFETCH(QString, reference);
        QFETCH(int, row);
        QFETCH(int, column);
        const auto pos = ParseCellReference(reference);
        QCOMPARE(pos.has_value(), row > 0);
        if (pos) {
            QCOMPARE(pos->row, row);
            QCOMPARE(pos->column, column);
            QCOMPARE(ParseCellReference(CellName(*pos)), pos);
        }
    }

    void formulaReferences_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("deleting3to4");
        QTest::addColumn<QString>("copiedDown10");
        QTest::newRow("single refs") << "A2+B5*$C$6"
                                     << "A2+B3*$C$4"
                                     << "A12+B15*$C$6";
        QTest::newRow("ref into deleted rows") << "A3+1"
                                               << "#REF!+1"
                                               << "A13+1";
        QTest::newRow("range shrinks") << "SUM(A2:B5)"
                                       << "SUM(A2:B3)"
                                       << "SUM(A12:B15)";
        QTest::newRow("range starts inside") << "SUM(A4:A9)"
                                             << "SUM(A3:A7)"
                                             << "SUM(A14:A19)";
        QTest::newRow("range all deleted") << "SUM(A3:A4)"
                                           << "SUM(#REF!)"
                                           << "SUM(A13:A14)";
        QTest::newRow("mixed absolute") << "A$5+$A5"
                                        << "A$3+$A3"
                                        << "A$5+$A15";
        QTest::newRow("whole rows") << "SUM(5:6)"
                                    << "SUM(3:4)"
                                    << "SUM(15:16)";
        QTest::newRow("texts stay") << "\"A5\"&A5"
                                    << "\"A5\"&A3"
                                    << "\"A5\"&A15";
        QTest::newRow("functions and names stay") << "LOG10(A5)+ATAN2(1,2)"
                                                  << "LOG10(A3)+ATAN2(1,2)"
                                                  << "LOG10(A15)+ATAN2(1,2)";
        QTest::newRow("other sheet stays") << "Other!A5+'My Sheet'!A5+S!A5"
                                           << "Other!A5+'My Sheet'!A5+S!A3"
                                           << "Other!A5+'My Sheet'!A5+S!A15";
        QTest::newRow("numbers stay") << "A5*1.5+2"
                                      << "A3*1.5+2"
                                      << "A15*1.5+2";
    }
    void formulaReferences()
    {
        QFETCH(QString, formula);
        QFETCH(QString, deleting3to4);
        QFETCH(QString, copiedDown10);
        QCOMPARE(RewriteReferences(formula, QStringLiteral("S"),
                                   [](ReferenceEnd &a, ReferenceEnd *b) { return DeleteRowsChange(3, 4, a, b); }),
                 deleting3to4);
        QCOMPARE(RewriteReferences(formula, QStringLiteral("S"),
                                   [](ReferenceEnd &a, ReferenceEnd *b) { return TranslateChange(10, 0, a, b); }),
                 copiedDown10);
    }

    // Each case runs one row operation on the small workbook, saves it and reads the saved file back.
    void rowOperations_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("cells"); // "REF=value" or "REF==formula"; "REF=" for an empty cell
        QTest::addColumn<QStringList>("merges");
        QTest::addColumn<QList<int>>("breaks");
        QTest::addColumn<QString>("printArea");

        QTest::newRow("delete 3:4") << "delete 3:4" << QStringList{"C2==A2+B2", "A3=block",       "B3==C2+A4",
                                                                   "A4=6",      "A5==SUM(A1:A4)", "D2==A2*2"}
                                    << QStringList{"B1:C1", "A3:A4"} << QList<int>{3} << "$A$1:$C$5";
        QTest::newRow("delete 2:2") << "delete 2:2" << QStringList{"C2==SUM(A2:A3)", "B3==#REF!*A3", "D2==A2*2", "A2=3"}
                                    << QStringList{"B1:C1", "A4:A5", "B2:C3"} << QList<int>{4} << "$A$1:$C$6";
        QTest::newRow("delete the rows of the page break")
            << "delete 5:7" << QStringList{"A4=4", "A5="} << QStringList{"B1:C1", "B3:C4"} << QList<int>{}
            << "$A$1:$C$4";
        QTest::newRow("copy 5:6 below") << "copy 5:6 10"
                                        << QStringList{"A10=block", "B10==C7+A11", "A11=6", "A5=block", "B5==C2+A6"}
                                        << QStringList{"B1:C1", "A5:A6", "B3:C4", "A10:A11"} << QList<int>{5}
                                        << "$A$1:$C$7";
        QTest::newRow("copy over a merged row")
            << "copy 3:3 4" << QStringList{"A4=3", "B4=", "C4==SUM(A3:A5)", "D4==A4*2"} << QStringList{"B1:C1", "A5:A6"}
            << QList<int>{5} << "$A$1:$C$7";
        QTest::newRow("copy up, references lost")
            << "copy 7:7 1" << QStringList{"A1==SUM(#REF!)", "B1=", "A7==SUM(A1:A6)"} << QStringList{"A5:A6", "B3:C4"}
            << QList<int>{5} << "$A$1:$C$7";
        QTest::newRow("copy keeps the format")
            << "copy 4:4 9" << QStringList{"A9=4", "B9==$A$2*A9"} << QStringList{"B1:C1", "A5:A6", "B3:C4"}
            << QList<int>{5} << "$A$1:$C$7";
    }
    void rowOperations()
    {
        QFETCH(QString, operation);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, merges);
        QFETCH(QList<int>, breaks);
        QFETCH(QString, printArea);

        QTemporaryDir dir;
        const QString source = writeFile(dir, QStringLiteral("small.xlsx"), smallWorkbook());
        const QByteArray before = digest(source);
        TMSExcel excel;
        QVERIFY2(excel.OpenTemplate(source), qPrintable(excel.error()));
        QVERIFY(excel.SelectSheet(QStringLiteral("S")));
        const QStringList words = operation.split(QLatin1Char(' '));
        if (words[0] == QLatin1String("delete"))
            QVERIFY(excel.DeleteRows(words[1]));
        else
            QVERIFY(excel.CopyRows(words[1], words[2].toInt()));
        const QString saved = dir.filePath(QStringLiteral("out.xlsx"));
        QVERIFY2(excel.SaveAs(saved), qPrintable(excel.error()));
        QCOMPARE(digest(source), before);
        QVERIFY(!QFile::exists(WorkFileFor(saved)));

        TMSExcel back;
        QVERIFY(back.Open(saved));
        QVERIFY(back.SelectSheet(QStringLiteral("S")));
        for (const QString &check : cells) {
            const QString ref = check.section(QLatin1Char('='), 0, 0);
            const QString expected = check.section(QLatin1Char('='), 1);
            if (expected.startsWith(QLatin1Char('='))) {
                QCOMPARE(back.formula(ref), expected.mid(1));
            } else {
                const QVariant value = back.cell(ref);
                QCOMPARE(value.isValid() ? value.toString() : QString(), expected);
            }
        }
        QStringList gotMerges = back.mergedRanges();
        gotMerges.sort();
        merges.sort();
        QCOMPARE(gotMerges, merges);
        QCOMPARE(back.pageBreaks(), breaks);
        QCOMPARE(back.printArea(), printArea);
        if (operation == QLatin1String("copy 4:4 9"))
            QCOMPARE(back.styleOf(QStringLiteral("A9")), 3);
    }

    // Several operations in a row, as the exports make a long sheet: rows pasted below, over and above one
    // another, cells written into pasted rows, out of order and after rows were deleted. Each written cell
    // must land in its one row, the rows stay in order, and the merged cells follow every paste.
    void rowSequences_data()
    {
        QTest::addColumn<QStringList>("steps"); // "copy ROWS TO", "delete ROWS", "set REF TEXT"
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("merges");

        const QStringList template_{"B1:C1", "A5:A6", "B3:C4"};
        QTest::newRow("cells written into pasted rows, bottom up")
            << QStringList{"copy 3:3 9", "copy 3:3 8", "set A9 nine", "set A8 eight", "set D8 d", "set A8 again"}
            << QStringList{"A8=again", "A9=nine", "D8=d", "C8==SUM(A7:A9)", "C9==SUM(A8:A10)", "A3=3"} << template_;
        QTest::newRow("rows added above, between and below")
            << QStringList{"set A12 c", "set A10 a", "set A11 b", "set A1 top", "set B12 cc"}
            << QStringList{"A10=a", "A11=b", "A12=c", "B12=cc", "A1=top", "A2=1"} << template_;
        QTest::newRow("a merged pair pasted down, one paste then covered")
            << QStringList{"copy 5:6 10", "copy 5:6 12", "copy 5:6 14", "copy 7:7 12"}
            << QStringList{"A10=block", "A12==SUM(A6:A11)", "A13=6", "A14=block", "B14==C11+A15"}
            << (template_ + QStringList{"A10:A11", "A14:A15"});
        QTest::newRow("a paste covering the lower row of a merged pair")
            << QStringList{"copy 5:6 10", "copy 7:7 11", "set A11 x"} << QStringList{"A10=block", "A11=x"} << template_;
        QTest::newRow("cells written after a deletion")
            << QStringList{"copy 4:4 20", "delete 2:3", "set A18 x", "set B2 y", "set A5 z"}
            << QStringList{"A18=x", "B18==#REF!*A18", "A2=4", "B2=y", "A3=block", "A5=z", "A20="}
            << QStringList{"B1:C1", "A3:A4", "B2:C2"};
    }
    void rowSequences()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, merges);

        QTemporaryDir dir;
        TMSExcel excel;
        QVERIFY(excel.OpenTemplate(writeFile(dir, QStringLiteral("small.xlsx"), smallWorkbook())));
        QVERIFY(excel.SelectSheet(QStringLiteral("S")));
        for (const QString &step : steps) {
            const QStringList words = step.split(QLatin1Char(' '));
            if (words[0] == QLatin1String("copy"))
                QVERIFY(excel.CopyRows(words[1], words[2].toInt()));
            else if (words[0] == QLatin1String("delete"))
                QVERIFY(excel.DeleteRows(words[1]));
            else
                QVERIFY(excel.SetCell(words[1], words[2]));
        }
        const QString saved = dir.filePath(QStringLiteral("out.xlsx"));
        QVERIFY2(excel.SaveAs(saved), qPrintable(excel.error()));

        // One element per row, in order: a reader takes a second element of a row for a damaged file.
        QString error;
        const std::optional<OoxmlPackage> package = OoxmlPackage::read(saved, &error);
        QVERIFY2(package, qPrintable(error));
        static const QRegularExpression rowNumber(QStringLiteral("<row r=\"(\\d+)\""));
        int previous = 0;
        for (const QRegularExpressionMatch &m :
             rowNumber.globalMatch(QString::fromUtf8(package->part(QStringLiteral("xl/worksheets/sheet1.xml"))))) {
            QVERIFY2(m.captured(1).toInt() > previous, qPrintable(m.captured(0)));
            previous = m.captured(1).toInt();
        }

        TMSExcel back;
        QVERIFY(back.Open(saved));
        QVERIFY(back.SelectSheet(QStringLiteral("S")));
        for (const QString &check : cells) {
            const QString ref = check.section(QLatin1Char('='), 0, 0);
            const QString expected = check.section(QLatin1Char('='), 1);
            if (expected.startsWith(QLatin1Char('='))) {
                QCOMPARE(back.formula(ref), expected.mid(1));
            } else {
                const QVariant value = back.cell(ref);
                QCOMPARE(value.isValid() ? value.toString() : QString(), expected);
            }
        }
        QStringList gotMerges = back.mergedRanges();
        gotMerges.sort();
        merges.sort();
        QCOMPARE(gotMerges, merges);
    }

    void writtenCells()
    {
        QTemporaryDir dir;
        TMSExcel excel;
        QVERIFY(excel.OpenTemplate(writeFile(dir, QStringLiteral("small.xlsx"), smallWorkbook())));
        QVERIFY(!excel.SetCell(QStringLiteral("A1"), QStringLiteral("no sheet selected yet")));
        QVERIFY(excel.SelectSheet(QStringLiteral("S")));
        QVERIFY(excel.SetCell(QStringLiteral("b7"), 2.5, 3));                       // row 10
        QVERIFY(excel.SetCell(QStringLiteral("C2"), QStringLiteral(" 12 ")));       // a text replaces a formula
        QVERIFY(excel.SetCell(QStringLiteral("A4"), QStringLiteral("a\x01 b\nc"))); // XML cannot carry \x01
        QVERIFY(!excel.SetCell(QStringLiteral("!!"), 1.0));
        QVERIFY(!excel.SetCell(QStringLiteral("A0"), 1.0));
        QVERIFY(!excel.SetCell(QStringLiteral("A1"), std::numeric_limits<double>::quiet_NaN()));
        QVERIFY(!excel.CopyRows(QStringLiteral("3:x"), 4));
        QVERIFY(!excel.DeleteRows(QStringLiteral("5:3")));
        excel.SetCaption(QStringLiteral("FACTURE D'ESSAI"));
        const QString saved = dir.filePath(QStringLiteral("out.xlsx"));
        QVERIFY(excel.SaveAs(saved));

        TMSExcel back;
        QVERIFY(back.Open(saved));
        QVERIFY(back.SelectSheet(QStringLiteral("S")));
        QCOMPARE(back.cell(QStringLiteral("B10")), QVariant(2.5));
        QCOMPARE(back.cell(QStringLiteral("C2")), QVariant(QStringLiteral(" 12 ")));
        QCOMPARE(back.formula(QStringLiteral("C2")), QString());
        QCOMPARE(back.cell(QStringLiteral("A4")), QVariant(QStringLiteral("a b\nc")));
        QCOMPARE(back.styleOf(QStringLiteral("A4")), 3);
        QCOMPARE(back.caption(), QStringLiteral("FACTURE D'ESSAI"));
    }

    void damagedTemplates_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << "S"
                                 << "does not exist";
        QTest::newRow("not a zip") << QByteArray("PK\x03\x04 this is not really a zip") << "S"
                                   << "not a zip";
        QTest::newRow("cut short") << smallWorkbook().left(300) << "S"
                                   << "not a zip";
        QTest::newRow("no named sheet") << smallWorkbook() << "PAGE1"
                                        << "no sheet named PAGE1";
    }
    void damagedTemplates()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, sheet);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = content.isEmpty() ? dir.filePath(QStringLiteral("none.xlsx"))
                                               : writeFile(dir, QStringLiteral("t.xlsx"), content);
        TMSExcel excel;
        const bool opened = excel.OpenTemplate(path) && excel.SelectSheet(sheet);
        QVERIFY(!opened);
        QVERIFY2(excel.error().contains(message), qPrintable(excel.error()));
        TMSWinWord word;
        QVERIFY(!word.Open(path));
    }

    void zipWithoutWorkbook()
    {
        QTemporaryDir dir;
        OoxmlPackage package;
        package.setPart(QStringLiteral("readme.txt"), "just a zip");
        QString error;
        const QString path = dir.filePath(QStringLiteral("plain.zip"));
        QVERIFY(package.write(path, &error));
        TMSExcel excel;
        QVERIFY(!excel.OpenTemplate(path));
        QVERIFY(excel.error().contains(QStringLiteral("not a spreadsheet")));
        TMSWinWord word;
        QVERIFY(!word.Open(path));
        QVERIFY(word.error().contains(QStringLiteral("not a word-processor document")));
    }

    // A write that cannot happen leaves neither the document nor its work file.
    void failedSaveLeavesNothing()
    {
        QTemporaryDir dir;
        TMSExcel excel;
        QVERIFY(excel.OpenTemplate(writeFile(dir, QStringLiteral("small.xlsx"), smallWorkbook())));
        const QString target = dir.filePath(QStringLiteral("missing-folder/out.xlsx"));
        QVERIFY(!excel.SaveAs(target));
        QVERIFY(!excel.error().isEmpty());
        QVERIFY(!QFile::exists(target));
        QVERIFY(!QFile::exists(WorkFileFor(target)));
    }
};

QTEST_GUILESS_MAIN(TestOfficeLayer)
#include "test_office_layer.moc"
