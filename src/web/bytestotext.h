#pragma once

#include <optional>
#include <QByteArray>
#include <QString>

// Decodes bytes in the encoding a charset label names (WHATWG label table, so "GB2312" decodes
// GBK text as browsers and Windows do). A byte order mark at the start overrides the label and is
// dropped. Bytes invalid in the encoding become U+FFFD. nullopt when the label is unknown.
std::optional<QString> BytesToText(const QByteArray &bytes, const QString &charset);
