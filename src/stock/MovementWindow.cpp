#include "stock/MovementWindow.h"

#include "common/Format.h"
#include "common/NumberValidator.h"
#include "common/Prompter.h"
#include "common/WindowHelpers.h"
#include "db/Columns.h"
#include "db/DataModule.h"
#include "db/FieldBinder.h"
#include "db/Natures.h"
#include "stock/Articles.h"
#include "stock/ControleStock.h"
#include "stock/GridStyle.h"
#include "stock/StockEntries.h"
#include "stock/StockModule.h"
#include "stock/SupplierPicker.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace zelvane {

namespace {

// Ctrl+E entry, Ctrl+P breakfast, Ctrl+S lunch, Ctrl+G snack ("goûter"), Ctrl+D dinner.
QKeySequence NatureKey(int nature)
{
    switch (Nature(nature)) {
    case Nature::PetitDejeuner:
        return QKeySequence(Qt::CTRL | Qt::Key_P);
    case Nature::Dejeuner:
        return QKeySequence(Qt::CTRL | Qt::Key_S);
    case Nature::Gouter:
        return QKeySequence(Qt::CTRL | Qt::Key_G);
    case Nature::Diner:
        return QKeySequence(Qt::CTRL | Qt::Key_D);
    case Nature::Entree:
    case Nature::Sortie:
        break;
    }
    return QKeySequence(Qt::CTRL | Qt::Key_E);
}

// The picture of the "STOCK EPUISE" banner: a striped warning bar whose width the timer animates.
class WarningBar : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient fill(0, 0, 245, 0);
        fill.setColorAt(0, QColor(0xf3, 0x9c, 0x12));
        fill.setColorAt(1, QColor(0xc0, 0x39, 0x2b));
        p.fillRect(rect(), fill);
        p.setPen(QPen(QColor(255, 255, 255, 70), 5));
        for (int x = -height(); x < width(); x += 14)
            p.drawLine(x, height(), x + height(), 0);
    }
};

QLabel *captionLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TFSTOCK3::TFSTOCK3(StockModule &module, bool add, const ArticleStock &stock, TControleStock &lots, QWidget *parent)
    : QDialog(parent)
    , m_module(module)
    , m_db(module.db())
    , m_stock(stock)
    , m_lots(lots)
    , m_binder(new FieldBinder(module.db_STOCK, this))
    , m_caption(
          HeadingLabel(add ? QStringLiteral("Ajouter le Mouvement") : QStringLiteral("Modifier le Mouvement"), 1.3))
    , m_heading(new QLabel)
    , m_day(new QLabel)
    , m_number(new QLabel)
    , m_article(new QLabel)
    , m_quantite(new QLineEdit)
    , m_pu(new QLineEdit)
    , m_supplier(new SupplierPicker(m_db, module.db_STOCK))
    , m_numBc(new QLineEdit)
    , m_dateBc(new QLineEdit)
    , m_numBl(new QLineEdit)
    , m_dateBl(new QLineEdit)
    , m_obs(new QLineEdit)
    , m_control(new QTableWidget(3, 4))
    , m_errorPanel(new QGroupBox(QStringLiteral(" Erreurs de saisi")))
    , m_errors(new QLabel)
    , m_lotGrid(new QTableWidget)
    , m_epuisePanel(new QFrame)
    , m_epuiseBar(new WarningBar)
    , m_blink(new QTimer(this))
    , m_addSupplier(new QPushButton(QStringLiteral("Ajouter un Fournisseur")))
    , m_ok(new QPushButton(QStringLiteral("Accepter")))
    , m_cancel(new QPushButton(QStringLiteral("Annuler")))
{
    setWindowTitle(add ? QStringLiteral("Ajouter Mouvement") : QStringLiteral("Modifier Mouvement"));

    QFont bold = m_article->font();
    bold.setBold(true);
    m_article->setFont(bold);
    m_day->setFont(bold);
    m_number->setFont(bold);
    m_heading->setAlignment(Qt::AlignCenter);
    m_heading->setMinimumHeight(34);

    auto *top = new QGridLayout;
    top->addWidget(m_caption, 0, 0);
    top->addWidget(m_day, 0, 1, Qt::AlignRight);
    top->addWidget(m_article, 1, 0);
    top->addWidget(m_number, 1, 1, Qt::AlignRight);
    top->setColumnStretch(0, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(m_heading);
    left->addWidget(buildNatures(stock));
    left->addWidget(buildFields());
    left->addStretch();

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 5);
    columns->addWidget(buildControls(), 6);

    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(4);
    layout->addLayout(columns, 1);
    layout->addLayout(AcceptCancelRow(m_ok, m_cancel));

    m_binder->bind(m_quantite, col::stock::Quantite);
    m_binder->bind(m_pu, col::stock::Pu);
    m_binder->bind(m_obs, col::stock::Obs);
    connect(m_binder, &FieldBinder::fieldChanged, this, [this](const QString &field) {
        if (field != col::stock::Obs)
            Check();
    });
    connect(m_supplier->codeBox(), &QLineEdit::textChanged, this, &TFSTOCK3::Check);
    for (QLineEdit *date : {m_dateBc, m_dateBl})
        connect(date, &QLineEdit::textChanged, this, &TFSTOCK3::Check);
    connect(module.db_STOCK, &Dataset::rowChanged, this, &TFSTOCK3::RefreshTexts);

    InstallFocusNext({m_quantite, m_pu, m_supplier->codeBox(), m_numBc, m_dateBc, m_numBl, m_dateBl, m_obs, m_ok});
    // One key per nature, so that every exit of a boarding school is typed without the mouse; a key does
    // nothing while its button is disabled or hidden.
    for (auto it = m_natures.cbegin(); it != m_natures.cend(); ++it) {
        const int nature = it.key();
        const QKeySequence key = NatureKey(nature);
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, nature] { SelectNature(nature); });
        it.value()->setToolTip(key.toString(QKeySequence::NativeText));
    }

    m_blink->setInterval(60);
    connect(m_blink, &QTimer::timeout, this, &TFSTOCK3::BlinkTick);

    RefreshTexts();
    NatureChanged();
}

TFSTOCK3::~TFSTOCK3() = default;

QWidget *TFSTOCK3::buildNatures(const ArticleStock &stock)
{
    auto *box = new QGroupBox;
    auto *layout = new QVBoxLayout(box);
    for (const NatureChoice &choice : NatureChoices(m_db.regime, stock.quantite)) {
        auto *button = new QRadioButton(choice.label);
        button->setVisible(choice.visible);
        button->setEnabled(choice.enabled);
        button->setFocusPolicy(Qt::NoFocus); // Enter walks the boxes; each nature has its Ctrl key
        const int nature = choice.nature;
        connect(button, &QRadioButton::clicked, this, [this, nature] { SelectNature(nature); });
        m_natures.insert(nature, button);
        layout->addWidget(button);
    }
    return box;
}

QWidget *TFSTOCK3::buildFields()
{
    auto *box = new QGroupBox;
    auto *form = new QGridLayout(box);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    int row = 0;
    form->addWidget(captionLabel(QStringLiteral("Quantité :")), row, 0);
    form->addWidget(m_quantite, row++, 1, 1, 3);
    form->addWidget(captionLabel(QStringLiteral("Prix unitaire :")), row, 0);
    form->addWidget(m_pu, row++, 1, 1, 3);

    auto *fournisseur = captionLabel(QStringLiteral("Fournisseur :"));
    // The window keeps its width whatever the supplier's name: the list shows what fits.
    m_supplier->list()->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_supplier->list()->setMinimumContentsLength(18);
    m_addSupplier->setAutoDefault(false);
    m_addSupplier->setFocusPolicy(Qt::ClickFocus);
    m_addSupplier->setEnabled(Form<NewSupplierForm>::current() != nullptr);
    connect(m_addSupplier, &QPushButton::clicked, this, &TFSTOCK3::AddSupplier);
    m_supplier->codeBox()->installEventFilter(this);
    m_supplier->list()->installEventFilter(this);
    auto *supplier = new QHBoxLayout;
    supplier->addWidget(m_supplier, 1);
    supplier->addWidget(m_addSupplier);
    form->addWidget(fournisseur, row, 0);
    form->addLayout(supplier, row++, 1, 1, 3);

    auto *bc = captionLabel(QStringLiteral("Bon de commande n° :"));
    auto *bcDate = captionLabel(QStringLiteral("du :"));
    form->addWidget(bc, row, 0);
    form->addWidget(m_numBc, row, 1);
    form->addWidget(bcDate, row, 2);
    form->addWidget(m_dateBc, row++, 3);
    auto *bl = captionLabel(QStringLiteral("Bon de livraison n° :"));
    auto *blDate = captionLabel(QStringLiteral("du :"));
    form->addWidget(bl, row, 0);
    form->addWidget(m_numBl, row, 1);
    form->addWidget(blDate, row, 2);
    form->addWidget(m_dateBl, row++, 3);
    for (QLineEdit *date : {m_dateBc, m_dateBl}) {
        date->setMaxLength(10);
        date->setPlaceholderText(QStringLiteral("jj/mm/aaaa"));
    }

    form->addWidget(captionLabel(QStringLiteral("Observation :")), row, 0);
    form->addWidget(m_obs, row++, 1, 1, 3);

    for (QLineEdit *number : {m_quantite, m_pu, m_numBc, m_numBl})
        number->setAlignment(Qt::AlignRight);
    for (QLineEdit *amount : {m_quantite, m_pu})
        amount->setValidator(NumberValidator::amount(amount));
    for (QLineEdit *code : {m_numBc, m_numBl})
        code->setValidator(NumberValidator::code(code));
    // A refused key says in the error lines which characters its box takes, until the next change.
    for (QLineEdit *number : {m_quantite, m_pu, m_supplier->codeBox(), m_numBc, m_numBl}) {
        connect(qobject_cast<const NumberValidator *>(number->validator()), &NumberValidator::refused, this,
                [this](const QString &takes) {
                    m_errors->setText(
                        (m_check.erreurs + QStringList{QStringLiteral(" - ") + takes}).join(QLatin1Char('\n')));
                    m_errorPanel->show();
                });
    }
    m_entryOnly = {fournisseur, m_supplier, m_addSupplier, bc,     m_numBc, bcDate,
                   m_dateBc,    bl,         m_numBl,       blDate, m_dateBl};
    return box;
}

QWidget *TFSTOCK3::buildControls()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    // Second row until the first check.
    const QVector<QStringList> initial = {{QStringLiteral("Contrôle"), QStringLiteral("Quantiés"),
                                           QStringLiteral("Prix Unitaire"), QStringLiteral("Valeur")},
                                          {QStringLiteral("Stock Avant"), {}, {}, {}},
                                          {QStringLiteral("Entrée du Jour"), {}, {}, {}},
                                          {QStringLiteral("Stock Après"), {}, {}, {}}};
    StyleFigureGrid(m_control);
    // Each figure whole, however long: the columns take their texts' width, the last one the rest.
    m_control->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_control->horizontalHeader()->setStretchLastSection(true);
    m_control->setHorizontalHeaderLabels(initial.at(0));
    for (int r = 1; r < initial.size(); ++r) {
        for (int c = 0; c < 4; ++c)
            SetCellIfChanged(m_control, c, r - 1, initial.at(r).at(c));
    }
    layout->addWidget(m_control);

    m_errors->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_errors->setWordWrap(true);
    auto *errorsLayout = new QVBoxLayout(m_errorPanel);
    errorsLayout->addWidget(m_errors);
    m_errorPanel->hide();
    layout->addWidget(m_errorPanel);

    auto *lotCaption = new QLabel(QStringLiteral("Classement des quantités disponibles en stock par prix unitaire"));
    QFont bold = lotCaption->font();
    bold.setBold(true);
    lotCaption->setFont(bold);
    layout->addWidget(lotCaption);
    m_lotGrid->setColumnCount(5);
    StyleFigureGrid(m_lotGrid);
    m_lotGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_lotGrid->horizontalHeader()->setStretchLastSection(true);
    m_lotGrid->setHorizontalHeaderLabels(TControleStock::lotHeader());
    m_lotGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lotGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lotGrid->setToolTip(QStringLiteral("Double-cliquer sur un prix pour sortir ce qui en reste"));
    connect(m_lotGrid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { SelectLotRow(row); });
    layout->addWidget(m_lotGrid, 1);

    auto *epuiseLayout = new QHBoxLayout(m_epuisePanel);
    epuiseLayout->setContentsMargins(8, 4, 8, 4);
    auto *epuise = new QLabel(QStringLiteral("STOCK EPUISE"));
    QFont warning = epuise->font();
    warning.setBold(true);
    warning.setPointSizeF(warning.pointSizeF() * 1.2);
    epuise->setFont(warning);
    epuise->setStyleSheet(QStringLiteral("color: #c0392b;"));
    auto *track = new QWidget;
    track->setFixedSize(245, 18);
    m_epuiseBar->setParent(track);
    m_epuiseBar->setGeometry(0, 0, 0, 18);
    epuiseLayout->addWidget(epuise);
    epuiseLayout->addWidget(track);
    epuiseLayout->addStretch();
    m_epuisePanel->setFrameShape(QFrame::StyledPanel);
    m_epuisePanel->hide();
    layout->addWidget(m_epuisePanel);
    return panel;
}

QString TFSTOCK3::errorText() const { return m_errors->text(); }

void TFSTOCK3::accept()
{
    const QString question = UnusualMovementQuestion(m_db, m_check.quantite * m_check.pu,
                                                     m_module.db_STOCK->intValue(col::stock::NumMvt));
    if (!question.isEmpty() && !prompter().confirm(question, QStringLiteral("Confirmation"), MessageIcon::Warning))
        return;
    QDialog::accept();
}

bool TFSTOCK3::stockEpuiseShown() const { return !m_epuisePanel->isHidden(); }

void TFSTOCK3::SelectNature(int nature)
{
    QRadioButton *button = m_natures.value(ChoiceOfNature(nature));
    if (!button || !button->isEnabled() || button->isHidden() || !m_module.db_STOCK->isEditing())
        return;
    m_module.db_STOCK->setValue(col::stock::NatOp, nature);
    NatureChanged();
}

void TFSTOCK3::NatureChanged()
{
    const QVariant stored = m_module.db_STOCK->value(col::stock::NatOp);
    const int choice = ChoiceOfNature(stored.isNull() ? kNatureEntree : int(stored.toLongLong()));
    for (auto it = m_natures.cbegin(); it != m_natures.cend(); ++it) {
        QFont font = it.value()->font();
        font.setBold(it.key() == choice);
        font.setUnderline(true);
        it.value()->setFont(font);
        it.value()->setChecked(it.key() == choice);
    }

    m_entree = choice == kNatureEntree;
    m_heading->setText(m_entree ? QStringLiteral("ENTREE EN STOCK") : QStringLiteral("SORTIE DU STOCK"));
    m_heading->setStyleSheet(
        m_entree ? QStringLiteral("background: #1e8449; color: white; font-weight: bold; border-radius: 4px;")
                 : QStringLiteral("background: #a93226; color: white; font-weight: bold; border-radius: 4px;"));
    if (m_entree && !m_entryBinder) {
        m_entryBinder = new FieldBinder(m_module.db_STOCK, this);
        m_entryBinder->bind(m_supplier->codeBox(), col::stock::CodeFour);
        m_entryBinder->bind(m_numBc, col::stock::NumBc);
        m_entryBinder->bind(m_dateBc, col::stock::DateBc);
        m_entryBinder->bind(m_numBl, col::stock::NumBl);
        m_entryBinder->bind(m_dateBl, col::stock::DateBl);
    } else if (!m_entree && m_entryBinder) {
        // Unbound: the boxes go blank, the values stored in the row stay.
        delete m_entryBinder;
        m_entryBinder = nullptr;
        for (QLineEdit *box : {m_supplier->codeBox(), m_numBc, m_dateBc, m_numBl, m_dateBl})
            box->clear();
    }
    for (QWidget *w : std::as_const(m_entryOnly))
        w->setEnabled(m_entree);
    Check();
    focusQuantity();
}

void TFSTOCK3::Check()
{
    const MovementInput input{m_entree,         m_quantite->text(), m_pu->text(), m_supplier->codeBox()->text(),
                              m_dateBc->text(), m_dateBl->text()};
    m_check = CheckMovement(input, m_stock, [this](qint64 code) { return SupplierExists(m_db, code); });

    m_errors->setText(m_check.erreurs.join(QLatin1Char('\n')));
    m_errorPanel->setVisible(!m_check.erreurs.isEmpty());
    m_ok->setEnabled(m_check.accepter());

    const QVector<QStringList> rows = m_check.controlRows(m_stock, m_entree);
    for (int r = 1; r < rows.size(); ++r) {
        for (int c = 0; c < rows.at(r).size(); ++c)
            SetCellIfChanged(m_control, c, r - 1, rows.at(r).at(c));
    }
    PaintFigureGrid(m_control);

    m_lots.ApplyMovement(m_entree ? Nature::Entree : Nature::Dejeuner, m_check.quantite, m_check.pu);
    ShowLots();
}

void TFSTOCK3::ShowLots()
{
    // The header row is the grid's own header, so table row r shows lot r.
    const int rows = m_lots.lotGridRowCount() - 1;
    if (m_lotGrid->rowCount() != rows)
        m_lotGrid->setRowCount(rows);
    int current = -1;
    for (int r = 0; r < rows; ++r) {
        const QStringList texts = m_lots.lotTexts(r);
        for (int c = 0; c < texts.size(); ++c)
            SetCellIfChanged(m_lotGrid, c, r, texts.at(c));
        if (r < m_lots.Lots().size() && m_check.pu != 0 && m_lots.Lots().at(r).pu == m_check.pu)
            current = r;
    }
    PaintFigureGrid(m_lotGrid, false);
    if (!m_entree && current >= 0)
        m_lotGrid->selectRow(current);
    else
        m_lotGrid->clearSelection();

    const bool epuise = m_lots.StockEpuise();
    m_epuisePanel->setVisible(epuise);
    if (epuise && !m_blink->isActive()) {
        m_barWidth = 0;
        m_barStep = 5;
        m_blink->start();
    } else if (!epuise) {
        m_blink->stop();
    }
}

bool TFSTOCK3::SelectLotRow(int row)
{
    if (m_entree || !m_module.db_STOCK->isEditing())
        return false;
    const std::optional<LotChoice> choice = m_lots.SelectLot(row);
    if (!choice)
        return false;
    m_module.db_STOCK->setValue(col::stock::Pu, choice->pu);
    m_module.db_STOCK->setValue(col::stock::Quantite, choice->quantite);
    m_binder->load();
    focusQuantity();
    return true;
}

void TFSTOCK3::RefreshTexts()
{
    const Dataset *stock = m_module.db_STOCK;
    m_day->setText(QStringLiteral("Journée du ") + DateText(stock->dateValue(col::stock::DateOp)));
    m_number->setText(QStringLiteral("n°~") + stock->displayText(col::stock::NumMvt));
    m_article->setText(QStringLiteral("Référence Article  :")
                       + m_module.db_ARTICLES->displayText(col::articles::ArtLib));
}

bool TFSTOCK3::addSupplierThen(const std::function<void(qint64 code)> &saved)
{
    NewSupplierForm *form = Form<NewSupplierForm>::current();
    if (!form || !m_entree || !m_module.db_STOCK->isEditing())
        return false;
    const std::optional<qint64> code = form->addSupplier(m_db);
    m_supplier->reload();
    if (code)
        saved(*code);
    // The code box may read the same text as before while the supplier now exists: check again.
    Check();
    return code.has_value();
}

void TFSTOCK3::setSupplierCode(qint64 code)
{
    m_module.db_STOCK->setValue(col::stock::CodeFour, code);
    if (m_entryBinder)
        m_entryBinder->load();
}

void TFSTOCK3::AddSupplier()
{
    addSupplierThen([this](qint64 code) {
        setSupplierCode(code);
        m_supplier->codeBox()->setFocus(Qt::OtherFocusReason);
        m_supplier->codeBox()->selectAll();
    });
}

void TFSTOCK3::SupplierCodeLeft()
{
    const std::optional<qint64> code = ParseInteger(m_supplier->codeBox()->text());
    if (!code || *code <= 0 || SupplierExists(m_db, *code))
        return;
    if (!addSupplierThen([this](qint64 added) { setSupplierCode(added); }) && m_module.db_STOCK->isEditing())
        setSupplierCode(0);
}

void TFSTOCK3::SupplierFieldEntered()
{
    if (!SupplierList(m_db).isEmpty())
        return;
    addSupplierThen([this](qint64 added) { setSupplierCode(added); });
}

bool TFSTOCK3::eventFilter(QObject *watched, QEvent *event)
{
    // Focus that comes back when a window closes is not the user's move: it opens nothing.
    const auto byUser = [](QEvent *e) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(e)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    };
    if (m_entree && (watched == m_supplier->codeBox() || watched == m_supplier->list())
        && event->type() == QEvent::FocusIn && byUser(event))
        QTimer::singleShot(0, this, &TFSTOCK3::SupplierFieldEntered);
    else if (m_entree && watched == m_supplier->codeBox() && event->type() == QEvent::FocusOut && byUser(event))
        QTimer::singleShot(0, this, &TFSTOCK3::SupplierCodeLeft);
    return QDialog::eventFilter(watched, event);
}

void TFSTOCK3::BlinkTick()
{
    m_barStep += 2;
    if (m_barWidth < 245)
        m_barWidth += m_barStep;
    else if (m_barStep > 100) {
        m_barWidth = 0;
        m_barStep = 5;
    }
    m_epuiseBar->resize(std::min(m_barWidth, 245), m_epuiseBar->height());
}

void TFSTOCK3::focusQuantity()
{
    m_quantite->setFocus(Qt::OtherFocusReason);
    m_quantite->selectAll();
}

} // namespace zelvane
