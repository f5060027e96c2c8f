#include "db/DbPage.h"

#include "db/OptionsDialog.h"
#include "db/PrepareDialog.h"

#include <QWidget>

namespace zelvane {

DbPage::DbPage(Tfdb &db, Frame &frame)
    : m_db(db)
    , m_frame(frame)
    , m_preparation(std::make_unique<DialogPreparationForm>())
{
}

DbPage::~DbPage() = default;

QString DbPage::caption() const { return QStringLiteral("Archive (BDD)"); }

QWidget *DbPage::widget() { return new QWidget; }

void DbPage::registerCommands(CommandRegistry &c)
{
    c.add({cmd::SauvegarderBase,
           "Sauvegarder la Base de Données",
           "Sauvegarder la Base de Données",
           "",
           "document-save",
           "save",
           {{"Bases de Données", 110}, {"toolbar", 110}}});
    c.add({cmd::RestaurerBase,
           "Restaurer la base de données",
           "Restaurer la base de données",
           "",
           "document-revert",
           "restore",
           {{"Bases de Données", 120}, {"toolbar", 120}}});
    c.add({cmd::NouvelleGestion,
           "Créer une Nouvelle Gestion",
           "",
           "",
           "folder-new",
           "folder-new",
           {{"Bases de Données", 210}}});
    c.add({cmd::Options, "Options", "", "", "preferences-system", "options", {{"Divers", 5110}, {"toolbar", 420}}},
          [this] {
              TFOptions::Execute(m_db, m_frame.window());
              m_frame.refresh();
          });
}

void DbPage::refresh(bool connected, bool)
{
    CommandRegistry &c = m_frame.commands();
    for (CommandId id : {cmd::Options, cmd::SauvegarderBase, cmd::RestaurerBase, cmd::NouvelleGestion})
        c.setEnabled(id, connected);
}

} // namespace zelvane
