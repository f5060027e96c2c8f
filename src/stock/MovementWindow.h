#pragma once

#include "stock/Movements.h"
#include "stock/SupplierPicker.h"

#include <QDialog>
#include <QMap>
#include <functional>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimer;

namespace zelvane {

class FieldBinder;
class TControleStock;
class StockModule;
class Tfdb;

// The movement entry window: edits the current row of db_STOCK, which stays in insert or edit state until
// the caller saves or cancels it, and shows the stock control and the price lots as the user types.
class TFSTOCK3 : public QDialog
{
    Q_OBJECT

public:
    // stock: the article's stock before this movement; lots: built for this opening, updated as typed.
    TFSTOCK3(StockModule &module, bool add, const ArticleStock &stock, TControleStock &lots, QWidget *parent = nullptr);
    ~TFSTOCK3() override;

    QRadioButton *natureButton(int nature) const { return m_natures.value(nature); }
    QLineEdit *quantityBox() const { return m_quantite; }
    QLineEdit *priceBox() const { return m_pu; }
    QLineEdit *supplierBox() const { return m_supplier->codeBox(); }
    QComboBox *supplierList() const { return m_supplier->list(); }
    QLineEdit *orderNumberBox() const { return m_numBc; }
    QLineEdit *deliveryNoteNumberBox() const { return m_numBl; }
    QLineEdit *orderDateBox() const { return m_dateBc; }
    QLineEdit *deliveryNoteDateBox() const { return m_dateBl; }
    QLineEdit *observationBox() const { return m_obs; }
    QPushButton *accepterButton() const { return m_ok; }
    QPushButton *addSupplierButton() const { return m_addSupplier; }
    QTableWidget *controlGrid() const { return m_control; }
    QTableWidget *lotGrid() const { return m_lotGrid; }
    QLabel *heading() const { return m_heading; }
    QLabel *caption() const { return m_caption; }
    QLabel *dayLabel() const { return m_day; }
    QLabel *numberLabel() const { return m_number; }
    QLabel *articleLabel() const { return m_article; }
    QGroupBox *errorPanel() const { return m_errorPanel; }
    QStringList errorLines() const { return m_check.erreurs; }
    // The lines shown in " Erreurs de saisi": the checks', and what a box takes after a refused key.
    QString errorText() const;
    bool stockEpuiseShown() const;
    bool isEntree() const { return m_entree; }

    // "Accepter": a movement of an unusual value is confirmed first.
    void accept() override;

    // Writes a nature into NAT_OP, as clicking its button does.
    void SelectNature(int nature);
    // Double-click on a lot (table row r is lot r; exit only): takes what remains of that lot.
    bool SelectLotRow(int row);

private:
    QWidget *buildNatures(const ArticleStock &stock);
    QWidget *buildFields();
    QWidget *buildControls();
    void NatureChanged();
    void Check();
    void ShowLots();
    void RefreshTexts();
    // The supplier helpers: a new supplier through the supplier window, when asked, when the code typed
    // is unknown, or when there is no supplier yet.
    void AddSupplier();
    void SupplierCodeLeft();
    void SupplierFieldEntered();
    bool addSupplierThen(const std::function<void(qint64 code)> &saved);
    void setSupplierCode(qint64 code);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void BlinkTick();
    void focusQuantity();

    StockModule &m_module;
    Tfdb &m_db;
    ArticleStock m_stock;
    TControleStock &m_lots;
    MovementCheck m_check;
    bool m_entree = true;

    FieldBinder *m_binder;                // quantity, price, observation
    FieldBinder *m_entryBinder = nullptr; // supplier and order / delivery note, entries only
    QMap<int, QRadioButton *> m_natures;
    QLabel *m_caption;
    QLabel *m_heading;
    QLabel *m_day;
    QLabel *m_number;
    QLabel *m_article;
    QLineEdit *m_quantite;
    QLineEdit *m_pu;
    SupplierPicker *m_supplier;
    QLineEdit *m_numBc;
    QLineEdit *m_dateBc;
    QLineEdit *m_numBl;
    QLineEdit *m_dateBl;
    QLineEdit *m_obs;
    QList<QWidget *> m_entryOnly; // the six entry fields and their captions
    QTableWidget *m_control;
    QGroupBox *m_errorPanel;
    QLabel *m_errors;
    QTableWidget *m_lotGrid;
    QFrame *m_epuisePanel;
    QWidget *m_epuiseBar;
    QTimer *m_blink;
    int m_barWidth = 0;
    int m_barStep = 5;
    QPushButton *m_addSupplier;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

} // namespace zelvane
