#include "years/JournalPage.h"

#include "common/DatabaseError.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "journal/Journal.h"
#include "office/GridExportMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace zelvane {

JournalWindow::JournalWindow(Tfdb &db, QWidget *parent)
    : QDialog(parent)
    , m_db(db)
    , m_oneDay(new QCheckBox(QStringLiteral("Jour"), this))
    , m_day(new QDateEdit(db.ValidateDate(QDate()), this))
    , m_article(new QLineEdit(this))
    , m_user(new QComboBox(this))
    , m_kind(new QComboBox(this))
    , m_grid(new QTableView(this))
    , m_model(new QStandardItemModel(this))
    , m_chain(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Journal des modifications"));
    m_day->setCalendarPopup(true);
    m_day->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_day->setEnabled(false);
    m_article->setPlaceholderText(QStringLiteral("Code article"));
    m_user->addItem(QStringLiteral("Tous"));
    QSqlQuery users(db.database());
    if (users.exec(QStringLiteral("select distinct user_name from journal where user_name is not null order by 1"))) {
        while (users.next())
            m_user->addItem(users.value(0).toString());
    }
    m_kind->addItem(QStringLiteral("Toutes"));
    for (const char *kind : {journal_kind::Insert, journal_kind::Update, journal_kind::Delete, journal_kind::Origin})
        m_kind->addItem(QString::fromUtf8(kind));

    auto *filters = new QHBoxLayout;
    filters->addWidget(m_oneDay);
    filters->addWidget(m_day);
    filters->addWidget(new QLabel(QStringLiteral("Article"), this));
    filters->addWidget(m_article);
    filters->addWidget(new QLabel(QStringLiteral("Utilisateur"), this));
    filters->addWidget(m_user);
    filters->addWidget(new QLabel(QStringLiteral("Nature"), this));
    filters->addWidget(m_kind);
    filters->addStretch();

    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->setWordWrap(false);
    EnableGridExport(m_grid);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_chain);
    layout->addWidget(buttons);

    connect(m_oneDay, &QCheckBox::toggled, m_day, &QWidget::setEnabled);
    connect(m_oneDay, &QCheckBox::toggled, this, &JournalWindow::reload);
    connect(m_day, &QDateEdit::dateChanged, this, &JournalWindow::reload);
    connect(m_article, &QLineEdit::editingFinished, this, &JournalWindow::reload);
    connect(m_user, &QComboBox::currentIndexChanged, this, &JournalWindow::reload);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &JournalWindow::reload);

    const JournalCheck check = VerifyJournal(db.database());
    m_chain->setText(check.ok() ? QStringLiteral("Chaîne du journal intacte : %1 entrées.").arg(check.entries)
                                : QStringLiteral("Chaîne du journal rompue : %1.").arg(check.reason));
    resize(1200, 600);
    reload();
}

void JournalWindow::reload()
{
    JournalFilter filter;
    if (m_oneDay->isChecked())
        filter.from = filter.to = m_day->date();
    filter.article = m_article->text().trimmed();
    if (m_user->currentIndex() > 0)
        filter.user = m_user->currentText();
    if (m_kind->currentIndex() > 0)
        filter.kind = m_kind->currentText();
    m_model->clear();
    m_model->setHorizontalHeaderLabels({QStringLiteral("N°"), QStringLiteral("Date et heure"),
                                        QStringLiteral("Utilisateur"), QStringLiteral("Programme"),
                                        QStringLiteral("Commande"), QStringLiteral("Table"), QStringLiteral("Clé"),
                                        QStringLiteral("Nature"), QStringLiteral("Avant"), QStringLiteral("Après")});
    QList<JournalEntry> entries;
    try {
        entries = ReadJournal(m_db.database(), filter);
    } catch (const DatabaseError &error) {
        prompter().showMessage(error.message());
    }
    for (const JournalEntry &e : std::as_const(entries)) {
        const QString when = QDateTime::fromString(e.local, QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                 .toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        QList<QStandardItem *> row;
        for (const QString &text : {QString::number(e.id), when, e.user, e.program, e.command, e.table, e.key, e.kind,
                                    JournalValues(e.before), JournalValues(e.after)}) {
            row << new QStandardItem(text);
            row.last()->setToolTip(text);
        }
        row.first()->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_model->appendRow(row);
    }
    m_grid->resizeColumnsToContents();
    // Before and after share what the other columns leave, side by side; the whole text is in the tooltip.
    for (int column : {8, 9})
        m_grid->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    m_grid->scrollToBottom();
}

JournalPage::JournalPage(Tfdb &db, Frame &frame)
    : m_db(db)
    , m_frame(frame)
{
}

void JournalPage::registerCommands(CommandRegistry &c)
{
    c.add({cmd::Journal,
           "Journal des modifications",
           "Qui a changé quoi, et quand",
           "",
           "document-open-recent",
           "journal",
           {{"Divers", 5030}}},
          [this] {
              JournalWindow window(m_db, m_frame.window());
              window.exec();
          });
}

void JournalPage::refresh(bool connected, bool) { m_frame.commands().setEnabled(cmd::Journal, connected); }

} // namespace zelvane
