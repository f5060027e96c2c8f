#include "FileTest.h"
#include "StoreFixture.h"
#include "WindowScripts.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "stock/DialogStockForms.h"
#include "stock/ListeDenrees.h"
#include "stock/MovementWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zelvane;

// On 10/03/2009, before the day:
//   FARINE (1): +10 at 50 and +5 at 60 (lots 50 and 60, stock 15), usual supplier 1, price 60.
//   SEL (2):    nothing, no stock.
//   HUILE (3):  +20 at 100 the day before, -4 at 100 on the day (movement 4).
class TestMovementWindow : public FileTest
{
    Q_OBJECT

    DialogStockForms windows; // the real entry windows answer the entry commands

    int movementCount() { return scalar(QStringLiteral("select count(*) from stock")).toInt(); }
    double restes(qint32 code)
    {
        const TDenree *d = Stock(*db).ListeDenrees()->FindDenree(code);
        return d ? d->restes() : 0;
    }

    void open(int regime)
    {
        openFile();
        exec(QStringLiteral("update options set regime=%1").arg(regime));
        db->LoadOptions();
        exec(QStringLiteral("delete from stock"));
        StoreFixture(db->database())
            .noArticles()
            .article(1, QStringLiteral("FARINE"), 60, 0, 0, 1)
            .article(2, QStringLiteral("SEL"), 20)
            .article(3, QStringLiteral("HUILE"), 100)
            .usualSuppliers()
            .movement(1, 1, 10, QStringLiteral("2009-03-09"), 10, 50, 1)
            .movement(2, 1, 10, QStringLiteral("2009-03-09"), 5, 60, 1)
            .movement(3, 3, 10, QStringLiteral("2009-03-09"), 20, 100, 2)
            .movement(4, 3, 22, QStringLiteral("2009-03-10"), 4, 100);
        Stock(*db).db_ARTICLES->refresh();
        Stock(*db).db_ARTICLES->first();
        db->startSession(QDate(2009, 3, 10));
    }

    bool runEach(const std::function<bool()> &command, const QList<std::function<void(TFSTOCK3 &)>> &scripts)
    {
        return RunWindowScripts<TFSTOCK3>(command, scripts);
    }
    bool run(const std::function<bool()> &command, const std::function<void(TFSTOCK3 &)> &script)
    {
        return runEach(command, {script});
    }

    static void type(TFSTOCK3 &w, const QString &text)
    {
        QVERIFY(w.focusWidget());
        QTest::keyClicks(w.focusWidget(), text);
    }
    static void enter(TFSTOCK3 &w) { QTest::keyClick(w.focusWidget(), Qt::Key_Return); }
    static void retype(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    static QStringList row(QTableWidget *grid, int r)
    {
        QStringList texts;
        for (int c = 0; c < grid->columnCount(); ++c)
            texts << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        return texts;
    }

private slots:
    void init() { open(2); }
    void cleanup() { closeFile(); }

    // Ins in the main window, then the whole entry from the keyboard.
    void entryTypedFromKeyboard()
    {
        selectArticle(1);
        const bool saved = run([&] { return EditMouvement(Stock(*db), EntryMode::Add, 10); },
                               [&](TFSTOCK3 &w) {
                                   QCOMPARE(w.windowTitle(), QStringLiteral("Ajouter Mouvement"));
                                   QCOMPARE(w.caption()->text(), QStringLiteral("Ajouter le Mouvement"));
                                   QCOMPARE(w.heading()->text(), QStringLiteral("ENTREE EN STOCK"));
                                   QCOMPARE(w.dayLabel()->text(), QStringLiteral("Journée du 10/03/2009"));
                                   QCOMPARE(w.numberLabel()->text(), QStringLiteral("n°~5"));
                                   QCOMPARE(w.articleLabel()->text(), QStringLiteral("Référence Article  :1 - FARINE"));
                                   QVERIFY(w.natureButton(10)->isChecked());
                                   QCOMPARE(w.supplierList()->currentText(), QStringLiteral("SARL EL BARAKA"));
                                   QCOMPARE(w.focusWidget(), w.quantityBox());

                                   type(w, QStringLiteral("12"));
                                   enter(w);
                                   QCOMPARE(w.focusWidget(), w.priceBox());
                                   QTest::keyClick(w.priceBox(), Qt::Key_Up);
                                   QCOMPARE(w.focusWidget(), w.quantityBox());
                                   QTest::keyClick(w.quantityBox(), Qt::Key_Down);
                                   type(w, QStringLiteral("90"));
                                   enter(w);
                                   QCOMPARE(w.focusWidget(), w.supplierBox());
                                   type(w, QStringLiteral("2"));
                                   QCOMPARE(w.supplierList()->currentText(), QStringLiteral("ETS BENALI"));
                                   enter(w);
                                   type(w, QStringLiteral("77")); // order number
                                   enter(w);
                                   enter(w);                      // order date: the day, as proposed
                                   type(w, QStringLiteral("88")); // delivery note number
                                   enter(w);
                                   type(w, QStringLiteral("11/03/2009"));
                                   enter(w);
                                   QCOMPARE(w.focusWidget(), w.observationBox());
                                   type(w, QStringLiteral("Livraison matin"));
                                   QCOMPARE(row(w.controlGrid(), 1),
                                            (QStringList{QStringLiteral("Entrée en stock"), FormatMontant(12),
                                                         FormatMontant(90), FormatMontant(1080)}));
                                   QCOMPARE(row(w.controlGrid(), 2).at(1), FormatMontant(27));
                                   QVERIFY(w.errorPanel()->isHidden());
                                   enter(w);
                                   QCOMPARE(w.focusWidget(), w.accepterButton());
                                   enter(w);
                               });
        QVERIFY(saved);
        QCOMPARE(movementCount(), 5);
        QSqlQuery q(db->database());
        QVERIFY(q.exec(QStringLiteral("select code_art,nat_op,date_op,quantite,pu,code_four,num_bc,date_bc,num_bl,"
                                      "date_bl,obs from stock where num_mvt=5")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 1);
        QCOMPARE(q.value(1).toInt(), 10);
        QCOMPARE(q.value(2).toString(), QStringLiteral("2009-03-10"));
        QCOMPARE(q.value(3).toDouble(), 12.0);
        QCOMPARE(q.value(4).toDouble(), 90.0);
        QCOMPARE(q.value(5).toInt(), 2);
        QCOMPARE(q.value(6).toInt(), 77);
        QCOMPARE(q.value(7).toString(), QStringLiteral("2009-03-10"));
        QCOMPARE(q.value(8).toInt(), 88);
        QCOMPARE(q.value(9).toString(), QStringLiteral("2009-03-11"));
        QCOMPARE(q.value(10).toString(), QStringLiteral("Livraison matin"));
        QCOMPARE(Stock(*db).ListeDenrees()->FindDenree(1)->entree_jour_quantite, 12.0);
        QCOMPARE(restes(1), 27.0);
        QCOMPARE(scalar(QStringLiteral("select pu from articles where code_art=1")).toDouble(), 90.0);
        QCOMPARE(Stock(*db).db_STOCK->state(), Dataset::State::Browse);
    }

    // Accepter follows the core check; cancelling writes nothing.
    void acceptance_data()
    {
        QTest::addColumn<int>("nature");
        QTest::addColumn<QString>("quantite");
        QTest::addColumn<QString>("pu");
        QTest::addColumn<QString>("codeFour");
        QTest::addColumn<bool>("accepter");
        QTest::addColumn<QStringList>("erreurs");
        const QString missing = QStringLiteral(" est un champ obligatoire non renseigné .");
        QTest::newRow("exit beyond the stock") << 22 << "16"
                                               << "50"
                                               << "" << false << QStringList();
        QTest::newRow("exit of the whole stock") << 22 << "15"
                                                 << "50"
                                                 << "" << true << QStringList();
        QTest::newRow("exit without quantity")
            << 22 << "0"
            << "50"
            << "" << false << QStringList{QStringLiteral(" - La quantité sortie") + missing};
        QTest::newRow("entry from an unknown supplier") << 10 << "5"
                                                        << "50"
                                                        << "9" << false << QStringList();
        QTest::newRow("entry with nothing filled in")
            << 10 << "0"
            << "0"
            << "" << false
            << QStringList{QStringLiteral(" - Prix unitaire") + missing,
                           QStringLiteral(" - La quantité entrée") + missing,
                           QStringLiteral(" - Le code fournisseur") + missing};
        QTest::newRow("complete entry") << 10 << "5"
                                        << "50"
                                        << "2" << true << QStringList();
    }
    void acceptance()
    {
        QFETCH(int, nature);
        QFETCH(QString, quantite);
        QFETCH(QString, pu);
        QFETCH(QString, codeFour);
        QFETCH(bool, accepter);
        QFETCH(QStringList, erreurs);
        selectArticle(1);
        const bool saved = run([&] { return EditMouvement(Stock(*db), EntryMode::Add, nature); },
                               [&](TFSTOCK3 &w) {
                                   retype(w.quantityBox(), quantite);
                                   retype(w.priceBox(), pu);
                                   if (nature == 10)
                                       retype(w.supplierBox(), codeFour);
                                   QCOMPARE(w.accepterButton()->isEnabled(), accepter);
                                   QCOMPARE(w.errorLines(), erreurs);
                                   QCOMPARE(w.errorPanel()->isHidden(), erreurs.isEmpty());
                                   if (!erreurs.isEmpty())
                                       QCOMPARE(w.errorPanel()->title(), QStringLiteral(" Erreurs de saisi"));
                                   QTest::keyClick(w.focusWidget(), Qt::Key_Escape);
                               });
        QVERIFY(!saved);
        QCOMPARE(movementCount(), 4);
        QCOMPARE(Stock(*db).db_STOCK->state(), Dataset::State::Browse);
        QCOMPARE(restes(1), 15.0);
    }

    // A voucher's day that is not a day says why and keeps "Accepter" disabled: it is never stored as nothing.
    void voucherDaysSayWhy_data()
    {
        QTest::addColumn<bool>("order");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("stored");
        QTest::newRow("order day cut short") << true << "7"
                                             << " - Bon de commande du : « 7 » n'est pas une date (jj/mm/aaaa)."
                                             << "";
        QTest::newRow("no such delivery day") << false << "31/02/2009"
                                              << " - Bon de livraison du : le 31/02/2009 n'existe pas."
                                              << "";
        QTest::newRow("order day") << true << "7/3/2009"
                                   << ""
                                   << "2009-03-07";
        QTest::newRow("no day") << false << ""
                                << ""
                                << "";
    }
    void voucherDaysSayWhy()
    {
        QFETCH(bool, order);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(QString, stored);
        selectArticle(1);
        const bool saved = run([&] { return EditMouvement(Stock(*db), EntryMode::Add, 10); },
                               [&](TFSTOCK3 &w) {
                                   retype(w.quantityBox(), QStringLiteral("5"));
                                   retype(w.priceBox(), QStringLiteral("50"));
                                   retype(order ? w.orderDateBox() : w.deliveryNoteDateBox(), typed);
                                   QCOMPARE(w.errorLines(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
                                   QCOMPARE(w.accepterButton()->isEnabled(), refusal.isEmpty());
                                   if (refusal.isEmpty())
                                       w.accepterButton()->click();
                               });
        QCOMPARE(saved, refusal.isEmpty());
        if (saved)
            QCOMPARE(scalar(QStringLiteral("select ifnull(%1, '') from stock where num_mvt=5")
                                .arg(order ? "date_bc" : "date_bl"))
                         .toString(),
                     stored);
    }

    // The number boxes take only what can be a number of their column, and the row takes what they show.
    void typingKeepsNumbers_data()
    {
        QTest::addColumn<int>("box"); // 0 quantity, 1 price, 2 supplier, 3 order number, 4 delivery note number
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter in the quantity") << 0 << "12a"
                                                << "12";
        QTest::newRow("minus sign in the quantity") << 0 << "-3"
                                                    << "3";
        QTest::newRow("second point in the quantity") << 0 << "1.2.5"
                                                      << "1.25";
        QTest::newRow("comma in the quantity") << 0 << "2,5"
                                               << "2.5";
        QTest::newRow("third decimal of the quantity") << 0 << "1.234"
                                                       << "1.23";
        QTest::newRow("letter and space in the price") << 1 << "5x0 5"
                                                       << "505";
        QTest::newRow("minus sign in the price") << 1 << "-90.5"
                                                 << "90.5";
        QTest::newRow("letter in the supplier code") << 2 << "2b"
                                                     << "2";
        QTest::newRow("point in the supplier code") << 2 << "1.5"
                                                    << "15";
        QTest::newRow("letters in the order number") << 3 << "BC12"
                                                     << "12";
        QTest::newRow("dash in the delivery note number") << 4 << "7-8"
                                                          << "78";
    }
    void typingKeepsNumbers()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        selectArticle(1);
        run([&] { return EditMouvement(Stock(*db), EntryMode::Add, 10); },
            [&](TFSTOCK3 &w) {
                const QList<QLineEdit *> boxes = {w.quantityBox(), w.priceBox(), w.supplierBox(), w.orderNumberBox(),
                                                  w.deliveryNoteNumberBox()};
                const QStringList fields = {"QUANTITE", "PU", "CODE_FOUR", "NUM_BC", "NUM_BL"};
                retype(boxes.at(box), typed);
                QCOMPARE(boxes.at(box)->text(), shown);
                QCOMPARE(Stock(*db).db_STOCK->value(fields.at(box)).toDouble(), shown.toDouble());
            });
    }

    // A movement worth more than ten times the year's largest one is confirmed first (the largest here is
    // 20 x 100 = 2 000.00); a declined question leaves the window open on what was typed.
    void unusualValueConfirmed_data()
    {
        QTest::addColumn<QString>("quantite");
        QTest::addColumn<QString>("pu");
        QTest::addColumn<bool>("asked");
        QTest::newRow("usual") << "5"
                               << "50" << false;
        QTest::newRow("ten times, not more") << "200"
                                             << "100" << false;
        QTest::newRow("a few zeros too many") << "401100"
                                              << "98" << true;
    }
    void unusualValueConfirmed()
    {
        QFETCH(QString, quantite);
        QFETCH(QString, pu);
        QFETCH(bool, asked);
        selectArticle(1);
        const bool saved = run(
            [&] { return EditMouvement(Stock(*db), EntryMode::Add, 10); },
            [&](TFSTOCK3 &w) {
                retype(w.quantityBox(), quantite);
                retype(w.priceBox(), pu);
                // Every figure of the control grid shown whole, however long.
                QTableWidget *control = w.controlGrid();
                for (int r = 0; r < control->rowCount(); ++r) {
                    for (int c = 1; c < control->columnCount(); ++c) {
                        const QString text = control->item(r, c)->text();
                        QVERIFY2(control->columnWidth(c) >= control->fontMetrics().horizontalAdvance(text),
                                 qPrintable(text));
                    }
                }
                w.accepterButton()->click();
                QCOMPARE(w.isVisible(), asked);
                if (!asked)
                    return;
                QCOMPARE(prompts.questions.last(),
                         QStringLiteral("La valeur de ce mouvement (39 307 800.00 DA) dépasse 10 fois "
                                        "la plus grande valeur d'un mouvement de l'année (2 000.00 DA)."
                                        "\nVérifiez la quantité et le prix unitaire. Enregistrer ce "
                                        "mouvement ?"));
                prompts.confirmations.push_back(true);
                w.accepterButton()->click();
            });
        QVERIFY(saved);
        QCOMPARE(movementCount(), 5);
    }

    // A key a number box refuses says in the error lines which characters the box takes.
    void refusedKeySaysWhatTheBoxTakes_data()
    {
        QTest::addColumn<int>("box"); // 0 quantity, 2 supplier
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::newRow("letter in the quantity")
            << 0 << "12a"
            << " - Ce champ ne prend que des chiffres et une virgule suivie de 2 chiffres au plus.";
        QTest::newRow("comma in the supplier code") << 2 << "60,"
                                                    << " - Ce champ ne prend que des chiffres (9 au plus).";
    }
    void refusedKeySaysWhatTheBoxTakes()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, line);
        selectArticle(1);
        run([&] { return EditMouvement(Stock(*db), EntryMode::Add, 10); },
            [&](TFSTOCK3 &w) {
                QLineEdit *target = box == 0 ? w.quantityBox() : w.supplierBox();
                retype(target, typed);
                QCOMPARE(target->text(), typed.chopped(1));
                QVERIFY(w.errorText().endsWith(line));
                QVERIFY(!w.errorPanel()->isHidden());
                QTest::keyClicks(target, QStringLiteral("5")); // the next key clears it
                QVERIFY(!w.errorText().contains(line));
            });
    }

    // A movement stored with a negative quantity, as an exit of -3 once raised the stock: modifying it
    // lists the quantity among the errors until it is typed again.
    void storedNegativeQuantityListed()
    {
        exec(QStringLiteral(
            "insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values (5,1,22,'2009-03-10',-3,50)"));
        selectArticle(1);
        Stock(*db).ArticleChanged(1);
        QCOMPARE(restes(1), 18.0);
        Stock(*db).db_STOCK->refresh();
        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 5));
        const bool saved = run(
            [&] { return EditMouvement(Stock(*db), EntryMode::Modify); },
            [&](TFSTOCK3 &w) {
                QCOMPARE(w.quantityBox()->text(), QStringLiteral("-3.00"));
                QCOMPARE(w.errorLines(),
                         QStringList{QStringLiteral(" - La quantité sortie doit être supérieure à zéro .")});
                QVERIFY(!w.errorPanel()->isHidden());
                QVERIFY(!w.accepterButton()->isEnabled());
                retype(w.quantityBox(), QStringLiteral("3"));
                QVERIFY(w.errorPanel()->isHidden());
                QCOMPARE(row(w.controlGrid(), 2).at(1), FormatMontant(12));
                QTest::mouseClick(w.accepterButton(), Qt::LeftButton);
            });
        QVERIFY(saved);
        QCOMPARE(scalar(QStringLiteral("select quantite from stock where num_mvt=5")).toDouble(), 3.0);
        QCOMPARE(restes(1), 12.0);
    }

    // Another workstation takes 5 out while the whole stock of 15 is being taken: the refused post says
    // why, and the window opens again on what was typed, so that only the quantity is typed again.
    void refusedPostOpensAgainOnTypedValues()
    {
        selectArticle(1);
        const bool saved = runEach(
            [&] { return EditMouvement(Stock(*db), EntryMode::Add, 22); },
            {[&](TFSTOCK3 &w) {
                 type(w, QStringLiteral("15"));
                 retype(w.priceBox(), QStringLiteral("60"));
                 retype(w.observationBox(), QStringLiteral("Cantine"));
                 exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu)"
                                     " values (9,1,22,'2009-03-10',5,50)"));
                 QVERIFY(w.accepterButton()->isEnabled());
                 QTest::mouseClick(w.accepterButton(), Qt::LeftButton);
                 QVERIFY(!w.isVisible());
             },
             [&](TFSTOCK3 &w) {
                 QCOMPARE(prompts.messages,
                          QStringList{QStringLiteral(" --- :") + QString::fromUtf8(kStockNegatifRefuse)});
                 QVERIFY(w.natureButton(22)->isChecked());
                 QCOMPARE(w.heading()->text(), QStringLiteral("SORTIE DU STOCK"));
                 QCOMPARE(w.quantityBox()->text(), QStringLiteral("15.00"));
                 QCOMPARE(w.priceBox()->text(), QStringLiteral("60.00"));
                 QCOMPARE(w.observationBox()->text(), QStringLiteral("Cantine"));
                 QCOMPARE(w.focusWidget(), w.quantityBox());
                 // The lots count the exit being typed once, not once per opening.
                 QCOMPARE(row(w.lotGrid(), 1), (QStringList{"60.00", "5.00", "0.00", "15.00", "-10.00"}));
                 type(w, QStringLiteral("10"));
                 QTest::mouseClick(w.accepterButton(), Qt::LeftButton);
             }});
        QVERIFY(saved);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(scalar(QStringLiteral("select count(*) from stock where code_art=1 and nat_op=22")).toInt(), 2);
        QCOMPARE(scalar(QStringLiteral("select quantite||'|'||pu from stock where obs='Cantine'")).toString(),
                 QStringLiteral("10.0|60.0"));
        QCOMPARE(restes(1), 0.0);
    }

    // With its tallest contents (three errors, then the exhausted-stock banner) the window fits a 1366×768
    // screen less a panel and its title bar.
    void fitsSmallScreen()
    {
        const QSize available(1366, 728 - 40);
        selectArticle(1);
        run([&] { return EditMouvement(Stock(*db), EntryMode::Add, 10); },
            [&](TFSTOCK3 &w) {
                retype(w.quantityBox(), QString());
                retype(w.priceBox(), QString());
                retype(w.supplierBox(), QString());
                QCOMPARE(w.errorLines().size(), 3);
                QVERIFY2(available.expandedTo(w.sizeHint()) == available, qPrintable(QDebug::toString(w.sizeHint())));
                QVERIFY(available.expandedTo(w.minimumSizeHint()) == available);
                QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_S));
                type(w, QStringLiteral("30"));
                QVERIFY(w.stockEpuiseShown());
                QVERIFY(!w.errorPanel()->isHidden());
                QVERIFY2(available.expandedTo(w.sizeHint()) == available, qPrintable(QDebug::toString(w.sizeHint())));
                QVERIFY(available.expandedTo(w.minimumSizeHint()) == available);
            });
    }

    // Lots 50 (10) and 60 (5): an exit of 12 at 50 empties lot 50 but not the article.
    void exhaustedLotStillAccepted()
    {
        selectArticle(1);
        const bool saved = run(
            [&] { return EditMouvement(Stock(*db), EntryMode::Add, 22); },
            [&](TFSTOCK3 &w) {
                QCOMPARE(w.heading()->text(), QStringLiteral("SORTIE DU STOCK"));
                QVERIFY(!w.supplierBox()->isEnabled());
                QVERIFY(!w.stockEpuiseShown());
                QCOMPARE(row(w.lotGrid(), 0), (QStringList{"50.00", "10.00", "0.00", "0.00", "10.00"}));
                QVERIFY(w.lotGrid()->rowCount() >= 6);
                QCOMPARE(w.lotGrid()->horizontalHeaderItem(0)->text(), QStringLiteral("Prix Unitaire"));

                type(w, QStringLiteral("12"));
                enter(w);
                type(w, QStringLiteral("55")); // no lot at this price
                QCOMPARE(row(w.lotGrid(), 0), (QStringList{"50.00", "10.00", "0.00", "0.00", "10.00"}));
                QCOMPARE(row(w.lotGrid(), 2), (QStringList{"55.00", "0.00", "0.00", "12.00", "-12.00"}));
                QVERIFY(w.stockEpuiseShown());

                QTest::keyClick(w.priceBox(), Qt::Key_Backspace);
                QTest::keyClick(w.priceBox(), Qt::Key_Backspace);
                type(w, QStringLiteral("50"));
                QCOMPARE(row(w.lotGrid(), 0), (QStringList{"50.00", "10.00", "0.00", "12.00", "-2.00"}));
                QCOMPARE(w.lotGrid()->item(0, 4)->foreground().color(), QColor(Qt::red));
                QVERIFY(row(w.lotGrid(), 2).join(QString()).isEmpty()); // the price lot left empty again
                QVERIFY(w.stockEpuiseShown());
                QCOMPARE(row(w.controlGrid(), 2).at(1), FormatMontant(3));
                QVERIFY(w.accepterButton()->isEnabled());
                enter(w); // the six entry boxes are skipped
                QCOMPARE(w.focusWidget(), w.observationBox());
                enter(w);
                QCOMPARE(w.focusWidget(), w.accepterButton());
                enter(w);
            });
        QVERIFY(saved);
        QCOMPARE(scalar(QStringLiteral(
                            "select count(*) from stock where code_art=1 and nat_op=22 and quantite=12 and pu=50"))
                     .toInt(),
                 1);
        QCOMPARE(restes(1), 3.0);
    }

    void doubleClickTakesWhatRemainsOfALot()
    {
        selectArticle(1);
        run([&] { return EditMouvement(Stock(*db), EntryMode::Add, 22); },
            [&](TFSTOCK3 &w) {
                type(w, QStringLiteral("3"));
                QTableWidget *grid = w.lotGrid();
                const QRect cell = grid->visualRect(grid->model()->index(1, 0));
                // As a mouse does: the first click of the pair lands before the double-click.
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
                QCOMPARE(w.priceBox()->text(), QStringLiteral("60.00"));
                QCOMPARE(w.quantityBox()->text(), QStringLiteral("5.00"));
                QCOMPARE(w.focusWidget(), w.quantityBox());
                QCOMPARE(row(grid, 1), (QStringList{"60.00", "5.00", "0.00", "5.00", "0.00"}));
                QCOMPARE(grid->currentRow(), 1);
                QVERIFY(!w.stockEpuiseShown());
                // The lot of the movement being typed still gives what it had.
                QVERIFY(w.SelectLotRow(1));
                QCOMPARE(w.quantityBox()->text(), QStringLiteral("5.00"));
                QVERIFY(!w.SelectLotRow(4)); // an empty row

                // An entry never takes from a lot.
                QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_E));
                QCOMPARE(w.heading()->text(), QStringLiteral("ENTREE EN STOCK"));
                QVERIFY(w.supplierBox()->isEnabled());
                QCOMPARE(w.supplierBox()->text(), QStringLiteral("1"));
                QVERIFY(!w.SelectLotRow(0));
                QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_S));
                QVERIFY(w.natureButton(22)->isChecked());
                QVERIFY(w.natureButton(22)->font().bold());
                QVERIFY(!w.natureButton(10)->font().bold());
                QVERIFY(!w.supplierBox()->isEnabled());
                QVERIFY(w.supplierBox()->text().isEmpty());
                QCOMPARE(Stock(*db).db_STOCK->intValue(QStringLiteral("CODE_FOUR")), 1); // stays in the row
                QCOMPARE(Stock(*db).db_STOCK->intValue(QStringLiteral("NAT_OP")), 22);
            });
        QCOMPARE(movementCount(), 4);
    }

    void natureChoices_data()
    {
        QTest::addColumn<int>("regime");
        QTest::addColumn<int>("article");
        QTest::addColumn<QList<int>>("visible");
        QTest::addColumn<QList<int>>("enabled");
        QTest::addColumn<QString>("lunch");
        QTest::newRow("half-board") << 1 << 1 << QList<int>{10, 22} << QList<int>{10, 22} << "Sortie du Stock";
        QTest::newRow("boarding") << 2 << 1 << QList<int>{10, 21, 22, 23, 24} << QList<int>{10, 21, 22, 23, 24}
                                  << "Sortie du Stock - Déjeuner :";
        QTest::newRow("boarding, no stock")
            << 2 << 2 << QList<int>{10, 21, 22, 23, 24} << QList<int>{10} << "Sortie du Stock - Déjeuner :";
    }
    void natureChoices()
    {
        QFETCH(int, regime);
        QFETCH(int, article);
        QFETCH(QList<int>, visible);
        QFETCH(QList<int>, enabled);
        QFETCH(QString, lunch);
        cleanup();
        open(regime);
        selectArticle(article);
        run([&] { return EditMouvement(Stock(*db), EntryMode::Add, 10); },
            [&](TFSTOCK3 &w) {
                for (int nature : {10, 21, 22, 23, 24}) {
                    QRadioButton *b = w.natureButton(nature);
                    QCOMPARE(!b->isHidden(), visible.contains(nature));
                    QCOMPARE(b->isEnabled(), enabled.contains(nature));
                }
                QCOMPARE(w.natureButton(10)->text(), QStringLiteral("Entrée en Stock :"));
                QCOMPARE(w.natureButton(22)->text(), lunch);
                if (regime == 2)
                    QCOMPARE(w.natureButton(21)->text(), QStringLiteral("Sortie du Stock - Petit Déjeuner :"));
                // Each nature's key, shown in its button's tooltip, chooses it only when it is offered.
                const QList<std::pair<int, QString>> keys = {
                    {21, "Ctrl+P"}, {22, "Ctrl+S"}, {23, "Ctrl+G"}, {24, "Ctrl+D"}, {10, "Ctrl+E"}};
                for (const auto &[nature, key] : keys) {
                    QCOMPARE(w.natureButton(nature)->toolTip(), key);
                    QTest::keySequence(w.focusWidget(), QKeySequence(key));
                    QCOMPARE(w.natureButton(nature)->isChecked(), enabled.contains(nature));
                    if (enabled.contains(nature))
                        QCOMPARE(Stock(*db).db_STOCK->intValue(QStringLiteral("NAT_OP")), nature);
                }
            });
    }

    void exitOnArticleWithoutStockSaysWhy()
    {
        selectArticle(2);
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                opened = true;
                w->close();
            }
        });
        QVERIFY(!EditMouvement(Stock(*db), EntryMode::Add, 22));
        QCoreApplication::processEvents();
        QVERIFY(!opened);
        QCOMPARE(Stock(*db).db_STOCK->state(), Dataset::State::Browse);
        QCOMPARE(movementCount(), 4);
        QCOMPARE(prompts.messages, QStringList{QString::fromUtf8(kSortieSansStock)});
    }

    // The exit of 4 being modified counts neither in the stock before it nor in its lot.
    void modifyExistingMovement()
    {
        selectArticle(3);
        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 4));
        const bool saved = run(
            [&] { return EditMouvement(Stock(*db), EntryMode::Modify); },
            [&](TFSTOCK3 &w) {
                QCOMPARE(w.windowTitle(), QStringLiteral("Modifier Mouvement"));
                QCOMPARE(w.caption()->text(), QStringLiteral("Modifier le Mouvement"));
                QCOMPARE(w.numberLabel()->text(), QStringLiteral("n°~4"));
                QVERIFY(w.natureButton(22)->isChecked());
                QCOMPARE(w.quantityBox()->text(), QStringLiteral("4.00"));
                QCOMPARE(row(w.controlGrid(), 0).at(1), FormatMontant(20));
                QCOMPARE(row(w.lotGrid(), 0), (QStringList{"100.00", "20.00", "0.00", "4.00", "16.00"}));
                type(w, QStringLiteral("6"));
                QCOMPARE(row(w.controlGrid(), 2).at(1), FormatMontant(14));
                QTest::mouseClick(w.accepterButton(), Qt::LeftButton);
            });
        QVERIFY(saved);
        QCOMPARE(movementCount(), 4);
        QCOMPARE(scalar(QStringLiteral("select quantite from stock where num_mvt=4")).toDouble(), 6.0);
        QCOMPARE(restes(3), 14.0);
    }

    void modifyWithoutMovementOpensNothing()
    {
        selectArticle(2);
        QVERIFY(Stock(*db).db_STOCK->isEmpty());
        QVERIFY(!EditMouvement(Stock(*db), EntryMode::Modify));
    }
};

QTEST_MAIN(TestMovementWindow)
#include "test_movement_window.moc"
