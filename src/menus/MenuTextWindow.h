#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace zelvane {

class MenusModule;

// "Menu du Jour": the text of one meal's menu of the selected day, on its db_menu_menu row.
class TFMenu_menu : public QDialog
{
    Q_OBJECT

public:
    TFMenu_menu(MenusModule &menus, int meal, QWidget *parent = nullptr);

    QPlainTextEdit *DBMemo1 = nullptr;
    QLabel *length = nullptr;

    void accept() override;

private:
    void keepWithinColumn();

    MenusModule &m_menus;
    QString m_field;
    int m_size = 0;
};

} // namespace zelvane
