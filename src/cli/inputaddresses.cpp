#include "cli/inputaddresses.h"

QStringList inputAddresses(const QStringList &lines)
{
    QStringList addresses;
    for (const QString &line : lines) {
        const QString address = line.trimmed();
        if (!address.isEmpty() && !address.startsWith(u'#'))
            addresses.append(address);
    }
    return addresses;
}
