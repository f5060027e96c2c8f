#include "suppliers/Invoices.h"

#include "common/Failure.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Natures.h"
#include "suppliers/SuppliersModule.h"

#include <QSqlQuery>

namespace zelvane {

namespace {

// The day after the supplier's last invoice; invalid when it has none.
QDate dayAfterLastInvoice(Tfdb &db, qint64 code)
{
    auto query = db.GetQuery(
        QStringLiteral(" select max(periode_au) as xmax from factures where code_four=%1").arg(code));
    if (query && query->next() && !query->value(0).isNull())
        return DateFromSql(query->value(0)).addDays(1);
    return {};
}

} // namespace

bool GetNewPeriodeFactureOfFour(Tfdb &db, qint64 code, QDate &du, QDate &au)
{
    du = QDate();
    au = QDate();
    auto query = db.GetQuery(
        QStringLiteral(" select min(date_op) as xmin,max(date_op) as xmax from stock where code_four=%1").arg(code));
    if (query && query->next()) {
        du = DateFromSql(query->value(0));
        au = DateFromSql(query->value(1));
    }
    if (!du.isValid() || !au.isValid()) {
        du = au = QDate();
        return false;
    }
    const QDate last = dayAfterLastInvoice(db, code);
    if (last.isValid() && last > au) {
        du = au = QDate();
        return false;
    }
    if (last.isValid() && last > du)
        du = last;
    return true;
}

bool LoadFactureFournisseur(SuppliersModule &suppliers, qint64 code)
{
    QDate du, au;
    if (!GetNewPeriodeFactureOfFour(suppliers.db(), code, du, au))
        return false;
    Dataset *invoices = suppliers.db_FACTURES;
    IgnoreFailure("loading an invoice", [&] {
        invoices->append();
        invoices->setValue(QStringLiteral("OBS"),
                           QStringLiteral("Facture du %1 au %2").arg(DateText(du), DateText(au)));
        invoices->post();
    });
    if (invoices->isEditing())
        invoices->cancel();
    return true;
}

std::optional<double> InvoiceAmount(Tfdb &db, qint64 code, const QDate &du, const QDate &au)
{
    if (code == 0 || !du.isValid() || !au.isValid())
        return std::nullopt;
    auto query = db.GetQuery(QStringLiteral(" select sum(quantite*pu) as valeur from stock where code_four=%1"
                                            " and %2 and date_op>=%3 and date_op<=%4")
                                 .arg(code)
                                 .arg(EntrySql(), SqlDate(du), SqlDate(au)));
    if (query && query->next())
        return NumberFromSql(query->value(0));
    return std::nullopt;
}

bool InvoiceInputComplete(const InvoiceInput &input) { return InvoiceInputRefusal(input).isEmpty(); }

QString InvoiceInputRefusal(const InvoiceInput &input)
{
    const std::optional<qint64> number = ParseInteger(input.number);
    if (!number || *number == -1)
        return QStringLiteral("N°Facture : tapez le numéro de la facture.");
    const std::pair<const char *, QString> days[] = {
        {"Date Facture", input.date}, {"Période DU", input.du}, {"AU", input.au}};
    for (const auto &[caption, text] : days) {
        if (text.trimmed().isEmpty())
            return QStringLiteral("%1 : tapez le jour (jj/mm/aaaa).").arg(QString::fromUtf8(caption));
        if (const QString refusal = DateRefusal(QString::fromUtf8(caption), text); !refusal.isEmpty())
            return refusal;
    }
    if (*ParseDate(input.au) < *ParseDate(input.du))
        return QStringLiteral("La période finit le %1, avant de commencer le %2.")
            .arg(input.au.trimmed(), input.du.trimmed());
    return {};
}

} // namespace zelvane
