#include "reports/ReportsPage.h"

#include "reports/DialogReportForms.h"

namespace zelvane {

ReportsPage::ReportsPage(Frame &frame)
    : m_frame(frame)
    , m_forms(std::make_unique<DialogReportForms>())
{
}

ReportsPage::~ReportsPage() = default;

void ReportsPage::registerCommands(CommandRegistry &c)
{
    c.add({cmd::Imprimer,
           "Imprimer",
           "Imprimer",
           "Ctrl+P",
           "document-print",
           "print",
           {{"Editions", 4010}, {"toolbar", 310}}});
}

void ReportsPage::refresh(bool connected, bool) { m_frame.commands().setEnabled(cmd::Imprimer, connected); }

} // namespace zelvane
