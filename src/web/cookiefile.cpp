#include "web/cookiefile.h"

#include <optional>
#include <QFile>

namespace {

constexpr QByteArrayView httpOnlyPrefix = "#HttpOnly_";

std::optional<bool> flag(const QByteArray &field)
{
    if (field.compare("TRUE", Qt::CaseInsensitive) == 0)
        return true;
    if (field.compare("FALSE", Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

enum class LineKind
{
    Comment,
    Cookie,
    Malformed,
};

// One line: a cookie (in `cookie`), a comment, or a malformed line.
LineKind readLine(QByteArray line, QNetworkCookie &cookie)
{
    if (line.endsWith('\r'))
        line.chop(1);
    const bool httpOnly = line.startsWith(httpOnlyPrefix);
    if (httpOnly)
        line.remove(0, httpOnlyPrefix.size());
    else if (line.startsWith('#') || line.trimmed().isEmpty())
        return LineKind::Comment;

    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() != 7)
        return LineKind::Malformed;
    QByteArray domain = fields.at(0).trimmed();
    const std::optional<bool> subdomains = flag(fields.at(1));
    const QByteArray path = fields.at(2);
    const std::optional<bool> secure = flag(fields.at(3));
    bool numeric = false;
    const qlonglong expiry = fields.at(4).toLongLong(&numeric);
    const QByteArray name = fields.at(5);
    while (domain.startsWith('.'))
        domain.remove(0, 1);
    if (domain.isEmpty() || !subdomains || !path.startsWith('/') || !secure || !numeric || expiry < 0 ||
        name.isEmpty())
        return LineKind::Malformed;

    cookie = QNetworkCookie(name, fields.at(6));
    // A leading "." makes a domain cookie, sent to subdomains too; without it the cookie is the
    // host's alone, as the flag says.
    cookie.setDomain(QString::fromLatin1(*subdomains ? '.' + domain : domain).toLower());
    cookie.setPath(QString::fromUtf8(path));
    cookie.setSecure(*secure);
    cookie.setHttpOnly(httpOnly);
    if (expiry != 0)
        cookie.setExpirationDate(QDateTime::fromSecsSinceEpoch(expiry, Qt::UTC));
    return LineKind::Cookie;
}

} // namespace

CookieFileContents readCookies(const QByteArray &bytes, const QDateTime &now)
{
    CookieFileContents contents;
    for (const QByteArray &line : bytes.split('\n')) {
        QNetworkCookie cookie;
        switch (readLine(line, cookie)) {
        case LineKind::Comment:
            break;
        case LineKind::Malformed:
            ++contents.malformedLines;
            break;
        case LineKind::Cookie:
            if (cookie.isSessionCookie() || cookie.expirationDate() > now)
                contents.cookies.append(cookie);
            break;
        }
    }
    return contents;
}

CookieFileRead readCookieFile(const QString &path, const QDateTime &now)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {readCookies(bytes, now), {}};
}
