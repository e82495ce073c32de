// The alarm warning through the real player, heard by a PulseAudio daemon of
// the test's own with a null sink: the looped sound is a stream on that sink
// while the window is open, and is gone once it closes.

#include "WarningRig.h"

#include "platform/QtSoundPlayer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestRealSound : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QProcess daemon;

    // Streams of `pactl list sink-inputs` naming this process; -1 when pactl fails.
    static qsizetype ourStreams()
    {
        QProcess pactl;
        pactl.start("pactl", {"list", "sink-inputs"});
        if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0)
            return -1;
        const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid());
        return pactl.readAllStandardOutput().count("application.process.id = \"" + pid + "\"");
    }

private slots:
    void initTestCase()
    {
        const QString socket = dir.filePath("native");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir.path());
        env.insert("XDG_RUNTIME_DIR", dir.path());
        daemon.setProcessEnvironment(env);
        daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        daemon.start("pulseaudio",
            {"-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1", "--log-target=stderr",
                "--log-level=error", "--load=module-null-sink sink_name=brivo_test",
                "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        QVERIFY2(daemon.waitForStarted(), "pulseaudio is missing: scripts/setup.sh installs it");
        // Before the first sound: the player connects to this daemon alone.
        qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 10000);
    }

    void cleanupTestCase()
    {
        daemon.terminate();
        daemon.waitForFinished(5000);
    }

    void loopedAlarmPlaysUntilTheWindowCloses()
    {
        WarningRig rig;
        QtSoundPlayer player({QStringLiteral("/nowhere/libbrivo_sound.so"), QStringLiteral(BRIVO_SOUND_MODULE)});
        Services services{rig.clock, rig.boxes, rig.registry, rig.autostart, rig.locale, rig.resources, player,
            rig.launcher, rig.mailer, rig.notifications};
        WarningWindows windows(rig.state, services, {});
        rig.state.ArrSuoni = Carica_Suoni(QStringLiteral(BRIVO_SOUNDS));
        QVERIFY(Indice_Suono(rig.state.ArrSuoni, "Trillo") >= 0);
        rig.state.settings.Suono_allarme_ripeturamente = 1;
        rig.queueAlarm(QTime(10, 17), "Sveglia", "Trillo");
        QCOMPARE(ourStreams(), 0);

        std::unique_ptr<WarningWindow> w(windows.createAlarmWarning());
        w->showWarning();
        QTRY_VERIFY_WITH_TIMEOUT(ourStreams() > 0, 10000);
        QTest::qWait(2500); // longer than the sound: still there, looping
        QVERIFY(ourStreams() > 0);

        dynamic_cast<QWidget*>(w.get())->close();
        QTRY_COMPARE_WITH_TIMEOUT(ourStreams(), 0, 10000);
    }
};

QTEST_MAIN(TestRealSound)
#include "tst_real_sound.moc"
