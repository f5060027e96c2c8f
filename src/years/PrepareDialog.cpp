#include "years/PrepareDialog.h"

#include "common/NumberValidator.h"
#include "common/WindowHelpers.h"
#include "db/DatabaseFiles.h"
#include "db/Preparation.h"
#include "db/YearFiles.h"

#include <QApplication>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelvane {

TFPrepareDos::TFPrepareDos(const QList<EstablishmentKind> &kinds, const QString &folder, QWidget *parent)
    : QDialog(parent)
    , m_folder(folder)
    , m_kinds(new QTreeWidget)
    , m_year(new QLineEdit)
    , m_name(new QLineEdit)
{
    setWindowTitle(QStringLiteral("Prépare"));
    auto *page = new QWidget;
    auto *tabs = new QTabWidget;
    tabs->addTab(page, QStringLiteral("Nouveau Dossier"));

    m_kinds->setColumnCount(3);
    m_kinds->setHeaderLabels({QStringLiteral("Num"), QStringLiteral("Nature"), QStringLiteral("Ministère")});
    m_kinds->setRootIsDecorated(false);
    m_kinds->setAllColumnsShowFocus(true);
    m_kinds->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (const EstablishmentKind &kind : kinds)
        new QTreeWidgetItem(m_kinds, {kind.code, kind.libelle, kind.ministere});
    m_kinds->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_kinds->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_kinds->setMinimumSize(760, 180);
    if (m_kinds->topLevelItemCount() > 0) {
        m_kinds->setCurrentItem(m_kinds->topLevelItem(0));
        m_kinds->scrollToItem(m_kinds->topLevelItem(0));
    }
    connect(m_kinds, &QTreeWidget::itemDoubleClicked, this, &TFPrepareDos::BOkClick);

    m_year->setMaxLength(4);
    m_year->setValidator(new NumberValidator(4, 0, m_year));
    m_year->setText(QString::number(QDate::currentDate().year()));
    m_name->setMaxLength(100);
    connect(m_year, &QLineEdit::textChanged, this, &TFPrepareDos::EExerciceChange);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Excercice"), m_year);
    form->addRow(QStringLiteral("Nom du Fichier"), m_name);
    auto *pageLayout = new QVBoxLayout(page);
    auto *purpose = new QLabel(QStringLiteral("Crée le dossier de gestion d'une année : choisissez la nature de "
                                              "l'établissement, l'exercice et le nom du fichier."));
    purpose->setObjectName(QStringLiteral("purpose"));
    purpose->setWordWrap(true);
    pageLayout->addWidget(purpose);
    pageLayout->addWidget(new QLabel(QStringLiteral("Nature de l'établissement")));
    pageLayout->addWidget(m_kinds, 1);
    pageLayout->addLayout(form);

    auto *cancel = new QPushButton(QStringLiteral("Annuler"));
    auto *ok = new QPushButton(QStringLiteral("Accepter"));
    connect(cancel, &QPushButton::clicked, this, &TFPrepareDos::BAnnulerClick);
    connect(ok, &QPushButton::clicked, this, &TFPrepareDos::BOkClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(AcceptCancelRow(ok, cancel));
    InstallFocusNext({m_kinds, m_year, m_name, ok});
    EExerciceChange();
    // The list of kinds takes the keys at once (Down chooses), not the tab's header.
    m_kinds->setFocus();
}

void TFPrepareDos::EExerciceChange() { m_name->setText(NouveauFichier(m_folder, m_year->text())); }

void TFPrepareDos::BOkClick()
{
    // A year that is not one would leave the file unprepared; say so instead of closing.
    bool isNumber = false;
    const int year = m_year->text().trimmed().toInt(&isNumber);
    if (!isNumber || year < 1900 || year > 2999) {
        prompter().showMessage(
            QStringLiteral("L'exercice doit être une année, par exemple %1.").arg(QDate::currentDate().year()),
            windowTitle(), MessageIcon::Warning);
        m_year->setFocus();
        return;
    }
    const QString name = m_name->text().trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('/'))) {
        prompter().showMessage(QStringLiteral("Le nom du fichier est incorrect."), windowTitle(), MessageIcon::Warning);
        m_name->setFocus();
        return;
    }
    if (const QString refusal = ReservedNameRefusal(name); !refusal.isEmpty()) {
        prompter().showMessage(refusal, windowTitle(), MessageIcon::Warning);
        m_name->setFocus();
        return;
    }
    if (QTreeWidgetItem *item = m_kinds->currentItem()) {
        bool ok = false;
        const int kind = item->text(0).toInt(&ok);
        m_answer.kind = ok ? kind : 0;
    }
    m_answer.year = m_year->text().trimmed();
    m_answer.fileName = name;
    m_accepted = m_answer.kind != 0;
    accept();
}

void TFPrepareDos::BAnnulerClick()
{
    m_accepted = false;
    reject();
}

DialogPreparationForm::DialogPreparationForm() { Form<PreparationForm>::install(this); }

DialogPreparationForm::~DialogPreparationForm() { Form<PreparationForm>::uninstall(this); }

std::optional<PreparationAnswer> DialogPreparationForm::prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                                       const QString &folder)
{
    TFPrepareDos window(kinds, folder, QApplication::activeWindow());
    if (window.exec() != QDialog::Accepted || !window.accepted())
        return std::nullopt;
    return window.answer();
}

} // namespace zelvane
