#include "cli/Command.h"

#include "common/Profile.h"
#include "years/SafetyCopies.h"

#include <QFileInfo>
#include <QIODevice>

namespace zelvane {

namespace {

// The copies the desktop program makes without being asked.
class SafetyCopiesCommand : public Command
{
public:
    SafetyCopiesCommand()
        : Command(QStringLiteral("safety-copies"), QStringLiteral("FILE [--folder DIR]"),
                  QStringLiteral("Lists the safety copies of the management file FILE, oldest first: day, movements\n"
                                 "and path. They are in DIR, else in the folder the profile names, else in safety/\n"
                                 "beside FILE. The desktop program makes one a day at the first change and when\n"
                                 "it leaves a changed file, and keeps the last 7 days and the last copy of each\n"
                                 "month."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A management file."));
        parser.addOption(
            {QStringLiteral("folder"), QStringLiteral("The folder of the copies."), QStringLiteral("DIR")});
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        if (parser.positionalArguments().size() != 1)
            throw CommandFailure{QStringLiteral("safety-copies needs exactly one FILE")};
        const QString file = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
        const QString chosen = parser.isSet(QStringLiteral("folder"))
                                   ? parser.value(QStringLiteral("folder"))
                                   : Profile().ReadValue(QString::fromLatin1(kSafetyFolderKey));
        for (const SafetyCopy &copy : ListSafetyCopies(SafetyFolder(file, chosen), file))
            out.write(QStringLiteral("%1  %2  %3\n")
                          .arg(copy.day.toString(QStringLiteral("dd/MM/yyyy")),
                               copy.movements < 0 ? QStringLiteral("illisible")
                                                  : QStringLiteral("%1 mouvements").arg(copy.movements),
                               copy.path)
                          .toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeSafetyCopiesCommand() { return std::make_unique<SafetyCopiesCommand>(); }

} // namespace zelvane
