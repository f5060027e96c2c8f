#include "menus/MenusPage.h"

#include <QWidget>

namespace zelvane {

QString MenusPage::caption() const { return QStringLiteral("Menu du Jour"); }

QWidget *MenusPage::widget() { return new QWidget; }

void MenusPage::registerCommands(CommandRegistry &c)
{
    c.add({cmd::AjouterHospitalise, "Ajouter", "", "", "list-add", "add"});
    c.add({cmd::ModifierHospitalise, "Modifier", "", "", "document-edit", "edit"});
    c.add({cmd::SupprimerHospitalise, "Supprimer", "", "", "edit-delete", "delete"});
    c.add({cmd::SauverListeHospitalises, "Sauv.Liste", "", "", "document-save", "save"});
    c.add({cmd::RestaurerListeHospitalises, "Rest.Liste", "", "", "document-open", "open"});
    c.add({cmd::ActualiserHospitalises, "Actualiser", "", "", "view-refresh", "refresh"});
}

} // namespace zelvane
