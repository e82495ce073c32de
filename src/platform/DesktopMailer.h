#pragma once

#include "platform/Mailer.h"

// The desktop's mail composer through xdg-email, handed a mailto: address
// that carries subject and body.
class DesktopMailer : public Mailer {
public:
    void sendMail(const MailMessage& mail, std::function<void(const MapiResults&)> done) override;

    // The mail as a mailto: address, every field percent-encoded.
    static QString mailtoUrl(const MailMessage& mail);
    // What an exit of xdg-email means in Simple MAPI's codes.
    static MapiResults results(int exitCode);
};
