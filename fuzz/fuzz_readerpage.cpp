// The Reader mode's reading of a page (lazy pictures, next links, addresses resolved as a browser
// does, pictures named in scripts), under keyword lists and switches taken from the input too.

#include "app/mode.h"
#include "fuzzcheck.h"
#include "web/pagebody.h"
#include "web/pagereading.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <QUrl>

namespace {

const QStringList pageAddresses = {QStringLiteral("http://host/c/1.html"), QStringLiteral("https://host/c/2/"),
                                   QStringLiteral("http://host/read?id=3&p=1"), QStringLiteral("http://h")};

QString consumeText(FuzzedDataProvider &input, std::size_t maxLength)
{
    return QString::fromStdString(input.ConsumeRandomLengthString(maxLength));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureApplication();
    FuzzedDataProvider input(data, size);
    Mode mode;
    mode.setBlockImg(consumeText(input, 48));
    mode.setBlockUrl(consumeText(input, 48));
    mode.setReaderPage(input.ConsumeBool());
    mode.setScriptImg(input.ConsumeBool());
    mode.setChapterEnd(input.ConsumeBool());
    const QString pageAddress = pageAddresses.at(input.ConsumeIntegralInRange<int>(0, int(pageAddresses.size()) - 1));
    const QString page = decodePageBody(QByteArray::fromStdString(input.ConsumeRemainingBytesAsString()));

    const PageFindings findings = ReadPage(page, pageAddress, pageAddress, mode);
    if (!mode.readerPage())
        return 0;
    // The reader hands out whole web addresses only: no line breaks, no fragments, no scripts.
    for (const QStringList *addresses : {&findings.images, &findings.candidates}) {
        for (const QString &address : *addresses) {
            FUZZ_CHECK(!address.isEmpty());
            FUZZ_CHECK(!address.contains(u'\n') && !address.contains(u'\r'));
            FUZZ_CHECK(!address.startsWith(QLatin1String("javascript:"), Qt::CaseInsensitive));
        }
    }
    // Identical next pages count once.
    QStringList candidates = findings.candidates;
    FUZZ_CHECK(candidates.removeDuplicates() == 0);
    return 0;
}
