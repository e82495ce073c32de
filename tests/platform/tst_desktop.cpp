#include "dialogs/EmailNoticeCore.h"
#include "platform/DesktopLauncher.h"
#include "platform/SessionEnd.h"
#include "platform/SingleInstance.h"
#include "platform/SystemLocale.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

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

    // Without a runtime folder of our own (none set, and the one Qt would use
    // in /tmp taken by another user), a lock another user holds under the
    // program's name in /tmp does not keep ours from starting.
    void anotherUsersLockInTmpStopsNothing()
    {
        if (::geteuid() != 0)
            QSKIP("needs root, to plant files as another user");
        QTemporaryDir dir;
        const QString tmp = dir.filePath("tmp"), cache = dir.filePath("cache");
        QVERIFY(QDir().mkpath(tmp + "/runtime-root"));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther));
        QVERIFY(::chmod(QFile::encodeName(tmp).constData(), 01777) == 0);
        QProcess sleeper; // a live process of the other user, named in its locks
        sleeper.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "sleep", "60"});
        QVERIFY(sleeper.waitForStarted());
        const QByteArray owner
            = QByteArray::number(sleeper.processId()) + "\nsleep\n" + QSysInfo::machineHostName().toUtf8() + "\n";
        for (const QString& path : {tmp + "/Brivo Reminder.lock", tmp + "/runtime-root/Brivo Reminder.lock"}) {
            QFile lock(path);
            QVERIFY(lock.open(QIODevice::WriteOnly) && lock.write(owner) == owner.size());
            lock.close();
        }
        const QString nobody = "nobody:nogroup";
        QVERIFY(QProcess::execute("chown", {"-R", nobody, tmp + "/runtime-root", tmp + "/Brivo Reminder.lock"}) == 0);
        QVERIFY(QFile::setPermissions(
            tmp + "/runtime-root", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmpdir = qgetenv("TMPDIR"),
                         cacheHome = qgetenv("XDG_CACHE_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("XDG_RUNTIME_DIR", runtime);
            qputenv("TMPDIR", tmpdir);
            qputenv("XDG_CACHE_HOME", cacheHome);
            sleeper.kill();
            sleeper.waitForFinished();
        });
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(tmp));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QStandardPaths: XDG_RUNTIME_DIR not set.*"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QStandardPaths: runtime directory .* is not owned.*"));
        SingleInstance instance("Brivo Reminder");
        QVERIFY2(instance.acquire(), qPrintable(instance.lockPath()));
        QVERIFY2(instance.lockPath().startsWith(cache + "/"), qPrintable(instance.lockPath()));
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
