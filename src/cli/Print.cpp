#include "cli/Command.h"

#include "common/Dates.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "print/PdfOutput.h"
#include "reports/Catalogue.h"
#include "reports/Documents.h"

#include <QIODevice>
#include <limits>

namespace zelvane {

namespace {

// One document of the catalogue, made as the documents window makes it.
class Print : public DatabaseCommand
{
public:
    Print()
        : DatabaseCommand(
            QStringLiteral("print"),
            QStringLiteral("FILE --doc CODE [--day DD/MM/YYYY] [--from DD/MM/YYYY] [--to DD/MM/YYYY]\n"
                           "      [--made-on DD/MM/YYYY] [--article N] [--supplier N] [--invoice N] [--model N]\n"
                           "      (--pdf OUT.pdf | --text)"),
            QStringLiteral("Produces the document of catalogue code CODE as the documents window does for\n"
                           "the day (today by default, brought into the management year). The period is\n"
                           "the month of the day unless given, \"Fait le\" is today unless --made-on,\n"
                           "--article 0 (the default) is every article; --model is the line of the\n"
                           "models list, from 0. --pdf writes it as PDF; --text prints the texts of each\n"
                           "page in reading order under a line \"--- page N\"."))
    {
    }

protected:
    void addCommandOptions(QCommandLineParser &parser) override
    {
        const QString day = QStringLiteral("DD/MM/YYYY");
        const QString n = QStringLiteral("N");
        parser.addOptions({{QStringLiteral("doc"), QStringLiteral("Catalogue code."), QStringLiteral("CODE")},
                           {QStringLiteral("day"), QStringLiteral("The day."), day},
                           {QStringLiteral("from"), QStringLiteral("First day of the period."), day},
                           {QStringLiteral("to"), QStringLiteral("Last day of the period."), day},
                           {QStringLiteral("made-on"), QStringLiteral("The \"Fait le\" date."), day},
                           {QStringLiteral("article"), QStringLiteral("Article code."), n},
                           {QStringLiteral("supplier"), QStringLiteral("Supplier code."), n},
                           {QStringLiteral("invoice"), QStringLiteral("Invoice number."), n},
                           {QStringLiteral("model"), QStringLiteral("Model line."), n},
                           {QStringLiteral("pdf"), QStringLiteral("PDF file to write."), QStringLiteral("OUT.pdf")},
                           {QStringLiteral("text"), QStringLiteral("Print the texts of each page.")}});
    }

    int executeOn(Tfdb &db, const QString &, const QCommandLineParser &parser, QIODevice &out) override
    {
        if (!parser.isSet(QStringLiteral("doc")))
            throw CommandFailure{QStringLiteral("print needs --doc CODE")};
        if (parser.isSet(QStringLiteral("pdf")) == parser.isSet(QStringLiteral("text")))
            throw CommandFailure{QStringLiteral("print needs one of --pdf OUT.pdf and --text")};
        const qint32 code = PositiveNumber(parser, QStringLiteral("doc"), std::numeric_limits<qint32>::max());
        bool listed = false;
        for (const CatalogueEntry &entry : BuildCatalogue(db.organisme))
            listed = listed || entry.code == code;
        if (!listed)
            throw CommandFailure{QStringLiteral("no document %1 in the catalogue of this file").arg(code)};
        if (!IsDocumentBuilt(code))
            throw CommandFailure{QStringLiteral("document %1 cannot be printed yet").arg(code)};

        const QDate day = db.ValidateDate(dateOption(parser, QStringLiteral("day"), QDate::currentDate()));
        db.startSession(day);
        TParametresEdition parameters;
        parameters.Nature = code;
        parameters.Journee = db.selectedDay();
        parameters.PeriodeDu = dateOption(parser, QStringLiteral("from"), FirstDayOfMonth(parameters.Journee));
        parameters.PeriodeAu = dateOption(parser, QStringLiteral("to"), LastDayOfMonth(parameters.Journee));
        parameters.FaitLe = dateOption(parser, QStringLiteral("made-on"), QDate::currentDate());
        parameters.CodeArt = numberOption(parser, QStringLiteral("article"), 0);
        parameters.CodeFour = numberOption(parser, QStringLiteral("supplier"), 0);
        parameters.NumFacture = numberOption(parser, QStringLiteral("invoice"), 0);
        parameters.Modele = numberOption(parser, QStringLiteral("model"), -1);

        const std::optional<ReportDocument> document = ProduceDocument(db, parameters);
        if (const QString failures = reportedFailures(); !failures.isEmpty())
            throw CommandFailure{QStringLiteral("the document cannot be made: %1").arg(failures)};
        if (!document)
            throw CommandFailure{QStringLiteral("document %1 prints nothing for these parameters").arg(code)};
        if (parser.isSet(QStringLiteral("pdf"))) {
            if (!WritePdf(*document, parser.value(QStringLiteral("pdf"))))
                throw CommandFailure{QStringLiteral("cannot write %1").arg(parser.value(QStringLiteral("pdf")))};
            return 0;
        }
        for (int page = 0; page < document->pages.size(); ++page) {
            out.write(QStringLiteral("--- page %1\n").arg(page + 1).toUtf8());
            for (const QString &text : ReadingOrder(document->pages.at(page)))
                out.write((text + QLatin1Char('\n')).toUtf8());
        }
        return 0;
    }

private:
    static QDate dateOption(const QCommandLineParser &parser, const QString &option, const QDate &fallback)
    {
        if (!parser.isSet(option))
            return fallback;
        const std::optional<QDate> date = ParseDate(parser.value(option));
        if (!date)
            throw CommandFailure{
                QStringLiteral("--%1: %2 is not a day (DD/MM/YYYY)").arg(option, parser.value(option))};
        return *date;
    }

    static qint32 numberOption(const QCommandLineParser &parser, const QString &option, qint32 fallback)
    {
        return parser.isSet(option) ? PositiveNumber(parser, option, std::numeric_limits<qint32>::max(), true) : fallback;
    }
};

} // namespace

std::unique_ptr<Command> MakePrintCommand() { return std::make_unique<Print>(); }

} // namespace zelvane
