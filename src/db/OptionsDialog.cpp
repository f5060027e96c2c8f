#include "db/OptionsDialog.h"

#include "common/Failure.h"
#include "common/NumberValidator.h"
#include "common/Organisation.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "db/FieldBinder.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelvane {

TFOptions::TFOptions(Tfdb &db, QWidget *parent)
    : QDialog(parent)
    , m_db(db)
    , m_options(new Dataset(QStringLiteral("options"), QStringLiteral("organisme"), this))
    , m_binder(new FieldBinder(m_options, this))
    , m_organisme(new QLabel(QStringLiteral("Organisme")))
    , m_organismeBox(new QLineEdit)
    , m_gestion(new QLineEdit)
    , m_rb1(new QRadioButton(QStringLiteral("Demi - Pension")))
    , m_rb2(new QRadioButton(QStringLiteral("Internat")))
{
    setWindowTitle(QStringLiteral("Options"));
    m_options->setConnectionName(db.alias());

    m_organismeBox->setReadOnly(true);
    m_organismeBox->hide();
    m_gestion->setReadOnly(true);
    m_gestion->setMaximumWidth(90);
    QFont caption = m_organisme->font();
    caption.setBold(true);
    caption.setPointSizeF(caption.pointSizeF() * 1.15);
    m_organisme->setFont(caption);
    m_organisme->setWordWrap(true);
    m_rb1->setProperty("tag", 1);
    m_rb2->setProperty("tag", 2);
    connect(m_rb1, &QRadioButton::clicked, this, [this] { RB1Click(1); });
    connect(m_rb2, &QRadioButton::clicked, this, [this] { RB1Click(2); });
    connect(m_organismeBox, &QLineEdit::textChanged, this, &TFOptions::DBEdit1Change);

    auto *regime = new QGroupBox(QStringLiteral("Regime :"));
    auto *regimeLayout = new QHBoxLayout(regime);
    regimeLayout->addWidget(m_rb1);
    regimeLayout->addWidget(m_rb2);
    regimeLayout->addStretch();

    auto *optionsPage = new QWidget;
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Gestion"), m_gestion);
    auto *optionsLayout = new QVBoxLayout(optionsPage);
    optionsLayout->addWidget(m_organisme);
    optionsLayout->addWidget(m_organismeBox);
    optionsLayout->addLayout(form);
    optionsLayout->addWidget(regime);
    optionsLayout->addStretch();

    m_tabs = new QTabWidget;
    m_tabs->addTab(optionsPage, QStringLiteral("Options"));
    m_tabs->addTab(identityPage(), QStringLiteral("Etablissement"));
    m_notice = new QLabel(QStringLiteral("Les documents imprimés portent cet en-tête : saisissez le ministère, la "
                                         "direction et l'établissement."));
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_notice->hide();

    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    auto *ok = new QPushButton(QStringLiteral("Accepter"));
    // Enter walks the heading's boxes, then reaches "Accepter".
    QList<QWidget *> order(m_identity.cbegin(), m_identity.cend());
    InstallFocusNext(order << ok);
    connect(ok, &QPushButton::clicked, this, &TFOptions::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &TFOptions::BitBtn2Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_notice);
    layout->addWidget(m_tabs);
    layout->addLayout(AcceptCancelRow(ok, cancel));
    setFixedSize(560, 430);

    // The window works on its own dataset of the options row, in edit mode from the start.
    IgnoreFailure("options row", [this] {
        m_options->open();
        if (m_options->recordCount() > 0)
            m_options->edit();
    });
    m_binder->bind(m_organismeBox, QStringLiteral("organisme"));
    m_binder->bind(m_gestion, QStringLiteral("gestion"));
    DBEdit1Change();
    DBEdit3Change();
}

TFOptions::~TFOptions() = default;

QWidget *TFOptions::identityPage()
{
    const OrganisationIdentity &id = Organisation();
    const QStringList values = {id.kindCode,     id.headingFr[0], id.headingFr[1], id.headingFr[2], id.headingAr[0],
                                id.headingAr[1], id.headingAr[2], id.wilaya,       id.town};
    const QStringList labels = {QStringLiteral("Code de l'organisme"),
                                QStringLiteral("Ministère"),
                                QStringLiteral("Direction / Office"),
                                QStringLiteral("Etablissement"),
                                QStringLiteral("الوزارة"),
                                QStringLiteral("المديرية / الديوان"),
                                QStringLiteral("المؤسسة"),
                                QStringLiteral("Wilaya"),
                                QStringLiteral("Fait à")};
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    for (int i = 0; i < labels.size(); ++i) {
        auto *box = new QLineEdit(values.at(i));
        box->setMaxLength(i == 0 ? 5 : 120);
        if (i == 0) // the number of the kind of establishment
            box->setValidator(new NumberValidator(5, 0, box));
        if (i >= 4 && i <= 6) {
            box->setLayoutDirection(Qt::RightToLeft);
            box->setAlignment(Qt::AlignRight);
        }
        m_identity << box;
        form->addRow(labels.at(i), box);
    }
    return page;
}

void TFOptions::askForHeading()
{
    m_notice->show();
    setFixedSize(width(), height() + 50);
    m_tabs->setCurrentIndex(1);
    m_identity.value(1)->setFocus();
}

bool TFOptions::Execute(Tfdb &db, QWidget *parent, bool heading)
{
    TFOptions window(db, parent);
    if (heading)
        window.askForHeading();
    window.exec();
    const bool saved = db.SaveDataSet(window.db_options(), window.isAccepted());
    window.db_options()->close();
    if (saved)
        db.LoadOptions();
    return saved;
}

void TFOptions::BitBtn1Click()
{
    OrganisationIdentity &id = Organisation();
    id.kindCode = m_identity.at(0)->text().trimmed();
    for (int i = 0; i < 3; ++i) {
        id.headingFr[i] = m_identity.at(1 + i)->text().trimmed();
        id.headingAr[i] = m_identity.at(4 + i)->text().trimmed();
    }
    id.wilaya = m_identity.at(7)->text().trimmed();
    id.town = m_identity.at(8)->text().trimmed();
    id.save();
    m_accepted = true;
    accept();
}

void TFOptions::BitBtn2Click()
{
    m_accepted = false;
    reject();
}

void TFOptions::DBEdit1Change()
{
    if (!m_options->isActive())
        return;
    QString libelle;
    if (auto query = m_db.GetQuery(QStringLiteral("select * from organismes where organisme=")
                                   + QString::number(m_organismeBox->text().trimmed().toInt()));
        query && query->next())
        libelle = query->value(QStringLiteral("libelle")).toString();
    m_organisme->setText(libelle);
}

void TFOptions::DBEdit3Change()
{
    bool ok = false;
    int regime = m_options->value(QStringLiteral("regime")).toString().toInt(&ok);
    if (!ok)
        regime = 1;
    QRadioButton *on = regime == 1 ? m_rb1 : m_rb2;
    QRadioButton *off = regime == 1 ? m_rb2 : m_rb1;
    on->setChecked(true);
    off->setChecked(false);
    QFont bold = on->font();
    bold.setBold(true);
    bold.setUnderline(true);
    on->setFont(bold);
    QFont plain = off->font();
    plain.setBold(false);
    plain.setUnderline(false);
    off->setFont(plain);
}

void TFOptions::RB1Click(int tag)
{
    if (m_options->isEditing())
        m_options->setValue(QStringLiteral("regime"), tag);
    DBEdit3Change();
}

} // namespace zelvane
