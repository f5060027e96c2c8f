#pragma once

#include "print/ReportDocument.h"
#include "reports/ParameterPanel.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelvane {

class Tfdb;
class TQuillon_Print;

// The shared parameter panel P1 with its fields; it lives here and is lent to the documents window for the
// documents that have parameters.
class TFPRNMENU : public QWidget
{
    Q_OBJECT

public:
    TFPRNMENU();

    // The prepare callback: shows the fields of document stacked from the top with their defaults, the caret
    // in the first field to type.
    void prepare(Tfdb &db, const DocumentSpec &document, const QDate &today);
    PanelTexts texts() const;
    void setTexts(const PanelTexts &texts);

    QWidget *P1;
    QLineEdit *ECode_art, *EJournee, *EFaitle, *ECode_four, *ENum_facture, *EPeriode_du, *EPeriode_au;
    QWidget *PModele;
    QListWidget *LBModele;

signals:
    // A double-click on a model prints, as "Imprimer >>" does.
    void LBModeleDblClick();

private:
    QWidget *rowOf(ParamField field) const;
    QLineEdit *addField(const QString &label, int maxLength);
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// One document of the list; a code of 0 is a separator line.
struct TQuillon_Document
{
    DocumentSpec spec;
    QWidget *panel = nullptr; // none: the document prints as soon as it is chosen
    QWidget *home = nullptr;  // where the panel goes back when it is not lent
    int langue = 0;           // 0 French, 1 Arabic, as last printed
};

// The documents window, caption "Editions": the list page, then the parameter page of the chosen document.
class TFQUILLON_PRNMENU : public QDialog
{
    Q_OBJECT

public:
    explicit TFQUILLON_PRNMENU(TQuillon_Print &owner, QWidget *parent = nullptr);

    void RGLangueClick();
    void BNextClick();
    void BPrevClick();
    void BPrintClick();

    QWidget *P0;
    QLabel *L5;
    QListWidget *LB;
    QWidget *PLangue;
    QButtonGroup *RGLangue;
    QPushButton *BAnnuler, *BNext;
    QFrame *PH;
    QLabel *LTitle;
    QWidget *PPanel; // where a lent panel goes
    QFrame *PB;
    QPushButton *BAnnuler2, *BPrev, *BPrint;
    int Tag = 0; // 1 when opened on one document, which cannot go back to the list once printed

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The document of the selected line; nullptr for none or a separator.
    TQuillon_Document *selectedDocument() const;
    TQuillon_Print &m_owner;
};

// The assistant behind the documents window: its list of documents, and what preparing and printing one do.
class TQuillon_Print
{
public:
    using Callback = std::function<void(TQuillon_Document &)>;
    TQuillon_Print(Callback prepare, Callback print, QWidget *parent = nullptr);
    ~TQuillon_Print();

    void AddDocument(const DocumentSpec &spec, QWidget *panel);
    void HidePanels();
    // Opens the window on the list, or on the document of code (printed at once when it has no parameter).
    // language: 0 French, 1 Arabic, -1 French without the choice.
    void Execute(qint32 code, int language);

    std::vector<std::unique_ptr<TQuillon_Document>> documents;
    Callback prepare;
    Callback print;
    int langue = 0;
    std::unique_ptr<TFQUILLON_PRNMENU> window;
};

// Shows the documents window on catalogue, on the list (code 0) or on the document of code. Each print
// reads its fields into parameters, which keeps them for the next print. A printed document goes to show
// (the preview).
void ShowPrintMenu(Tfdb &db, const QList<DocumentSpec> &catalogue, TParametresEdition &parameters, qint32 code,
                   const std::function<void(const ReportDocument &)> &show, QWidget *parent = nullptr);

} // namespace zelvane
