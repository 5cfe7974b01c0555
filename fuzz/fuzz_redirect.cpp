// Where a server's redirect leads the page fetch and the image transfer: its Location is any text.

#include "fuzzcheck.h"
#include "web/webaddress.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QStringList origins = {QStringLiteral("http://host/c/1.html"), QStringLiteral("https://host/c/1.html"),
                             QStringLiteral("http://127.0.0.1:8080/a?b#c"), QStringLiteral("https://[::1]/")};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const QUrl from(input.ConsumeBool() ? QString::fromStdString(input.ConsumeRandomLengthString(48))
                                        : origins.at(input.ConsumeIntegralInRange<qsizetype>(0, origins.size() - 1)));
    const QByteArray location = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());
    // Qt reads the header's bytes as an encoded address.
    const QUrl target = redirectTarget(from, QUrl::fromEncoded(location));
    if (!target.isValid())
        return 0;
    // Only to a web address, and never from https down to http.
    FUZZ_CHECK(isWebAddress(target));
    FUZZ_CHECK(from.scheme() != QStringLiteral("https") || target.scheme() == QStringLiteral("https"));
    return 0;
}
