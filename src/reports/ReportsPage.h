#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

namespace zelvane {

namespace cmd {
inline constexpr CommandId Imprimer{"Action_imprimer"};
} // namespace cmd

// The print command and its menus of documents.
class ReportsPage : public Page
{
public:
    explicit ReportsPage(Frame &frame);
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;

private:
    Frame &m_frame;
};

} // namespace zelvane
