#pragma once

#include "platform/Notifications.h"

#include <QStringList>

// Records what was sent, as summary and body.
class FakeNotifications : public Notifications {
public:
    QList<QStringList> sent;

    quint32 notify(const QString& summary, const QString& body, const std::function<void()>&) override
    {
        sent.append({summary, body});
        return quint32(sent.size());
    }
    void close(quint32) override
    {
    }
};
