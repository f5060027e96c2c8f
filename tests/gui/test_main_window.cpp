#include "DesktopTest.h"
#include "FindWidget.h"
#include "StoreFixture.h"
#include "app/ConnectionSequence.h"
#include "app/MainWindow.h"
#include "common/Format.h"
#include "common/Paths.h"
#include "common/Profile.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "office/CellReference.h"
#include "office/TMSExcel.h"
#include "stock/StockPage.h"
#include "users/UserForms.h"
#include "users/UsersPage.h"
#include "years/DbPage.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace zelvane;

// The main window on a real file, every question answered in advance.
class TestMainWindow : public DesktopTest
{
    Q_OBJECT

    void exec(const QString &sql) { ExecSql(db->database(), sql); }
    bool enabled(CommandId id) const { return window->action(id)->isEnabled(); }
    void typeDay(const QString &text)
    {
        window->SBDate_du_jourClick();
        window->EDate_du_jour->setText(text);
        window->EDate_du_jourExit();
    }
    QDate day() const { return Stock(*db).ListeDenrees()->DateJour(); }
    // Every column of the grid whole within its width: nothing to scroll sideways, no column narrower
    // than its title.
    static void verifyColumnsFit(const DatasetGrid *grid)
    {
        const QHeaderView *header = grid->horizontalHeader();
        QVERIFY2(header->length() <= grid->viewport()->width(), qPrintable(grid->objectName()));
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        for (int c = 0; c < header->count(); ++c) {
            const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
            QVERIFY2(header->sectionSize(c) >= header->fontMetrics().horizontalAdvance(title), qPrintable(title));
        }
    }
    // The window as a maximised window gets it on a screen of that size (less a panel and the title).
    void showOnScreen(const QSize &screen)
    {
        window->resize(screen - QSize(0, 70));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void connectFile()
    {
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), file);
        window->Action_connectExecute();
        QVERIFY(db->isConnected());
    }
    // Movements of article 101 on 3, 10 and 17 March 2009 and of article 401 on 10 March.
    void addMarchMovements()
    {
        StoreFixture(db->database())
            .supplier(1, QStringLiteral("SARL EL AMEL"))
            .movement(55, 101, 10, QStringLiteral("2009-03-03"), 100, 40, 1)
            .movement(56, 101, 22, QStringLiteral("2009-03-10"), 10, 40)
            .movement(57, 101, 22, QStringLiteral("2009-03-10"), 5, 40)
            .movement(58, 101, 10, QStringLiteral("2009-03-10"), 20, 42, 1)
            .movement(59, 101, 22, QStringLiteral("2009-03-17"), 8, 40)
            .movement(60, 401, 10, QStringLiteral("2009-03-10"), 50, 90, 1);
        db->selectDay(QDate(2009, 3, 10));
        Stock(*db).db_ARTICLES->refresh();
    }

public slots:
    void ignoreUrl(const QUrl &) {} // an exported file is not opened in the desktop's programs here

private slots:
    void init() { buildWindow(); }
    void cleanup() { closeWindow(); }

    void disconnectedThenConnected()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("FEUILLE DE CONSOMMATION JOURNALIERE VERSION 1.00"));
        QVERIFY(window->PC0->isHidden());
        QVERIFY(enabled(cmd::Connecter) && enabled(cmd::Quitter) && enabled(cmd::Calculatrice) && enabled(cmd::Aide));
        QVERIFY(!enabled(cmd::Deconnecter) && !enabled(cmd::Options) && !enabled(cmd::AjouterEntree));
        QCOMPARE(window->SBDate_du_jour->text(), QStringLiteral("Journée du "));

        connectFile();
        QCOMPARE(window->windowTitle(), QStringLiteral("FEUILLE DE CONSOMMATION JOURNALIERE - VERSION 2.00 - ") + file);
        QVERIFY(!window->PC0->isHidden());
        QCOMPARE(window->PC0->count(), 5);
        QCOMPARE(window->tabCaption(3), QStringLiteral("Fournisseurs && Factures"));
        QCOMPARE(window->PC0->tabText(3), QStringLiteral("&Fournisseurs && Factures"));
        QCOMPARE(day(), QDate(2009, 12, 31)); // today clamped into the year of the file
        QCOMPARE(window->SBDate_du_jour->text(), QStringLiteral("Journée du 31/12/2009"));
        QCOMPARE(window->page<StockPage>()->summaryFigure(5), QStringLiteral("Magasin au 31/12/2009"));
        QVERIFY(window->page<StockPage>()->summaryFigure(1).startsWith(QStringLiteral("Quantité en Stock (")));
        QVERIFY(!enabled(cmd::Connecter));
        QVERIFY(enabled(cmd::Deconnecter) && enabled(cmd::Options) && enabled(cmd::Utilisateurs)
                && enabled(cmd::MotDePasse));
        QVERIFY(enabled(cmd::FeuillePrecedente) && enabled(cmd::JourSuivant) && enabled(cmd::SupprimerArticle));
        QVERIFY(!enabled(cmd::SupprimerMouvement)); // no movement that day

        // The supplier tab takes the article and movement commands away.
        window->PC0->setCurrentIndex(3);
        QVERIFY(!enabled(cmd::SupprimerArticle));

        window->Action_disconnectExecute();
        QCOMPARE(window->windowTitle(), QStringLiteral("FEUILLE DE CONSOMMATION JOURNALIERE - VERSION 2.00"));
        QVERIFY(window->PC0->isHidden());
        QVERIFY(enabled(cmd::Connecter) && !enabled(cmd::Deconnecter));
        window->Action_disconnectExecute(); // nothing connected: nothing happens
    }

    void failedOpeningTellsWhy()
    {
        QFile::remove(file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database");
        f.close();
        window->connection().connectTag = 1; // a later attempt: the open dialog offers the file
        answers.files.push_back(file);
        window->Action_connectExecute();
        QVERIFY(!db->isConnected());
        QVERIFY(window->statusText().contains(file));
        QCOMPARE(window->openFileText(), QString());
    }

    void sheetNavigation_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("previous");
        QTest::addColumn<QDate>("next");
        QTest::newRow("on a sheet") << QDate(2009, 3, 10) << QDate(2009, 3, 3) << QDate(2009, 3, 17);
        QTest::newRow("between sheets") << QDate(2009, 3, 12) << QDate(2009, 3, 10) << QDate(2009, 3, 17);
    }
    void sheetNavigation()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, previous);
        QFETCH(QDate, next);
        connectFile();
        addMarchMovements();
        typeDay(from.toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(day(), from);
        window->action(cmd::FeuilleSuivante)->trigger();
        QCOMPARE(day(), next);
        typeDay(from.toString(QStringLiteral("dd/MM/yyyy")));
        window->action(cmd::FeuillePrecedente)->trigger();
        QCOMPARE(day(), previous);
    }

    // The store figures of the summary follow the article chosen in the grid, also after a reconnection.
    void summaryFollowsTheArticle()
    {
        connectFile();
        window->Action_disconnectExecute();
        answers.files.push_back(file); // a later connection asks for the file
        window->Action_connectExecute();
        QVERIFY(db->isConnected());
        addMarchMovements();
        StockPage *sheet = window->page<StockPage>();
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 101));
        QCOMPARE(sheet->summaryFigure(2).trimmed(), QStringLiteral("100.00")); // the evening before 10 March
        QCOMPARE(sheet->summaryFigure(4).trimmed(), QStringLiteral("105.00"));
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 401));
        QCOMPARE(sheet->summaryFigure(2).trimmed(), QStringLiteral("0.00"));
        QCOMPARE(sheet->summaryFigure(3).trimmed(), QStringLiteral("50.00"));
        QCOMPARE(sheet->summaryFigure(4).trimmed(), QStringLiteral("50.00"));
        QVERIFY(sheet->summaryFigure(1).contains(Stock(*db).db_ARTICLES->textValue(QStringLiteral("DESIGNATION"))));
    }

    void typedDatesAndDays()
    {
        connectFile();
        typeDay(QStringLiteral("10/03/2009"));
        QCOMPARE(day(), QDate(2009, 3, 10));
        typeDay(QStringLiteral("31/02/2009")); // not a day: kept, and the status bar says why
        QCOMPARE(day(), QDate(2009, 3, 10));
        QCOMPARE(window->statusText(), QStringLiteral("Journée : le 31/02/2009 n'existe pas."));
        typeDay(QStringLiteral("15/06/2011")); // another year: clamped
        QCOMPARE(day(), QDate(2009, 12, 31));
        window->action(cmd::JourSuivant)->trigger();
        QCOMPARE(day(), QDate(2009, 12, 31));
        typeDay(QStringLiteral("01/01/2009"));
        window->action(cmd::JourPrecedent)->trigger();
        QCOMPARE(day(), QDate(2009, 1, 1));
        window->action(cmd::JourSuivant)->trigger();
        QCOMPARE(day(), QDate(2009, 1, 2));
        QCoreApplication::processEvents(); // the day texts are written by the window's queued pass
        QCOMPARE(window->SBDate_du_jour->text(), QStringLiteral("Journée du 02/01/2009"));
    }

    void previousYearFile()
    {
        connectFile();
        addMarchMovements();
        typeDay(QStringLiteral("03/03/2009"));
        window->action(cmd::FeuillePrecedente)->trigger(); // no earlier sheet, no 2008 file
        QVERIFY(answers.questions.isEmpty());
        QCOMPARE(day(), QDate(2009, 3, 3));

        const QString previous = home->preparedFile(2, 2008, QStringLiteral("DOS1_2008.MDB"));
        window->action(cmd::FeuillePrecedente)->trigger(); // declined
        QCOMPARE(answers.questions, QStringList{QStringLiteral(" Voulez vous charger la gestion 2008 ? ")});
        QCOMPARE(db->CurrentFile, file);
        answers.confirmations.push_back(true);
        window->action(cmd::FeuillePrecedente)->trigger();
        QCOMPARE(db->CurrentFile, previous);
        QCOMPARE(db->gestion, 2008);
        QCOMPARE(day(), QDate(2008, 12, 31));
    }

    void deletions()
    {
        connectFile();
        addMarchMovements();
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 101));
        QCOMPARE(Stock(*db).db_STOCK->recordCount(), 3);
        QVERIFY(Stock(*db).db_STOCK->locate(QStringLiteral("NUM_MVT"), 57));
        QCoreApplication::processEvents(); // the window's enabling pass, queued by the day and the article
        QVERIFY(enabled(cmd::SupprimerMouvement));
        window->action(cmd::SupprimerMouvement)->trigger(); // Cancel is the default
        QCOMPARE(answers.questions.last(),
                 QStringLiteral(" Voulez-vous  Confirmer la Suppression du Mouvement Numéro ~ 57    ? "));
        QCOMPARE(Stock(*db).db_STOCK->recordCount(), 3);

        window->action(cmd::SupprimerTousMouvements)->trigger();
        QCOMPARE(answers.questions.last(),
                 QStringLiteral(" Voulez-vous  Confirmer la Suppression de tous les Mouvements    ? "));
        answers.confirmations.push_back(true);
        window->action(cmd::SupprimerTousMouvements)->trigger();
        QCOMPARE(Stock(*db).db_STOCK->recordCount(), 0);
        QCOMPARE(Stock(*db).db_ARTICLES->displayText(QStringLiteral("ENTREE")).trimmed(), QStringLiteral("0.00"));
        QCOMPARE(Stock(*db).db_ARTICLES->displayText(QStringLiteral("SORTIE")).trimmed(), QStringLiteral("0.00"));
        QSqlQuery left(db->database());
        QVERIFY(left.exec(QStringLiteral("select count(*) from stock where code_art=101")) && left.next());
        QCOMPARE(left.value(0).toInt(), 2); // the other days stay
        QCoreApplication::processEvents();  // the enabling pass the deletion queued
        QVERIFY(!enabled(cmd::SupprimerMouvement));

        const QString designation = Stock(*db).db_ARTICLES->textValue(QStringLiteral("DESIGNATION"));
        window->action(cmd::SupprimerArticle)->trigger();
        QCOMPARE(answers.questions.last(),
                 QStringLiteral(" Voulez-vous  Confirmer la Suppression de l'Article 101-%1    ? ").arg(designation));
    }

    void articleFilter()
    {
        connectFile();
        addMarchMovements();
        exec(QStringLiteral("insert into articles (code_art, designation) values (0, 'SANS CODE')"));
        Stock(*db).db_ARTICLES->refresh();
        const int all = Stock(*db).db_ARTICLES->recordCount();
        auto *filter = window->findChild<QLineEdit *>(QStringLiteral("EFilterArticle"));
        filter->setText(QStringLiteral("SU"));
        QVERIFY(Stock(*db).db_ARTICLES->recordCount() >= 1);
        for (int row = 0; row < Stock(*db).db_ARTICLES->recordCount(); ++row) {
            Stock(*db).db_ARTICLES->moveTo(row);
            QVERIFY(Stock(*db).db_ARTICLES->textValue(QStringLiteral("DESIGNATION")).startsWith(QStringLiteral("SU")));
        }
        filter->clear();
        auto *check = window->findChild<QCheckBox *>();
        check->setChecked(true);
        QCOMPARE(Stock(*db).db_ARTICLES->recordCount(), 2); // the articles moved on 10 March
        check->setChecked(false);
        QCOMPARE(Stock(*db).db_ARTICLES->recordCount(), all); // code 0 included
    }

    void windowFitsTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1366x768") << QSize(1366, 768);
        QTest::newRow("1600x1000") << QSize(1600, 1000);
    }
    void windowFitsTheScreen()
    {
        QFETCH(QSize, screen);
        showOnScreen(screen);
        connectFile();
        addMarchMovements();
        QCoreApplication::processEvents();
        const QSize available = screen - QSize(0, 70);
        QVERIFY(window->minimumSizeHint().width() <= available.width());
        QVERIFY(window->minimumSizeHint().height() <= available.height());
        QCOMPARE(window->size(), available);
        const StockPage *stock = window->page<StockPage>();
        verifyColumnsFit(stock->DBGrid1);
        verifyColumnsFit(stock->DBGrid2);

        // A filter leaves a few articles, without the vertical scroll bar; connecting again clears it and
        // the scroll bar comes back, narrowing the grid.
        window->findChild<QLineEdit *>(QStringLiteral("EFilterArticle"))->setText(QStringLiteral("SU"));
        QCoreApplication::processEvents();
        QVERIFY(!stock->DBGrid1->verticalScrollBar()->isVisible());
        verifyColumnsFit(stock->DBGrid1);
        window->Action_disconnectExecute();
        answers.files.push_back(file);
        window->Action_connectExecute();
        QVERIFY(db->isConnected());
        QCoreApplication::processEvents();
        QVERIFY(stock->DBGrid1->verticalScrollBar()->isVisible());
        verifyColumnsFit(stock->DBGrid1);
    }

    // The articles grid's pop-up keeps the window's commands and adds the two exports; the spreadsheet
    // one writes the grid as shown, its figures as numbers.
    void articlesGridExports()
    {
        showOnScreen(QSize(1600, 1000));
        connectFile();
        addMarchMovements();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "ignoreUrl");
        const QString path = home->path() + "/articles.xlsx";
        answers.savedFiles = {path};
        DatasetGrid *grid = window->page<StockPage>()->DBGrid1;
        QStringList shown;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            poll.stop();
            for (QAction *a : menu->actions())
                shown << a->text();
            for (QAction *a : menu->actions()) {
                if (a->text().startsWith(QStringLiteral("Exporter vers un tableur")))
                    menu->setActiveAction(a);
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
        poll.start();
        emit grid->customContextMenuRequested(QPoint(20, 20));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(shown.contains(QStringLiteral("Calculatrice")));
        QCOMPARE(shown.mid(shown.size() - 2), (QStringList{QStringLiteral("Exporter vers un tableur (.xlsx)..."),
                                                           QStringLiteral("Exporter en CSV...")}));

        // Titles and first row in the grid's order: each cell the text shown, or its figure as a number.
        TMSExcel back;
        QVERIFY(back.Open(path) && back.SelectSheet(QStringLiteral("Grille")));
        const QAbstractItemModel *model = grid->model();
        const QHeaderView *header = grid->horizontalHeader();
        int column = 0;
        int numbers = 0;
        for (int visual = 0; visual < header->count(); ++visual) {
            const int logical = header->logicalIndex(visual);
            if (header->isSectionHidden(logical))
                continue;
            ++column;
            QCOMPARE(back.cell(CellName({1, column})), model->headerData(logical, Qt::Horizontal));
            const QString text = model->index(0, logical).data().toString();
            const QVariant cell = back.cell(CellName({2, column}));
            if (cell.typeId() == QMetaType::Double) {
                ++numbers;
                QCOMPARE(cell.toDouble(), ParseNumber(QString(text).remove(QLatin1Char(' '))).value_or(-1));
            } else {
                QCOMPARE(cell.toString(), text);
            }
        }
        QVERIFY(column > 1 && numbers > 0);
        QVERIFY(!back.cell(CellName({1, column + 1})).isValid());
        QVERIFY(back.cell(CellName({model->rowCount() + 1, 1})).isValid());
        QVERIFY(!back.cell(CellName({model->rowCount() + 2, 1})).isValid());
    }

    void dayBoxKeepsItsWidth()
    {
        showOnScreen(QSize(1366, 768));
        connectFile();
        const QWidget *box = window->findChild<QWidget *>(QStringLiteral("dayBox"));
        const QWidget *next = window->findChild<QToolBar *>()->widgetForAction(window->action(cmd::JourSuivant));
        const QRect before = box->geometry();
        const int nextAt = next->x();
        window->SBDate_du_jourClick();
        QCoreApplication::processEvents();
        QVERIFY(window->EDate_du_jour->isVisible());
        QCOMPARE(box->geometry(), before);
        QCOMPARE(next->x(), nextAt);
        QVERIFY(window->EDate_du_jour->width() <= box->width());
    }

    void openFileStaysInTheStatusBar()
    {
        QCOMPARE(window->openFileText(), QString());
        connectFile();
        const QString open = QStringLiteral("Dossier ouvert : ") + file;
        QCOMPARE(window->openFileText(), open);
        // The hints shown while the mouse passes over the menus take the transient part only.
        window->statusBar()->showMessage(QStringLiteral("Quitter l'application"));
        QCOMPARE(window->openFileText(), open);
        QVERIFY(window->findChild<QLabel *>(QStringLiteral("openFile"))->isVisibleTo(window.get()));
        window->Action_disconnectExecute();
        QCOMPARE(window->openFileText(), QString());
    }

    void connectsOnceShown_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::newRow("a prepared file") << true;
        QTest::newRow("not a database") << false;
    }
    void connectsOnceShown()
    {
        QFETCH(bool, readable);
        if (!readable) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("not a database");
        }
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), file);
        QSignalSpy finished(window.get(), &TFZelvane::connectionFinished);
        window->connectWhenShown();
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 0); // not before the window is on the screen
        window->show();
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toBool(), readable);
        QCOMPARE(db->isConnected(), readable);
        QCOMPARE(window->openFileText().isEmpty(), !readable);
    }

    // An enabled command that cannot act says why.
    void endsOfTheYearSaySo_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("message");
        QTest::newRow("previous sheet")
            << QByteArray(cmd::FeuillePrecedente.name) << QStringLiteral("03/03/2009")
            << QStringLiteral("Aucune feuille de consommation avant le 03/03/2009 dans la gestion 2009, "
                              "et aucun dossier de la gestion 2008 n'a été trouvé à côté de celui-ci.");
        QTest::newRow("next sheet") << QByteArray(cmd::FeuilleSuivante.name) << QStringLiteral("17/03/2009")
                                    << QStringLiteral(
                                           "Aucune feuille de consommation après le 17/03/2009 dans la gestion 2009, "
                                           "et aucun dossier de la gestion 2010 n'a été trouvé à côté de celui-ci.");
        QTest::newRow("previous day") << QByteArray(cmd::JourPrecedent.name) << QStringLiteral("01/01/2009")
                                      << QStringLiteral("La journée du 01/01/2009 est la première de la gestion 2009.");
        QTest::newRow("next day") << QByteArray(cmd::JourSuivant.name) << QStringLiteral("31/12/2009")
                                  << QStringLiteral("La journée du 31/12/2009 est la dernière de la gestion 2009.");
    }
    void endsOfTheYearSaySo()
    {
        QFETCH(QByteArray, command);
        QFETCH(QString, from);
        QFETCH(QString, message);
        connectFile();
        addMarchMovements();
        typeDay(from);
        QCOMPARE(day().toString(QStringLiteral("dd/MM/yyyy")), from);
        QVERIFY(window->action(CommandId{command.constData()})->isEnabled());
        window->action(CommandId{command.constData()})->trigger();
        QCOMPARE(day().toString(QStringLiteral("dd/MM/yyyy")), from);
        QCOMPARE(answers.messages, QStringList{message});
    }

    // A desktop without a browser nor a calculator: help opens in the program, the calculator says
    // what it looked for.
    void desktopCommandsAlwaysAnswer()
    {
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir noPrograms;
        qputenv("PATH", noPrograms.path().toUtf8());
        window->action(cmd::Calculatrice)->trigger();
        window->action(cmd::Aide)->trigger();
        qputenv("PATH", path);
        QCOMPARE(answers.messages,
                 QStringList{QStringLiteral("Aucune calculatrice n'a été trouvée. Programmes cherchés : "
                                            "gnome-calculator, kcalc, galculator, mate-calc, qalculate-gtk, xcalc.")});
        auto *help = window->findChild<QDialog *>(QStringLiteral("helpWindow"));
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("Aide"));
        const auto *browser = help->findChild<QTextBrowser *>();
        QCOMPARE(browser->source(), QUrl::fromLocalFile(DeliveredFile(QStringLiteral("GuideutilisationZELVANE1.htm"))));
        QVERIFY(!browser->toPlainText().trimmed().isEmpty());
        help->close();

        FindByText<QAction>(window.get(), QStringLiteral("A propos de ..."))->trigger();
        QCOMPARE(answers.messages.size(), 2);
        QVERIFY(answers.messages.last().startsWith(QStringLiteral("Zelvane ")));
    }

    void usersNeedPriorityA()
    {
        {
            TestData setup;
            QCOMPARE(
                setup.OpenDatabaseFile(QString::fromLatin1(kAlias), file, false, true, QString::fromLatin1(kSchemaTag)),
                int(OpenOk));
            QSqlQuery(setup.database())
                .exec(QStringLiteral("insert into users values ('ADMIN','','A'),('CAISSE','','B')"));
        }
        userForms->logins.push_back(1); // CAISSE
        connectFile();
        QCOMPARE(db->CurrentPriority, QStringLiteral("B"));
        window->action(cmd::Utilisateurs)->trigger();
        QCOMPARE(answers.messages.last(),
                 QStringLiteral("   Priorité insuffisante \n   Accès refusé                      "));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
