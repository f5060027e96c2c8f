#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace zelvane {

class Dataset;
class FieldBinder;
class Tfdb;

// "Options": the establishment and year of the open file, its boarding regime, and on a second tab the
// organisation identity printed on the documents.
class TFOptions : public QDialog
{
    Q_OBJECT

public:
    TFOptions(Tfdb &db, QWidget *parent = nullptr);
    ~TFOptions() override;

    // The options command: runs the window and reloads the options when the row was saved. heading: opens
    // on the organisation's heading with a line saying why it matters (after a first preparation).
    static bool Execute(Tfdb &db, QWidget *parent = nullptr, bool heading = false);
    void askForHeading();

    bool isAccepted() const { return m_accepted; }
    Dataset *db_options() const { return m_options; }
    QRadioButton *halfBoard() const { return m_rb1; }
    QRadioButton *boarding() const { return m_rb2; }
    QLabel *establishmentCaption() const { return m_organisme; }
    QLineEdit *identityBox(int index) const { return m_identity.value(index); }

    void BitBtn1Click();
    void BitBtn2Click();
    void DBEdit1Change();
    void DBEdit3Change();
    void RB1Click(int tag);

private:
    QWidget *identityPage();

    Tfdb &m_db;
    Dataset *m_options;
    FieldBinder *m_binder;
    QLabel *m_organisme;
    QLineEdit *m_organismeBox;
    QLineEdit *m_gestion;
    QRadioButton *m_rb1;
    QRadioButton *m_rb2;
    QList<QLineEdit *> m_identity;
    QTabWidget *m_tabs;
    QLabel *m_notice;
    bool m_accepted = false;
};

} // namespace zelvane
