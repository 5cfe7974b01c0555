#include "web/decodedtext.h"
#include "web/encodingindexes.h"
#include "web/legacydecoders.h"

#include <algorithm>
#include <optional>

namespace {

bool isDigit(unsigned char b)
{
    return b >= 0x30 && b <= 0x39;
}

bool isLead(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

// The index gb18030 ranges code point of a four-byte pointer.
std::optional<char32_t> rangesCodePoint(std::uint32_t pointer)
{
    if ((pointer > 39419 && pointer < 189000) || pointer > 1237575)
        return std::nullopt;
    if (pointer == 7457)
        return U'\uE7C7';
    const auto after = std::upper_bound(gb18030Ranges.begin(), gb18030Ranges.end(), pointer,
                                        [](std::uint32_t p, const Gb18030Range &r) { return p < r.pointer; });
    const Gb18030Range &range = *(after - 1); // the first range starts at pointer 0
    return range.codePoint + (pointer - range.pointer);
}

char16_t twoByteCode(unsigned char lead, unsigned char trail)
{
    if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
        return 0;
    const unsigned offset = trail < 0x7F ? 0x40 : 0x41;
    return indexCode(gb18030Index, (lead - 0x81) * 190 + (trail - offset));
}

// The sequence at `i` starts with a lead byte and a digit; returns where the next one starts.
qsizetype decodeFourBytes(const unsigned char *in, qsizetype i, qsizetype size, DecodedText &text)
{
    if (i + 2 >= size || (isLead(in[i + 2]) && i + 3 >= size)) {
        text.putError(); // cut off by the end of the input
        return size;
    }
    if (!isLead(in[i + 2]) || !isDigit(in[i + 3])) {
        text.putError(); // only the lead byte is spent; the rest is read again
        return i + 1;
    }
    const std::uint32_t pointer =
        (in[i] - 0x81) * 12600u + (in[i + 1] - 0x30) * 1260u + (in[i + 2] - 0x81) * 10u + (in[i + 3] - 0x30);
    if (const std::optional<char32_t> codePoint = rangesCodePoint(pointer))
        text.putCodePoint(*codePoint);
    else
        text.putError();
    return i + 4;
}

} // namespace

QString decodeGb18030(QByteArrayView bytes)
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
        if (lead == 0x80) {
            text.put(u'\u20AC');
            ++i;
        } else if (lead == 0xFF) {
            text.putError();
            ++i;
        } else if (i + 1 == size) {
            text.putError();
            ++i;
        } else if (isDigit(in[i + 1])) {
            i = decodeFourBytes(in, i, size, text);
        } else if (const char16_t code = twoByteCode(lead, in[i + 1])) {
            text.put(code);
            i += 2;
        } else {
            text.putError();
            i += in[i + 1] < 0x80 ? 1 : 2;
        }
    }
    return std::move(text).take();
}
