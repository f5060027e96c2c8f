#include "menus/WeeklyMenuWindow.h"

#include "common/Form.h"
#include "common/Format.h"
#include "common/Library.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvane {

namespace {

struct WindowTexts
{
    QString heading;
    QString from;
    QString to;
    QString days;
    QStringList meals;
    QStringList dayNames;
    QString accept;
    QString cancel;
};

WindowTexts windowTexts(MenuLanguage language)
{
    if (language == MenuLanguage::Arabic)
        return {{},
                QStringLiteral("قائمـة الطعــام  مـن"),
                QStringLiteral("إلــى"),
                QStringLiteral("الأيـــام"),
                {QStringLiteral("فطــور الصبـاح"), QStringLiteral("الفطــــور"), QStringLiteral("العشــــاء")},
                {QStringLiteral("الأحــد"), QStringLiteral("الاثنــين"), QStringLiteral("الثـلاثـاء"),
                 QStringLiteral("الأربعــاء"), QStringLiteral("الخميــس"), QStringLiteral("الجمعـــة"),
                 QStringLiteral("السـبـت")},
                QStringLiteral("مـــوافـــق"),
                QStringLiteral("إلغــاء الأمـــر")};
    return {QStringLiteral("MENU HEBDOMADAIRE"),
            QStringLiteral("Journée  DU"),
            QStringLiteral("AU"),
            QStringLiteral("Jours"),
            {QStringLiteral("Petit Déjeuner"), QStringLiteral("Déjeuner"), QStringLiteral("Dîner")},
            {QStringLiteral("Dimanche"), QStringLiteral("Lundi"), QStringLiteral("Mardi"), QStringLiteral("Mercredi"),
             QStringLiteral("Jeudi"), QStringLiteral("Vendredi"), QStringLiteral("Samedi")},
            QStringLiteral("Accepter"),
            QStringLiteral("Annuler")};
}

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TFMENU_HEBDOMADAIRE::TFMENU_HEBDOMADAIRE(MenuLanguage language, QWidget *parent)
    : QDialog(parent)
    , m_language(language)
{
    const WindowTexts texts = windowTexts(language);
    setObjectName(language == MenuLanguage::Arabic ? QStringLiteral("FMENU_HEBDOMADAIRE_AR")
                                                   : QStringLiteral("FMENU_HEBDOMADAIRE_FR"));
    setWindowTitle(QStringLiteral("MENU HEBDOMADAIRE"));
    // Right to left mirrors the whole window: the days at the right, breakfast next to them.
    setLayoutDirection(language == MenuLanguage::Arabic ? Qt::RightToLeft : Qt::LeftToRight);

    auto *layout = new QVBoxLayout(this);
    if (!texts.heading.isEmpty()) {
        auto *heading = boldLabel(texts.heading, this);
        QFont font = heading->font();
        font.setPointSize(font.pointSize() + 4);
        heading->setFont(font);
        layout->addWidget(heading);
    }
    auto *period = new QHBoxLayout;
    m_from = new QLineEdit(this);
    m_to = new QLineEdit(this);
    for (QLineEdit *box : {m_from, m_to}) {
        box->setMaxLength(10);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
        box->setLayoutDirection(Qt::LeftToRight);
    }
    m_from->setObjectName(QStringLiteral("EditDu"));
    m_to->setObjectName(QStringLiteral("EditAu"));
    period->addStretch();
    period->addWidget(boldLabel(texts.from, this));
    period->addWidget(m_from);
    period->addWidget(boldLabel(texts.to, this));
    period->addWidget(m_to);
    period->addStretch();
    layout->addLayout(period);

    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    grid->addWidget(boldLabel(texts.days, this), 0, 0);
    for (int meal = 1; meal <= kWeeklyMenuMeals; ++meal)
        grid->addWidget(boldLabel(texts.meals.at(meal - 1), this), 0, meal);
    for (int day = 1; day <= kWeeklyMenuDays; ++day) {
        grid->addWidget(boldLabel(texts.dayNames.at(day - 1), this), day, 0);
        for (int meal = 1; meal <= kWeeklyMenuMeals; ++meal) {
            auto *box = new QPlainTextEdit(this);
            box->setObjectName(QStringLiteral("Memo%1_%2").arg(day).arg(meal));
            box->setTabChangesFocus(true);
            box->setMinimumSize(200, 56);
            box->installEventFilter(this);
            m_menus[WeeklyMenuIndex(day, meal)] = box;
            grid->addWidget(box, day, meal);
        }
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid, 1);

    auto *buttons = new QDialogButtonBox(this);
    m_accept = buttons->addButton(texts.accept, QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(texts.cancel, QDialogButtonBox::RejectRole);
    m_accept->setDefault(false);
    m_accept->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TFMENU_HEBDOMADAIRE::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QPlainTextEdit *>(watched);
    if (box && event->type() == QEvent::FocusIn) {
        // Typing a menu starts in the window's language, on the whole text.
        SetKeyboardLanguage(m_language == MenuLanguage::Arabic ? QStringLiteral("AR") : QStringLiteral("FR"));
        box->selectAll();
    } else if (box && event->type() == QEvent::FocusOut) {
        QTextCursor cursor = box->textCursor();
        cursor.movePosition(QTextCursor::Start);
        box->setTextCursor(cursor);
    }
    return QDialog::eventFilter(watched, event);
}

void TFMENU_HEBDOMADAIRE::setPeriod(const QDate &from, const QDate &to)
{
    m_from->setText(DateText(from));
    m_to->setText(DateText(to));
}

void TFMENU_HEBDOMADAIRE::readPeriod(QDate &from, QDate &to) const
{
    if (const auto day = ParseDate(m_from->text()))
        from = *day;
    if (const auto day = ParseDate(m_to->text()))
        to = *day;
}

void TFMENU_HEBDOMADAIRE::setTexts(const WeeklyMenuTexts &texts)
{
    for (size_t i = 0; i < texts.size(); ++i)
        m_menus[i]->setPlainText(texts[i]);
}

WeeklyMenuTexts TFMENU_HEBDOMADAIRE::texts() const
{
    WeeklyMenuTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = m_menus[i]->toPlainText();
    return texts;
}

DialogWeeklyMenuForm::DialogWeeklyMenuForm() { Form<WeeklyMenuForm>::install(this); }

DialogWeeklyMenuForm::~DialogWeeklyMenuForm() { Form<WeeklyMenuForm>::uninstall(this); }

bool DialogWeeklyMenuForm::editWeeklyMenu(MenuLanguage language, QDate &from, QDate &to, WeeklyMenuTexts &texts)
{
    TFMENU_HEBDOMADAIRE window(language, QApplication::activeWindow());
    window.setPeriod(from, to);
    const bool accepted = window.exec() == QDialog::Accepted;
    window.readPeriod(from, to);
    texts = window.texts();
    return accepted;
}

} // namespace zelvane
