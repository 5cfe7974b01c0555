// A page's bytes as the fetch and `tavrin analyse FILE` read them: the charset declaration is
// searched in the bytes, and the bytes decoded by it.

#include "fuzzcheck.h"
#include "web/bytestotext.h"
#include "web/charsetdeclaration.h"
#include "web/charsetlabels.h"
#include "web/pagebody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray body = inputBytes(data, size);
    const QString charset = declaredCharset(body);
    const qsizetype declaration = body.indexOf("charset=");
    if (declaration < 0) {
        FUZZ_CHECK(charset == QStringLiteral("GB2312"));
    } else {
        for (const QChar removed : QStringLiteral("\" \\/>"))
            FUZZ_CHECK(!charset.contains(removed));
        if (body.indexOf('>', declaration) < 0)
            FUZZ_CHECK(charset.isEmpty());
    }

    const QString text = decodePageBody(body);
    FUZZ_CHECK(!hasUnpairedSurrogate(text));
    if (!lookUpLabel(charset))
        FUZZ_CHECK(text.isEmpty());
    return 0;
}
