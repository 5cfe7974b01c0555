// ComicInfo.xml of a comic archive, whose title is a page's: any title gives XML a comic reader
// can read, with the title and the page count in it.

#include "fuzzcheck.h"
#include "tasks/comicarchive.h"

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>
#include <QXmlStreamReader>

namespace {

bool xmlCarries(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x20 || u == u'\t' || u == u'\n' || u == u'\r') && u != 0xFFFE && u != 0xFFFF &&
           !c.isSurrogate();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int pageCount = input.ConsumeIntegral<int>();
    // Any UTF-16 code units, lone surrogates too.
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    QString title;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        title.append(QChar(char16_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8)));

    QXmlStreamReader reader(comicInfoXml(title, pageCount));
    QString readTitle;
    QString readCount;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"Title")
            readTitle = reader.readElementText();
        else if (reader.name() == u"PageCount")
            readCount = reader.readElementText();
    }
    FUZZ_CHECK(!reader.hasError());
    FUZZ_CHECK(readCount == QString::number(pageCount));
    FUZZ_CHECK(readTitle.size() <= title.size());
    // (XML reads a CR, alone or before LF, as a line feed.)
    if (std::all_of(title.begin(), title.end(), xmlCarries) && !title.contains(u'\r'))
        FUZZ_CHECK(readTitle == title);
    return 0;
}
