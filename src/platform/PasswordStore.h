#pragma once

#include <QString>

// Passwords kept by the desktop for the servers the program logs in to.
// Where the desktop keeps none, every call fails quietly and the caller
// keeps what the person types for the session only, in memory.
class PasswordStore {
public:
    virtual ~PasswordStore() = default;
    // The password kept for user at server; empty when none is kept.
    virtual QString find(const QString& server, const QString& user) = 0;
    // False when it could not be kept (no keeper runs).
    virtual bool keep(const QString& server, const QString& user, const QString& password) = 0;
    virtual void forget(const QString& server, const QString& user) = 0;
};
