#pragma once

#include <QString>

#include <functional>

// One mail for the user's mail program. Without an address the user adds
// the recipient in the compose window.
struct MailMessage {
    QString address;
    QString subject;
    QString body;
    QString attachment; // a file name, or empty
};

// The result codes of Simple MAPI's logon, send and logoff: 0 is success,
// and a send of 1 means the user cancelled.
struct MapiResults {
    quint32 logon = 0;
    quint32 send = 0;
    quint32 logoff = 0;
};

// Hands a mail to the desktop's mail composer.
class Mailer {
public:
    virtual ~Mailer() = default;

    // done gets the results, possibly later: the mail program takes its time.
    virtual void sendMail(const MailMessage& mail, std::function<void(const MapiResults&)> done) = 0;
};
