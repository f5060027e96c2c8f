#include "stock/SupplierPicker.h"

#include "common/Format.h"
#include "common/NumberValidator.h"
#include "db/Dataset.h"
#include "stock/Articles.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>

namespace zelvane {

SupplierPicker::SupplierPicker(Tfdb &db, Dataset *rows, QWidget *parent)
    : QWidget(parent)
    , m_db(db)
    , m_rows(rows)
    , m_code(new QLineEdit)
    , m_list(new QComboBox)
{
    m_code->setValidator(NumberValidator::code(m_code));
    m_code->setAlignment(Qt::AlignRight);
    m_code->setMaximumWidth(70);
    // The box is typed into; the list is for the mouse.
    m_list->setFocusPolicy(Qt::ClickFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_code);
    layout->addWidget(m_list, 1);
    reload();
    connect(m_code, &QLineEdit::textChanged, this, &SupplierPicker::showTypedSupplier);
    connect(m_list, &QComboBox::activated, this, &SupplierPicker::choose);
}

void SupplierPicker::reload()
{
    m_list->clear();
    for (const SupplierEntry &s : SupplierList(m_db))
        m_list->addItem(s.nom, s.code);
    showTypedSupplier();
}

void SupplierPicker::showTypedSupplier()
{
    const std::optional<qint64> code = ParseInteger(m_code->text());
    const int index = code ? m_list->findData(*code) : -1;
    if (m_list->currentIndex() != index)
        m_list->setCurrentIndex(index);
}

void SupplierPicker::choose(int index)
{
    if (index < 0 || !isEnabled() || !m_rows->isEditing())
        return;
    const qint64 code = m_list->itemData(index).toLongLong();
    m_rows->setValue(QStringLiteral("CODE_FOUR"), code);
    m_code->setText(QString::number(code));
    m_code->setFocus(Qt::OtherFocusReason);
    m_code->selectAll();
}

} // namespace zelvane
