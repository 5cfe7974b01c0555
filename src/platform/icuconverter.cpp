#include "platform/icuconverter.h"

#include <memory>
#include <unicode/ucnv.h>

namespace {

struct ConverterCloser
{
    void operator()(UConverter *c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openConverter(const char *name)
{
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter{ucnv_open(name, &status)};
    if (U_FAILURE(status))
        return {};
    return converter;
}

} // namespace

std::optional<QString> icuDecode(QByteArrayView bytes, const char *converterName)
{
    ConverterPtr converter = openConverter(converterName);
    if (!converter)
        return std::nullopt;
    if (bytes.isEmpty())
        return QString();
    // Each input byte yields at most two UTF-16 units (surrogate pair from a multibyte sequence).
    QString out(bytes.size() * 2 + 2, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written =
        ucnv_toUChars(converter.get(), reinterpret_cast<UChar *>(out.data()), int32_t(out.size()),
                      bytes.constData(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    out.truncate(written);
    return out;
}

bool icuHasConverter(const char *converterName)
{
    return openConverter(converterName) != nullptr;
}

std::optional<QByteArray> icuEncode(const QString &text, const char *converterName)
{
    ConverterPtr converter = openConverter(converterName);
    if (!converter)
        return std::nullopt;
    if (text.isEmpty())
        return QByteArray();
    const int32_t capacity = UCNV_GET_MAX_BYTES_FOR_STRING(text.size(), ucnv_getMaxCharSize(converter.get()));
    QByteArray out(capacity, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written =
        ucnv_fromUChars(converter.get(), out.data(), capacity,
                        reinterpret_cast<const UChar *>(text.constData()), int32_t(text.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    out.truncate(written);
    return out;
}
