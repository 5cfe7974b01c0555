#include "web/webaddress.h"

bool isWebAddress(const QUrl &url)
{
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

bool isRedirectStatus(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

QUrl redirectTarget(const QUrl &from, const QUrl &location)
{
    const QUrl next = from.resolved(location);
    if (!isWebAddress(next))
        return {};
    if (from.scheme() == u"https" && next.scheme() != u"https")
        return {};
    return next;
}

QString siteRoot(const QString &address)
{
    const QUrl url(address);
    if (!isWebAddress(url))
        return {};
    return url.adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment)
               .toString(QUrl::FullyEncoded) +
           QLatin1Char('/');
}
