#pragma once

#include <cstddef>
#include <cstdint>
#include <QByteArray>
#include <QStringView>

// What every fuzz target shares.

// A property that must hold whatever the input; a failure aborts, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition) ((condition) ? void() : fuzzCheckFailed(#condition, __FILE__, __LINE__))
[[noreturn]] void fuzzCheckFailed(const char *condition, const char *file, int line);

// The program always runs inside a QCoreApplication; the targets do too. Safe to call every time.
void ensureApplication();

// True when the text holds half of a surrogate pair on its own.
bool hasUnpairedSurrogate(QStringView text);

inline QByteArray inputBytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}
