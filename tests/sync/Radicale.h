#pragma once

// A real Radicale on 127.0.0.1, on a free port with a private folder, for
// the tests that sync with it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class Radicale {
public:
    // users: htpasswd lines ("anna:secret"); none: no password asked.
    // anonymousReads: anyone may read, only the users write.
    explicit Radicale(const QByteArray& users = {}, bool anonymousReads = false)
    {
        QTcpServer probe; // a free port, given back at once
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
        probe.close();
        QFile config(dir.filePath(QStringLiteral("config")));
        config.open(QIODevice::WriteOnly);
        QString auth = QStringLiteral("type = none");
        if (!users.isEmpty()) {
            QFile file(dir.filePath(QStringLiteral("users")));
            file.open(QIODevice::WriteOnly);
            file.write(users);
            auth = QStringLiteral("type = htpasswd\nhtpasswd_filename = %1\nhtpasswd_encryption = plain\ndelay = 0")
                       .arg(file.fileName());
        }
        QString rights = QStringLiteral("type = authenticated");
        if (anonymousReads) {
            QFile file(dir.filePath(QStringLiteral("rights")));
            file.open(QIODevice::WriteOnly);
            file.write("[users]\nuser: .+\ncollection: .*\npermissions: RrWw\n"
                       "[anyone]\nuser: .*\ncollection: .*\npermissions: Rr\n");
            rights = QStringLiteral("type = from_file\nfile = %1").arg(file.fileName());
        }
        config.write(QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n[auth]\n%3\n[rights]\n%4\n[storage]\n"
                                    "filesystem_folder = %2\n[logging]\nlevel = error\n")
                         .arg(port)
                         .arg(dir.filePath(QStringLiteral("collections")), auth, rights)
                         .toUtf8());
    }
    ~Radicale()
    {
        stop();
    }

    bool start()
    {
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start(QStandardPaths::findExecutable(QStringLiteral("radicale")),
            {QStringLiteral("--config"), dir.filePath(QStringLiteral("config"))});
        if (!server.waitForStarted(10000))
            return false;
        for (int i = 0; i < 100; ++i) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, port);
            if (s.waitForConnected(200))
                return true;
            QTest::qWait(100);
        }
        return false;
    }
    void stop()
    {
        if (server.state() == QProcess::NotRunning)
            return;
        server.terminate();
        if (!server.waitForFinished(10000)) {
            server.kill();
            server.waitForFinished();
        }
    }
    QUrl url(const QString& path = QStringLiteral("/anna/promemoria/")) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path));
    }

    QString folder(const QString& path) const
    {
        return dir.filePath(path);
    }

    quint16 port = 0;

private:
    QTemporaryDir dir;
    QProcess server;
};
