#include "print/ZoomDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvane {

namespace {

// The items of the enlargement group, in order: "200 %", "100 %", "Personnalisé", "75 %", "50 %".
constexpr int Custom = 2;
constexpr int kPercentOf[] = {200, 100, 0, 75, 50};

// An exclusive group keeps one button checked; it is released for a moment to check none.
void clearChoice(QButtonGroup *group)
{
    if (QAbstractButton *checked = group->checkedButton()) {
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(true);
    }
}

} // namespace

TFZoom::TFZoom(int currentZoom, QWidget *parent)
    : QDialog(parent)
    , RG1(new QButtonGroup(this))
    , RG2(new QButtonGroup(this))
    , Edit_Value(new QLineEdit)
{
    setWindowTitle(QStringLiteral("Zoom"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto *enlargement = new QGroupBox(QStringLiteral("Agrandissement"));
    auto *grid = new QGridLayout(enlargement);
    const QStringList items{QStringLiteral("200 %"), QStringLiteral("100 %"), QStringLiteral("Personnalisé"),
                            QStringLiteral("75 %"), QStringLiteral("50 %")};
    // Two columns filled top to bottom; the value box below "50 %", level with "Personnalisé".
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i));
        RG1->addButton(button, i);
        grid->addWidget(button, i % 3, i / 3);
    }
    Edit_Value->setObjectName(QStringLiteral("Edit_Value"));
    Edit_Value->setInputMask(QStringLiteral("999;_"));
    Edit_Value->setText(QStringLiteral("75 "));
    Edit_Value->setEnabled(false);
    Edit_Value->setMaximumWidth(50);
    grid->addWidget(Edit_Value, 2, 1);

    auto *fit = new QGroupBox(QStringLiteral("Adapter à la Taille de la page"));
    auto *fitColumn = new QVBoxLayout(fit);
    for (const QString &text : {QStringLiteral("Largeur de Page"), QStringLiteral("Page entière")}) {
        auto *button = new QRadioButton(text);
        RG2->addButton(button, RG2->buttons().size());
        fitColumn->addWidget(button);
    }
    for (int i = 0; i < items.size(); ++i) {
        if (i != Custom && currentZoom == kPercentOf[i])
            RG1->button(i)->setChecked(true);
    }
    connect(RG1, &QButtonGroup::idClicked, this, [this](int id) {
        clearChoice(RG2);
        Edit_Value->setEnabled(id == Custom);
    });
    connect(RG2, &QButtonGroup::idClicked, this, [this] {
        clearChoice(RG1);
        Edit_Value->setEnabled(false);
    });

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QFont bold = ok->font();
    bold.setBold(true);
    ok->setFont(bold);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(enlargement);
    layout->addWidget(fit);
    layout->addWidget(buttons);
}

std::optional<ZoomChoice> TFZoom::choice() const
{
    const int item = RG1->checkedId();
    if (item == Custom) {
        bool isNumber = false;
        const int percent = Edit_Value->text().trimmed().toInt(&isNumber);
        // The zoom buttons keep the zoom from 1 to 300; a typed value outside changes nothing.
        if (!isNumber || percent < 1 || percent > 300)
            return std::nullopt;
        return ZoomChoice{ZoomChoice::Percent, percent};
    }
    if (item >= 0)
        return ZoomChoice{ZoomChoice::Percent, kPercentOf[item]};
    if (RG2->checkedId() == 0)
        return ZoomChoice{ZoomChoice::PageWidth};
    if (RG2->checkedId() == 1)
        return ZoomChoice{ZoomChoice::WholePage};
    return std::nullopt;
}

std::optional<ZoomChoice> AskZoom(int currentZoom, QWidget *parent)
{
    TFZoom dialog(currentZoom, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace zelvane
