#include "web/addresscompletion.h"

QString completeAddress(const QString &address, const QString &firstAddress)
{
    if (!address.startsWith(QLatin1Char('/')))
        return address;
    const bool https = firstAddress.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
    if (address.startsWith(QStringLiteral("//")))
        return (https ? QStringLiteral("https:") : QStringLiteral("http:")) + address;
    // The host runs from just after "scheme://" up to the next "/".
    const qsizetype hostStart = https ? 8 : 7;
    const qsizetype hostEnd = firstAddress.indexOf(QLatin1Char('/'), hostStart + 1);
    if (hostEnd < 0)
        return address;
    const QString host = firstAddress.mid(hostStart, hostEnd - hostStart);
    return (https ? QStringLiteral("https://") : QStringLiteral("http://")) + host + address;
}
