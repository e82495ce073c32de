// --export-ics and --import-ics on the real program, with no display.
#include "TestMain.h"
#include "store/StoreFile.h"
#include "store/Ut.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

const QByteArray workedExample
    = "#MEMO#\t#_ID:1\t#TME:1\t#_NT:Telefonare al dentista\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:45366\t#TOR:1"
      "\t#_OR:0.4375\t#TAN:2\t#_AN:-5\r\n"
      "#SVEGLIA#\t#TSV:2\t#_MS:Riunione settimanale\t#_GN:2\t#_AT:1\t#_OR:0.302083333333333"
      "\t#_SN:-nessun suono-\r\n";

struct Run {
    int code = -1;
    QByteArray out, err;
};

class Home {
public:
    Home()
    {
        QDir(dir.path()).mkpath(QStringLiteral("home"));
        QDir(dir.path()).mkpath(QStringLiteral("runtime"));
        QDir(dir.path()).mkpath(QStringLiteral("config/Brivo"));
        QFile::setPermissions(
            dir.filePath("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ~Home()
    {
        if (copy.state() != QProcess::NotRunning) {
            ::kill(pid_t(copy.processId()), SIGCONT);
            copy.terminate(); // it saves and ends
            if (!copy.waitForFinished(15000))
                copy.kill();
            copy.waitForFinished();
        }
    }
    // The person's settings, as "name=value" lines.
    bool putSettings(const QByteArrayList& lines) const
    {
        QByteArray ini = "[Brivo%20Reminder]\n";
        for (const QByteArray& l : lines)
            ini += "Impostazioni\\" + l + "\n";
        return Scrivi_File(dir.filePath(QStringLiteral("config/Brivo/BrivoReminder.ini")), ini, false) == 1;
    }
    // The real program running on this home, offscreen, once it answers later starts.
    bool startCopy()
    {
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("BRIVO_REMINDER_BOX_LOG"), dir.filePath(QStringLiteral("boxes.log")));
        copy.setProcessEnvironment(env);
        copy.start(program, {});
        if (!copy.waitForStarted())
            return false;
        const QDir runtime(dir.filePath(QStringLiteral("runtime")));
        for (int i = 0; i < 300; ++i) {
            if (!runtime.entryList({QStringLiteral("*socket")}, QDir::System).isEmpty())
                return true;
            QTest::qWait(50);
        }
        return false;
    }
    void stopCopy(bool stopped) const
    {
        ::kill(pid_t(copy.processId()), stopped ? SIGSTOP : SIGCONT);
    }
    QString home() const
    {
        return dir.filePath(QStringLiteral("home"));
    }
    QString file(const QString& name) const
    {
        return dir.filePath(name);
    }
    QByteArray store() const
    {
        QByteArray bytes;
        Leggi_File(QDir(home()).filePath(StoreFile::fileName), bytes);
        return bytes;
    }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("BRIVO_REMINDER_HOME"), home());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
            QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("no-bus")));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display of any kind is needed
        return env;
    }
    void start(QProcess& p, const QStringList& arguments) const
    {
        p.setProcessEnvironment(environment());
        p.start(program, arguments);
    }
    static Run finish(QProcess& p)
    {
        Run r;
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }
    // The program alone in a folder, without the modules beside it.
    bool withoutModules()
    {
        program = dir.filePath(QStringLiteral("bare/brivo-reminder"));
        return QDir(dir.path()).mkpath(QStringLiteral("bare")) && QFile::copy(QStringLiteral(BRIVO_PROGRAM), program);
    }
    Run run(const QStringList& arguments) const
    {
        QProcess p;
        start(p, arguments);
        return finish(p);
    }

private:
    QTemporaryDir dir;
    QProcess copy;
    QString program = QStringLiteral(BRIVO_PROGRAM);
};

// Which copy of the program holds the store while the command runs.
enum class Copy { None, LockOnly, Running, Hung, NoModule, RunningNoModule };

QByteArray calendar(const QByteArray& items)
{
    QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:x\n" + items + "END:VCALENDAR\n";
    return text.replace("\n", "\r\n");
}

} // namespace

Q_DECLARE_METATYPE(Copy)

class TestIcsVerbs : public QObject {
    Q_OBJECT

private slots:
    // Export, change the file elsewhere, import: the same memo is updated,
    // a new one added, nothing doubled.
    void exportThenImport()
    {
        Home h;
        QCOMPARE(Scrivi_File(QDir(h.home()).filePath(StoreFile::fileName), workedExample, false), 1);
        const QString ics = h.file(QStringLiteral("out.ics"));
        Run r = h.run({QStringLiteral("--export-ics"), ics});
        QVERIFY2(r.code == 0, r.err.constData());
        QByteArray file;
        QCOMPARE(Leggi_File(ics, file), 1);
        QVERIFY(file.contains("SUMMARY:Telefonare al dentista\r\n"));
        QVERIFY(file.contains("RRULE:FREQ=WEEKLY;BYDAY=MO\r\n"));
        QVERIFY(QFileInfo::exists(QDir(h.home()).filePath(QStringLiteral("Sync.json"))));
        const QByteArray storeAfterExport = h.store();
        QCOMPARE(storeAfterExport, workedExample); // the store's format is untouched

        file.replace("SUMMARY:Telefonare al dentista", "SUMMARY:Telefonare al dentista\\, subito");
        file.replace("END:VCALENDAR",
            "BEGIN:VTODO\r\nUID:other-1\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:Dal "
            "telefono\r\nDUE;VALUE=DATE:20240401\r\nEND:VTODO\r\nEND:VCALENDAR");
        QCOMPARE(Scrivi_File(ics, file, false), 1);
        r = h.run({QStringLiteral("--import-ics"), ics});
        QVERIFY2(r.code == 0, r.err.constData());
        QVERIFY2(r.out.contains("1 added, 2 updated"), r.out.constData());
        const QByteArray store = h.store();
        QCOMPARE(store.count("#MEMO#"), 2);
        QCOMPARE(store.count("#SVEGLIA#"), 1);
        QVERIFY(store.contains("#_NT:Telefonare al dentista, subito\t"));
        QVERIFY(store.contains("#_ID:2\t#TME:1\t#_NT:Dal telefono\t"));

        // The same file again changes nothing but counts updates.
        r = h.run({QStringLiteral("--import-ics"), ics});
        QVERIFY2(r.out.contains("0 added, 3 updated"), r.out.constData());
        QCOMPARE(h.store().count("#MEMO#"), 2);
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("fileText");
        QTest::addColumn<Copy>("copy");
        QTest::addColumn<QByteArray>("message");
        const QByteArray good = calendar("BEGIN:VTODO\nUID:a\nDTSTAMP:20240101T000000Z\nSUMMARY:x\nEND:VTODO\n");
        const QByteArray notCalendar("#MEMO#\t#_ID:9\r\n");
        QTest::newRow("import while another session's copy runs") << QStringList{"--import-ics",
            "in.ics"} << good << Copy::LockOnly << QByteArray("the program is running in another session");
        QTest::newRow("export while another session's copy runs") << QStringList{"--export-ics",
            "in.ics"} << good << Copy::LockOnly << QByteArray("the program is running in another session");
        QTest::newRow("not a calendar") << QStringList{"--import-ics", "in.ics"} << notCalendar << Copy::None
                                        << QByteArray("not an iCalendar file");
        QTest::newRow("not a calendar, said by the running copy") << QStringList{"--import-ics",
            "in.ics"} << notCalendar << Copy::Running << QByteArray("not an iCalendar file");
        QTest::newRow("missing file") << QStringList{"--import-ics", "none.ics"} << QByteArray() << Copy::None
                                      << QByteArray("cannot read");
        QTest::newRow("export to no folder")
            << QStringList{"--export-ics", "none/out.ics"} << QByteArray() << Copy::None << QByteArray("cannot write");
        QTest::newRow("export to no folder, by the running copy") << QStringList{"--export-ics",
            "none/out.ics"} << QByteArray() << Copy::Running << QByteArray("cannot write");
        QTest::newRow("no file named") << QStringList{"--export-ics"} << QByteArray() << Copy::None
                                       << QByteArray("needs a file name");
        // Taken up after the command gave up, a request would change what it said it did not.
        QTest::newRow("import with the running copy hung")
            << QStringList{"--import-ics", "in.ics"} << good << Copy::Hung << QByteArray("did not answer in time");
        QTest::newRow("export with the running copy hung")
            << QStringList{"--export-ics", "in.ics"} << good << Copy::Hung << QByteArray("did not answer in time");
        const QByteArray noModule("iCalendar files are not available (");
        QTest::newRow("import without the calendar module")
            << QStringList{"--import-ics", "in.ics"} << good << Copy::NoModule << noModule;
        QTest::newRow("export without the calendar module, by the running copy")
            << QStringList{"--export-ics", "in.ics"} << good << Copy::RunningNoModule << noModule;
    }

    // Each ends non-zero, says why and leaves the store and the file as they were.
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, fileText);
        QFETCH(Copy, copy);
        QFETCH(QByteArray, message);
        Home h;
        QCOMPARE(Scrivi_File(QDir(h.home()).filePath(StoreFile::fileName), workedExample, false), 1);
        if (!fileText.isEmpty())
            QCOMPARE(Scrivi_File(h.file(QStringLiteral("in.ics")), fileText, false), 1);
        for (QString& a : arguments) {
            if (a.endsWith(u".ics"))
                a = h.file(a);
        }
        QLockFile running(QDir(h.home()).filePath(QStringLiteral("Store.lock")));
        if (copy == Copy::LockOnly)
            QVERIFY(running.tryLock());
        if (copy == Copy::NoModule || copy == Copy::RunningNoModule)
            QVERIFY(h.withoutModules());
        if (copy == Copy::Running || copy == Copy::Hung || copy == Copy::RunningNoModule)
            QVERIFY(h.startCopy());
        const QByteArray before = h.store(); // the running copy may have saved it its own way
        if (copy == Copy::Hung)
            h.stopCopy(true);
        const Run r = h.run(arguments);
        QVERIFY(r.code > 0);
        QVERIFY2(r.err.contains(message), r.err.constData());
        if (copy == Copy::Hung) {
            h.stopCopy(false);
            QTest::qWait(4000); // the request waiting in the socket, and a tick to save what it did
        }
        QCOMPARE(h.store(), before);
        QCOMPARE(QFileInfo(h.file(QStringLiteral("in.ics"))).size(), qint64(fileText.size()));
    }

    void throughRunningCopy_data()
    {
        QTest::addColumn<Copy>("copy");
        QTest::addColumn<QByteArrayList>("settings");
        QTest::addColumn<QByteArray>("items");
        QTest::addColumn<QByteArrayList>("stored");
        const QByteArrayList defaults{"Preavviso_predefinito_memo=-20", "Attivazione_nuovi_promemoria=1",
            "Orario_predefinito_nuovi_promemoria=0", "Suono_Sveglie=Trillo"};
        // Said here: neither a due moment nor a bell nor a sound.
        const QByteArray bare = "BEGIN:VTODO\nUID:d1\nDTSTAMP:20240101T000000Z\nSUMMARY:Dal telefono\nEND:VTODO\n"
                                "BEGIN:VEVENT\nUID:d2\nDTSTAMP:20240101T000000Z\nDTSTART:20240603T073000\n"
                                "RRULE:FREQ=DAILY\nSUMMARY:Sveglia\nEND:VEVENT\n";
        const QByteArrayList fromDefaults{"#_NT:Dal telefono\t#_ES:0\t#_AT:0\t#TDT:1\t", "\t#TOR:2\t",
            "\t#TAN:2\t#_AN:-20\r\n", "#_MS:Sveglia\t", "#_SN:Trillo\r\n"};
        for (const Copy c : {Copy::None, Copy::Running}) {
            const char* how = c == Copy::None ? "alone" : "by the running copy";
            QTest::addRow("new items from the person's defaults, %s", how) << c << defaults << bare << fromDefaults;
            // A store last written in Windows-1252 stays so, even where its
            // bytes would read as UTF-8 too (É” are C9 94 there).
            QTest::addRow("the store's code page kept, %s", how)
                << c << QByteArrayList{"Codifica_archivio=windows-1252"}
                << QByteArray("BEGIN:VTODO\nUID:c1\nDTSTAMP:20240101T000000Z\nSUMMARY:Chiedere "
                              "\"PERCH\xc3\x89\xe2\x80\x9d\nEND:VTODO\n")
                << QByteArrayList{"#_NT:Chiedere \"PERCH\xc9\x94\t"};
        }
    }

    // Import, then export at once: with a copy running both work on its
    // list, which it saves; alone, on the store.
    void throughRunningCopy()
    {
        QFETCH(Copy, copy);
        QFETCH(QByteArrayList, settings);
        QFETCH(QByteArray, items);
        QFETCH(QByteArrayList, stored);
        Home h;
        QCOMPARE(Scrivi_File(QDir(h.home()).filePath(StoreFile::fileName), workedExample, false), 1);
        QVERIFY(h.putSettings(settings));
        if (copy == Copy::Running)
            QVERIFY(h.startCopy());
        // A file named from here reaches the copy whole.
        const QString wasCurrent = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(wasCurrent); });
        QDir::setCurrent(h.home());
        QCOMPARE(Scrivi_File(h.file(QStringLiteral("in.ics")), calendar(items), false), 1);
        Run r = h.run({QStringLiteral("--import-ics"), QStringLiteral("../in.ics")});
        QVERIFY2(r.code == 0, r.err.constData());
        QVERIFY2(r.out.contains(QByteArray::number(items.count("BEGIN:V")) + " added, 0 updated"), r.out.constData());
        r = h.run({QStringLiteral("--export-ics"), h.file(QStringLiteral("out.ics"))});
        QVERIFY2(r.code == 0, r.err.constData());
        QByteArray exported;
        QCOMPARE(Leggi_File(h.file(QStringLiteral("out.ics")), exported), 1);
        QVERIFY(exported.contains("SUMMARY:Telefonare al dentista\r\n"));
        const qsizetype summary = items.indexOf("SUMMARY:");
        QVERIFY2(exported.contains(items.mid(summary, items.indexOf('\n', summary) - summary) + "\r\n"),
            exported.constData());
        const auto hasAll = [&] {
            const QByteArray store = h.store();
            return std::all_of(stored.cbegin(), stored.cend(), [&](const QByteArray& s) { return store.contains(s); });
        };
        QTRY_VERIFY2_WITH_TIMEOUT(hasAll(), h.store().constData(), 10000);
        QVERIFY(h.store().contains("#_NT:Telefonare al dentista\t"));
    }
};

BRIVO_REGISTER_TEST(TestIcsVerbs)
#include "tst_icsverbs.moc"
