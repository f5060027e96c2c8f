#include "stock/ArticleWindow.h"

#include "common/Format.h"
#include "common/NumberValidator.h"
#include "common/Prompter.h"
#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"
#include "db/Columns.h"
#include "db/DataModule.h"
#include "db/FieldBinder.h"
#include "stock/Articles.h"
#include "stock/GridStyle.h"
#include "stock/StockModule.h"
#include "stock/SupplierPicker.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValidator>

namespace zelvane {

namespace {

// The picture of a new article: a crate of provisions.
QPixmap articlePicture()
{
    QPixmap picture(180, 180);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xf1, 0xf8));
    p.drawEllipse(QRectF(5, 5, 170, 170));
    p.setBrush(QColor(0xe6, 0x7e, 0x22));
    p.drawEllipse(QRectF(52, 40, 34, 34));
    p.setBrush(QColor(0x27, 0xae, 0x60));
    p.drawEllipse(QRectF(80, 34, 38, 38));
    p.setBrush(QColor(0xc0, 0x39, 0x2b));
    p.drawEllipse(QRectF(106, 46, 30, 30));
    QPainterPath crate;
    crate.addRoundedRect(QRectF(38, 66, 104, 72), 8, 8);
    p.setBrush(QColor(0xb9, 0x77, 0x0e));
    p.drawPath(crate);
    p.setPen(QPen(QColor(0x7e, 0x51, 0x09), 3));
    for (int y : {90, 114})
        p.drawLine(42, y, 138, y);
    return picture;
}

} // namespace

TFArticle::TFArticle(StockModule &module, bool add, QWidget *parent)
    : QDialog(parent)
    , m_module(module)
    , m_db(module.db())
    , m_binder(new FieldBinder(module.db_ARTICLES, this))
    , m_code(new QLineEdit)
    , m_designation(new QLineEdit)
    , m_pu(new QLineEdit)
    , m_supplier(new SupplierPicker(m_db, module.db_ARTICLES))
    , m_qt31dec(new QLineEdit)
    , m_pu31dec(new QLineEdit)
    , m_valeur(new QLabel)
    , m_ok(new QPushButton(QStringLiteral("Accepter")))
    , m_own(add ? -1 : module.db_ARTICLES->intValue(col::articles::CodeArt))
{
    setWindowTitle(QStringLiteral("Article"));

    QLabel *heading = HeadingLabel(QStringLiteral("Information concernant l'Article   "), 1.25);

    m_code->setValidator(NumberValidator::code(m_code));
    m_designation->setValidator(new UpperCaseValidator(m_designation));
    for (QLineEdit *amount : {m_pu, m_qt31dec, m_pu31dec})
        amount->setValidator(NumberValidator::amount(amount));
    m_code->setMaximumWidth(110);
    for (QLineEdit *number : {m_code, m_pu, m_qt31dec, m_pu31dec})
        number->setAlignment(Qt::AlignRight);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Code Article  :"), m_code);
    form->addRow(QStringLiteral("Désignation  :"), m_designation);
    form->addRow(QStringLiteral("Prix unitaire   :"), m_pu);
    form->addRow(QStringLiteral("Fournisseur   :"), m_supplier);

    auto *opening = new QGroupBox(QStringLiteral(" Stock au 31 décembre dernier "));
    auto *openingForm = new QFormLayout(opening);
    openingForm->setLabelAlignment(Qt::AlignRight);
    openingForm->addRow(QStringLiteral("Quantité :"), m_qt31dec);
    openingForm->addRow(QStringLiteral("PU"), m_pu31dec);
    m_valeur->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_valeur->setFrameShape(QFrame::StyledPanel);
    m_valeur->setMinimumHeight(m_qt31dec->sizeHint().height());
    openingForm->addRow(QStringLiteral("Valeur :"), m_valeur);

    auto *fields = new QVBoxLayout;
    fields->addLayout(form);
    fields->addWidget(opening);
    fields->addStretch();

    auto *page = new QWidget;
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(heading);
    auto *body = new QHBoxLayout;
    body->addLayout(fields, 1);
    if (add) {
        auto *picture = new QLabel;
        picture->setPixmap(articlePicture());
        picture->setAlignment(Qt::AlignCenter);
        body->addWidget(picture);
    }
    pageLayout->addLayout(body);
    if (!add)
        pageLayout->addWidget(buildHistory(), 1);

    auto *tabs = new QTabWidget;
    tabs->addTab(page, QStringLiteral("Article"));

    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    connect(m_ok, &QPushButton::clicked, this, &TFArticle::Accepter);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(AcceptCancelRow(m_ok, cancel));
    setMinimumWidth(add ? 560 : 620);

    m_binder->bind(m_code, col::articles::CodeArt);
    m_binder->bind(m_designation, col::articles::Designation);
    m_binder->bind(m_pu, col::articles::Pu);
    m_binder->bind(m_supplier->codeBox(), col::articles::CodeFour);
    m_binder->bind(m_qt31dec, col::articles::Qt31Dec);
    m_binder->bind(m_pu31dec, col::articles::Pu31Dec);
    connect(m_binder, &FieldBinder::fieldChanged, this, &TFArticle::Change);
    // A new code would leave the article's movements behind under the old one.
    m_code->setReadOnly(m_history && m_history->rowCount() > 0);

    InstallFocusNext({m_code, m_designation, m_pu, m_supplier->codeBox(), m_qt31dec, m_pu31dec, m_ok});
    Change();
    QLineEdit *first = m_code->isReadOnly() ? m_designation : m_code;
    first->setFocus(Qt::OtherFocusReason);
    first->selectAll();
}

TFArticle::~TFArticle() = default;

QWidget *TFArticle::buildHistory()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addWidget(HeadingLabel(QStringLiteral("Historique des Mouvements depuis le 31 Décembre dernier"), 1));

    const QVector<HistoryRow> rows = ArticleHistory(m_db, m_module.db_ARTICLES->intValue(col::articles::CodeArt));
    m_history = new QTableWidget(int(rows.size()), 6);
    StyleFigureGrid(m_history);
    m_history->setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
    m_history->setMinimumHeight(220);
    m_history->setHorizontalHeaderLabels({QStringLiteral("N°Mvt"), QStringLiteral("Date op"), QStringLiteral("Nature"),
                                          QStringLiteral("Quantité"), QStringLiteral("PU"), QStringLiteral("Valeur")});
    for (int r = 0; r < rows.size(); ++r) {
        const HistoryRow &row = rows.at(r);
        const QStringList texts = {row.numMvt, row.dateOp, row.nature, row.quantite, row.pu, row.valeur};
        for (int c = 0; c < texts.size(); ++c) {
            auto *item = new QTableWidgetItem(texts.at(c));
            item->setTextAlignment(Qt::AlignVCenter | (c == 1 || c == 2 ? Qt::AlignLeft : Qt::AlignRight));
            m_history->setItem(r, c, item);
        }
    }
    m_history->setFocusPolicy(Qt::ClickFocus);
    layout->addWidget(m_history, 1);
    return panel;
}

void TFArticle::Change()
{
    const ArticleInput input{m_code->text(),    m_designation->text(), m_pu->text(), m_supplier->codeBox()->text(),
                             m_qt31dec->text(), m_pu31dec->text()};
    const ArticleCheck check = CheckArticle(input);
    Dataset *articles = m_module.db_ARTICLES;
    const QString &codeFour = col::articles::CodeFour;
    if (!ParseInteger(m_supplier->codeBox()->text()) && articles->isEditing()
        && (articles->isNull(codeFour) || articles->intValue(codeFour) != 0))
        articles->setValue(codeFour, 0);
    m_ok->setEnabled(check.accepter);
    m_valeur->setText(check.valeur);
}

void TFArticle::Accepter()
{
    // Checked here so that the window stays open on what was typed while the code is changed.
    const qint64 code = ParseInteger(m_code->text()).value_or(0);
    if (ArticleCodeTaken(m_db, code, m_own)) {
        prompter().showMessage(ArticleCodeTakenText(code), windowTitle(), MessageIcon::Warning);
        m_code->setFocus(Qt::OtherFocusReason);
        m_code->selectAll();
        return;
    }
    accept();
}

} // namespace zelvane
