#include "common/WindowHelpers.h"

#include "common/Prompter.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>

namespace zelvane {

namespace {

bool canTakeFocus(const QWidget *w)
{
    for (const QWidget *p = w; p; p = p->parentWidget()) {
        if (!p->isEnabled() || p->isHidden())
            return false;
        if (p->isWindow())
            break;
    }
    return w->focusPolicy() != Qt::NoFocus;
}

// Moves the focus through a window's list of controls on Enter, Down and Up.
class FocusNextFilter : public QObject
{
public:
    FocusNextFilter(const QList<QWidget *> &controls, QObject *parent)
        : QObject(parent)
        , m_controls(controls)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        // Buttons are pressed by Enter; multi-line boxes and grids keep their own keys.
        if (qobject_cast<QAbstractButton *>(widget) && IsEnterKey(key->key()))
            return false;
        if (qobject_cast<QPlainTextEdit *>(widget) || qobject_cast<QTextEdit *>(widget)
            || qobject_cast<QAbstractItemView *>(widget))
            return false;
        return FocusNext(widget, key->key(), m_controls);
    }

private:
    QList<QWidget *> m_controls;
};

// Runs a work on Enter, and on the other keys given, without modifiers.
class EnterFilter : public QObject
{
public:
    EnterFilter(std::function<void()> work, const QList<int> &keys, QObject *parent)
        : QObject(parent)
        , m_work(std::move(work))
        , m_keys(keys + QList<int>{Qt::Key_Return, Qt::Key_Enter})
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!m_keys.contains(key->key())
            || key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        m_work();
        return true;
    }

private:
    std::function<void()> m_work;
    QList<int> m_keys;
};

} // namespace

void OnEnter(QWidget *widget, const std::function<void()> &work, const QList<int> &otherKeys)
{
    widget->installEventFilter(new EnterFilter(work, otherKeys, widget));
}

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool IsFocusNextKey(int key) { return IsEnterKey(key) || key == Qt::Key_Down || key == Qt::Key_Up; }

bool FocusNext(QWidget *sender, int key, const QList<QWidget *> &controls)
{
    const qsizetype j = controls.indexOf(sender);
    if (j < 0)
        return false;
    const qsizetype n = controls.size();
    if (IsEnterKey(key) || key == Qt::Key_Down) {
        for (qsizetype step = 1; step < n; ++step) {
            QWidget *w = controls.at((j + step) % n);
            if (w && canTakeFocus(w)) {
                w->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return false;
    }
    if (key == Qt::Key_Up) {
        for (qsizetype i = j - 1; i >= 0; --i) {
            QWidget *w = controls.at(i);
            if (w && canTakeFocus(w)) {
                w->setFocus(Qt::BacktabFocusReason);
                return true;
            }
        }
    }
    return false;
}

void InstallFocusNext(const QList<QWidget *> &controls)
{
    if (controls.isEmpty())
        return;
    auto *filter = new FocusNextFilter(controls, controls.first());
    for (QWidget *w : controls)
        w->installEventFilter(filter);
}

void StackControls(int top, int gap, const QList<QWidget *> &controls, bool visible)
{
    for (QWidget *w : controls) {
        w->move(w->x(), top);
        w->setVisible(visible);
        top += w->height() + gap;
    }
    if (visible && !controls.isEmpty())
        controls.first()->setFocus();
}

void FitGridColumns(QTableView *grid, const QList<int> &excluded)
{
    const int columns = grid->model() ? grid->model()->columnCount() : 0;
    if (columns == 0)
        return;
    QHeaderView *header = grid->horizontalHeader();
    int sum = 0;
    for (int c = 0; c < columns; ++c)
        sum += header->sectionSize(c);
    const int reserve = grid->showGrid() ? columns + 1 : 0;
    const int target = grid->viewport()->width() - reserve;
    bool widenable = false;
    for (int c = 0; c < columns; ++c)
        widenable = widenable || !excluded.contains(c);
    if (!widenable || sum >= target)
        return;
    // The extra width goes one pixel at a time to each widenable column in turn.
    QVector<int> widths(columns);
    for (int c = 0; c < columns; ++c)
        widths[c] = header->sectionSize(c);
    for (int c = 0; sum < target; c = (c + 1) % columns) {
        if (excluded.contains(c))
            continue;
        ++widths[c];
        ++sum;
    }
    for (int c = 0; c < columns; ++c)
        header->resizeSection(c, widths[c]);
}

void SetCellIfChanged(QTableWidget *grid, int col, int row, const QString &text)
{
    QTableWidgetItem *item = grid->item(row, col);
    if (item && item->text() == text)
        return;
    if (!item)
        grid->setItem(row, col, new QTableWidgetItem(text));
    else
        item->setText(text);
}

bool ConfirmSave()
{
    return prompter().askYesNo(QStringLiteral(" Voulez-vous confirmer l'enregistrement des modifications    ?     "),
                               QStringLiteral("Enregistrer"), MessageIcon::Question);
}

void ShowCalculator()
{
    static const char *const calculators[] = {"gnome-calculator", "kcalc",         "galculator",
                                              "mate-calc",        "qalculate-gtk", "xcalc"};
    QStringList names;
    for (const char *name : calculators) {
        names << QString::fromLatin1(name);
        const QString program = QStandardPaths::findExecutable(names.last());
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return;
    }
    prompter().showMessage(QStringLiteral("Aucune calculatrice n'a été trouvée. Programmes cherchés : %1.")
                               .arg(names.join(QStringLiteral(", "))),
                           QStringLiteral("Calculatrice"), MessageIcon::Information);
}

QPushButton *CommandButton(QAction *action, const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setIcon(action->icon());
    button->setToolTip(action->toolTip());
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QPushButton::setEnabled);
    return button;
}

QLabel *HeadingLabel(const QString &text, qreal scale)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    return label;
}

QLineEdit *PasswordBox(int maxLength)
{
    auto *box = new QLineEdit;
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(maxLength);
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    return box;
}

QFrame *SeparatorLine()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QHBoxLayout *AcceptCancelRow(QPushButton *accept, QPushButton *cancel, QWidget *leading)
{
    accept->setDefault(true);
    cancel->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    if (leading)
        row->addWidget(leading, 1);
    else
        row->addStretch();
    row->addWidget(cancel);
    row->addWidget(accept);
    return row;
}

} // namespace zelvane
