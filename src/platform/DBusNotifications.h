#pragma once

#include "platform/Notifications.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>

#include <optional>

class QDBusPendingCallWatcher;

// org.freedesktop.Notifications on a bus (the session bus unless told).
// Calls are asynchronous: the server's id arrives later, so the ids handed
// out are our own, and a close asked for before the answer is done on it.
class DBusNotifications : public QObject, public Notifications {
    Q_OBJECT
public:
    explicit DBusNotifications(const QString& appName, QObject* parent = nullptr);
    // Tests give a private bus.
    DBusNotifications(const QString& appName, const QDBusConnection& bus, QObject* parent = nullptr);
    ~DBusNotifications() override;

    quint32 notify(const QString& summary, const QString& body, const std::function<void()>& onActivated) override;
    void close(quint32 id) override;

private slots:
    void onActionInvoked(quint32 serverId, const QString& action);
    void onClosed(quint32 serverId, quint32 reason);

private:
    struct Sent {
        quint32 serverId = 0; // 0 until the server has answered
        bool closeWanted = false;
        std::function<void()> onActivated;
    };
    QDBusConnection& bus();
    void answered(quint32 id, QDBusPendingCallWatcher* call);
    quint32 ourId(quint32 serverId) const;

    QString appName;
    std::optional<QDBusConnection> connection; // opened at the first notification
    bool listening = false;
    quint32 lastId = 0;
    QHash<quint32, Sent> sent;
};
