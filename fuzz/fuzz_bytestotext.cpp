// Decoding under every label of the encoding table (picked by the input, spelt as pages spell it),
// and under labels the input makes up.

#include "fuzzcheck.h"
#include "platform/icuconverter.h"
#include "web/bytestotext.h"
#include "web/charsetlabels.h"
#include "web/encodinglabeltable.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

enum class Spelling
{
    AsInTable,
    UpperCase,
    Padded, // surrounding ASCII whitespace
    MadeUp,
    kMaxValue = MadeUp // FuzzedDataProvider::ConsumeEnum wants this name
};

std::optional<WebEncoding> byteOrderMark(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return WebEncoding::Utf8;
    if (bytes.startsWith("\xFE\xFF"))
        return WebEncoding::Utf16Be;
    if (bytes.startsWith("\xFF\xFE"))
        return WebEncoding::Utf16Le;
    return std::nullopt;
}

// Encodings in which a byte "<" is always the character "<": no sequence ever takes it in.
bool keepsAsciiMarkup(WebEncoding encoding)
{
    return encoding != WebEncoding::Utf16Be && encoding != WebEncoding::Utf16Le &&
           encoding != WebEncoding::Iso2022Jp && encoding != WebEncoding::Replacement;
}

bool isGbLead(char b)
{
    return static_cast<unsigned char>(b) >= 0x81 && static_cast<unsigned char>(b) <= 0xFE;
}

bool isDigit(char b)
{
    return b >= '0' && b <= '9';
}

// A four-byte gb18030 sequence begun and not finished: the end of the input takes its digit with
// it, where a "<" hands the digit back to be read again.
bool endsInFourBytes(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    return (n >= 2 && isGbLead(bytes[n - 2]) && isDigit(bytes[n - 1])) ||
           (n >= 3 && isGbLead(bytes[n - 3]) && isDigit(bytes[n - 2]) && isGbLead(bytes[n - 1]));
}

// Decoding is local: a "<" ends whatever came before it as the end of the input does, and what
// follows it decodes as if the input began there.
void checkMarkupResets(const QByteArray &bytes, qsizetype cut, const QString &label, WebEncoding encoding)
{
    const QByteArray head = bytes.left(cut);
    const QByteArray tail = bytes.mid(cut);
    if (byteOrderMark(head) || byteOrderMark(tail))
        return;
    if ((encoding == WebEncoding::Gbk || encoding == WebEncoding::Gb18030) && endsInFourBytes(head))
        return;
    const QString joined = BytesToText(head + '<' + tail, label).value();
    FUZZ_CHECK(joined == BytesToText(head, label).value() + u'<' + BytesToText(tail, label).value());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::span<const EncodingLabel> table = encodingLabels();
    const auto spelling = input.ConsumeEnum<Spelling>();
    const EncodingLabel &entry = table[input.ConsumeIntegralInRange<std::size_t>(0, table.size() - 1)];
    QString label = QString::fromLatin1(entry.label);
    if (spelling == Spelling::UpperCase)
        label = label.toUpper();
    else if (spelling == Spelling::Padded)
        label = QStringLiteral(" \t\n") + label + QStringLiteral("\f\r ");
    else if (spelling == Spelling::MadeUp)
        label = QString::fromStdString(input.ConsumeRandomLengthString(24));
    const std::size_t cut = input.ConsumeIntegralInRange<std::size_t>(0, input.remaining_bytes());
    const QByteArray bytes = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());

    const std::optional<KnownLabel> known = lookUpLabel(label);
    if (spelling != Spelling::MadeUp)
        FUZZ_CHECK(known && known->encoding == entry.encoding);
    const std::optional<QString> text = BytesToText(bytes, label);
    // A known label always decodes; only the ones ICU has no converter for are unknown after all.
    const bool readable =
        known && (known->encoding != WebEncoding::Replacement || icuHasConverter(known->label.constData()));
    FUZZ_CHECK(text.has_value() == readable);
    if (!text)
        return 0;

    FUZZ_CHECK(!hasUnpairedSurrogate(*text));
    FUZZ_CHECK(text->size() <= bytes.size());
    const WebEncoding decodedAs = byteOrderMark(bytes).value_or(known->encoding);
    // A broken character never takes the "<" of the next tag with it.
    if (keepsAsciiMarkup(decodedAs))
        FUZZ_CHECK(text->count(u'<') == bytes.count('<'));
    if (keepsAsciiMarkup(known->encoding))
        checkMarkupResets(bytes, qsizetype(std::min(cut, std::size_t(bytes.size()))), label, known->encoding);
    return 0;
}
