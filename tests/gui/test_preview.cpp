#include "FindWidget.h"
#include "SampleDocument.h"
#include "TestHome.h"
#include "WindowScripts.h"
#include "common/Paths.h"
#include "common/Prompter.h"
#include "print/PrevForm.h"
#include "print/PrintRangeDialog.h"
#include "print/QrpFile.h"
#include "print/ZoomDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>

using namespace zelvane;

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A CUPS server of our own on a unix socket in a temporary folder, with one cups-pdf queue "PDF" as the
// default printer. Its jobs run as lp, so the folders they use belong to lp.
class PrivateCups
{
public:
    ~PrivateCups()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            m_server.waitForFinished(10000);
        }
    }

    // Empty when the server runs, otherwise why it cannot.
    QString start()
    {
        if (geteuid() != 0)
            return QStringLiteral("cupsd runs its jobs as lp only when started as root");
        for (const char *program : {"cupsd", "lpadmin"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(program), {"/usr/sbin", "/usr/bin"}).isEmpty())
                return QStringLiteral("%1 is not installed").arg(QString::fromLatin1(program));
        }
        if (!QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
            return QStringLiteral("printer-driver-cups-pdf is not installed");
        const QString root = m_dir.path();
        QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        const struct passwd *lp = getpwnam("lp");
        if (!lp)
            return QStringLiteral("no user lp");
        for (const char *folder : {"spool", "tmp", "cache", "state", "log", "ppd", "ssl"}) {
            const QString path = root + QLatin1Char('/') + QLatin1String(folder);
            QDir().mkpath(path);
            if (chown(QFile::encodeName(path).constData(), lp->pw_uid, lp->pw_gid) != 0)
                return QStringLiteral("cannot give %1 to lp").arg(path);
        }
        socket = root + QStringLiteral("/cups.sock");
        write(QStringLiteral("cupsd.conf"), QStringLiteral("Listen %1\nLogLevel warn\nWebInterface No\nBrowsing Off\n"
                                                           "<Location />\nOrder allow,deny\nAllow all\n</Location>\n")
                                                .arg(socket));
        write(QStringLiteral("cups-files.conf"),
              QStringLiteral("User lp\nGroup lp\nSystemGroup root\nServerRoot %1\nRequestRoot %1/spool\n"
                             "TempDir %1/tmp\nCacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
                             "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n")
                  .arg(root));
        m_server.start(QStringLiteral("cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), root + "/cupsd.conf",
                                                 QStringLiteral("-s"), root + "/cups-files.conf"});
        if (!m_server.waitForStarted())
            return QStringLiteral("cupsd does not start");
        for (int i = 0; i < 100 && !QFile::exists(socket); ++i)
            QTest::qWait(100);
        if (!QFile::exists(socket))
            return QStringLiteral("cupsd does not listen: %1").arg(QString::fromUtf8(m_server.readAll()));
        qputenv("CUPS_SERVER", socket.toUtf8());
        QProcess admin;
        admin.start(QStringLiteral("lpadmin"),
                    {QStringLiteral("-p"), QStringLiteral("PDF"), QStringLiteral("-E"), QStringLiteral("-v"),
                     QStringLiteral("cups-pdf:/"), QStringLiteral("-P"),
                     QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"),
                     // The default renderer (Ghostscript) turns text into Type 3 glyphs that pdftotext cannot
                     // read back; cairo keeps the fonts.
                     QStringLiteral("-o"), QStringLiteral("pdftops-renderer-default=pdftocairo")});
        admin.waitForFinished(30000);
        admin.start(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("PDF")});
        admin.waitForFinished(30000);
        if (admin.exitCode() != 0)
            return QStringLiteral("lpadmin failed: %1").arg(QString::fromUtf8(admin.readAllStandardError()));
        return {};
    }

    // The folder where cups-pdf puts the jobs of this user: "Out" of its configuration.
    static QString outputFolder()
    {
        QString out = QStringLiteral("${HOME}/PDF");
        QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
        if (conf.open(QIODevice::ReadOnly)) {
            for (const QString &line : QString::fromUtf8(conf.readAll()).split(QLatin1Char('\n'))) {
                if (line.startsWith(QLatin1String("Out ")))
                    out = line.mid(4).trimmed();
            }
        }
        return out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(getpwuid(getuid())->pw_dir));
    }

    QString socket;

private:
    void write(const QString &name, const QString &text)
    {
        QFile file(m_dir.path() + QLatin1Char('/') + name);
        file.open(QIODevice::WriteOnly);
        file.write(text.toUtf8());
    }

    QTemporaryDir m_dir{QStringLiteral("/tmp/zelvane-cups-XXXXXX")};
    QProcess m_server;
};

} // namespace

// The preview window, its dialogs, and a print that reaches a real print system.
class TestPreview : public QObject
{
    Q_OBJECT

    ScriptedPrompter answers;
    PrivateCups cups;
    QString cupsUnavailable;

    // The zoom animation of a document coming in is over.
    static void settle(TPrevForm &form) { QTRY_VERIFY_WITH_TIMEOUT(!form.Timer1.isActive(), 10000); }

    // Runs the preview of document and plays script on it.
    void preview(const ReportDocument &document, const std::function<void(TPrevForm &)> &script)
    {
        RunWindowScripts<TPrevForm>(
            [&] {
                PreviewReport(document);
                return true;
            },
            {script});
    }

private slots:
    void initTestCase()
    {
        setPrompter(&answers);
        cupsUnavailable = cups.start();
    }
    void cleanupTestCase() { setPrompter(nullptr); }
    void init() { answers = ScriptedPrompter(); }

    void showsThePagesAndSettlesAt100()
    {
        QString caption, status;
        QStringList pages;
        int settled = 0;
        preview(SampleDocument(3), [&](TPrevForm &form) {
            caption = form.windowTitle();
            for (int i = 0; i < form.CBPage->count(); ++i)
                pages.append(form.CBPage->itemText(i));
            status = form.StatusPanel1->text();
            settle(form);
            settled = form.zoom();
        });
        QCOMPARE(caption, QStringLiteral("Prévisualisation [Essai]"));
        QCOMPARE(pages, QStringList({"Page:1", "Page:2", "Page:3"}));
        QCOMPARE(status, QStringLiteral(" Nombre de page : 3"));
        QCOMPARE(settled, 100);
        preview(SampleDocument(1, QString()), [&](TPrevForm &form) { caption = form.windowTitle(); });
        QCOMPARE(caption, QStringLiteral("Prévisualisation []"));
    }

    void zoomsWithin1To300()
    {
        QList<int> zooms;
        preview(SampleDocument(1), [&](TPrevForm &form) {
            settle(form);
            const QSize before = form.findChild<QScrollArea *>()->widget()->size();
            for (int i = 0; i < 4; ++i) {
                form.B4->click();
                zooms.append(form.zoom());
            }
            const QSize after = form.findChild<QScrollArea *>()->widget()->size();
            QVERIFY(qAbs(after.width() - 2 * before.width()) <= 1 && qAbs(after.height() - 2 * before.height()) <= 1);
            form.setZoom(300);
            form.B4->click();
            zooms.append(form.zoom());
            form.setZoom(25);
            form.B5->click();
            zooms.append(form.zoom());
            form.B4->click();
            zooms.append(form.zoom());
        });
        QCOMPARE(zooms, QList<int>({125, 150, 175, 200, 300, 25, 50}));
    }

    void pagesThroughTheDocument()
    {
        QList<int> visited;
        preview(SampleDocument(3), [&](TPrevForm &form) {
            form.B8->click();
            visited.append(form.currentPage());
            form.B9->click();
            form.B9->click();
            visited.append(form.currentPage());
            QCOMPARE(form.CBPage->currentText(), QStringLiteral("Page:3"));
            form.B9->click();
            visited.append(form.currentPage());
            form.CBPage->setCurrentIndex(1);
            emit form.CBPage->activated(1);
            visited.append(form.currentPage());
        });
        QCOMPARE(visited, QList<int>({1, 3, 3, 2}));
    }

    void dragsThePageFurtherTheFartherTheMouse()
    {
        preview(SampleDocument(1), [&](TPrevForm &form) {
            settle(form);
            form.setZoom(300);
            QCoreApplication::processEvents(); // the scroll bars take the new size
            auto *area = form.findChild<QScrollArea *>();
            QWidget *page = area->widget();
            area->horizontalScrollBar()->setValue(200);
            const QPoint start(100, 100);
            // The mouse stays where it is on the screen while the page moves under it.
            const QPoint origin = page->mapToGlobal(start);
            QTest::mousePress(page, Qt::LeftButton, {}, start);
            // Ten moves of one pixel to the right: each scrolls by the distance from where the drag began.
            for (int x = 1; x <= 10; ++x) {
                QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(x, 0)), QPointF(origin + QPoint(x, 0)),
                                 Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(page, &move);
            }
            QTest::mouseRelease(page, Qt::LeftButton, {}, start + QPoint(10, 0));
            QCOMPARE(area->horizontalScrollBar()->value(), 200 - 55);
        });
    }

    void savesUnderTheNameGiven_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "etat"
                                      << "etat.QRP";
        QTest::newRow("an extension") << "etat.doc"
                                      << "etat.doc";
    }
    void savesUnderTheNameGiven()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        TestHome home;
        ReportDocument document = SampleDocument(3);
        document.title = QStringLiteral("Etat: mars/2009");
        answers.savedFiles = {home.path() + "/" + typed};
        preview(document, [&](TPrevForm &form) { form.B3->click(); });
        // Proposed in the documents folder under the document's title, made a file name.
        QCOMPARE(answers.lastFolder, DocumentsDir());
        QCOMPARE(answers.lastProposedName, QStringLiteral("Etat- mars-2009.QRP"));
        QCOMPARE(QDir(home.path()).entryList(QDir::Files), QStringList{written});
        ReportDocument saved;
        QCOMPARE(LoadQrpFile(home.path() + "/" + written, saved), QString());
        QCOMPARE(saved.pages.size(), 3);
        QCOMPARE(ReadingOrder(saved.pages.at(2)), QStringList{"Page 3 sur 3"});
    }

    void exportsPdf()
    {
        TestHome home;
        ReportDocument document = SampleDocument(3);
        document.title = QStringLiteral("Feuille de Consommation");
        answers.savedFiles = {home.path() + "/etat"};
        preview(document, [&](TPrevForm &form) { form.BPdf->click(); });
        QCOMPARE(answers.lastFolder, DocumentsDir());
        QCOMPARE(answers.lastProposedName, QStringLiteral("Feuille de Consommation.pdf"));
        QVERIFY(run("pdfinfo", {home.path() + "/etat.pdf"}).contains(QRegularExpression("Pages:\\s+3\\n")));
        // The save is confirmed with where the file went.
        QCOMPARE(answers.messages.last(), QStringLiteral("Le document est enregistré en PDF sous %1.")
                                              .arg(QDir::toNativeSeparators(home.path() + "/etat.pdf")));
    }

    void opensASavedDocumentAndRefusesTheRest()
    {
        TestHome home;
        const QString saved = home.path() + "/cinq.QRP";
        QCOMPARE(SaveQrpFile(SampleDocument(5, "Cinq"), saved), QString());
        const QString garbage = home.path() + "/garbage.QRP";
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a saved document");
        file.close();
        const QString truncated = home.path() + "/truncated.QRP";
        QVERIFY(QFile::copy(saved, truncated));
        QVERIFY(QFile::resize(truncated, QFileInfo(saved).size() - 10));

        QStringList seen;
        preview(SampleDocument(3), [&](TPrevForm &form) {
            for (const QString &name : {garbage, truncated, home.path() + "/missing.QRP"}) {
                form.chooseOpenName = [&](const QString &, const QString &) { return name; };
                form.B2->click();
                seen.append(QStringLiteral("%1 %2 %3")
                                .arg(form.document().title)
                                .arg(form.CBPage->count())
                                .arg(form.StatusPanel1->text()));
            }
            form.chooseOpenName = [&](const QString &caption, const QString &) {
                return caption == QStringLiteral("Ouvrir") ? saved : QString();
            };
            form.B9->click();
            form.B2->click();
            seen.append(QStringLiteral("%1 %2 %3 %4")
                            .arg(form.document().title)
                            .arg(form.CBPage->count())
                            .arg(form.StatusPanel1->text())
                            .arg(form.currentPage()));
        });
        const QString unchanged = QStringLiteral("Essai 3  Nombre de page : 3");
        QCOMPARE(seen, QStringList({unchanged, unchanged, unchanged, "cinq.QRP 5  Nombre de page : 5 1"}));
        QCOMPARE(answers.messages.size(), 3);
        QVERIFY2(answers.messages.at(0).contains("n'est pas un document enregistré"),
                 qPrintable(answers.messages.at(0)));
        QVERIFY2(answers.messages.at(1).contains("incomplet ou endommagé"), qPrintable(answers.messages.at(1)));
        QVERIFY2(answers.messages.at(2).contains("Impossible d'ouvrir"), qPrintable(answers.messages.at(2)));
    }

    void zoomDialogChoices()
    {
        TFZoom custom(125);
        QCOMPARE(custom.RG1->checkedId(), -1);
        QCOMPARE(custom.RG2->checkedId(), -1);
        QVERIFY(!custom.choice());
        custom.RG2->button(1)->click();
        QCOMPARE(custom.choice()->kind, ZoomChoice::WholePage);
        FindByText<QRadioButton>(&custom, "75 %")->click();
        QCOMPARE(custom.RG2->checkedId(), -1);
        QCOMPARE(custom.choice()->percent, 75);
        QVERIFY(!custom.Edit_Value->isEnabled());
        FindByText<QRadioButton>(&custom, "Personnalisé")->click();
        QVERIFY(custom.Edit_Value->isEnabled());
        custom.Edit_Value->setText("140");
        QCOMPARE(custom.choice()->percent, 140);
        custom.Edit_Value->setText("400");
        QVERIFY(!custom.choice());

        for (int zoom : {200, 100, 75, 50}) {
            TFZoom dialog(zoom);
            QCOMPARE(dialog.RG1->checkedButton()->text(), QStringLiteral("%1 %").arg(zoom));
        }
    }

    void zoomDialogAppliesToThePreview()
    {
        int zoom = 0;
        preview(SampleDocument(1), [&](TPrevForm &form) {
            settle(form);
            RunWindowScripts<TFZoom>(
                [&] {
                    form.B6->click();
                    return true;
                },
                {[](TFZoom &dialog) {
                    FindByText<QRadioButton>(&dialog, "50 %")->click();
                    FindByText<QPushButton>(&dialog, "Ok")->click();
                }});
            zoom = form.zoom();
        });
        QCOMPARE(zoom, 50);
    }

    void pageRangeDialog()
    {
        TFDLGPrint dialog(2, PrintRange{1, 5, 1, {}});
        QCOMPARE(dialog.EFrom->text(), "1");
        QCOMPARE(dialog.ETo->text(), "5");
        QCOMPARE(dialog.ECopies->text(), "1");
        QCOMPARE(dialog.RGRange->checkedButton()->text(), "All");
        // The range reads "Page(s)  From [1] To [5]": the one "To" stands between the two boxes.
        QCOMPARE(dialog.RGRange->button(int(RangeChoice::Pages))->text(), "Page(s)  From");
        QTest::keyClick(dialog.ETo, Qt::Key_Backspace);
        QTest::keyClicks(dialog.ETo, "99");
        QCOMPARE(dialog.RGRange->checkedId(), int(RangeChoice::Pages));
        dialog.EFrom->setText("3");
        PrintRange range{1, 5, 1, {}};
        QVERIFY(dialog.readRange(range));
        QCOMPARE(range.from, 3);
        QCOMPARE(range.to, 5);

        // Cancel changes nothing; a refused range keeps the pages and takes the copies.
        PrintRange asked{1, 5, 1, {}};
        const bool cancelled = RunWindowScripts<TFDLGPrint>([&] { return AskPrintRange(2, asked); },
                                                            {[](TFDLGPrint &d) {
                                                                d.ECopies->setText("3");
                                                                d.reject();
                                                            }});
        QVERIFY(!cancelled);
        QCOMPARE(asked.copies, 1);
        const bool refused = RunWindowScripts<TFDLGPrint>([&] { return AskPrintRange(2, asked); }, {[](TFDLGPrint &d) {
                                                              d.RGRange->button(int(RangeChoice::Pages))->click();
                                                              d.EFrom->setText("4");
                                                              d.ETo->setText("2");
                                                              d.ECopies->setText("3");
                                                              FindByText<QPushButton>(&d, "Ok")->click();
                                                          }});
        QVERIFY(!refused);
        QCOMPARE(asked.from, 1);
        QCOMPARE(asked.to, 5);
        QCOMPARE(asked.copies, 3);
    }

    void printsARangeOnARealPrinter()
    {
        if (!cupsUnavailable.isEmpty())
            QSKIP(qPrintable(cupsUnavailable));
        const QString title = QStringLiteral("zelvane-test-%1").arg(QCoreApplication::applicationPid());
        const QDir out(PrivateCups::outputFolder());
        const auto jobs = [&] { return out.entryList({title + "*.pdf"}, QDir::Files, QDir::Name); };
        preview(SampleDocument(3, title), [&](TPrevForm &form) {
            RunWindowScripts<TFDLGPrint>(
                [&] {
                    form.B7->click();
                    return true;
                },
                {[](TFDLGPrint &dialog) {
                    dialog.EFrom->clear();
                    QTest::keyClicks(dialog.EFrom, "2");
                    dialog.ETo->setText("3");
                    dialog.ECopies->setText("2");
                    FindByText<QPushButton>(&dialog, "Ok")->click();
                }});
        });
        QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join(' ')));
        // Two copies are two jobs of the range.
        struct RemoveJobs
        {
            std::function<void()> remove;
            ~RemoveJobs() { remove(); }
        } removeJobs{[&] {
            for (const QString &job : jobs())
                QFile::remove(out.filePath(job));
        }};
        QTRY_COMPARE_WITH_TIMEOUT(jobs().size(), 2, 60000);
        for (const QString &job : jobs()) {
            const QString path = out.filePath(job);
            QTRY_VERIFY_WITH_TIMEOUT(run("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+2\\n")), 20000);
            const QString text = run("pdftotext", {path, "-"});
            QVERIFY2(text.contains("Page 2 sur 3") && text.contains("Page 3 sur 3") && !text.contains("Page 1 sur 3"),
                     qPrintable(text));
        }
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
