#pragma once

#include <optional>
#include <QByteArray>
#include <QString>

// Decodes bytes in the encoding a charset label names, as browsers do: the WHATWG Encoding
// Standard's label table (so "GB2312" decodes GBK text, as Windows does too) and its decoders, each
// error one U+FFFD. A byte order mark at the start overrides the label and is dropped. Labels of HZ
// and of the ISO-2022 encodings of China and Korea are read with ICU's converters. nullopt when the
// label is unknown.
std::optional<QString> BytesToText(const QByteArray &bytes, const QString &charset);
