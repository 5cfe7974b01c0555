// The completion of the addresses a page gives against the walk's first address (both from outside).

#include "fuzzcheck.h"
#include "web/addresscompletion.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString first = QString::fromStdString(input.ConsumeRandomLengthString(48));
    const QString address = QString::fromStdString(input.ConsumeRemainingBytesAsString());
    const QString completed = AddressCompletion(first).complete(address);
    FUZZ_CHECK(completed == completeAddress(address, first));

    // Only "/" addresses change, and only by a scheme and host put in front.
    FUZZ_CHECK(completed.endsWith(address));
    if (!address.startsWith(u'/')) {
        FUZZ_CHECK(completed == address);
        return 0;
    }
    const QString added = completed.left(completed.size() - address.size());
    const bool https = first.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    const QString scheme = https ? QStringLiteral("https:") : QStringLiteral("http:");
    if (address.startsWith(QLatin1String("//"))) {
        FUZZ_CHECK(added == scheme);
        return 0;
    }
    FUZZ_CHECK(added.isEmpty() || (added.startsWith(scheme + QStringLiteral("//")) && first.contains(added.mid(scheme.size() + 2))));
    return 0;
}
