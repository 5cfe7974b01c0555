// The end of an image whose answer gave no length, as the engine judges it from the first and the
// last bytes of the part file.

#include "fuzzcheck.h"
#include "tasks/imageend.h"

#include <limits>

namespace {

ImageEnd judge(const QByteArray &bytes)
{
    return imageEnd(bytes.left(imageEndHeadSize), bytes.right(imageEndTailSize), bytes.size());
}

bool knownFormat(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xD8\xFF") || bytes.startsWith("\x89PNG\r\n\x1A\n") ||
           bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a") ||
           (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = inputBytes(data, size);
    const ImageEnd end = judge(bytes);
    FUZZ_CHECK((end == ImageEnd::Unknown) == !knownFormat(bytes));
    // Its format's end written after it makes any picture whole.
    if (bytes.startsWith("\xFF\xD8\xFF"))
        FUZZ_CHECK(judge(bytes + "\xFF\xD9") == ImageEnd::Whole);
    else if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        FUZZ_CHECK(judge(bytes + QByteArray("IEND\0\0\0\0", 8)) == ImageEnd::Whole);
    else if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        FUZZ_CHECK(judge(bytes + ';') == ImageEnd::Whole);
    // Sizes the file system may give whatever the bytes read were.
    for (const qint64 claimed : {qint64(0), qint64(-1), std::numeric_limits<qint64>::max()})
        imageEnd(bytes.left(imageEndHeadSize), bytes.right(imageEndTailSize), claimed);
    return 0;
}
