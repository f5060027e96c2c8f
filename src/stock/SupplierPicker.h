#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace zelvane {

class Dataset;
class Tfdb;

// The supplier of the current row of an entry window's dataset: its code typed in a box beside the list
// of the suppliers' names. The list shows the name of the code typed; a name chosen while the row is
// edited writes its code into the row's CODE_FOUR and the box, which takes the focus. The box is bound to
// CODE_FOUR by the window, like its other boxes.
class SupplierPicker : public QWidget
{
    Q_OBJECT

public:
    SupplierPicker(Tfdb &db, Dataset *rows, QWidget *parent = nullptr);

    QLineEdit *codeBox() const { return m_code; }
    QComboBox *list() const { return m_list; }

    // Reads the suppliers again (one was added), the name of the code typed shown.
    void reload();

private:
    void showTypedSupplier();
    void choose(int index);

    Tfdb &m_db;
    Dataset *m_rows;
    QLineEdit *m_code;
    QComboBox *m_list;
};

} // namespace zelvane
