#pragma once

#include "reports/EtatMensuel.h"

namespace zelvane {

// The report module's entry windows as the forms of the desktop program, installed while this object
// lives.
class DialogReportForms : public EtatMensuelForm
{
public:
    DialogReportForms();
    ~DialogReportForms() override;
    bool editEtatMensuel(ReportsModule &reports) override;
};

} // namespace zelvane
