#pragma once

#include <optional>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Thin wrapper over ICU's ucnv: bytes in a named ICU converter to text and back.
// Invalid input bytes decode to U+FFFD; nullopt means ICU does not know the converter.
std::optional<QString> icuDecode(QByteArrayView bytes, const char *converterName);
bool icuHasConverter(const char *converterName);
std::optional<QByteArray> icuEncode(const QString &text, const char *converterName);
