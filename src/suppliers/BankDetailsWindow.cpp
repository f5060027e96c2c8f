#include "suppliers/BankDetailsWindow.h"

#include "common/Format.h"
#include "common/Prompter.h"
#include "common/Text.h"
#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"
#include "suppliers/BankRef.h"
#include "suppliers/BankReferentialEditor.h"
#include "users/Users.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelvane {

namespace {

const QString kTreasury = QStringLiteral("TRS");
const QString kPostal = QStringLiteral("000");

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
    , m_referential(new BankReferentialEditor(ref))
    , m_ok(new QPushButton(QStringLiteral("Ok")))
    , m_cancel(new QPushButton(QStringLiteral("Annuler")))
{
    setWindowTitle(QStringLiteral("Saisi et contrôle du RIB/RIP"));
    auto *banner = HeadingLabel(QStringLiteral("REPUBLIQUE ALGERIENNE DEMOCRATIQUE ET POPULAIRE"));
    banner->setAlignment(Qt::AlignCenter);
    banner->setStyleSheet(QStringLiteral("background: #1e8449; color: white; padding: 6px;"));

    m_pages->addTab(buildRibPage(), QStringLiteral("RIB/RIP"));
    m_pages->addTab(m_referential, QStringLiteral("Référentiel Banques/Agences (Système ATCI)"));

    QHBoxLayout *buttons = AcceptCancelRow(m_ok, m_cancel);
    // The referential's own commands take the place of Ok and Annuler on its page.
    const char *captions[] = {"New Bank", "New Agence", "Delete", "Save", "Quit"};
    for (const char *caption : captions) {
        auto *button = new QPushButton(QString::fromLatin1(caption));
        button->setAutoDefault(false);
        button->hide();
        buttons->insertWidget(buttons->count() - 2, button);
        m_referentialButtons << button;
    }
    connect(m_referentialButtons.at(0), &QPushButton::clicked, m_referential, &BankReferentialEditor::NewBank);
    connect(m_referentialButtons.at(1), &QPushButton::clicked, m_referential, &BankReferentialEditor::NewAgence);
    connect(m_referentialButtons.at(2), &QPushButton::clicked, m_referential, &BankReferentialEditor::Delete);
    connect(m_referentialButtons.at(3), &QPushButton::clicked, m_referential, &BankReferentialEditor::Save);
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
    layout->addWidget(HeadingLabel(QStringLiteral("Contrôle du RIB/RIP"), 1.3));
    layout->addWidget(m_status);
    layout->addWidget(HeadingLabel(QStringLiteral("Relevé d'identité Bancaire/Postal"), 1));

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
        m_referential->clear();
        Refresh();
        return;
    }
    m_referential->load();
    m_ok->setEnabled(false);
}

} // namespace zelvane
