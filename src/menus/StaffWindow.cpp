#include "menus/StaffWindow.h"

#include "common/NumberValidator.h"
#include "common/UpperCaseValidator.h"
#include "common/WindowHelpers.h"
#include "db/FieldBinder.h"
#include "menus/HeadCountGrid.h"
#include "menus/MenusModule.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelvane {

TFMenu_liste::TFMenu_liste(MenusModule &menus, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Menu du Jour / Personnel hospitalisé"));
    auto *binder = new FieldBinder(menus.db_menu_liste, this);
    nom = new QLineEdit;
    nom->setObjectName(QStringLiteral("nom"));
    nom->setValidator(new UpperCaseValidator(nom));
    binder->bind(nom, QStringLiteral("nom"));
    const char *const captions[] = {"Petit Déjeuner -->", "Déjeuner -->", "Gouter -->", "Diner -->"};
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Nom et Prénoms"), nom);
    for (int i = 0; i < 4; ++i) {
        meals[i] = new QLineEdit;
        meals[i]->setObjectName(QStringLiteral("m%1").arg(i + 1));
        meals[i]->setValidator(new NumberValidator(int(QString::number(kMaxHeadCount).size()), 0, meals[i]));
        meals[i]->setMaximumWidth(90);
        binder->bind(meals[i], QStringLiteral("m%1").arg(i + 1));
        form->addRow(QString::fromUtf8(captions[i]), meals[i]);
    }
    // The snack is not counted for this list.
    meals[2]->setEnabled(false);

    auto *heading = new QLabel(QStringLiteral("Personnel hospitalisé à la table commune"));
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    auto *page = new QWidget;
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(heading);
    pageLayout->addLayout(form);
    auto *tabs = new QTabWidget;
    tabs->addTab(page, QStringLiteral("Menu"));

    acceptButton = new QPushButton(QStringLiteral("Accept"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    connect(acceptButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(AcceptCancelRow(acceptButton, cancel));
    InstallFocusNext({nom, meals[0], meals[1], meals[2], meals[3], acceptButton});
    nom->setFocus();
    // Wide enough for its whole title beside the title bar's buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 180);
}

} // namespace zelvane
