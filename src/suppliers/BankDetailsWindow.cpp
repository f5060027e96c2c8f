#include "suppliers/BankDetailsWindow.h"

#include "common/Format.h"
#include "common/Prompter.h"
#include "common/Text.h"
#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"
#include "suppliers/BankRef.h"
#include "users/Users.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelvane {

namespace {

enum NodeRole { RecordRole = Qt::UserRole, IsAgencyRole };

const QString kTreasury = QStringLiteral("TRS");
const QString kPostal = QStringLiteral("000");

QLabel *bold(const QString &text, double scale = 1.0)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    return label;
}

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

TFRIB::TFRIB(TBankRef &ref, const QString &text, bool autoKey, QWidget *parent)
    : QDialog(parent)
    , m_ref(ref)
    , m_pages(new QTabWidget)
    , m_status(new QLabel)
    , m_bank(new QLineEdit)
    , m_agency(new QLineEdit)
    , m_account(new QLineEdit)
    , m_key(new QLineEdit)
    , m_bankList(new QComboBox)
    , m_kind(new QLabel(QStringLiteral("RIB (Relevé d'identité Bancaire/Postal)")))
    , m_first(new QLabel)
    , m_picture(new QLabel)
    , m_second(new QLabel)
    , m_info(new QGroupBox)
    , m_autoKey(new QCheckBox(QStringLiteral("Activer le calcule automatique de la clé de contrôle")))
    , m_fileName(new QLabel)
    , m_version(new QLabel)
    , m_tree(new QTreeWidget)
    , m_panels(new QStackedWidget)
    , m_ok(new QPushButton(QStringLiteral("Ok")))
    , m_cancel(new QPushButton(QStringLiteral("Annuler")))
{
    setWindowTitle(QStringLiteral("Saisi et contrôle du RIB/RIP"));
    auto *banner = bold(QStringLiteral("REPUBLIQUE ALGERIENNE DEMOCRATIQUE ET POPULAIRE"), 1.1);
    banner->setAlignment(Qt::AlignCenter);
    banner->setStyleSheet(QStringLiteral("background: #1e8449; color: white; padding: 6px;"));

    m_pages->addTab(buildRibPage(), QStringLiteral("RIB/RIP"));
    m_pages->addTab(buildReferentialPage(), QStringLiteral("Référentiel Banques/Agences (Système ATCI)"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    const char *captions[] = {"New Bank", "New Agence", "Delete", "Save", "Quit"};
    for (const char *caption : captions) {
        auto *button = new QPushButton(QString::fromLatin1(caption));
        button->setAutoDefault(false);
        button->hide();
        buttons->addWidget(button);
        m_referentialButtons << button;
    }
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_ok);
    m_cancel->setAutoDefault(false);
    connect(m_referentialButtons.at(0), &QPushButton::clicked, this, &TFRIB::NewBank);
    connect(m_referentialButtons.at(1), &QPushButton::clicked, this, &TFRIB::NewAgence);
    connect(m_referentialButtons.at(2), &QPushButton::clicked, this, &TFRIB::Delete);
    connect(m_referentialButtons.at(3), &QPushButton::clicked, this, &TFRIB::Save);
    connect(m_referentialButtons.at(4), &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    for (auto [key, slot] : {std::pair{Qt::Key_F3, &TFRIB::firstAgence}, std::pair{Qt::Key_F4, &TFRIB::prevAgence},
                             std::pair{Qt::Key_F5, &TFRIB::nextAgence}}) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, slot);
    }

    // Opening: the referential's state, its banks, then the account split into the boxes.
    m_autoKey->setChecked(autoKey);
    m_status->setText(QStringLiteral("With Bank Referential ")
                      + (m_ref.HasAgences()
                             ? QStringLiteral("Enabled - Version ATCI.") + m_ref.Version
                                   + (m_ref.IsLocal ? QStringLiteral(" /Local") : QStringLiteral(" /System"))
                             : QStringLiteral("Disabled")));
    m_bankList->clear();
    if (m_ref.HasAgences()) {
        for (const auto &bank : m_ref.Banques)
            m_bankList->addItem(bank->Nom);
    }
    m_refreshing = true;
    if (text.left(3).toUpper() != kTreasury) {
        m_bank->setText(text.mid(0, 3));
        m_agency->setText(text.mid(3, 5));
        m_account->setText(text.mid(8, 10));
        m_key->setText(text.mid(18, 2));
    } else {
        m_bank->setText(text.mid(0, 3));
        m_agency->clear();
        m_account->setText(text.mid(3, 20));
        m_key->clear();
    }
    m_refreshing = false;
    for (QLineEdit *box : {m_bank, m_agency, m_account, m_key})
        connect(box, &QLineEdit::textChanged, this, &TFRIB::Refresh);
    connect(m_autoKey, &QCheckBox::clicked, this, &TFRIB::Refresh);
    Refresh();
    connect(m_pages, &QTabWidget::currentChanged, this, &TFRIB::pageChanged);
    m_bank->setFocus();
}

QWidget *TFRIB::buildRibPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(bold(QStringLiteral("Contrôle du RIB/RIP"), 1.3));
    layout->addWidget(m_status);
    layout->addWidget(bold(QStringLiteral("Relevé d'identité Bancaire/Postal")));

    auto *boxes = new QGridLayout;
    const std::pair<QLineEdit *, const char *> rows[] = {{m_bank, "Code de Banque (3 chiffres)"},
                                                         {m_agency, "Code de l'Agence (5 chiffres)"},
                                                         {m_account, "Numéro du Compte (10 chiffres)"},
                                                         {m_key, "Clé de Contrôle (2 chiffres)"}};
    const int lengths[] = {3, 5, 10, 2};
    int row = 0;
    for (const auto &[box, caption] : rows) {
        box->setMaxLength(lengths[row]);
        box->setValidator(new UpperCaseValidator(box));
        box->setFont(QFont(QStringLiteral("Monospace")));
        boxes->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        boxes->addWidget(box, row, 1);
        QLineEdit *edit = box; // Debian's clang cannot capture a structured binding
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { leaveBox(edit); });
        ++row;
    }
    m_bankList->setMaxVisibleItems(30);
    m_bankList->setFocusPolicy(Qt::ClickFocus);
    boxes->addWidget(m_bankList, 0, 2);
    boxes->setColumnStretch(2, 1);
    connect(m_bankList, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < m_ref.Codes.size())
            m_bank->setText(m_ref.Codes.at(index));
    });
    layout->addLayout(boxes);
    m_kind->setStyleSheet(QStringLiteral("font-weight: bold; color: #1f4e79;"));
    layout->addWidget(m_kind);

    auto *message = new QFrame;
    message->setFrameShape(QFrame::StyledPanel);
    auto *messageLayout = new QGridLayout(message);
    QFont big = m_first->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    m_first->setFont(big);
    m_second->setFont(big);
    messageLayout->addWidget(m_picture, 0, 0, 2, 1);
    messageLayout->addWidget(m_first, 0, 1);
    messageLayout->addWidget(m_second, 1, 1);
    messageLayout->setColumnStretch(1, 1);
    layout->addWidget(message);

    auto *info = new QFormLayout(m_info);
    for (const char *caption : {"Banque mère", "Siège", "Tél", "Fax", "Nom de l'Agence", "Adresse"}) {
        auto *value = new QLabel;
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        info->addRow(QString::fromUtf8(caption), value);
        m_infoValues << value;
    }
    m_info->hide();
    layout->addWidget(m_info);
    layout->addWidget(m_autoKey);
    layout->addStretch();
    InstallFocusNext({m_bank, m_agency, m_account, m_key, m_ok});
    return page;
}

QWidget *TFRIB::buildReferentialPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(bold(QStringLiteral("Référentiel banques/agences opérant dans le système ATCI"), 1.2));
    auto *header = new QFormLayout;
    header->addRow(QStringLiteral("FileName"), m_fileName);
    header->addRow(QStringLiteral("Version"), m_version);
    layout->addLayout(header);

    m_tree->setHeaderHidden(true);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &TFRIB::nodeSelected);

    auto panel = [this](const QString &title, const QStringList &captions, QList<QLineEdit *> &boxes) {
        auto *group = new QGroupBox(title);
        auto *form = new QFormLayout(group);
        for (const QString &caption : captions) {
            QLineEdit *box = referentialBox(boxes.isEmpty());
            form->addRow(caption, box);
            connect(box, &QLineEdit::textEdited, this, &TFRIB::panelEdited);
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
    return page;
}

QString TFRIB::accountText() const { return m_bank->text() + m_agency->text() + m_account->text() + m_key->text(); }

void TFRIB::Refresh()
{
    if (m_refreshing)
        return;
    m_refreshing = true;
    setUpdatesEnabled(false);
    const QString b = m_bank->text().trimmed();
    if (b == kPostal)
        m_agency->setText(QStringLiteral("00000"));
    if (b == kTreasury) {
        m_agency->clear();
        m_key->clear();
    }
    const QString a = m_agency->text().trimmed();
    const QString c = m_account->text().trimmed();
    // A treasury account has no key: computing one would write two characters into its account.
    if (m_autoKey->isChecked() && b != kTreasury)
        m_key->setText(CleRIB(b, a, c));
    const QString k = m_key->text().trimmed();

    m_bankList->setCurrentIndex(m_ref.Codes.indexOf(b));
    m_agency->setEnabled(true);
    m_key->setEnabled(true);
    m_autoKey->setEnabled(true);
    if (b == kPostal) {
        m_agency->setEnabled(false);
        m_kind->setText(QStringLiteral("RIP (Relevé d'identité Postal)"));
    } else if (b == kTreasury) {
        m_agency->setEnabled(false);
        m_key->setEnabled(false);
        m_autoKey->setChecked(false);
        m_autoKey->setEnabled(false);
        m_kind->setText(QStringLiteral("TRS (Compte Special)"));
    } else {
        m_kind->setText(QStringLiteral("RIB (Relevé d'identité Bancaire)"));
    }

    const TATCI_Agenceinf *ag = m_ref.FindAgence(b + a);
    m_first->setText(ag ? ag->Nom : QStringLiteral("Coordonnée Bancaire Invalide"));
    m_picture->setPixmap(
        style()->standardIcon(ag ? QStyle::SP_DialogApplyButton : QStyle::SP_MessageBoxCritical).pixmap(40, 40));
    const QString m = m_bank->text().toUpper() == kTreasury ? QString() : CheckRIB(b, a, k, c);
    m_info->hide();
    if (!m.isEmpty()) {
        m_ok->setEnabled(false);
        m_second->setStyleSheet(QStringLiteral("color: #c0392b;"));
        m_second->setText(m);
    } else {
        m_ok->setEnabled(true);
        m_second->setStyleSheet(QStringLiteral("color: black;"));
        const QString sep = QStringLiteral(" - ");
        if (b == kPostal)
            m_second->setText(QStringLiteral("RIP -> ") + b + sep + a + sep + c + sep + k);
        else if (b == kTreasury)
            m_second->setText(QStringLiteral("TRS -> ") + a + c + k);
        else
            m_second->setText(QStringLiteral("RIB -> ") + b + sep + a + sep + c + sep + k);
        if (ag) {
            const TATCI_bankinf *bank = ag->Banque;
            const QString values[] = {bank->Description, bank->Siege, bank->Tel, bank->Fax, ag->Nom, ag->Adresse};
            for (int i = 0; i < 6; ++i)
                m_infoValues.at(i)->setText(values[i]);
            m_info->show();
        }
    }
    setUpdatesEnabled(true);
    m_refreshing = false;
}

void TFRIB::leaveBox(QLineEdit *box)
{
    const QString text = box->text();
    if (box == m_bank || box == m_agency) {
        const int size = box == m_bank ? 3 : 5;
        if (!text.isEmpty() && text.size() != size)
            box->setText(PadLeft(text, size, QStringLiteral("0")).right(size));
    } else if (box == m_account) {
        const QString bank = m_bank->text();
        const QString trimmed = text.trimmed();
        if (bank == kPostal)
            box->setText(PadLeft(text, 10, QStringLiteral("0")));
        else if (bank == QLatin1String("008") && trimmed.size() >= 4 && trimmed.size() <= 9)
            box->setText(trimmed.left(3) + QString(10 - trimmed.size(), QLatin1Char('0')) + trimmed.mid(3));
    }
}

void TFRIB::firstAgence()
{
    if (const TATCI_Agenceinf *a = m_ref.FirstAgence(m_bank->text()))
        m_agency->setText(a->Code);
}

void TFRIB::prevAgence()
{
    if (const TATCI_Agenceinf *a = m_ref.PrevAgence(m_bank->text() + m_agency->text()))
        m_agency->setText(a->Code);
}

void TFRIB::nextAgence()
{
    if (const TATCI_Agenceinf *a = m_ref.NextAgence(m_bank->text() + m_agency->text()))
        m_agency->setText(a->Code);
}

void TFRIB::pageChanged(int index)
{
    if (index == m_page)
        return;
    if (m_page == 0) {
        QString typed;
        if (!AskPassword(typed) || ScrambleText(typed) != QLatin1String("T5H8KWRD")) {
            const QSignalBlocker block(m_pages);
            m_pages->setCurrentIndex(0);
            return;
        }
    }
    m_page = index;
    const bool rib = index == 0;
    m_ok->setVisible(rib);
    m_cancel->setVisible(rib);
    for (QPushButton *button : std::as_const(m_referentialButtons))
        button->setVisible(!rib);
    if (rib) {
        m_tree->clear();
        Refresh();
        return;
    }
    buildTree();
    m_ok->setEnabled(false);
    m_fileName->setText(m_ref.FileName);
    m_version->setText(m_ref.Version);
    if (m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

QTreeWidgetItem *TFRIB::addBankNode(TATCI_bankinf *bank)
{
    auto *node = new QTreeWidgetItem(m_tree, {bank->Code + QStringLiteral(" - ") + bank->Nom});
    node->setData(0, RecordRole, QVariant::fromValue(quintptr(bank)));
    node->setData(0, IsAgencyRole, false);
    return node;
}

QTreeWidgetItem *TFRIB::addAgencyNode(QTreeWidgetItem *bankNode, TATCI_Agenceinf *agence)
{
    auto *node = new QTreeWidgetItem(bankNode, {agence->Code + QStringLiteral(" - ") + agence->Nom});
    node->setData(0, RecordRole, QVariant::fromValue(quintptr(agence)));
    node->setData(0, IsAgencyRole, true);
    return node;
}

void TFRIB::buildTree()
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

QList<QTreeWidgetItem *> TFRIB::nodes() const
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

void TFRIB::nodeSelected()
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

void TFRIB::panelEdited()
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

void TFRIB::NewBank()
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

void TFRIB::NewAgence()
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

void TFRIB::Delete()
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

void TFRIB::Save()
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
