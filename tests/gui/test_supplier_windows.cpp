#include "FindWidget.h"
#include "Shot.h"
#include "StoreFixture.h"
#include "TestHome.h"
#include "WindowScripts.h"
#include "common/DialogPrompter.h"
#include "common/Format.h"
#include "common/Prompter.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "db/DatasetGrid.h"
#include "reports/PrintMenu.h"
#include "reports/ReportsPage.h"
#include "stock/DialogStockForms.h"
#include "stock/MovementWindow.h"
#include "suppliers/BankDetailsWindow.h"
#include "suppliers/BankRef.h"
#include "suppliers/BankReferentialEditor.h"
#include "suppliers/DialogSupplierForms.h"
#include "suppliers/InvoiceWindow.h"
#include "suppliers/SupplierWindow.h"
#include "suppliers/SuppliersPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace zelvane;

namespace {

const QByteArray kReferential =
    "[#QV.ATCI.BANK.REF.INFO]\r\nVERSION=20090101\r\nAUTHOR=Test\r\n[#BANQUE]\r\n"
    "001;BNA;BANQUE NATIONALE;ALGER CENTRE;021 01;021 02\r\n002;BEA;EXTERIEURE;ALGER;;\r\n"
    "[#BANQUE.AGENCE]\r\n001;00101;BNA ALGER;RUE A;16000\r\n001;00102;BNA ORAN;RUE B;31000\r\n"
    "001;00103;BNA BLIDA;RUE C;09000\r\n002;00201;BEA ALGER;RUE D;16000\r\n";

// The window below a closed modal window becomes active again, as on a desktop.
void reactivate(QWidget &w)
{
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

void enterUntilClosed(QDialog &w)
{
    for (int n = 0; n < 40 && w.isVisible(); ++n)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// The main window as far as a page sees it.
class TestFrame : public Frame
{
public:
    QWidget owner;
    CommandRegistry registry{&owner};
    int refreshes = 0;
    CommandRegistry &commands() override { return registry; }
    void refresh() override { ++refreshes; }
    void openFile(const QString &) override {}
    QWidget *window() override { return &owner; }
    void popupMenu(const QPoint &, QAbstractItemView *) override {}
    void showFirstTab() override {}
    void showPage(const QString &) override {}
};

} // namespace

// The supplier, invoice and bank details windows on a file of 2009 with the suppliers 1 SARL EL BARAKA
// and 2 ETS BENALI, and a small referential of two banks with four agencies.
class TestSupplierWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    std::unique_ptr<TBankRef> ref;
    ScriptedPrompter prompts;
    QString refPath;

    QVariant scalar(const QString &sql) { return ScalarSql(db->database(), sql); }
    SuppliersModule &suppliers() { return Suppliers(*db); }

private slots:
    void init()
    {
        prompts = ScriptedPrompter();
        setPrompter(&prompts);
        home = std::make_unique<TestHome>();
        db = home->openPrepared(2, 2009);
        QVERIFY(db);
        StoreFixture(db->database())
            .noArticles()
            .article(1, QStringLiteral("SUCRE"), 100)
            .usualSuppliers()
            .movement(1, 1, 10, QStringLiteral("2009-03-03"), 10, 100, 1);
        Stock(*db).db_ARTICLES->refresh();
        db->startSession(QDate(2009, 3, 10));
        suppliers().db_fournisseur->refresh();
        refPath = home->path() + QStringLiteral("/test.ref");
        QFile file(refPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kReferential);
        file.close();
        ref = std::make_unique<TBankRef>(refPath, home->path() + QStringLiteral("/none/x.ref"));
    }
    void cleanup()
    {
        ref.reset();
        db.reset();
        home.reset();
        setPrompter(nullptr);
    }

    void ribPageOpening_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("autoKey");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("info");
        QTest::newRow("correct, known agency")
            << "00100101012345678971" << false << QStringList{"001", "00101", "0123456789", "71"}
            << "RIB (Relevé d'identité Bancaire)"
            << "BNA ALGER"
            << "RIB -> 001 - 00101 - 0123456789 - 71" << true << true;
        QTest::newRow("correct, agency not in the referential")
            << "00100199012345678921" << false << QStringList{"001", "00199", "0123456789", "21"}
            << "RIB (Relevé d'identité Bancaire)"
            << "Coordonnée Bancaire Invalide"
            << "RIB -> 001 - 00199 - 0123456789 - 21" << true << false;
        QTest::newRow("empty") << "" << false << QStringList{"", "", "", ""} << "RIB (Relevé d'identité Bancaire)"
                               << "Coordonnée Bancaire Invalide"
                               << "Code Banque erroné" << false << false;
        QTest::newRow("wrong key") << "00100101012345678970" << false << QStringList{"001", "00101", "0123456789", "70"}
                                   << "RIB (Relevé d'identité Bancaire)"
                                   << "BNA ALGER"
                                   << "Clé de Contrôle erronée" << false << false;
        QTest::newRow("automatic key fixes it")
            << "00100101012345678900" << true << QStringList{"001", "00101", "0123456789", "71"}
            << "RIB (Relevé d'identité Bancaire)"
            << "BNA ALGER"
            << "RIB -> 001 - 00101 - 0123456789 - 71" << true << true;
        QTest::newRow("postal") << "0001234500000000010" << false << QStringList{"000", "00000", "0000000001", "0"}
                                << "RIP (Relevé d'identité Postal)"
                                << "Coordonnée Bancaire Invalide"
                                << "Clé de Contrôle erronée" << false << false;
        QTest::newRow("treasury") << "TRS1234567890" << true << QStringList{"TRS", "", "1234567890", ""}
                                  << "TRS (Compte Special)"
                                  << "Coordonnée Bancaire Invalide"
                                  << "TRS -> 1234567890" << true << false;
    }
    void ribPageOpening()
    {
        QFETCH(QString, text);
        QFETCH(bool, autoKey);
        QFETCH(QStringList, boxes);
        QFETCH(QString, kind);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, ok);
        QFETCH(bool, info);
        TFRIB w(*ref, text, autoKey);
        QCOMPARE(w.windowTitle(), QStringLiteral("Saisi et contrôle du RIB/RIP"));
        QCOMPARE(w.statusLine()->text(),
                 QStringLiteral("With Bank Referential Enabled - Version ATCI.20090101 /Local"));
        QCOMPARE(QStringList({w.bankBox()->text(), w.agencyBox()->text(), w.accountBox()->text(), w.keyBox()->text()}),
                 boxes);
        QCOMPARE(w.kindLine()->text(), kind);
        QCOMPARE(w.firstLine()->text(), first);
        QCOMPARE(w.secondLine()->text(), second);
        QCOMPARE(w.okButton()->isEnabled(), ok);
        QCOMPARE(!w.infoPanel()->isHidden(), info);
        if (info) {
            QCOMPARE(w.infoValue(0)->text(), QStringLiteral("BANQUE NATIONALE"));
            QCOMPARE(w.infoValue(5)->text(), QStringLiteral("RUE A"));
        }
        QCOMPARE(w.bankList()->currentText(),
                 w.bankBox()->text() == QLatin1String("001") ? QStringLiteral("BNA") : QString());
        const bool treasury = w.bankBox()->text() == QLatin1String("TRS");
        QCOMPARE(w.agencyBox()->isEnabled(), !treasury && w.bankBox()->text() != QLatin1String("000"));
        QCOMPARE(w.keyBox()->isEnabled(), !treasury);
        QCOMPARE(w.autoKeyBox()->isEnabled(), !treasury);
    }

    void typingInTheBoxes()
    {
        TFRIB w(*ref, QString(), false);
        w.show();
        QTest::keyClicks(w.bankBox(), QStringLiteral("0"));
        emit w.bankBox()->editingFinished();
        QCOMPARE(w.bankBox()->text(), QStringLiteral("000"));
        QCOMPARE(w.agencyBox()->text(), QStringLiteral("00000"));
        QVERIFY(!w.agencyBox()->isEnabled());
        QTest::keyClicks(w.accountBox(), QStringLiteral("1234"));
        emit w.accountBox()->editingFinished();
        QCOMPARE(w.accountBox()->text(), QStringLiteral("0000001234"));
        QTest::keyClicks(w.keyBox(), CleCCP(QStringLiteral("0000001234")));
        QVERIFY(w.okButton()->isEnabled());
        QCOMPARE(w.secondLine()->text(), QStringLiteral("RIP -> 000 - 00000 - 0000001234 - %1").arg(CleCCP("1234")));

        // Bank 008 fills the account with zeros after its first three characters.
        w.bankBox()->setText(QStringLiteral("008"));
        w.accountBox()->setText(QStringLiteral("3131234"));
        emit w.accountBox()->editingFinished();
        QCOMPARE(w.accountBox()->text(), QStringLiteral("3130001234"));

        // Choosing a bank in the list writes its code; F3, F5, F4 walk its agencies.
        w.bankList()->setCurrentIndex(0);
        emit w.bankList()->activated(0);
        QCOMPARE(w.bankBox()->text(), QStringLiteral("001"));
        w.agencyBox()->clear();
        w.firstAgence();
        QCOMPARE(w.agencyBox()->text(), QStringLiteral("00101"));
        w.nextAgence();
        w.nextAgence();
        QCOMPARE(w.agencyBox()->text(), QStringLiteral("00103"));
        w.nextAgence(); // the next agency belongs to another bank
        QCOMPARE(w.agencyBox()->text(), QStringLiteral("00103"));
        w.prevAgence();
        QCOMPARE(w.agencyBox()->text(), QStringLiteral("00102"));

        // With the automatic key any ten characters of digits pass.
        w.autoKeyBox()->click();
        w.accountBox()->setText(QStringLiteral("9876543210"));
        QCOMPARE(w.keyBox()->text(), CleBancaire(QStringLiteral("001029876543210")));
        QVERIFY(w.okButton()->isEnabled());
        QCOMPARE(w.accountText(), QStringLiteral("001001029876543210") + w.keyBox()->text());
    }

    void referentialBehindTheAccessCode()
    {
        TFRIB w(*ref, QString(), false);
        prompts.passwords = {QStringLiteral("wrong"), UnscrambleText(QStringLiteral("T5H8KWRD"))};
        w.pages()->setCurrentIndex(1);
        QCOMPARE(w.pages()->currentIndex(), 0);
        w.pages()->setCurrentIndex(1);
        QCOMPARE(w.pages()->currentIndex(), 1);
        QVERIFY(!w.okButton()->isEnabled());
        QCOMPARE(w.referential()->fileNameValue()->text(), refPath);
        QCOMPARE(w.referential()->tree()->topLevelItemCount(), 2);
        QCOMPARE(w.referential()->tree()->currentItem()->text(0), QStringLiteral("001 - BNA"));
        QCOMPARE(w.referential()->bankPanelBox(3)->text(), QStringLiteral("ALGER CENTRE"));

        // New banks: "7" makes 007; too long or not a number does nothing, silently.
        prompts.inputs = {QStringLiteral("7"), QStringLiteral("1234"), QStringLiteral("AB"), QStringLiteral("001")};
        for (int i = 0; i < 4; ++i)
            w.referential()->NewBank();
        QCOMPARE(ref->Codes, QStringList({"001", "002", "007"}));
        QCOMPARE(w.referential()->tree()->currentItem()->text(0), QStringLiteral("007 - Nom de la Banque..."));
        QTest::keyClicks(w.referential()->bankPanelBox(1), QStringLiteral("banque sept"));
        QCOMPARE(ref->FindBanque(QStringLiteral("007"))->Nom, QStringLiteral("BANQUE SEPT"));
        QCOMPARE(w.referential()->tree()->currentItem()->text(0), QStringLiteral("007 - BANQUE SEPT"));

        // A new agency of BNA goes after its agencies, in the tree and in the referential.
        w.referential()->tree()->setCurrentItem(w.referential()->tree()->topLevelItem(0)->child(1));
        prompts.inputs = {QStringLiteral("104"), QStringLiteral("00101")};
        w.referential()->NewAgence();
        w.referential()->NewAgence();
        QCOMPARE(ref->Keys, QStringList({"00100101", "00100102", "00100103", "00100104", "00200201"}));
        QCOMPARE(w.referential()->tree()->topLevelItem(0)->child(3)->text(0),
                 QStringLiteral("00104 - Nom de l'agence..."));

        // Deleting BNA removes its node, its four agencies and their records.
        w.referential()->tree()->setCurrentItem(w.referential()->tree()->topLevelItem(0));
        prompts.confirmations = {false, true};
        w.referential()->Delete();
        QCOMPARE(ref->Codes.size(), 3);
        w.referential()->Delete();
        QCOMPARE(prompts.questions.last(),
                 QStringLiteral(" Voulez-vous Confirmer la Suppression de la banque 001 - BNA  ? "));
        QCOMPARE(ref->Codes, QStringList({"002", "007"}));
        QCOMPARE(ref->Keys, QStringList({"00200201"}));
        QCOMPARE(w.referential()->tree()->currentItem()->text(0), QStringLiteral("002 - BEA"));
        w.show();
        shot(w, "rib-referential");

        const QString saved = home->path() + QStringLiteral("/saved.ref");
        prompts.savedFiles = {saved};
        w.referential()->Save();
        QCOMPARE(prompts.lastProposedName, QFileInfo(refPath).fileName());
        TBankRef again(saved, QString());
        QCOMPARE(again.Codes, QStringList({"002", "007"}));
        QCOMPARE(again.Keys, QStringList({"00200201"}));

        // Back to the account: no code needed.
        w.pages()->setCurrentIndex(0);
        QCOMPARE(w.pages()->currentIndex(), 0);
        QCOMPARE(w.referential()->tree()->topLevelItemCount(), 0);
    }

    // Enter a supplier with its account checked in the bank details window, all from the keyboard.
    void supplierWithAccount()
    {
        DialogSupplierForms windows;
        const bool saved = RunWindowScripts<TFFournisseur>(
            [&] { return EditFournisseur(suppliers(), EntryMode::Add); }, {[&](TFFournisseur &w) {
                QCOMPARE(w.windowTitle(), QStringLiteral("Fournisseur"));
                QCOMPARE(w.tabs()->tabText(0), QStringLiteral("Ajouter Fournisseur"));
                QCOMPARE(w.box("code_four")->text(), QStringLiteral("3"));
                QCOMPARE(QApplication::focusWidget(), w.box("nom_prenom"));
                QTest::keyClicks(w.box("nom_prenom"), QStringLiteral("l'olivier; \"sarl\""));
                QCOMPARE(w.box("nom_prenom")->text(), QStringLiteral("L'OLIVIER; \"SARL\""));
                w.box("fax")->setFocus();
                QTest::keyClick(w.box("fax"), Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), w.box("n_regc"));
                QTest::keyClicks(w.box("daten"), QStringLiteral("31/02/1970"));
                QVERIFY(!w.accepterButton()->isEnabled());
                auto *refusal = w.findChild<QLabel *>(QStringLiteral("refusal"));
                QCOMPARE(refusal->text(), QStringLiteral("Né(e) le : le 31/02/1970 n'existe pas."));
                // "Editer" saves the row with the account: refused while the day would be lost.
                const qsizetype shown = prompts.messages.size();
                w.BRIBClick();
                QCOMPARE(prompts.messages.size(), shown + 1);
                QCOMPARE(prompts.messages.last(), refusal->text());
                w.box("daten")->clear();
                QVERIFY(w.accepterButton()->isEnabled());
                QVERIFY(refusal->text().isEmpty());

                RunWindowScripts<TFRIB>(
                    [&] {
                        w.BRIBClick();
                        return true;
                    },
                    {[&](TFRIB &rib) {
                        QTest::keyClicks(rib.bankBox(), QStringLiteral("001"));
                        QTest::keyClicks(rib.agencyBox(), QStringLiteral("00101"));
                        QTest::keyClicks(rib.accountBox(), QStringLiteral("0123456789"));
                        QTest::keyClicks(rib.keyBox(), QStringLiteral("70"));
                        QVERIFY(!rib.okButton()->isEnabled());
                        rib.keyBox()->clear();
                        QTest::keyClicks(rib.keyBox(), QStringLiteral("71"));
                        QVERIFY(rib.okButton()->isEnabled());
                        QTest::keyClick(rib.keyBox(), Qt::Key_Return);
                        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                    }});
                QCOMPARE(w.box("num_compte")->text(), QStringLiteral("0123456789"));
                reactivate(w);
                w.box("montant_max")->setFocus();
                w.box("montant_max")->selectAll();
                QTest::keyClicks(w.box("montant_max"), QStringLiteral("5000"));
                QTest::keyClick(w.box("montant_max"), Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), w.accepterButton());
                shot(w, "supplier-window");
                QTest::keyClick(w.accepterButton(), Qt::Key_Return);
            }});
        QVERIFY(saved);
        QSqlQuery q(db->database());
        QVERIFY(q.exec(QStringLiteral("select nom_prenom, code_banque||code_agence||num_compte||cle_controle, "
                                      "montant_max from fournisseur where code_four=3")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("L'OLIVIER; \"SARL\""));
        QCOMPARE(q.value(1).toString(), QStringLiteral("00100101012345678971"));
        QCOMPARE(q.value(2).toDouble(), 5000.0);
        QCOMPARE(suppliers().db_fournisseur->displayText(QStringLiteral("rib")),
                 QStringLiteral("00100101012345678971"));
    }

    // "Editer", OK, then "Annuler": the account stays stored.
    void accountStaysWhenTheSupplierIsCancelled()
    {
        ScriptedSupplierForms scripted;
        scripted.accounts = {QStringLiteral("00200201012345678900")};
        suppliers().db_fournisseur->locate(QStringLiteral("code_four"), 2);
        suppliers().db_fournisseur->edit();
        {
            TFFournisseur w(suppliers(), false);
            QCOMPARE(w.tabs()->tabText(0), QStringLiteral("Modifier Fournisseur"));
            w.BRIBClick();
            QCOMPARE(scripted.lastAccount, QString());
            QCOMPARE(w.box("code_agence")->text(), QStringLiteral("00201"));
        }
        QVERIFY(!db->SaveDataSet(suppliers().db_fournisseur, false));
        QCOMPARE(scalar(QStringLiteral("select num_compte from fournisseur where code_four=2")).toString(),
                 QStringLiteral("0123456789"));
    }

    void invoiceWindowValidation()
    {
        suppliers().db_fournisseur->locate(QStringLiteral("code_four"), 1);
        suppliers().db_FACTURES->append();
        TFFacture w(suppliers(), true);
        QCOMPARE(w.heading()->text(), QStringLiteral("Ajouter Facture"));
        QCOMPARE(w.numberBox()->text(), QStringLiteral("1"));
        QCOMPARE(w.duBox()->text(), QStringLiteral("03/03/2009"));
        QCOMPARE(w.amountLabel()->text(), FormatMontant(1000));
        w.show();
        shot(w, "invoice-window");
        QVERIFY(w.accepterButton()->isEnabled());
        // Each refusal says why under the boxes.
        const struct
        {
            QLineEdit *box;
            QString text;
            QString refusal;
        } steps[] = {{w.auBox(), QStringLiteral("02/03/2009"),
                      "La période finit le 02/03/2009, avant de commencer le 03/03/2009."},
                     {w.auBox(), QStringLiteral("31/02/2009"), "AU : le 31/02/2009 n'existe pas."},
                     {w.auBox(), QStringLiteral("03/03/2009"), ""},
                     {w.dateBox(), QStringLiteral("30/02/2009"), "Date Facture : le 30/02/2009 n'existe pas."},
                     {w.dateBox(), QString(), "Date Facture : tapez le jour (jj/mm/aaaa)."},
                     {w.dateBox(), QStringLiteral("01/03/2009"), ""},
                     {w.numberBox(), QString(), "N°Facture : tapez le numéro de la facture."},
                     {w.numberBox(), QStringLiteral("2"), ""}};
        for (const auto &step : steps) {
            step.box->selectAll();
            QTest::keyClick(step.box, Qt::Key_Delete);
            QTest::keyClicks(step.box, step.text);
            QCOMPARE(w.accepterButton()->isEnabled(), step.refusal.isEmpty());
            QCOMPARE(w.refusalLabel()->text(), step.refusal);
        }
        QTest::keyClicks(w.numberBox(), QStringLiteral("A"));
        QCOMPARE(w.numberBox()->text(), QStringLiteral("2"));
        suppliers().db_FACTURES->cancel();
    }

    void supplierTab()
    {
        TestFrame frame;
        SuppliersPage page(*db, frame);
        page.registerCommands(frame.registry);
        ReportsPage reports(*db, frame); // carries out the invoice's print
        reports.registerCommands(frame.registry);
        QWidget *tab = page.widget();
        ScriptedSupplierForms scripted; // after the page, whose windows it replaces
        CommandRegistry &c = frame.registry;
        const auto enabled = [&](CommandId id) { return c.action(id)->isEnabled(); };
        page.refresh(true, false);
        QVERIFY(!enabled(cmd::AjouterFournisseur));
        page.refresh(true, true);
        QVERIFY(enabled(cmd::AjouterFournisseur) && enabled(cmd::ModifierFournisseur) && enabled(cmd::ChargerFacture));
        QVERIFY(!enabled(cmd::ModifierFacture) && !enabled(cmd::ImprimerFacture));
        QCOMPARE(page.DBGrid3->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("RIB/RIP"));
        QCOMPARE(page.DBGrid3->model()->index(0, 2).data().toString(), QStringLiteral("..."));

        // "Charger" on supplier 1, twice: one invoice, its amount in the grid; then the invoice commands.
        suppliers().db_fournisseur->locate(QStringLiteral("code_four"), 1);
        c.trigger(cmd::ChargerFacture);
        c.trigger(cmd::ChargerFacture);
        page.refresh(true, true);
        QCOMPARE(page.DBGrid5->model()->rowCount(), 1);
        QCOMPARE(page.DBGrid5->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Montant"));
        QCOMPARE(page.DBGrid5->model()->index(0, 4).data().toString(), FormatMontant(1000).trimmed());
        QVERIFY(enabled(cmd::ModifierFacture) && enabled(cmd::SupprimerFacture) && enabled(cmd::ImprimerFacture));
        // The invoice's print: the documents window on the purchase invoice of the current supplier and invoice.
        const QString number = suppliers().db_FACTURES->value(QStringLiteral("NUM_FACTURE")).toString();
        QVERIFY(RunWindowScripts<TFQUILLON_PRNMENU>(
            [&] {
                c.trigger(cmd::ImprimerFacture);
                return true;
            },
            {[&](TFQUILLON_PRNMENU &w) {
                QVERIFY(w.PB->isVisible());
                QCOMPARE(w.LTitle->text(), QStringLiteral("Facture d'Achat"));
                const auto field = [&](const char *label) {
                    auto *caption = FindByText<QLabel>(&w, label);
                    auto *edit = caption ? qobject_cast<QLineEdit *>(caption->buddy()) : nullptr;
                    return edit ? edit->text() : QStringLiteral("?");
                };
                QCOMPARE(field("Code Fournisseur   "), QStringLiteral("1"));
                QCOMPARE(field("Numéro Facture   "), number);
                shot(w, "invoice-print");
                w.BAnnuler2->click();
            }}));
        tab->resize(1300, 500);
        tab->show();
        shot(*tab, "supplier-tab");

        // Another current supplier refreshes the commands: supplier 2 has no invoice.
        const int before = frame.refreshes;
        suppliers().db_fournisseur->locate(QStringLiteral("code_four"), 2);
        QVERIFY(frame.refreshes > before);
        page.refresh(true, true);
        QVERIFY(!enabled(cmd::ModifierFacture));

        // Ins on the tab adds a supplier; the filter keeps names starting with what is typed.
        scripted.suppliers = {QVariantMap{{"nom_prenom", "BENSALEM"}}};
        frame.owner.show();
        QApplication::setActiveWindow(&frame.owner);
        QVERIFY(QTest::qWaitForWindowActive(&frame.owner));
        QTest::keyClick(&frame.owner, Qt::Key_Insert);
        QCOMPARE(scalar(QStringLiteral("select count(*) from fournisseur")).toInt(), 3);
        QTest::keyClicks(page.EFilterFour, QStringLiteral("ben"));
        QCOMPARE(page.EFilterFour->text(), QStringLiteral("BEN"));
        QCOMPARE(page.DBGrid3->model()->rowCount(), 1);
        QCOMPARE(page.DBGrid3->model()->index(0, 1).data().toString(), QStringLiteral("BENSALEM"));
        page.shown();
        QCOMPARE(page.DBGrid3->model()->rowCount(), 3);
        delete tab;
    }

    // Del on a supplier whose number the movements carry: the message box says why, nothing is deleted.
    void supplierWithDeliveriesKeptFromTheTab()
    {
        TestFrame frame;
        SuppliersPage page(*db, frame);
        page.registerCommands(frame.registry);
        QWidget *tab = page.widget();
        page.refresh(true, true);
        suppliers().db_fournisseur->locate(QStringLiteral("code_four"), 1);
        DialogPrompter dialogs;
        setPrompter(&dialogs);
        QString shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown = box->text();
                shot(*box, "supplier-delete-refused");
                box->accept();
            }
        });
        poll.start(50);
        frame.owner.show();
        QApplication::setActiveWindow(&frame.owner);
        QVERIFY(QTest::qWaitForWindowActive(&frame.owner));
        QTest::keyClick(&frame.owner, Qt::Key_Delete);
        poll.stop();
        setPrompter(&prompts);
        QCOMPARE(shown, QStringLiteral("Le fournisseur n° 1 ne peut pas être supprimé : son numéro figure dans 1 "
                                       "mouvement et 0 facture. Supprimez d'abord ses factures et ses mouvements."));
        QCOMPARE(scalar(QStringLiteral("select count(*) from fournisseur")).toInt(), 2);
        delete tab;
    }

    // The first entry of a new file: no supplier yet, and the movement window makes one.
    void firstEntryMakesItsSupplier()
    {
        QSqlQuery(db->database()).exec(QStringLiteral("delete from fournisseur"));
        QSqlQuery(db->database()).exec(QStringLiteral("delete from stock"));
        suppliers().db_fournisseur->refresh();
        DialogStockForms stockWindows;
        DialogSupplierForms supplierWindows;
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 1));
        const bool saved = RunWindowScripts<TFSTOCK3>(
            [&] { return EditMouvement(Stock(*db), EntryMode::Add, 10); }, {[&](TFSTOCK3 &w) {
                QTest::keyClicks(w.quantityBox(), QStringLiteral("12"));
                QTest::keyClick(w.quantityBox(), Qt::Key_Return);
                QTest::keyClicks(w.priceBox(), QStringLiteral("150"));
                RunWindowScripts<TFFournisseur>(
                    [&] {
                        QTest::keyClick(w.priceBox(), Qt::Key_Return);
                        return QTest::qWaitFor([&] { return w.supplierBox()->text() == QLatin1String("1"); });
                    },
                    {[&](TFFournisseur &f) {
                        QTest::keyClicks(f.box("nom_prenom"), QStringLiteral("sarl el baraka"));
                        enterUntilClosed(f);
                    }});
                reactivate(w);
                QCOMPARE(w.supplierBox()->text(), QStringLiteral("1"));
                QCOMPARE(w.supplierList()->currentText(), QStringLiteral("SARL EL BARAKA"));
                QVERIFY(w.accepterButton()->isEnabled());
                shot(w, "movement-window");

                // An unknown number, then the window cancelled: the number goes back to 0.
                w.supplierBox()->setFocus();
                w.supplierBox()->selectAll();
                QTest::keyClicks(w.supplierBox(), QStringLiteral("9"));
                RunWindowScripts<TFFournisseur>(
                    [&] {
                        QTest::keyClick(w.supplierBox(), Qt::Key_Return);
                        return QTest::qWaitFor([&] { return w.supplierBox()->text() == QLatin1String("0"); });
                    },
                    {[&](TFFournisseur &f) { f.reject(); }});
                reactivate(w);
                QCOMPARE(w.supplierBox()->text(), QStringLiteral("0"));
                QVERIFY(!w.accepterButton()->isEnabled());

                // "Ajouter un Fournisseur" makes a second one and takes it.
                RunWindowScripts<TFFournisseur>(
                    [&] {
                        w.addSupplierButton()->click();
                        return true;
                    },
                    {[&](TFFournisseur &f) {
                        QTest::keyClicks(f.box("nom_prenom"), QStringLiteral("ets benali"));
                        f.accepterButton()->click();
                    }});
                reactivate(w);
                QCOMPARE(w.supplierBox()->text(), QStringLiteral("2"));
                QCOMPARE(QApplication::focusWidget(), w.supplierBox());
                enterUntilClosed(w);
            }});
        QVERIFY(saved);
        QCOMPARE(scalar(QStringLiteral("select code_four from stock where quantite=12")).toInt(), 2);
        QCOMPARE(scalar(QStringLiteral("select group_concat(nom_prenom, '|') from fournisseur")).toString(),
                 QStringLiteral("SARL EL BARAKA|ETS BENALI"));
    }

    // A code typed for a supplier not yet in the file: the supplier window makes one, the movement takes
    // that very supplier and "Accepter" follows at once, whatever number the new supplier got and
    // whatever the supplier list's filter hides.
    void typedCodeTakesTheSupplierJustMade_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::newRow("typed code is the number proposed") << "3"
                                                           << "";
        QTest::newRow("typed code differs from the number") << "9"
                                                            << "";
        QTest::newRow("new supplier hidden by the list's filter") << "9"
                                                                  << "SARL";
    }
    void typedCodeTakesTheSupplierJustMade()
    {
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        suppliers().SetSupplierFilter(filter);
        DialogStockForms stockWindows;
        DialogSupplierForms supplierWindows;
        QVERIFY(Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), 1));
        const bool saved = RunWindowScripts<TFSTOCK3>(
            [&] { return EditMouvement(Stock(*db), EntryMode::Add, 10); }, {[&](TFSTOCK3 &w) {
                QTest::keyClicks(w.quantityBox(), QStringLiteral("12"));
                QTest::keyClick(w.quantityBox(), Qt::Key_Return);
                QTest::keyClicks(w.priceBox(), QStringLiteral("150"));
                QTest::keyClick(w.priceBox(), Qt::Key_Return);
                QTest::keyClicks(w.supplierBox(), typed);
                bool shown = false;
                RunWindowScripts<TFFournisseur>(
                    [&] {
                        QTest::keyClick(w.supplierBox(), Qt::Key_Return);
                        return QTest::qWaitFor([&] { return shown; });
                    },
                    {[&](TFFournisseur &f) {
                        QTest::keyClicks(f.box("nom_prenom"), QStringLiteral("laiterie du centre"));
                        f.accepterButton()->click();
                        shown = true;
                    }});
                QTest::qWait(50);
                reactivate(w);
                QCOMPARE(w.supplierBox()->text(), QStringLiteral("3"));
                QCOMPARE(w.supplierList()->currentText(), QStringLiteral("LAITERIE DU CENTRE"));
                QVERIFY(w.accepterButton()->isEnabled());
                w.accepterButton()->click();
            }});
        QVERIFY(saved);
        QCOMPARE(scalar(QStringLiteral("select code_four from stock where quantite=12")).toInt(), 3);
        QCOMPARE(scalar(QStringLiteral("select nom_prenom from fournisseur where code_four=3")).toString(),
                 QStringLiteral("LAITERIE DU CENTRE"));
    }
};

QTEST_MAIN(TestSupplierWindows)
#include "test_supplier_windows.moc"
