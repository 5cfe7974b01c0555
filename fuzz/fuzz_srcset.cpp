// A srcset attribute's value, as the Reader mode reads it for the largest picture.

#include "fuzzcheck.h"
#include "web/srcset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString srcset = QString::fromUtf8(inputBytes(data, size));
    const QString address = largestSrcsetCandidate(srcset);
    if (address.isEmpty())
        return 0;
    // One candidate's address, as written: a piece of the value without blanks or a final comma.
    FUZZ_CHECK(srcset.contains(address));
    FUZZ_CHECK(!address.endsWith(u','));
    for (const QChar blank : QStringLiteral(" \t\n\r\f"))
        FUZZ_CHECK(!address.contains(blank));
    // A value that offers something offers it again after a comma.
    FUZZ_CHECK(!largestSrcsetCandidate(srcset + QStringLiteral(", ")).isEmpty());
    return 0;
}
