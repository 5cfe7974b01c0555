// A proxy address from the environment, Option.ini or the command line.

#include "fuzzcheck.h"
#include "web/proxyaddress.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QNetworkProxy> proxy = parseProxyAddress(text);
    if (!proxy)
        return 0;
    FUZZ_CHECK(!proxy->hostName().isEmpty());
    // What a message says of the proxy is its host and port, nothing of its login.
    const QString shown = proxyShownName(*proxy);
    FUZZ_CHECK(shown.endsWith(u':' + QString::number(proxy->port())));
    FUZZ_CHECK(shown.startsWith(proxy->hostName()) || shown.startsWith(u'[' + proxy->hostName() + u']'));
    return 0;
}
