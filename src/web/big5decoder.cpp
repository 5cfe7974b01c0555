#include "web/decodedtext.h"
#include "web/encodingindexes.h"
#include "web/legacydecoders.h"

namespace {

// Four pointers decode to a letter and a combining mark, which the index cannot hold.
bool putCombined(std::uint32_t pointer, DecodedText &text)
{
    switch (pointer) {
    case 1133:
        text.put(u'\u00CA');
        text.put(u'\u0304');
        return true;
    case 1135:
        text.put(u'\u00CA');
        text.put(u'\u030C');
        return true;
    case 1164:
        text.put(u'\u00EA');
        text.put(u'\u0304');
        return true;
    case 1166:
        text.put(u'\u00EA');
        text.put(u'\u030C');
        return true;
    default:
        return false;
    }
}

bool putPair(unsigned char lead, unsigned char trail, DecodedText &text)
{
    if (!((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE)))
        return false;
    const unsigned offset = trail < 0x7F ? 0x40 : 0x62;
    const std::uint32_t pointer = (lead - 0x81) * 157 + (trail - offset);
    if (putCombined(pointer, text))
        return true;
    const char16_t code = indexCode(big5Index, pointer);
    if (code >= Big5AstralBase && code < Big5AstralEnd)
        text.putCodePoint(big5Astral[code - Big5AstralBase]);
    else if (code)
        text.put(code);
    return code != 0;
}

} // namespace

QString decodeBig5(QByteArrayView bytes)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    DecodedText text(size);
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = in[i];
        if (lead < 0x80) {
            i = text.copyAscii(in, i, size);
            continue;
        }
        if (lead == 0x80 || lead == 0xFF || i + 1 == size) {
            text.putError();
            ++i;
        } else if (putPair(lead, in[i + 1], text)) {
            i += 2;
        } else {
            text.putError();
            i += in[i + 1] < 0x80 ? 1 : 2;
        }
    }
    return std::move(text).take();
}
