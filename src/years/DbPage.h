#pragma once

#include "common/CommandRegistry.h"
#include "common/Page.h"

#include <memory>

namespace zelvane {

class ArchiveTab;
class DialogPreparationForm;
class TFConvertDatabase;
class Tfdb;

namespace cmd {
inline constexpr CommandId Options{"Action_options"};
inline constexpr CommandId SauvegarderBase{"Action_save_database"};
inline constexpr CommandId RestaurerBase{"Action_restore_database"};
inline constexpr CommandId NouvelleGestion{"Action_nouvelle_gestion"};
} // namespace cmd

// The management file itself: its options, its backup and restore, the new year, and the "Archive
// (BDD)" tab of the files of former years. Installs the preparation window as the program's form.
class DbPage : public Page
{
public:
    DbPage(Tfdb &db, Frame &frame);
    ~DbPage() override;

    QString caption() const override;
    QWidget *widget() override;
    void registerCommands(CommandRegistry &commands) override;
    void refresh(bool connected, bool current) override;
    void shown() override;

    void Action_save_databaseExecute();
    void Action_restore_databaseExecute();
    void Action_nouvelle_gestionExecute();

private:
    // Opens path as the connection does; back on the file that was open when path cannot be opened.
    void openInstead(const QString &path);

    Tfdb &m_db;
    Frame &m_frame;
    std::unique_ptr<DialogPreparationForm> m_preparation;
    std::unique_ptr<TFConvertDatabase> m_conversion;
    ArchiveTab *m_archive = nullptr;
};

} // namespace zelvane
