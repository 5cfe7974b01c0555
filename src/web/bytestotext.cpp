#include "web/bytestotext.h"

#include "platform/icuconverter.h"
#include "web/charsetlabels.h"
#include "web/encodingindexes.h"
#include "web/legacydecoders.h"

namespace {

// Bytes 0x80-0xFF map into the private use area (U+F780-U+F7FF); ASCII stays itself.
QString decodeUserDefined(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b < 0x80 ? char16_t(b) : char16_t(0xF780 + b - 0x80));
    }
    return text;
}

struct Sniffed
{
    WebEncoding encoding;
    qsizetype bomLength;
};

std::optional<Sniffed> sniffByteOrderMark(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Sniffed{WebEncoding::Utf8, 3};
    if (bytes.startsWith("\xFE\xFF"))
        return Sniffed{WebEncoding::Utf16Be, 2};
    if (bytes.startsWith("\xFF\xFE"))
        return Sniffed{WebEncoding::Utf16Le, 2};
    return std::nullopt;
}

std::optional<QString> decodeAs(WebEncoding encoding, QByteArrayView bytes)
{
    if (const std::array<char16_t, 128> *upperHalf = singleByteUpperHalf(encoding))
        return decodeSingleByte(bytes, *upperHalf);
    switch (encoding) {
    // ICU's UTF decoders give the standard's result.
    case WebEncoding::Utf8:
        return icuDecode(bytes, "UTF-8");
    case WebEncoding::Utf16Be:
        return icuDecode(bytes, "UTF-16BE");
    case WebEncoding::Utf16Le:
        return icuDecode(bytes, "UTF-16LE");
    case WebEncoding::Gbk:
    case WebEncoding::Gb18030:
        return decodeGb18030(bytes);
    case WebEncoding::Big5:
        return decodeBig5(bytes);
    case WebEncoding::EucJp:
        return decodeEucJp(bytes);
    case WebEncoding::Iso2022Jp:
        return decodeIso2022Jp(bytes);
    case WebEncoding::ShiftJis:
        return decodeShiftJis(bytes);
    case WebEncoding::EucKr:
        return decodeEucKr(bytes);
    case WebEncoding::XUserDefined:
        return decodeUserDefined(bytes);
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<QString> BytesToText(const QByteArray &bytes, const QString &charset)
{
    const std::optional<KnownLabel> known = lookUpLabel(charset);
    if (!known)
        return std::nullopt;
    // The standard's "replacement" stands for HZ and the ISO-2022 encodings of China and Korea,
    // which it refuses to read; a page in one of them is read with ICU's converter of that name,
    // and a label ICU has no converter for is unknown: the page is a failed fetch, never one U+FFFD.
    const bool readByIcu = known->encoding == WebEncoding::Replacement;
    if (readByIcu && !icuHasConverter(known->label.constData()))
        return std::nullopt;
    if (const std::optional<Sniffed> bom = sniffByteOrderMark(bytes))
        return decodeAs(bom->encoding, QByteArrayView(bytes).sliced(bom->bomLength));
    if (readByIcu)
        return icuDecode(bytes, known->label.constData());
    return decodeAs(known->encoding, bytes);
}
