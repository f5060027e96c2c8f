#include "suppliers/SuppliersPage.h"

#include "db/DataModule.h"
#include "suppliers/SuppliersModule.h"

#include <QWidget>

namespace zelvane {

SuppliersPage::SuppliersPage(Tfdb &db, Frame &frame)
    : m_suppliers(*db.module<SuppliersModule>())
    , m_frame(frame)
{
}

QString SuppliersPage::caption() const { return QStringLiteral("Fournisseurs && Factures"); }

QWidget *SuppliersPage::widget() { return new QWidget; }

void SuppliersPage::registerCommands(CommandRegistry &c)
{
    const char *menu = "Mises à Jours/Fournisseur";
    c.add({cmd::AjouterFournisseur,
           "Ajouter Fournisseur",
           "Ajouter un Fournisseur",
           "Ins",
           "list-add",
           "add",
           {{menu, 2010}}});
    c.add({cmd::ModifierFournisseur,
           "Modifier Fournisseur",
           "Modifier le Fournisseur",
           "Ctrl+U",
           "document-edit",
           "edit",
           {{menu, 2020}}});
    c.add({cmd::SupprimerFournisseur, "Supprimer Fournisseur", "", "Del", "edit-delete", "delete", {{menu, 2030}}});
    c.add({cmd::AjouterFacture, "Ajouter", "", "", "list-add", "add"});
    c.add({cmd::ModifierFacture, "Modifier", "", "", "document-edit", "edit"});
    c.add({cmd::SupprimerFacture, "Supprimer", "", "", "edit-delete", "delete"});
    c.add({cmd::ChargerFacture, "Charger", "", "", "view-refresh", "refresh"});
    c.add({cmd::ImprimerFacture, "Imprimer", "", "", "document-print", "print"});
}

void SuppliersPage::refresh(bool connected, bool current)
{
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

} // namespace zelvane
