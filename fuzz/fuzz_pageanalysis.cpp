// Page analysis of a page as the fetch decodes it, under a mode whose keyword lists come from the
// input too. Its result must be the one the analysis written out step by step gives.

#include "app/mode.h"
#include "fuzzcheck.h"
#include "referencepageanalysis.h"
#include "web/pageanalysis.h"
#include "web/pagebody.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <QRegularExpression>

namespace {

const QString crlf = QStringLiteral("\r\n");

const QStringList firstAddresses = {QStringLiteral("http://host/c/1.html"), QStringLiteral("https://host/c/1.html"),
                                    QStringLiteral("http://host"), QStringLiteral("http://h/"), QString()};

QString consumeText(FuzzedDataProvider &input, std::size_t maxLength)
{
    return QString::fromStdString(input.ConsumeRandomLengthString(maxLength));
}

// Every address the analysis hands out is cut from the page, or is one cut from the page that
// starts with "/", with a scheme (and host) put in front.
bool comesFromPage(const QString &address, const QString &page)
{
    if (page.contains(address))
        return true;
    if (!address.startsWith(QLatin1String("http")))
        return false;
    for (qsizetype slash = address.indexOf(u'/'); slash >= 0; slash = address.indexOf(u'/', slash + 1)) {
        if (page.contains(QStringView(address).mid(slash)))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureApplication();
    FuzzedDataProvider input(data, size);
    Mode mode;
    mode.setBlockImg(consumeText(input, 48));
    mode.setBlockUrl(consumeText(input, 48));
    // A task's address is one line.
    const QString first = input.ConsumeBool()
                              ? consumeText(input, 32).remove(u'\r').remove(u'\n')
                              : firstAddresses.at(input.ConsumeIntegralInRange<qsizetype>(0, firstAddresses.size() - 1));
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QString page = decodePageBody(QByteArray::fromStdString(rest));

    // The analysis appends to the walk's list.
    const QString earlier = QStringLiteral("http://host/0.jpg") + crlf;
    QString imageList = earlier;
    const QStringList candidates = AnalysePage(page, first, mode, imageList);
    FUZZ_CHECK(imageList.startsWith(earlier));
    const QString images = imageList.mid(earlier.size());

    QString expectedImages;
    const QStringList expectedCandidates =
        referenceAnalysePage(page, first, mode.blockImg(), mode.blockUrl(), expectedImages);
    FUZZ_CHECK(images == expectedImages);
    FUZZ_CHECK(candidates == expectedCandidates);

    FUZZ_CHECK(images.isEmpty() || images.endsWith(crlf));
    QStringList imageAddresses = images.split(crlf);
    imageAddresses.removeLast();
    // An address is empty only where the page's own value is: src= and one character before the quote.
    static const QRegularExpression emptyValue(QStringLiteral("src=.\""), QRegularExpression::DotMatchesEverythingOption);
    for (const QString &address : std::as_const(imageAddresses)) {
        FUZZ_CHECK(!address.isEmpty() || page.contains(emptyValue));
        FUZZ_CHECK(comesFromPage(address, page));
    }
    for (const QString &candidate : candidates)
        FUZZ_CHECK(comesFromPage(candidate, page));
    return 0;
}
