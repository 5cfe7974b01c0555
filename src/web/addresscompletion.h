#pragma once

#include <QString>

// Makes addresses found on a page absolute against the walk's first address: "/x" gets the first
// address's scheme and host, "//cdn/x" only its scheme. Any other address is kept as it is, and so
// is "/x" when the first address has no "/" after its host.
class AddressCompletion
{
public:
    explicit AddressCompletion(const QString &firstAddress);
    QString complete(const QString &address) const;

private:
    QString m_scheme;     // "http:" or "https:"
    QString m_schemeHost; // "http://host", empty when the first address has no "/" after the host
};

QString completeAddress(const QString &address, const QString &firstAddress);
