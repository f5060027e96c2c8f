#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

#include <QObject>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QTableWidget;
class QWidget;

namespace zelvane {

class DatasetGrid;
class DialogMenuForms;
class MenusModule;
class Tfdb;

namespace cmd {
inline constexpr CommandId AjouterHospitalise{"Action_ph_ajouter"};
inline constexpr CommandId ModifierHospitalise{"Action_ph_modifier"};
inline constexpr CommandId SupprimerHospitalise{"Action_ph_supprimer"};
inline constexpr CommandId SauverListeHospitalises{"Action_ph_save_default"};
inline constexpr CommandId RestaurerListeHospitalises{"Action_ph_load_default"};
inline constexpr CommandId ActualiserHospitalises{"Action_ph_actualiser"};
} // namespace cmd

// "Menu du Jour": the selected day's head-counts per category and meal, their summary with the exit
// values and the expense per person, the four menus and the hospitalised staff list with its commands.
class MenusPage : public QObject, public Page
{
    Q_OBJECT

public:
    MenusPage(Tfdb &db, Frame &frame);
    ~MenusPage() override;

    QString caption() const override;
    QWidget *widget() override;
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;
    void shown() override;
    void connected() override;

    // Rebuilds the tab for the selected day.
    void show_menu();
    // "Editer le Menu" (also a double-click on either list) and "Supprimer le Menu".
    void BitBtn24Click();
    void BitBtn25Click();
    // Entering the menu box of meal 1 to 4.
    void DBMemo1Enter(int meal);

    QTableWidget *LVEffectifs = nullptr;
    QTableWidget *LVRecapitulation = nullptr;
    QLabel *figures[4] = {};
    QPlainTextEdit *menuBoxes[4] = {};
    DatasetGrid *DBGridPersonnel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPage();
    void Refresh_ph();

    Tfdb &m_db;
    MenusModule &m_menus;
    Frame &m_frame;
    std::unique_ptr<DialogMenuForms> m_forms;
    QWidget *m_page = nullptr;
    bool m_connected = false;
};

} // namespace zelvane
