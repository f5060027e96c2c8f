#include "cli/Command.h"

#include "common/Form.h"
#include "common/Format.h"
#include "common/TextFile.h"
#include "db/DataModule.h"
#include "menus/WeeklyMenu.h"
#include "print/PdfOutput.h"
#include "reports/Catalogue.h"
#include "reports/Documents.h"
#include "reports/ParameterPanel.h"

#include <QIODevice>
#include <limits>

namespace zelvane {

namespace {

// The weekly menu's window on the command line: the texts of a file, one a line in the window's order; a
// backslash followed by n inside a line stands for a line break, and missing lines are empty. Installed
// while it lives.
class MenuTextsFile : public WeeklyMenuForm
{
public:
    explicit MenuTextsFile(const QString &path)
    {
        if (!path.isEmpty())
            read(path);
        Form<WeeklyMenuForm>::install(this);
    }
    ~MenuTextsFile() override { Form<WeeklyMenuForm>::uninstall(this); }

    bool editWeeklyMenu(MenuLanguage, QDate &, QDate &, WeeklyMenuTexts &texts) override
    {
        texts = m_texts;
        return true;
    }

private:
    void read(const QString &path)
    {
        // 21 menus of a few lines each: anything larger is not a menu file.
        constexpr qint64 largest = 64 * 1024;
        QString text, error;
        if (!ReadTextFile(path, largest, &text, &error))
            throw CommandFailure{QStringLiteral("--menu-texts: %1").arg(error)};
        QStringList lines = text.remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        if (lines.size() > int(m_texts.size()))
            throw CommandFailure{
                QStringLiteral("--menu-texts: %1 holds more than %2 lines").arg(path).arg(m_texts.size())};
        for (int i = 0; i < lines.size(); ++i)
            m_texts[i] = QString(lines.at(i)).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    }

    WeeklyMenuTexts m_texts;
};

// One document of the catalogue, made as the documents window makes it.
class Print : public DatabaseCommand
{
public:
    Print()
        : DatabaseCommand(
            QStringLiteral("print"),
            QStringLiteral("FILE --doc CODE [--day DD/MM/YYYY] [--from DD/MM/YYYY] [--to DD/MM/YYYY]\n"
                           "      [--made-on DD/MM/YYYY] [--article N] [--supplier N] [--invoice N] [--model N]\n"
                           "      [--menu-texts FILE] (--pdf OUT.pdf | --text | --out FILE) [--force]"),
            QStringLiteral("Produces the document of catalogue code CODE as the documents window does for\n"
                           "the day (today by default, brought into the management year). The period is\n"
                           "the month of the day (the week of the day for the weekly menu) unless given,\n"
                           "\"Fait le\" is today unless --made-on, --article 0 (the default) is every\n"
                           "article; --model is the line of the models list, from 0. --pdf writes a\n"
                           "printed document as PDF; --text prints the texts of each page in reading\n"
                           "order under a line \"--- page N\". The office documents (6, 8, 9, the invoice\n"
                           "--model 1, the weekly menu --model 1 in Arabic or 2 in French) are written\n"
                           "to --out; the weekly menu's 21 texts are read from --menu-texts, one a line,\n"
                           "Sunday to Saturday, breakfast, lunch and dinner, \\n for a line break. An\n"
                           "existing OUT is replaced only with --force; the management file never is."))
    {
    }

protected:
    void addCommandOptions(QCommandLineParser &parser) override
    {
        const QString day = QStringLiteral("DD/MM/YYYY");
        const QString n = QStringLiteral("N");
        parser.addOptions(
            {{QStringLiteral("doc"), QStringLiteral("Catalogue code."), QStringLiteral("CODE")},
             {QStringLiteral("day"), QStringLiteral("The day."), day},
             {QStringLiteral("from"), QStringLiteral("First day of the period."), day},
             {QStringLiteral("to"), QStringLiteral("Last day of the period."), day},
             {QStringLiteral("made-on"), QStringLiteral("The \"Fait le\" date."), day},
             {QStringLiteral("article"), QStringLiteral("Article code."), n},
             {QStringLiteral("supplier"), QStringLiteral("Supplier code."), n},
             {QStringLiteral("invoice"), QStringLiteral("Invoice number."), n},
             {QStringLiteral("model"), QStringLiteral("Model line."), n},
             {QStringLiteral("pdf"), QStringLiteral("PDF file to write."), QStringLiteral("OUT.pdf")},
             {QStringLiteral("text"), QStringLiteral("Print the texts of each page.")},
             {QStringLiteral("out"), QStringLiteral("Office document to write."), QStringLiteral("FILE")},
             {QStringLiteral("menu-texts"), QStringLiteral("The weekly menu's texts."), QStringLiteral("FILE")},
             {QStringLiteral("force"), QStringLiteral("Replace an existing OUT.")}});
    }

    // A document that writes into the file (the monthly statement stores the month's figures) opens it for
    // writing; the code is read as executeOn reads it.
    bool writesFile(const QCommandLineParser &parser) const override
    {
        const std::optional<qint64> code = ParseDigits(parser.value(QStringLiteral("doc")));
        const DocumentSpec *document = code && *code <= std::numeric_limits<qint32>::max()
                                           ? FindDocument(AllDocuments(), qint32(*code))
                                           : nullptr;
        return document && document->writesFile;
    }

    int executeOn(Tfdb &db, const QString &, const QCommandLineParser &parser, QIODevice &out) override
    {
        if (!parser.isSet(QStringLiteral("doc")))
            throw CommandFailure{QStringLiteral("print needs --doc CODE")};
        const qint32 code = PositiveNumber(parser, QStringLiteral("doc"), std::numeric_limits<qint32>::max());
        const QList<DocumentSpec> catalogue = BuildCatalogue(db.organisme);
        const DocumentSpec *document = FindDocument(catalogue, code);
        if (!document)
            throw CommandFailure{QStringLiteral("no document %1 in the catalogue of this file").arg(code)};

        const QDate day = db.ValidateDate(dateOption(parser, QStringLiteral("day"), QDate::currentDate()));
        db.startSession(day);
        TParametresEdition parameters;
        parameters.Nature = code;
        parameters.Journee = db.selectedDay();
        const auto [from, to] = ProposedPeriod(*document, parameters.Journee, parameters.Journee);
        parameters.PeriodeDu = dateOption(parser, QStringLiteral("from"), from);
        // A week given by its first day ends six days later.
        const bool week = document->period == DefaultPeriod::Week;
        parameters.PeriodeAu = dateOption(parser, QStringLiteral("to"), week ? parameters.PeriodeDu.addDays(6) : to);
        checkPeriod(parser, parameters, db.gestion);
        parameters.FaitLe = dateOption(parser, QStringLiteral("made-on"), QDate::currentDate());
        parameters.CodeArt = numberOption(parser, QStringLiteral("article"), 0);
        parameters.CodeFour = numberOption(parser, QStringLiteral("supplier"), 0);
        parameters.NumFacture = numberOption(parser, QStringLiteral("invoice"), 0);
        parameters.Modele = numberOption(parser, QStringLiteral("model"), -1);

        if (document->makesOffice(parameters.Modele))
            return writeOfficeDocument(db, *document, parameters, parser, out);
        if (parser.isSet(QStringLiteral("out")))
            throw CommandFailure{
                QStringLiteral("document %1 is printed, not an office document: use --pdf or --text").arg(code)};
        if (parser.isSet(QStringLiteral("pdf")) == parser.isSet(QStringLiteral("text")))
            throw CommandFailure{QStringLiteral("print needs one of --pdf OUT.pdf and --text")};
        if (parser.isSet(QStringLiteral("pdf"))) {
            CheckOutput(parser.value(QStringLiteral("pdf")), parser);
            // Each page goes into the file as it is made: a document of a year's pages is never held whole.
            PdfStream pdf(parser.value(QStringLiteral("pdf")));
            QString error;
            if (!pdf.open(&error))
                throw CommandFailure{error};
            {
                const PageStreamScope streamed(pdf);
                checkProduced(ProduceDocument(db, *document, parameters).report, code);
            }
            if (!pdf.commit(&error))
                throw CommandFailure{error};
            return 0;
        }
        const std::optional<ReportDocument> report = ProduceDocument(db, *document, parameters).report;
        checkProduced(report, code);
        for (int page = 0; page < report->pages.size(); ++page) {
            out.write(QStringLiteral("--- page %1\n").arg(page + 1).toUtf8());
            for (const QString &text : ReadingOrder(report->pages.at(page)))
                out.write((text + QLatin1Char('\n')).toUtf8());
        }
        return 0;
    }

private:
    void checkProduced(const std::optional<ReportDocument> &report, qint32 code)
    {
        if (const QString failures = reportedFailures(); !failures.isEmpty())
            throw CommandFailure{QStringLiteral("the document cannot be made: %1").arg(failures)};
        if (!report)
            throw CommandFailure{QStringLiteral("document %1 prints nothing for these parameters").arg(code)};
    }

    int writeOfficeDocument(Tfdb &db, const DocumentSpec &document, const TParametresEdition &parameters,
                            const QCommandLineParser &parser, QIODevice &out)
    {
        if (!parser.isSet(QStringLiteral("out")) || parser.isSet(QStringLiteral("pdf"))
            || parser.isSet(QStringLiteral("text")))
            throw CommandFailure{
                QStringLiteral("document %1 is an office document: it needs --out FILE").arg(parameters.Nature)};
        CheckOutput(parser.value(QStringLiteral("out")), parser);
        MenuTextsFile menuTexts(parser.value(QStringLiteral("menu-texts")));
        const ExportResult result = ProduceDocument(db, document, parameters, parser.value(QStringLiteral("out")))
                                        .office;
        if (result.status == ExportResult::Failed)
            throw CommandFailure{result.message};
        if (result.status == ExportResult::Nothing)
            throw CommandFailure{
                QStringLiteral("document %1 has nothing to write for these parameters").arg(parameters.Nature)};
        if (const QString failures = reportedFailures(); !failures.isEmpty())
            throw CommandFailure{failures};
        out.write((result.path + QLatin1Char('\n')).toUtf8());
        return 0;
    }

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

    // A period typed on the command line lies inside the management year, its start before its end.
    static void checkPeriod(const QCommandLineParser &parser, const TParametresEdition &parameters, int year)
    {
        for (const QString &option : {QStringLiteral("from"), QStringLiteral("to")}) {
            const QDate day = option == QLatin1String("from") ? parameters.PeriodeDu : parameters.PeriodeAu;
            if (parser.isSet(option) && day.year() != year)
                throw CommandFailure{QStringLiteral("--%1: %2 is outside the management year %3")
                                         .arg(option, parser.value(option))
                                         .arg(year)};
        }
        if (parameters.PeriodeDu > parameters.PeriodeAu)
            throw CommandFailure{QStringLiteral("the period starts (%1) after it ends (%2)")
                                     .arg(DateText(parameters.PeriodeDu), DateText(parameters.PeriodeAu))};
    }

    static qint32 numberOption(const QCommandLineParser &parser, const QString &option, qint32 fallback)
    {
        return parser.isSet(option) ? PositiveNumber(parser, option, std::numeric_limits<qint32>::max(), true)
                                    : fallback;
    }
};

} // namespace

std::unique_ptr<Command> MakePrintCommand() { return std::make_unique<Print>(); }

} // namespace zelvane
