// The real program, offscreen: start, a second start, and SIGTERM.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

const QByteArray storeText = "#MEMO#\t#_ID:1\t#TME:1\t#_NT:Telefonare al dentista\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:45366"
                             "\t#TOR:1\t#_OR:0,4375\t#TAN:2\t#_AN:-5\r\n";

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
        env.insert("BRIVO_REMINDER_BOX_LOG", dir.filePath("boxes.log"));
        return env;
    }

private slots:
    void initTestCase()
    {
        for (const char* sub : {"home", "config", "data", "runtime"})
            QVERIFY(QDir(dir.path()).mkpath(sub));
        QFile::setPermissions(dir.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile store(dir.filePath("home/Store.dat"));
        QVERIFY(store.open(QIODevice::WriteOnly));
        store.write(storeText);
    }

    void secondStartLeavesTheFirstAndSigtermSaves()
    {
        QProcess first;
        first.setProcessEnvironment(environment());
        first.start(QStringLiteral(BRIVO_PROGRAM), {});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("runtime/Brivo Reminder.lock")), 10000);

        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(QStringLiteral(BRIVO_PROGRAM), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(readAll(dir.filePath("boxes.log")).contains("il programma è già attivo!"));
        QCOMPARE(first.state(), QProcess::Running);
        QVERIFY(!QFile::exists(dir.filePath("home/Store_old.dat"))); // the first has not saved yet

        ::kill(pid_t(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);

        QCOMPARE(readAll(dir.filePath("home/Store_old.dat")), storeText);
        QVERIFY(readAll(dir.filePath("home/Store.dat")).contains("#_NT:Telefonare al dentista"));
        const QByteArray settings = readAll(dir.filePath("config/Brivo/BrivoReminder.ini"));
        QVERIFY(settings.contains("qt_aperture_prog=1"));
        QVERIFY(!QFile::exists(dir.filePath("runtime/Brivo Reminder.lock")));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
