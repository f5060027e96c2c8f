#include "cli/Command.h"

#include "common/Format.h"
#include "common/Paths.h"
#include "common/Prompter.h"
#include "db/DataModule.h"

#include <QFileInfo>
#include <QIODevice>

namespace zelvane {

Command::Command(QString name, QString synopsis, QString description)
    : m_name(std::move(name))
    , m_synopsis(std::move(synopsis))
    , m_description(std::move(description))
{
}

Command::~Command() = default;

QString Command::usage() const
{
    QString text = QStringLiteral("  ") + m_name + QLatin1Char(' ') + m_synopsis + QLatin1Char('\n');
    for (const QString &line : m_description.split(QLatin1Char('\n')))
        text += QStringLiteral("      ") + line + QLatin1Char('\n');
    return text;
}

int Command::run(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    // Messages the data module would show in a window are kept: they are the command's failures.
    ScriptedPrompter quiet;
    setPrompter(&quiet);
    struct Restore
    {
        ~Restore() { setPrompter(nullptr); }
    } restore;

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    addOptions(parser);
    try {
        if (!parser.parse(QStringList{m_name} + arguments))
            throw CommandFailure{parser.errorText()};
        return execute(parser, out);
    } catch (const CommandFailure &failure) {
        err.write(QStringLiteral("zelvane-cli: %1\n")
                      .arg(QString(failure.message).replace(QLatin1Char('\n'), QLatin1Char(' ')))
                      .toUtf8());
        return failure.exitCode;
    }
}

QString Command::reportedFailures() const
{
    const auto *quiet = dynamic_cast<const ScriptedPrompter *>(&prompter());
    return quiet ? quiet->messages.join(QLatin1Char(' ')).simplified() : QString();
}

int PositiveNumber(const QCommandLineParser &parser, const QString &option, int largest, bool zeroAllowed)
{
    const std::optional<qint64> n = ParseDigits(parser.value(option));
    if (!n || (*n == 0 && !zeroAllowed))
        throw CommandFailure{QStringLiteral("--%1 needs a positive number, not %2").arg(option, parser.value(option))};
    if (*n > largest)
        throw CommandFailure{QStringLiteral("--%1 is at most %2").arg(option).arg(largest)};
    return int(*n);
}

namespace {

// A file name as the commands accept it: a plain name of a management file, nothing a shell or a
// mistyped option could slip in.
QString checkedFileName(const QString &name)
{
    if (name.trimmed().isEmpty())
        throw CommandFailure{QStringLiteral("--name needs a file name")};
    if (name.startsWith(QLatin1Char('-')))
        throw CommandFailure{QStringLiteral("--name takes a file name, not the option %1").arg(name)};
    if (name.contains(QLatin1Char('/')))
        throw CommandFailure{QStringLiteral("--name takes a file name without folder")};
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            throw CommandFailure{QStringLiteral("--name cannot hold control characters")};
    }
    if (!name.endsWith(QLatin1String(".MDB"), Qt::CaseInsensitive) || name.size() == 4)
        throw CommandFailure{QStringLiteral("--name needs a name ending in .MDB, not %1").arg(name)};
    return name;
}

} // namespace

void AddNewFileOptions(QCommandLineParser &parser)
{
    parser.addOptions({{QStringLiteral("kind"), QStringLiteral("Establishment kind."), QStringLiteral("N")},
                       {QStringLiteral("year"), QStringLiteral("Management year."), QStringLiteral("YYYY")},
                       {QStringLiteral("name"), QStringLiteral("File name."), QStringLiteral("FILE")},
                       {QStringLiteral("force"), QStringLiteral("Overwrite an existing file.")}});
}

NewFileRequest NewFileRequestOf(const QString &command, const QCommandLineParser &parser)
{
    if (!parser.positionalArguments().isEmpty())
        throw CommandFailure{QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first())};
    if (!parser.isSet(QStringLiteral("kind")) || !parser.isSet(QStringLiteral("year")))
        throw CommandFailure{QStringLiteral("%1 needs --kind N and --year YYYY").arg(command)};
    NewFileRequest request;
    const std::optional<qint64> kind = ParseDigits(parser.value(QStringLiteral("kind")));
    if (!kind || *kind <= 0 || *kind > 99)
        throw CommandFailure{QStringLiteral("unknown establishment kind %1").arg(parser.value(QStringLiteral("kind")))};
    request.kind = int(*kind);
    if (parser.isSet(QStringLiteral("name")))
        request.fileName = checkedFileName(parser.value(QStringLiteral("name")));
    if (!ParseDigits(parser.value(QStringLiteral("year"))))
        throw CommandFailure{QStringLiteral("the year '%1' is not a year").arg(parser.value(QStringLiteral("year")))};
    request.folder = DatabasesDir();
    request.year = parser.value(QStringLiteral("year"));
    request.overwrite = parser.isSet(QStringLiteral("force"));
    return request;
}

void DatabaseCommand::addOptions(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A management file."));
    addCommandOptions(parser);
}

int DatabaseCommand::execute(const QCommandLineParser &parser, QIODevice &out)
{
    if (parser.positionalArguments().size() != 1)
        throw CommandFailure{QStringLiteral("%1 needs exactly one FILE").arg(name())};
    const QString path = parser.positionalArguments().first();
    if (!QFileInfo::exists(path))
        throw CommandFailure{QStringLiteral("%1: no such file").arg(path)};
    Tfdb db;
    db.readOnly = !writesFile(parser);
    const int opened = db.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false,
                                           QString::fromLatin1(kSchemaTag));
    if (opened == OpenOlderVersion)
        return executeOnOlder(path, out);
    if (opened != OpenOk)
        throw CommandFailure{OpenFailureText(opened, path)};
    // A template or a file whose preparation never ended would show as a sheet of the current year.
    const auto options = db.GetQuery(QStringLiteral("select count(*) from options"));
    if (needsOptions() && (!options || !options->next() || options->value(0).toLongLong() == 0))
        throw CommandFailure{QStringLiteral("%1 has no options row: it is not a prepared management file").arg(path)};
    db.LoadOptions();
    return executeOn(db, path, parser, out);
}

int DatabaseCommand::executeOnOlder(const QString &path, QIODevice &)
{
    throw CommandFailure{OpenFailureText(OpenOlderVersion, path)};
}

} // namespace zelvane
