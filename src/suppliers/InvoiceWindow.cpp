#include "suppliers/InvoiceWindow.h"

#include "common/NumberValidator.h"
#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"
#include "db/FieldBinder.h"
#include "suppliers/Invoices.h"
#include "suppliers/SuppliersModule.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelvane {

TFFacture::TFFacture(SuppliersModule &suppliers, bool adding, QWidget *parent)
    : QDialog(parent)
    , m_suppliers(suppliers)
    , m_binder(new FieldBinder(suppliers.db_FACTURES, this))
    , m_heading(new QLabel(adding ? QStringLiteral("Ajouter Facture") : QStringLiteral("Modifier Facture")))
    , m_number(new QLineEdit)
    , m_date(new QLineEdit)
    , m_du(new QLineEdit)
    , m_au(new QLineEdit)
    , m_obs(new QLineEdit)
    , m_tva(new QLineEdit)
    , m_amount(new QLabel)
    , m_ok(new QPushButton(QStringLiteral("Accepter")))
    , m_cancel(new QPushButton(QStringLiteral("Annuler")))
    , m_refusal(new QLabel)
{
    setWindowTitle(QStringLiteral("Facture"));
    QFont big = m_heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_heading->setFont(big);

    auto *group = new QGroupBox(QStringLiteral("Information concernant la Facture"));
    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("N°Facture"), m_number);
    form->addRow(QStringLiteral("Date Facture"), m_date);
    form->addRow(QStringLiteral("Période DU"), m_du);
    form->addRow(QStringLiteral("AU"), m_au);
    form->addRow(QStringLiteral("Observation"), m_obs);
    form->addRow(QStringLiteral("Taux TVA (%)"), m_tva);
    form->addRow(QStringLiteral("Montant"), m_amount);
    auto *tab = new QWidget;
    auto *tabLayout = new QVBoxLayout(tab);
    tabLayout->addWidget(group);
    auto *tabs = new QTabWidget;
    tabs->addTab(tab, QStringLiteral("Facture"));

    m_refusal->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_refusal->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(tabs);
    layout->addLayout(AcceptCancelRow(m_ok, m_cancel, m_refusal));

    m_number->setValidator(NumberValidator::code(m_number));
    m_tva->setValidator(NumberValidator::amount(m_tva));
    m_obs->setValidator(new UpperCaseValidator(m_obs));
    for (QLineEdit *day : {m_date, m_du, m_au}) {
        day->setMaxLength(10);
        day->setPlaceholderText(QStringLiteral("jj/mm/aaaa"));
    }
    for (QLineEdit *number : {m_number, m_tva})
        number->setAlignment(Qt::AlignRight);
    m_amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_binder->bind(m_number, QStringLiteral("NUM_FACTURE"));
    m_binder->bind(m_date, QStringLiteral("DATE_FACTURE"));
    m_binder->bind(m_du, QStringLiteral("PERIODE_DU"));
    m_binder->bind(m_au, QStringLiteral("PERIODE_AU"));
    m_binder->bind(m_obs, QStringLiteral("OBS"));
    m_binder->bind(m_tva, QStringLiteral("TVA"));
    connect(m_binder, &FieldBinder::fieldChanged, this, &TFFacture::DBEdit1Change);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    InstallFocusNext({m_number, m_date, m_du, m_au, m_obs, m_tva, m_ok});
    DBEdit1Change();
    m_number->setFocus();
}

void TFFacture::DBEdit1Change()
{
    const QString refusal = InvoiceInputRefusal({m_number->text(), m_date->text(), m_du->text(), m_au->text()});
    m_ok->setEnabled(refusal.isEmpty());
    m_refusal->setText(refusal);
    m_amount->setText(m_suppliers.db_FACTURES->displayText(QStringLiteral("total")));
}

} // namespace zelvane
