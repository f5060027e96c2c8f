#include "years/DbPage.h"

#include "common/Paths.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "db/AccessFile.h"
#include "db/DataModule.h"
#include "db/OptionsDialog.h"
#include "years/ArchiveTab.h"
#include "years/BackupRestore.h"
#include "years/ConvertDialog.h"
#include "years/NewYear.h"
#include "years/PrepareDialog.h"

#include <QFileInfo>
#include <QPushButton>

namespace zelvane {

DbPage::DbPage(Tfdb &db, Frame &frame)
    : m_db(db)
    , m_frame(frame)
    , m_preparation(std::make_unique<DialogPreparationForm>())
    , m_conversion(std::make_unique<TFConvertDatabase>(frame.window()))
{
}

DbPage::~DbPage() = default;

QString DbPage::caption() const { return QStringLiteral("Archive (BDD)"); }

QWidget *DbPage::widget()
{
    m_archive = new ArchiveTab(m_db, m_frame);
    return m_archive;
}

void DbPage::registerCommands(CommandRegistry &c)
{
    c.add({cmd::SauvegarderBase,
           "Sauvegarder la Base de Données",
           "Sauvegarder la Base de Données",
           "",
           "document-save",
           "save",
           {{"Bases de Données", 110}, {"toolbar", 110}}},
          [this] { Action_save_databaseExecute(); });
    c.add({cmd::RestaurerBase,
           "Restaurer la base de données",
           "Restaurer la base de données",
           "",
           "document-revert",
           "restore",
           {{"Bases de Données", 120}, {"toolbar", 120}}},
          [this] { Action_restore_databaseExecute(); });
    c.add({cmd::NouvelleGestion,
           "Créer une Nouvelle Gestion",
           "",
           "",
           "folder-new",
           "folder-new",
           {{"Bases de Données", 210}}},
          [this] { Action_nouvelle_gestionExecute(); });
    c.add({cmd::Options, "Options", "", "", "preferences-system", "options", {{"Divers", 5110}, {"toolbar", 420}}},
          [this] {
              TFOptions::Execute(m_db, m_frame.window());
              m_frame.refresh();
          });
}

void DbPage::refresh(bool connected, bool)
{
    CommandRegistry &c = m_frame.commands();
    for (CommandId id : {cmd::Options, cmd::SauvegarderBase, cmd::RestaurerBase, cmd::NouvelleGestion})
        c.setEnabled(id, connected);
    if (m_archive)
        m_archive->newYearButton->setEnabled(connected);
}

void DbPage::shown()
{
    if (m_archive)
        m_archive->fill();
}

void DbPage::openInstead(const QString &path)
{
    const QString previous = m_db.CurrentFile;
    m_frame.openFile(path);
    if (!m_db.isConnected() && !previous.isEmpty()) {
        prompter().showMessage(QStringLiteral("%1 n'a pas pu être ouvert : retour à %2.").arg(path, previous),
                               QStringLiteral("Connexion"), MessageIcon::Warning);
        m_frame.openFile(previous);
    }
}

void DbPage::Action_save_databaseExecute()
{
    SaveOpenDatabase(m_db);
    m_frame.refresh();
}

void DbPage::Action_restore_databaseExecute()
{
    const QString chosen = ChooseFileToRestore(m_db);
    if (chosen.isEmpty())
        return;
    // A file of the former Access format is imported into the folder of the management files instead.
    if (IsJetFile(chosen)) {
        openInstead(chosen);
        return;
    }
    // A backup named otherwise goes over its year's file only when the user agrees.
    const QString target = RestoreTargetFor(chosen, DatabasesDir());
    if (QFileInfo::exists(target) && QFileInfo(target).fileName() != QFileInfo(chosen).fileName()
        && !prompter().confirm(QStringLiteral("%1 est une sauvegarde du dossier %2.\nRestaurer par-dessus %2 ? Le "
                                              "fichier actuel sera conservé sous %2.bak.N.")
                                   .arg(chosen, target),
                               QStringLiteral("Restaurer la base de données"), MessageIcon::Question))
        return;
    // The open file is let go (its lock and its mark in use) so that the copy may replace it; a refused
    // copy brings the program back on it.
    const QString current = m_db.CurrentFile;
    m_db.closeSession();
    const RestoreResult restored = RestoreFileInto(chosen, DatabasesDir());
    if (!restored.ok()) {
        prompter().showMessage(restored.error, QStringLiteral("Restaurer la base de données"), MessageIcon::Warning);
        openInstead(current);
        return;
    }
    Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), restored.target);
    openInstead(restored.target);
    if (!restored.replaced.isEmpty())
        prompter().showMessage(QStringLiteral("Le fichier remplacé est conservé sous %1.").arg(restored.replaced),
                               QStringLiteral("Restaurer la base de données"), MessageIcon::Information);
    if (m_archive)
        m_archive->fill();
}

void DbPage::Action_nouvelle_gestionExecute()
{
    const QString made = AskNewManagementYear(m_db);
    if (made.isEmpty())
        return;
    openInstead(made);
    m_frame.showFirstTab();
}

} // namespace zelvane
