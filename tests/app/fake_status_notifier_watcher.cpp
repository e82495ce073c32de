// A panel's StatusNotifier watcher and host on the session bus, for the
// program's tests: prints "registered <item>" for each item that registers,
// and on the line "activate" on its input clicks the last one (Activate).
// Its properties are listed in its introspection, as Qt reads them there.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

class Watcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    bool hostRegistered() const
    {
        return true;
    }
    QStringList registered() const
    {
        return items;
    }
    int protocolVersion() const
    {
        return 0;
    }

    void activateLast()
    {
        if (items.isEmpty())
            return;
        // An item names its service, or only its path on the caller's connection.
        const QString item = items.last();
        const bool path = item.startsWith(u'/');
        QDBusMessage click = QDBusMessage::createMethodCall(path ? senders.last() : item,
            path ? item : QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
            QStringLiteral("Activate"));
        click << 0 << 0;
        const QDBusMessage answer = QDBusConnection::sessionBus().call(click);
        std::printf("%s\n", answer.type() == QDBusMessage::ErrorMessage ? "activate failed" : "activated");
        std::fflush(stdout);
    }

public slots:
    void RegisterStatusNotifierItem(const QString& item, const QDBusMessage& call)
    {
        items.append(item);
        senders.append(call.service());
        std::printf("registered %s\n", qPrintable(item));
        std::fflush(stdout);
        emit StatusNotifierItemRegistered(item);
    }
    void RegisterStatusNotifierHost(const QString&)
    {
    }

signals:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierItemUnregistered(const QString& item);
    void StatusNotifierHostRegistered();

private:
    QStringList items;
    QStringList senders;
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Watcher watcher;
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The object first: an item that sees the name reads the properties at once.
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals | QDBusConnection::ExportAllProperties)
        || !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        std::fprintf(stderr, "no session bus, or the watcher's name is taken\n");
        return 1;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[64];
        const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
        if (n <= 0) {
            QCoreApplication::quit();
            return;
        }
        if (QByteArray(line, int(n)).contains("activate"))
            watcher.activateLast();
    });
    return QCoreApplication::exec();
}

#include "fake_status_notifier_watcher.moc"
