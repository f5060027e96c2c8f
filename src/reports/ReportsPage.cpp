#include "reports/ReportsPage.h"

#include "db/DataModule.h"
#include "print/PrevForm.h"
#include "reports/Catalogue.h"
#include "reports/DialogReportForms.h"
#include "reports/PrintMenu.h"
#include "reports/PurchaseDocuments.h"
#include "suppliers/SuppliersPage.h"

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
    c.setWork(cmd::ImprimerFacture, [this] { Action_imprimer_factureExecute(); });
}

void ReportsPage::refresh(bool connected, bool) { m_frame.commands().setEnabled(cmd::Imprimer, connected); }

void ReportsPage::Action_imprimerExecute() { showPrintMenu(0); }

void ReportsPage::Action_imprimer_factureExecute() { showPrintMenu(doc::Facture); }

void ReportsPage::showPrintMenu(qint32 code)
{
    QWidget *window = m_frame.window();
    ShowPrintMenu(
        m_db, BuildCatalogue(m_db.organisme), m_parameters, code,
        [window](const ReportDocument &document) { PreviewReport(document, window); }, window);
}

} // namespace zelvane
