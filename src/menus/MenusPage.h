#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

namespace zelvane {

namespace cmd {
inline constexpr CommandId AjouterHospitalise{"Action_ph_ajouter"};
inline constexpr CommandId ModifierHospitalise{"Action_ph_modifier"};
inline constexpr CommandId SupprimerHospitalise{"Action_ph_supprimer"};
inline constexpr CommandId SauverListeHospitalises{"Action_ph_save_default"};
inline constexpr CommandId RestaurerListeHospitalises{"Action_ph_load_default"};
inline constexpr CommandId ActualiserHospitalises{"Action_ph_actualiser"};
} // namespace cmd

// "Menu du Jour": the day's menu, its head-counts and the hospitalised staff list.
class MenusPage : public Page
{
public:
    QString caption() const override;
    QWidget *widget() override;
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool, bool) override {}
};

} // namespace zelvane
