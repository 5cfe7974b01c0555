#include "web/proxyrules.h"

#include "web/proxyaddress.h"

#include <QProcessEnvironment>
#include <QUrl>

namespace {

// The variable in lower case, else in upper case; an empty value counts as unset.
QString variable(const QProcessEnvironment &environment, const QString &name)
{
    const QString lower = environment.value(name);
    return lower.isEmpty() ? environment.value(name.toUpper()) : lower;
}

// A host given as a bracketed IPv6 address or with a port is matched by the host alone.
QString hostOfEntry(QString entry)
{
    entry = entry.trimmed().toLower();
    if (entry.startsWith(u'[')) {
        const qsizetype close = entry.indexOf(u']');
        return close < 0 ? entry : entry.mid(1, close - 1);
    }
    if (entry.count(u':') == 1)
        entry = entry.left(entry.indexOf(u':'));
    while (entry.startsWith(u'.'))
        entry.remove(0, 1);
    return entry;
}

// A kind of proxy no web request can use: Qt fails such a request before sending anything. It
// stands for an address that cannot be read, so nothing goes direct that the user meant to send
// through a proxy.
QNetworkProxy unusable()
{
    return QNetworkProxy(QNetworkProxy::FtpCachingProxy);
}

} // namespace

ProxyRules ProxyRules::fromEnvironment(const QProcessEnvironment &environment)
{
    ProxyRules rules;
    const auto read = [&rules](const QString &address) -> std::optional<QNetworkProxy> {
        if (address.isEmpty())
            return std::nullopt;
        if (std::optional<QNetworkProxy> proxy = parseProxyAddress(address))
            return proxy;
        rules.m_unreadable.append(withoutLogin(address));
        return unusable();
    };
    const QString all = variable(environment, QStringLiteral("all_proxy"));
    const QString http = variable(environment, QStringLiteral("http_proxy"));
    const QString https = variable(environment, QStringLiteral("https_proxy"));
    rules.m_http = read(http.isEmpty() ? all : http);
    rules.m_https = read(https.isEmpty() ? all : https);
    rules.m_unreadable.removeDuplicates();

    for (const QString &entry : variable(environment, QStringLiteral("no_proxy")).split(u',')) {
        if (entry.trimmed() == u"*")
            rules.m_noProxyAll = true;
        else if (const QString host = hostOfEntry(entry); !host.isEmpty())
            rules.m_noProxy.append(host);
    }
    return rules;
}

ProxyRules ProxyRules::through(const QNetworkProxy &proxy)
{
    ProxyRules rules;
    rules.m_http = proxy;
    rules.m_https = proxy;
    return rules;
}

ProxyRules ProxyRules::fromOption(const QString &value, const QProcessEnvironment &environment)
{
    if (value.trimmed().isEmpty())
        return fromEnvironment(environment);
    if (value.trimmed().compare(QLatin1String("direct"), Qt::CaseInsensitive) == 0)
        return {};
    if (const std::optional<QNetworkProxy> proxy = parseProxyAddress(value))
        return through(*proxy);
    ProxyRules rules = through(unusable());
    rules.m_unreadable.append(withoutLogin(value.trimmed()));
    return rules;
}

QNetworkProxy ProxyRules::proxyFor(const QUrl &url) const
{
    const std::optional<QNetworkProxy> &proxy = url.scheme() == u"https" ? m_https : m_http;
    if (!proxy || m_noProxyAll)
        return QNetworkProxy(QNetworkProxy::NoProxy);
    const QString host = url.host().toLower();
    for (const QString &direct : m_noProxy) {
        if (host == direct || host.endsWith(u'.' + direct))
            return QNetworkProxy(QNetworkProxy::NoProxy);
    }
    return *proxy;
}
