#include "FindWidget.h"
#include "TestHome.h"
#include "common/Format.h"
#include "common/NumberValidator.h"
#include "common/Organisation.h"
#include "common/Prompter.h"
#include "common/WindowHelpers.h"
#include "db/DataModule.h"
#include "db/OptionsDialog.h"
#include "years/PrepareDialog.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

using namespace zelvane;

namespace {

QPushButton *button(QWidget *window, const QString &text) { return FindByText<QPushButton>(window, text); }

int open(Tfdb &db, const QString &path)
{
    return db.OpenDatabaseFile(QString::fromLatin1(kAlias), path, false, false, QString::fromLatin1(kSchemaTag));
}

bool exec(Tfdb &db, const QString &sql)
{
    QSqlQuery q(db.database());
    return q.exec(sql);
}

QVariant scalar(Tfdb &db, const QString &sql)
{
    QSqlQuery q(db.database());
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0);
}

bool showActive(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

// The checked radio button is the marked one, and only it.
void checkRegimeShown(TFOptions &w, int regime)
{
    QRadioButton *on = regime == 1 ? w.halfBoard() : w.boarding();
    QRadioButton *off = regime == 1 ? w.boarding() : w.halfBoard();
    QVERIFY(on->isChecked());
    QVERIFY(on->font().bold());
    QVERIFY(on->font().underline());
    QVERIFY(!off->isChecked());
    QVERIFY(!off->font().bold());
    QVERIFY(!off->font().underline());
}

} // namespace

class TestOptionsWindows : public QObject
{
    Q_OBJECT

    ScriptedPrompter prompts;

    QList<EstablishmentKind> templateKinds(TestHome &home)
    {
        TestData db;
        if (open(db, home.templateCopy()) != OpenOk)
            return {};
        return db.establishmentKinds();
    }

private slots:
    void init()
    {
        prompts = ScriptedPrompter();
        setPrompter(&prompts);
    }
    void cleanup() { setPrompter(nullptr); }

    // The proposed name follows the year and skips existing files; Accepter returns the three values.
    void prepareProposesAndAccepts()
    {
        TestHome home;
        const QList<EstablishmentKind> kinds = templateKinds(home);
        QVERIFY(kinds.size() >= 2);

        TFPrepareDos w(kinds, home.databases());
        QVERIFY(showActive(&w));
        QCOMPARE(w.kindList()->topLevelItemCount(), kinds.size());
        QCOMPARE(w.kindList()->currentItem(), w.kindList()->topLevelItem(0));
        QCOMPARE(w.kindList()->topLevelItem(0)->text(1), kinds.first().libelle);
        QCOMPARE(w.yearBox()->text(), QString::number(QDate::currentDate().year()));
        // The window says in one line what it is for, and the list of kinds takes the keys at once.
        QVERIFY(w.findChild<QLabel *>(QStringLiteral("purpose"))
                    ->text()
                    .startsWith(QStringLiteral("Crée le dossier de gestion d'une année")));
        QCOMPARE(QApplication::focusWidget(), w.kindList());
        QTest::keyClick(w.kindList(), Qt::Key_Down);
        QCOMPARE(w.kindList()->currentItem(), w.kindList()->topLevelItem(1));
        QTest::keyClick(w.kindList(), Qt::Key_Up);

        w.yearBox()->selectAll();
        QTest::keyClicks(w.yearBox(), QStringLiteral("2009"));
        QCOMPARE(w.nameBox()->text(), QStringLiteral("DOS1_2009.MDB"));
        w.yearBox()->selectAll();
        QTest::keyClicks(w.yearBox(), QStringLiteral("2010"));
        QCOMPARE(w.nameBox()->text(), QStringLiteral("DOS1_2010.MDB"));

        home.templateCopy(QStringLiteral("DOS1_2009.MDB"));
        w.yearBox()->selectAll();
        QTest::keyClicks(w.yearBox(), QStringLiteral("2009"));
        QCOMPARE(w.nameBox()->text(), QStringLiteral("DOS2_2009.MDB"));

        // The user may overwrite the proposal.
        w.nameBox()->setText(QStringLiteral("CANTINE_2009.MDB"));
        QTest::mouseClick(button(&w, QStringLiteral("Accepter")), Qt::LeftButton);
        QVERIFY(w.accepted());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.answer().kind, kinds.first().code.toInt());
        QCOMPARE(w.answer().year, QStringLiteral("2009"));
        QCOMPARE(w.answer().fileName, QStringLiteral("CANTINE_2009.MDB"));
        QVERIFY(prompts.messages.isEmpty());
    }

    void prepareRefusesBadYear_data()
    {
        QTest::addColumn<QString>("year");
        QTest::newRow("letters") << "abcd";
        QTest::newRow("empty") << "";
        QTest::newRow("digits and letters") << "20x9";
    }
    void prepareRefusesBadYear()
    {
        QFETCH(QString, year);
        TestHome home;
        TFPrepareDos w(templateKinds(home), home.databases());
        QVERIFY(showActive(&w));
        w.yearBox()->setText(year);
        QTest::mouseClick(button(&w, QStringLiteral("Accepter")), Qt::LeftButton);
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(w.isVisible());
        QVERIFY(!w.accepted());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(w.yearBox()->hasFocus());
    }

    void prepareClosing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("row");
        QTest::newRow("Annuler") << "cancel" << false << 0;
        QTest::newRow("Escape") << "escape" << false << 0;
        QTest::newRow("double-click on the second row") << "double-click" << true << 1;
    }
    void prepareClosing()
    {
        QFETCH(QString, how);
        QFETCH(bool, accepted);
        QFETCH(int, row);
        TestHome home;
        const QList<EstablishmentKind> kinds = templateKinds(home);
        QVERIFY(kinds.size() > row);
        TFPrepareDos w(kinds, home.databases());
        QVERIFY(showActive(&w));
        if (how == QLatin1String("cancel")) {
            QTest::mouseClick(button(&w, QStringLiteral("Annuler")), Qt::LeftButton);
        } else if (how == QLatin1String("escape")) {
            QTest::keyClick(&w, Qt::Key_Escape);
        } else {
            QTreeWidget *list = w.kindList();
            const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }
        QVERIFY(!w.isVisible());
        QCOMPARE(w.accepted(), accepted);
        if (accepted)
            QCOMPARE(w.answer().kind, kinds.at(row).code.toInt());
    }

    // A "Num" that is not a number gives kind 0, which is not an acceptance.
    void prepareKindNotANumber()
    {
        TestHome home;
        TFPrepareDos w({{QStringLiteral("X"), QStringLiteral("Autre"), QString()}}, home.databases());
        QVERIFY(showActive(&w));
        w.BOkClick();
        QVERIFY(!w.accepted());
        QCOMPARE(w.answer().kind, 0);
    }

    // A file of kind 3 from before the regime: boarding after loading; the options command stores the
    // regime only when accepted, and the identity typed on the second tab only then.
    void optionsWindow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<int>("regime");
        QTest::newRow("Demi - Pension then Annuler") << "cancel" << false << 2;
        QTest::newRow("Demi - Pension then Escape") << "escape" << false << 2;
        QTest::newRow("Demi - Pension then Accepter") << "accept" << true << 1;
    }
    void optionsWindow()
    {
        QFETCH(QString, how);
        QFETCH(bool, saved);
        QFETCH(int, regime);
        TestHome home;
        const QString identityFile = OrganisationIdentity::filePath();
        QFile::remove(identityFile);
        TestData db;
        QCOMPARE(open(db, home.templateCopy()), int(OpenOk));
        QVERIFY(exec(db, QStringLiteral("drop table options")));
        QVERIFY(exec(db, QStringLiteral("create table options (organisme int, gestion int, langue text, faita text)")));
        QVERIFY(exec(db, QStringLiteral("insert into options values (3,2009,'FR','Oran')")));
        db.LoadOptions();
        QCOMPARE(db.regime, 2);
        QCOMPARE(scalar(db, QStringLiteral("select regime from options")).toInt(), 2);
        QString libelle3;
        for (const EstablishmentKind &kind : db.establishmentKinds()) {
            if (kind.code == QLatin1String("3"))
                libelle3 = kind.libelle;
        }
        QVERIFY(!libelle3.isEmpty());

        {
            TFOptions w(db);
            QVERIFY(showActive(&w));
            checkRegimeShown(w, 2);
            QCOMPARE(w.establishmentCaption()->text(), libelle3);
            QVERIFY(w.isVisible());
            // After a first preparation the window opens on the heading, saying why it matters.
            auto *notice = w.findChild<QLabel *>(QStringLiteral("notice"));
            QVERIFY(!notice->isVisible());
            w.askForHeading();
            QVERIFY(notice->isVisible());
            QCOMPARE(notice->text(), QStringLiteral("Les documents imprimés portent cet en-tête : saisissez le "
                                                    "ministère, la direction et l'établissement."));
            QCOMPARE(QApplication::focusWidget(), w.identityBox(1));
        }

        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            TFOptions *w = qobject_cast<TFOptions *>(QApplication::activeModalWidget());
            if (!w)
                return;
            ran = true;
            QTest::mouseClick(w->halfBoard(), Qt::LeftButton);
            w->identityBox(8)->clear();
            QTest::keyClicks(w->identityBox(8), QStringLiteral("Tiaret"));
            // The number of the kind of establishment takes digits only.
            w->identityBox(0)->clear();
            QTest::keyClicks(w->identityBox(0), QStringLiteral("n°3a"));
            QCOMPARE(w->identityBox(0)->text(), QStringLiteral("3"));
            if (how == QLatin1String("accept")) {
                // Enter from the last box of the heading reaches "Accepter", which Enter presses.
                w->findChild<QTabWidget *>()->setCurrentIndex(1);
                w->identityBox(8)->setFocus();
                QTest::keyClick(w->identityBox(8), Qt::Key_Return);
                QCOMPARE(w->focusWidget(), button(w, QStringLiteral("Accepter")));
                QTest::keyClick(w->focusWidget(), Qt::Key_Return);
            } else if (how == QLatin1String("cancel"))
                QTest::mouseClick(button(w, QStringLiteral("Annuler")), Qt::LeftButton);
            else
                QTest::keyClick(w, Qt::Key_Escape);
        });
        // Never left waiting when the window was not found.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [] {
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        });
        guard.start(5000);
        QCOMPARE(TFOptions::Execute(db), saved);
        QVERIFY(ran);
        QCOMPARE(db.regime, regime);
        QCOMPARE(scalar(db, QStringLiteral("select regime from options")).toInt(), regime);
        QCOMPARE(scalar(db, QStringLiteral("select count(*) from options")).toInt(), 1);
        QCOMPARE(scalar(db, QStringLiteral("select organisme from options")).toInt(), 3);
        db.LoadOptions();
        QCOMPARE(db.regime, regime);

        const QString town = saved ? QStringLiteral("Tiaret") : QString();
        QCOMPARE(QFile::exists(identityFile), saved);
        QCOMPARE(OrganisationIdentity::load().town, town);
        QCOMPARE(OrganisationIdentity::load().kindCode, saved ? QStringLiteral("3") : QString());

        // A new window shows what the file now holds.
        TFOptions again(db);
        QVERIFY(showActive(&again));
        checkRegimeShown(again, regime);
    }

    // What a number box keeps of what is typed, key after key, and whether the text is a number yet.
    void numberValidator_data()
    {
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("amount") << 12 << 2 << "1250.75"
                                << "1250.75" << true;
        QTest::newRow("letters dropped") << 12 << 2 << "1a2b"
                                         << "12" << true;
        QTest::newRow("comma written as the point") << 12 << 2 << "3,5"
                                                    << "3.5" << true;
        QTest::newRow("second point dropped") << 12 << 2 << "1.2.3"
                                              << "1.23" << true;
        QTest::newRow("third decimal dropped") << 12 << 2 << "0.125"
                                               << "0.12" << true;
        QTest::newRow("signs and spaces dropped") << 12 << 2 << "-1 2+"
                                                  << "12" << true;
        QTest::newRow("thirteenth digit dropped") << 12 << 2 << "1234567890123"
                                                  << "123456789012" << true;
        QTest::newRow("lone point") << 12 << 2 << "."
                                    << "." << false;
        QTest::newRow("leading point") << 12 << 2 << ".5"
                                       << ".5" << true;
        QTest::newRow("Arabic-Indic digits dropped") << 12 << 2 << QString::fromUtf8("٣4") << "4" << true;
        QTest::newRow("code: point dropped") << 9 << 0 << "1.5"
                                             << "15" << true;
        QTest::newRow("code: comma dropped") << 9 << 0 << "1,5"
                                             << "15" << true;
        QTest::newRow("code: tenth digit dropped") << 9 << 0 << "1234567890"
                                                   << "123456789" << true;
        QTest::newRow("nothing kept") << 9 << 0 << "abc"
                                      << "" << false;
    }
    void numberValidator()
    {
        QFETCH(int, digits);
        QFETCH(int, decimals);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, acceptable);
        QLineEdit box;
        box.setValidator(new NumberValidator(digits, decimals, &box));
        QVERIFY(showActive(&box));
        // One key per character, also for the characters keyClicks cannot send.
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(box.text(), shown);
        QCOMPARE(box.hasAcceptableInput(), acceptable);
    }

    // An amount box takes back any text the datasets show in it, and not one more place.
    void amountTakesWhatTheEditFormatShows_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("half") << 12.5;
        QTest::newRow("widest") << 999999999999.99;
    }
    void amountTakesWhatTheEditFormatShows()
    {
        QFETCH(double, value);
        QLineEdit box;
        const NumberValidator *validator = NumberValidator::amount(&box);
        QString text = FormatPattern(value, QString::fromLatin1(kPatternFieldEdit));
        int pos = 0;
        QCOMPARE(validator->validate(text, pos), QValidator::Acceptable);
        QString longer = text + QStringLiteral("5");
        QCOMPARE(validator->validate(longer, pos), QValidator::Invalid);
        QString wider = QStringLiteral("9") + text;
        QCOMPARE(validator->validate(wider, pos), value < 1e11 ? QValidator::Acceptable : QValidator::Invalid);
    }

    void focusNext_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("disabledBox");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("moved");
        QTest::newRow("Enter in the last box wraps past the disabled button")
            << 2 << int(Qt::Key_Return) << -1 << 0 << true;
        QTest::newRow("keypad Enter") << 0 << int(Qt::Key_Enter) << -1 << 1 << true;
        QTest::newRow("Down") << 1 << int(Qt::Key_Down) << -1 << 2 << true;
        QTest::newRow("Enter skips a disabled box") << 0 << int(Qt::Key_Return) << 1 << 2 << true;
        QTest::newRow("Up") << 2 << int(Qt::Key_Up) << -1 << 1 << true;
        QTest::newRow("Up skips a disabled box") << 2 << int(Qt::Key_Up) << 1 << 0 << true;
        QTest::newRow("Up in the first box") << 0 << int(Qt::Key_Up) << -1 << 0 << false;
        QTest::newRow("Up with only disabled boxes before") << 1 << int(Qt::Key_Up) << 0 << 1 << false;
        QTest::newRow("Tab") << 0 << int(Qt::Key_Tab) << -1 << 0 << false;
        QTest::newRow("Right") << 1 << int(Qt::Key_Right) << -1 << 1 << false;
        QTest::newRow("letter") << 2 << int(Qt::Key_A) << -1 << 2 << false;
        QTest::newRow("Escape") << 1 << int(Qt::Key_Escape) << -1 << 1 << false;
    }
    void focusNext()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, disabledBox);
        QFETCH(int, to);
        QFETCH(bool, moved);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        QList<QLineEdit *> boxes;
        for (int i = 0; i < 3; ++i) {
            boxes << new QLineEdit;
            layout->addWidget(boxes.last());
        }
        auto *ok = new QPushButton(QStringLiteral("Accepter"));
        ok->setEnabled(false);
        layout->addWidget(ok);
        if (disabledBox >= 0)
            boxes.at(disabledBox)->setEnabled(false);
        QVERIFY(showActive(&window));
        const QList<QWidget *> order = {boxes.at(0), boxes.at(1), boxes.at(2), ok};
        boxes.at(from)->setFocus();
        QVERIFY(boxes.at(from)->hasFocus());

        QCOMPARE(FocusNext(boxes.at(from), key, order), moved);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(boxes.at(to)));
    }

    // Through the installed handler in a dialog: Enter in a box moves on without pressing the default
    // button; Enter on the button presses it.
    void installedFocusNext()
    {
        QDialog window;
        auto *layout = new QVBoxLayout(&window);
        auto *first = new QLineEdit;
        auto *second = new QLineEdit;
        auto *ok = new QPushButton(QStringLiteral("Accepter"));
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
        auto *outside = new QLineEdit;
        for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(second), static_cast<QWidget *>(ok),
                           static_cast<QWidget *>(outside)})
            layout->addWidget(w);
        InstallFocusNext({first, second, ok});
        QVERIFY(showActive(&window));
        QSignalSpy clicked(ok, &QPushButton::clicked);

        first->setFocus();
        QTest::keyClick(first, Qt::Key_Return);
        QVERIFY(second->hasFocus());
        QTest::keyClick(second, Qt::Key_Up);
        QVERIFY(first->hasFocus());
        QTest::keyClick(first, Qt::Key_Down);
        QTest::keyClick(second, Qt::Key_Enter);
        QVERIFY(ok->hasFocus());
        QCOMPARE(clicked.count(), 0);
        QVERIFY(window.isVisible());
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        // A box not in the list is not moved from.
        QVERIFY(!FocusNext(outside, Qt::Key_Return, {first, second, ok}));
    }

    void fitGridColumns_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("excluded");
        QTest::addColumn<bool>("gridLines");
        QTest::newRow("none excluded") << 50 << QList<int>{} << true;
        QTest::newRow("middle excluded") << 50 << QList<int>{1} << true;
        QTest::newRow("only the last widens") << 50 << QList<int>{0, 1} << true;
        QTest::newRow("without grid lines") << 50 << QList<int>{2} << false;
        QTest::newRow("already wider") << 200 << QList<int>{} << true;
    }
    void fitGridColumns()
    {
        QFETCH(int, width);
        QFETCH(QList<int>, excluded);
        QFETCH(bool, gridLines);
        QStandardItemModel model(2, 3);
        QTableView view;
        view.setModel(&model);
        view.setShowGrid(gridLines);
        view.resize(400, 200);
        for (int c = 0; c < 3; ++c)
            view.horizontalHeader()->resizeSection(c, width);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const int target = view.viewport()->width() - (gridLines ? 4 : 0);
        QVERIFY(target > 150 && target < 600);

        FitGridColumns(&view, excluded);

        QList<int> widths;
        int sum = 0;
        for (int c = 0; c < 3; ++c) {
            widths << view.horizontalHeader()->sectionSize(c);
            sum += widths.last();
        }
        if (width * 3 >= target) {
            QCOMPARE(widths, (QList<int>{width, width, width}));
            return;
        }
        QCOMPARE(sum, target);
        // The extra is spread evenly, the first widened columns taking the remainder.
        int previous = -1;
        for (int c = 0; c < 3; ++c) {
            if (excluded.contains(c)) {
                QCOMPARE(widths.at(c), width);
                continue;
            }
            if (previous >= 0)
                QVERIFY(widths.at(c) == previous || widths.at(c) == previous - 1);
            previous = widths.at(c);
        }
    }

    // Nothing to widen: no model, or a model without columns.
    void fitGridWithoutColumns()
    {
        QTableView view;
        view.resize(400, 200);
        FitGridColumns(&view, {});
        QStandardItemModel empty;
        view.setModel(&empty);
        FitGridColumns(&view, {});
        QCOMPARE(view.horizontalHeader()->count(), 0);
    }
};

QTEST_MAIN(TestOptionsWindows)
#include "test_options_windows.moc"
