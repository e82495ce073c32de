// First: glib's headers use a word Qt's take for signals.
#include <libsecret/secret.h>

#include "platform/SecretPasswordStore.h"

namespace {

const SecretSchema* schema()
{
    static const SecretSchema s = {"io.github.brivo.Reminder.CalDAV", SECRET_SCHEMA_NONE,
        {{"server", SECRET_SCHEMA_ATTRIBUTE_STRING}, {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
        0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    return &s;
}

} // namespace

QString SecretPasswordStore::find(const QString& server, const QString& user)
{
    GError* error = nullptr;
    gchar* found = secret_password_lookup_sync(
        schema(), nullptr, &error, "server", server.toUtf8().constData(), "user", user.toUtf8().constData(), nullptr);
    if (error)
        g_error_free(error); // no Secret Service: nothing kept
    if (!found)
        return {};
    const QString password = QString::fromUtf8(found);
    secret_password_free(found);
    return password;
}

bool SecretPasswordStore::keep(const QString& server, const QString& user, const QString& password)
{
    GError* error = nullptr;
    const QString label = QStringLiteral("Brivo Reminder: %1 at %2").arg(user, server);
    const gboolean kept = secret_password_store_sync(schema(), SECRET_COLLECTION_DEFAULT, label.toUtf8().constData(),
        password.toUtf8().constData(), nullptr, &error, "server", server.toUtf8().constData(), "user",
        user.toUtf8().constData(), nullptr);
    if (error)
        g_error_free(error);
    return kept;
}

void SecretPasswordStore::forget(const QString& server, const QString& user)
{
    GError* error = nullptr;
    secret_password_clear_sync(
        schema(), nullptr, &error, "server", server.toUtf8().constData(), "user", user.toUtf8().constData(), nullptr);
    if (error)
        g_error_free(error);
}
