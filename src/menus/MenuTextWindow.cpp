#include "menus/MenuTextWindow.h"

#include "common/Format.h"
#include "db/DataModule.h"
#include "menus/MenuEntries.h"
#include "menus/MenusModule.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

TFMenu_menu::TFMenu_menu(MenusModule &menus, int meal, QWidget *parent)
    : QDialog(parent)
    , m_menus(menus)
    , m_field(QStringLiteral("menu%1").arg(meal))
{
    setWindowTitle(QStringLiteral("Menu du Jour"));
    Dataset *row = menus.db_menu_menu;
    const int field = row->fieldIndex(m_field);
    m_size = field >= 0 ? row->fields().at(field).size : 0;

    auto *day = new QLabel(QStringLiteral("Journée du ") + DateText(menus.db().selectedDay()));
    auto *heading = new QLabel(QStringLiteral("MENU : ") + MealHeading(meal));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    heading->setFont(font);
    DBMemo1 = new QPlainTextEdit(row->textValue(m_field));
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->selectAll();
    length = new QLabel;
    connect(DBMemo1, &QPlainTextEdit::textChanged, this, &TFMenu_menu::keepWithinColumn);
    keepWithinColumn();

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("Accepter"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(day);
    layout->addWidget(heading);
    layout->addWidget(DBMemo1, 1);
    layout->addWidget(length);
    layout->addWidget(buttons);
    resize(520, 300);
}

// The column holds m_size characters: what is typed beyond is refused as it comes, and the count shows
// how much room is left.
void TFMenu_menu::keepWithinColumn()
{
    QString text = DBMemo1->toPlainText();
    if (m_size > 0 && text.size() > m_size) {
        const QSignalBlocker blocker(DBMemo1);
        const int cursor = DBMemo1->textCursor().position();
        text.truncate(m_size);
        DBMemo1->setPlainText(text);
        QTextCursor c = DBMemo1->textCursor();
        c.setPosition(std::min<int>(cursor, int(text.size())));
        DBMemo1->setTextCursor(c);
        QApplication::beep();
    }
    if (m_size > 0)
        length->setText(QStringLiteral("%1 caractères sur %2").arg(text.size()).arg(m_size));
}

void TFMenu_menu::accept()
{
    m_menus.db_menu_menu->setValue(m_field, DBMemo1->toPlainText());
    QDialog::accept();
}

} // namespace zelvane
