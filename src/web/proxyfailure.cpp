#include "web/proxyfailure.h"

#include "web/proxyaddress.h"
#include "web/rulesproxyfactory.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

// Failures of the connection itself, not answers of the site (those carry its HTTP status) and
// not a request the program dropped (its own time limit, another request in its place).
bool isTransportError(QNetworkReply::NetworkError code)
{
    return code != QNetworkReply::NoError && code != QNetworkReply::OperationCanceledError &&
           code < QNetworkReply::ContentAccessDenied;
}

const RulesProxyFactory *rulesOf(const QNetworkReply &reply)
{
    const QNetworkAccessManager *manager = reply.manager();
    return manager ? dynamic_cast<const RulesProxyFactory *>(manager->proxyFactory()) : nullptr;
}

// The proxy the rules name for the reply's address; NoProxy for a manager without rules.
QNetworkProxy proxyOf(const QNetworkReply &reply)
{
    const RulesProxyFactory *factory = rulesOf(reply);
    return factory ? factory->rules().proxyFor(reply.url()) : QNetworkProxy(QNetworkProxy::NoProxy);
}

// Through an HTTP proxy the connection itself goes to the proxy, so its failures are the proxy's.
// Qt reports a SOCKS5 proxy it cannot reach, or that drops the connection, only as an unknown
// network error.
QNetworkReply::NetworkError asSeenThrough(QNetworkReply::NetworkError code, const QNetworkProxy &proxy)
{
    if (proxy.type() == QNetworkProxy::Socks5Proxy)
        return code == QNetworkReply::UnknownNetworkError ? QNetworkReply::ProxyConnectionRefusedError : code;
    switch (code) {
    case QNetworkReply::ConnectionRefusedError:
        return QNetworkReply::ProxyConnectionRefusedError;
    case QNetworkReply::HostNotFoundError:
        return QNetworkReply::ProxyNotFoundError;
    case QNetworkReply::RemoteHostClosedError:
        return QNetworkReply::ProxyConnectionClosedError;
    case QNetworkReply::TimeoutError:
        return QNetworkReply::ProxyTimeoutError;
    default:
        return code;
    }
}

// Short: the window's status line shows it.
QString describe(QNetworkReply::NetworkError code, const QString &proxy, const QString &qtText)
{
    switch (code) {
    case QNetworkReply::ProxyConnectionRefusedError:
        return QStringLiteral("无法连接代理服务器 %1").arg(proxy);
    case QNetworkReply::ProxyNotFoundError:
        return QStringLiteral("找不到代理服务器 %1").arg(proxy);
    case QNetworkReply::ProxyConnectionClosedError:
        return QStringLiteral("代理服务器 %1 断开了连接").arg(proxy);
    case QNetworkReply::ProxyTimeoutError:
        return QStringLiteral("代理服务器 %1 没有响应").arg(proxy);
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QStringLiteral("代理服务器 %1 要求正确的用户名和密码").arg(proxy);
    default:
        return QStringLiteral("代理服务器 %1：%2").arg(proxy, qtText);
    }
}

} // namespace

QString proxyFailureText(const QNetworkReply &reply)
{
    const QNetworkReply::NetworkError code = reply.error();
    if (!isTransportError(code))
        return {};
    const RulesProxyFactory *factory = rulesOf(reply);
    if (!factory)
        return {};
    const QNetworkProxy proxy = factory->rules().proxyFor(reply.url());
    if (proxy.type() == QNetworkProxy::NoProxy)
        return {};
    if (ProxyRules::isUnusable(proxy))
        return QStringLiteral("无法识别的代理地址：%1，请求未发出")
            .arg(factory->rules().unreadable().join(QStringLiteral("，")));
    QString text = describe(asSeenThrough(code, proxy), proxyShownName(proxy), reply.errorString());
    // Qt's own texts never hold it; this is only a last guard.
    if (!proxy.password().isEmpty())
        text.replace(proxy.password(), QStringLiteral("***"));
    return text;
}

bool isProxyRefusal(const QNetworkReply &reply)
{
    const QNetworkProxy::ProxyType type = proxyOf(reply).type();
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 407 &&
           (type == QNetworkProxy::HttpProxy || type == QNetworkProxy::HttpCachingProxy);
}

QString requestFailureText(const QNetworkReply &reply)
{
    const QString proxyText = proxyFailureText(reply);
    return proxyText.isEmpty() ? reply.errorString() : proxyText;
}
