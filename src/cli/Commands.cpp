#include "cli/Commands.h"

#include "common/Paths.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "db/NewFile.h"
#include "common/Format.h"
#include "stock/Demo.h"
#include "stock/ListeDenrees.h"
#include "stock/StockModule.h"

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
    "  sheet FILE --day DD/MM/YYYY [--csv]\n"
    "      Prints the consumption sheet of a day as the main window computes it (the\n"
    "      day is brought into the management year): for every article in code order\n"
    "      the stock of the evening before, the entries, the exits and the remainder,\n"
    "      in quantity and in value, then the store figures of the day. With --csv only\n"
    "      the article lines, separated by ';', numbers with two decimals and a point.\n"
    "  demo --kind N --year YYYY [--articles N] [--movements N] [--name FILE] [--force]\n"
    "      Makes a management file as prepare does and fills it with a plausible year:\n"
    "      suppliers, an opening stock, entries at varying prices, exits per meal that\n"
    "      never take the stock below zero, and head-counts for every school day.\n"
    "      --articles adds generated articles beyond the kind's list (or keeps only the\n"
    "      first ones); --movements defaults to 20000. The same arguments always give\n"
    "      the same content. Prints the full path of the file.\n"
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

// Opens FILE read-only with its options, or explains on err why it cannot be (non-zero).
int openManagementFile(Tfdb &db, const QString &path, QTextStream &err)
{
    if (!QFileInfo::exists(path))
        return fail(err, QStringLiteral("%1: no such file").arg(path));
    db.readOnly = true;
    switch (db.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false, QString::fromLatin1(kSchemaTag))) {
    case OpenOk:
        db.LoadOptions();
        return 0;
    case OpenBadFileName:
        return fail(err, QStringLiteral("Nom du fichier de base de données incorrecte: %1").arg(path.toUpper()));
    case OpenOlderVersion:
        return fail(err, QStringLiteral("%1: not a management file of this version").arg(path));
    default:
        return fail(err, QStringLiteral("%1: cannot be opened as a management file").arg(path));
    }
}

// Two decimals and a point, no grouping; never "-0.00".
QString csvNumber(double x) { return FormatMontantSaisie(x); }

QString csvText(QString text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

int sheetCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const Arguments args = parse(arguments, {QStringLiteral("--day")}, {QStringLiteral("--csv")});
    if (!args.error.isEmpty())
        return fail(err, args.error);
    if (args.positional.size() != 1)
        return fail(err, QStringLiteral("sheet needs exactly one FILE"));
    if (!args.values.contains(QStringLiteral("--day")))
        return fail(err, QStringLiteral("sheet needs --day DD/MM/YYYY"));
    const std::optional<QDate> day = ParseDate(args.values.value(QStringLiteral("--day")));
    if (!day)
        return fail(err, QStringLiteral("%1 is not a day (DD/MM/YYYY)").arg(args.values.value(QStringLiteral("--day"))));

    Tfdb db;
    if (const int failed = openManagementFile(db, args.positional.first(), err))
        return failed;
    TListeDenrees liste(db);
    liste.SetDate(*day);

    QHash<qint32, QString> designations;
    if (auto query = db.GetQuery(QStringLiteral("select code_art, designation from articles"))) {
        while (query->next())
            designations.insert(qint32(query->value(0).toLongLong()), query->value(1).toString());
    }

    const bool csv = args.flags.contains(QStringLiteral("--csv"));
    if (csv) {
        out << "code;designation;veille;entrees;sorties;restes;valeur_veille;valeur_entrees;valeur_sorties;valeur_restes\n";
        for (const TDenree &d : liste.Denrees()) {
            out << d.code_art << ';' << csvText(designations.value(d.code_art)) << ';' << csvNumber(d.veille()) << ';'
                << csvNumber(d.entree_jour_quantite) << ';' << csvNumber(d.sortie_jour_quantite) << ';' << csvNumber(d.restes())
                << ';' << csvNumber(d.valeurVeille()) << ';' << csvNumber(d.entree_jour_valeur) << ';'
                << csvNumber(d.sortie_jour_valeur) << ';' << csvNumber(d.valeurRestes()) << '\n';
        }
        out.flush();
        return 0;
    }

    out << "Feuille de Consommation Journalière - Journée du " << DateText(liste.DateJour()) << '\n';
    const QStringList titles = {QStringLiteral("Art"), QStringLiteral("Désignations"), QStringLiteral("Veille"),
                                QStringLiteral("Entrées"), QStringLiteral("Sorties"), QStringLiteral("Restes"),
                                QStringLiteral("Valeur veille"), QStringLiteral("Valeur entrées"),
                                QStringLiteral("Valeur sorties"), QStringLiteral("Valeur restes")};
    const int widths[] = {6, 32, 14, 14, 14, 14, 18, 18, 18, 18};
    auto line = [&](const QStringList &cells) {
        QString text;
        for (int i = 0; i < cells.size(); ++i)
            text += i == 1 ? cells.at(i).leftJustified(widths[i]) + QLatin1Char(' ') : cells.at(i).rightJustified(widths[i]) + QLatin1Char(' ');
        out << text.trimmed() << '\n';
    };
    line(titles);
    for (const TDenree &d : liste.Denrees()) {
        line({QString::number(d.code_art), designations.value(d.code_art).left(widths[1]), FormatMontant(d.veille()),
              FormatMontant(d.entree_jour_quantite), FormatMontant(d.sortie_jour_quantite), FormatMontant(d.restes()),
              FormatMontant(d.valeurVeille()), FormatMontant(d.entree_jour_valeur), FormatMontant(d.sortie_jour_valeur),
              FormatMontant(d.valeurRestes())});
    }
    out << '\n';
    // The store rows of the summary tree; the quantity rows belong to the article chosen in the window.
    const TDenree *first = liste.Denrees().isEmpty() ? nullptr : &liste.Denrees().first();
    const QVector<SummaryRow> rows = SummaryRows(ComputeStoreFigures(liste, first), QString(), liste.DateJour());
    for (int i = 4; i < rows.size(); ++i) {
        if (rows.at(i).amount.isEmpty())
            out << rows.at(i).label << '\n';
        else
            out << rows.at(i).label.leftJustified(40) << rows.at(i).amount.rightJustified(22) << '\n';
    }
    out.flush();
    return 0;
}

int demoCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const Arguments args = parse(arguments,
                                 {QStringLiteral("--kind"), QStringLiteral("--year"), QStringLiteral("--name"),
                                  QStringLiteral("--articles"), QStringLiteral("--movements")},
                                 {QStringLiteral("--force")});
    if (!args.error.isEmpty())
        return fail(err, args.error);
    if (!args.positional.isEmpty())
        return fail(err, QStringLiteral("unexpected argument %1").arg(args.positional.first()));
    if (!args.values.contains(QStringLiteral("--kind")) || !args.values.contains(QStringLiteral("--year")))
        return fail(err, QStringLiteral("demo needs --kind N and --year YYYY"));
    DemoRequest request;
    bool isNumber = false;
    request.kind = args.values.value(QStringLiteral("--kind")).toInt(&isNumber);
    if (!isNumber || request.kind <= 0)
        return fail(err, QStringLiteral("unknown establishment kind %1").arg(args.values.value(QStringLiteral("--kind"))));
    for (const auto &[option, target] : {std::pair{QStringLiteral("--articles"), &request.articles},
                                          std::pair{QStringLiteral("--movements"), &request.movements}}) {
        if (!args.values.contains(option))
            continue;
        *target = args.values.value(option).toInt(&isNumber);
        if (!isNumber || *target < 0 || (option == QLatin1String("--articles") && *target == 0))
            return fail(err, QStringLiteral("%1 needs a positive number, not %2").arg(option, args.values.value(option)));
    }
    request.fileName = args.values.value(QStringLiteral("--name"));
    if (request.fileName.contains(QLatin1Char('/')))
        return fail(err, QStringLiteral("--name takes a file name without folder"));
    request.folder = DatabasesDir();
    request.year = args.values.value(QStringLiteral("--year"));
    request.overwrite = args.flags.contains(QStringLiteral("--force"));
    const NewFileResult result = MakeDemoFile(request);
    if (!result.ok())
        return fail(err, result.error);
    out << result.path << Qt::endl;
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
    if (command == QLatin1String("sheet"))
        return sheetCommand(rest, out, err);
    if (command == QLatin1String("demo"))
        return demoCommand(rest, out, err);
    return fail(err, QStringLiteral("unknown command %1 (see --help)").arg(command));
}

} // namespace zelvane
