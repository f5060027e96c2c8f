#include "FindWidget.h"
#include "SampleDocument.h"
#include "TestHome.h"
#include "WindowScripts.h"
#include "common/Dates.h"
#include "common/Format.h"
#include "menus/WeeklyMenuWindow.h"
#include "reports/Catalogue.h"
#include "reports/MonthlyDocuments.h"
#include "reports/PrintMenu.h"
#include "reports/PurchaseDocuments.h"
#include "reports/StockDocument.h"
#include "reports/StockParArticle.h"
#include "reports/WeeklyMenuDocument.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <stdexcept>

using namespace zelvane;

// The documents window on a real file, with makers of small documents standing for the real ones.
class TestPrintMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    TParametresEdition parameters;           // what the reports page keeps from one print to the next
    QList<TParametresEdition> made;          // the parameters of every document made
    QStringList shown;                       // the titles of the documents that reached the preview
    QHash<qint32, DocumentMaker> makers;     // standing for the printed documents of their codes
    QHash<qint32, OfficeMaker> officeMakers; // standing for the office documents of their codes
    QList<int> officeModels;                 // the model of every office document made

    void opens(qint32 code, const std::function<void(TFQUILLON_PRNMENU &)> &script)
    {
        QList<DocumentSpec> catalogue = BuildCatalogue(db->organisme);
        for (DocumentSpec &document : catalogue) {
            document.print = makers.value(document.code, document.print);
            document.office = officeMakers.value(document.code, document.office);
        }
        RunWindowScripts<TFQUILLON_PRNMENU>(
            [&] {
                ShowPrintMenu(*db, catalogue, parameters, code,
                              [&](const ReportDocument &d) { shown.append(d.title); });
                return true;
            },
            {script});
    }
    static QStringList visibleFields(TFQUILLON_PRNMENU &w)
    {
        QList<QWidget *> rows;
        for (QWidget *row : w.PPanel->findChildren<QWidget *>()) {
            if (row->parentWidget()->objectName() == QLatin1String("P1") && row->isVisible())
                rows.append(row);
        }
        std::sort(rows.begin(), rows.end(), [](QWidget *a, QWidget *b) { return a->y() < b->y(); });
        QStringList captions;
        for (QWidget *row : rows) {
            auto *label = row->findChild<QLabel *>();
            captions.append(label ? label->text().trimmed() : QString());
        }
        return captions;
    }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        db = home->openPrepared(4, 2010);
        QVERIFY(db);
        db->startSession(QDate(2010, 3, 10));
        parameters = {};
        made.clear();
        shown.clear();
        makers.clear();
        officeMakers.clear();
        officeModels.clear();
        for (qint32 code : {doc::Stock, doc::StockParArticle, doc::EtatMensuel}) {
            makers.insert(code, [this, code](Tfdb &, const TParametresEdition &p) {
                made.append(p);
                return SampleDocument(1, QString::number(code));
            });
        }
    }
    void cleanup()
    {
        db.reset();
        home.reset();
    }

    void listsEveryDocument()
    {
        opens(0, [&](TFQUILLON_PRNMENU &w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Editions"));
            QCOMPARE(w.LB->count(), 24);
            QCOMPARE(w.LB->item(23)->text(), QStringLiteral("18 - Liste des Fournisseurs"));
            QCOMPARE(w.LB->currentRow(), 0);
            QVERIFY(!w.PLangue->isVisible());
            // A separator does nothing.
            w.LB->setCurrentRow(2);
            w.BNext->click();
            w.BPrintClick();
            QVERIFY(w.P0->isVisible());
        });
        QVERIFY(made.isEmpty());
    }

    void aDocumentWithoutParametersPrintsAtOnce()
    {
        opens(0, [&](TFQUILLON_PRNMENU &w) {
            w.LB->setCurrentRow(0);
            w.BNext->click();
            QVERIFY(w.P0->isVisible());
            QVERIFY(!w.PB->isVisible());
            QVERIFY(w.BNext->isEnabled() && w.BPrev->isEnabled());
        });
        QCOMPARE(shown, QStringList{"1"});
        QCOMPARE(made.at(0).Nature, doc::Stock);
    }

    void theParameterPageReadsItsFields()
    {
        opens(0, [&](TFQUILLON_PRNMENU &w) {
            w.LB->setCurrentRow(1);
            w.BNext->click();
            QVERIFY(!w.P0->isVisible());
            QCOMPARE(w.LTitle->text(), QStringLiteral("Stock par Article"));
            QCOMPARE(visibleFields(w), QStringList({"Entrez le Code Art", "Période du", "Période au", "Fait le"}));
            auto *code = w.findChild<QLineEdit *>(); // the first field, "Entrez le Code Art"
            QVERIFY(code->hasFocus());
            QCOMPARE(code->text(), QStringLiteral("*"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            auto *from = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            QCOMPARE(from->text(), DateText(FirstDayOfMonth(QDate::currentDate())));
            from->setText("01/03/2010");
            QTest::keyClick(from, Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            auto *madeOn = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            QCOMPARE(madeOn->text(), DateText(QDate::currentDate()));
            madeOn->setText("5/3/2010");
            QTest::keyClick(madeOn, Qt::Key_Down); // from the last field back to the first
            QCOMPARE(QApplication::focusWidget(), code);
            QTest::keyClick(code, Qt::Key_Up); // the first stays
            QCOMPARE(QApplication::focusWidget(), code);
            QTest::keyClick(code, Qt::Key_Return); // the default button prints
            QCOMPARE(madeOn->text(), QStringLiteral("05/03/2010"));
            w.BPrev->click();
            QVERIFY(w.P0->isVisible());
            QCOMPARE(w.LB->currentRow(), 1);
        });
        QCOMPARE(shown, QStringList{"13"});
        QCOMPARE(made.at(0).CodeArt, 0);
        QCOMPARE(made.at(0).PeriodeDu, QDate(2010, 3, 1));
        QCOMPARE(made.at(0).FaitLe, QDate(2010, 3, 5));
    }

    void aDayThatIsNoDayPrintsNothing()
    {
        opens(doc::EtatMensuel, [&](TFQUILLON_PRNMENU &w) {
            // Opened on one document: its parameter page at once.
            QVERIFY(w.PB->isVisible());
            QCOMPARE(visibleFields(w), QStringList{"Journée"});
            auto *day = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            QCOMPARE(day->text(), QStringLiteral("10/03/2010"));
            day->setText("32/01/2010");
            w.BPrint->click();
            QVERIFY(shown.isEmpty());
            QVERIFY(w.BPrint->isEnabled());
            day->setText("31/01/2010");
            w.BPrint->click();
            // Once printed, a window opened on one document does not go back to the list.
            QVERIFY(!w.BPrev->isEnabled());
            QVERIFY(w.BPrint->isEnabled() && w.BAnnuler2->isEnabled());
        });
        QCOMPARE(shown, QStringList{"14"});
        QCOMPARE(made.at(0).Journee, QDate(2010, 1, 31));
    }

    // The invoice's first model prints; its second is the office document.
    void theModelChoosesThePrintedOrTheOfficeDocument()
    {
        makers.insert(doc::Facture, [this](Tfdb &, const TParametresEdition &p) {
            made.append(p);
            return SampleDocument(1, QStringLiteral("10"));
        });
        officeMakers.insert(doc::Facture, [this](Tfdb &, const TParametresEdition &p, const QString &) {
            officeModels.append(p.Modele);
            return ExportResult::nothing();
        });
        opens(doc::Facture, [&](TFQUILLON_PRNMENU &w) {
            auto *models = w.findChild<QListWidget *>(QStringLiteral("LBModele"));
            QCOMPARE(models->count(), 2);
            w.BPrint->click(); // no model chosen: the printed one
            models->setCurrentRow(1);
            w.BPrint->click();
            models->setCurrentRow(0);
            w.BPrint->click();
        });
        QCOMPARE(shown, QStringList({"10", "10"}));
        QCOMPARE(officeModels, QList<int>{1});
    }

    // The weekly menu's Word models ask for the menus first, in the window of their language on the
    // panel's period; cancelling it writes nothing.
    void theWeeklyMenuWindowComesBeforeItsDocument_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("rightToLeft");
        QTest::newRow("Arabic") << 1 << true;
        QTest::newRow("French") << 2 << false;
    }
    void theWeeklyMenuWindowComesBeforeItsDocument()
    {
        QFETCH(int, model);
        QFETCH(bool, rightToLeft);
        bool asked = false;
        opens(doc::MenuHebdomadaire, [&](TFQUILLON_PRNMENU &w) {
            w.findChild<QListWidget *>(QStringLiteral("LBModele"))->setCurrentRow(model);
            RunWindowScripts<TFMENU_HEBDOMADAIRE>(
                [&] {
                    w.BPrint->click();
                    return true;
                },
                {[&](TFMENU_HEBDOMADAIRE &menu) {
                    asked = true;
                    QCOMPARE(menu.layoutDirection() == Qt::RightToLeft, rightToLeft);
                    QCOMPARE(menu.fromBox()->text(), QStringLiteral("07/03/2010"));
                    QCOMPARE(menu.toBox()->text(), QStringLiteral("13/03/2010"));
                    menu.cancelButton()->click();
                }});
        });
        QVERIFY(asked);
        QVERIFY(shown.isEmpty());
        QVERIFY(QDir(home->path() + QStringLiteral("/documents")).entryList(QDir::Files).isEmpty());
    }

    void aFailingDocumentLeavesTheWindowUsable()
    {
        makers.insert(doc::Stock, [](Tfdb &, const TParametresEdition &) -> ReportDocument {
            throw std::runtime_error("no document");
        });
        opens(0, [&](TFQUILLON_PRNMENU &w) {
            w.BNext->click();
            QVERIFY(w.isVisible());
            for (QPushButton *b : {w.BNext, w.BAnnuler, w.BPrint, w.BPrev})
                QVERIFY(b->isEnabled());
        });
        QVERIFY(shown.isEmpty());
    }

    void printParametersStayForTheWholeRun()
    {
        opens(doc::EtatMensuel, [&](TFQUILLON_PRNMENU &w) {
            qobject_cast<QLineEdit *>(QApplication::focusWidget())->setText("28/02/2010");
            w.BPrint->click();
        });
        opens(0, [&](TFQUILLON_PRNMENU &w) { w.BNext->click(); });
        QCOMPARE(made.size(), 2);
        // The stock report reads no field: the day read for the statement is still there.
        QCOMPARE(made.at(1).Journee, QDate(2010, 2, 28));
        QCOMPARE(made.at(1).Nature, doc::Stock);
    }

    void otherEstablishmentsHaveNoCanteenSheets()
    {
        db->organisme = 2;
        opens(0, [&](TFQUILLON_PRNMENU &w) {
            QCOMPARE(w.LB->count(), 21);
            QCOMPARE(w.LB->item(20)->text(), QStringLiteral("16 - Liste des Fournisseurs"));
        });
    }
};

QTEST_MAIN(TestPrintMenu)
#include "test_print_menu.moc"
