#include "cli/Command.h"

#include "common/Paths.h"
#include "stock/Demo.h"

#include <QIODevice>

namespace zelvane {

namespace {

// A plausible year, for newcomers and the benchmarks.
class Demo : public Command
{
public:
    Demo()
        : Command(QStringLiteral("demo"),
                  QStringLiteral("--kind N --year YYYY [--articles N] [--movements N] [--name FILE] [--force]"),
                  QStringLiteral("Makes a management file as prepare does and fills it with a plausible year:\n"
                                 "suppliers, an opening stock, entries at varying prices, exits per meal that\n"
                                 "never take the stock below zero, and head-counts for every school day.\n"
                                 "--articles adds generated articles beyond the kind's list (or keeps only the\n"
                                 "first ones); --movements defaults to 20000. The same arguments always give\n"
                                 "the same content. Prints the full path of the file."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addOptions({{QStringLiteral("kind"), QStringLiteral("Establishment kind."), QStringLiteral("N")},
                           {QStringLiteral("year"), QStringLiteral("Management year."), QStringLiteral("YYYY")},
                           {QStringLiteral("articles"), QStringLiteral("Number of articles."), QStringLiteral("N")},
                           {QStringLiteral("movements"), QStringLiteral("Number of movements."), QStringLiteral("N")},
                           {QStringLiteral("name"), QStringLiteral("File name."), QStringLiteral("FILE")},
                           {QStringLiteral("force"), QStringLiteral("Overwrite an existing file.")}});
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        if (!parser.positionalArguments().isEmpty())
            throw CommandFailure{QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first())};
        if (!parser.isSet(QStringLiteral("kind")) || !parser.isSet(QStringLiteral("year")))
            throw CommandFailure{QStringLiteral("demo needs --kind N and --year YYYY")};
        DemoRequest request;
        bool isNumber = false;
        request.kind = parser.value(QStringLiteral("kind")).toInt(&isNumber);
        if (!isNumber || request.kind <= 0)
            throw CommandFailure{QStringLiteral("unknown establishment kind %1").arg(parser.value(QStringLiteral("kind")))};
        if (parser.isSet(QStringLiteral("articles")))
            request.articles = PositiveNumber(parser, QStringLiteral("articles"));
        if (parser.isSet(QStringLiteral("movements")))
            request.movements = PositiveNumber(parser, QStringLiteral("movements"), true);
        request.fileName = parser.value(QStringLiteral("name"));
        if (request.fileName.contains(QLatin1Char('/')))
            throw CommandFailure{QStringLiteral("--name takes a file name without folder")};
        request.folder = DatabasesDir();
        request.year = parser.value(QStringLiteral("year"));
        request.overwrite = parser.isSet(QStringLiteral("force"));
        const NewFileResult result = MakeDemoFile(request);
        if (!result.ok())
            throw CommandFailure{result.error};
        out.write((result.path + QLatin1Char('\n')).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeDemoCommand() { return std::make_unique<Demo>(); }

} // namespace zelvane
