#include "cli/Commands.h"

#include "common/Paths.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "db/NewFile.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace zelvane {

namespace {

const char *const kUsage =
    "Usage: zelvane-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  prepare --kind N --year YYYY [--name FILE] [--force]\n"
    "      Makes a new management file for establishment kind N and year YYYY in\n"
    "      $ZELVANE_HOME/databases from the template and prints its full path. Without\n"
    "      --name the proposed name DOSn_YYYY.MDB is used; an existing file is refused\n"
    "      unless --force is given.\n"
    "  info FILE\n"
    "      Opens FILE as the program does, read-only, and prints its schema tag, its\n"
    "      options and the row count of every table.\n"
    "  --help\n"
    "      Shows this text.\n"
    "\n"
    "The data folder is $ZELVANE_HOME, or ~/.local/share/zelvane when it is not set.\n";

// Options of the form --name value, and flags.
struct Arguments
{
    QStringList positional;
    QHash<QString, QString> values;
    QSet<QString> flags;
    QString error;
};

Arguments parse(const QStringList &arguments, const QSet<QString> &valueOptions, const QSet<QString> &flagOptions)
{
    Arguments parsed;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (valueOptions.contains(a)) {
            if (i + 1 >= arguments.size()) {
                parsed.error = QStringLiteral("%1 needs a value").arg(a);
                return parsed;
            }
            parsed.values.insert(a, arguments.at(++i));
        } else if (flagOptions.contains(a)) {
            parsed.flags.insert(a);
        } else if (a.startsWith(QLatin1String("--"))) {
            parsed.error = QStringLiteral("unknown option %1").arg(a);
            return parsed;
        } else {
            parsed.positional << a;
        }
    }
    return parsed;
}

int fail(QTextStream &err, const QString &message)
{
    err << "zelvane-cli: " << message << Qt::endl;
    return 1;
}

int prepareCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const Arguments args = parse(arguments, {QStringLiteral("--kind"), QStringLiteral("--year"), QStringLiteral("--name")},
                                 {QStringLiteral("--force")});
    if (!args.error.isEmpty())
        return fail(err, args.error);
    if (!args.positional.isEmpty())
        return fail(err, QStringLiteral("unexpected argument %1").arg(args.positional.first()));
    if (!args.values.contains(QStringLiteral("--kind")) || !args.values.contains(QStringLiteral("--year")))
        return fail(err, QStringLiteral("prepare needs --kind N and --year YYYY"));
    bool isNumber = false;
    const int kind = args.values.value(QStringLiteral("--kind")).toInt(&isNumber);
    if (!isNumber || kind <= 0)
        return fail(err, QStringLiteral("unknown establishment kind %1").arg(args.values.value(QStringLiteral("--kind"))));
    const QString name = args.values.value(QStringLiteral("--name"));
    if (name.contains(QLatin1Char('/')))
        return fail(err, QStringLiteral("--name takes a file name without folder"));

    Tfdb db;
    const NewFileResult result = CreateManagementFile(
        db, {DatabasesDir(), name, kind, args.values.value(QStringLiteral("--year")), args.flags.contains(QStringLiteral("--force"))});
    if (!result.ok())
        return fail(err, result.error);
    out << result.path << Qt::endl;
    return 0;
}

QString readTag(const QString &path)
{
    const QString connection = QStringLiteral("zelvane-cli-tag");
    QString tag;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("select version from version")) && query.next())
                tag = query.value(0).toString().trimmed();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return tag;
}

int infoCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const Arguments args = parse(arguments, {}, {});
    if (!args.error.isEmpty())
        return fail(err, args.error);
    if (args.positional.size() != 1)
        return fail(err, QStringLiteral("info needs exactly one FILE"));
    const QString path = args.positional.first();
    if (!QFileInfo::exists(path))
        return fail(err, QStringLiteral("%1: no such file").arg(path));

    Tfdb db;
    db.readOnly = true;
    const int result = db.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false, QString::fromLatin1(kSchemaTag));
    switch (result) {
    case OpenOk:
        break;
    case OpenBadFileName:
        return fail(err, QStringLiteral("Nom du fichier de base de données incorrecte: %1").arg(path.toUpper()));
    case OpenOlderVersion: {
        const QString tag = readTag(path);
        return fail(err, tag.isEmpty() ? QStringLiteral("%1: no schema tag, not a management file of this program").arg(path)
                                       : QStringLiteral("%1: schema tag %2 is not %3 (an older file, to be converted)")
                                             .arg(path, tag, QString::fromLatin1(kSchemaTag)));
    }
    default:
        return fail(err, QStringLiteral("%1: cannot be opened as a management file").arg(path));
    }
    db.LoadOptions();
    out << "file: " << QFileInfo(path).absoluteFilePath() << '\n';
    out << "schema: " << kSchemaTag << '\n';
    out << "organisme: " << db.organisme << '\n';
    out << "gestion: " << db.gestion << '\n';
    out << "langue: " << db.langue << '\n';
    out << "faita: " << db.faita << '\n';
    out << "regime: " << db.regime << '\n';
    if (auto tables = db.GetQuery(QStringLiteral("select name from sqlite_master where type='table' order by name collate nocase"))) {
        QStringList names;
        while (tables->next())
            names << tables->value(0).toString();
        Tfdb::FreeQuery(tables);
        for (const QString &name : std::as_const(names)) {
            QSqlQuery count(db.database());
            if (count.exec(QStringLiteral("select count(*) from \"%1\"").arg(name)) && count.next())
                out << "table " << name << ": " << count.value(0).toLongLong() << '\n';
        }
    }
    out.flush();
    return 0;
}

} // namespace

int RunCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    // Messages the data module would show in a window become part of the error output.
    ScriptedPrompter quiet;
    setPrompter(&quiet);
    struct Restore { ~Restore() { setPrompter(nullptr); } } restore;

    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help") || arguments.first() == QLatin1String("-h")
        || arguments.first() == QLatin1String("help")) {
        out << kUsage;
        out.flush();
        return arguments.isEmpty() ? 2 : 0;
    }
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (rest.contains(QLatin1String("--help"))) {
        out << kUsage;
        out.flush();
        return 0;
    }
    if (command == QLatin1String("prepare"))
        return prepareCommand(rest, out, err);
    if (command == QLatin1String("info"))
        return infoCommand(rest, out, err);
    return fail(err, QStringLiteral("unknown command %1 (see --help)").arg(command));
}

} // namespace zelvane
