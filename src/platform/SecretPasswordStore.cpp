// First: glib's headers use a word Qt's take for signals.
#include <libsecret/secret.h>

#include "platform/SecretPasswordStore.h"

#include <QLibrary>

namespace {

const SecretSchema* schema()
{
    static const SecretSchema s = {"io.github.brivo.Reminder.CalDAV", SECRET_SCHEMA_NONE,
        {{"server", SECRET_SCHEMA_ATTRIBUTE_STRING}, {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
        0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    return &s;
}

// libsecret and the GIO behind it are loaded only when a server first asks
// for a password, not at every start: most people never sync.
struct Secret {
    decltype(&secret_password_lookup_sync) lookup = nullptr;
    decltype(&secret_password_store_sync) store = nullptr;
    decltype(&secret_password_clear_sync) clear = nullptr;
    decltype(&secret_password_free) free = nullptr;
    decltype(&g_error_free) errorFree = nullptr;

    static const Secret* get()
    {
        static const Secret loaded = [] {
            Secret s;
            QLibrary library(QStringLiteral("secret-1"), 0);
            if (!library.load())
                return s; // no libsecret: nothing is kept
            // Resolved through the library, so glib's function is the one it uses.
            s.lookup = reinterpret_cast<decltype(s.lookup)>(library.resolve("secret_password_lookup_sync"));
            s.store = reinterpret_cast<decltype(s.store)>(library.resolve("secret_password_store_sync"));
            s.clear = reinterpret_cast<decltype(s.clear)>(library.resolve("secret_password_clear_sync"));
            s.free = reinterpret_cast<decltype(s.free)>(library.resolve("secret_password_free"));
            s.errorFree = reinterpret_cast<decltype(s.errorFree)>(library.resolve("g_error_free"));
            if (!s.lookup || !s.store || !s.clear || !s.free || !s.errorFree)
                s = Secret{};
            return s;
        }();
        return loaded.lookup ? &loaded : nullptr;
    }
};

} // namespace

QString SecretPasswordStore::find(const QString& server, const QString& user)
{
    const Secret* secret = Secret::get();
    if (!secret)
        return {};
    GError* error = nullptr;
    gchar* found = secret->lookup(
        schema(), nullptr, &error, "server", server.toUtf8().constData(), "user", user.toUtf8().constData(), nullptr);
    if (error)
        secret->errorFree(error); // no Secret Service: nothing kept
    if (!found)
        return {};
    const QString password = QString::fromUtf8(found);
    secret->free(found);
    return password;
}

bool SecretPasswordStore::keep(const QString& server, const QString& user, const QString& password)
{
    const Secret* secret = Secret::get();
    if (!secret)
        return false;
    GError* error = nullptr;
    const QString label = QStringLiteral("Brivo Reminder: %1 at %2").arg(user, server);
    const gboolean kept
        = secret->store(schema(), SECRET_COLLECTION_DEFAULT, label.toUtf8().constData(), password.toUtf8().constData(),
            nullptr, &error, "server", server.toUtf8().constData(), "user", user.toUtf8().constData(), nullptr);
    if (error)
        secret->errorFree(error);
    return kept;
}

void SecretPasswordStore::forget(const QString& server, const QString& user)
{
    const Secret* secret = Secret::get();
    if (!secret)
        return;
    GError* error = nullptr;
    secret->clear(
        schema(), nullptr, &error, "server", server.toUtf8().constData(), "user", user.toUtf8().constData(), nullptr);
    if (error)
        secret->errorFree(error);
}
