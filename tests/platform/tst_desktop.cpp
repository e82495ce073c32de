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
    void addressIsItsOwnArgument()
    {
        const QString page = "https://www.example.org/a b;c&d";
        const struct {
            QString registered;
            QString address;
            QStringList command;
        } rows[] = {
            {"/usr/bin/browser --new-window  ", page, {"/usr/bin/browser", "--new-window", page}},
            {R"("C:\Program Files\Internet Explorer\iexplore.exe" -nohome "%1")", page,
                {R"(C:\Program Files\Internet Explorer\iexplore.exe)", page}}, // quoted program, quoted placeholder
            {"%U", page, {}},                                                  // nothing left
            {"xdg-open", "--help", {}},                                        // an option of the browser
            {"xdg-open", "  ", {}},                                            // empty
        };
        for (const auto& r : rows)
            QCOMPARE(DesktopLauncher::openCommand(Pulisci_Comando(r.registered), r.address), r.command);
    }

    void staleLockTakenOver()
    {
        // A live copy's lock is the program test's; a copy killed while
        // running leaves a lock naming a process that is gone.
        QTemporaryDir dir;
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
