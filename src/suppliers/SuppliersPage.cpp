#include "suppliers/SuppliersPage.h"

#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "office/GridExportMenu.h"
#include "suppliers/DialogSupplierForms.h"
#include "suppliers/Invoices.h"
#include "suppliers/SupplierEntries.h"
#include "suppliers/SuppliersModule.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace zelvane {

SuppliersPage::SuppliersPage(Tfdb &db, Frame &frame)
    : m_db(db)
    , m_suppliers(*db.module<SuppliersModule>())
    , m_frame(frame)
    , m_forms(std::make_unique<DialogSupplierForms>())
{
}

SuppliersPage::~SuppliersPage() = default;

QString SuppliersPage::caption() const { return QStringLiteral("Fournisseurs && Factures"); }

QWidget *SuppliersPage::widget()
{
    if (!m_page)
        buildPage();
    return m_page;
}

void SuppliersPage::registerCommands(CommandRegistry &c)
{
    const char *menu = "Mises à Jours/Fournisseur";
    c.add({cmd::AjouterFournisseur,
           "Ajouter Fournisseur",
           "Ajouter un Fournisseur",
           "Ins",
           "list-add",
           "add",
           {{menu, 2010}}},
          [this] { afterCommand(EditFournisseur(m_suppliers, EntryMode::Add)); });
    c.add({cmd::ModifierFournisseur,
           "Modifier Fournisseur",
           "Modifier le Fournisseur",
           "Ctrl+U",
           "document-edit",
           "edit",
           {{menu, 2020}}},
          [this] { afterCommand(EditFournisseur(m_suppliers, EntryMode::Modify)); });
    c.add({cmd::SupprimerFournisseur, "Supprimer Fournisseur", "", "Del", "edit-delete", "delete", {{menu, 2030}}},
          [this] { afterCommand(DeleteCurrentSupplier(m_suppliers)); });
    c.add({cmd::AjouterFacture, "Ajouter", "", "", "list-add", "add"},
          [this] { afterCommand(EditFacture(m_suppliers, EntryMode::Add)); });
    c.add({cmd::ModifierFacture, "Modifier", "", "", "document-edit", "edit"},
          [this] { afterCommand(EditFacture(m_suppliers, EntryMode::Modify)); });
    c.add({cmd::SupprimerFacture, "Supprimer", "", "", "edit-delete", "delete"},
          [this] { afterCommand(DeleteCurrentInvoice(m_suppliers)); });
    c.add({cmd::ChargerFacture, "Charger", "", "", "view-refresh", "refresh"}, [this] {
        if (!m_suppliers.db_fournisseur->isEmpty())
            LoadFactureFournisseur(m_suppliers, m_suppliers.db_fournisseur->intValue(QStringLiteral("code_four")));
        afterCommand(true);
    });
    // The invoice is printed by the documents window, whose page gives this command its work.
    c.add({cmd::ImprimerFacture, "Imprimer", "", "", "document-print", "print"});
}

void SuppliersPage::buildPage()
{
    m_page = new QWidget;
    CommandRegistry &c = m_frame.commands();
    using Col = DatasetModel::Column;
    const auto numeric = Qt::AlignRight | Qt::AlignVCenter;

    EFilterFour = new QLineEdit;
    EFilterFour->setObjectName(QStringLiteral("EFilterFour"));
    EFilterFour->setMaxLength(50);
    EFilterFour->setValidator(new UpperCaseValidator(EFilterFour));
    DBGrid3 = new DatasetGrid(m_suppliers.db_fournisseur,
                              {Col{QStringLiteral("code_four"), QStringLiteral("Code"), 60, numeric},
                               Col{QStringLiteral("nom_prenom"), QStringLiteral("Nom du Fournisseur"), 220},
                               Col{QStringLiteral("rib"), QStringLiteral("RIB/RIP"), 190},
                               Col{QStringLiteral("tel"), QStringLiteral("Téléphone"), 100}});
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    EnableGridExport(DBGrid3);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(QStringLiteral("Nom")));
    filterRow->addWidget(EFilterFour, 1);
    auto *supplierButtons = new QHBoxLayout;
    supplierButtons->addWidget(CommandButton(c.action(cmd::AjouterFournisseur), QStringLiteral("Ajouter Fournisseur")));
    supplierButtons->addWidget(
        CommandButton(c.action(cmd::ModifierFournisseur), QStringLiteral("Modifier Fournisseur")));
    supplierButtons->addWidget(
        CommandButton(c.action(cmd::SupprimerFournisseur), QStringLiteral("Supprimer Fournisseur")));
    supplierButtons->addStretch();
    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(HeadingLabel(QStringLiteral("Fournisseurs")));
    leftLayout->addLayout(filterRow);
    leftLayout->addWidget(DBGrid3, 1);
    leftLayout->addLayout(supplierButtons);

    DBGrid5 = new DatasetGrid(m_suppliers.db_FACTURES,
                              {Col{QStringLiteral("NUM_FACTURE"), QStringLiteral("N°Facture"), 70, numeric},
                               Col{QStringLiteral("DATE_FACTURE"), QStringLiteral("Date Facture"), 90},
                               Col{QStringLiteral("PERIODE_DU"), QStringLiteral("Période DU"), 90},
                               Col{QStringLiteral("PERIODE_AU"), QStringLiteral("AU"), 90},
                               Col{QStringLiteral("total"), QStringLiteral("Montant"), 120, numeric},
                               Col{QStringLiteral("TVA"), QStringLiteral("TVA %"), 60, numeric},
                               Col{QStringLiteral("OBS"), QStringLiteral("Observation"), 220}});
    DBGrid5->setObjectName(QStringLiteral("DBGrid5"));
    EnableGridExport(DBGrid5);
    auto *invoiceButtons = new QHBoxLayout;
    const std::pair<CommandId, const char *> buttons[] = {{cmd::AjouterFacture, "Ajouter"},
                                                          {cmd::ModifierFacture, "Modifier"},
                                                          {cmd::SupprimerFacture, "Supprimer"},
                                                          {cmd::ChargerFacture, "Charger"},
                                                          {cmd::ImprimerFacture, "Imprimer"}};
    for (const auto &[id, caption] : buttons)
        invoiceButtons->addWidget(CommandButton(c.action(id), QString::fromUtf8(caption)));
    invoiceButtons->addStretch();
    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(HeadingLabel(QStringLiteral("Factures du Fournisseur")));
    rightLayout->addWidget(DBGrid5, 1);
    rightLayout->addLayout(invoiceButtons);

    // Grid shortcuts go through the commands, so a disabled command does nothing.
    connect(DBGrid3, &DatasetGrid::doubleClickedAnywhere, this, [this, &c] {
        c.trigger(m_suppliers.db_fournisseur->isEmpty() ? cmd::AjouterFournisseur : cmd::ModifierFournisseur);
    });
    connect(DBGrid3, &DatasetGrid::enterPressed, this, [&c] { c.trigger(cmd::ModifierFournisseur); });
    connect(DBGrid5, &DatasetGrid::doubleClickedAnywhere, this,
            [this, &c] { c.trigger(m_suppliers.db_FACTURES->isEmpty() ? cmd::AjouterFacture : cmd::ModifierFacture); });

    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    auto *layout = new QHBoxLayout(m_page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    connect(EFilterFour, &QLineEdit::textChanged, this, &SuppliersPage::EFilterFourChange);
    connect(m_suppliers.db_fournisseur, &Dataset::currentChanged, this, &SuppliersPage::DBEdit2Change);
}

void SuppliersPage::refresh(bool connected, bool current)
{
    m_connected = connected;
    CommandRegistry &c = m_frame.commands();
    const auto count = [connected](Dataset *d) { return connected && d->isActive() ? d->recordCount() : 0; };
    const int s = count(m_suppliers.db_fournisseur);
    const int i = count(m_suppliers.db_FACTURES);
    const bool u = connected && current;
    c.setEnabled(cmd::AjouterFournisseur, u);
    for (CommandId id : {cmd::ModifierFournisseur, cmd::SupprimerFournisseur, cmd::AjouterFacture, cmd::ChargerFacture})
        c.setEnabled(id, u && s > 0);
    for (CommandId id : {cmd::ModifierFacture, cmd::SupprimerFacture, cmd::ImprimerFacture})
        c.setEnabled(id, u && i > 0);
}

void SuppliersPage::shown()
{
    if (EFilterFour)
        EFilterFour->clear();
}

void SuppliersPage::connected()
{
    if (DBGrid3) {
        DBGrid3->setFitColumns({0, 2});
        DBGrid5->setFitColumns({0, 1, 2, 3, 4, 5});
    }
}

void SuppliersPage::EFilterFourChange()
{
    if (!m_connected)
        return;
    m_suppliers.SetSupplierFilter(EFilterFour->text());
    m_frame.refresh();
}

void SuppliersPage::DBEdit2Change()
{
    if (m_connected)
        m_frame.refresh();
}

void SuppliersPage::afterCommand(bool changed)
{
    if (changed)
        m_frame.refresh();
    m_frame.window()->activateWindow();
    if (DBGrid3)
        DBGrid3->setFocus();
}

} // namespace zelvane
