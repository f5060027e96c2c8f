#pragma once

#include "stock/SupplierPicker.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zelvane {

class FieldBinder;
class StockModule;
class Tfdb;

// "Article": edits the current row of db_ARTICLES, which stays in insert or edit state until the caller
// saves or cancels it. In modify mode it lists the article's movements of the year.
class TFArticle : public QDialog
{
    Q_OBJECT

public:
    TFArticle(StockModule &module, bool add, QWidget *parent = nullptr);
    ~TFArticle() override;

    QLineEdit *codeBox() const { return m_code; }
    QLineEdit *designationBox() const { return m_designation; }
    QLineEdit *priceBox() const { return m_pu; }
    QLineEdit *supplierBox() const { return m_supplier->codeBox(); }
    QComboBox *supplierList() const { return m_supplier->list(); }
    QLineEdit *openingQuantityBox() const { return m_qt31dec; }
    QLineEdit *openingPriceBox() const { return m_pu31dec; }
    QLabel *openingValue() const { return m_valeur; }
    QTableWidget *history() const { return m_history; } // nullptr in add mode
    QPushButton *accepterButton() const { return m_ok; }

private:
    QWidget *buildHistory();
    void Change();
    void Accepter();

    StockModule &m_module;
    Tfdb &m_db;
    FieldBinder *m_binder;
    QLineEdit *m_code;
    QLineEdit *m_designation;
    QLineEdit *m_pu;
    SupplierPicker *m_supplier;
    QLineEdit *m_qt31dec;
    QLineEdit *m_pu31dec;
    QLabel *m_valeur;
    QTableWidget *m_history = nullptr;
    QPushButton *m_ok;
    qint64 m_own; // the article's code in the file, -1 for a new one
};

} // namespace zelvane
