#include "web/decodedtext.h"
#include "web/encodingindexes.h"
#include "web/legacydecoders.h"

namespace {

bool isJisByte(unsigned char b)
{
    return b >= 0xA1 && b <= 0xFE;
}

// A lead byte and the byte after it that is no trail byte: the lead is spent, an ASCII byte is
// read again. Returns the length spent.
qsizetype putBadPair(unsigned char next, DecodedText &text)
{
    text.putError();
    return next < 0x80 ? 1 : 2;
}

// The sequence at `i` starts with a lead byte (0x8E, 0x8F, 0xA1-0xFE) followed by another byte;
// returns its length.
qsizetype decodeSequence(const unsigned char *in, qsizetype i, qsizetype size, DecodedText &text)
{
    const unsigned char lead = in[i];
    const unsigned char next = in[i + 1];
    if (lead == 0x8E) {
        if (next < 0xA1 || next > 0xDF)
            return putBadPair(next, text);
        text.put(char16_t(0xFF61 - 0xA1 + next)); // half-width katakana
        return 2;
    }
    if (lead == 0x8F) {
        if (!isJisByte(next))
            return putBadPair(next, text);
        if (i + 2 == size) {
            text.putError();
            return 2;
        }
        const unsigned char trail = in[i + 2];
        const char16_t code =
            isJisByte(trail) ? indexCode(jis0212Index, (next - 0xA1) * 94 + trail - 0xA1) : 0;
        if (!code)
            return 1 + putBadPair(trail, text);
        text.put(code);
        return 3;
    }
    const char16_t code = isJisByte(next) ? indexCode(jis0208Index, (lead - 0xA1) * 94 + next - 0xA1) : 0;
    if (!code)
        return putBadPair(next, text);
    text.put(code);
    return 2;
}

} // namespace

QString decodeEucJp(QByteArrayView bytes)
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
        if (!(lead == 0x8E || lead == 0x8F || isJisByte(lead)) || i + 1 == size) {
            text.putError();
            ++i;
        } else {
            i += decodeSequence(in, i, size, text);
        }
    }
    return std::move(text).take();
}
