// The head of an image answer as the engine judges it: status, Content-Range, Content-Type,
// Accept-Ranges and Retry-After from the server, and the start of the body.

#include "fuzzcheck.h"
#include "tasks/imageresponse.h"
#include "tasks/retrywait.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <QHash>

using std::chrono::milliseconds;

namespace {

const QStringList headerNames = {QStringLiteral("Content-Range"), QStringLiteral("Content-Type"),
                                 QStringLiteral("Accept-Ranges"), QStringLiteral("Retry-After")};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int status = input.ConsumeIntegralInRange<int>(0, 999);
    const qint64 askedFrom = input.ConsumeBool() ? 0 : input.ConsumeIntegral<qint64>();
    const int failures = input.ConsumeIntegralInRange<int>(1, 100);
    const QDateTime now = QDateTime::fromSecsSinceEpoch(input.ConsumeIntegralInRange<qint64>(0, 4102444800), Qt::UTC);
    QHash<QString, QString> headers;
    for (const QString &name : headerNames)
        headers.insert(name, QString::fromStdString(input.ConsumeRandomLengthString(48)));
    const QByteArray bodyStart = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());

    const ImageHead head =
        judgeImageHead(status, askedFrom, [&headers](const QString &name) { return headers.value(name); }, now);
    switch (head.verdict) {
    case ImageHead::Verdict::Read:
        // The body is taken for the bytes asked for, never for another part of the image.
        FUZZ_CHECK(status < 300 && head.offset == (status == 206 ? askedFrom : 0));
        break;
    case ImageHead::Verdict::Retry:
    case ImageHead::Verdict::Fail:
        FUZZ_CHECK(!head.failure.isEmpty());
        break;
    }

    if (const std::optional<qint64> start = contentRangeStart(headers.value(QStringLiteral("Content-Range"))))
        FUZZ_CHECK(*start >= 0 && headers.value(QStringLiteral("Content-Range")).contains(QString::number(*start)));

    const std::optional<milliseconds> delay = retryAfterDelay(headers.value(QStringLiteral("Retry-After")), now);
    if (delay)
        FUZZ_CHECK(*delay >= milliseconds(0));
    const milliseconds wait = retryWait(failures, milliseconds(1000), delay);
    FUZZ_CHECK(wait >= milliseconds(0) && wait <= std::max(longestRetryWait, longestRetryAfter));

    if (beginsLikeHtml(bodyStart))
        FUZZ_CHECK(bodyStart.contains('<'));
    isHtmlType(headers.value(QStringLiteral("Content-Type")));
    return 0;
}
