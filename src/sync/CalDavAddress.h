#pragma once

#include <QString>
#include <QUrl>

// Where sync may go: https anywhere, plain http only to this computer.
bool calDavAddressAllowed(const QUrl& url);

// An address typed for CalDAV_URL: empty (no sync), or an absolute http(s)
// address with a host that calDavAddressAllowed takes.
bool calDavAddressAcceptable(const QString& text);
