#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The name image `index` (from 0) of `count` images is saved under: its number from 1, padded
// with "0" to the digits of `count`, then the address's extension (from its last "." to its end,
// a query string included). An extension that would hold "/" (the last "." lies in the host or a
// folder) is dropped, so the image is never written outside its folder.
QString imageFileName(qint32 index, qint32 count, const QString &address);

// The image addresses of a list text (each address followed by CR LF); a last address without its
// CR LF counts too.
QStringList imageAddresses(const QString &listText);

// The names of all images of a list, in order.
QStringList imageFileNames(const QStringList &addresses);
