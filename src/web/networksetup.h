#pragma once

#include "web/proxyrules.h"

#include <memory>
#include <QList>
#include <QNetworkCookie>
#include <QObject>

class QNetworkAccessManager;
class QNetworkCookieJar;
class QNetworkReply;

// How every request of the program reaches the sites: the proxy rules in force and one cookie jar
// shared by every network manager it configures (page fetches, image downloads, the update check).
// Changing the rules counts from the next request on, in every manager configured.
class NetworkSetup final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NetworkSetup)

public:
    explicit NetworkSetup(QObject *parent = nullptr);
    ~NetworkSetup() override;

    // The manager takes these rules and the shared cookies from now on, and its proxy failures
    // are told through proxyFailed.
    void configure(QNetworkAccessManager &manager);

    void setProxyRules(const ProxyRules &rules);
    const ProxyRules &proxyRules() const { return *m_rules; }

    // Cookies sent from now on where their host, path, secure flag and expiry match.
    void addCookies(const QList<QNetworkCookie> &cookies);

Q_SIGNALS:
    // A request failed because of the proxy, or at it; the text names the proxy by host and port
    // and never holds its password.
    void proxyFailed(const QString &text);

private:
    void noteFinished(QNetworkReply *reply);

    std::shared_ptr<ProxyRules> m_rules;
    std::shared_ptr<QNetworkCookieJar> m_cookies;
};
