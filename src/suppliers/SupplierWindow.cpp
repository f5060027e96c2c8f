#include "suppliers/SupplierWindow.h"

#include "common/Format.h"
#include "common/NumberValidator.h"
#include "common/Prompter.h"
#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"
#include "db/FieldBinder.h"
#include "suppliers/SupplierEntries.h"
#include "suppliers/SuppliersModule.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelvane {

namespace {

// The boxes in the order Enter walks them, with their captions.
const std::pair<const char *, const char *> kFields[] = {
    {"code_four", "Fournisseur Code :"},
    {"nom_prenom", "Nom du Fournisseur :"},
    {"daten", "Né(e) le :"},
    {"villen", "à"},
    {"adresse", "Adresse :"},
    {"c_postal", "Code Postal :"},
    {"ville", "Ville"},
    {"tel", "Téléphone :"},
    {"fax", "Fax"},
    {"n_regc", "Registre Commerce :"},
    {"codefisc", "Code Fiscal :"},
    {"n_impot", "Numéro des Impôts :"},
    {"rsociale", "La Raison sociale :"},
    {"specialite", "Spécialité :"},
    {"code_banque", "banque"},
    {"code_agence", "agence"},
    {"num_compte", "numéro du compte"},
    {"cle_controle", "clé"},
    {"montant_max", "Montant Max"},
};

QString captionOf(const char *field)
{
    for (const auto &[name, text] : kFields) {
        if (qstrcmp(name, field) == 0)
            return QString::fromUtf8(text);
    }
    return {};
}

QLabel *caption(const char *field)
{
    auto *label = new QLabel(captionOf(field));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TFFournisseur::TFFournisseur(SuppliersModule &suppliers, bool adding, QWidget *parent)
    : QDialog(parent)
    , m_suppliers(suppliers)
    , m_binder(new FieldBinder(suppliers.db_fournisseur, this))
    , m_tabs(new QTabWidget)
    , m_rib(new QPushButton(QStringLiteral("Editer")))
    , m_ok(new QPushButton(QStringLiteral("Accepter")))
    , m_cancel(new QPushButton(QStringLiteral("Annuler")))
    , m_refusal(new QLabel)
{
    setWindowTitle(QStringLiteral("Fournisseur"));
    for (const auto &[field, text] : kFields) {
        auto *box = new QLineEdit;
        box->setObjectName(QString::fromLatin1(field));
        m_boxes.insert(QString::fromLatin1(field), box);
    }
    auto b = [this](const char *field) { return m_boxes.value(QString::fromLatin1(field)); };

    auto *frame = new QGroupBox(QStringLiteral("Informations concernant le Fournisseur "));
    auto *grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    int row = 0;
    auto line = [&](const char *field, int column, int span = 1) {
        grid->addWidget(caption(field), row, column);
        grid->addWidget(b(field), row, column + 1, 1, span);
    };
    line("code_four", 0);
    ++row;
    line("nom_prenom", 0, 3);
    ++row;
    line("daten", 0);
    line("villen", 2);
    ++row;
    line("adresse", 0, 3);
    ++row;
    line("c_postal", 0);
    line("ville", 2);
    ++row;
    line("tel", 0);
    line("fax", 2);
    ++row;
    line("n_regc", 0);
    line("codefisc", 2);
    ++row;
    line("n_impot", 0);
    ++row;
    line("rsociale", 0, 3);
    ++row;
    line("specialite", 0, 3);
    ++row;

    auto *account = new QGroupBox(QStringLiteral("Relevé d'identité bancaire"));
    auto *accountLayout = new QGridLayout(account);
    accountLayout->addWidget(new QLabel(QStringLiteral("RIB/RIP  Numéro-->")), 1, 0);
    int column = 1;
    for (const char *field : {"code_banque", "code_agence", "num_compte", "cle_controle"}) {
        accountLayout->addWidget(new QLabel(captionOf(field)), 0, column);
        accountLayout->addWidget(b(field), 1, column);
        accountLayout->setColumnStretch(column, qstrcmp(field, "num_compte") == 0 ? 4 : 1);
        ++column;
    }
    accountLayout->addWidget(m_rib, 1, column);
    grid->addWidget(account, row++, 0, 1, 4);
    line("montant_max", 0);
    ++row;

    for (const auto &[field, text] : kFields)
        m_binder->bind(b(field), QString::fromLatin1(field));
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
        if (it.key() != QLatin1String("code_four") && it.key() != QLatin1String("montant_max"))
            it.value()->setValidator(new UpperCaseValidator(it.value()));
    }
    b("code_four")->setValidator(NumberValidator::code(b("code_four")));
    b("montant_max")->setValidator(NumberValidator::amount(b("montant_max")));
    b("daten")->setMaxLength(10);
    b("daten")->setPlaceholderText(QStringLiteral("jj/mm/aaaa"));
    for (const char *field : {"code_four", "montant_max"})
        b(field)->setAlignment(Qt::AlignRight);

    auto *tab = new QWidget;
    auto *tabLayout = new QVBoxLayout(tab);
    tabLayout->addWidget(frame);
    m_tabs->addTab(tab, adding ? QStringLiteral("Ajouter Fournisseur") : QStringLiteral("Modifier Fournisseur"));

    m_refusal->setObjectName(QStringLiteral("refusal"));
    m_refusal->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_refusal->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(AcceptCancelRow(m_ok, m_cancel, m_refusal));

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_rib, &QPushButton::clicked, this, &TFFournisseur::BRIBClick);
    connect(m_binder, &FieldBinder::fieldChanged, this, &TFFournisseur::Check);
    m_rib->setAutoDefault(false);

    QList<QWidget *> order;
    for (const auto &[field, text] : kFields)
        order << b(field);
    order << m_ok;
    InstallFocusNext(order);
    Check();
    b("nom_prenom")->setFocus();
}

void TFFournisseur::Check()
{
    // A number typed as nothing, or a day that does not exist, would be written as an empty value.
    const QString refusal = dateRefusal();
    m_ok->setEnabled(ParseInteger(m_boxes.value(QStringLiteral("code_four"))->text()).has_value() && refusal.isEmpty());
    m_refusal->setText(refusal);
}

QString TFFournisseur::dateRefusal() const
{
    return DateRefusal(QStringLiteral("Né(e) le"), m_boxes.value(QStringLiteral("daten"))->text());
}

void TFFournisseur::BRIBClick()
{
    // The account is saved with the row: not while the row would lose the day typed.
    if (const QString refusal = dateRefusal(); !refusal.isEmpty()) {
        prompter().showMessage(refusal, windowTitle(), MessageIcon::Warning);
        return;
    }
    QString text;
    for (const char *field : {"code_banque", "code_agence", "num_compte", "cle_controle"})
        text += m_boxes.value(QString::fromLatin1(field))->text();
    if (!EditRIB(text, false))
        return;
    StoreSupplierAccount(*m_suppliers.db_fournisseur, text);
    m_binder->load();
}

} // namespace zelvane
