#pragma once

#include <optional>
#include <QByteArray>
#include <QString>

// Thin wrapper over ICU's ucnv: bytes in a named ICU converter to text and back.
// Invalid input bytes decode to U+FFFD; nullopt means ICU does not know the converter.
std::optional<QString> icuDecode(const QByteArray &bytes, const char *converterName);
std::optional<QByteArray> icuEncode(const QString &text, const char *converterName);
