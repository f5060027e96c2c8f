#include "FindWidget.h"
#include "TestHome.h"
#include "WindowScripts.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "reports/DialogReportForms.h"
#include "reports/EtatMensuel.h"
#include "reports/EtatMensuelWindow.h"
#include "reports/ReportsModule.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace zelvane;

// The input window of the monthly statement as the user types into it.
class TestEtatMensuelWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    ScriptedPrompter prompts;

    ReportsModule &reports() { return *db->module<ReportsModule>(); }
    bool edit(const std::function<void(TFEtat_mensuel &)> &script)
    {
        DialogReportForms forms;
        return RunWindowScripts<TFEtat_mensuel>([&] { return EditEtatMensuel(reports(), 5); }, {script});
    }

private slots:
    void init()
    {
        setPrompter(&prompts);
        home = std::make_unique<TestHome>();
        db = home->openPrepared(2, 2009);
        QVERIFY(db);
        db->startSession(QDate(2009, 5, 4));
        ExecSql(db->database(), QStringLiteral("insert into etat_mensuel values(5,900,160,0,0,10,0,0,0)"));
    }
    void cleanup()
    {
        db.reset();
        home.reset();
        setPrompter(nullptr);
    }

    // Enter walks the eight boxes, then "Accepter", then the first box again; Up goes back; the computed
    // boxes follow every key; letters are refused as typed; Enter on "Accepter" posts the row.
    void typedAndAccepted()
    {
        const bool saved = edit([](TFEtat_mensuel &w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Etat mensuel des dépenses d'alimentation"));
            const QList<QLineEdit *> boxes = w.edits();
            QCOMPARE(boxes.size(), 8);
            QCOMPARE(boxes[0]->text(), QStringLiteral("900.00"));
            QCOMPARE(w.prixRevient()->text(), QStringLiteral("5.63"));
            QCOMPARE(w.total()->text(), QStringLiteral("10.00"));
            QVERIFY(boxes[0]->hasFocus());

            QTest::keyClick(boxes[0], Qt::Key_Return);
            QVERIFY(boxes[1]->hasFocus());
            boxes[1]->selectAll();
            QTest::keyClicks(boxes[1], QStringLiteral("0"));
            QCOMPARE(w.prixRevient()->text(), QStringLiteral("0.00")); // a division by 0
            QTest::keyClick(boxes[1], Qt::Key_Up);
            QVERIFY(boxes[0]->hasFocus());
            QTest::keyClick(boxes[0], Qt::Key_Down);
            boxes[1]->selectAll();
            QTest::keyClicks(boxes[1], QStringLiteral("8"));
            QCOMPARE(w.prixRevient()->text(), QStringLiteral("112.50"));

            QTest::keyClick(boxes[1], Qt::Key_Down);
            QTest::keyClicks(boxes[2], QStringLiteral("12a.5"));
            QCOMPARE(boxes[2]->text(), QStringLiteral("12.5"));
            QTest::keyClick(boxes[2], Qt::Key_Return);
            QTest::keyClicks(boxes[3], QStringLiteral("4x"));
            QCOMPARE(w.creditOuvert()->text(), QStringLiteral("50.00"));
            QTest::keyClick(boxes[3], Qt::Key_Return);
            boxes[4]->clear();
            QCOMPARE(w.total()->text(), QStringLiteral("0.00")); // an empty box
            QTest::keyClicks(boxes[4], QStringLiteral("1000"));
            for (int i = 4; i < 7; ++i)
                QTest::keyClick(boxes[i], Qt::Key_Return);
            QTest::keyClicks(boxes[7], QStringLiteral("99"));
            QTest::keyClick(boxes[7], Qt::Key_Return);
            auto *ok = FindByText<QPushButton>(&w, QStringLiteral("Accepter"));
            QVERIFY(ok->hasFocus());
            QTest::keyClick(ok, Qt::Key_Down);
            QVERIFY(boxes[0]->hasFocus());
            QTest::keyClick(boxes[0], Qt::Key_Up); // nothing before the first box
            QVERIFY(boxes[0]->hasFocus());
            ok->setFocus();
            QTest::keyClick(ok, Qt::Key_Return);
        });
        QVERIFY(saved);
        const std::optional<EtatMensuelRow> row = ReadEtatMensuel(*db, 5);
        QCOMPARE(row->nbr_mois, 8);
        QCOMPARE(row->credit_aut_mois, 12.5);
        QCOMPARE(row->nbr_aut_mois, 4);
        QCOMPARE(row->valeur_31dec, 1000.0);
        QCOMPARE(row->total_depense, 99.0);
    }

    void cancelled()
    {
        QVERIFY(!edit([](TFEtat_mensuel &w) {
            QTest::keyClicks(w.edits()[0], QStringLiteral("5"));
            FindByText<QPushButton>(&w, QStringLiteral("Annuler"))->click();
        }));
        QCOMPARE(ReadEtatMensuel(*db, 5)->dep_mois, 900.0);
    }
};

QTEST_MAIN(TestEtatMensuelWindow)
#include "test_etat_mensuel_window.moc"
