#pragma once

#include <QString>

// Makes an address found on a page absolute against the walk's first address: "/x" gets the
// first address's scheme and host, "//cdn/x" only its scheme. Any other address is kept as it is,
// and so is "/x" when the first address has no "/" after its host.
QString completeAddress(const QString &address, const QString &firstAddress);
