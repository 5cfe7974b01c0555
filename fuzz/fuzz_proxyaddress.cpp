// Proxy addresses as the environment, Option.ini's Proxy and --proxy give them, and the rules
// that pick a request's proxy. A login written in an address never reaches a message.

#include "fuzzcheck.h"
#include "web/proxyaddress.h"
#include "web/proxyrules.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <QProcessEnvironment>
#include <QUrl>

namespace {

const QString secret = QStringLiteral("fuzzsecret");

QString consumeText(FuzzedDataProvider &input, std::size_t maxLength)
{
    return QString::fromStdString(input.ConsumeRandomLengthString(maxLength));
}

void checkShown(const QStringList &shown)
{
    for (const QString &text : shown)
        FUZZ_CHECK(!text.contains(secret));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString before = consumeText(input, 24);
    const QString after = consumeText(input, 40);
    const QString noProxy = consumeText(input, 40);
    const QUrl target(consumeText(input, 40));
    // An address with a login in it, the user's password where a message might show it.
    const QString address = before + QStringLiteral("fuzzuser:") + secret + u'@' + after;
    const bool secretElsewhere = (before + after).contains(secret);

    const std::optional<QNetworkProxy> proxy = parseProxyAddress(address);
    if (proxy) {
        FUZZ_CHECK(!proxy->hostName().isEmpty() && proxy->port() != 0);
        FUZZ_CHECK(proxy->type() == QNetworkProxy::HttpProxy || proxy->type() == QNetworkProxy::Socks5Proxy);
        if (!secretElsewhere)
            checkShown({proxyShownName(*proxy)});
    }
    if (!secretElsewhere)
        checkShown({withoutLogin(address)});

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("https_proxy"), address);
    environment.insert(QStringLiteral("NO_PROXY"), noProxy);
    for (const QString &option : {QString(), address}) {
        const ProxyRules rules = ProxyRules::fromOption(option, environment);
        if (!secretElsewhere)
            checkShown(rules.unreadable());
        const QNetworkProxy chosen = rules.proxyFor(target);
        // An address that cannot be read never lets the request go direct instead.
        if (!proxy && !rules.unreadable().isEmpty() && chosen.type() != QNetworkProxy::NoProxy)
            FUZZ_CHECK(ProxyRules::isUnusable(chosen));
    }
    return 0;
}
