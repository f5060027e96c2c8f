#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelvane {

class Frame;
class Tfdb;

// "Archive (BDD)": the management files of the folder of the management files, one per year, to open
// for consultation (the default file stays) or delete, and the default file opened at start.
class ArchiveTab : public QWidget
{
    Q_OBJECT

public:
    ArchiveTab(Tfdb &db, Frame &frame, QWidget *parent = nullptr);

    // Reads the list again from the disk and the default file from the profile.
    void fill();

    void BArchive_openClick();
    void BArchive_DelClick();
    void B2Click();

    QListWidget *FileListBox1;
    QLineEdit *EDatabase;
    QPushButton *newYearButton;

private:
    QString selectedPath() const;

    Tfdb &m_db;
    Frame &m_frame;
};

} // namespace zelvane
