#include "cli/Command.h"

#include "db/Conversion.h"
#include "db/DataModule.h"
#include "db/FileReport.h"

#include <QFileInfo>
#include <QIODevice>

namespace zelvane {

namespace {

// What a management file holds, read-only.
class Info : public DatabaseCommand
{
public:
    Info()
        : DatabaseCommand(QStringLiteral("info"), QStringLiteral("FILE"),
                          QStringLiteral("Opens FILE as the program does, read-only, and prints its schema tag, its\n"
                                         "options and the row count of every table."))
    {
    }

protected:
    // Reports any management file, its options row or not.
    bool needsOptions() const override { return false; }

    int executeOn(Tfdb &db, const QString &path, const QCommandLineParser &, QIODevice &out) override
    {
        WriteFileReport(db, path, out);
        return 0;
    }

    int executeOnOlder(const QString &path, QIODevice &out) override
    {
        const QString tag = FileSchemaTag(path);
        if (!GenerationOf(tag))
            return DatabaseCommand::executeOnOlder(path, out);
        out.write(QStringLiteral("file: %1\nschema: %2\ngeneration: older, can be converted to %3 (zelvane-cli "
                                 "convert FILE, or by opening it in the program)\n")
                      .arg(QFileInfo(path).absoluteFilePath(), tag, QString::fromLatin1(kSchemaTag))
                      .toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeInfoCommand() { return std::make_unique<Info>(); }

} // namespace zelvane
