#include "tasks/imageresponse.h"

#include "tasks/retrywait.h"

#include <algorithm>
#include <QRegularExpression>
#include <QStringList>

QString webPageFailure()
{
    return QStringLiteral("返回的是网页而不是图片");
}

bool isTransientStatus(int status)
{
    return status == 408 || status == 429 || (status >= 500 && status <= 599);
}

bool isHtmlType(const QString &contentType)
{
    const QString mediaType = contentType.section(QLatin1Char(';'), 0, 0).trimmed();
    return mediaType.compare(QLatin1String("text/html"), Qt::CaseInsensitive) == 0;
}

bool beginsLikeHtml(const QByteArray &bodyStart)
{
    QByteArrayView rest(bodyStart);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    rest = rest.trimmed();
    const auto startsWithNoCase = [&](QByteArrayView word) {
        return rest.size() >= word.size() && rest.sliced(0, word.size()).compare(word, Qt::CaseInsensitive) == 0;
    };
    return startsWithNoCase("<!DOCTYPE") || startsWithNoCase("<html");
}

std::optional<qint64> contentRangeStart(const QString &header)
{
    static const QRegularExpression range(QStringLiteral("^\\s*bytes\\s+(\\d{1,18})-(\\d{1,18})/(\\d{1,18}|\\*)\\s*$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = range.match(header);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 first = match.captured(1).toLongLong();
    if (match.captured(2).toLongLong() < first)
        return std::nullopt;
    return first;
}

bool acceptsByteRanges(const QString &header)
{
    const QStringList units = header.split(QLatin1Char(','));
    return std::any_of(units.cbegin(), units.cend(), [](const QString &unit) {
        return unit.trimmed().compare(QLatin1String("bytes"), Qt::CaseInsensitive) == 0;
    });
}

ImageHead judgeImageHead(int status, qint64 askedFrom, const std::function<QString(const QString &)> &header,
                         const QDateTime &now)
{
    ImageHead head;
    const QString statusText = QStringLiteral("HTTP ") + QString::number(status);
    const auto retry = [&](bool startOver) {
        head.verdict = ImageHead::Verdict::Retry;
        head.failure = statusText;
        head.startOver = startOver;
        return head;
    };
    if (isTransientStatus(status)) {
        head.retryAfter = retryAfterDelay(header(QStringLiteral("Retry-After")), now);
        return retry(false);
    }
    // The part file reaches past the image's end (the image changed): start it again.
    if (status == 416 && askedFrom > 0)
        return retry(true);
    // An error page or an unfollowed redirect is no image.
    if (status >= 300) {
        head.verdict = ImageHead::Verdict::Fail;
        head.failure = statusText;
        return head;
    }
    // A 206 must continue exactly where asked; a 200 holds the whole image again.
    if (status == 206 && contentRangeStart(header(QStringLiteral("Content-Range"))) != askedFrom)
        return retry(true);
    if (isHtmlType(header(QStringLiteral("Content-Type")))) {
        head.verdict = ImageHead::Verdict::Fail;
        head.failure = webPageFailure();
        return head;
    }
    head.offset = status == 206 ? askedFrom : 0;
    head.resumable = status == 206 || acceptsByteRanges(header(QStringLiteral("Accept-Ranges")));
    return head;
}
