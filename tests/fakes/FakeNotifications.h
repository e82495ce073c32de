#pragma once

#include "platform/Notifications.h"

// A desktop without a notification service.
class FakeNotifications : public Notifications {
public:
    quint32 notify(const QString&, const QString&, const std::function<void()>&) override
    {
        return 0;
    }
    void close(quint32) override
    {
    }
};
