#pragma once

#include <QString>

class QNetworkReply;

// Why a finished request failed because of its proxy or at it, naming the proxy by host and port
// (never its password); empty when the reply did not fail so, or went direct. Answers that only
// carry an HTTP status of the site, and requests the program dropped itself, are not such failures.
QString proxyFailureText(const QNetworkReply &reply);

// The answer is the HTTP proxy's own refusal (407), not the site's: the request fails once it ends.
bool isProxyRefusal(const QNetworkReply &reply);

// What to tell of a failed request: the proxy's part when it has one, Qt's own text otherwise.
QString requestFailureText(const QNetworkReply &reply);
