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
    return 0;
}
