#include "cli/Command.h"

#include "common/Format.h"
#include "common/Paths.h"
#include "common/Prompter.h"
#include "common/WorkFiles.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "journal/Journal.h"
#include "users/Users.h"

#include <QFileInfo>
#include <QIODevice>

#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

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
    m_err = &err;
    journalActor() = {QStringLiteral("zelvane-cli"), m_name, QStringLiteral("—")};
    struct Restore
    {
        Command *command;
        ~Restore()
        {
            setPrompter(nullptr);
            command->m_err = nullptr;
        }
    } restore{this};

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    addOptions(parser);
    try {
        if (!parser.parse(QStringList{m_name} + arguments))
            throw CommandFailure{parser.errorText()};
        // An option given twice would silently keep its last value.
        QStringList seen;
        for (const QString &option : parser.optionNames()) {
            if (seen.contains(option))
                throw CommandFailure{QStringLiteral("--%1 is given twice").arg(option)};
            seen << option;
        }
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

void Command::warn(const QString &text)
{
    if (m_err)
        m_err->write(QStringLiteral("zelvane-cli: warning: %1\n")
                         .arg(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')))
                         .toUtf8());
}

void CheckOutput(const QString &target, const QCommandLineParser &parser)
{
    const bool force = parser.optionNames().contains(QStringLiteral("force"));
    if (const QString refused = RefusedOutput(target, force); !refused.isEmpty())
        throw CommandFailure{refused};
}

void CheckManagementFileName(const QString &path)
{
    if (const QString refused = ManagementFileNameError(path); !refused.isEmpty())
        throw CommandFailure{refused};
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
    CheckManagementFileName(name);
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

namespace {

// The password typed on the terminal, not shown; nothing at the end of the input.
std::optional<QString> readPasswordLine(const QString &user, bool terminal)
{
    termios saved{};
    if (terminal) {
        const QByteArray prompt = QStringLiteral("Mot de passe de %1 : ").arg(user).toUtf8();
        (void)!::write(STDERR_FILENO, prompt.constData(), size_t(prompt.size()));
        if (::tcgetattr(STDIN_FILENO, &saved) == 0) {
            termios quiet = saved;
            quiet.c_lflag &= ~tcflag_t(ECHO);
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        }
    }
    std::string line;
    const bool read = bool(std::getline(std::cin, line));
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        (void)!::write(STDERR_FILENO, "\n", 1);
    }
    if (!read)
        return std::nullopt;
    return QString::fromStdString(line);
}

} // namespace

void AddUserOption(QCommandLineParser &parser)
{
    parser.addOption(
        {QStringLiteral("user"), QStringLiteral("The user of a file that has users."), QStringLiteral("NAME")});
}

void IdentifyUser(const QString &path, const QCommandLineParser &parser, const QString &priorities)
{
    const QString user = parser.value(QStringLiteral("user"));
    const bool fromEnvironment = qEnvironmentVariableIsSet("ZELVANE_PASSWORD");
    const bool terminal = !fromEnvironment && ::isatty(STDIN_FILENO);
    const CommandLoginResult login = LoginFromCommand(path, user, [&](int attempt) -> std::optional<QString> {
        // The variable holds one password: a second attempt would only repeat it.
        if (fromEnvironment)
            return attempt == 0 ? std::optional(qEnvironmentVariable("ZELVANE_PASSWORD")) : std::nullopt;
        return readPasswordLine(user, terminal);
    });
    if (!login.accepted)
        throw CommandFailure{QStringLiteral("Identification refusée : ") + login.reason};
    if (!priorities.isEmpty() && !priorities.contains(login.priority))
        throw CommandFailure{
            QStringLiteral("Identification refusée : priorité insuffisante (%1), cette commande demande %2")
                .arg(login.priority, priorities)};
    if (!user.trimmed().isEmpty())
        journalActor().user = user.trimmed();
}

void DatabaseCommand::addOptions(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A management file."));
    AddUserOption(parser);
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
    if (opened != OpenOk && opened != OpenOlderVersion)
        throw CommandFailure{OpenFailureText(opened, path)};
    // Once the file is known to be a management file, whose users are read by a connection of their own.
    IdentifyUser(path, parser);
    if (opened == OpenOlderVersion)
        return executeOnOlder(path, out);
    const QString damage = db.damage();
    if (!damage.isEmpty() && !acceptsDamagedFile(parser))
        throw CommandFailure{QStringLiteral("%1 est endommagé (%2) : %3 ne s'applique pas à un fichier endommagé ; "
                                            "zelvane-cli recover en sauve les données lisibles dans un nouveau "
                                            "dossier.")
                                 .arg(path, damage, name())};
    // A template or a file whose preparation never ended would show as a sheet of the current year.
    const auto options = db.GetQuery(QStringLiteral("select count(*) from options"));
    if (needsOptions() && (!options || !options->next() || options->value(0).toLongLong() == 0))
        throw CommandFailure{QStringLiteral("%1 has no options row: it is not a prepared management file").arg(path)};
    db.LoadOptions();
    if (damage.isEmpty())
        return executeOn(db, path, parser, out);
    warn(DamagedFileWarning(path, damage));
    const int code = executeOn(db, path, parser, out);
    warn(QStringLiteral("ces chiffres sont lus dans un fichier endommagé : ils peuvent être faux ou incomplets."));
    return code == 0 ? kDamagedFileExit : code;
}

int DatabaseCommand::executeOnOlder(const QString &path, QIODevice &)
{
    throw CommandFailure{OpenFailureText(OpenOlderVersion, path)};
}

QDate DayOption(const QCommandLineParser &parser, const QString &option, const QDate &fallback)
{
    if (!parser.isSet(option))
        return fallback;
    const std::optional<QDate> day = ParseDate(parser.value(option));
    if (!day)
        throw CommandFailure{QStringLiteral("--%1: %2 is not a day (DD/MM/YYYY)").arg(option, parser.value(option))};
    return *day;
}

QDate RequiredDayOption(const QCommandLineParser &parser, const QString &command)
{
    if (!parser.isSet(QStringLiteral("day")))
        throw CommandFailure{QStringLiteral("%1 needs --day DD/MM/YYYY").arg(command)};
    return DayOption(parser, QStringLiteral("day"));
}

} // namespace zelvane
