#include "web/addresscompletion.h"

AddressCompletion::AddressCompletion(const QString &firstAddress)
{
    const bool https = firstAddress.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
    m_scheme = https ? QStringLiteral("https:") : QStringLiteral("http:");
    // The host runs from just after "scheme://" up to the next "/".
    const qsizetype hostStart = https ? 8 : 7;
    const qsizetype hostEnd = firstAddress.indexOf(QLatin1Char('/'), hostStart + 1);
    if (hostEnd >= 0)
        m_schemeHost = m_scheme + QStringLiteral("//") + firstAddress.mid(hostStart, hostEnd - hostStart);
}

QString AddressCompletion::complete(const QString &address) const
{
    if (!address.startsWith(QLatin1Char('/')))
        return address;
    if (address.startsWith(QStringLiteral("//")))
        return m_scheme + address;
    if (m_schemeHost.isEmpty())
        return address;
    return m_schemeHost + address;
}

QString completeAddress(const QString &address, const QString &firstAddress)
{
    return AddressCompletion(firstAddress).complete(address);
}
