#pragma once

#include <QByteArray>
#include <QString>

// Raw bytes of a file, for byte-exact checks; empty when it cannot be read.
QByteArray readBytes(const QString &path);
bool writeBytes(const QString &path, const QByteArray &bytes);
