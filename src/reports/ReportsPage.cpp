#include "reports/ReportsPage.h"

#include "print/PrevForm.h"
#include "reports/DialogReportForms.h"
#include "reports/PrintMenu.h"

namespace zelvane {

ReportsPage::ReportsPage(Tfdb &db, Frame &frame)
    : m_db(db)
    , m_frame(frame)
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
           {{"Editions", 4010}, {"toolbar", 310}}},
          [this] { Action_imprimerExecute(); });
}

void ReportsPage::refresh(bool connected, bool) { m_frame.commands().setEnabled(cmd::Imprimer, connected); }

void ReportsPage::Action_imprimerExecute()
{
    QWidget *window = m_frame.window();
    ShowPrintMenu(
        m_db, 0, [window](const ReportDocument &document) { PreviewReport(document, window); }, window);
}

} // namespace zelvane
