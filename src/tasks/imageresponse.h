#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

// How the engine reads the answer to a try at an image.

// The failure of an image that came as a web page.
QString webPageFailure();

// What the head of the answer says.
struct ImageHead
{
    enum class Verdict
    {
        Read,  // the body is (the rest of) the image
        Retry, // this try failed; the next may not
        Fail,  // the image fails for good
    };

    Verdict verdict = Verdict::Read;
    QString failure;                                     // Retry, Fail: the description
    std::optional<std::chrono::milliseconds> retryAfter; // Retry: the wait the server asked for
    bool startOver = false; // Retry: the next try asks for the whole image, not the rest
    qint64 offset = 0;      // Read: the byte of the image the body begins with
    bool resumable = false; // Read: should the body break off, a later try may ask for the rest
};

// `status` of an answer to a request that asked for the image from byte `askedFrom` on (0: the
// whole image); `header` gives the answer's headers by name ("" when absent).
ImageHead judgeImageHead(int status, qint64 askedFrom, const std::function<QString(const QString &)> &header,
                         const QDateTime &now);

// 408, 429 and every 5xx: the server may well answer the next try.
bool isTransientStatus(int status);

// The Content-Type names a web page ("text/html", parameters and case aside).
bool isHtmlType(const QString &contentType);

// The body begins, after blanks (and a UTF-8 byte order mark), with "<!DOCTYPE" or "<html" in
// any case: the error or login page some servers send in place of an image, even as image/jpeg.
bool beginsLikeHtml(const QByteArray &bodyStart);

// The first byte of a "Content-Range: bytes first-last/total" header; nullopt for anything else.
std::optional<qint64> contentRangeStart(const QString &header);

// The server said "Accept-Ranges: bytes": a broken body can be continued where it broke off.
bool acceptsByteRanges(const QString &header);
