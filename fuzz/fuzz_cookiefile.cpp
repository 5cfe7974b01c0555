// A Netscape cookies.txt as a browser extension exports it, or anything a user points the
// program at instead.

#include "fuzzcheck.h"
#include "web/cookiefile.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1800000000);
    const CookieFileContents read = readCookies(bytes, now);
    // Every cookie and every skipped line comes from a line of its own.
    FUZZ_CHECK(read.cookies.size() + read.malformedLines <= bytes.count('\n') + 1);
    for (const QNetworkCookie &cookie : read.cookies) {
        FUZZ_CHECK(!cookie.name().isEmpty());
        FUZZ_CHECK(cookie.isSessionCookie() || cookie.expirationDate() > now);
    }
    return 0;
}
