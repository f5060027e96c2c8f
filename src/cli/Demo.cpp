#include "cli/Command.h"

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
        AddNewFileOptions(parser);
        parser.addOptions({{QStringLiteral("articles"), QStringLiteral("Number of articles."), QStringLiteral("N")},
                           {QStringLiteral("movements"), QStringLiteral("Number of movements."), QStringLiteral("N")}});
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        DemoRequest request;
        static_cast<NewFileRequest &>(request) = NewFileRequestOf(name(), parser);
        if (parser.isSet(QStringLiteral("articles")))
            request.articles = PositiveNumber(parser, QStringLiteral("articles"), kMostDemoArticles);
        if (parser.isSet(QStringLiteral("movements")))
            request.movements = PositiveNumber(parser, QStringLiteral("movements"), kMostDemoMovements, true);
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
