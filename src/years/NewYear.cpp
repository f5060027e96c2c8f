#include "years/NewYear.h"

#include "common/DatabaseError.h"
#include "common/Format.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/Natures.h"
#include "db/Preparation.h"
#include "db/SqlFunctions.h"
#include "db/Transaction.h"
#include "db/YearFiles.h"
#include "journal/Journal.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace zelvane {

namespace {

void exec(QSqlQuery &query, const QString &sql)
{
    if (!query.exec(sql))
        throw DatabaseError(QStringLiteral("%1 : %2").arg(sql.simplified(), query.lastError().text()));
}

// A year's total as the statements write it: two decimals, so that a stock that fell to zero through
// sums of prices is exactly zero.
double twoDecimals(const QVariant &total) { return FormatMontantSaisie(total.toDouble()).toDouble(); }

// The closing stock of every article becomes its opening stock; the year's tables are emptied and the
// year advanced. All or nothing. The copy's journal is the old year's: the new file starts its own, with one
// entry naming origin, and its own clearing is not journaled.
void carryForward(const QSqlDatabase &db, int newYear, const QJsonObject &origin)
{
    Transaction unit(db);
    DropJournal(db);
    QSqlQuery query(db);
    exec(query, QStringLiteral("update articles set QT31DEC=0 where QT31DEC is null;"));
    exec(query, QStringLiteral("update articles set PU31DEC=0 where PU31DEC is null;"));
    exec(query, QStringLiteral("update articles set VAL31DEC=QT31DEC*PU31DEC;"));
    QSqlQuery totals(db);
    totals.setForwardOnly(true);
    exec(totals, QStringLiteral(" select code_art, sum(iif(%1,1,-1)*quantite) as tot_qt, "
                                "sum(iif(%1,1,-1)*quantite*pu) as tot_val from stock group by code_art "
                                "order by code_art;")
                     .arg(NotExitSql()));
    QSqlQuery update(db);
    if (!update.prepare(QStringLiteral("update articles set qt31dec=qt31dec+?,val31dec=val31dec+? where code_art=?")))
        throw DatabaseError(update.lastError().text());
    while (totals.next()) {
        bool isCode = false;
        const qint64 code = totals.value(0).toLongLong(&isCode);
        if (!isCode || code <= 0)
            continue;
        update.bindValue(0, twoDecimals(totals.value(1)));
        update.bindValue(1, twoDecimals(totals.value(2)));
        update.bindValue(2, code);
        if (!update.exec())
            throw DatabaseError(update.lastError().text());
    }
    exec(query, QStringLiteral("update articles set PU31DEC=iif(QT31DEC<>0,VAL31DEC/QT31DEC,0);"));
    exec(query, QStringLiteral("update articles set VAL31DEC=QT31DEC*PU31DEC;"));
    for (const char *table : {"stock", "etat_mensuel", "factures", "menu_effect", "menu_menu", "menu_liste"})
        exec(query, QStringLiteral("delete from ") + QLatin1String(table));
    exec(query, QStringLiteral("update options set gestion=") + QString::number(newYear));
    if (query.numRowsAffected() < 1)
        throw DatabaseError(QStringLiteral("le fichier n'a pas d'options"));
    StartJournal(db, origin);
    unit.commit();
    // The emptied tables give their room back.
    exec(query, QStringLiteral("vacuum"));
}

} // namespace

QString ProposedNewYearFile(const QString &currentFile, int currentYear, const QString &newYear)
{
    const QFileInfo current(currentFile.trimmed());
    const QString folder = current.absolutePath();
    QString name = current.fileName();
    name.replace(QString::number(currentYear), newYear.trimmed());
    if (name == current.fileName())
        name = NouveauFichier(folder, newYear);
    return QDir(folder).filePath(name);
}

NewYearResult MakeNewYearFile(const QSqlDatabase &source, int newYear, const QString &target)
{
    auto failure = [](const QString &why) {
        return NewYearResult{{}, QStringLiteral("La nouvelle gestion n'a pas été créée : ") + why};
    };
    if (SameFile(source.databaseName(), target))
        return failure(
            QStringLiteral("%1 est le dossier de l'année qui s'achève, qui doit rester tel quel.").arg(target));
    if (const QString refused = ManagementFileNameError(target); !refused.isEmpty())
        return failure(refused);
    const QString work = WorkFileFor(target);
    QString error;
    if (CopyDatabaseInto(SqliteHandle(source), work, &error)) {
        const QString connection = QStringLiteral("DB_NEW_YEAR");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(work);
            if (!db.open()) {
                error = db.lastError().text();
            } else {
                try {
                    carryForward(
                        db, newYear,
                        {{QStringLiteral("nouvelle gestion de"), QFileInfo(source.databaseName()).absoluteFilePath()},
                         {QStringLiteral("dernière empreinte"), LastJournalHash(source)}});
                } catch (const DatabaseError &e) {
                    error = e.message();
                }
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
    }
    QString replaced;
    if (error.isEmpty())
        replaced = ReplaceKeepingBackup(
            target, [&](QString *e) { return MoveIntoPlace(work, target, e); }, &error);
    if (!error.isEmpty()) {
        RemoveWorkFile(work);
        return failure(error);
    }
    return {target, {}, replaced};
}

QString AskNewManagementYear(Tfdb &db)
{
    if (!db.damage().isEmpty()) {
        prompter().showMessage(QStringLiteral("%1 est endommagé : la nouvelle gestion n'en est pas tirée, son stock "
                                              "de fin d'année pourrait être faux.")
                                   .arg(db.CurrentFile),
                               QStringLiteral("Nouvelle Gestion"), MessageIcon::Warning);
        return {};
    }
    const std::optional<QString> typed = prompter().input(
        QStringLiteral("Confirmez la création de la nouvelle gestion"), QStringLiteral("Nouvelle Gestion"),
        QString::number(db.gestion + 1));
    if (!typed)
        return {};
    bool isNumber = false;
    const int year = typed->trimmed().toInt(&isNumber);
    if (!isNumber || year <= db.gestion) {
        prompter().showMessage(
            QStringLiteral("« %1 » n'est pas une année après la gestion ouverte (%2) : tapez par exemple %3.")
                .arg(typed->trimmed(), QString::number(db.gestion), QString::number(db.gestion + 1)),
            QStringLiteral("Nouvelle Gestion"), MessageIcon::Warning);
        return {};
    }
    const QFileInfo proposed(ProposedNewYearFile(db.CurrentFile, db.gestion, QString::number(year)));
    const QString chosen = ChooseFileToWrite(QStringLiteral("Créer une Nouvelle Gestion"), proposed.absolutePath(),
                                             proposed.fileName(),
                                             QStringLiteral("MDB (*.mdb *.MDB);;Tous les fichiers (*)"));
    if (chosen.isEmpty())
        return {};
    const NewYearResult made = MakeNewYearFile(db.database(), year, chosen);
    if (!made.ok()) {
        prompter().showMessage(made.error, QStringLiteral("Nouvelle Gestion"), MessageIcon::Warning);
        return {};
    }
    if (!made.replaced.isEmpty())
        prompter().showMessage(QStringLiteral("Le fichier remplacé est conservé sous %1.").arg(made.replaced),
                               QStringLiteral("Nouvelle Gestion"), MessageIcon::Information);
    return made.path;
}

} // namespace zelvane
