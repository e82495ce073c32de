#include "dialogs/EmailNoticeCore.h"
#include "platform/DesktopLauncher.h"
#include "platform/SessionEnd.h"
#include "platform/SingleInstance.h"
#include "platform/SystemLocale.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    // The browser's registered command, cleaned, then the address as one argument.
    void addressIsItsOwnArgument_data()
    {
        QTest::addColumn<QString>("registered");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("command");
        const QString page = "https://www.example.org/a b;c&d";
        QTest::newRow("field code") << "firefox-esr %u" << page << QStringList{"firefox-esr", page};
        QTest::newRow("no placeholder, no quotes")
            << "/usr/bin/browser --new-window  " << page << QStringList{"/usr/bin/browser", "--new-window", page};
        QTest::newRow("quoted program, option, quoted placeholder")
            << R"("C:\Program Files\Internet Explorer\iexplore.exe" -nohome "%1")" << page
            << QStringList{R"(C:\Program Files\Internet Explorer\iexplore.exe)", page};
        QTest::newRow("shell text stays text") << "xdg-open"
                                               << "$(rm -rf ~)" << QStringList{"xdg-open", "$(rm -rf ~)"};
        QTest::newRow("nothing left") << "%U" << page << QStringList{};
        QTest::newRow("an option of the browser") << "xdg-open"
                                                  << "--help" << QStringList{};
        QTest::newRow("empty") << "xdg-open"
                               << "  " << QStringList{};
    }
    void addressIsItsOwnArgument()
    {
        QFETCH(QString, registered);
        QFETCH(QString, address);
        QFETCH(QStringList, command);
        QCOMPARE(DesktopLauncher::openCommand(Pulisci_Comando(registered), address), command);
    }

    void oneInstanceAtATime()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<SingleInstance>("Brivo Reminder", dir.path());
        QVERIFY(first->acquire());
        SingleInstance second("Brivo Reminder", dir.path());
        QVERIFY(!second.acquire());
        SingleInstance otherName("Another", dir.path());
        QVERIFY(otherName.acquire());
        first.reset();
        QVERIFY(second.acquire());

        // What a copy killed while running leaves: a lock naming a process that is gone.
        SingleInstance crashed("Crashed", dir.path());
        QFile lock(crashed.lockPath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("2147483600\nbrivo-reminder\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QVERIFY(crashed.acquire());
    }

    void shortTimeHasNoSeconds()
    {
        for (const auto& [locale, shown] : {std::pair{"C", "09:05"}, {"it_IT", "09:05"}, {"en_US", "9:05 AM"}}) {
            const SystemLocale system{QLocale(locale)};
            QCOMPARE(QTime(9, 5, 42).toString(system.shortTimeFormat()), QString(shown));
        }
    }

    void stopSignalsAskForAnOrderlyEnd()
    {
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
            SessionEnd end;
            QSignalSpy spy(&end, &SessionEnd::endRequested);
            std::raise(signal); // the process must survive it
            QVERIFY2(spy.wait(2000) && spy.count() == 1, qPrintable(QString::number(signal)));
        }
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
