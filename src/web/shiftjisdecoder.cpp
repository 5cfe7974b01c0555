#include "web/decodedtext.h"
#include "web/encodingindexes.h"
#include "web/legacydecoders.h"

namespace {

bool isLead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The character of a lead and a trail byte; 0 when they make none.
char16_t pairCode(unsigned char lead, unsigned char trail)
{
    if (!((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC)))
        return 0;
    const unsigned offset = trail < 0x7F ? 0x40 : 0x41;
    const unsigned leadOffset = lead < 0xA0 ? 0x81 : 0xC1;
    const std::uint32_t pointer = (lead - leadOffset) * 188 + trail - offset;
    if (pointer >= 8836 && pointer <= 10715)
        return char16_t(0xE000 - 8836 + pointer); // user-defined area
    return indexCode(jis0208Index, pointer);
}

} // namespace

QString decodeShiftJis(QByteArrayView bytes)
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
            text.put(u'\u0080');
            ++i;
        } else if (lead >= 0xA1 && lead <= 0xDF) {
            text.put(char16_t(0xFF61 - 0xA1 + lead)); // half-width katakana
            ++i;
        } else if (!isLead(lead) || i + 1 == size) {
            text.putError();
            ++i;
        } else if (const char16_t code = pairCode(lead, in[i + 1])) {
            text.put(code);
            i += 2;
        } else {
            text.putError();
            i += in[i + 1] < 0x80 ? 1 : 2;
        }
    }
    return std::move(text).take();
}
