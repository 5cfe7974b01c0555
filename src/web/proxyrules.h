#pragma once

#include <optional>
#include <QNetworkProxy>
#include <QString>
#include <QStringList>

class QProcessEnvironment;
class QUrl;

// Which proxy each request of the program takes.
class ProxyRules
{
public:
    // No proxy: every request goes direct.
    ProxyRules() = default;

    // The proxies the user's session names, read as curl and wget read them: http_proxy for http
    // addresses, https_proxy for https, all_proxy for either when its own is unset (each name in
    // lower case first, then upper case), and no_proxy: host names and domain suffixes, separated
    // by commas, that go direct ("*" for every host).
    static ProxyRules fromEnvironment(const QProcessEnvironment &environment);
    // One proxy for every request.
    static ProxyRules through(const QNetworkProxy &proxy);
    // The proxy option's value: empty, the environment's; "direct", none; otherwise an address.
    static ProxyRules fromOption(const QString &value, const QProcessEnvironment &environment);

    // The proxy for a request to `url`; NoProxy to go direct. A request that would go through an
    // address that cannot be read gets a proxy no web request can use, so it fails unsent.
    QNetworkProxy proxyFor(const QUrl &url) const;
    // The addresses that could not be read as proxies, without their logins.
    QStringList unreadable() const { return m_unreadable; }
    static bool isUnusable(const QNetworkProxy &proxy)
    {
        return proxy.type() == QNetworkProxy::FtpCachingProxy;
    }

private:
    std::optional<QNetworkProxy> m_http;
    std::optional<QNetworkProxy> m_https;
    QStringList m_noProxy; // lower case, without a leading "."
    bool m_noProxyAll = false;
    QStringList m_unreadable;
};
