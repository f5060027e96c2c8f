#include "db/FieldBinder.h"

#include "common/Format.h"
#include "db/Dataset.h"

#include <QLineEdit>

namespace zelvane {

FieldBinder::FieldBinder(Dataset *dataset, QObject *parent)
    : QObject(parent)
    , m_dataset(dataset)
{
    connect(dataset, &Dataset::currentChanged, this, &FieldBinder::load);
    connect(dataset, &Dataset::reloaded, this, &FieldBinder::load);
    connect(dataset, &Dataset::stateChanged, this, &FieldBinder::load);
}

void FieldBinder::bind(QLineEdit *box, const QString &field)
{
    const int index = m_dataset->fieldIndex(field);
    if (index >= 0 && m_dataset->fields().at(index).size > 0)
        box->setMaxLength(m_dataset->fields().at(index).size);
    m_bindings.append({box, field});
    const Binding binding = m_bindings.last();
    connect(box, &QLineEdit::textEdited, this, [this, binding] { write(binding); });
    connect(box, &QLineEdit::textChanged, this, [this, field] { emit fieldChanged(field); });
    load();
}

void FieldBinder::load()
{
    m_loading = true;
    for (const Binding &binding : std::as_const(m_bindings)) {
        if (binding.box && binding.box->text() != m_dataset->editText(binding.field))
            binding.box->setText(m_dataset->editText(binding.field));
    }
    m_loading = false;
}

void FieldBinder::write(const Binding &binding)
{
    if (m_loading || !binding.box || binding.box->isReadOnly() || !m_dataset->isEditing())
        return;
    const int index = m_dataset->fieldIndex(binding.field);
    if (index < 0)
        return;
    const QString text = binding.box->text();
    QVariant value;
    switch (m_dataset->fields().at(index).type) {
    case FieldType::Integer:
        if (const auto n = ParseInteger(text))
            value = *n;
        break;
    case FieldType::Double:
        if (const auto x = ParseNumber(text))
            value = *x;
        break;
    case FieldType::Date:
        if (const auto d = ParseDate(text))
            value = *d;
        else if (!text.trimmed().isEmpty())
            return; // not a day (yet): the row keeps its day, never an empty one; the window says why
        break;
    case FieldType::Text:
        value = text;
        break;
    }
    m_dataset->setValue(binding.field, value);
}

} // namespace zelvane
