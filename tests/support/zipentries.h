#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

// The entries of a ZIP archive in their stored order: name and unpacked bytes. Empty when the
// file is no archive.
QList<std::pair<QString, QByteArray>> zipEntries(const QString &path);
