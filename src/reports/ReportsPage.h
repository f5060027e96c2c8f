#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

#include <memory>

namespace zelvane {

class DialogReportForms;

namespace cmd {
inline constexpr CommandId Imprimer{"Action_imprimer"};
} // namespace cmd

// The print command and its menus of documents.
class ReportsPage : public Page
{
public:
    explicit ReportsPage(Frame &frame);
    ~ReportsPage() override;
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;

private:
    Frame &m_frame;
    std::unique_ptr<DialogReportForms> m_forms;
};

} // namespace zelvane
