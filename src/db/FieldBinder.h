#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;

namespace zelvane {

class Dataset;

// Binds edit boxes to fields of a dataset: a box shows its field's edit text whenever the current row
// or its values change, and a text typed into it is written into the row being edited (numbers and days
// as the box's text reads them; a text that is not a day leaves the row's day as it is). A read-only box
// only shows.
class FieldBinder : public QObject
{
    Q_OBJECT

public:
    explicit FieldBinder(Dataset *dataset, QObject *parent = nullptr);

    void bind(QLineEdit *box, const QString &field);
    // Shows every bound field of the current row again.
    void load();

signals:
    // A bound box's text changed after a load or an edit.
    void fieldChanged(const QString &field);

private:
    struct Binding
    {
        QPointer<QLineEdit> box;
        QString field;
    };
    void write(const Binding &binding);

    Dataset *m_dataset;
    QList<Binding> m_bindings;
    bool m_loading = false;
};

} // namespace zelvane
