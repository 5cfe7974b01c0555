// A page as the walk reads it, by the mode's switches: the reader's reading (markup, lazy images,
// base address, script picture lists, next-page links) or the plain text search, under keyword
// lists from the input too.

#include "app/mode.h"
#include "fuzzcheck.h"
#include "web/pagebody.h"
#include "web/pagereading.h"
#include "web/readeraddress.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <QSet>
#include <QUrl>

namespace {

const QStringList pageAddresses = {QStringLiteral("http://host/c/1.html"), QStringLiteral("https://host/c/1/"),
                                   QStringLiteral("http://host"), QStringLiteral("https://h.example/a/b?p=2#top"),
                                   QStringLiteral("http://host/read?id=3&p=1")};

QString consumeText(FuzzedDataProvider &input, std::size_t maxLength)
{
    return QString::fromStdString(input.ConsumeRandomLengthString(maxLength));
}

// What the reader hands the walk: web addresses as a browser writes them, each once.
void checkReaderAddresses(const QStringList &addresses)
{
    QSet<QString> seen;
    for (const QString &address : addresses) {
        const QUrl url(address, QUrl::StrictMode);
        FUZZ_CHECK(url.isValid() && !url.host().isEmpty());
        FUZZ_CHECK(url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https"));
        FUZZ_CHECK(!url.hasFragment() && !address.contains(u'\n') && !address.contains(u'\r'));
        FUZZ_CHECK(!seen.contains(address));
        seen.insert(address);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureApplication();
    FuzzedDataProvider input(data, size);
    Mode mode;
    mode.setReaderPage(input.ConsumeBool());
    mode.setScriptImg(input.ConsumeBool());
    mode.setChapterEnd(input.ConsumeBool());
    mode.setBlockImg(consumeText(input, 32));
    mode.setBlockUrl(consumeText(input, 32));
    const QString pageAddress =
        input.ConsumeBool() ? consumeText(input, 40)
                            : pageAddresses.at(input.ConsumeIntegralInRange<qsizetype>(0, pageAddresses.size() - 1));
    const QString page = decodePageBody(QByteArray::fromStdString(input.ConsumeRemainingBytesAsString()));

    int collected = 0;
    const PageFindings findings = ReadPage(page, pageAddress, QStringLiteral("http://host/c/1.html"), mode,
                                           [&collected] { ++collected; });
    FUZZ_CHECK(collected == 1);
    if (!mode.readerPage())
        return 0;
    checkReaderAddresses(findings.images);
    checkReaderAddresses(findings.candidates);
    // A next page is never the page itself, a picture, or a script link.
    for (const QString &candidate : findings.candidates) {
        FUZZ_CHECK(addressKey(candidate) != addressKey(pageAddress));
        FUZZ_CHECK(!namesPicture(QUrl(candidate).path()));
    }
    return 0;
}
