#pragma once

#include <QString>
#include <QUrl>

// The addresses the program fetches over HTTP, and the redirects it follows between them.

// An http or https address with a host; nothing else is ever requested.
bool isWebAddress(const QUrl &url);

// A status that points elsewhere through its Location header.
bool isRedirectStatus(int status);

// Where a redirect from `from` to `location` leads: empty when it leaves http/https, or when it
// would step down from https to http (Qt's default policy refuses that too).
QUrl redirectTarget(const QUrl &from, const QUrl &location);

// The address's scheme and host (with its port) followed by "/": the Referer an image gets when
// the page it sits on is unknown. Empty when the address is no web address.
QString siteRoot(const QString &address);
