#pragma once

#include "web/proxyrules.h"

#include <memory>
#include <QNetworkProxyFactory>

// A network manager's proxy factory that asks the rules it shares with the network setup, so a
// change of rules counts from the next request on. The manager owns the factory.
class RulesProxyFactory final : public QNetworkProxyFactory
{
public:
    explicit RulesProxyFactory(std::shared_ptr<const ProxyRules> rules) : m_rules(std::move(rules)) {}

    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        return {m_rules->proxyFor(query.url())};
    }
    const ProxyRules &rules() const { return *m_rules; }

private:
    std::shared_ptr<const ProxyRules> m_rules;
};
