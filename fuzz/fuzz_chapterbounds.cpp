// Where a chapter ends, from the addresses pages are asked under and found at after redirects.

#include "fuzzcheck.h"
#include "web/chapterbounds.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    ChapterBounds bounds;
    QStringList first;
    while (input.remaining_bytes() > 0) {
        const QString asked = QString::fromStdString(input.ConsumeRandomLengthString(48));
        const QString found = input.ConsumeBool() ? asked : QString::fromStdString(input.ConsumeRandomLengthString(48));
        const int before = bounds.pages();
        const bool entered = bounds.enter(asked, found);
        FUZZ_CHECK(bounds.pages() == before + (entered ? 1 : 0));
        if (entered) {
            FUZZ_CHECK(bounds.hasFetched(asked) && bounds.hasFetched(found));
            first.append(found);
        }
        const QStringList images = {asked, found, asked};
        const QStringList fresh = bounds.newImages(images);
        FUZZ_CHECK(fresh.size() <= 2 && bounds.newImages(images).isEmpty());
    }
    // The chapter's part is a beginning its first two pages share, never cut inside a number.
    if (first.size() >= 2) {
        const QString part = ChapterBounds::commonPart(first.at(0), first.at(1));
        FUZZ_CHECK(first.at(0).startsWith(part) && first.at(1).startsWith(part));
        const auto digitAfter = [&part](const QString &address) {
            return address.size() > part.size() && address.at(part.size()).isDigit();
        };
        if (digitAfter(first.at(0)) || digitAfter(first.at(1)))
            FUZZ_CHECK(part.isEmpty() || !part.back().isDigit());
    }
    return 0;
}
