// zelvane-bench-window: the least a Qt program does to show a table, as the yardstick of the desktop
// program's start: a maximised main window holding a table of 400 rows, painted once, then the program ends.
#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QMainWindow window;
    auto *table = new QTableWidget(400, 8, &window);
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column)
            table->setItem(row, column, new QTableWidgetItem(QString::number(row * 8 + column)));
    }
    window.setCentralWidget(table);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    QTimer::singleShot(0, &window, [&window] {
        window.repaint();
        QCoreApplication::exit(0);
    });
    return app.exec();
}
