#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvane {

class FieldBinder;
class SuppliersModule;

// The invoice window: edits the current row of db_FACTURES, which stays in insert or edit state until the
// caller saves or cancels it. "Accepter" is enabled only while the number and the days are right.
class TFFacture : public QDialog
{
    Q_OBJECT

public:
    TFFacture(SuppliersModule &suppliers, bool adding, QWidget *parent = nullptr);

    QLineEdit *numberBox() const { return m_number; }
    QLineEdit *dateBox() const { return m_date; }
    QLineEdit *duBox() const { return m_du; }
    QLineEdit *auBox() const { return m_au; }
    QLineEdit *observationBox() const { return m_obs; }
    QLineEdit *tvaBox() const { return m_tva; }
    QLabel *amountLabel() const { return m_amount; }
    QLabel *refusalLabel() const { return m_refusal; }
    QLabel *heading() const { return m_heading; }
    QPushButton *accepterButton() const { return m_ok; }

    void DBEdit1Change();

private:
    SuppliersModule &m_suppliers;
    FieldBinder *m_binder;
    QLabel *m_heading;
    QLineEdit *m_number;
    QLineEdit *m_date;
    QLineEdit *m_du;
    QLineEdit *m_au;
    QLineEdit *m_obs;
    QLineEdit *m_tva;
    QLabel *m_amount;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QLabel *m_refusal; // why "Accepter" is disabled
};

} // namespace zelvane
