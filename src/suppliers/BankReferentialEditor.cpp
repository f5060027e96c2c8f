#include "suppliers/BankReferentialEditor.h"

#include "common/Format.h"
#include "common/Prompter.h"
#include "common/Text.h"
#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"
#include "suppliers/BankRef.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelvane {

namespace {

enum NodeRole { RecordRole = Qt::UserRole, IsAgencyRole };

// Referential fields end up between ";" in its file: the boxes refuse the separator.
QLineEdit *referentialBox(bool readOnly = false)
{
    auto *box = new QLineEdit;
    box->setValidator(new UpperCaseValidator(box, QStringLiteral(";")));
    box->setReadOnly(readOnly);
    return box;
}

bool isAgencyNode(const QTreeWidgetItem *item) { return item && item->data(0, IsAgencyRole).toBool(); }

template<typename T>
T *recordOf(const QTreeWidgetItem *item)
{
    return item ? reinterpret_cast<T *>(item->data(0, RecordRole).value<quintptr>()) : nullptr;
}

std::optional<QString> newCode(const QString &answer, int size)
{
    const QString v = answer.trimmed();
    if (v.isEmpty() || v.size() > size)
        return std::nullopt;
    const QString padded = PadLeft(v, size, QStringLiteral("0"));
    const std::optional<qint64> n = ParseInteger(padded);
    if (!n || *n < 0)
        return std::nullopt;
    return padded;
}

} // namespace

BankReferentialEditor::BankReferentialEditor(TBankRef &ref, QWidget *parent)
    : QWidget(parent)
    , m_ref(ref)
    , m_fileName(new QLabel)
    , m_version(new QLabel)
    , m_tree(new QTreeWidget)
    , m_panels(new QStackedWidget)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(HeadingLabel(QStringLiteral("Référentiel banques/agences opérant dans le système ATCI"), 1.2));
    auto *header = new QFormLayout;
    header->addRow(QStringLiteral("FileName"), m_fileName);
    header->addRow(QStringLiteral("Version"), m_version);
    layout->addLayout(header);

    m_tree->setHeaderHidden(true);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &BankReferentialEditor::nodeSelected);

    auto panel = [this](const QString &title, const QStringList &captions, QList<QLineEdit *> &boxes) {
        auto *group = new QGroupBox(title);
        auto *form = new QFormLayout(group);
        for (const QString &caption : captions) {
            QLineEdit *box = referentialBox(boxes.isEmpty());
            form->addRow(caption, box);
            connect(box, &QLineEdit::textEdited, this, &BankReferentialEditor::panelEdited);
            boxes << box;
        }
        QList<QWidget *> order(boxes.cbegin(), boxes.cend());
        InstallFocusNext(order);
        m_panels->addWidget(group);
    };
    panel(QStringLiteral("BANQUE"),
          {QStringLiteral("Code Banque"), QStringLiteral("Nom de la Banque"), QStringLiteral("Description"),
           QStringLiteral("Siège"), QStringLiteral("Tél"), QStringLiteral("Fax")},
          m_bankBoxes);
    panel(QStringLiteral("BANQUE->AGENCE"),
          {QStringLiteral("Code Agence"), QStringLiteral("Nom de l'Agence"), QStringLiteral("Adresse"),
           QStringLiteral("Code Postal")},
          m_agencyBoxes);
    m_bankBoxes.at(0)->setMaxLength(3);
    m_agencyBoxes.at(0)->setMaxLength(5);

    auto *columns = new QHBoxLayout;
    columns->addWidget(m_tree, 3);
    auto *right = new QVBoxLayout;
    right->addWidget(m_panels);
    right->addStretch();
    columns->addLayout(right, 2);
    layout->addLayout(columns, 1);
}

void BankReferentialEditor::load()
{
    buildTree();
    m_fileName->setText(m_ref.FileName);
    m_version->setText(m_ref.Version);
    if (m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

void BankReferentialEditor::clear() { m_tree->clear(); }

QTreeWidgetItem *BankReferentialEditor::addBankNode(TATCI_bankinf *bank)
{
    auto *node = new QTreeWidgetItem(m_tree, {bank->Code + QStringLiteral(" - ") + bank->Nom});
    node->setData(0, RecordRole, QVariant::fromValue(quintptr(bank)));
    node->setData(0, IsAgencyRole, false);
    return node;
}

QTreeWidgetItem *BankReferentialEditor::addAgencyNode(QTreeWidgetItem *bankNode, TATCI_Agenceinf *agence)
{
    auto *node = new QTreeWidgetItem(bankNode, {agence->Code + QStringLiteral(" - ") + agence->Nom});
    node->setData(0, RecordRole, QVariant::fromValue(quintptr(agence)));
    node->setData(0, IsAgencyRole, true);
    return node;
}

void BankReferentialEditor::buildTree()
{
    m_tree->clear();
    QTreeWidgetItem *bankNode = nullptr;
    const TATCI_bankinf *previous = nullptr;
    for (const auto &agence : m_ref.Agences) {
        if (!bankNode || agence->Banque->Code != previous->Code)
            bankNode = addBankNode(agence->Banque);
        previous = agence->Banque;
        addAgencyNode(bankNode, agence.get());
    }
}

QList<QTreeWidgetItem *> BankReferentialEditor::nodes() const
{
    QList<QTreeWidgetItem *> all;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *bank = m_tree->topLevelItem(i);
        all << bank;
        for (int j = 0; j < bank->childCount(); ++j)
            all << bank->child(j);
    }
    return all;
}

void BankReferentialEditor::nodeSelected()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (!item)
        return;
    m_filling = true;
    if (isAgencyNode(item)) {
        const auto *a = recordOf<TATCI_Agenceinf>(item);
        const QString values[] = {a->Code, a->Nom, a->Adresse, a->CodePostal};
        for (int i = 0; i < 4; ++i)
            m_agencyBoxes.at(i)->setText(values[i]);
        m_panels->setCurrentIndex(1);
    } else {
        const auto *b = recordOf<TATCI_bankinf>(item);
        const QString values[] = {b->Code, b->Nom, b->Description, b->Siege, b->Tel, b->Fax};
        for (int i = 0; i < 6; ++i)
            m_bankBoxes.at(i)->setText(values[i]);
        m_panels->setCurrentIndex(0);
    }
    m_filling = false;
}

void BankReferentialEditor::panelEdited()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (m_filling || !item)
        return;
    if (isAgencyNode(item)) {
        auto *a = recordOf<TATCI_Agenceinf>(item);
        a->Code = m_agencyBoxes.at(0)->text().left(5);
        a->Nom = m_agencyBoxes.at(1)->text();
        a->Adresse = m_agencyBoxes.at(2)->text();
        a->CodePostal = m_agencyBoxes.at(3)->text();
        item->setText(0, m_agencyBoxes.at(0)->text() + QStringLiteral(" - ") + m_agencyBoxes.at(1)->text());
    } else {
        auto *b = recordOf<TATCI_bankinf>(item);
        b->Code = m_bankBoxes.at(0)->text().left(3);
        b->Nom = m_bankBoxes.at(1)->text();
        b->Description = m_bankBoxes.at(2)->text();
        b->Siege = m_bankBoxes.at(3)->text();
        b->Tel = m_bankBoxes.at(4)->text();
        b->Fax = m_bankBoxes.at(5)->text();
        item->setText(0, m_bankBoxes.at(0)->text() + QStringLiteral(" - ") + m_bankBoxes.at(1)->text());
    }
    m_ref.rebuildCodes();
}

void BankReferentialEditor::NewBank()
{
    const std::optional<QString> answer = prompter().input(QStringLiteral("Tapez le code de la nouvelle Banque :"),
                                                           QStringLiteral("Banque"), QString());
    const std::optional<QString> code = answer ? newCode(*answer, 3) : std::nullopt;
    // A bank without agencies is not in the tree but is in the referential: its code is taken too.
    if (!code || m_ref.FindBanque(*code))
        return;
    TATCI_bankinf *bank = m_ref.appendBanque(
        {*code, QStringLiteral("Nom de la Banque..."), QStringLiteral("Description de la Banque..."), {}, {}, {}});
    m_tree->setCurrentItem(addBankNode(bank));
    m_bankBoxes.at(1)->setFocus();
    m_bankBoxes.at(1)->selectAll();
}

void BankReferentialEditor::NewAgence()
{
    QTreeWidgetItem *bankNode = m_tree->currentItem();
    if (isAgencyNode(bankNode))
        bankNode = bankNode->parent();
    if (!bankNode)
        return;
    auto *bank = recordOf<TATCI_bankinf>(bankNode);
    const std::optional<QString> answer = prompter().input(QStringLiteral("Tapez le code de la nouvelle Agence :"),
                                                           QStringLiteral("Agence"), QString());
    const std::optional<QString> code = answer ? newCode(*answer, 5) : std::nullopt;
    if (!code || m_ref.FindAgence(bank->Code + *code))
        return;
    // The referential keeps the tree's order: the new agency goes after every agency node above it.
    int position = 0;
    for (int i = 0; i < m_tree->indexOfTopLevelItem(bankNode); ++i)
        position += m_tree->topLevelItem(i)->childCount();
    position += bankNode->childCount();
    TATCI_Agenceinf *agence = m_ref.insertAgence(
        position, {bank, *code, QStringLiteral("Nom de l'agence..."), QStringLiteral("Adresse de l'agence..."), {}});
    m_tree->setCurrentItem(addAgencyNode(bankNode, agence));
    m_agencyBoxes.at(1)->setFocus();
    m_agencyBoxes.at(1)->selectAll();
}

void BankReferentialEditor::Delete()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (!item)
        return;
    const bool agency = isAgencyNode(item);
    const QString question = QStringLiteral(" Voulez-vous Confirmer la Suppression de l")
                             + (agency ? QStringLiteral("'agence") : QStringLiteral("a banque")) + QLatin1Char(' ')
                             + item->text(0) + QStringLiteral("  ? ");
    if (!prompter().confirm(question, QStringLiteral("Confirmation"), MessageIcon::Question))
        return;
    const int position = int(nodes().indexOf(item));
    if (agency) {
        m_ref.removeAgence(recordOf<TATCI_Agenceinf>(item));
    } else {
        m_ref.removeBanque(recordOf<TATCI_bankinf>(item));
    }
    delete item;
    const QList<QTreeWidgetItem *> left = nodes();
    if (!left.isEmpty())
        m_tree->setCurrentItem(left.value(position, left.last()));
}

void BankReferentialEditor::Save()
{
    const QFileInfo proposed(m_ref.FileName);
    const QString path = prompter().chooseFileToSave(QStringLiteral("Enregistrer le référentiel"),
                                                     proposed.absolutePath(), proposed.fileName(),
                                                     QStringLiteral("*.ref (*.ref);;*.* (*)"));
    if (path.isEmpty())
        return;
    if (!m_ref.SaveRef(path))
        prompter().showMessage(QStringLiteral("Le référentiel n'a pas pu être enregistré dans %1.").arg(path), {},
                               MessageIcon::Warning);
}

} // namespace zelvane
