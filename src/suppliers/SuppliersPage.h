#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

#include <QObject>
#include <memory>

class QLineEdit;
class QWidget;

namespace zelvane {

class DatasetGrid;
class DialogSupplierForms;
class SuppliersModule;
class Tfdb;

namespace cmd {
inline constexpr CommandId AjouterFournisseur{"Action_ajouter_four"};
inline constexpr CommandId ModifierFournisseur{"Action_modifier_four"};
inline constexpr CommandId SupprimerFournisseur{"Action_supprimer_four"};
inline constexpr CommandId AjouterFacture{"Action_ajouter_facture"};
inline constexpr CommandId ModifierFacture{"Action_modifier_facture"};
inline constexpr CommandId SupprimerFacture{"Action_supprimer_facture"};
inline constexpr CommandId ChargerFacture{"Action_charger_facture"};
inline constexpr CommandId ImprimerFacture{"Action_imprimer_facture"};
} // namespace cmd

// "Fournisseurs && Factures": the suppliers with their name filter and account, the invoices of the
// current supplier with their amounts, and the supplier and invoice commands.
class SuppliersPage : public QObject, public Page
{
    Q_OBJECT

public:
    SuppliersPage(Tfdb &db, Frame &frame);
    ~SuppliersPage() override;

    QString caption() const override;
    QWidget *widget() override;
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;
    void shown() override;
    void connected() override;

    DatasetGrid *DBGrid3 = nullptr;
    DatasetGrid *DBGrid5 = nullptr;
    QLineEdit *EFilterFour = nullptr;

private:
    void buildPage();
    void EFilterFourChange();
    void DBEdit2Change();
    void afterCommand(bool changed);

    Tfdb &m_db;
    SuppliersModule &m_suppliers;
    Frame &m_frame;
    std::unique_ptr<DialogSupplierForms> m_forms;
    QWidget *m_page = nullptr;
    bool m_connected = false;
};

} // namespace zelvane
