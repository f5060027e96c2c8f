#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zelvane {

class MenusModule;

// "Menu du Jour / Personnel hospitalisé": one person of the day's hospitalised staff list and the meals
// they took, on the current db_menu_liste row.
class TFMenu_liste : public QDialog
{
    Q_OBJECT

public:
    explicit TFMenu_liste(MenusModule &menus, QWidget *parent = nullptr);

    QLineEdit *nom = nullptr;
    QLineEdit *meals[4] = {};
    QPushButton *acceptButton = nullptr;
};

} // namespace zelvane
