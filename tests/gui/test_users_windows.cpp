#include "FindWidget.h"
#include "TestHome.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "users/LoginWindow.h"
#include "users/PasswordChangeWindow.h"
#include "users/UserListWindow.h"
#include "users/UserWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace zelvane;

namespace {

QPushButton *button(QWidget *window, const QString &text) { return FindByText<QPushButton>(window, text); }

QLabel *label(QWidget *window, const QString &text) { return FindByText<QLabel>(window, text); }

bool showActive(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

// Types a password and presses Enter in its box, which is "Ok".
void tryPassword(TFCHECKPWD &w, const QString &text)
{
    auto *password = w.findChild<QLineEdit *>(QStringLiteral("password"));
    QTest::keyClicks(password, text);
    QTest::keyClick(password, Qt::Key_Return);
}

} // namespace

class TestUsersWindows : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setPrompter(nullptr); }

    void loginWindowRefusesAfterThreeAttempts()
    {
        TestHome home;
        TFCHECKPWD w({"ADMIN", "CAISSE"}, {"SECRET", "CASH"}, 8);
        QVERIFY(showActive(&w));
        auto *names = w.findChild<QComboBox *>(QStringLiteral("names"));
        auto *password = w.findChild<QLineEdit *>(QStringLiteral("password"));
        auto *wrong = w.findChild<QLabel *>(QStringLiteral("wrong"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Mot de passe Requis"));
        QVERIFY(label(&w, QStringLiteral("Connect To Database")));
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QCOMPARE(password->maxLength(), 10);
        QCOMPARE(names->currentText(), QStringLiteral("ADMIN"));
        QVERIFY(password->hasFocus());
        QVERIFY(!wrong->isVisible());

        tryPassword(w, QStringLiteral("wrong"));
        QVERIFY(w.isVisible());
        QVERIFY(wrong->isVisible());
        QVERIFY(password->text().isEmpty());
        QVERIFY(password->hasFocus());
        QTest::keyClick(password, Qt::Key_X); // any key hides the message
        QVERIFY(!wrong->isVisible());
        QTest::keyClick(password, Qt::Key_Backspace);

        // Up goes back to the list; Down leaves it without changing the name.
        QTest::keyClick(password, Qt::Key_Up);
        QVERIFY(names->hasFocus());
        QTest::keyClick(names, Qt::Key_Down);
        QVERIFY(password->hasFocus());
        QCOMPARE(names->currentIndex(), 0);

        tryPassword(w, QStringLiteral("cash"));
        QVERIFY(w.isVisible());
        tryPassword(w, QStringLiteral("secrets"));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.acceptedRow(), -2);
        QVERIFY(Profile().ReadValue(QString::fromLatin1(kProfileLastUserName)).isEmpty());
    }

    void loginWindowNewNameNewAttempts()
    {
        TestHome home;
        TFCHECKPWD w({"ADMIN", "CAISSE"}, {"SECRET", "CASH"}, 8);
        QVERIFY(showActive(&w));
        auto *names = w.findChild<QComboBox *>(QStringLiteral("names"));
        tryPassword(w, QStringLiteral("a"));
        tryPassword(w, QStringLiteral("b"));
        names->setCurrentIndex(1);
        QCOMPARE(w.check().attempts(), 0);
        tryPassword(w, QStringLiteral("c"));
        tryPassword(w, QStringLiteral("d"));
        QVERIFY(w.isVisible());
        tryPassword(w, QStringLiteral(" Cash"));
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.acceptedRow(), 1);
        QCOMPARE(Profile().ReadValue(QString::fromLatin1(kProfileLastUserName)), QStringLiteral("CAISSE"));
    }

    void editUserOkNeedsAName()
    {
        TFEditUser w(QString(), QStringLiteral("B"), false);
        QVERIFY(showActive(&w));
        auto *name = w.findChild<QLineEdit *>(QStringLiteral("name"));
        auto *priority = w.findChild<QComboBox *>(QStringLiteral("priority"));
        QPushButton *ok = button(&w, QStringLiteral("Ok"));
        QVERIFY(!ok->isEnabled());
        QCOMPARE(priority->currentText(), QStringLiteral("B"));
        QTest::keyClicks(name, QStringLiteral("gerant"));
        QCOMPARE(name->text(), QStringLiteral("GERANT"));
        QVERIFY(ok->isEnabled());
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("   "));
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(name, QString(40, QLatin1Char('x')));
        QCOMPARE(name->text().size(), 30);
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(priority->hasFocus());
        QTest::keyClick(priority, Qt::Key_Return);
        QVERIFY(ok->hasFocus());
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.name(), QString(27, QLatin1Char('X')));

        TFEditUser locked(QStringLiteral("ADMIN"), QStringLiteral("C"), true);
        auto *lockedPriority = locked.findChild<QComboBox *>(QStringLiteral("priority"));
        QVERIFY(!lockedPriority->isEnabled());
        QCOMPARE(lockedPriority->currentText(), QStringLiteral("A"));
        QCOMPARE(locked.priority(), QStringLiteral("A"));
    }

    void changePasswordWindow()
    {
        TFChangePassword w(QStringLiteral("SECRET"), QStringLiteral("ADMIN"), 8);
        QVERIFY(showActive(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Mot de Passe ( ADMIN )"));
        auto *current = w.findChild<QLineEdit *>(QStringLiteral("current"));
        auto *fresh = w.findChild<QLineEdit *>(QStringLiteral("new"));
        auto *confirmation = w.findChild<QLineEdit *>(QStringLiteral("confirmation"));
        QPushButton *ok = button(&w, QStringLiteral("Ok"));
        QLabel *currentCaption = label(&w, QStringLiteral("Tapez le Mot de Passe courant"));
        QLabel *newCaption = label(&w, QStringLiteral("Tapez le Nouveau Mot de Passe"));
        QCOMPARE(fresh->maxLength(), 8);
        QVERIFY(current->hasFocus());
        QVERIFY(currentCaption->font().bold());
        QVERIFY(!newCaption->isEnabled()); // greyed with its box
        QVERIFY(!fresh->isEnabled() && !confirmation->isEnabled() && !ok->isEnabled());

        QTest::keyClicks(current, QStringLiteral("wrong"));
        QTest::keyClick(current, Qt::Key_Return);
        QVERIFY(current->hasFocus());
        QVERIFY(!fresh->isEnabled());
        QTest::keyClicks(current, QStringLiteral("secret"));
        QTest::keyClick(current, Qt::Key_Return);
        QVERIFY(!current->isEnabled());
        QVERIFY(fresh->hasFocus());
        QVERIFY(newCaption->font().bold());
        QVERIFY(!currentCaption->font().bold());

        QTest::keyClicks(fresh, QStringLiteral("abc"));
        QTest::keyClick(fresh, Qt::Key_Return);
        QVERIFY(confirmation->hasFocus());
        QTest::keyClicks(confirmation, QStringLiteral("abd"));
        QTest::keyClick(confirmation, Qt::Key_Return);
        QVERIFY(fresh->text().isEmpty() && confirmation->text().isEmpty());
        QVERIFY(!ok->isEnabled());
        QVERIFY(fresh->hasFocus());

        QTest::keyClicks(fresh, QStringLiteral("abc"));
        QTest::keyClick(fresh, Qt::Key_Return);
        QTest::keyClicks(confirmation, QStringLiteral("ABC"));
        QTest::keyClick(confirmation, Qt::Key_Return);
        QVERIFY(ok->isEnabled());
        QVERIFY(ok->hasFocus());
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.newPassword(), QStringLiteral("ABC"));
    }

    // Each window closes on "Annuler" then its accepting button, the one Enter presses (none in the users
    // list, where Enter stays in the list); Escape cancels from where the caret is.
    void closingRow_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("acceptText");
        QTest::addColumn<bool>("acceptIsDefault");
        QTest::newRow("login") << 0 << "Ok" << true;
        QTest::newRow("password change") << 1 << "Ok" << true;
        QTest::newRow("user") << 2 << "Ok" << true;
        QTest::newRow("users list") << 3 << "Accept" << false;
    }
    void closingRow()
    {
        QFETCH(int, window);
        QFETCH(QString, acceptText);
        QFETCH(bool, acceptIsDefault);
        TestHome home;
        std::unique_ptr<QDialog> w;
        switch (window) {
        case 0:
            w = std::make_unique<TFCHECKPWD>(QStringList{"ADMIN"}, QStringList{"SECRET"}, 8);
            break;
        case 1:
            w = std::make_unique<TFChangePassword>(QStringLiteral("SECRET"), QStringLiteral("ADMIN"), 8);
            break;
        case 2:
            w = std::make_unique<TFEditUser>(QStringLiteral("CAISSE"), QStringLiteral("B"), false);
            break;
        default:
            w = std::make_unique<TFUserList>(QList<UserEntry>{{"ADMIN", "SECRET", "A"}});
        }
        QVERIFY(showActive(w.get()));
        QPushButton *accept = button(w.get(), acceptText);
        QPushButton *cancel = button(w.get(), QStringLiteral("Annuler"));
        QVERIFY(cancel->mapTo(w.get(), QPoint()).x() < accept->mapTo(w.get(), QPoint()).x());
        QCOMPARE(accept->isDefault(), acceptIsDefault);
        QVERIFY(!cancel->isDefault() && !cancel->autoDefault());

        QWidget *caret = QApplication::focusWidget();
        QVERIFY(caret && caret->window() == w.get());
        if (!acceptIsDefault) {
            QTest::keyClick(caret, Qt::Key_Return);
            QVERIFY(w->isVisible());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Rejected));
    }

    void userListShortcuts()
    {
        ScriptedPrompter answers;
        ScriptedUserForms forms(&answers.asked);
        forms.userEdits = {UserEntry{"COMPTABLE", QString(), "C"}};
        answers.yesNoAnswers = {false};
        setPrompter(&answers);
        TFUserList w({{"ADMIN", "SECRET", "A"}, {"CAISSE", QString(), "B"}});
        QVERIFY(showActive(&w));
        auto *list = w.findChild<QTreeWidget *>(QStringLiteral("users"));
        QVERIFY(list->hasFocus());
        QCOMPARE(list->currentItem(), list->topLevelItem(0));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("Oui"));
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("~"));

        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(answers.messageCaptions, QStringList{QStringLiteral("Information")});
        QCOMPARE(list->topLevelItemCount(), 2);

        QTest::keyClick(list, Qt::Key_Insert);
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->currentItem()->text(0), QStringLiteral("COMPTABLE"));
        QCOMPARE(list->currentItem()->text(1), QStringLiteral("C"));

        // "Accept" answered No closes without keeping anything.
        button(&w, QStringLiteral("Accept"))->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(answers.questionCaptions, QStringList{QStringLiteral("Enregistrer")});

        TFUserList empty({});
        QVERIFY(!button(&empty, QStringLiteral("Modifier"))->isEnabled());
        QVERIFY(!button(&empty, QStringLiteral("Supprimer"))->isEnabled());
        QVERIFY(!button(&empty, QStringLiteral("Mot de Passe"))->isEnabled());
        QVERIFY(button(&empty, QStringLiteral("Ajouter"))->isEnabled());
    }
};

QTEST_MAIN(TestUsersWindows)
#include "test_users_windows.moc"
