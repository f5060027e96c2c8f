#include "suppliers/SuppliersModule.h"

#include "common/Dates.h"
#include "common/Failure.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Natures.h"
#include "suppliers/Invoices.h"

#include <QSqlQuery>

namespace zelvane {

namespace {

const QString kCode = QStringLiteral("code_four");
const QString kAccountFields[] = {QStringLiteral("code_banque"), QStringLiteral("code_agence"),
                                  QStringLiteral("num_compte"), QStringLiteral("cle_controle")};

// max(column)+1 of the select, 1 when there is no row or the query fails.
qint64 nextNumber(Tfdb &db, const QString &sql)
{
    if (auto query = db.GetQuery(sql); query && query->next() && !query->value(0).isNull())
        return query->value(0).toLongLong() + 1;
    return 1;
}

qint64 count(Tfdb &db, const QString &sql)
{
    auto query = db.GetQuery(sql);
    return query && query->next() ? query->value(0).toLongLong() : 0;
}

// "1 mouvement", "3 mouvements".
QString counted(qint64 n, const QString &word)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(word, n > 1 ? QStringLiteral("s") : QString());
}

bool hasColumn(Tfdb &db, const QString &table, const QString &column)
{
    QSqlQuery query(db.database());
    if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        return false;
    while (query.next()) {
        if (query.value(1).toString().compare(column, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

SuppliersModule::SuppliersModule(Tfdb &db)
    : Module(db)
    , db_fournisseur(db.addDataset(QStringLiteral("fournisseur"), QStringLiteral("code_four")))
    , db_FACTURES(db.addDataset(QStringLiteral("FACTURES"), QStringLiteral("CODE_FOUR;NUM_FACTURE")))
{
    db_FACTURES->setMaster(db_fournisseur, kCode, QStringLiteral("CODE_FOUR"));
    attachRules();
}

void SuppliersModule::attachRules()
{
    m_rules.push_back(db_fournisseur->newRecord.subscribe([this](Dataset &d) { groupeecord(d); }));
    m_rules.push_back(db_fournisseur->beforePost.subscribe([this](Dataset &d) { checkSupplier(d); }));
    m_rules.push_back(db_fournisseur->beforeDelete.subscribe([this](Dataset &d) { checkSupplierDeletion(d); }));
    db_fournisseur->setRecordFilter([this](const Dataset &d) { return db_fournisseurFilterRecord(d); });
    db_fournisseur->addCalculatedField(QStringLiteral("rib"), FieldType::Text,
                                       [this](const Dataset &d) -> QVariant { return db_fournisseurribGetText(d); });

    m_rules.push_back(db_FACTURES->newRecord.subscribe([this](Dataset &d) { db_FACTURESNewRecord(d); }));
    m_rules.push_back(db_FACTURES->beforePost.subscribe([this](Dataset &d) { checkInvoice(d); }));
    db_FACTURES->addCalculatedField(QStringLiteral("total"), FieldType::Text,
                                    [this](const Dataset &d) -> QVariant { return db_FACTUREStotalGetText(d); });
}

void SuppliersModule::connected()
{
    // Files of the first versions held a shorter company name; the widening is a no-op on this engine,
    // whose text columns have no width, and the dataset is read again as the older program did.
    db_fournisseur->close();
    m_db.Execute(QStringLiteral("ALTER TABLE fournisseur ALTER COLUMN rsociale TEXT(50)"));
    IgnoreFailure("reopening the suppliers", [this] { db_fournisseur->open(); });
    // The invoices' VAT rate came after the first files; older files get the column, 0 for their invoices.
    // A file opened read-only keeps its table, and its invoices read a rate of 0.
    if (!m_db.readOnly && !hasColumn(m_db, QStringLiteral("FACTURES"), QStringLiteral("TVA"))) {
        db_FACTURES->close();
        m_db.Execute(QStringLiteral("ALTER TABLE FACTURES ADD COLUMN TVA DOUBLE DEFAULT 0"));
        IgnoreFailure("reopening the invoices", [this] { db_FACTURES->open(); });
    }
}

void SuppliersModule::SetSupplierFilter(const QString &text)
{
    m_filterText = text;
    if (!db_fournisseur->isActive() || db_fournisseur->isEditing())
        return;
    IgnoreFailure("supplier filter",
                  [&] { db_fournisseur->setFilter(QStringLiteral("code_four>0"), !text.isEmpty()); });
}

void SuppliersModule::groupeecord(Dataset &suppliers)
{
    // A number that movements or invoices still carry would give them to the new supplier (a deleted
    // supplier's deliveries in the new one's invoices): it is never proposed again.
    suppliers.setValue(kCode,
                       nextNumber(m_db, QStringLiteral("select max(n) as new from (select max(code_four) as n "
                                                       "from fournisseur union all select max(CODE_FOUR) "
                                                       "from STOCK union all select max(CODE_FOUR) from FACTURES)")));
    for (const char *field :
         {"groupe",      "nom_prenom",  "villen",     "adresse",      "c_postal",  "ville",      "tel",
          "fax",         "n_regc",      "codefisc",   "n_impot",      "rsociale",  "specialite", "centre",
          "code_banque", "code_agence", "num_compte", "cle_controle", "pi_nature", "pi_numero",  "pi_dlv_a"})
        suppliers.setValue(QString::fromLatin1(field), QString());
    suppliers.setValue(QStringLiteral("montant_max"), 0.0);
}

bool SuppliersModule::db_fournisseurFilterRecord(const Dataset &suppliers) const
{
    if (!m_db.isConnected())
        return true;
    const QString filter = m_filterText.trimmed().toUpper();
    return filter.isEmpty() || suppliers.textValue(QStringLiteral("nom_prenom")).trimmed().toUpper().startsWith(filter);
}

QString SuppliersModule::db_fournisseurribGetText(const Dataset &suppliers) const
{
    if (suppliers.isEmpty())
        return {};
    QString rib;
    for (const QString &field : kAccountFields)
        rib += suppliers.textValue(field);
    return rib.size() == 20 ? rib : QStringLiteral("...");
}

void SuppliersModule::checkSupplier(Dataset &suppliers)
{
    // An empty number would let the engine choose one the user never saw.
    if (suppliers.isNull(kCode))
        throw DatabaseError(QStringLiteral("Le code du fournisseur doit être un nombre."));
}

QString SuppliersModule::supplierDeletionRefusal(qint64 code)
{
    // An exit names nobody with 0: only entries hold a supplier numbered 0.
    const qint64 movements = count(
        m_db,
        QStringLiteral("select count(*) from STOCK where CODE_FOUR=%1 and (%1>0 or %2)").arg(code).arg(EntrySql()));
    const qint64 invoices = count(m_db, QStringLiteral("select count(*) from FACTURES where CODE_FOUR=%1").arg(code));
    if (movements == 0 && invoices == 0)
        return {};
    return QStringLiteral("Le fournisseur n° %1 ne peut pas être supprimé : son numéro figure dans %2 et %3. "
                          "Supprimez d'abord ses factures et ses mouvements.")
        .arg(code)
        .arg(counted(movements, QStringLiteral("mouvement")), counted(invoices, QStringLiteral("facture")));
}

void SuppliersModule::checkSupplierDeletion(Dataset &suppliers)
{
    if (suppliers.isNull(kCode))
        return;
    if (const QString refusal = supplierDeletionRefusal(suppliers.intValue(kCode)); !refusal.isEmpty())
        throw DatabaseError(refusal);
}

void SuppliersModule::db_FACTURESNewRecord(Dataset &invoices)
{
    const qint64 code = db_fournisseur->isEmpty() ? 0 : db_fournisseur->intValue(kCode);
    QDate du, au;
    if (!GetNewPeriodeFactureOfFour(m_db, code, du, au)) {
        auto query = m_db.GetQuery(
            QStringLiteral(" select max(periode_au) as xmax from factures where code_four=%1").arg(code));
        du = query && query->next() && !query->value(0).isNull() ? DateFromSql(query->value(0)).addDays(1) : QDate();
        if (!du.isValid())
            du = FirstDayOfMonth(QDate::currentDate());
        au = LastDayOfMonth(du);
    }
    invoices.setValue(QStringLiteral("CODE_FOUR"), code);
    invoices.setValue(
        QStringLiteral("NUM_FACTURE"),
        nextNumber(m_db, QStringLiteral("select max(num_facture) as new from factures where code_four=%1").arg(code)));
    invoices.setValue(QStringLiteral("DATE_FACTURE"), QDate::currentDate());
    invoices.setValue(QStringLiteral("PERIODE_DU"), du);
    invoices.setValue(QStringLiteral("PERIODE_AU"), au);
    invoices.setValue(QStringLiteral("OBS"), QString());
    if (invoices.hasField(QStringLiteral("TVA")))
        invoices.setValue(QStringLiteral("TVA"), 0.0);
}

QString SuppliersModule::db_FACTUREStotalGetText(const Dataset &invoices) const
{
    if (invoices.isEmpty() && !invoices.isEditing())
        return {};
    const std::optional<double> amount = InvoiceAmount(m_db, invoices.intValue(QStringLiteral("CODE_FOUR")),
                                                       invoices.dateValue(QStringLiteral("PERIODE_DU")),
                                                       invoices.dateValue(QStringLiteral("PERIODE_AU")));
    return amount ? FormatMontant(*amount) : QString();
}

void SuppliersModule::checkInvoice(Dataset &invoices)
{
    // The window refuses these already; a file must never hold an invoice without number or period.
    if (invoices.isNull(QStringLiteral("NUM_FACTURE")))
        throw DatabaseError(QStringLiteral("Le numéro de la facture doit être un nombre."));
    const QDate du = invoices.dateValue(QStringLiteral("PERIODE_DU"));
    const QDate au = invoices.dateValue(QStringLiteral("PERIODE_AU"));
    if (!du.isValid() || !au.isValid() || du > au)
        throw DatabaseError(QStringLiteral("La période de la facture doit finir après son début."));
}

} // namespace zelvane
