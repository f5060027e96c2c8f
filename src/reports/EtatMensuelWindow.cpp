#include "reports/EtatMensuelWindow.h"

#include "common/NumberValidator.h"
#include "common/WindowHelpers.h"
#include "db/FieldBinder.h"
#include "reports/EtatMensuel.h"
#include "reports/ReportsModule.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelvane {

namespace {

QLabel *computedBox()
{
    auto *box = new QLabel;
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFrameShape(QFrame::StyledPanel);
    box->setMinimumWidth(150);
    box->setMinimumHeight(QLineEdit().sizeHint().height());
    return box;
}

} // namespace

TFEtat_mensuel::TFEtat_mensuel(ReportsModule &reports, QWidget *parent)
    : QDialog(parent)
    , m_binder(new FieldBinder(reports.db_etat_mensuel, this))
    , m_p1(computedBox())
    , m_p2(computedBox())
    , m_p3(computedBox())
{
    const QString title = QStringLiteral("Etat mensuel des dépenses d'alimentation");
    setWindowTitle(title);

    struct Line
    {
        const char *caption;
        const char *field; // null for a computed box or a caption alone
        QLabel *computed;
    };
    const Line lines[] = {
        {"- Dépense total du mois", "dep_mois", nullptr},
        {"- Total budgétaire des personnes nourries", "nbr_mois", nullptr},
        {"- Prix de revient mensuel d'après l'effectif budgétaire des personnes", nullptr, m_p1},
        {"- Crédit mensuel autorisé par personnes nourries", "credit_aut_mois", nullptr},
        {"- Effectif budgétaire des personnes nourries", "nbr_aut_mois", nullptr},
        {"- Crédit budgétaire ouvert pour le mois", nullptr, m_p2},
        {"Vérification de la dépense depuis le 1er janvier", nullptr, nullptr},
        {"- Valeur du magasin au 31 décembre précédent", "valeur_31dec", nullptr},
        {"- Dépenses inscrites au sommier des dépenses", "depense_enreg", nullptr},
        {"- Créances des fournisseurs alimentation", "creance", nullptr},
        {"TOTAL", nullptr, m_p3},
        {"A déduire : inventaire des denrées en magasin au ", nullptr, nullptr},
        {"TOTAL DE LA DEPENSE", "total_depense", nullptr},
    };

    auto *grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    int row = 0;
    for (const Line &line : lines) {
        const QString caption = QString::fromUtf8(line.caption);
        const bool alone = !line.field && !line.computed;
        grid->addWidget(alone || caption == QLatin1String("TOTAL") ? HeadingLabel(caption, 1) : new QLabel(caption),
                        row, 0);
        if (line.field) {
            auto *edit = new QLineEdit;
            const QString field = QString::fromLatin1(line.field);
            const bool count = field.startsWith(QLatin1String("nbr_"));
            edit->setValidator(count ? new NumberValidator(9, 0, edit) : NumberValidator::amount(edit));
            edit->setAlignment(Qt::AlignRight);
            edit->setMinimumWidth(150);
            m_binder->bind(edit, field);
            m_edits.append(edit);
            grid->addWidget(edit, row, 1);
        } else if (line.computed) {
            grid->addWidget(line.computed, row, 1);
        }
        ++row;
    }

    auto *page = new QWidget;
    auto *pageLayout = new QVBoxLayout(page);
    auto *intro = HeadingLabel(QStringLiteral("Préparation de l'état mensuel des dépenses d'alimentation"));
    QFont big = intro->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    intro->setFont(big);
    pageLayout->addWidget(intro);
    pageLayout->addSpacing(8);
    pageLayout->addLayout(grid);
    pageLayout->addStretch();
    auto *tabs = new QTabWidget;
    tabs->addTab(page, title);

    auto *ok = new QPushButton(QStringLiteral("Accepter"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(AcceptCancelRow(ok, cancel));

    connect(m_binder, &FieldBinder::fieldChanged, this, &TFEtat_mensuel::Change);
    QList<QWidget *> order(m_edits.begin(), m_edits.end());
    order.append(ok);
    InstallFocusNext(order);
    Change();
    m_edits.first()->setFocus(Qt::OtherFocusReason);
    m_edits.first()->selectAll();
}

void TFEtat_mensuel::Change()
{
    const EtatMensuelBoxes boxes = ComputeEtatMensuelBoxes(m_edits[0]->text(), m_edits[1]->text(), m_edits[2]->text(),
                                                           m_edits[3]->text(), m_edits[4]->text(), m_edits[5]->text(),
                                                           m_edits[6]->text());
    m_p1->setText(boxes.prixRevient);
    m_p2->setText(boxes.creditOuvert);
    m_p3->setText(boxes.total);
}

} // namespace zelvane
