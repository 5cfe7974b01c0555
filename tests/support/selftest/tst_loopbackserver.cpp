#include "loopbackserver.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(LoopbackResponse)

namespace {

struct Exchange
{
    QByteArray bytes;    // everything the server sent
    bool closed = false; // the server closed the connection
    qint64 firstByteMs = -1;
};

// Sends one raw request and collects the answer until the server closes the connection or stays
// silent for `quiet`. The server runs on this thread, so the wait runs its event loop.
Exchange exchange(quint16 port, const QByteArray &request, std::chrono::milliseconds quiet = 150ms)
{
    Exchange result;
    QTcpSocket socket;
    QEventLoop loop;
    QElapsedTimer clock;
    QTimer silence;
    silence.setSingleShot(true);
    silence.setInterval(quiet);
    QObject::connect(&silence, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
        socket.write(request);
        clock.start();
        silence.start();
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
        if (result.firstByteMs < 0)
            result.firstByteMs = clock.elapsed();
        result.bytes += socket.readAll();
        silence.start();
    });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, [&] {
        result.bytes += socket.readAll();
        result.closed = true;
        loop.quit();
    });
    socket.connectToHost(QHostAddress::LocalHost, port);
    loop.exec();
    return result;
}

LoopbackResponse scripted(const QByteArray &body, void (*change)(LoopbackResponse &))
{
    LoopbackResponse response = LoopbackResponse::page(body);
    change(response);
    return response;
}

} // namespace

class TestLoopbackServer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onTheWire_data()
    {
        QTest::addColumn<LoopbackResponse>("response");
        QTest::addColumn<QByteArray>("requestLine");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("closed");

        const QByteArray get = "GET /p HTTP/1.1";
        const QByteArray html = "Content-Type: text/html\r\n";

        QTest::newRow("length and body")
            << LoopbackResponse::page("abc") << get
            << "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n" + html + "\r\nabc" << false;

        LoopbackResponse status = LoopbackResponse::withStatus(404, "gone");
        status.headers.append(std::pair<QByteArray, QByteArray>("X-Test", "yes"));
        QTest::newRow("status and own headers")
            << status << get
            << "HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n" + html + "X-Test: yes\r\n\r\ngone" << false;

        QTest::newRow("query falls back to its path")
            << LoopbackResponse::page("abc") << QByteArray("GET /p?x=1 HTTP/1.1")
            << "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n" + html + "\r\nabc" << false;
        QTest::newRow("unscripted path")
            << LoopbackResponse::page("abc") << QByteArray("GET /q HTTP/1.1")
            << "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n" + html + "\r\nNot Found" << false;
        QTest::newRow("head") << LoopbackResponse::page("abc") << QByteArray("HEAD /p HTTP/1.1")
                              << "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n" + html + "\r\n"
                              << false;

        QTest::newRow("chunked, in slices") << scripted("abcdefg",
                                                        [](LoopbackResponse &r) {
                                                            r.framing = LoopbackResponse::Framing::Chunked;
                                                            r.bytesPerTick = 3;
                                                            r.tick = 5ms;
                                                        })
                                            << get
                                            << "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n" + html +
                                                   "\r\n3\r\nabc\r\n3\r\ndef\r\n1\r\ng\r\n0\r\n\r\n"
                                            << false;
        QTest::newRow("no length, ends with the connection")
            << scripted("abc", [](LoopbackResponse &r) { r.framing = LoopbackResponse::Framing::UntilClose; })
            << get << "HTTP/1.1 200 OK\r\nConnection: close\r\n" + html + "\r\nabc" << true;
        QTest::newRow("length longer than the body")
            << scripted("abc", [](LoopbackResponse &r) { r.contentLength = 10; }) << get
            << "HTTP/1.1 200 OK\r\nContent-Length: 10\r\nConnection: close\r\n" + html + "\r\nabc" << true;
        QTest::newRow("dropped mid-body")
            << scripted("abcdef", [](LoopbackResponse &r) { r.dropAfter = 2; }) << get
            << "HTTP/1.1 200 OK\r\nContent-Length: 6\r\n" + html + "\r\nab" << true;
        QTest::newRow("chunked, dropped mid-body")
            << scripted("abcdef",
                        [](LoopbackResponse &r) {
                            r.framing = LoopbackResponse::Framing::Chunked;
                            r.dropAfter = 4;
                        })
            << get << "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n" + html + "\r\n4\r\nabcd\r\n"
            << true;
        QTest::newRow("stalls mid-body")
            << scripted("abcdef", [](LoopbackResponse &r) { r.stallAfter = 2; }) << get
            << "HTTP/1.1 200 OK\r\nContent-Length: 6\r\n" + html + "\r\nab" << false;
        QTest::newRow("never answers") << LoopbackResponse::stall() << get << QByteArray() << false;
        QTest::newRow("redirect") << LoopbackResponse::redirect("/to", 301) << get
                                  << QByteArray("HTTP/1.1 301 Moved Permanently\r\nContent-Length: 0\r\n"
                                                "Location: /to\r\n\r\n")
                                  << false;
        QTest::newRow("closes when asked")
            << scripted("abc", [](LoopbackResponse &r) { r.closeAfter = true; }) << get
            << "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nConnection: close\r\n" + html + "\r\nabc" << true;
    }
    void onTheWire()
    {
        QFETCH(LoopbackResponse, response);
        QFETCH(QByteArray, requestLine);
        QFETCH(QByteArray, expected);
        QFETCH(bool, closed);
        LoopbackServer server;
        QVERIFY(server.isListening());
        server.setResponse(QStringLiteral("/p"), response);

        const Exchange answer =
            exchange(server.port(), requestLine + "\r\nHost: 127.0.0.1\r\nX-Asked: 1\r\n\r\n");
        QCOMPARE(answer.bytes, expected);
        QCOMPARE(answer.closed, closed);

        QCOMPARE(server.requests().size(), 1);
        const LoopbackRequest request = server.requests().first();
        QCOMPARE(request.method + ' ' + request.target + " HTTP/1.1", requestLine);
        QCOMPARE(request.header("x-asked"), "1");
        QCOMPARE(request.connection, 1);
    }

    void delayBeforeTheHead()
    {
        LoopbackServer server;
        LoopbackResponse late = LoopbackResponse::page("abc");
        late.headerDelay = 300ms;
        server.setResponse(QStringLiteral("/p"), late);

        const Exchange answer = exchange(server.port(), "GET /p HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", 600ms);
        QVERIFY(answer.bytes.endsWith("\r\n\r\nabc"));
        QVERIFY2(answer.firstByteMs >= 250, qPrintable(QString::number(answer.firstByteMs)));
    }

    // A handler answers by the request's headers: here a ranged body, whole or from a byte on.
    void handlerServesRanges_data()
    {
        QTest::addColumn<QByteArray>("range");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("no range") << QByteArray() << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n"
                                                              "Content-Type: image/jpeg\r\nAccept-Ranges: bytes\r\n"
                                                              "\r\n0123456789");
        QTest::newRow("from byte 4") << QByteArray("bytes=4-")
                                     << QByteArray("HTTP/1.1 206 Partial Content\r\nContent-Length: 6\r\n"
                                                   "Content-Type: image/jpeg\r\nAccept-Ranges: bytes\r\n"
                                                   "Content-Range: bytes 4-9/10\r\n\r\n456789");
        QTest::newRow("past the end") << QByteArray("bytes=10-")
                                      << QByteArray("HTTP/1.1 416 Status\r\nContent-Length: 0\r\n"
                                                    "Content-Type: text/html\r\nContent-Range: bytes */10\r\n\r\n");
    }
    void handlerServesRanges()
    {
        QFETCH(QByteArray, range);
        QFETCH(QByteArray, expected);
        LoopbackServer server;
        server.setResponse(QStringLiteral("/p"), LoopbackResponse::page("scripted"));
        server.setHandler(QStringLiteral("/p"), [](const LoopbackRequest &request) {
            return LoopbackResponse::ranged("0123456789", request.header("Range"));
        });
        const QByteArray rangeLine = range.isEmpty() ? QByteArray() : "Range: " + range + "\r\n";
        const Exchange answer = exchange(server.port(), "GET /p?x=1 HTTP/1.1\r\nHost: h\r\n" + rangeLine + "\r\n");
        QCOMPARE(answer.bytes, expected);
    }

    // Two requests sent at once on one connection are answered in order.
    void pipelinedRequestsOnOneConnection()
    {
        LoopbackServer server;
        server.setResponse(QStringLiteral("/a"), LoopbackResponse::page("first"));
        server.setResponse(QStringLiteral("/b"), LoopbackResponse::page("second"));

        const Exchange answer =
            exchange(server.port(), "GET /a HTTP/1.1\r\nHost: h\r\n\r\n"
                                    "POST /b HTTP/1.1\r\nHost: h\r\nContent-Length: 4\r\n\r\nbody");
        QVERIFY(answer.bytes.indexOf("first") < answer.bytes.indexOf("second"));
        QVERIFY(answer.bytes.endsWith("second"));
        QCOMPARE(server.requests().size(), 2);
        QCOMPARE(server.requests().at(1).method, "POST");
        QCOMPARE(server.requests().at(1).body, "body");
        QCOMPARE(server.connectionCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestLoopbackServer)
#include "tst_loopbackserver.moc"
