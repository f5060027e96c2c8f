#include "years/ArchiveTab.h"

#include "common/CommandRegistry.h"
#include "common/Page.h"
#include "common/Paths.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "db/DatabaseFiles.h"
#include "db/YearFiles.h"
#include "years/DbPage.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

ArchiveTab::ArchiveTab(Tfdb &db, Frame &frame, QWidget *parent)
    : QWidget(parent)
    , FileListBox1(new QListWidget)
    , EDatabase(new QLineEdit)
    , newYearButton(new QPushButton(QStringLiteral("Créer une Nouvelle Gestion")))
    , m_db(db)
    , m_frame(frame)
{
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    EDatabase->setObjectName(QStringLiteral("EDatabase"));
    auto *heading = new QLabel(QStringLiteral("Archive des bases de données"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto *open = new QPushButton(QStringLiteral("Ouvrir"));
    auto *remove = new QPushButton(QStringLiteral("Supprimer"));
    auto *browse = new QPushButton(QStringLiteral("Browse"));

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(newYearButton);
    buttons->addWidget(open);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto *archive = new QGridLayout;
    archive->addWidget(heading, 0, 0);
    archive->addWidget(FileListBox1, 1, 0);
    archive->addLayout(buttons, 1, 1);
    archive->setColumnStretch(0, 1);

    auto *defaultBox = new QGroupBox(QStringLiteral("Base de données par défaut"));
    auto *defaultLayout = new QHBoxLayout(defaultBox);
    defaultLayout->addWidget(EDatabase, 1);
    defaultLayout->addWidget(browse);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(archive, 1);
    layout->addWidget(defaultBox);

    connect(newYearButton, &QPushButton::clicked, this, [this] { m_frame.commands().trigger(cmd::NouvelleGestion); });
    connect(open, &QPushButton::clicked, this, &ArchiveTab::BArchive_openClick);
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, &ArchiveTab::BArchive_openClick);
    OnEnter(FileListBox1, [this] { BArchive_openClick(); });
    connect(remove, &QPushButton::clicked, this, &ArchiveTab::BArchive_DelClick);
    connect(browse, &QPushButton::clicked, this, &ArchiveTab::B2Click);
    // Every change of the box is the default file at once.
    connect(EDatabase, &QLineEdit::textChanged, this,
            [](const QString &text) { Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), text); });
}

void ArchiveTab::fill()
{
    const QSignalBlocker blocker(EDatabase);
    EDatabase->setText(Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName)));
    FileListBox1->clear();
    QDir folder(DatabasesDir());
    folder.setNameFilters({QStringLiteral("DOS*.mdb")});
    folder.setSorting(QDir::Name);
    FileListBox1->addItems(folder.entryList(QDir::Files));
}

QString ArchiveTab::selectedPath() const
{
    const QListWidgetItem *item = FileListBox1->currentItem();
    return item ? QDir(DatabasesDir()).filePath(item->text()) : QString();
}

void ArchiveTab::BArchive_openClick()
{
    const QString defaultFile = Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName));
    m_frame.openFile(selectedPath());
    // Consultation only: the file opened at start stays the default one.
    Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), defaultFile);
    fill();
    m_frame.showFirstTab();
}

void ArchiveTab::BArchive_DelClick()
{
    const QString path = selectedPath();
    if (path.isEmpty() || SameFile(path, m_db.CurrentFile))
        return;
    if (!prompter().confirm(QStringLiteral(" Voulez vous confirmer la suppression du fichier ")
                                + QFileInfo(path).fileName() + QStringLiteral(" ? "),
                            QStringLiteral("Confirmation"), MessageIcon::Warning))
        return;
    // A year is never lost in one click: it goes into the corbeille, from where it can be opened or
    // restored.
    const CorbeilleMove moved = MoveToCorbeille(path);
    if (!moved.ok()) {
        prompter().showMessage(
            QStringLiteral("Le fichier %1 n'a pas été supprimé : %2.").arg(QFileInfo(path).fileName(), moved.error),
            QStringLiteral("Confirmation"), MessageIcon::Warning);
        return;
    }
    delete FileListBox1->currentItem();
    prompter().showMessage(QStringLiteral("Le fichier %1 a été placé dans la corbeille :\n%2\nIl peut y être "
                                          "ouvert ou restauré (\"Restaurer la base de données\").")
                               .arg(QFileInfo(path).fileName(), moved.path),
                           QStringLiteral("Supprimer"), MessageIcon::Information);
}

void ArchiveTab::B2Click()
{
    const QFileInfo current(Profile().ReadValue(QString::fromLatin1(kProfileDatabaseName)));
    const QString folder = current.isFile() ? current.absolutePath() : BaseDir();
    const QString chosen = prompter().chooseFileToOpen(folder, QStringLiteral("*.mdb *.MDB"), {},
                                                       current.isFile() ? current.fileName() : QString());
    if (!chosen.isEmpty())
        EDatabase->setText(chosen);
}

} // namespace zelvane
