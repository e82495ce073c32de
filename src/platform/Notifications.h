#pragma once

#include <QString>

#include <functional>

// Notifications of the desktop, beside the program's own windows. Sending
// never waits and never fails visibly: where the desktop has no notification
// service nothing is shown.
class Notifications {
public:
    virtual ~Notifications() = default;
    // Shows summary and body; onActivated runs when the person clicks the
    // notification. The id names it for close(); 0 is never an id.
    virtual quint32 notify(const QString& summary, const QString& body, const std::function<void()>& onActivated = {})
        = 0;
    // Withdraws it; an id already closed or unknown is ignored.
    virtual void close(quint32 id) = 0;
};
