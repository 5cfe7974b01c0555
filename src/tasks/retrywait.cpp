#include "tasks/retrywait.h"

#include <algorithm>

using std::chrono::milliseconds;

milliseconds retryWait(int failures, milliseconds base, std::optional<milliseconds> retryAfter)
{
    if (retryAfter)
        return std::clamp(*retryAfter, milliseconds(0), longestRetryAfter);
    milliseconds wait = std::max(base, milliseconds(0));
    for (int n = 1; n < failures && wait < longestRetryWait; ++n)
        wait *= 2;
    return std::min(wait, longestRetryWait);
}

std::optional<milliseconds> retryAfterDelay(const QString &header, const QDateTime &now)
{
    const QString text = header.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool number = false;
    const qlonglong seconds = text.toLongLong(&number);
    if (number)
        return seconds < 0 ? std::nullopt : std::optional(milliseconds(std::min<qlonglong>(seconds, 86400) * 1000));
    // An HTTP date ends in "GMT", which Qt's reader of the same format does not take.
    QString date = text;
    if (date.endsWith(QLatin1String(" GMT"), Qt::CaseInsensitive))
        date = date.chopped(3) + QStringLiteral("+0000");
    const QDateTime when = QDateTime::fromString(date, Qt::RFC2822Date);
    if (!when.isValid())
        return std::nullopt;
    return milliseconds(std::max<qint64>(0, now.msecsTo(when)));
}
