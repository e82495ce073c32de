#pragma once

#include "platform/PasswordStore.h"

// The desktop's Secret Service (GNOME Keyring, KWallet and others) through
// libsecret. Items carry the server and the user as attributes, so any
// keyring manager shows and deletes them.
class SecretPasswordStore : public PasswordStore {
public:
    QString find(const QString& server, const QString& user) override;
    bool keep(const QString& server, const QString& user, const QString& password) override;
    void forget(const QString& server, const QString& user) override;
};
