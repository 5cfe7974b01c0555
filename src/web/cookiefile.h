#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QNetworkCookie>
#include <QString>

// The cookies of a Netscape cookies.txt, as browser extensions export them: one cookie a line,
// tab-separated domain, include-subdomains flag, path, secure flag, expiry (seconds since 1970;
// 0 for a session cookie), name and value. "#HttpOnly_" before the domain marks an HttpOnly
// cookie; other lines starting with "#", and blank lines, are comments. CR LF and LF end lines.
struct CookieFileContents
{
    QList<QNetworkCookie> cookies; // those not expired at the time of reading
    int malformedLines = 0;        // lines that are neither a cookie nor a comment, skipped
};

CookieFileContents readCookies(const QByteArray &bytes, const QDateTime &now);

// The same, from a file; `error` says why it could not be read.
struct CookieFileRead
{
    CookieFileContents contents;
    QString error; // empty when the file was read
    explicit operator bool() const { return error.isEmpty(); }
};

CookieFileRead readCookieFile(const QString &path, const QDateTime &now);
