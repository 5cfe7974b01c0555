#pragma once

#include "web/webencoding.h"

#include <array>
#include <cstdint>
#include <span>

// The standard's indexes as the decoders read them (generated: encodingindexes.cpp). A table holds
// the code point of each pointer from 0 up to its last one; 0 stands for "no code point".

// Big5 characters beyond the BMP stand in big5Index as Big5AstralBase + their place in big5Astral.
inline constexpr char16_t Big5AstralBase = 0xD800;
inline constexpr char16_t Big5AstralEnd = 0xE000;

struct Gb18030Range
{
    std::uint32_t pointer;
    char32_t codePoint;
};

extern const std::span<const char16_t> gb18030Index;
extern const std::span<const char16_t> big5Index;
extern const std::span<const char32_t> big5Astral;
extern const std::span<const char16_t> jis0208Index;
extern const std::span<const char16_t> jis0212Index;
extern const std::span<const char16_t> eucKrIndex;
// Four-byte gb18030: where each range of pointers starts and its first code point, ascending.
extern const std::span<const Gb18030Range> gb18030Ranges;

// Code points of the bytes 0x80-0xFF of a single-byte encoding; nullptr for the other encodings.
const std::array<char16_t, 128> *singleByteUpperHalf(WebEncoding encoding);

// The code point of a pointer in an index; 0 when the index has none.
inline char16_t indexCode(std::span<const char16_t> index, std::size_t pointer)
{
    return pointer < index.size() ? index[pointer] : char16_t(0);
}
