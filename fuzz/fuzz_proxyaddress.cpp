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
    // What a message says of the proxy never holds its password.
    if (!proxy->password().isEmpty()) {
        FUZZ_CHECK(!proxyShownName(*proxy).contains(proxy->password()) ||
                   proxy->hostName().contains(proxy->password()) ||
                   QString::number(proxy->port()).contains(proxy->password()));
    }
    return 0;
}
