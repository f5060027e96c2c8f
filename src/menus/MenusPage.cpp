#include "menus/MenusPage.h"

#include <QWidget>

namespace zelvane {

QString MenusPage::caption() const { return QStringLiteral("Menu du Jour"); }

QWidget *MenusPage::widget() { return new QWidget; }

void MenusPage::registerCommands(CommandRegistry &c)
{
    c.add({cmd::AjouterHospitalise, "Ajouter", "", "", "list-add", QStyle::SP_FileIcon});
    c.add({cmd::ModifierHospitalise, "Modifier", "", "", "document-edit", QStyle::SP_FileDialogDetailedView});
    c.add({cmd::SupprimerHospitalise, "Supprimer", "", "", "edit-delete", QStyle::SP_TrashIcon});
    c.add({cmd::SauverListeHospitalises, "Sauv.Liste", "", "", "document-save", QStyle::SP_DialogSaveButton});
    c.add({cmd::RestaurerListeHospitalises, "Rest.Liste", "", "", "document-open", QStyle::SP_DialogOpenButton});
    c.add({cmd::ActualiserHospitalises, "Actualiser", "", "", "view-refresh", QStyle::SP_BrowserReload});
}

} // namespace zelvane
