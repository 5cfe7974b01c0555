// A Netscape cookies.txt as browser extensions export it (and as anyone may edit it).

#include "fuzzcheck.h"
#include "web/cookiefile.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    // A moment between 1970 and 2100, so that the expiry fields on both sides of it are read.
    const QDateTime now = QDateTime::fromSecsSinceEpoch(input.ConsumeIntegralInRange<qint64>(0, 4102444800), Qt::UTC);
    const QByteArray bytes = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());
    const CookieFileContents contents = readCookies(bytes, now);

    const qsizetype lines = bytes.count('\n') + 1;
    FUZZ_CHECK(contents.malformedLines >= 0 && contents.cookies.size() + contents.malformedLines <= lines);
    for (const QNetworkCookie &cookie : contents.cookies) {
        FUZZ_CHECK(!cookie.name().isEmpty());
        FUZZ_CHECK(!cookie.domain().isEmpty() && cookie.domain() != QStringLiteral("."));
        FUZZ_CHECK(cookie.domain() == cookie.domain().toLower());
        FUZZ_CHECK(cookie.path().startsWith(u'/'));
        // Only cookies still valid are taken.
        FUZZ_CHECK(cookie.isSessionCookie() || cookie.expirationDate() > now);
    }
    return 0;
}
