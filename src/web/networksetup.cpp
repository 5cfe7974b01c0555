#include "web/networksetup.h"

#include "web/proxyfailure.h"
#include "web/rulesproxyfactory.h"
#include "web/sharedcookiejar.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

// The store's own rules are QNetworkCookieJar's; loading cookies needs its protected insert.
class CookieStore final : public QNetworkCookieJar
{
public:
    using QNetworkCookieJar::insertCookie;
};

} // namespace

NetworkSetup::NetworkSetup(QObject *parent)
    : QObject(parent), m_rules(std::make_shared<ProxyRules>()), m_cookies(std::make_shared<CookieStore>())
{
}

NetworkSetup::~NetworkSetup() = default;

void NetworkSetup::configure(QNetworkAccessManager &manager)
{
    manager.setProxyFactory(new RulesProxyFactory(m_rules));
    manager.setCookieJar(new SharedCookieJar(m_cookies));
    connect(&manager, &QNetworkAccessManager::finished, this, &NetworkSetup::noteFinished,
            Qt::UniqueConnection);
}

void NetworkSetup::setProxyRules(const ProxyRules &rules)
{
    *m_rules = rules;
}

void NetworkSetup::addCookies(const QList<QNetworkCookie> &cookies)
{
    auto &store = static_cast<CookieStore &>(*m_cookies);
    for (const QNetworkCookie &cookie : cookies)
        store.insertCookie(cookie);
}

void NetworkSetup::noteFinished(QNetworkReply *reply)
{
    const QString text = proxyFailureText(*reply);
    if (!text.isEmpty())
        Q_EMIT proxyFailed(text);
}
