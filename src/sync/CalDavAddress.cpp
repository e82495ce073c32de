#include "sync/CalDavAddress.h"

bool calDavAddressAllowed(const QUrl& url)
{
    if (url.scheme() == u"https")
        return true;
    const QString host = url.host();
    return url.scheme() == u"http" && (host == u"localhost" || host == u"127.0.0.1" || host == u"::1");
}

bool calDavAddressAcceptable(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return true;
    const QUrl url(trimmed, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() && calDavAddressAllowed(url);
}
