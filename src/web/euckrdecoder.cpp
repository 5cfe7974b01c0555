#include "web/decodedtext.h"
#include "web/encodingindexes.h"
#include "web/legacydecoders.h"

QString decodeEucKr(QByteArrayView bytes)
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
            continue;
        }
        const unsigned char trail = in[i + 1];
        const char16_t code =
            trail >= 0x41 && trail <= 0xFE ? indexCode(eucKrIndex, (lead - 0x81) * 190 + trail - 0x41) : 0;
        if (code) {
            text.put(code);
            i += 2;
        } else {
            text.putError();
            i += trail < 0x80 ? 1 : 2;
        }
    }
    return std::move(text).take();
}
