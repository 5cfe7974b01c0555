#pragma once

#include <optional>
#include <QNetworkProxy>
#include <QString>

// A proxy address as curl and wget take it: [scheme://][user:password@]host[:port]. The scheme is
// http (also when none is written), socks5 (host names resolved here) or socks5h (host names
// resolved by the proxy); without a port, 1080. Empty when the text is no such address.
std::optional<QNetworkProxy> parseProxyAddress(const QString &text);

// What a message may say of a proxy: "host:port", never its user name or password.
QString proxyShownName(const QNetworkProxy &proxy);

// A text meant as a proxy address, with anything that could be a "user:password@" taken out, for
// a message about an address that cannot be read.
QString withoutLogin(const QString &text);
