#include "cli/Command.h"

#include "db/Conversion.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"

#include <QIODevice>

namespace zelvane {

namespace {

// The conversion of a file of an older generation, as the program runs it when it opens one.
class Convert : public Command
{
public:
    Convert()
        : Command(QStringLiteral("convert"), QStringLiteral("FILE"),
                  QStringLiteral("Converts FILE, a management file of an older generation, to the current one in\n"
                                 "place; the file as it was is kept as FILE.bak.N. A failure leaves FILE as it\n"
                                 "was. Prints the path of that backup."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A management file."));
        AddUserOption(parser);
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        if (parser.positionalArguments().size() != 1)
            throw CommandFailure{QStringLiteral("convert needs exactly one FILE")};
        const QString path = parser.positionalArguments().first();
        const FileCheck check = CheckManagementFile(path);
        if (!check.ok())
            throw CommandFailure{check.error};
        if (!GenerationOf(check.tag))
            throw CommandFailure{QStringLiteral("%1 is already of the current version %2").arg(path, check.tag)};
        IdentifyUser(path, parser);
        const ConversionResult converted = ConvertOlderFile(path);
        if (!converted.ok())
            throw CommandFailure{converted.error};
        out.write((converted.backup + QLatin1Char('\n')).toUtf8());
        if (converted.refusedRows > 0)
            out.write(QStringLiteral("%1 rows of the old file were refused\n").arg(converted.refusedRows).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeConvertCommand() { return std::make_unique<Convert>(); }

} // namespace zelvane
