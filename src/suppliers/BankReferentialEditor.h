#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace zelvane {

class TBankRef;
struct TATCI_Agenceinf;
struct TATCI_bankinf;

// The bank referential as a tree of banks and their agencies beside the panel of the selected node, where
// banks and agencies are added, edited and deleted. Changes stay in the referential in memory until saved.
class BankReferentialEditor : public QWidget
{
    Q_OBJECT

public:
    explicit BankReferentialEditor(TBankRef &ref, QWidget *parent = nullptr);

    // Shows the referential as it is in memory, its first node selected.
    void load();
    // Empties the tree.
    void clear();

    QTreeWidget *tree() const { return m_tree; }
    QLineEdit *bankPanelBox(int k) const { return m_bankBoxes.value(k); }
    QLineEdit *agencyPanelBox(int k) const { return m_agencyBoxes.value(k); }
    QLabel *fileNameValue() const { return m_fileName; }

    void NewBank();
    void NewAgence();
    void Delete();
    void Save();

private:
    void buildTree();
    void nodeSelected();
    void panelEdited();
    QList<QTreeWidgetItem *> nodes() const;
    QTreeWidgetItem *addBankNode(TATCI_bankinf *bank);
    QTreeWidgetItem *addAgencyNode(QTreeWidgetItem *bankNode, TATCI_Agenceinf *agence);

    TBankRef &m_ref;
    bool m_filling = false;
    QLabel *m_fileName;
    QLabel *m_version;
    QTreeWidget *m_tree;
    QStackedWidget *m_panels;
    QList<QLineEdit *> m_bankBoxes;
    QList<QLineEdit *> m_agencyBoxes;
};

} // namespace zelvane
