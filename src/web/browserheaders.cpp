#include "web/browserheaders.h"

#include <QNetworkRequest>
#include <QUrl>

namespace {

const QByteArray browserUserAgent =
    "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/124.0.0.0 Safari/537.36";

} // namespace

QByteArray userAgent()
{
    const QByteArray chosen = qgetenv("TAVRIN_USER_AGENT").trimmed();
    if (chosen.isEmpty() || chosen.contains('\r') || chosen.contains('\n'))
        return browserUserAgent;
    return chosen;
}

void addBrowserHeaders(QNetworkRequest &request, const QString &referer)
{
    request.setRawHeader("User-Agent", userAgent());
    if (referer.isEmpty())
        return;
    const QUrl from(referer);
    if (!from.isValid() || from.scheme().isEmpty())
        return;
    // Percent-encoded, so no address can put a line break into the request head.
    request.setRawHeader("Referer", from.adjusted(QUrl::RemoveFragment | QUrl::RemoveUserInfo).toEncoded());
}
