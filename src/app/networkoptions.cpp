#include "app/networkoptions.h"

#include "app/settings.h"
#include "web/cookiefile.h"
#include "web/networksetup.h"
#include "web/proxyrules.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace {

QStringList proxyWarnings(const ProxyRules &rules)
{
    if (rules.unreadable().isEmpty())
        return {};
    return {QStringLiteral("无法识别的代理地址：%1，该走这个代理的请求都不会发出")
                .arg(rules.unreadable().join(QStringLiteral("，")))};
}

QStringList loadCookies(NetworkSetup &network, const QString &path)
{
    if (path.isEmpty())
        return {};
    const CookieFileRead read = readCookieFile(path, QDateTime::currentDateTimeUtc());
    if (!read)
        return {QStringLiteral("无法读取Cookie文件 %1：%2").arg(QDir::toNativeSeparators(path), read.error)};
    network.addCookies(read.contents.cookies);
    if (read.contents.malformedLines == 0)
        return {};
    // The name alone: the window's status line is short.
    return {QStringLiteral("Cookie文件 %1 有 %2 行格式不对，已跳过")
                .arg(QFileInfo(path).fileName())
                .arg(read.contents.malformedLines)};
}

} // namespace

QStringList startNetwork(NetworkSetup &network, const Settings &settings, const QString &appFolder,
                         const NetworkOverrides &overrides, const QProcessEnvironment &environment)
{
    if (overrides.proxy) {
        network.setProxyRules(ProxyRules::fromOption(*overrides.proxy, environment));
    } else {
        const auto follow = [&network, &settings, environment] {
            network.setProxyRules(ProxyRules::fromOption(settings.proxy(), environment));
        };
        follow();
        QObject::connect(&settings, &Settings::changed, &network, follow);
    }
    QStringList warnings = proxyWarnings(network.proxyRules());

    const QString cookies = overrides.cookiesFile.isEmpty() && !settings.cookiesFile().isEmpty()
                                ? QDir(appFolder).filePath(settings.cookiesFile())
                                : overrides.cookiesFile;
    warnings += loadCookies(network, cookies);
    return warnings;
}
