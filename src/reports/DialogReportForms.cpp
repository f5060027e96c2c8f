#include "reports/DialogReportForms.h"

#include "common/Form.h"
#include "reports/EtatMensuelWindow.h"

#include <QApplication>

namespace zelvane {

DialogReportForms::DialogReportForms() { Form<EtatMensuelForm>::install(this); }

DialogReportForms::~DialogReportForms() { Form<EtatMensuelForm>::uninstall(this); }

bool DialogReportForms::editEtatMensuel(ReportsModule &reports)
{
    TFEtat_mensuel window(reports, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

} // namespace zelvane
