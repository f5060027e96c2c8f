#include "cli/Command.h"

#include "common/Format.h"
#include "db/DataModule.h"
#include "menus/WeeklyMenu.h"
#include "reports/OfficeExports.h"

#include <QFile>
#include <QIODevice>

namespace zelvane {

namespace {

QDate dateOption(const QCommandLineParser &parser, const QString &option, const QDate &fallback)
{
    if (!parser.isSet(option))
        return fallback;
    const std::optional<QDate> day = ParseDate(parser.value(option));
    if (!day)
        throw CommandFailure{QStringLiteral("--%1: %2 is not a day (DD/MM/YYYY)").arg(option, parser.value(option))};
    return *day;
}

// The 21 texts of the weekly menu, one a line in the window's order (Sunday's breakfast, lunch and dinner,
// then Monday's...); "\n" inside a line stands for a line break. Missing lines are empty.
WeeklyMenuTexts menuTexts(const QString &path)
{
    WeeklyMenuTexts texts;
    if (path.isEmpty())
        return texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw CommandFailure{QStringLiteral("--menu-texts: %1: %2").arg(path, file.errorString())};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (lines.size() > int(texts.size()) + 1 || (lines.size() == int(texts.size()) + 1 && !lines.last().isEmpty()))
        throw CommandFailure{QStringLiteral("--menu-texts: %1 holds more than %2 lines").arg(path).arg(texts.size())};
    for (int i = 0; i < lines.size() && i < int(texts.size()); ++i)
        texts[i] = QString(lines.at(i)).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return texts;
}

// The office documents written to a file instead of being opened.
class Export : public DatabaseCommand
{
public:
    Export()
        : DatabaseCommand(
            QStringLiteral("export"),
            QStringLiteral("FILE --doc 9|10|17 --out FILE [--day DD/MM/YYYY] [--supplier N --invoice N]\n"
                           "      [--model 1|2 --from DD/MM/YYYY --to DD/MM/YYYY --menu-texts FILE]"),
            QStringLiteral("Fills the office template of a document and writes it to --out: 9 the canteen\n"
                           "issue note of --day (.xlsx), 10 the invoice --invoice of supplier --supplier\n"
                           "(.xlsx), 17 the weekly menu of --from to --to (.docx), --model 1 in Arabic or\n"
                           "2 in French, its 21 texts read from --menu-texts (one a line, Sunday to\n"
                           "Saturday, breakfast, lunch and dinner; \\n for a line break)."))
    {
    }

protected:
    void addCommandOptions(QCommandLineParser &parser) override
    {
        parser.addOptions(
            {{QStringLiteral("doc"), QStringLiteral("The document's code."), QStringLiteral("CODE")},
             {QStringLiteral("out"), QStringLiteral("The document to write."), QStringLiteral("FILE")},
             {QStringLiteral("day"), QStringLiteral("The day."), QStringLiteral("DD/MM/YYYY")},
             {QStringLiteral("supplier"), QStringLiteral("The supplier's code."), QStringLiteral("N")},
             {QStringLiteral("invoice"), QStringLiteral("The invoice's number."), QStringLiteral("N")},
             {QStringLiteral("model"), QStringLiteral("1 Arabic, 2 French."), QStringLiteral("N")},
             {QStringLiteral("from"), QStringLiteral("First day."), QStringLiteral("DD/MM/YYYY")},
             {QStringLiteral("to"), QStringLiteral("Last day."), QStringLiteral("DD/MM/YYYY")},
             {QStringLiteral("menu-texts"), QStringLiteral("The weekly menu's texts."), QStringLiteral("FILE")}});
    }

    int executeOn(Tfdb &db, const QString &, const QCommandLineParser &parser, QIODevice &out) override
    {
        if (!parser.isSet(QStringLiteral("doc")) || !parser.isSet(QStringLiteral("out")))
            throw CommandFailure{QStringLiteral("export needs --doc CODE and --out FILE")};
        const int code = PositiveNumber(parser, QStringLiteral("doc"), 99);
        const QString outPath = parser.value(QStringLiteral("out"));
        const QDate day = db.ValidateDate(dateOption(parser, QStringLiteral("day"), QDate::currentDate()));
        ExportResult result;
        switch (code) {
        case 9:
            result = ExportBonSortieCantine(db, day, outPath);
            break;
        case 10:
            result = ExportFacture(db, PositiveNumber(parser, QStringLiteral("supplier"), 2147483647),
                                   PositiveNumber(parser, QStringLiteral("invoice"), 2147483647), QDate::currentDate(),
                                   {}, outPath);
            break;
        case 17: {
            const int model = PositiveNumber(parser, QStringLiteral("model"), 2);
            const QDate from = dateOption(parser, QStringLiteral("from"), day);
            const QDate to = dateOption(parser, QStringLiteral("to"), from.addDays(6));
            result = WriteMenuHebdomadaire(model == 1 ? MenuLanguage::Arabic : MenuLanguage::French, from, to,
                                           menuTexts(parser.value(QStringLiteral("menu-texts"))), outPath);
            break;
        }
        default:
            throw CommandFailure{QStringLiteral("--doc %1 is not an office document (9, 10 or 17)").arg(code)};
        }
        if (result.status == ExportResult::Failed)
            throw CommandFailure{result.message};
        if (result.status == ExportResult::Nothing)
            throw CommandFailure{QStringLiteral("nothing to export: the document has no line")};
        if (const QString failures = reportedFailures(); !failures.isEmpty())
            throw CommandFailure{failures};
        out.write((result.path + QLatin1Char('\n')).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeExportCommand() { return std::make_unique<Export>(); }

} // namespace zelvane
