#pragma once

#include <QByteArray>
#include <QString>

class QNetworkRequest;

// What pages and images are requested with, as a browser would: many comic sites refuse clients
// they do not know, and images without the page they sit on as Referer.

// The User-Agent of every request: a common desktop browser's, or the environment variable
// TAVRIN_USER_AGENT when it is set.
QByteArray userAgent();

// Sets the User-Agent and, unless `referer` is empty or no address, the Referer (without its
// fragment and user info, as browsers send it).
void addBrowserHeaders(QNetworkRequest &request, const QString &referer);
