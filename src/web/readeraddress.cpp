#include "web/readeraddress.h"

#include <array>

namespace {

constexpr std::array<QStringView, 7> pictureExtensions{u".jpg", u".jpeg", u".png", u".gif",
                                                      u".webp", u".bmp", u".avif"};

bool isTabOrLineBreak(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

QString cleanAddress(QStringView value)
{
    qsizetype start = 0;
    qsizetype end = value.size();
    while (start < end && value.at(start).unicode() <= 0x20)
        ++start;
    while (end > start && value.at(end - 1).unicode() <= 0x20)
        --end;
    QString address = value.mid(start, end - start).toString();
    address.removeIf(isTabOrLineBreak);
    return address;
}

QUrl resolveAddress(const QUrl &base, const QString &address)
{
    const QUrl resolved = base.resolved(QUrl(address));
    if (!resolved.isValid() || resolved.host().isEmpty() ||
        (resolved.scheme() != u"http" && resolved.scheme() != u"https"))
        return {};
    return resolved;
}

QString addressText(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveFragment).toString(QUrl::FullyEncoded);
}

QString addressKey(const QString &address)
{
    QUrl url(address);
    if (!url.isValid() || url.isRelative())
        return address;
    // Qt merges one doubled slash a pass ("///" takes two), so the key of a key would differ.
    for (QUrl normal = url.adjusted(QUrl::NormalizePathSegments); normal != url;
         normal = url.adjusted(QUrl::NormalizePathSegments))
        url = normal;
    return addressText(url);
}

bool namesPicture(QStringView address)
{
    qsizetype end = address.size();
    for (const char16_t stop : {u'?', u'#'}) {
        const qsizetype at = address.indexOf(QChar(stop));
        if (at >= 0 && at < end)
            end = at;
    }
    const QStringView path = address.left(end);
    const QStringView segment = path.mid(path.lastIndexOf(u'/') + 1);
    for (const QStringView extension : pictureExtensions) {
        if (segment.size() > extension.size() && segment.endsWith(extension, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
