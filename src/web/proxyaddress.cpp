#include "web/proxyaddress.h"

#include <QUrl>

namespace {

constexpr quint16 defaultPort = 1080;

std::optional<QNetworkProxy> proxyOfScheme(const QString &scheme)
{
    if (scheme == u"http")
        return QNetworkProxy(QNetworkProxy::HttpProxy);
    if (scheme != u"socks5" && scheme != u"socks5h")
        return std::nullopt;
    QNetworkProxy proxy(QNetworkProxy::Socks5Proxy);
    // socks5 resolves names here and hands the proxy an address; socks5h hands it the name.
    QNetworkProxy::Capabilities capabilities = proxy.capabilities();
    capabilities.setFlag(QNetworkProxy::HostNameLookupCapability, scheme == u"socks5h");
    proxy.setCapabilities(capabilities);
    return proxy;
}

} // namespace

std::optional<QNetworkProxy> parseProxyAddress(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QUrl url(trimmed.contains(QLatin1String("://")) ? trimmed : QStringLiteral("http://") + trimmed,
                   QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || url.port() == 0)
        return std::nullopt;
    const QString path = url.path();
    if (!path.isEmpty() && path != u"/")
        return std::nullopt;
    std::optional<QNetworkProxy> proxy = proxyOfScheme(url.scheme().toLower());
    if (!proxy)
        return std::nullopt;
    proxy->setHostName(url.host());
    proxy->setPort(quint16(url.port(defaultPort)));
    proxy->setUser(url.userName(QUrl::FullyDecoded));
    proxy->setPassword(url.password(QUrl::FullyDecoded));
    return proxy;
}

QString proxyShownName(const QNetworkProxy &proxy)
{
    const QString host = proxy.hostName().contains(u':') ? u'[' + proxy.hostName() + u']' : proxy.hostName();
    return host + u':' + QString::number(proxy.port());
}

QString withoutLogin(const QString &text)
{
    const qsizetype at = text.lastIndexOf(u'@');
    if (at < 0)
        return text;
    // A scheme stands before every "@"; a "://" after one is part of what follows the login, which
    // then runs from the start.
    const qsizetype schemeEnd = text.indexOf(QLatin1String("://"));
    const qsizetype loginStart = schemeEnd >= 0 && schemeEnd < text.indexOf(u'@') ? schemeEnd + 3 : 0;
    return text.left(loginStart) + text.mid(at + 1);
}
