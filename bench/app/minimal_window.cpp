// The yardstick for start-up time: a minimal Qt window with a table and a
// tray icon, printing the wall clock and ending as soon as it is shown, as
// the program does with BRIVO_REMINDER_QUIT_WHEN_SHOWN. With --idle it stays,
// with a 3-second timer like the program's tick: the yardstick for idle cost.
#include <QApplication>
#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QTableWidget>
#include <QTimer>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* table = new QTableWidget(20, 9, &window);
    window.setCentralWidget(table);
    QSystemTrayIcon tray(QIcon(QStringLiteral(":/nothing.png")));
    tray.show();
    window.resize(472, 222);
    window.show();
    QTimer tick;
    if (QCoreApplication::arguments().contains(QStringLiteral("--idle"))) {
        tick.start(3000);
        return QApplication::exec();
    }
    QTimer::singleShot(0, &app, [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("shown %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
