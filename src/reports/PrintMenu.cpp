#include "reports/PrintMenu.h"

#include "common/Prompter.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "menus/WeeklyMenuWindow.h"
#include "reports/Catalogue.h"
#include "reports/Documents.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvane {

namespace {

constexpr int kRowHeight = 28;
constexpr int kLabelWidth = 190;
constexpr int kEditWidth = 200;

QPushButton *button(const QString &text)
{
    auto *b = new QPushButton(text);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFPRNMENU::TFPRNMENU()
    : P1(new QWidget(this))
{
    P1->setObjectName(QStringLiteral("P1"));
    ECode_art = addField(QStringLiteral("Entrez le Code Art    "), 0);
    EJournee = addField(QStringLiteral("Journée    "), 10);
    EFaitle = addField(QStringLiteral("Fait le   "), 10);
    ECode_four = addField(QStringLiteral("Code Fournisseur   "), 0);
    ENum_facture = addField(QStringLiteral("Numéro Facture   "), 0);
    EPeriode_du = addField(QStringLiteral("Période du   "), 10);
    EPeriode_au = addField(QStringLiteral("Période au   "), 10);
    PModele = new QWidget(P1);
    PModele->setAutoFillBackground(true);
    auto *modele = new QVBoxLayout(PModele);
    modele->setContentsMargins(0, 0, 0, 0);
    modele->addWidget(new QLabel(QStringLiteral("Modèle de Document")));
    LBModele = new QListWidget;
    LBModele->setObjectName(QStringLiteral("LBModele"));
    modele->addWidget(LBModele);
    PModele->setFixedSize(kLabelWidth + kEditWidth + 60, 110);
    connect(LBModele, &QListWidget::itemDoubleClicked, this, &TFPRNMENU::LBModeleDblClick);
}

QLineEdit *TFPRNMENU::addField(const QString &label, int maxLength)
{
    auto *row = new QWidget(P1);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *caption = new QLabel(label);
    caption->setFixedWidth(kLabelWidth);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *edit = new QLineEdit;
    edit->setFixedWidth(kEditWidth);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    caption->setBuddy(edit);
    layout->addWidget(caption);
    layout->addWidget(edit);
    layout->addStretch();
    row->setFixedSize(kLabelWidth + kEditWidth + 60, kRowHeight);
    // Arrows move between the fields; Enter is left to the default button, which prints.
    edit->installEventFilter(this);
    return edit;
}

bool TFPRNMENU::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    FocusNext(static_cast<QWidget *>(watched), key,
              {ECode_art, ECode_four, ENum_facture, EJournee, EPeriode_du, EPeriode_au, EFaitle});
    return true;
}

QWidget *TFPRNMENU::rowOf(ParamField field) const
{
    switch (field) {
    case ParamField::CodeArt:
        return ECode_art->parentWidget();
    case ParamField::Journee:
        return EJournee->parentWidget();
    case ParamField::FaitLe:
        return EFaitle->parentWidget();
    case ParamField::CodeFour:
        return ECode_four->parentWidget();
    case ParamField::NumFacture:
        return ENum_facture->parentWidget();
    case ParamField::PeriodeDu:
        return EPeriode_du->parentWidget();
    case ParamField::PeriodeAu:
        return EPeriode_au->parentWidget();
    case ParamField::Modele:
        return PModele;
    }
    return nullptr;
}

void TFPRNMENU::prepare(Tfdb &db, const DocumentSpec &document, const QDate &today)
{
    const QList<ParamField> all{ParamField::CodeArt,   ParamField::Journee,    ParamField::FaitLe,
                                ParamField::CodeFour,  ParamField::NumFacture, ParamField::PeriodeDu,
                                ParamField::PeriodeAu, ParamField::Modele};
    for (ParamField field : all)
        rowOf(field)->hide();
    const PanelLayout &layout = document.panel;
    if (!layout.modeles.isEmpty()) {
        LBModele->clear();
        LBModele->addItems(layout.modeles);
    }
    setTexts(PanelDefaults(db, document, today));
    QList<QWidget *> rows;
    for (ParamField field : layout.fields)
        rows.append(rowOf(field));
    StackControls(10, 6, rows, true);
    if (layout.caret == ParamField::Modele)
        LBModele->setFocus();
    else
        rowOf(layout.caret)->findChild<QLineEdit *>()->setFocus();
}

PanelTexts TFPRNMENU::texts() const
{
    return {ECode_art->text(),    EJournee->text(),    EFaitle->text(),     ECode_four->text(),
            ENum_facture->text(), EPeriode_du->text(), EPeriode_au->text(), LBModele->currentRow()};
}

void TFPRNMENU::setTexts(const PanelTexts &texts)
{
    ECode_art->setText(texts.codeArt);
    EJournee->setText(texts.journee);
    EFaitle->setText(texts.faitLe);
    ECode_four->setText(texts.codeFour);
    ENum_facture->setText(texts.numFacture);
    EPeriode_du->setText(texts.periodeDu);
    EPeriode_au->setText(texts.periodeAu);
    LBModele->setCurrentRow(texts.modele);
    if (texts.modele < 0)
        LBModele->clearSelection();
}

TFQUILLON_PRNMENU::TFQUILLON_PRNMENU(TQuillon_Print &owner, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
{
    setWindowTitle(QStringLiteral("Editions"));
    resize(620, 560);
    auto *heading = new QLabel(QStringLiteral("Préparations et éditions des Documents"));
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    heading->setFont(big);

    P0 = new QWidget;
    L5 = new QLabel(QStringLiteral("Liste des Documents Disponibles"));
    QFont bold = L5->font();
    bold.setBold(true);
    L5->setFont(bold);
    LB = new QListWidget;
    LB->setObjectName(QStringLiteral("LB"));
    PLangue = new QWidget;
    auto *langue = new QHBoxLayout(PLangue);
    langue->addWidget(new QLabel(QStringLiteral(" Langue ")));
    RGLangue = new QButtonGroup(this);
    for (const QString &item : {QStringLiteral("Français"), QStringLiteral("Arabe")}) {
        auto *radio = new QRadioButton(item);
        RGLangue->addButton(radio, RGLangue->buttons().size());
        langue->addWidget(radio);
    }
    langue->addStretch();
    RGLangue->button(0)->setChecked(true);
    BAnnuler = button(QStringLiteral("Annuler"));
    BNext = button(QStringLiteral("Suivant >>"));
    auto *listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(BAnnuler);
    listButtons->addWidget(BNext);
    auto *list = new QVBoxLayout(P0);
    list->setContentsMargins(0, 0, 0, 0);
    list->addWidget(L5);
    list->addWidget(LB, 1);
    list->addWidget(PLangue);
    list->addLayout(listButtons);

    PH = new QFrame;
    PH->setFrameShape(QFrame::StyledPanel);
    LTitle = new QLabel;
    LTitle->setFont(big);
    (new QVBoxLayout(PH))->addWidget(LTitle);
    PPanel = new QWidget;
    new QVBoxLayout(PPanel);
    PPanel->layout()->setContentsMargins(0, 0, 0, 0);
    PB = new QFrame;
    BAnnuler2 = button(QStringLiteral("Annuler"));
    BPrev = button(QStringLiteral("<< Précédent"));
    BPrint = button(QStringLiteral("Imprimer >>"));
    auto *pageButtons = new QHBoxLayout(PB);
    pageButtons->addStretch();
    pageButtons->addWidget(BAnnuler2);
    pageButtons->addWidget(BPrev);
    pageButtons->addWidget(BPrint);
    PH->hide();
    PPanel->hide();
    PB->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(P0, 1);
    layout->addWidget(PH);
    layout->addWidget(PPanel, 1);
    layout->addWidget(PB);
    BNext->setDefault(true);

    connect(RGLangue, &QButtonGroup::idClicked, this, &TFQUILLON_PRNMENU::RGLangueClick);
    connect(BNext, &QPushButton::clicked, this, &TFQUILLON_PRNMENU::BNextClick);
    connect(LB, &QListWidget::itemDoubleClicked, this, &TFQUILLON_PRNMENU::BNextClick);
    connect(BPrev, &QPushButton::clicked, this, &TFQUILLON_PRNMENU::BPrevClick);
    connect(BPrint, &QPushButton::clicked, this, &TFQUILLON_PRNMENU::BPrintClick);
    connect(BAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BAnnuler2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFQUILLON_PRNMENU::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (Tag == 1)
        BNextClick();
}

void TFQUILLON_PRNMENU::RGLangueClick()
{
    const int remembered = LB->currentRow();
    const bool arabic = RGLangue->checkedId() == 1;
    LB->clear();
    QList<DocumentSpec> entries;
    for (const auto &document : m_owner.documents)
        entries.append(document->spec);
    LB->addItems(CatalogueLines(entries, arabic));
    LB->setCurrentRow(0);
    if (remembered >= 0)
        LB->setCurrentRow(remembered);
    LB->setLayoutDirection(arabic ? Qt::RightToLeft : Qt::LeftToRight);
    L5->setText(arabic ? QStringLiteral("قــائمـة الوثــائــق الموجــودة")
                       : QStringLiteral("Liste des Documents Disponibles"));
    L5->setAlignment(arabic ? Qt::AlignRight : Qt::AlignLeft);
}

TQuillon_Document *TFQUILLON_PRNMENU::selectedDocument() const
{
    const int row = LB->currentRow();
    if (row < 0 || row >= int(m_owner.documents.size()))
        return nullptr;
    TQuillon_Document *document = m_owner.documents.at(row).get();
    return document->spec.code != doc::Separator ? document : nullptr;
}

void TFQUILLON_PRNMENU::BNextClick()
{
    m_owner.langue = RGLangue->checkedId();
    TQuillon_Document *document = selectedDocument();
    if (!document) {
        prompter().showMessage(QStringLiteral("Choisissez un document : cette ligne sépare deux groupes de la liste."),
                               QStringLiteral("Editions"), MessageIcon::Information);
        return;
    }
    LTitle->setText(m_owner.langue == 1 ? document->spec.arabicName : document->spec.name);
    m_owner.HidePanels();
    if (!document->panel) {
        BPrintClick();
        return;
    }
    PPanel->layout()->addWidget(document->panel);
    document->panel->show();
    m_owner.prepare(*document);
    P0->hide();
    PH->show();
    PPanel->show();
    PB->show();
    BNext->setDefault(false);
    BPrint->setDefault(true);
}

void TFQUILLON_PRNMENU::BPrevClick()
{
    PH->hide();
    PPanel->hide();
    PB->hide();
    P0->show();
    m_owner.HidePanels();
    BPrint->setDefault(false);
    BNext->setDefault(true);
}

void TFQUILLON_PRNMENU::BPrintClick()
{
    TQuillon_Document *document = selectedDocument();
    if (!document)
        return;
    document->langue = RGLangue->checkedId();
    const QList<QPushButton *> buttons{BAnnuler, BNext, BAnnuler2, BPrev, BPrint};
    for (QPushButton *b : buttons)
        b->setEnabled(false);
    QApplication::processEvents();
    // A failure of the document stays inside it: the window remains open for another print.
    try {
        m_owner.print(*document);
    } catch (...) {
    }
    for (QPushButton *b : {BPrint, BAnnuler, BAnnuler2, BNext})
        b->setEnabled(true);
    BPrev->setEnabled(Tag == 0);
}

TQuillon_Print::TQuillon_Print(Callback prepareDocument, Callback printDocument, QWidget *parent)
    : prepare(std::move(prepareDocument))
    , print(std::move(printDocument))
    , window(std::make_unique<TFQUILLON_PRNMENU>(*this, parent))
{
}

TQuillon_Print::~TQuillon_Print() { HidePanels(); }

void TQuillon_Print::AddDocument(const DocumentSpec &spec, QWidget *panel)
{
    auto document = std::make_unique<TQuillon_Document>();
    document->spec = spec;
    if (panel) {
        document->panel = panel;
        document->home = panel->parentWidget();
        panel->setAutoFillBackground(true);
        panel->setBackgroundRole(QPalette::Button);
        panel->hide();
    }
    documents.push_back(std::move(document));
}

void TQuillon_Print::HidePanels()
{
    for (const auto &document : documents) {
        if (document->panel) {
            document->panel->hide();
            document->panel->setParent(document->home);
        }
    }
}

void TQuillon_Print::Execute(qint32 code, int language)
{
    HidePanels();
    window->RGLangue->button(language == 1 ? 1 : 0)->setChecked(true);
    window->PLangue->setVisible(language >= 0);
    window->RGLangueClick();
    window->Tag = 0;
    if (code != 0) {
        for (size_t i = 0; i < documents.size(); ++i) {
            if (documents.at(i)->spec.code != code)
                continue;
            window->LB->setCurrentRow(int(i));
            window->Tag = 1;
            if (!documents.at(i)->panel) {
                window->BPrintClick();
                return;
            }
            break;
        }
    }
    window->exec();
}

void ShowPrintMenu(Tfdb &db, const QList<DocumentSpec> &catalogue, TParametresEdition &parameters, qint32 code,
                   const std::function<void(const ReportDocument &)> &show, QWidget *parent)
{
    TFPRNMENU panel;
    DialogWeeklyMenuForm weeklyMenuForm;
    TQuillon_Print print([&](TQuillon_Document &document) { panel.prepare(db, document.spec, QDate::currentDate()); },
                         [&](TQuillon_Document &document) {
                             PanelTexts texts = panel.texts();
                             // A day that is no day stops the print, saying why.
                             if (QString refusal; !ReadPanel(document.spec, texts, parameters, &refusal)) {
                                 prompter().showMessage(refusal, QStringLiteral("Editions"), MessageIcon::Warning);
                                 return;
                             }
                             panel.EFaitle->setText(texts.faitLe);
                             const ProducedDocument produced = ProduceDocument(db, document.spec, parameters);
                             if (produced.report && !produced.report->pages.isEmpty())
                                 show(*produced.report);
                             else if (produced.report)
                                 return; // the maker said why
                             else
                                 ShowExportResult(produced.office);
                         },
                         parent);
    QObject::connect(&panel, &TFPRNMENU::LBModeleDblClick, print.window.get(), &TFQUILLON_PRNMENU::BPrintClick);
    for (const DocumentSpec &document : catalogue)
        print.AddDocument(document, document.hasPanel() ? panel.P1 : nullptr);
    print.Execute(code, -1);
}

} // namespace zelvane
