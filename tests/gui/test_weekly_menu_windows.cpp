// The weekly menu windows: what they give back when accepted, cancelled or left with a wrong date, the
// Arabic window's mirrored layout, the text boxes' selection, and the document made from what was typed.
#include "FindWidget.h"
#include "TestHome.h"
#include "WindowScripts.h"

#include "common/Organisation.h"
#include "menus/WeeklyMenuWindow.h"
#include "office/TMSWinWord.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace zelvane;

namespace {

const QDate kFrom(2009, 3, 11); // a Wednesday
const QDate kTo(2009, 3, 17);

struct Outcome
{
    bool accepted = false;
    QDate from = kFrom;
    QDate to = kTo;
    WeeklyMenuTexts texts;
};

Outcome runWindow(MenuLanguage language, const std::function<void(TFMENU_HEBDOMADAIRE &)> &script)
{
    DialogWeeklyMenuForm form;
    Outcome outcome;
    outcome.accepted = RunWindowScripts<TFMENU_HEBDOMADAIRE>(
        [&] { return EditMenuHebdomadaire(language, outcome.from, outcome.to, outcome.texts); }, {script});
    return outcome;
}

// Types text as key presses carrying their characters (the accented and Arabic ones too).
void typeInto(QWidget *box, const QString &text)
{
    box->setFocus();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestWeeklyMenuWindows : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data()
    {
        QTest::addColumn<QString>("ending"); // how the window is left
        QTest::addColumn<QString>("fromTyped");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QDate>("from");
        QTest::newRow("accepted") << "accept"
                                  << "08/03/2009" << true << QDate(2009, 3, 8);
        QTest::newRow("cancelled keeps the dates typed") << "cancel"
                                                         << "08/03/2009" << false << QDate(2009, 3, 8);
        QTest::newRow("escape") << "escape"
                                << "08/03/2009" << false << QDate(2009, 3, 8);
        QTest::newRow("not a day leaves the date") << "accept"
                                                   << "31/02/2009" << true << kFrom;
    }
    void outcomes()
    {
        QFETCH(QString, ending);
        QFETCH(QString, fromTyped);
        QFETCH(bool, accepted);
        QFETCH(QDate, from);
        TestHome home;
        const Outcome outcome = runWindow(MenuLanguage::French, [&](TFMENU_HEBDOMADAIRE &w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("MENU HEBDOMADAIRE"));
            QCOMPARE(w.fromBox()->text(), QStringLiteral("11/03/2009"));
            QCOMPARE(w.toBox()->text(), QStringLiteral("17/03/2009"));
            w.fromBox()->clear();
            typeInto(w.fromBox(), fromTyped);
            typeInto(w.menuBox(1, 1), QStringLiteral("Café"));
            typeInto(w.menuBox(7, 3), QStringLiteral("Soupe"));
            QTest::keyClick(w.menuBox(7, 3), Qt::Key_Return);
            QTest::keyClicks(w.menuBox(7, 3), QStringLiteral("Pain"));
            if (ending == QLatin1String("accept"))
                QTest::mouseClick(w.acceptButton(), Qt::LeftButton);
            else if (ending == QLatin1String("cancel"))
                QTest::mouseClick(w.cancelButton(), Qt::LeftButton);
            else
                QTest::keyClick(&w, Qt::Key_Escape);
        });
        QCOMPARE(outcome.accepted, accepted);
        QCOMPARE(outcome.from, from);
        QCOMPARE(outcome.to, kTo);
        QCOMPARE(outcome.texts[0], QStringLiteral("Café"));
        QCOMPARE(outcome.texts[20], QStringLiteral("Soupe\nPain"));
        QCOMPARE(outcome.texts[1], QString());
    }

    void windowTexts_data()
    {
        QTest::addColumn<bool>("arabic");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("French") << false
                                << QStringList{
                                       "MENU HEBDOMADAIRE", "Journée  DU", "AU",       "Jours", "Petit Déjeuner",
                                       "Déjeuner",          "Dîner",       "Dimanche", "Samedi"};
        QTest::newRow("Arabic") << true
                                << QStringList{"قائمـة الطعــام  مـن", "إلــى",      "الأيـــام", "فطــور الصبـاح",
                                               "الفطــــور",           "العشــــاء", "الأحــد",   "السـبـت"};
    }
    // Both windows carry their texts; the Arabic one is mirrored: the days at the right, breakfast next.
    void windowTexts()
    {
        QFETCH(bool, arabic);
        QFETCH(QStringList, labels);
        TestHome home;
        TFMENU_HEBDOMADAIRE w(arabic ? MenuLanguage::Arabic : MenuLanguage::French);
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const QString &label : labels)
            QVERIFY2(FindByText<QLabel>(&w, label), qPrintable(label));
        QCOMPARE(w.acceptButton()->text(), arabic ? QStringLiteral("مـــوافـــق") : QStringLiteral("Accepter"));
        QCOMPARE(w.cancelButton()->text(), arabic ? QStringLiteral("إلغــاء الأمـــر") : QStringLiteral("Annuler"));
        const int breakfast = w.menuBox(1, 1)->mapTo(&w, QPoint()).x();
        const int dinner = w.menuBox(1, 3)->mapTo(&w, QPoint()).x();
        const int day = FindByText<QLabel>(&w, arabic ? QStringLiteral("الأحــد") : QStringLiteral("Dimanche"))
                            ->mapTo(&w, QPoint())
                            .x();
        QCOMPARE(breakfast > dinner, arabic);
        QCOMPARE(day > breakfast, arabic);
        if (qgetenv("ZELVANE_SCREENSHOTS").size())
            w.grab().save(QString::fromLocal8Bit(qgetenv("ZELVANE_SCREENSHOTS"))
                          + (arabic ? QStringLiteral("/weekly-ar.png") : QStringLiteral("/weekly-fr.png")));
    }

    // Entering a box selects its whole text; leaving it puts the caret at the start without a selection.
    void boxSelection()
    {
        TestHome home;
        TFMENU_HEBDOMADAIRE w(MenuLanguage::French);
        w.setTexts([] {
            WeeklyMenuTexts t;
            t[0] = QStringLiteral("Lait");
            t[1] = QStringLiteral("Riz");
            return t;
        }());
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QPlainTextEdit *first = w.menuBox(1, 1);
        QPlainTextEdit *second = w.menuBox(1, 2);
        first->setFocus();
        QCOMPARE(first->textCursor().selectedText(), QStringLiteral("Lait"));
        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(second->hasFocus());
        QCOMPARE(second->textCursor().selectedText(), QStringLiteral("Riz"));
        QVERIFY(!first->textCursor().hasSelection());
        QCOMPARE(first->textCursor().position(), 0);
    }

    // The whole road: the window of the language, then the document with what was typed; cancelling
    // makes nothing.
    void document_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }
    void document()
    {
        QFETCH(bool, accept);
        TestHome home;
        Organisation().headingAr[2] = QStringLiteral("مطعم");
        DialogWeeklyMenuForm form;
        const ExportResult result = [&] {
            ExportResult r;
            RunWindowScripts<TFMENU_HEBDOMADAIRE>(
                [&] {
                    r = ExportMenuHebdomadaire(MenuLanguage::Arabic, kFrom, kTo);
                    return true;
                },
                {[&](TFMENU_HEBDOMADAIRE &w) {
                    QCOMPARE(w.layoutDirection(), Qt::RightToLeft);
                    w.toBox()->setText(QStringLiteral("18/03/2009"));
                    typeInto(w.menuBox(2, 2), QStringLiteral("كسكس"));
                    QTest::mouseClick(accept ? w.acceptButton() : w.cancelButton(), Qt::LeftButton);
                }});
            return r;
        }();
        if (!accept) {
            QCOMPARE(result.status, ExportResult::Nothing);
            return;
        }
        QCOMPARE(result.status, ExportResult::Written);
        TMSWinWord word;
        QVERIFY(word.Open(result.path));
        QCOMPARE(word.tableCellText(1, 2, 1), QStringLiteral("مطعم"));
        QCOMPARE(word.tableCellText(2, 1, 4), QStringLiteral("18/03/2009"));
        QCOMPARE(word.tableCellText(3, 3, 3), QStringLiteral("كسكس")); // Monday's lunch
    }
};

QTEST_MAIN(TestWeeklyMenuWindows)
#include "test_weekly_menu_windows.moc"
