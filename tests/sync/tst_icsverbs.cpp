// --export-ics and --import-ics on the real program, with no display.
#include "TestMain.h"
#include "store/StoreFile.h"
#include "store/Ut.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
        QFile::setPermissions(
            dir.filePath("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
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
    Run run(const QStringList& arguments) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("BRIVO_REMINDER_HOME"), home());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display of any kind is needed
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(BRIVO_PROGRAM), arguments);
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

private:
    QTemporaryDir dir;
};

QByteArray calendar(const QByteArray& items)
{
    QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:x\n" + items + "END:VCALENDAR\n";
    return text.replace("\n", "\r\n");
}

} // namespace

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
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QByteArray>("message");
        const QByteArray good = calendar("BEGIN:VTODO\nUID:a\nDTSTAMP:20240101T000000Z\nSUMMARY:x\nEND:VTODO\n");
        QTest::newRow("import while a copy runs")
            << QStringList{"--import-ics", "in.ics"} << good << true << QByteArray("the program is running");
        QTest::newRow("export while a copy runs")
            << QStringList{"--export-ics", "in.ics"} << good << true << QByteArray("the program is running");
        QTest::newRow("not a calendar") << QStringList{"--import-ics", "in.ics"} << QByteArray("#MEMO#\t#_ID:9\r\n")
                                        << false << QByteArray("not an iCalendar file");
        QTest::newRow("missing file") << QStringList{"--import-ics", "none.ics"} << QByteArray() << false
                                      << QByteArray("cannot read");
        QTest::newRow("export to no folder")
            << QStringList{"--export-ics", "none/out.ics"} << QByteArray() << false << QByteArray("cannot write");
        QTest::newRow("no file named") << QStringList{"--export-ics"} << QByteArray() << false
                                       << QByteArray("needs a file name");
    }

    // Each ends non-zero, says why and leaves the store as it was.
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, fileText);
        QFETCH(bool, locked);
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
        if (locked)
            QVERIFY(running.tryLock());
        const Run r = h.run(arguments);
        QVERIFY(r.code > 0);
        QVERIFY2(r.err.contains(message), r.err.constData());
        QCOMPARE(h.store(), workedExample);
        QCOMPARE(QFileInfo(h.file(QStringLiteral("in.ics"))).size(), qint64(fileText.size()));
    }
};

BRIVO_REGISTER_TEST(TestIcsVerbs)
#include "tst_icsverbs.moc"
