// What task creation takes from outside: the typed or pasted address, the clipboard, and the title
// cut from the fetched page, which then names the task's folder.

#include "fuzzcheck.h"
#include "tasks/cleanfoldername.h"
#include "tasks/newtaskaddress.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString consumeText(FuzzedDataProvider &input, std::size_t maxLength)
{
    return QString::fromStdString(input.ConsumeRandomLengthString(maxLength));
}

void checkAddress(const QString &box)
{
    const QString address = completeTaskAddress(box);
    FUZZ_CHECK(address.startsWith(QLatin1String("http://")) || address.startsWith(QLatin1String("https://")));
    FUZZ_CHECK(address.endsWith(box));
    FUZZ_CHECK(address.size() <= box.size() + 7);
}

void checkClipboard(const QString &clipboard, const QString &box)
{
    const std::optional<QString> picked = clipboardPickUp(clipboard, box);
    if (picked)
        FUZZ_CHECK(*picked == clipboard && clipboard.startsWith(QLatin1String("http")) && box == defaultTaskAddress());
}

void checkTitle(const QString &page)
{
    const QString title = ExtractTitle(page);
    FUZZ_CHECK(title == QStringLiteral("Cannot get the title") || page.contains(title));

    // The folder name never leaves the Download folder and keeps every whole character it keeps.
    const QString folder = CleanFolderName(title);
    for (const QChar removed : QStringLiteral("?<>*:\"/\\"))
        FUZZ_CHECK(!folder.contains(removed));
    FUZZ_CHECK(folder.size() <= 50);
    FUZZ_CHECK(folder.isEmpty() || folder.count(u'.') < folder.size());
    FUZZ_CHECK(hasUnpairedSurrogate(title) || !hasUnpairedSurrogate(folder));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString box = input.ConsumeBool() ? defaultTaskAddress() : consumeText(input, 40);
    const QString clipboard = consumeText(input, 40);
    const QString page = QString::fromStdString(input.ConsumeRemainingBytesAsString());
    checkAddress(box);
    checkClipboard(clipboard, box);
    checkTitle(page);
    return 0;
}
