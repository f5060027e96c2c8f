#include "print/PrintRangeDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvane {

TFDLGPrint::TFDLGPrint(int currentPage, const PrintRange &range, QWidget *parent)
    : QDialog(parent)
    , RGRange(new QButtonGroup(this))
    , EFrom(new QLineEdit(QString::number(range.from)))
    , ETo(new QLineEdit(QString::number(range.to)))
    , ECopies(new QLineEdit(QString::number(range.copies)))
    , m_currentPage(currentPage)
    , m_printer(range.printer)
{
    setWindowTitle(QStringLiteral("Print"));
    auto *rangeBox = new QGroupBox(QStringLiteral("Print Range"));
    auto *rangeGrid = new QGridLayout(rangeBox);
    const QStringList items{QStringLiteral("All"), QStringLiteral("Current Page"), QStringLiteral("Page(s)  From")};
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i));
        RGRange->addButton(button, i);
        rangeGrid->addWidget(button, i, 0);
    }
    RGRange->button(int(RangeChoice::All))->setChecked(true);
    auto *pages = new QHBoxLayout;
    EFrom->setObjectName(QStringLiteral("EFrom"));
    ETo->setObjectName(QStringLiteral("ETo"));
    for (QLineEdit *edit : {EFrom, ETo}) {
        edit->setMaximumWidth(60);
        connect(edit, &QLineEdit::textEdited, this,
                [this] { RGRange->button(int(RangeChoice::Pages))->setChecked(true); });
    }
    pages->addWidget(EFrom);
    pages->addWidget(new QLabel(QStringLiteral("To")));
    pages->addWidget(ETo);
    pages->addStretch();
    rangeGrid->addLayout(pages, 2, 1);

    auto *copiesBox = new QGroupBox(QStringLiteral("Copies"));
    auto *copiesRow = new QHBoxLayout(copiesBox);
    ECopies->setObjectName(QStringLiteral("ECopies"));
    ECopies->setMaximumWidth(60);
    copiesRow->addWidget(new QLabel(QStringLiteral("Number of Copies")));
    copiesRow->addWidget(ECopies);
    copiesRow->addStretch();

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton *properties = buttons->addButton(QStringLiteral("Properties"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(properties, &QPushButton::clicked, this, &TFDLGPrint::propertiesClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(rangeBox);
    layout->addWidget(copiesBox);
    layout->addWidget(buttons);
}

bool TFDLGPrint::readRange(PrintRange &range) const
{
    range.printer = m_printer;
    return ResolvePrintRange(RangeChoice(RGRange->checkedId()), m_currentPage, EFrom->text(), ETo->text(),
                             ECopies->text(), range);
}

void TFDLGPrint::propertiesClick()
{
    // The printer chosen here, with its own settings dialog, receives this print.
    QPrinter printer(m_printer.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(m_printer));
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() == QDialog::Accepted)
        m_printer = printer.printerName();
}

bool AskPrintRange(int currentPage, PrintRange &range, QWidget *parent)
{
    TFDLGPrint dialog(currentPage, range, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PrintRange read = range;
    const bool accepted = dialog.readRange(read);
    if (accepted)
        range = read;
    else
        range.copies = read.copies;
    return accepted;
}

} // namespace zelvane
