#include "web/bytestotext.h"

#include "platform/icuconverter.h"
#include "web/charsetlabels.h"
#include "web/charsetlatin10.h"

#include <QHash>

namespace {

// ICU converters for the WHATWG encodings, chosen for what real pages in them contain.
const char *icuConverterFor(const QString &encoding)
{
    static const QHash<QString, const char *> converters{
        {QStringLiteral("UTF-8"), "UTF-8"},
        {QStringLiteral("IBM866"), "IBM866"},
        {QStringLiteral("ISO-8859-2"), "ISO-8859-2"},
        {QStringLiteral("ISO-8859-3"), "ISO-8859-3"},
        {QStringLiteral("ISO-8859-4"), "ISO-8859-4"},
        {QStringLiteral("ISO-8859-5"), "ISO-8859-5"},
        {QStringLiteral("ISO-8859-6"), "ISO-8859-6"},
        {QStringLiteral("ISO-8859-7"), "ISO-8859-7"},
        {QStringLiteral("ISO-8859-8"), "ISO-8859-8"},
        {QStringLiteral("ISO-8859-8-I"), "ISO-8859-8"},
        {QStringLiteral("ISO-8859-10"), "ISO-8859-10"},
        {QStringLiteral("ISO-8859-13"), "ISO-8859-13"},
        {QStringLiteral("ISO-8859-14"), "ISO-8859-14"},
        {QStringLiteral("ISO-8859-15"), "ISO-8859-15"},
        {QStringLiteral("KOI8-R"), "KOI8-R"},
        {QStringLiteral("KOI8-U"), "KOI8-U"},
        {QStringLiteral("macintosh"), "macintosh"},
        {QStringLiteral("x-mac-cyrillic"), "x-mac-cyrillic"},
        {QStringLiteral("windows-874"), "windows-874-2000"},
        {QStringLiteral("windows-1250"), "windows-1250"},
        {QStringLiteral("windows-1251"), "windows-1251"},
        {QStringLiteral("windows-1252"), "windows-1252"},
        {QStringLiteral("windows-1253"), "windows-1253"},
        {QStringLiteral("windows-1254"), "windows-1254"},
        {QStringLiteral("windows-1255"), "windows-1255"},
        {QStringLiteral("windows-1256"), "windows-1256"},
        {QStringLiteral("windows-1257"), "windows-1257"},
        {QStringLiteral("windows-1258"), "windows-1258"},
        // GBK pages (and every page declaring "GB2312") use the gb18030 decoder, a superset of GBK;
        // ICU's own "gb2312" is strict EUC-CN and would garble GBK-only characters.
        {QStringLiteral("GBK"), "gb18030"},
        {QStringLiteral("gb18030"), "gb18030"},
        // Big5 as browsers read it: Windows code page 950 plus the Hong Kong (HKSCS) characters.
        {QStringLiteral("Big5"), "ibm-1375_P100-2008"},
        {QStringLiteral("EUC-JP"), "EUC-JP"},
        {QStringLiteral("ISO-2022-JP"), "ISO-2022-JP"},
        {QStringLiteral("Shift_JIS"), "ibm-943_P15A-2003"},
        {QStringLiteral("EUC-KR"), "windows-949-2000"},
        {QStringLiteral("UTF-16BE"), "UTF-16BE"},
        {QStringLiteral("UTF-16LE"), "UTF-16LE"},
    };
    return converters.value(encoding, nullptr);
}

// Bytes 0x80-0xFF map into the private use area (U+F780-U+F7FF); ASCII stays itself.
QString decodeUserDefined(const QByteArray &bytes)
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
    QString encoding;
    qsizetype bomLength;
};

std::optional<Sniffed> sniffByteOrderMark(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Sniffed{QStringLiteral("UTF-8"), 3};
    if (bytes.startsWith("\xFE\xFF"))
        return Sniffed{QStringLiteral("UTF-16BE"), 2};
    if (bytes.startsWith("\xFF\xFE"))
        return Sniffed{QStringLiteral("UTF-16LE"), 2};
    return std::nullopt;
}

std::optional<QString> decodeAs(const QString &encoding, const QByteArray &bytes)
{
    if (encoding == u"replacement")
        return bytes.isEmpty() ? QString() : QString(QChar::ReplacementCharacter);
    if (encoding == u"x-user-defined")
        return decodeUserDefined(bytes);
    if (encoding == u"ISO-8859-16")
        return decodeLatin10(bytes);
    const char *converter = icuConverterFor(encoding);
    if (!converter)
        return std::nullopt;
    return icuDecode(bytes, converter);
}

} // namespace

std::optional<QString> BytesToText(const QByteArray &bytes, const QString &charset)
{
    const std::optional<QString> encoding = encodingForLabel(charset);
    if (!encoding)
        return std::nullopt;
    if (const std::optional<Sniffed> bom = sniffByteOrderMark(bytes))
        return decodeAs(bom->encoding, bytes.mid(bom->bomLength));
    return decodeAs(*encoding, bytes);
}
