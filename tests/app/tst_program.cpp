// The real program: start over a damaged store, a second start, SIGTERM, its
// command line, an installed copy, and under a real window manager its
// window's place, an alarm clock's road, the guide and /AutoRun. The road of
// one memo is tests/warnings/road_of_a_memo.sh.
#include "app/ProgramFolder.h"
#include "sync/Radicale.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

const QByteArray storeText = "#MEMO#\t#_ID:1\t#TME:1\t#_NT:Telefonare al dentista\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:45366"
                             "\t#TOR:1\t#_OR:0,4375\t#TAN:2\t#_AN:-5\r\n";
const QByteArray damagedStore = storeText + "#MEMO#\t#_ID:2\t#TME:1\t#_NT:Rotto\r\n";

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool makeDirs(const QString& root, const QStringList& subs)
{
    for (const QString& sub : subs) {
        if (!QDir(root).mkpath(sub))
            return false;
    }
    return QFile::setPermissions(root + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The program holds its lock and, a moment later, has set up the handlers
// that make SIGTERM end it in order.
bool started(const QString& runtimeDir)
{
    if (!QTest::qWaitFor([&] { return QFile::exists(runtimeDir + "/Brivo Reminder.lock"); }, 10000))
        return false;
    QTest::qWait(1000);
    return true;
}

// Ends a started program as the session end does, so that it saves; pid
// when p only wraps it.
bool terminate(QProcess& p, qint64 pid = 0)
{
    ::kill(pid_t(pid ? pid : p.processId()), SIGTERM);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The main window's position in the settings file.
const QString leftKey("Brivo Reminder/Impostazioni/Ultima_pos_Left");
const QString topKey("Brivo Reminder/Impostazioni/Ultima_pos_Top");

// Xvfb and openbox on a display of their own, for what only a real desktop
// shows, and fresh folders for the program. env gets the display and the
// folders; missing says why there is no desktop.
class Desktop {
public:
    explicit Desktop(QProcessEnvironment& env)
    {
        if (!makeDirs(t.path(), {"config", "home", "runtime"})) {
            missing = "no folders for the program";
            return;
        }
        env.insert("XDG_CONFIG_HOME", t.filePath("config"));
        env.insert("BRIVO_REMINDER_HOME", t.filePath("home"));
        env.insert("XDG_RUNTIME_DIR", t.filePath("runtime"));
        for (const char* tool : {"Xvfb", "openbox", "xdotool"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                missing = QString("%1 is not installed (scripts/setup.sh installs it)").arg(tool);
                return;
            }
        }
        x.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!x.waitForStarted() || !x.waitForReadyRead(10000)) {
            missing = "Xvfb did not start";
            return;
        }
        env.insert("DISPLAY", ":" + QString::fromUtf8(x.readLine()).trimmed());
        env.insert("QT_QPA_PLATFORM", "xcb");
        wm.setProcessEnvironment(env);
        wm.start("openbox", {});
        wm.waitForStarted();
        QTest::qWait(500);
        if (wm.state() != QProcess::Running)
            missing = "the window manager did not start";
    }
    ~Desktop()
    {
        for (QProcess* p : {&wm, &x}) {
            p->kill();
            p->waitForFinished();
        }
    }
    QString missing;
    QTemporaryDir t;

private:
    QProcess x;
    QProcess wm;
};

// xdotool on the desktop of env; what it printed.
QString xdotool(const QProcessEnvironment& env, const QStringList& arguments)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start("xdotool", arguments);
    p.waitForFinished(15000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// What a CalDAV collection holds, as one text.
QByteArray collectionText(const QUrl& collection)
{
    QProcess curl;
    curl.start("curl",
        {"-s", "-X", "REPORT", "-H", "Depth: 1", "-H", "Content-Type: application/xml", "--data",
            "<c:calendar-query xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:d=\"DAV:\"><d:prop>"
            "<c:calendar-data/></d:prop><c:filter><c:comp-filter name=\"VCALENDAR\"/></c:filter>"
            "</c:calendar-query>",
            collection.toString()});
    curl.waitForFinished(15000);
    return curl.readAllStandardOutput();
}

// The first visible window whose name matches title, waiting up to ten seconds; empty if none.
QString findWindow(const QProcessEnvironment& env, const QString& title)
{
    QString id;
    for (int i = 0; i < 100 && (id = xdotool(env, {"search", "--onlyvisible", "--name", title})).isEmpty(); ++i)
        QTest::qWait(100);
    return id.section('\n', 0, 0);
}

bool launch(QProcess& p, const QProcessEnvironment& env, const QStringList& arguments = {},
    const QString& program = QStringLiteral(BRIVO_PROGRAM))
{
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    return p.waitForStarted();
}

bool writeFile(const QString& path, const QByteArray& text)
{
    QFile f(path);
    return QFileInfo(path).dir().mkpath(".") && f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("BRIVO_REMINDER_HOME", dir.filePath("home"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_RUNTIME_DIR", dir.filePath("runtime"));
        env.insert("XDG_STATE_HOME", dir.filePath("state"));
        env.insert("BRIVO_REMINDER_BOX_LOG", dir.filePath("boxes.log"));
        return env;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(makeDirs(dir.path(), {"home", "config", "data", "runtime"}));
        QVERIFY(writeFile(dir.filePath("home/Store.dat"), damagedStore));
    }

    // The first copy starts over a store damaged in its second memo and runs
    // with the first; a second start is answered by it and ends quietly, or
    // with the box when the first is hung; SIGTERM saves, and the damaged
    // file is kept.
    void secondStartLeavesTheFirstAndSigtermSaves()
    {
        QProcess first;
        QVERIFY(launch(first, environment()) && started(dir.filePath("runtime")));
        QCOMPARE(QFile::permissions(dir.filePath("runtime/Brivo Reminder.socket")) & 0x0077, 0);
        for (const bool hung : {false, true}) {
            if (hung)
                ::kill(pid_t(first.processId()), SIGSTOP);
            QProcess second;
            QVERIFY(launch(second, environment()) && second.waitForFinished(10000));
            ::kill(pid_t(first.processId()), SIGCONT);
            QCOMPARE(second.exitCode(), 0);
            QCOMPARE(QString::fromUtf8(second.readAll()), QString());
            QCOMPARE(readAll(dir.filePath("boxes.log")).contains("il programma è già attivo!"), hung);
        }
        QVERIFY(readAll(dir.filePath("boxes.log")).startsWith("Brivo Reminder\tFile dati corrotto e/o illeggibile!"));
        QCOMPARE(first.state(), QProcess::Running);
        // Another session's copy (a runtime folder of its own) on the same store ends too.
        QVERIFY(QDir(dir.path()).mkdir("runtime2"));
        QVERIFY(
            QFile::setPermissions(dir.filePath("runtime2"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcessEnvironment other = environment();
        other.insert("XDG_RUNTIME_DIR", dir.filePath("runtime2"));
        QProcess third;
        QVERIFY(launch(third, other) && third.waitForFinished(10000));
        QCOMPARE(third.exitCode(), 0);
        QVERIFY(readAll(dir.filePath("boxes.log")).contains("i promemoria di questa cartella sono già aperti"));
        QCOMPARE(first.state(), QProcess::Running);
        QVERIFY(!QFile::exists(dir.filePath("home/Store_old.dat"))); // the first has not saved yet

        QVERIFY(terminate(first));
        QCOMPARE(readAll(dir.filePath("home/Store_old.dat")), damagedStore);
        const QStringList kept = QDir(dir.filePath("home")).entryList({"Store_damaged_*.dat"});
        QVERIFY(kept.size() == 1 && readAll(dir.filePath("home/" + kept[0])) == damagedStore);
        QVERIFY(readAll(dir.filePath("home/Store.dat")).contains("#_NT:Telefonare al dentista"));
        const QByteArray settings = readAll(dir.filePath("config/Brivo/BrivoReminder.ini"));
        QVERIFY(settings.contains("qt_aperture_prog=1"));
        // Made by the program, so the user's alone.
        QCOMPARE(QFile::permissions(dir.filePath("config/Brivo/BrivoReminder.ini")) & 0x7077,
            QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(!QFile::exists(dir.filePath("runtime/Brivo Reminder.lock")));
        QVERIFY(!QFile::exists(dir.filePath("home/Store.lock")));
    }

    // A language in the settings that the program does not know: it says so
    // once, stays up past its first checks, and keeps the language it used.
    void unknownLanguageRuns()
    {
        QTemporaryDir t;
        QVERIFY(makeDirs(t.path(), {"home", "config/Brivo", "runtime"}));
        const QString ini = t.filePath("config/Brivo/BrivoReminder.ini");
        QVERIFY(writeFile(ini, "[Brivo%20Reminder]\nImpostazioni\\Lingua_attuale=Klingon\n"));
        QProcessEnvironment env = environment();
        env.insert("BRIVO_REMINDER_HOME", t.filePath("home"));
        env.insert("XDG_CONFIG_HOME", t.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", t.filePath("runtime"));
        env.insert("BRIVO_REMINDER_BOX_LOG", t.filePath("boxes.log"));
        QProcess p;
        QVERIFY(launch(p, env) && started(t.filePath("runtime")));
        QTest::qWait(5000); // the first tick and a checking one
        QCOMPARE(p.state(), QProcess::Running);
        const QString boxes = QString::fromUtf8(readAll(t.filePath("boxes.log")));
        QCOMPARE(boxes.count('\n'), 1);
        QVERIFY2(boxes.contains("\"Klingon\""), qPrintable(boxes));
        QVERIFY(terminate(p));
        const QString language
            = QSettings(ini, QSettings::IniFormat).value("Brivo Reminder/Impostazioni/Lingua_attuale").toString();
        QVERIFY2(language == "Italiano (Italia)" || language == "English (UK)", qPrintable(language));
    }

    // --help and --version answer and end; other arguments but the switch first are reported and ignored.
    void commandLine()
    {
        const QString none;
        const struct {
            QString argument;
            bool ends;
            QString out, err;
        } rows[] = {
            {"--help", true, "Usage: brivo-reminder [/AutoRun]", none},
            {"--version", true, "Brivo Reminder " BRIVO_VERSION "\n", none},
            {"--frobnicate", false, none, "brivo-reminder: unknown argument ignored: --frobnicate"},
            {"/autorun", false, none, none},
            {"-x /AutoRun", false, none, "unknown argument ignored: /AutoRun"}, // the switch only first
        };
        for (const auto& [argument, ends, out, err] : rows) {
            QProcessEnvironment env = environment();
            if (ends) { // no display is needed to answer
                env.insert("QT_QPA_PLATFORM", "xcb");
                env.remove("DISPLAY");
            }
            QProcess p;
            QVERIFY(launch(p, env, argument.split(u' ')));
            if (!ends)
                QVERIFY(started(dir.filePath("runtime")) && terminate(p));
            else
                QVERIFY(p.waitForFinished(10000) && p.exitCode() == 0);
            const QString stdOut = QString::fromUtf8(p.readAllStandardOutput());
            const QString stdErr = QString::fromUtf8(p.readAllStandardError());
            QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), qPrintable(stdOut));
            QVERIFY2(err.isEmpty() ? !stdErr.contains("argument") : stdErr.contains(err), qPrintable(stdErr));
        }
    }

    // Folders relative to a temporary root; an empty home is no override.
    void folders()
    {
        QTemporaryDir t;
        QVERIFY(makeDirs(t.path(), {"opt/brivo", "prefix/bin", "prefix/share/brivo-reminder", "bare/bin", "runtime"}));
        const QString root = t.path() + "/";
        const QString share("prefix/share/brivo-reminder/");
        const struct {
            QString exeDir, home, data, sounds, help;
        } rows[] = {
            {"opt/brivo", {}, "opt/brivo", "opt/brivo/Suoni", "opt/brivo/help"},        // portable
            {"prefix/bin", {}, "user/Brivo Reminder", share + "Suoni", share + "help"}, // installed, any prefix
            {"bare/bin", {}, "bare/bin", "bare/bin/Suoni", "bare/bin/help"},            // bin without the share folder
            {"prefix/bin", "h/", "h", "h/Suoni", share + "help"},                       // override beats installed
        };
        for (const auto& [exeDir, home, data, sounds, help] : rows) {
            const ProgramFolders f
                = resolveProgramFolders(root + exeDir, home.isEmpty() ? "" : root + home, root + "user");
            QCOMPARE(f.data, root + data);
            QCOMPARE(f.sounds, root + sounds);
            QCOMPARE(f.help, root + help);
            QCOMPARE(f.installed, exeDir == "prefix/bin");
        }
    }

    // The README's own install, to a prefix the build was not configured with.
    void installedCopyKeepsItsStoreInTheDataFolder()
    {
        QTemporaryDir t;
        QVERIFY(makeDirs(t.path(), {"config", "data", "runtime"}));
        QProcess install;
        install.start(QStringLiteral(CMAKE_COMMAND), {"--install", BUILD_DIR, "--prefix", t.filePath("prefix")});
        QVERIFY(install.waitForFinished(60000));
        QCOMPARE(install.exitCode(), 0);
        QVERIFY(QFileInfo(t.filePath("prefix/share/brivo-reminder/Suoni")).isDir());

        QProcessEnvironment env = environment();
        env.remove("BRIVO_REMINDER_HOME");
        env.insert("XDG_CONFIG_HOME", t.filePath("config"));
        env.insert("XDG_DATA_HOME", t.filePath("data"));
        env.insert("XDG_RUNTIME_DIR", t.filePath("runtime"));
        QProcess p;
        QVERIFY(launch(p, env, {}, t.filePath("prefix/bin/brivo-reminder")));
        QVERIFY(started(t.filePath("runtime")) && terminate(p));
        QVERIFY(QFile::exists(t.filePath("data/Brivo Reminder/Store.dat")));
        QVERIFY(QDir(t.filePath("prefix/bin")).entryList(QDir::Files) == QStringList{"brivo-reminder"});
    }

    // Under a window manager, a window opened and closed without moving opens
    // where it was, at scale factors 1 and 2.
    void positionKeptFromStartToStart()
    {
        // At scale 1; at scale 2, with a position saved at scale 1 before the first start.
        const std::pair<QString, QPoint> rows[] = {{"1", QPoint(-1, -1)}, {"2", QPoint(1000, 800)}};
        for (const auto& [scale, seed] : rows) {
            QProcessEnvironment env = environment();
            env.insert("QT_SCALE_FACTOR", scale);
            Desktop desktop(env);
            if (!desktop.missing.isEmpty())
                QSKIP(qPrintable(desktop.missing));

            const QString ini = desktop.t.filePath("config/Brivo/BrivoReminder.ini");
            if (seed.x() >= 0) {
                QSettings settings(ini, QSettings::IniFormat);
                settings.setValue(leftKey, seed.x());
                settings.setValue(topKey, seed.y());
            }
            QList<QPoint> onScreen;
            QList<QPoint> saved;
            for (int start = 0; start < 3; ++start) {
                QProcess p;
                QVERIFY(launch(p, env));
                const QString window = findWindow(env, "^Brivo Reminder$");
                QVERIFY(!window.isEmpty());
                QTest::qWait(500); // the window manager's placement reaches the program
                const QString where = xdotool(env, {"getwindowgeometry", window});
                const auto m
                    = QRegularExpression("Position: (-?\\d+),(-?\\d+).*\\n.*Geometry: (\\d+)x(\\d+)").match(where);
                const QRect shown(
                    m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
                onScreen.append(shown.topLeft());
                QVERIFY(terminate(p));
                const QSettings settings(ini, QSettings::IniFormat);
                QVERIFY(settings.contains(leftKey) && settings.contains(topKey));
                saved.append(QPoint(settings.value(leftKey).toInt(), settings.value(topKey).toInt()));
                // The saved position is the client area's, in the program's own
                // pixels; the size is the one on screen.
                QVERIFY2(QRect(saved.last() * scale.toInt(), shown.size()).intersected(QRect(0, 0, 1280, 1024)).size()
                        == shown.size(),
                    qPrintable(where.simplified()));
            }
            QCOMPARE(saved[1], saved[0]);
            QCOMPARE(saved[2], saved[0]);
            QCOMPARE(onScreen[2], onScreen[1]);
        }
    }

    // Under a window manager, with a CalDAV server the settings name: a
    // memo of the store goes there and one made there comes here at start;
    // one made there later comes with the pass at SIGTERM.
    void syncsWithACalDavServer()
    {
        if (QStandardPaths::findExecutable("radicale").isEmpty() || QStandardPaths::findExecutable("curl").isEmpty())
            QSKIP("radicale or curl is not installed (scripts/setup.sh installs them)");
        QProcessEnvironment env = environment();
        Desktop desktop(env);
        if (!desktop.missing.isEmpty())
            QSKIP(qPrintable(desktop.missing));
        env.insert("BRIVO_REMINDER_BOX_LOG", desktop.t.filePath("boxes.log"));
        Radicale server;
        QVERIFY(server.start());
        auto put = [&](const QString& name, const QByteArray& body, const QByteArray& verb = "PUT") {
            QProcess curl;
            curl.start("curl",
                {"-s", "-o", "/dev/null", "-w", "%{http_code}", "-X", verb, "-H", "Content-Type: text/calendar",
                    "--data-binary", body, server.url(name).toString()});
            curl.waitForFinished(15000);
            return curl.readAllStandardOutput();
        };
        QCOMPARE(put("/anna/", {}, "MKCOL"), "201");
        QCOMPARE(put("/anna/promemoria/", {}, "MKCALENDAR"), "201");
        auto task = [](const QByteArray& uid, const QByteArray& summary) {
            return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VTODO\r\nUID:" + uid
                + "\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:" + summary
                + "\r\nDUE:20300315T103000\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
        };
        QCOMPARE(put("/anna/promemoria/phone-1.ics", task("phone-1", "Ritirare il pacco")), "201");
        QVERIFY(writeFile(desktop.t.filePath("home/Store.dat"), storeText));
        {
            QSettings settings(desktop.t.filePath("config/Brivo/BrivoReminder.ini"), QSettings::IniFormat);
            settings.setValue("Brivo Reminder/Impostazioni/CalDAV_URL", server.url().toString());
        }

        QProcess p;
        QVERIFY(launch(p, env));
        QVERIFY(!findWindow(env, "^Brivo Reminder$").isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(collectionText(server.url()).contains("SUMMARY:Telefonare al dentista"), 20000);
        // The tick saves what the pass brought.
        QTRY_VERIFY_WITH_TIMEOUT(
            readAll(desktop.t.filePath("home/Store.dat")).contains("#_NT:Ritirare il pacco"), 20000);
        QTRY_VERIFY(readAll(desktop.t.filePath("home/Sync.json")).contains("phone-1")); // written after the store
        if (const QString shots = qEnvironmentVariable("BRIVO_SHOTS"); !shots.isEmpty()) {
            QTest::qWait(500);
            QProcess shot;
            shot.setProcessEnvironment(env);
            shot.start("import", {"-window", "root", shots + "/sync-pulled.png"});
            shot.waitForFinished(15000);
        }

        QCOMPARE(put("/anna/promemoria/phone-2.ics", task("phone-2", "Chiamare Bruno")), "201");
        QVERIFY(terminate(p));
        const QByteArray store = readAll(desktop.t.filePath("home/Store.dat"));
        QVERIFY(store.contains("#_NT:Ritirare il pacco") && store.contains("#_NT:Chiamare Bruno"));
        QCOMPARE(store.count("#_NT:Telefonare al dentista"), 1);
        QCOMPARE(collectionText(server.url()).count("BEGIN:VTODO"), 3);
        QCOMPARE(readAll(desktop.t.filePath("boxes.log")), QByteArray());
    }

    // Roads on the real desktop, in xdotool's steps and the test's own: "find"
    // a window by its name and activate it, "gone" waits until no window has
    // the name, "at" a point of the window, "clock" sets the program's clock,
    // "tray" starts a notification area and makes it the window, "boxes"
    // waits for that many boxes shown, "shot" takes a screenshot into the
    // folder $BRIVO_SHOTS names, if any, "sigterm" ends the program as the
    // session's end does, "store" waits until the store matches a pattern. The program starts on 3 June 2024 at 10:00
    // under faketime, over a store of its own when a row gives one. At the end a file of the test's folder matches a
    // pattern.
    void roads_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QList<QStringList>>("steps");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("pattern");
        // Made in its window (F2, F3 rings an hour from now, a name, closed),
        // it rings at 11:00 on two days running.
        const QStringList ring{"find", "^Brivo Reminder - (Sveglia|Clocks)$"};
        QTest::newRow("alarm clock on two days")
            << QByteArray() << QStringList{}
            << QList<QStringList>{{"key", "F2"}, {"find", "^(Impostazione sveglie|Clocks setup)$"}, {"key", "F3"},
                   {"type", "--delay", "50", "Palestra"}, {"key", "Return"}, {"key", "Escape"},
                   {"clock", "@2024-06-03 10:59:58"}, ring, {"key", "Return"}, {"gone", ring[1]},
                   {"clock", "@2024-06-04 10:59:58"}, ring}
            << "home/Store.dat"
            << "#SVEGLIA#\\t#TSV:1\\t#_MS:Palestra\\t";
        // Two made in one minute ring in one window that shows both messages,
        // as its desktop notification tells.
        QTest::newRow("two alarm clocks in one minute")
            << QByteArray() << QStringList{}
            << QList<QStringList>{{"key", "F2"}, {"find", "^(Impostazione sveglie|Clocks setup)$"}, {"key", "F3"},
                   {"type", "--delay", "50", "Palestra"}, {"key", "Return"}, {"key", "F3"},
                   {"type", "--delay", "50", "Medicina"}, {"key", "Return"}, {"key", "Escape"},
                   {"clock", "@2024-06-03 10:59:58"}, ring}
            << "bus.log"
            << "Palestra\\n[^\\n]*Medicina|Medicina\\n[^\\n]*Palestra";
        // Text typed in a cell, the editor still open, when the session
        // ends: in a new memo of the list, and in an alarm clock's message
        // with its window open.
        QTest::newRow("memo typed, then SIGTERM")
            << QByteArray() << QStringList{}
            << QList<QStringList>{{"key", "F3"}, {"type", "--delay", "50", "Dal medico"}, {"sigterm"}}
            << "home/Store.dat"
            << "#MEMO#\\t#_ID:1\\t#TME:1\\t#_NT:Dal medico\\t";
        QTest::newRow("alarm message typed, then SIGTERM")
            << QByteArray() << QStringList{}
            << QList<QStringList>{{"key", "F2"}, {"find", "^(Impostazione sveglie|Clocks setup)$"}, {"key", "F3"},
                   {"type", "--delay", "50", "Palestra"}, {"sigterm"}}
            << "home/Store.dat"
            << "#SVEGLIA#\\t#TSV:1\\t#_MS:Palestra\\t";
        // The help icon, last of the bar, opens the guide's page of the
        // language in the browser: a stub that writes down what it is given,
        // the desktop's default browser and xdg-open first on PATH.
        const QList<QStringList> help{{"at", "11", "134"}, {"click", "1"}};
        QTest::newRow("guide in English") << QByteArray() << QStringList{} << help << "browser.log"
                                          << "^/.*/help/guide.html$";
        // Started before the notification area: Esc (a close) asks the exit
        // question, answered No. A notification area appearing later gets the
        // icon by itself, closing then hides the window, and a double click on
        // the icon brings it back; hidden again, the area going away does.
        const QString main("^Brivo Reminder$");
        QTest::newRow("notification area appearing later")
            << QByteArray() << QStringList{}
            << QList<QStringList>{{"key", "Escape"}, {"boxes", "1"}, {"find", main}, {"tray"}, {"find", main},
                   {"key", "Escape"}, {"gone", main}, {"boxes", "1"}, {"tray"}, {"at", "10", "10"},
                   {"click", "--repeat", "2", "--delay", "100", "1"}, {"find", main}, {"key", "Escape"}, {"gone", main},
                   {"notray"}, {"find", main}}
            << QString() << QString();
        // The same with a StatusNotifier panel (its watcher on the session
        // bus), there before the program or appearing later: the icon
        // registers, a close hides the window without a question, Activate (a
        // left click) brings it back raised and active. The panel going away
        // brings the hidden window back; a panel starting again gets the icon.
        QTest::newRow("StatusNotifier panel before the program")
            << QByteArray() << QStringList{}
            << QList<QStringList>{{"watcher"}, {"registered", "1"}, {"key", "Escape"}, {"gone", main}, {"activate"},
                   {"active", main}, {"boxes", "0"}}
            << QString() << QString();
        QTest::newRow("StatusNotifier panel appearing later")
            << QByteArray() << QStringList{}
            << QList<QStringList>{{"key", "Escape"}, {"boxes", "1"}, {"find", main}, {"watcher"}, {"registered", "1"},
                   {"key", "Escape"}, {"gone", main}, {"boxes", "1"}, {"activate"}, {"active", main}, {"key", "Escape"},
                   {"gone", main}, {"nowatcher"}, {"find", main}, {"watcher"}, {"registered", "2"}}
            << QString() << QString();
        // A second start brings the hidden window back, raised and active,
        // and ends quietly; with the first copy hung it ends with the box.
        QTest::newRow("second start") << QByteArray() << QStringList{"/AutoRun"}
                                      << QList<QStringList>{{"watcher"}, {"gone", main}, {"again"}, {"active", main},
                                             {"boxes", "0"}, {"stop"}, {"again"}, {"cont"}, {"boxes", "1"}}
                                      << "boxes.log"
                                      << "programma \\S+ gi\\S+ attivo";
        // By keys alone: a memo made, marked done, its bell armed, its date a
        // day on and one more from the calendar; an alarm clock made and its
        // window closed from its "Chiudi" button, reached by Shift+Tab from
        // the grid. The store is checked after each step.
        const QString memo("#_NT:Dal dentista\\t#_ES:");
        QTest::newRow("keyboard alone") << QByteArray() << QStringList{}
                                        << QList<QStringList>{{"key", "F3"}, {"type", "--delay", "50", "Dal dentista"},
                                               {"key", "Return"}, {"store", memo + "0\\t"}, {"key", "space"},
                                               {"store", memo + "1\\t#_AT:0\\t"}, {"key", "Right", "Right"},
                                               {"key", "space"}, {"store", memo + "1\\t#_AT:1\\t"}, {"key", "Right"},
                                               {"key", "ctrl+Up"}, {"store", memo + ".*#_DT:45447\\t"},
                                               {"key", "alt+Down"}, {"find", "^(Data|Date)$"}, {"key", "Right"},
                                               {"key", "Return"}, {"gone", "^(Data|Date)$"},
                                               {"store", memo + ".*#_DT:45448\\t"}, {"find", "^Brivo Reminder$"},
                                               {"key", "F2"}, {"find", "^(Impostazione sveglie|Clocks setup)$"},
                                               {"key", "F3"}, {"type", "--delay", "50", "Palestra"}, {"key", "Return"},
                                               {"key", "shift+Tab"}, {"key", "space"},
                                               {"gone", "^(Impostazione sveglie|Clocks setup)$"}}
                                        << "home/Store.dat"
                                        << "#SVEGLIA#\\t#TSV:1\\t#_MS:Palestra\\t";
        // Hidden at the first tick, with no tray notice.
        QTest::newRow("/AutoRun") << QByteArray() << QStringList{"/AutoRun"}
                                  << QList<QStringList>{{"gone", "^Brivo Reminder"}} << QString() << QString();
        // A memo falling due at 10:25 while the options are open: its warning
        // takes Enter (5 minutes more: the offset becomes 0) and goes, the
        // options staying open until their own Esc.
        const QStringList options{"find", "^(Opzioni|Options)$"};
        const QString warning("(Avviso promemoria|Alarm warning) - Brivo Reminder$");
        QTest::newRow("warning over the options")
            << QByteArray(storeText).replace("#_DT:45366", "#_DT:45446") << QStringList{}
            << QList<QStringList>{{"key", "F4"}, options, {"clock", "@2024-06-03 10:24:58"}, {"find", warning},
                   {"shot", "warning-over-options"}, {"key", "Return"}, {"gone", warning}, options, {"key", "Escape"},
                   {"gone", options[1]}}
            << "home/Store.dat"
            << "#_NT:Telefonare al dentista\\t.*#_AN:0\\s*$";
    }
    void roads()
    {
        QFETCH(QByteArray, store);
        QFETCH(QStringList, arguments);
        QFETCH(QList<QStringList>, steps);
        QFETCH(QString, file);
        QFETCH(QString, pattern);
        QProcessEnvironment e = environment();
        Desktop desktop(e);
        if (!desktop.missing.isEmpty())
            QSKIP(qPrintable(desktop.missing));
        if (QStandardPaths::findExecutable("faketime").isEmpty())
            QSKIP("faketime is not installed (scripts/setup.sh installs it)");
        const QString clock = desktop.t.filePath("clock");
        QVERIFY(writeFile(clock, "@2024-06-03 10:00:00"));
        QVERIFY(store.isEmpty() || writeFile(desktop.t.filePath("home/Store.dat"), store));
        e.insert("FAKETIME_TIMESTAMP_FILE", clock);
        e.insert("FAKETIME_NO_CACHE", "1");
        e.insert("FAKETIME_DONT_FAKE_MONOTONIC", "1");
        const QString browser = desktop.t.filePath("bin/xdg-open");
        QVERIFY(writeFile(browser, "#!/bin/sh\necho \"$@\" >>\"$(dirname \"$0\")/../browser.log\"\n"));
        QVERIFY(QFile::setPermissions(browser, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(writeFile(desktop.t.filePath("data/applications/stub.desktop"),
            "[Desktop Entry]\nType=Application\nName=Stub\nExec=" + browser.toUtf8() + " %u\n"));
        QVERIFY(writeFile(desktop.t.filePath("config/mimeapps.list"),
            "[Default Applications]\nx-scheme-handler/http=stub.desktop\nx-scheme-handler/https=stub.desktop\n"));
        e.insert("XDG_DATA_HOME", desktop.t.filePath("data"));
        const QString boxes = desktop.t.filePath("boxes.log");
        e.insert("BRIVO_REMINDER_BOX_LOG", boxes);
        e.insert("PATH", desktop.t.filePath("bin") + ':' + e.value("PATH"));
        // A session bus of the road's own: bus.log has what the program tells the desktop.
        QProcess bus, monitor;
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForReadyRead(10000));
        const QString address = QString::fromUtf8(bus.readLine()).trimmed();
        e.insert("DBUS_SESSION_BUS_ADDRESS", address);
        monitor.setStandardOutputFile(desktop.t.filePath("bus.log"));
        monitor.start("dbus-monitor", {"--address", address, "interface='org.freedesktop.Notifications'"});
        const auto stopBus = qScopeGuard([&] {
            for (QProcess* q : {&monitor, &bus}) {
                q->kill();
                q->waitForFinished();
            }
        });

        // A panel's StatusNotifier watcher; "watcher" first in the steps starts it before the program.
        QProcess p, tray, watcher;
        QByteArray watcherOut;
        const auto startWatcher = [&] {
            watcher.setProcessEnvironment(e);
            QObject::connect(&watcher, &QProcess::readyReadStandardOutput, &watcher,
                [&] { watcherOut += watcher.readAllStandardOutput(); });
            watcher.start(FAKE_WATCHER, {});
            return watcher.waitForStarted();
        };
        const auto stopWatcher = qScopeGuard([&] {
            watcher.kill();
            watcher.waitForFinished();
        });
        if (steps[0][0] == "watcher")
            QVERIFY(startWatcher());
        // The faketime wrapper's own fixed time would hide the clock file.
        QVERIFY(launch(p, e, QStringList{"now", "env", "-u", "FAKETIME", BRIVO_PROGRAM} + arguments, "faketime"));
        QString window = findWindow(e, "^Brivo Reminder$");
        QVERIFY(!window.isEmpty());
        const qint64 pid = xdotool(e, {"getwindowpid", window}).toLongLong();
        QTest::qWait(2000); // the start-up logo goes at the first tick
        if (steps[0][0] != "gone" && arguments.isEmpty())
            xdotool(e, {"windowactivate", "--sync", window});
        for (QStringList step : steps) {
            if (step[0] == "find") {
                window = findWindow(e, step[1]);
                QVERIFY2(!window.isEmpty(), qPrintable(step[1]));
                QTest::qWait(1200); // a warning ignores the keys of its first second
                step = {"windowactivate", "--sync", window};
            } else if (step[0] == "gone") {
                QTRY_VERIFY2_WITH_TIMEOUT(
                    xdotool(e, {"search", "--onlyvisible", "--name", step[1]}).isEmpty(), qPrintable(step[1]), 10000);
                continue;
            } else if (step[0] == "clock") {
                QVERIFY(writeFile(clock, step[1].toUtf8()));
                continue;
            } else if (step[0] == "shot") {
                const QString shots = qEnvironmentVariable("BRIVO_SHOTS");
                if (!shots.isEmpty() && !QStandardPaths::findExecutable("import").isEmpty()) {
                    QTest::qWait(500); // drawn
                    QProcess shot;
                    shot.setProcessEnvironment(e);
                    shot.start("import", {"-window", "root", shots + '/' + step[1] + ".png"});
                    QVERIFY(shot.waitForFinished(15000) && shot.exitCode() == 0);
                }
                continue;
            } else if (step[0] == "store") {
                const QRegularExpression re(step[1]);
                QTRY_VERIFY2_WITH_TIMEOUT(
                    re.match(QString::fromLatin1(readAll(desktop.t.filePath("home/Store.dat")))).hasMatch(),
                    qPrintable(step[1]), 10000);
                continue;
            } else if (step[0] == "boxes") {
                QTRY_COMPARE(readAll(boxes).count('\n'), step[1].toInt());
                continue;
            } else if (step[0] == "tray") {
                if (QStandardPaths::findExecutable("trayer").isEmpty())
                    QSKIP("trayer is not installed (scripts/setup.sh installs it)");
                if (tray.state() == QProcess::NotRunning) {
                    tray.setProcessEnvironment(e);
                    tray.start("trayer", {"--edge", "top", "--align", "left", "--widthtype", "request"});
                }
                QTRY_VERIFY(!(window = xdotool(e, {"search", "--onlyvisible", "--class", "trayer"})).isEmpty());
                window = window.section('\n', 0, 0);
                QTest::qWait(1000); // the icon docks
                continue;
            } else if (step[0] == "notray") {
                tray.kill();
                tray.waitForFinished();
                continue;
            } else if (step[0] == "watcher") {
                if (watcher.state() == QProcess::NotRunning)
                    QVERIFY(startWatcher());
                continue;
            } else if (step[0] == "registered") {
                QTRY_COMPARE(QString::fromUtf8(watcherOut).count("registered "), step[1].toInt());
                continue;
            } else if (step[0] == "activate") {
                watcher.write("activate\n");
                QTRY_VERIFY(watcherOut.contains("activated"));
                watcherOut.replace("activated", "");
                continue;
            } else if (step[0] == "nowatcher") {
                watcher.terminate();
                QVERIFY(watcher.waitForFinished());
                continue;
            } else if (step[0] == "active") {
                const QRegularExpression name(step[1]);
                QTRY_VERIFY2_WITH_TIMEOUT(name.match(xdotool(e, {"getactivewindow", "getwindowname"})).hasMatch(),
                    qPrintable(step[1]), 10000);
                continue;
            } else if (step[0] == "again") { // a second start, ending by itself
                QProcess second;
                QVERIFY(launch(second, e) && second.waitForFinished(10000));
                QCOMPARE(second.exitStatus(), QProcess::NormalExit);
                QCOMPARE(second.exitCode(), 0);
                continue;
            } else if (step[0] == "stop" || step[0] == "cont") {
                ::kill(pid_t(pid), step[0] == "stop" ? SIGSTOP : SIGCONT);
                continue;
            } else if (step[0] == "sigterm") {
                QVERIFY(terminate(p, pid));
                continue;
            } else if (step[0] == "at") {
                step = {"mousemove", "--window", window, "--sync", step[1], step[2]};
            }
            xdotool(e, step);
            QTest::qWait(150);
        }
        const QString path = desktop.t.filePath(file);
        const QRegularExpression re(pattern, QRegularExpression::MultilineOption);
        QTRY_VERIFY2_WITH_TIMEOUT(file.isEmpty() || re.match(QString::fromLatin1(readAll(path))).hasMatch(),
            readAll(path).constData(), 10000);
        if (p.state() != QProcess::NotRunning)
            QVERIFY(terminate(p, pid));
        tray.kill();
        tray.waitForFinished();
    }

    // In a Wayland session (a headless Weston of the test's own), with and
    // without XWayland, started with /AutoRun and no panel: the window stays
    // where it can be reached, a second start is answered, and a memo
    // falling due rings. With XWayland the program runs on X11, where its
    // warning is kept on top (desktop notifications switched off here);
    // on Wayland alone it runs there, and the warning, which no window can
    // be kept above, is also an urgent desktop notification; so too where
    // the person chose Wayland. Nothing is said on standard error.
    void waylandSession_data()
    {
        QTest::addColumn<bool>("xwayland");
        QTest::addColumn<QStringList>("choice");
        QTest::newRow("Wayland alone") << false << QStringList{};
        QTest::newRow("with XWayland") << true << QStringList{};
        QTest::newRow("with XWayland, Wayland chosen") << true << QStringList{"-platform", "wayland"};
    }
    void waylandSession()
    {
        QFETCH(bool, xwayland);
        QFETCH(QStringList, choice);
        const bool x11 = xwayland && choice.isEmpty();
        for (const char* tool : {"weston", "faketime", "dbus-daemon", "xdotool"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(QString("%1 is not installed (scripts/setup.sh installs it)").arg(tool)));
        }
        QTemporaryDir t;
        QVERIFY(makeDirs(t.path(), {"home", "config/Brivo", "runtime"}));
        QVERIFY(writeFile(t.filePath("home/Store.dat"), QByteArray(storeText).replace("#_DT:45366", "#_DT:45446")));
        // With a position saved, which Wayland does not follow: nothing is said about it.
        QVERIFY(writeFile(t.filePath("config/Brivo/BrivoReminder.ini"),
            "[Brivo%20Reminder]\nImpostazioni\\Notifica_desktop=0\nImpostazioni\\Ultima_pos_Left="
            "300\nImpostazioni\\Ultima_pos_Top=200\n"));
        QProcessEnvironment e = environment();
        for (const char* chosen : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            e.remove(chosen);
        e.insert("XDG_SESSION_TYPE", "wayland"); // which Qt alone would follow
        e.insert("BRIVO_REMINDER_HOME", t.filePath("home"));
        e.insert("XDG_CONFIG_HOME", t.filePath("config"));
        e.insert("XDG_RUNTIME_DIR", t.filePath("runtime"));
        e.insert("BRIVO_REMINDER_BOX_LOG", t.filePath("boxes.log"));

        QProcess weston, bus, monitor, p;
        const auto stop = qScopeGuard([&] {
            for (QProcess* q : {&p, &monitor, &bus, &weston}) {
                q->kill();
                q->waitForFinished();
            }
        });
        weston.setProcessEnvironment(e);
        weston.start("weston",
            QStringList{
                "--backend=headless-backend.so", "--socket=brivo", "--idle-time=0", "--log=" + t.filePath("weston.log")}
                + (xwayland ? QStringList{"--xwayland"} : QStringList{}));
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(t.filePath("runtime/brivo")); }, 10000));
        e.insert("WAYLAND_DISPLAY", "brivo");
        if (xwayland) {
            const QRegularExpression listening("xserver listening on display (:\\d+)");
            QRegularExpressionMatch m;
            QVERIFY(QTest::qWaitFor(
                [&] { return (m = listening.match(QString::fromUtf8(readAll(t.filePath("weston.log"))))).hasMatch(); },
                10000));
            e.insert("DISPLAY", m.captured(1));
        }
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForReadyRead(10000));
        const QString address = QString::fromUtf8(bus.readLine()).trimmed();
        e.insert("DBUS_SESSION_BUS_ADDRESS", address);
        monitor.setStandardOutputFile(t.filePath("bus.log"));
        monitor.start("dbus-monitor", {"--address", address, "interface='org.freedesktop.Notifications'"});

        const QString clock = t.filePath("clock");
        QVERIFY(writeFile(clock, "@2024-06-03 10:00:00"));
        e.insert("FAKETIME_TIMESTAMP_FILE", clock);
        e.insert("FAKETIME_NO_CACHE", "1");
        e.insert("FAKETIME_DONT_FAKE_MONOTONIC", "1");
        QVERIFY(launch(p, e,
            QStringList{"now", "env", "-u", "FAKETIME", BRIVO_PROGRAM} + choice + QStringList{"/AutoRun"}, "faketime"));
        QVERIFY(started(t.filePath("runtime")));
        QTest::qWait(2000); // past the first tick, which hides the window where it can
        QCOMPARE(p.state(), QProcess::Running);
        // An X11 window only where the program runs on XWayland.
        QCOMPARE(xdotool(e, {"search", "--name", "^Brivo Reminder$"}).isEmpty(), !x11);
        QProcess second;
        QVERIFY(launch(second, e) && second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        if (x11)
            QVERIFY(!findWindow(e, "^Brivo Reminder$").isEmpty());
        QVERIFY(!QFile::exists(t.filePath("boxes.log")));

        QVERIFY(writeFile(clock, "@2024-06-03 10:24:58"));
        const QRegularExpression notified("string \"[^\"]*(Avviso promemoria|Alarm warning) - Brivo Reminder\".*string "
                                          "\"urgency\"\\s+variant\\s+byte 2",
            QRegularExpression::DotMatchesEverythingOption);
        const auto told = [&] { return notified.match(QString::fromUtf8(readAll(t.filePath("bus.log")))).hasMatch(); };
        if (x11) {
            QVERIFY(!findWindow(e, "(Avviso promemoria|Alarm warning) - Brivo Reminder$").isEmpty());
            QTest::qWait(1000);
            QVERIFY(!told());
        } else {
            QVERIFY(QTest::qWaitFor(told, 10000));
        }
        // faketime waits for the program: the lock names it.
        QVERIFY(terminate(p, readAll(t.filePath("runtime/Brivo Reminder.lock")).split('\n')[0].toLongLong()));
        const QString errors = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
