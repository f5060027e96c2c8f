#include "reports/EtatMensuel.h"

#include "common/Failure.h"
#include "common/Form.h"
#include "common/Format.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/Transaction.h"
#include "reports/DepenseMensuelle.h"
#include "reports/ReportsModule.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace zelvane {

double ValeurMagasin31Dec(Tfdb &db)
{
    QSqlQuery q(db.database());
    if (!q.exec(QStringLiteral("select sum(qt31dec*pu31dec) as v31dec from articles")) || !q.next())
        return 0;
    return NumberFromSql(q.value(0)).value_or(0);
}

bool UpdateEtatMensuel(Tfdb &db, const TDepense_Mensuelle &month, QString *error)
{
    if (month.Mois < 1 || month.Mois > 12)
        return true; // an aggregate of no day has no month to write
    const double v31dec = ValeurMagasin31Dec(db);
    QSqlQuery q(db.database());
    // The row and its journal entries are kept together.
    std::optional<Transaction> unit;
    IgnoreFailure("beginning the month's row", [&] { unit.emplace(db.database()); });
    bool stored = q.exec(
                      QStringLiteral("insert or ignore into etat_mensuel values(%1,0,0,0,0,0,0,0,0)").arg(month.Mois))
                  && q.exec(
                      QStringLiteral(" update etat_mensuel set dep_mois=%1,nbr_mois=%2,valeur_31dec=%3 where mois=%4")
                          .arg(FormatMontantSaisie(month.TotalMois.SortiesJour))
                          .arg(month.TotalMois.Moyenne)
                          .arg(FormatMontantSaisie(v31dec))
                          .arg(month.Mois))
                  && q.numRowsAffected() == 1;
    if (stored && unit)
        stored = IgnoreFailure("keeping the month's row", [&] { unit->commit(); });
    if (!stored)
        *error = q.lastError().isValid() ? DescribeSqlFailure(q.lastError())
                                         : QStringLiteral("la ligne du mois manque");
    return stored;
}

std::optional<EtatMensuelRow> ReadEtatMensuel(Tfdb &db, int month)
{
    QSqlQuery q(db.database());
    if (!q.exec(QStringLiteral("select * from etat_mensuel where mois=%1").arg(month)) || !q.next())
        return std::nullopt;
    const QSqlRecord record = q.record();
    auto number = [&](const char *name) { return NumberFromSql(record.value(QLatin1String(name))).value_or(0); };
    EtatMensuelRow row;
    row.mois = month;
    row.dep_mois = number("dep_mois");
    row.nbr_mois = qint64(number("nbr_mois"));
    row.credit_aut_mois = number("credit_aut_mois");
    row.nbr_aut_mois = qint64(number("nbr_aut_mois"));
    row.valeur_31dec = number("valeur_31dec");
    row.depense_enreg = number("depense_enreg");
    row.creance = number("creance");
    row.total_depense = number("total_depense");
    return row;
}

EtatMensuelBoxes ComputeEtatMensuelBoxes(const QString &dep_mois, const QString &nbr_mois,
                                         const QString &credit_aut_mois, const QString &nbr_aut_mois,
                                         const QString &valeur_31dec, const QString &depense_enreg,
                                         const QString &creance)
{
    auto n = [](const QString &text) { return ParseNumber(text); };
    auto montant = [](double x) { return FormatMontant(x).trimmed(); }; // boxes align their figures themselves
    const QString failed = montant(0);
    EtatMensuelBoxes boxes{failed, failed, failed};
    if (auto d = n(dep_mois), p = n(nbr_mois); d && p && *p != 0)
        boxes.prixRevient = montant(*d / *p);
    if (auto c = n(credit_aut_mois), p = n(nbr_aut_mois); c && p)
        boxes.creditOuvert = montant(*c * *p);
    if (auto v = n(valeur_31dec), d = n(depense_enreg), c = n(creance); v && d && c)
        boxes.total = montant(*v + *d + *c);
    return boxes;
}

bool EditEtatMensuel(ReportsModule &reports, int month)
{
    Tfdb &db = reports.db();
    Dataset *table = reports.db_etat_mensuel;
    if (!table->isActive())
        return false;
    IgnoreFailure("reading the monthly statements", [table] { table->refresh(); });
    if (!table->locate(QStringLiteral("mois"), month))
        return false;
    try {
        table->edit();
    } catch (const DatabaseError &error) {
        prompter().showMessage(QStringLiteral(" --- :") + error.message());
        return false;
    }
    EtatMensuelForm *form = Form<EtatMensuelForm>::current();
    const bool accepted = form && form->editEtatMensuel(reports);
    if (db.readOnly) { // SaveDataSet refuses the file opened read-only without ending the edit
        table->cancel();
        IgnoreFailure("reading the monthly statements", [table] { table->refresh(); });
        return false;
    }
    return db.SaveDataSet(table, accepted);
}

} // namespace zelvane
