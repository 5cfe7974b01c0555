#pragma once

#include <array>
#include <QByteArrayView>
#include <QString>

// The WHATWG Encoding Standard's decoders for the legacy encodings, as browsers run them, in the
// replacement error mode: every error is one U+FFFD, and an ASCII byte that ends a bad sequence is
// read again as itself (so a cut character never takes the "<" of the next tag with it).

// A single-byte encoding, given the code points of its bytes 0x80-0xFF (0: no character).
QString decodeSingleByte(QByteArrayView bytes, const std::array<char16_t, 128> &upperHalf);
// gb18030, which is also the decoder of GBK (and so of every page declaring "GB2312").
QString decodeGb18030(QByteArrayView bytes);
QString decodeBig5(QByteArrayView bytes);
QString decodeEucJp(QByteArrayView bytes);
QString decodeIso2022Jp(QByteArrayView bytes);
QString decodeShiftJis(QByteArrayView bytes);
QString decodeEucKr(QByteArrayView bytes);
