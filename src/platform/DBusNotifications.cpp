#include "platform/DBusNotifications.h"

#include "Product.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interfaceName = QStringLiteral("org.freedesktop.Notifications");
} // namespace

DBusNotifications::DBusNotifications(const QString& name, QObject* parent)
    : QObject(parent)
    , appName(name)
{
}

DBusNotifications::DBusNotifications(const QString& name, const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , appName(name)
    , connection(bus)
{
}

DBusNotifications::~DBusNotifications()
{
    // The warnings they stand beside end with the program.
    for (const quint32 id : sent.keys())
        close(id);
}

QDBusConnection& DBusNotifications::bus()
{
    // Not at start-up: most runs never warn, and the bus costs time to reach.
    if (!connection)
        connection = QDBusConnection::sessionBus();
    if (!listening && connection->isConnected()) {
        // No sender named: naming one would ask the bus for its owner, and wait.
        connection->connect(QString(), path, interfaceName, QStringLiteral("ActionInvoked"), this,
            SLOT(onActionInvoked(uint, QString)));
        connection->connect(
            QString(), path, interfaceName, QStringLiteral("NotificationClosed"), this, SLOT(onClosed(uint, uint)));
        listening = true;
    }
    return *connection;
}

quint32 DBusNotifications::notify(const QString& summary, const QString& body, const std::function<void()>& onActivated)
{
    QDBusConnection& b = bus();
    if (!b.isConnected())
        return 0;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interfaceName, QStringLiteral("Notify"));
    // A warning stays until its window is closed, so the notification does too.
    // The launcher's name lets the desktop group them under the program and
    // apply its per-program notification settings.
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(2))},
        {QStringLiteral("desktop-entry"), QString::fromLatin1(product::desktopId)}};
    // Servers read the body as markup: a memo's "<" or "&" is text.
    call << appName << 0u << QString::fromLatin1(product::iconName) << summary << body.toHtmlEscaped()
         << QStringList{QStringLiteral("default"), QString()} << hints << 0;
    const quint32 id = ++lastId;
    sent.insert(id, Sent{0, false, onActivated});
    auto* watcher = new QDBusPendingCallWatcher(b.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, id](QDBusPendingCallWatcher* w) {
        answered(id, w);
        w->deleteLater();
    });
    return id;
}

void DBusNotifications::answered(quint32 id, QDBusPendingCallWatcher* call)
{
    const QDBusPendingReply<quint32> reply = *call;
    auto it = sent.find(id);
    if (it == sent.end())
        return;
    // No service: nothing was shown, and nothing is said.
    if (reply.isError() || reply.value() == 0) {
        sent.erase(it);
        return;
    }
    it->serverId = reply.value();
    if (it->closeWanted)
        close(id);
}

void DBusNotifications::close(quint32 id)
{
    auto it = sent.find(id);
    if (it == sent.end())
        return;
    if (it->serverId == 0) {
        it->closeWanted = true; // done when the server answers
        return;
    }
    QDBusMessage call
        = QDBusMessage::createMethodCall(service, path, interfaceName, QStringLiteral("CloseNotification"));
    call << it->serverId;
    bus().asyncCall(call);
    sent.erase(it);
}

quint32 DBusNotifications::ourId(quint32 serverId) const
{
    for (auto it = sent.cbegin(); it != sent.cend(); ++it) {
        if (it->serverId == serverId)
            return it.key();
    }
    return 0;
}

void DBusNotifications::onActionInvoked(quint32 serverId, const QString& action)
{
    const quint32 id = ourId(serverId);
    if (id == 0 || action != QLatin1String("default") || !sent[id].onActivated)
        return;
    // A copy: the callback may close the notification.
    const std::function<void()> activated = sent[id].onActivated;
    activated();
}

void DBusNotifications::onClosed(quint32 serverId, quint32)
{
    // Dismissed by the person or expired: nothing to withdraw later.
    if (const quint32 id = ourId(serverId))
        sent.remove(id);
}
