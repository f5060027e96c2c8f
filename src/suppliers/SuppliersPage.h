#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

namespace zelvane {

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

// "Fournisseurs && Factures": the suppliers and their invoices, with their commands.
class SuppliersPage : public Page
{
public:
    SuppliersPage(Tfdb &db, Frame &frame);

    QString caption() const override;
    QWidget *widget() override;
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;

private:
    SuppliersModule &m_suppliers;
    Frame &m_frame;
};

} // namespace zelvane
