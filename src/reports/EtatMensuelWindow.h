#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace zelvane {

class FieldBinder;
class ReportsModule;

// The input window of the monthly statement: the month's expense, its persons fed and the budget
// figures, on the current row of db_etat_mensuel in edit state, with the three figures computed from
// them kept up to date as the user types.
class TFEtat_mensuel : public QDialog
{
    Q_OBJECT

public:
    explicit TFEtat_mensuel(ReportsModule &reports, QWidget *parent = nullptr);

    // The eight edits in keyboard order, then the computed boxes P1, P2 and P3.
    QList<QLineEdit *> edits() const { return m_edits; }
    QLabel *prixRevient() const { return m_p1; }
    QLabel *creditOuvert() const { return m_p2; }
    QLabel *total() const { return m_p3; }

private:
    void Change();

    FieldBinder *m_binder;
    QList<QLineEdit *> m_edits;
    QLabel *m_p1;
    QLabel *m_p2;
    QLabel *m_p3;
};

} // namespace zelvane
