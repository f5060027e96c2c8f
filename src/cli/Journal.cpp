#include "cli/Command.h"

#include "common/Format.h"
#include "db/DataModule.h"
#include "journal/Journal.h"

#include <QIODevice>

namespace zelvane {

namespace {

// A CSV field: quoted when it holds the separator, a quote or a line break.
QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The journal of changes of a management file: its entries, or the check of its chain.
class Journal : public DatabaseCommand
{
public:
    Journal()
        : DatabaseCommand(
            QStringLiteral("journal"), QStringLiteral("FILE [--from DD/MM/YYYY] [--to DD/MM/YYYY] [--csv] | --verify"),
            QStringLiteral("Prints the journal of changes of FILE: one line per entry with its number, local time,\n"
                           "user, program, command, table, key, kind and the values of the changed columns\n"
                           "before and after; --from and --to keep the entries of those days. With --csv:\n"
                           "numero;utc;heure_locale;utilisateur;programme;commande;table;cle;nature;avant;\n"
                           "apres;empreinte. With --verify: recomputes the chain of the entries' hashes and\n"
                           "prints the first entry that no longer matches (changed, removed, inserted or\n"
                           "written outside the program), exit 1; \"journal intact\" and exit 0 otherwise."))
    {
    }

protected:
    bool needsOptions() const override { return false; }

    void addCommandOptions(QCommandLineParser &parser) override
    {
        parser.addOptions({{QStringLiteral("from"), QStringLiteral("The first day."), QStringLiteral("DD/MM/YYYY")},
                           {QStringLiteral("to"), QStringLiteral("The last day."), QStringLiteral("DD/MM/YYYY")},
                           {QStringLiteral("csv"), QStringLiteral("Lines separated by ';'.")},
                           {QStringLiteral("verify"), QStringLiteral("Check the chain of the entries.")}});
    }

    int executeOn(Tfdb &db, const QString &path, const QCommandLineParser &parser, QIODevice &out) override
    {
        if (parser.isSet(QStringLiteral("verify"))) {
            const JournalCheck check = VerifyJournal(db.database());
            if (!check.ok())
                throw CommandFailure{QStringLiteral("%1 : journal rompu : %2").arg(path, check.reason)};
            out.write(QStringLiteral("journal intact : %1 entrées\n").arg(check.entries).toUtf8());
            return 0;
        }
        JournalFilter filter;
        filter.from = DayOption(parser, QStringLiteral("from"));
        filter.to = DayOption(parser, QStringLiteral("to"));
        const bool csv = parser.isSet(QStringLiteral("csv"));
        if (csv)
            out.write(
                "numero;utc;heure_locale;utilisateur;programme;commande;table;cle;nature;avant;apres;empreinte\n");
        for (const JournalEntry &e : ReadJournal(db.database(), filter)) {
            QStringList fields{QString::number(e.id),
                               e.utc,
                               e.local,
                               e.user,
                               e.program,
                               e.command,
                               e.table,
                               e.key,
                               e.kind,
                               e.before,
                               e.after,
                               e.hash};
            if (csv) {
                for (QString &field : fields)
                    field = csvField(field);
                out.write((fields.join(QLatin1Char(';')) + QLatin1Char('\n')).toUtf8());
            } else {
                out.write(QStringLiteral("%1  %2  %3  %4 %5  %6 %7  %8  avant: %9  après: %10\n")
                              .arg(e.id)
                              .arg(e.local, e.user, e.program, e.command, e.table, e.key, e.kind,
                                   JournalValues(e.before), JournalValues(e.after))
                              .toUtf8());
            }
        }
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeJournalCommand() { return std::make_unique<Journal>(); }

} // namespace zelvane
