// The yardstick for start-up time: a minimal Qt window with a table and a
// tray icon, printing the wall clock and ending once its first frame is painted, as
// the program does with BRIVO_REMINDER_QUIT_WHEN_SHOWN. With --idle it stays,
// with a 3-second timer like the program's tick: the yardstick for idle cost.
#include "app/FirstFrameClock.h"

#include <QApplication>
#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QTableWidget>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* table = new QTableWidget(20, 9, &window);
    window.setCentralWidget(table);
    QSystemTrayIcon tray(QIcon(QStringLiteral(":/nothing.png")));
    tray.show();
    window.resize(472, 222);
    const bool idle = QCoreApplication::arguments().contains(QStringLiteral("--idle"));
    FirstFrameClock firstFrame;
    if (!idle)
        app.installEventFilter(&firstFrame);
    window.show();
    QTimer tick;
    if (idle)
        tick.start(3000);
    return QApplication::exec();
}
