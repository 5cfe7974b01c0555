// The number rules that read outside text: option values (Reset, AutoOpen), mode flags, the
// Content-Length of an image response and the answer typed to the next-page question.

#include "fuzzcheck.h"
#include "platform/basicnumbers.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(inputBytes(data, size));
    const double leading = leadingNumber(text);
    FUZZ_CHECK(std::isfinite(leading));
    const double rounded = roundHalfEven(leading);
    FUZZ_CHECK(std::isfinite(rounded) && std::fabs(rounded - leading) <= 0.5);
    if (const std::optional<qint16> small = toInt16(leading))
        FUZZ_CHECK(*small == rounded);
    else
        FUZZ_CHECK(rounded < -32768 || rounded > 32767);

    const std::optional<double> whole = wholeNumber(text);
    if (!whole)
        return 0;
    FUZZ_CHECK(std::isfinite(*whole));
    // A number's own text reads back as nearly the same number (15 significant digits).
    const std::optional<double> again = wholeNumber(numberToText(*whole));
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(std::fabs(*again - *whole) <= std::fabs(*whole) * 1e-14);
    FUZZ_CHECK(std::isfinite(formatTwoDecimals(*whole).toDouble()));
    return 0;
}
