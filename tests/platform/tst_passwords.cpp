// Passwords in a real Secret Service: gnome-keyring on a private session
// bus, its keyring made and unlocked from stdin in a folder of the test.
#include "platform/SecretPasswordStore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestPasswords : public QObject {
    Q_OBJECT
    QTemporaryDir home;
    QProcess bus, keyring;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon")).isEmpty())
            QSKIP("no gnome-keyring-daemon (scripts/setup.sh installs it)");
        bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForReadyRead(10000));
        const QString address = QString::fromUtf8(bus.readLine()).trimmed();
        // libsecret finds the bus here at its first call, below.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        QDir(home.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(
            home.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
        keyring.setProcessEnvironment(env);
        keyring.start(QStringLiteral("gnome-keyring-daemon"), {"--foreground", "--components=secrets", "--unlock"});
        QVERIFY(keyring.waitForStarted(10000));
        keyring.write("test-keyring");
        keyring.closeWriteChannel();
        QDBusConnection probe = QDBusConnection::connectToBus(address, QStringLiteral("probe"));
        QTRY_VERIFY_WITH_TIMEOUT(
            probe.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.secrets")), 10000);
    }
    void cleanupTestCase()
    {
        for (QProcess* p : {&keyring, &bus}) {
            p->terminate();
            if (!p->waitForFinished(5000))
                p->kill();
        }
    }

    void keptFoundForgotten()
    {
        SecretPasswordStore store;
        const QString server = QStringLiteral("https://dav.example.org/anna/promemoria/");
        QCOMPARE(store.find(server, QStringLiteral("anna")), QString());
        QVERIFY(store.keep(server, QStringLiteral("anna"), QStringLiteral("pässwörd €;\n")));
        QVERIFY(store.keep(server, QStringLiteral("bruno"), QStringLiteral("other")));
        QCOMPARE(store.find(server, QStringLiteral("anna")), QStringLiteral("pässwörd €;\n"));
        QCOMPARE(store.find(server, QStringLiteral("bruno")), QStringLiteral("other"));
        QCOMPARE(store.find(QStringLiteral("https://elsewhere.example.org/"), QStringLiteral("anna")), QString());
        // A new password takes the old one's place.
        QVERIFY(store.keep(server, QStringLiteral("anna"), QStringLiteral("new")));
        QCOMPARE(store.find(server, QStringLiteral("anna")), QStringLiteral("new"));
        store.forget(server, QStringLiteral("anna"));
        QCOMPARE(store.find(server, QStringLiteral("anna")), QString());
        QCOMPARE(store.find(server, QStringLiteral("bruno")), QStringLiteral("other"));
    }
};

QTEST_GUILESS_MAIN(TestPasswords)

#include "tst_passwords.moc"
