#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"
#include "reports/ParametresEdition.h"

#include <memory>

namespace zelvane {

class DialogReportForms;
class Tfdb;

namespace cmd {
inline constexpr CommandId Imprimer{"Action_imprimer"};
} // namespace cmd

// The print commands: the documents window, whose documents open in the preview, also on the current
// invoice from the invoices tab; and the windows the documents ask through (the month's budget figures).
class ReportsPage : public Page
{
public:
    ReportsPage(Tfdb &db, Frame &frame);
    ~ReportsPage() override;
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;

    void Action_imprimerExecute();
    // The invoices tab's print button: the documents window on the purchase invoice.
    void Action_imprimer_factureExecute();

private:
    void showPrintMenu(qint32 code);
    Tfdb &m_db;
    Frame &m_frame;
    std::unique_ptr<DialogReportForms> m_forms;
    TParametresEdition m_parameters; // the values of the last print, for the whole run
};

} // namespace zelvane
