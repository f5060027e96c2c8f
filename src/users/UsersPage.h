#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

#include <memory>

namespace zelvane {

class DialogUserForms;
class Tfdb;

namespace cmd {
inline constexpr CommandId Utilisateurs{"Action_utilisateur"};
inline constexpr CommandId MotDePasse{"Action_pwd"};
} // namespace cmd

// The users commands (the list, one's own password); installs the users windows as the program's forms.
class UsersPage : public Page
{
public:
    UsersPage(Tfdb &db, Frame &frame);
    ~UsersPage() override;

    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;

private:
    Tfdb &m_db;
    Frame &m_frame;
    std::unique_ptr<DialogUserForms> m_forms;
};

} // namespace zelvane
