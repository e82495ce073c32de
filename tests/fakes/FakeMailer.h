#pragma once

#include "platform/Mailer.h"

#include <QList>

// Keeps the mails it was handed and answers with the results set.
class FakeMailer : public Mailer {
public:
    void sendMail(const MailMessage& mail, std::function<void(const MapiResults&)> done) override
    {
        sent.append(mail);
        done(results);
    }
    QList<MailMessage> sent;
    MapiResults results;
};
