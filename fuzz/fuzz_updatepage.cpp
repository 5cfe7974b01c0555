// The update check's reading of the maker's download page (any page the address gives).

#include "app/programversion.h"
#include "app/updatepage.h"
#include "fuzzcheck.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QString versionMarker = QStringLiteral("Tavrin漫画下载器现已更新到版本");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString running =
        input.ConsumeBool() ? QString::fromStdString(input.ConsumeRandomLengthString(12)) : versionText();
    const QString page = QString::fromStdString(input.ConsumeRemainingBytesAsString());
    const UpdatePage read = readUpdatePage(page, running);

    switch (read.verdict) {
    case UpdatePage::Verdict::Unreadable:
        FUZZ_CHECK(read.version.isEmpty() && read.notes.isEmpty());
        return 0;
    case UpdatePage::Verdict::Current:
        FUZZ_CHECK(read.version == running && read.notes.isEmpty());
        break;
    case UpdatePage::Verdict::Update:
        FUZZ_CHECK(read.version != running);
        FUZZ_CHECK(page.contains(QStringLiteral("更新内容：</p>")) && page.contains(QStringLiteral("<hr />")));
        FUZZ_CHECK(read.notes.size() < page.size());
        break;
    }
    // The version is the text one character after the marker, up to the first "</h1>": never cut
    // from anywhere else of the page.
    const qsizetype marker = page.indexOf(versionMarker);
    FUZZ_CHECK(marker >= 0);
    FUZZ_CHECK(!read.version.contains(QStringLiteral("</h1>")));
    FUZZ_CHECK(page.mid(marker + versionMarker.size() + 1).startsWith(read.version + QStringLiteral("</h1>")));
    return 0;
}
