#include "users/UsersPage.h"

#include "db/DataModule.h"
#include "users/DialogUserForms.h"
#include "users/Users.h"

namespace zelvane {

UsersPage::UsersPage(Tfdb &db, Frame &frame)
    : m_db(db)
    , m_frame(frame)
    , m_forms(std::make_unique<DialogUserForms>())
{
}

UsersPage::~UsersPage() = default;

void UsersPage::registerCommands(CommandRegistry &c)
{
    c.add({cmd::Utilisateurs,
           "Utilisateurs",
           "MAJ de la liste des Utilisateurs",
           "",
           "system-users",
           "users",
           {{"Divers", 5010}, {"toolbar", 440}}},
          [this] {
              if (HasPriority(m_db, QStringLiteral("A"), true))
                  ManageUsers(m_db);
              m_frame.refresh();
          });
    c.add({cmd::MotDePasse,
           "Mot de Passe",
           "Mot de Passe",
           "",
           "dialog-password",
           "password",
           {{"Divers", 5020}, {"toolbar", 430}}},
          [this] {
              ChangeOwnPassword(m_db);
              m_frame.refresh();
          });
}

void UsersPage::refresh(bool connected, bool)
{
    m_frame.commands().setEnabled(cmd::Utilisateurs, connected);
    m_frame.commands().setEnabled(cmd::MotDePasse, connected);
}

} // namespace zelvane
