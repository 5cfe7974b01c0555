#pragma once

#include <chrono>
#include <optional>
#include <QByteArray>
#include <QList>
#include <utility>

// What the loopback server sends for one request. The defaults give a plain, complete answer;
// each field scripts one way a real server misbehaves.
struct LoopbackResponse
{
    // How the end of the body is marked.
    enum class Framing
    {
        ContentLength, // "Content-Length: n" (n from contentLength when set, else the body size)
        Chunked,       // "Transfer-Encoding: chunked"
        UntilClose,    // no length at all: the body ends when the connection closes
    };

    int status = 200;
    QList<std::pair<QByteArray, QByteArray>> headers; // sent as given, after the framing headers
    QByteArray body;
    Framing framing = Framing::ContentLength;
    std::optional<qint64> contentLength; // announce this length instead of the body size (a lying length)

    std::chrono::milliseconds headerDelay{0}; // wait this long before the status line
    bool neverAnswer = false;                 // read the request, then stay silent with the connection open
    std::optional<qint64> dropAfter;          // close the connection after this many body bytes
    std::optional<qint64> stallAfter;         // go silent after this many body bytes, connection kept open

    // Slow body: bytesPerTick bytes every tick; 0 sends the whole body at once.
    qint64 bytesPerTick = 0;
    std::chrono::milliseconds tick{10};

    bool closeAfter = false; // "Connection: close", and the connection closes after this response

    static LoopbackResponse page(const QByteArray &body, const QByteArray &contentType = "text/html");
    static LoopbackResponse withStatus(int status, const QByteArray &body);
    static LoopbackResponse redirect(const QByteArray &location, int status = 302);
    static LoopbackResponse stall();
    // `body` as a server that takes byte ranges sends it ("Accept-Ranges: bytes"): the part from
    // the first byte of a "bytes=n-" `range` on as 206 with its Content-Range, else the whole.
    static LoopbackResponse ranged(const QByteArray &body, const QByteArray &range,
                                   const QByteArray &contentType = "image/jpeg");
    // Where a "bytes=n-" range begins; 0 for none.
    static qint64 rangeStart(const QByteArray &range);
};
