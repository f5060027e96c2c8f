#include "TestHome.h"
#include "app/MainWindow.h"
#include "common/DialogPrompter.h"
#include "common/Profile.h"
#include "common/Translations.h"

#include <QAction>
#include <QColor>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

using namespace zelvane;

namespace {

// The highest HSV saturation (0-255) of the visible pixels of a picture.
int saturation(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int most = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128)
                most = qMax(most, c.hsvSaturation());
        }
    }
    return most;
}

} // namespace

// What the desktop around the program shows: Qt's dialogs in French, the commands' pictures, and the
// program started from the command line.
class TestDesktop : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        // No icon theme: the pictures bundled with the program are the ones shown.
        QIcon::setThemeSearchPaths({});
        QVERIFY(LoadQtTranslations());
        QVERIFY(LoadQtTranslations()); // a second call keeps the one translator
    }
    void init() { home = std::make_unique<TestHome>(); }
    void cleanup() { home.reset(); }

    void standardButtonsInFrench_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << QStringLiteral("Annuler");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << QStringLiteral("Oui");
        QTest::newRow("No") << int(QMessageBox::No) << QStringLiteral("Non");
        QTest::newRow("Close") << int(QMessageBox::Close) << QStringLiteral("Fermer");
    }
    void standardButtonsInFrench()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), QStringLiteral("?"),
                        QMessageBox::StandardButton(button));
        QCOMPARE(box.button(QMessageBox::StandardButton(button))->text().remove(QLatin1Char('&')), text);
    }

    // The open dialog of the connection: in French, and every column of its detail view whole.
    void openDialog()
    {
        const QString folder = home->databases();
        QFile mdb(folder + QStringLiteral("/CANTINE_ETE_2009.MDB"));
        QVERIFY(mdb.open(QIODevice::WriteOnly));
        mdb.write(QByteArray(300000, 'x'));
        mdb.close();
        QWidget owner;
        owner.resize(1366, 698);
        owner.show();
        DialogPrompter prompter(&owner);
        bool checked = false;
        int polls = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            auto *view = dialog ? dialog->findChild<QTreeView *>() : nullptr;
            if (!view || !view->isVisible() || view->model()->rowCount(view->rootIndex()) == 0)
                return;
            // The columns fit their contents in a delayed layout pass: give it a few seconds when the
            // machine is busy, then judge.
            const QHeaderView *header = view->header();
            const auto narrowColumn = [&]() -> QString {
                for (int c = 0; c < header->count(); ++c) {
                    if (header->isSectionHidden(c))
                        continue;
                    const QString title = view->model()->headerData(c, Qt::Horizontal).toString();
                    int widest = header->fontMetrics().horizontalAdvance(title);
                    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                        const QModelIndex cell = view->model()->index(row, c, view->rootIndex());
                        widest = qMax(widest, view->fontMetrics().horizontalAdvance(cell.data().toString()));
                    }
                    if (header->sectionSize(c) < widest)
                        return title;
                }
                return {};
            };
            const bool settled = header->length() <= view->viewport()->width() && narrowColumn().isEmpty();
            if (!settled && ++polls < 100)
                return;
            poll.stop();
            [&] {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Ouvrir un dossier de gestion"));
                const auto *buttons = dialog->findChild<QDialogButtonBox *>();
                QCOMPARE(buttons->button(QDialogButtonBox::Open)->text().remove(QLatin1Char('&')),
                         QStringLiteral("Ouvrir"));
                QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                         QStringLiteral("Annuler"));
                QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("fileTypeLabel"))
                            ->text()
                            .startsWith(QStringLiteral("Fichiers de type")));
                QVERIFY(header->length() <= view->viewport()->width());
                const QString narrow = narrowColumn();
                QVERIFY2(narrow.isEmpty(), qPrintable(narrow));
                QVERIFY(dialog->screen()->availableGeometry().contains(QRect(QPoint(), dialog->size())));
                checked = true;
            }();
            dialog->reject();
        });
        poll.start(50);
        QCOMPARE(prompter.chooseFileToOpen(folder, QStringLiteral("*.mdb *.MDB")), QString());
        QVERIFY(checked);
    }

    // Each command shows a picture of its own, coloured, and greyed while the command is disabled.
    void commandPictures()
    {
        TestData db;
        TFZelvane window(db);
        const QList<QAction *> actions = window.commands().actions();
        QVERIFY(!actions.isEmpty());
        for (QAction *a : actions) {
            const QIcon icon = a->icon();
            QVERIFY2(!icon.isNull(), qPrintable(a->objectName()));
            const QPixmap normal = icon.pixmap(22, QIcon::Normal);
            const QPixmap disabled = icon.pixmap(22, QIcon::Disabled);
            QVERIFY2(saturation(normal) > 60, qPrintable(a->objectName()));
            QVERIFY2(saturation(disabled) < 30, qPrintable(a->objectName()));
        }
        QCOMPARE(CommandRegistry::bundledIcon("no-such-picture").isNull(), true);
        QCOMPARE(CommandRegistry::bundledIcon("").isNull(), true);
    }

    // A command placed by one page and carried out by another works whichever page comes first.
    void workGivenBeforeOrAfterTheCommand_data()
    {
        QTest::addColumn<bool>("workFirst");
        QTest::newRow("work given first") << true;
        QTest::newRow("command placed first") << false;
    }
    void workGivenBeforeOrAfterTheCommand()
    {
        QFETCH(bool, workFirst);
        QWidget owner;
        CommandRegistry commands(&owner);
        constexpr CommandId id{"PrintInvoice"};
        int done = 0;
        const auto place = [&] { commands.add({id, "Imprimer"}); };
        const auto giveWork = [&] { commands.setWork(id, [&] { ++done; }); };
        if (workFirst) {
            giveWork();
            place();
        } else {
            place();
            giveWork();
        }
        commands.setEnabled(id, true);
        QVERIFY(commands.action(id)->isEnabled());
        commands.trigger(id);
        QCOMPARE(done, 1);
    }

    // zelvane --quit-after-first-sheet FILE: the start-up measure, on a file named for this run only.
    void startFromTheCommandLine_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("code");
        QTest::newRow("a prepared file") << true << 0;
        QTest::newRow("a missing file") << false << 1;
    }
    void startFromTheCommandLine()
    {
        QFETCH(bool, exists);
        QFETCH(int, code);
        const QString byDefault = home->preparedFile(2, 2009);
        const QString named = exists ? home->preparedFile(2, 2010)
                                     : home->databases() + QStringLiteral("/GONE_2010.MDB");
        Profile().WriteValue(QString::fromLatin1(kProfileDatabaseName), byDefault);

        QProcess zelvane;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZELVANE_HOME"), home->path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        zelvane.setProcessEnvironment(environment);
        zelvane.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zelvane"),
                      {QStringLiteral("--quit-after-first-sheet"), named});
        QVERIFY(zelvane.waitForFinished(60000));
        QCOMPARE(zelvane.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zelvane.exitCode(), code);
        QCOMPARE(TQVProfile(home->path() + QStringLiteral("/Profile.txt"))
                     .ReadValue(QString::fromLatin1(kProfileDatabaseName)),
                 byDefault);
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
