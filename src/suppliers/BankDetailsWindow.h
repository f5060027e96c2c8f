#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zelvane {

class BankReferentialEditor;
class TBankRef;

// "Saisi et contrôle du RIB/RIP": checks an account identifier while it is typed, and, behind the access
// code, shows the bank referential's editor.
class TFRIB : public QDialog
{
    Q_OBJECT

public:
    TFRIB(TBankRef &ref, const QString &text, bool autoKey, QWidget *parent = nullptr);

    // The account as the four boxes read.
    QString accountText() const;

    QTabWidget *pages() const { return m_pages; }
    QLineEdit *bankBox() const { return m_bank; }
    QLineEdit *agencyBox() const { return m_agency; }
    QLineEdit *accountBox() const { return m_account; }
    QLineEdit *keyBox() const { return m_key; }
    QComboBox *bankList() const { return m_bankList; }
    QCheckBox *autoKeyBox() const { return m_autoKey; }
    QLabel *statusLine() const { return m_status; }
    QLabel *kindLine() const { return m_kind; }
    QLabel *firstLine() const { return m_first; }
    QLabel *secondLine() const { return m_second; }
    QGroupBox *infoPanel() const { return m_info; }
    QLabel *infoValue(int row) const { return m_infoValues.value(row); }
    QPushButton *okButton() const { return m_ok; }
    BankReferentialEditor *referential() const { return m_referential; }

    void Refresh();
    void firstAgence();
    void prevAgence();
    void nextAgence();

private:
    QWidget *buildRibPage();
    void pageChanged(int index);
    void leaveBox(QLineEdit *box);

    TBankRef &m_ref;
    bool m_refreshing = false;
    int m_page = 0;

    QTabWidget *m_pages;
    QLabel *m_status;
    QLineEdit *m_bank;
    QLineEdit *m_agency;
    QLineEdit *m_account;
    QLineEdit *m_key;
    QComboBox *m_bankList;
    QLabel *m_kind;
    QLabel *m_first;
    QLabel *m_picture;
    QLabel *m_second;
    QGroupBox *m_info;
    QList<QLabel *> m_infoValues;
    QCheckBox *m_autoKey;
    BankReferentialEditor *m_referential;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QList<QPushButton *> m_referentialButtons;
};

} // namespace zelvane
