#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

namespace zelvane {

class Tfdb;

namespace cmd {
inline constexpr CommandId Imprimer{"Action_imprimer"};
} // namespace cmd

// The print command: the documents window, whose documents open in the preview.
class ReportsPage : public Page
{
public:
    ReportsPage(Tfdb &db, Frame &frame);
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;

    void Action_imprimerExecute();

private:
    Tfdb &m_db;
    Frame &m_frame;
};

} // namespace zelvane
