#pragma once

#include <QDialog>
#include <QMap>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zelvane {

class FieldBinder;
class SuppliersModule;

// The supplier window: edits the current row of db_fournisseur, which stays in insert or edit state until
// the caller saves or cancels it; "Editer" edits the bank account in the bank details window and stores
// it at once.
class TFFournisseur : public QDialog
{
    Q_OBJECT

public:
    TFFournisseur(SuppliersModule &suppliers, bool adding, QWidget *parent = nullptr);

    // The edit box of a column of fournisseur.
    QLineEdit *box(const QString &field) const { return m_boxes.value(field); }
    QPushButton *accepterButton() const { return m_ok; }
    QPushButton *editerButton() const { return m_rib; }
    QTabWidget *tabs() const { return m_tabs; }

    void BRIBClick();

private:
    void Check();
    // Why the day typed in "Né(e) le" cannot be kept; empty when it can.
    QString dateRefusal() const;

    SuppliersModule &m_suppliers;
    FieldBinder *m_binder;
    QMap<QString, QLineEdit *> m_boxes;
    QTabWidget *m_tabs;
    QPushButton *m_rib;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QLabel *m_refusal; // why "Accepter" is disabled
};

} // namespace zelvane
