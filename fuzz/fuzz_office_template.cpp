// The office template reader: any file given as a template is refused or filled, never a crash, and a
// filled document can always be written.
#include "office/TMSExcel.h"
#include "office/TMSWinWord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString folder = [] {
        const QString path = QDir::tempPath() + QStringLiteral("/zelvane-fuzz-office-%1").arg(getpid());
        QDir().mkpath(path);
        return path;
    }();
    const QString input = folder + QStringLiteral("/template");
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    zelvane::TMSExcel excel;
    if (excel.OpenTemplate(input)) {
        for (const QString &sheet : excel.sheetNames()) {
            if (!excel.SelectSheet(sheet))
                continue;
            excel.SetCell(QStringLiteral("B2"), QStringLiteral("texte"));
            excel.SetCell(QStringLiteral("C3"), 1.5, 2);
            excel.CopyRows(QStringLiteral("1:3"), 6);
            excel.DeleteRows(QStringLiteral("2:4"));
            excel.AddPageBreak(3);
            excel.SetPrintArea(QStringLiteral("$A$1:$C$9"));
            (void)excel.cell(QStringLiteral("A1"));
        }
        excel.SetCaption(QStringLiteral("Titre"));
        excel.SaveAs(folder + QStringLiteral("/out.xlsx"));
    }
    zelvane::TMSWinWord word;
    if (word.Open(input)) {
        word.SetTableCell(1, 1, 1, QStringLiteral("ligne\nsuivante"));
        (void)word.text();
        word.SaveAs(folder + QStringLiteral("/out.docx"));
    }
    return 0;
}
