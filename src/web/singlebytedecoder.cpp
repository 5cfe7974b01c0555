#include "web/decodedtext.h"
#include "web/legacydecoders.h"

QString decodeSingleByte(QByteArrayView bytes, const std::array<char16_t, 128> &upperHalf)
{
    // One code unit per byte, looked up without a branch.
    std::array<char16_t, 256> units;
    for (int b = 0; b < 0x80; ++b)
        units[b] = char16_t(b);
    for (int b = 0x80; b < 0x100; ++b)
        units[b] = upperHalf[b - 0x80] ? upperHalf[b - 0x80] : char16_t(QChar::ReplacementCharacter);

    DecodedText text(bytes.size());
    for (const char byte : bytes)
        text.put(units[static_cast<unsigned char>(byte)]);
    return std::move(text).take();
}
