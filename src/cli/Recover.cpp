#include "cli/Command.h"

#include "common/WorkFiles.h"
#include "years/Recovery.h"

#include <QFileInfo>
#include <QIODevice>

namespace zelvane {

namespace {

// What can be read from a damaged management file, saved into a new one.
class Recover : public Command
{
public:
    Recover()
        : Command(QStringLiteral("recover"), QStringLiteral("FILE --out NEW [--force]"),
                  QStringLiteral("Saves what can still be read from the damaged management file FILE (a power\n"
                                 "failure, a disk error) into the new management file NEW, made from the\n"
                                 "template: every readable page is scanned and each table takes the rows found\n"
                                 "for it. FILE is only read. Prints, per table, the rows kept and the rows the\n"
                                 "damaged file still counts but that could not be read (lost). An existing NEW\n"
                                 "is replaced only with --force."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A damaged management file."));
        parser.addOptions({{QStringLiteral("out"), QStringLiteral("The new management file."), QStringLiteral("NEW")},
                           {QStringLiteral("force"), QStringLiteral("Replace an existing NEW.")}});
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        if (parser.positionalArguments().size() != 1)
            throw CommandFailure{QStringLiteral("recover needs exactly one FILE")};
        if (!parser.isSet(QStringLiteral("out")))
            throw CommandFailure{QStringLiteral("recover needs --out NEW")};
        const QString source = parser.positionalArguments().first();
        const QString target = QFileInfo(parser.value(QStringLiteral("out"))).absoluteFilePath();
        const FileInUse reading(source);
        CheckOutput(target, parser);
        CheckManagementFileName(target);
        const RecoveryReport report = RecoverManagementFile(source, target);
        if (!report.ok())
            throw CommandFailure{QStringLiteral("%1 : rien n'a été sauvé : %2").arg(source, report.error)};
        out.write((report.path + QLatin1Char('\n') + report.text()).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeRecoverCommand() { return std::make_unique<Recover>(); }

} // namespace zelvane
