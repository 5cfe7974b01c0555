#pragma once

#include <QByteArray>
#include <QString>

// The narrow code page of the program's own text files: GBK (code page 936), so files made on
// Chinese Windows read the same here.
QString decodeNarrow(const QByteArray &bytes);
QByteArray encodeNarrow(const QString &text);
