#pragma once

#include "print/PrintRange.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;

namespace zelvane {

// The page range and copies dialog of the preview ("Print"): all pages, the current page or a range, the
// number of copies, and "Properties" to choose a printer and its settings.
class TFDLGPrint : public QDialog
{
    Q_OBJECT

public:
    TFDLGPrint(int currentPage, const PrintRange &range, QWidget *parent = nullptr);

    // The range as "Ok" reads it; true when it can be printed.
    bool readRange(PrintRange &range) const;

    QButtonGroup *RGRange;
    QLineEdit *EFrom;
    QLineEdit *ETo;
    QLineEdit *ECopies;

private:
    void propertiesClick();

    int m_currentPage;
    QString m_printer;
};

// Opens the dialog on range (pages offered, copies proposed); when it is confirmed with a printable
// range, range becomes what to print and the result is true. The copies are taken from a confirmed dialog
// even when its range is refused. Cancel changes nothing.
bool AskPrintRange(int currentPage, PrintRange &range, QWidget *parent = nullptr);

} // namespace zelvane
