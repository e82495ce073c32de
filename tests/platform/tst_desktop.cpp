#include "platform/CalendarLoader.h"
#include "platform/DesktopLauncher.h"
#include "platform/RunningCopy.h"
#include "platform/SessionEnd.h"
#include "platform/SingleInstance.h"
#include "platform/SystemLocale.h"
#include "state/AppState.h"
#include "sync/Calendar.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstring>
#include <functional>
#include <future>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

    // A later start's request and the running copy's answer line, words
    // with spaces, line ends, nothing and accents kept; nobody listening, or
    // a copy that never answers, is no answer within the time.
    void runningCopyAnswers()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("copy.socket");
        QLocalServer mute;
        QVERIFY(mute.listen(dir.filePath("mute.socket")));
        RunningCopy copy;
        QVERIFY(copy.listen(path));
        QCOMPARE(QFile::permissions(path) & 0x0077, 0); // the user's alone
        int shown = 0;
        copy.addVerb("show", [&](const QStringList& arguments) {
            ++shown;
            return RunningCopy::Answer{arguments.isEmpty(), {}};
        });
        copy.addVerb("echo", [](const QStringList& arguments) { return RunningCopy::Answer{true, arguments}; });
        const std::optional<QStringList> none;
        const struct {
            QString at;
            QStringList request;
            std::optional<QStringList> answer;
        } rows[] = {
            {"copy", {"show"}, QStringList{"ok"}},
            {"copy", {"show", "x"}, QStringList{"error"}},
            {"copy", {"echo", "a b", "", "line\nend", "è%20", ""},
                QStringList{"ok", "a b", "", "line\nend", "è%20", ""}},
            {"copy", {"frobnicate", "x"}, QStringList{"error", "unknown request"}},
            {"copy", {""}, QStringList{"error", "unknown request"}},
            {"nobody", {"show"}, none},
            {"mute", {"show"}, none},
        };
        for (const auto& [at, request, answer] : rows) {
            auto asked = std::async(std::launch::async, [&, at = at, request = request] {
                return RunningCopy::ask(dir.filePath(at + ".socket"), request, 1000);
            });
            QVERIFY(QTest::qWaitFor(
                [&] { return asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 5000));
            const std::optional<QStringList> got = asked.get();
            QVERIFY2(
                got == answer, qPrintable(request.join(u' ') + " -> " + got.value_or(QStringList{"none"}).join(u'|')));
        }
        QCOMPARE(shown, 2);
        // A second door on the same path (the lock's holder after a crash) replaces the first.
        RunningCopy next;
        QVERIFY(next.listen(path));
    }

    // What lies at the door's path when a copy starts: a dead copy's socket
    // is replaced; any other file is someone's and stays. The socket goes
    // with the door.
    void runningCopyDoorPath()
    {
        const auto deadSocket = [](const QString& path) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un where{};
            where.sun_family = AF_UNIX;
            std::strncpy(where.sun_path, QFile::encodeName(path).constData(), sizeof where.sun_path - 1);
            QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0);
            ::close(fd); // the file stays, nobody behind it
        };
        const auto file = [](const QString& path) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("kept") == 4);
        };
        const auto folder = [](const QString& path) { QVERIFY(QDir().mkdir(path)); };
        const struct {
            const char* before;
            std::function<void(const QString&)> make;
            bool listens;
        } rows[] = {
            {"nothing", {}, true},
            {"a dead copy's socket", deadSocket, true},
            {"a file", file, false},
            {"a folder", folder, false},
        };
        for (const auto& [before, make, listens] : rows) {
            QTemporaryDir dir;
            const QString path = dir.filePath("copy.socket");
            if (make)
                make(path);
            {
                RunningCopy copy;
                copy.addVerb("echo", [](const QStringList& arguments) { return RunningCopy::Answer{true, arguments}; });
                QVERIFY2(copy.listen(path) == listens, before);
                if (listens) {
                    QCOMPARE(QFileInfo(path).permissions() & 0x0077, 0);
                    auto asked = std::async(std::launch::async, [&] {
                        return RunningCopy::ask(path, {"echo", "x"}, 2000);
                    });
                    QVERIFY(QTest::qWaitFor(
                        [&] { return asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 5000));
                    QVERIFY2(asked.get() == QStringList({"ok", "x"}), before);
                }
            }
            if (listens)
                QVERIFY2(!QFileInfo::exists(path) && QDir(dir.path()).isEmpty(), before);
            else
                QVERIFY2(QFileInfo(path).isDir() || QFileInfo(path).size() == 4, before);
        }
    }

    // A request that comes in pieces is read whole; a socket another user
    // made is told nothing, and another user is not answered.
    void runningCopyPiecesAndUsers()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
        const QString path = dir.filePath("copy.socket");
        RunningCopy copy;
        QVERIFY(copy.listen(path));
        copy.addVerb("echo", [](const QStringList& arguments) { return RunningCopy::Answer{true, arguments}; });
        const auto wait = [](std::future<QByteArray>& f) {
            return QTest::qWaitFor(
                [&] { return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 8000);
        };
        auto pieces = std::async(std::launch::async, [&] {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un where{};
            where.sun_family = AF_UNIX;
            std::strncpy(where.sun_path, QFile::encodeName(path).constData(), sizeof where.sun_path - 1);
            QByteArray got;
            if (::connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0) {
                for (const char* piece : {"ec", "ho a%20", "b c", "\n"}) {
                    (void)::send(fd, piece, std::strlen(piece), MSG_NOSIGNAL);
                    QThread::msleep(100);
                }
                char buffer[256];
                for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
                    got.append(buffer, n);
            }
            ::close(fd);
            return got;
        });
        QVERIFY(wait(pieces));
        QCOMPARE(pieces.get(), QByteArray("ok a%20b c\n"));

        if (geteuid() != 0)
            QSKIP("another user: needs root to be one");
        const QStringList asNobody{"--reuid=65534", "--regid=65534", "--clear-groups", "/usr/bin/python3", "-c"};
        // Another user's listener answers "ok" to anything.
        QProcess theirs;
        theirs.start("setpriv",
            asNobody + QStringList{}
                << "import socket,sys\ns=socket.socket(socket.AF_UNIX)\ns.bind(sys.argv[1])\ns.listen()\n"
                   "print('ready',flush=True)\nwhile True:\n c,_=s.accept()\n c.sendall(b'ok\\n')\n c.close()"
                << dir.filePath("theirs.socket"));
        QVERIFY(theirs.waitForReadyRead(5000));
        const auto stop = qScopeGuard([&] {
            theirs.kill();
            theirs.waitForFinished();
        });
        QCOMPARE(RunningCopy::ask(dir.filePath("theirs.socket"), {"show"}, 1000), std::optional<QStringList>{});
        // Another user reaching this copy's socket (its rights widened here) gets no answer.
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        QProcess stranger;
        stranger.start("setpriv",
            asNobody + QStringList{}
                << "import socket,sys\nc=socket.socket(socket.AF_UNIX)\nc.connect(sys.argv[1])\n"
                   "c.sendall(b'echo x\\n')\nc.settimeout(3)\ntry:\n r=c.recv(100)\nexcept OSError:\n r=b''\n"
                   "print(repr(r))"
                << path);
        QVERIFY(QTest::qWaitFor([&] { return stranger.state() == QProcess::NotRunning; }, 8000));
        QCOMPARE(stranger.readAllStandardOutput().trimmed(), QByteArray("b''"));
    }

    // The calendar module is found by what it exports, not by its name; once
    // found it stays, and works on the program's own lists.
    void calendarModule()
    {
        QTemporaryDir dir;
        const QString notModule = dir.filePath("libbrivo_calendar.so");
        QFile text(notModule);
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a library") > 0);
        text.close();
        const struct {
            QStringList paths;
            bool found;
            const char* why;
        } rows[] = {
            {{"/nowhere/libbrivo_calendar.so"}, false, "/nowhere/libbrivo_calendar.so: no such file"},
            {{notModule}, false, "libbrivo_calendar.so"}, {{BRIVO_SOUND_MODULE}, false, "not the calendar module"},
            {{"/nowhere/libbrivo_calendar.so", BRIVO_CALENDAR_MODULE}, true, ""},
            {{"/nowhere/libbrivo_calendar.so"}, true, ""}, // kept once found
        };
        for (const auto& [paths, found, why] : rows) {
            QString said;
            Calendar* calendar = CalendarLoader::load(said, paths);
            QVERIFY2(bool(calendar) == found, qPrintable(paths.join(u' ')));
            QVERIFY2(said.contains(QLatin1String(why)), qPrintable(said));
            if (!calendar)
                continue;
            AppState state;
            REC_Memo memo;
            memo.ID = 1;
            memo.Nota = QStringLiteral("Chiamare l'idraulico");
            memo.TipoMemo = 1;
            memo.Attivo = 1;
            memo.TipoData = 1;
            memo.Data = 45366;
            memo.TipoOrario = 1;
            memo.Orario = 0.4375;
            memo.TipoAnticipo = 2;
            memo.Anticipo = -5;
            state.ArrMemo.append(memo);
            const QString ics = dir.filePath("out.ics");
            const IcsOutcome outcome = calendar->exportFile(state, ics, QDateTime::currentDateTime());
            QVERIFY(outcome.ok() && outcome.memos == 1);
            QFile out(ics);
            QVERIFY(out.open(QIODevice::ReadOnly) && out.readAll().contains("Chiamare l'idraulico"));
            QVERIFY(!state.ArrMemo.front().Uid.isEmpty()); // given in the module, kept in the program's list
        }
    }

    void shortTimeHasNoSeconds()
    {
        for (const auto& [locale, shown] : {std::pair{"C", "09:05"}, {"it_IT", "09:05"}, {"en_US", "9:05 AM"}}) {
            const SystemLocale system{QLocale(locale)};
            QCOMPARE(QTime(9, 5, 42).toString(system.shortTimeFormat()), QString(shown));
        }
        const std::pair<const char*, const char*> formats[] = {{"HH:mm:ss", "HH:mm"}, {"h:mm:ss AP", "h:mm AP"},
            {"HH.mm.ss.zzz", "HH.mm"}, {"ss", ""}, {"H:mm", "H:mm"}, {"h:mm:s a", "h:mm a"}, {"HH:mm :ss", "HH:mm"},
            {"ss:mm", ":mm"}, {"AP h:mm:ss", "AP h:mm"}, {"HH:mm:ss.z t", "HH:mm t"}, {"sss.zz", ""}, {"xs.zq", "q"}};
        for (const auto& [format, without] : formats)
            QCOMPARE(timeFormatWithoutSeconds(QString::fromLatin1(format)), QString::fromLatin1(without));
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
