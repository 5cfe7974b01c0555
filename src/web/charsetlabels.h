#pragma once

#include <optional>
#include <QString>

// The encoding a charset label names, by the WHATWG Encoding Standard's label table (the names
// browsers accept on web pages): "gb2312" and "GBK" both give "GBK", "utf8" gives "UTF-8".
// Surrounding ASCII whitespace is ignored and letters match without case; nullopt for an
// unknown label.
std::optional<QString> encodingForLabel(const QString &label);
