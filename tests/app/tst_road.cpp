// The road of one memo on the real program under a real X server with a
// window manager: F3, a text, a time, the alarm switched on by a click, a
// tick that saves, then SIGTERM; the memo must be in Store.dat both times.
// The test starts Xvfb and openbox itself and drives them with xdotool; it
// skips when one of them is missing.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Columns right of the alarm switch (date, +/-, time, +/-, offset, +/-).
constexpr int rightOfAlarm = 67 + 16 + 35 + 16 + 25 + 16;
// Right of the grid's last column: the right-border panel and the frame.
constexpr int rightBorder = 17;

} // namespace

class TestRoad : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString display;
    QProcess xvfb;
    QProcess wm;
    QString xdotoolPath;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("QT_SCALE_FACTOR");
        env.insert("BRIVO_REMINDER_HOME", dir.filePath("home"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_CACHE_HOME", dir.filePath("cache"));
        env.insert("XDG_RUNTIME_DIR", dir.filePath("runtime"));
        env.insert("BRIVO_REMINDER_BOX_LOG", dir.filePath("boxes.log"));
        return env;
    }

    // quiet: a failure is expected (a search before the window is there).
    QString xdotool(const QStringList& arguments, bool quiet = false)
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(xdotoolPath, arguments);
        if ((!p.waitForFinished(15000) || p.exitCode() != 0) && !quiet)
            qWarning() << "xdotool" << arguments << p.readAllStandardError();
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }

    void keys(const QStringList& names)
    {
        for (const QString& k : names) {
            xdotool({"key", "--clearmodifiers", k});
            QTest::qWait(120);
        }
    }

private slots:
    void initTestCase()
    {
        const QString xvfbPath = QStandardPaths::findExecutable("Xvfb");
        const QString openbox = QStandardPaths::findExecutable("openbox");
        xdotoolPath = QStandardPaths::findExecutable("xdotool");
        if (xvfbPath.isEmpty() || openbox.isEmpty() || xdotoolPath.isEmpty())
            QSKIP("Xvfb, openbox or xdotool is not installed");
        for (const char* sub : {"home", "config", "data", "cache", "runtime"})
            QVERIFY(QDir(dir.path()).mkpath(sub));
        QFile::setPermissions(dir.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // A display number nobody uses: the lock file of each one in use is in /tmp.
        int n = 70 + int(QCoreApplication::applicationPid() % 200);
        while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            ++n;
        display = QStringLiteral(":%1").arg(n);
        xvfb.start(xvfbPath, {display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!xvfb.waitForStarted(5000))
            QSKIP("Xvfb does not start");
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
        for (int i = 0; i < 100 && !QFile::exists(socket); ++i)
            QTest::qWait(50);
        if (!QFile::exists(socket) || xvfb.state() != QProcess::Running)
            QSKIP("Xvfb did not open its display");
        wm.setProcessEnvironment(environment());
        wm.start(openbox, {});
        QVERIFY(wm.waitForStarted(5000));
        QTest::qWait(500);
    }

    void cleanupTestCase()
    {
        for (QProcess* p : {&wm, &xvfb}) {
            if (p->state() == QProcess::Running) {
                p->terminate();
                if (!p->waitForFinished(5000))
                    p->kill();
            }
        }
    }

    void roadOfOneMemo()
    {
        QProcess program;
        // A failed check leaves the program running: end it with the test.
        const auto stop = qScopeGuard([&] {
            if (program.state() == QProcess::Running) {
                program.kill();
                program.waitForFinished(5000);
            }
        });
        program.setProcessEnvironment(environment());
        program.start(QStringLiteral(BRIVO_PROGRAM), {});
        QVERIFY(program.waitForStarted());
        QString window;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(window = xdotool({"search", "--onlyvisible", "--name", "^Brivo Reminder$"}, true).section('\n', 0, 0))
                 .isEmpty(),
            15000);
        QTest::qWait(2000); // the start-up logo goes at the first tick
        xdotool({"windowactivate", "--sync", window});
        xdotool({"windowfocus", "--sync", window});

        // 1. F3 adds a memo with its text editor open; 2. text, time, alarm.
        keys({"F3"});
        xdotool({"type", "--delay", "60", "Dentista"});
        keys({"Return", "Tab", "Tab", "Tab", "Tab", "Tab"}); // from the done box to the time
        xdotool({"type", "--delay", "60", "18.30"});
        keys({"Return"});
        const QString geometry = xdotool({"getwindowgeometry", "--shell", window});
        const QRegularExpression widthField("WIDTH=(\\d+)");
        const auto width = widthField.match(geometry);
        QVERIFY2(width.hasMatch(), qPrintable(geometry));
        // The alarm switch of the first memo row, counted from the grid's
        // right edge; the row lies below the 20-pixel header.
        const int x = width.captured(1).toInt() - rightBorder - rightOfAlarm - 11;
        xdotool({"mousemove", "--window", window, "--sync", QString::number(x), "31"});
        xdotool({"click", "1"});

        // 3. The next tick writes the store.
        const QString store = dir.filePath("home/Store.dat");
        QTRY_VERIFY_WITH_TIMEOUT(readAll(store).contains("#_NT:Dentista"), 10000);
        const QRegularExpression memo(
            "#_NT:Dentista\\t#_ES:0\\t#_AT:1\\t#TDT:1\\t#_DT:\\d+\\t#TOR:1\\t#_OR:0[.,]7708333333333");
        QTRY_VERIFY_WITH_TIMEOUT(memo.match(QString::fromLatin1(readAll(store))).hasMatch(), 10000);

        // 8. The session ends: the memo is still there.
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(memo.match(QString::fromLatin1(readAll(store))).hasMatch(), readAll(store).constData());
        QVERIFY(!QFile::exists(dir.filePath("boxes.log"))); // no message box on the way
    }
};

QTEST_GUILESS_MAIN(TestRoad)
#include "tst_road.moc"
