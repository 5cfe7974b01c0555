#include "closedport.h"
#include "loopbackserver.h"
#include "web/browserheaders.h"
#include "web/transfer.h"

#include <QAbstractEventDispatcher>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>

#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(LoopbackResponse)

namespace {

QByteArray imageBytes(qint64 size, quint32 seed = 1)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

LoopbackResponse image(const QByteArray &body, LoopbackResponse::Framing framing)
{
    LoopbackResponse response = LoopbackResponse::page(body, "image/jpeg");
    response.framing = framing;
    return response;
}

} // namespace

class TestTransfer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void readsBodyInChunks_data();
    void readsBodyInChunks();
    void brokenBodyIsReported_data();
    void brokenBodyIsReported();
    void failureBeforeResponseIsStateEleven_data();
    void failureBeforeResponseIsStateEleven();
    void errorStatusIsAResponse();
    void followsRedirects_data();
    void followsRedirects();
    void refusesOtherAddresses_data();
    void refusesOtherAddresses();
    void asksForUnpackedBodiesOverOneConnection();
    void sendsBrowserHeadersThroughRedirects_data();
    void sendsBrowserHeadersThroughRedirects();
    void unreadBodyHoldsTheServerBack();
    void timeNotReadingIsNoFailure();
    void waitingReadCostsNoCpu();
    void cancelWakesWaitingRead();
    void newRequestDuringWaitingRead();
    void httpsWithTrustedCertificate();

private:
    // Requests `path` and waits for the state it reaches; 0 when none came.
    int request(const QString &path);
    // Reads chunks until the empty one; every chunk but the last must be full.
    QByteArray readAll(bool &fullChunks);

    LoopbackServer *m_server = nullptr;
    Transfer *m_transfer = nullptr;
    QSignalSpy *m_states = nullptr;
};

void TestTransfer::init()
{
    m_server = new LoopbackServer;
    QVERIFY(m_server->isListening());
    m_transfer = new Transfer;
    m_transfer->setIdleLimit(3s);
    m_states = new QSignalSpy(m_transfer, &Transfer::StateChanged);
}

void TestTransfer::cleanup()
{
    delete m_states;
    delete m_transfer;
    delete m_server;
}

int TestTransfer::request(const QString &path)
{
    m_states->clear();
    if (!m_transfer->RequestUrl(m_server->url(path)))
        return 0;
    if (!m_states->wait(5000))
        return 0;
    return m_states->first().first().toInt();
}

QByteArray TestTransfer::readAll(bool &fullChunks)
{
    QByteArray body;
    QByteArray previous;
    fullChunks = true;
    for (;;) {
        const QByteArray chunk = m_transfer->ReadChunk(10240);
        if (chunk.isEmpty())
            return body;
        if (previous.size() != 0 && previous.size() != 10240)
            fullChunks = false;
        if (chunk.size() > 10240)
            fullChunks = false;
        previous = chunk;
        body += chunk;
    }
}

void TestTransfer::readsBodyInChunks_data()
{
    QTest::addColumn<LoopbackResponse>("response");
    QTest::addColumn<QString>("contentLength");

    const QByteArray body = imageBytes(25000);
    QTest::newRow("content length") << image(body, LoopbackResponse::Framing::ContentLength)
                                    << QStringLiteral("25000");
    QTest::newRow("exactly one chunk")
        << image(imageBytes(10240), LoopbackResponse::Framing::ContentLength) << QStringLiteral("10240");
    QTest::newRow("empty body") << image({}, LoopbackResponse::Framing::ContentLength) << QStringLiteral("0");
    QTest::newRow("chunked") << image(body, LoopbackResponse::Framing::Chunked) << QString();
    QTest::newRow("until close") << image(body, LoopbackResponse::Framing::UntilClose) << QString();
    LoopbackResponse slow = image(body, LoopbackResponse::Framing::ContentLength);
    slow.bytesPerTick = 3000;
    slow.tick = 5ms;
    QTest::newRow("slow body") << slow << QStringLiteral("25000");
}

void TestTransfer::readsBodyInChunks()
{
    QFETCH(LoopbackResponse, response);
    QFETCH(QString, contentLength);
    m_server->setResponse(QStringLiteral("/1.jpg"), response);

    QCOMPARE(request(QStringLiteral("/1.jpg")), Transfer::responseArrived);
    QCOMPARE(m_transfer->statusCode(), 200);
    QCOMPARE(m_transfer->ReadHeader(QStringLiteral("Content-Length")), contentLength);
    QCOMPARE(m_transfer->ReadHeader(QStringLiteral("Content-Type")), QStringLiteral("image/jpeg"));
    bool fullChunks = false;
    QCOMPARE(readAll(fullChunks), response.body);
    QVERIFY(fullChunks);
    QCOMPARE(m_transfer->bodyFailure(), QString());
    QVERIFY(m_transfer->ReadChunk(10240).isEmpty());
    QCOMPARE(m_states->size(), 1);
}

void TestTransfer::brokenBodyIsReported_data()
{
    QTest::addColumn<LoopbackResponse>("response");

    const QByteArray body = imageBytes(40000);
    LoopbackResponse dropped = image(body, LoopbackResponse::Framing::ContentLength);
    dropped.dropAfter = 15000;
    QTest::newRow("connection dropped") << dropped;
    LoopbackResponse lying = image(body, LoopbackResponse::Framing::ContentLength);
    lying.contentLength = body.size() + 5000;
    QTest::newRow("longer length announced") << lying;
    LoopbackResponse stalled = image(body, LoopbackResponse::Framing::ContentLength);
    stalled.stallAfter = 15000;
    QTest::newRow("body stalls") << stalled;
}

void TestTransfer::brokenBodyIsReported()
{
    QFETCH(LoopbackResponse, response);
    m_transfer->setIdleLimit(300ms);
    m_server->setResponse(QStringLiteral("/1.jpg"), response);

    QCOMPARE(request(QStringLiteral("/1.jpg")), Transfer::responseArrived);
    bool fullChunks = false;
    const QByteArray body = readAll(fullChunks);
    QVERIFY(response.body.startsWith(body));
    QVERIFY(body.size() < response.body.size() + 5000);
    QVERIFY2(!m_transfer->bodyFailure().isEmpty(), "a broken body must not pass for a whole one");
    QCOMPARE(m_states->size(), 1);
}

void TestTransfer::failureBeforeResponseIsStateEleven_data()
{
    QTest::addColumn<bool>("silentServer");
    QTest::addColumn<int>("code");
    QTest::newRow("nobody listening") << false << int(QNetworkReply::ConnectionRefusedError);
    QTest::newRow("server never answers") << true << int(QNetworkReply::TimeoutError);
}

void TestTransfer::failureBeforeResponseIsStateEleven()
{
    QFETCH(bool, silentServer);
    QFETCH(int, code);
    m_transfer->setIdleLimit(300ms);
    m_server->setResponse(QStringLiteral("/1.jpg"), LoopbackResponse::stall());
    const QString address = silentServer ? m_server->url(QStringLiteral("/1.jpg"))
                                         : QStringLiteral("http://127.0.0.1:%1/1.jpg").arg(closedPort());

    QVERIFY(m_transfer->RequestUrl(address));
    QVERIFY(m_states->wait(3000));
    QCOMPARE(m_states->first().first().toInt(), Transfer::requestFailed);
    QCOMPARE(m_transfer->FailureCode(), code);
    QVERIFY(!m_transfer->FailureText().isEmpty());
    QVERIFY(m_transfer->ReadChunk(10240).isEmpty());
    QTest::qWait(100);
    QCOMPARE(m_states->size(), 1);
}

// The status is for the reader to judge; the transfer itself delivered a response.
void TestTransfer::errorStatusIsAResponse()
{
    m_server->setResponse(QStringLiteral("/1.jpg"), LoopbackResponse::withStatus(404, "no such image"));
    QCOMPARE(request(QStringLiteral("/1.jpg")), Transfer::responseArrived);
    QCOMPARE(m_transfer->statusCode(), 404);
}

void TestTransfer::followsRedirects_data()
{
    QTest::addColumn<QByteArray>("location");
    QTest::addColumn<int>("status");
    QTest::newRow("relative") << QByteArray("/real.jpg") << 200;
    QTest::newRow("to another scheme stays a redirect") << QByteArray("ftp://127.0.0.1/real.jpg") << 302;
}

void TestTransfer::followsRedirects()
{
    QFETCH(QByteArray, location);
    QFETCH(int, status);
    const QByteArray body = imageBytes(30000);
    m_server->setResponse(QStringLiteral("/1.jpg"), LoopbackResponse::redirect(location));
    m_server->setResponse(QStringLiteral("/real.jpg"), image(body, LoopbackResponse::Framing::ContentLength));

    QCOMPARE(request(QStringLiteral("/1.jpg")), Transfer::responseArrived);
    QCOMPARE(m_transfer->statusCode(), status);
    if (status == 200) {
        bool fullChunks = false;
        QCOMPARE(readAll(fullChunks), body);
    }
    QCOMPARE(m_states->size(), 1);
    QCOMPARE(m_server->requestCount(QStringLiteral("/1.jpg")), 1);
}

void TestTransfer::refusesOtherAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("empty line") << QString();
    QTest::newRow("ftp") << QStringLiteral("ftp://127.0.0.1/1.jpg");
    QTest::newRow("local file") << QStringLiteral("file:///etc/hostname");
    QTest::newRow("script") << QStringLiteral("javascript:alert(1)");
    QTest::newRow("relative") << QStringLiteral("/p/1.jpg");
    QTest::newRow("no host") << QStringLiteral("http://");
}

void TestTransfer::refusesOtherAddresses()
{
    QFETCH(QString, address);
    QVERIFY(!m_transfer->RequestUrl(address));
    QTest::qWait(50);
    QCOMPARE(m_states->size(), 0);
    QVERIFY(m_transfer->ReadChunk(10240).isEmpty());
    QCOMPARE(m_server->requests().size(), 0);
}

void TestTransfer::sendsBrowserHeadersThroughRedirects_data()
{
    QTest::addColumn<QString>("referer");
    QTest::addColumn<qint64>("resumeFrom");
    QTest::addColumn<QByteArray>("agentVariable"); // TAVRIN_USER_AGENT; empty: unset
    QTest::addColumn<QByteArray>("sentReferer");
    QTest::addColumn<QByteArray>("sentRange");
    QTest::newRow("referer and range") << QStringLiteral("http://site/c/1.html?p=2#frame") << qint64(4096)
                                       << QByteArray() << QByteArray("http://site/c/1.html?p=2")
                                       << QByteArray("bytes=4096-");
    QTest::newRow("neither") << QString() << qint64(0) << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("address with spaces and user") << QStringLiteral("http://me:pw@site/第1话 a.html") << qint64(0)
                                                  << QByteArray()
                                                  << QByteArray("http://site/%E7%AC%AC1%E8%AF%9D%20a.html")
                                                  << QByteArray();
    QTest::newRow("agent from the environment") << QString() << qint64(0) << QByteArray("TestAgent/1.0")
                                                << QByteArray() << QByteArray();
}

// Every hop of an image request carries the same User-Agent, Referer and Range.
void TestTransfer::sendsBrowserHeadersThroughRedirects()
{
    QFETCH(QString, referer);
    QFETCH(qint64, resumeFrom);
    QFETCH(QByteArray, agentVariable);
    QFETCH(QByteArray, sentReferer);
    QFETCH(QByteArray, sentRange);
    if (!agentVariable.isEmpty())
        qputenv("TAVRIN_USER_AGENT", agentVariable);
    const auto unsetAgent = qScopeGuard([] { qunsetenv("TAVRIN_USER_AGENT"); });
    m_server->setResponse(QStringLiteral("/old.jpg"), LoopbackResponse::redirect("/new.jpg"));
    m_server->setResponse(QStringLiteral("/new.jpg"), image(imageBytes(100), LoopbackResponse::Framing::ContentLength));

    m_states->clear();
    QVERIFY(m_transfer->RequestUrl(m_server->url(QStringLiteral("/old.jpg")), referer, resumeFrom));
    QVERIFY(m_states->wait(5000));

    const QList<LoopbackRequest> requests = m_server->requests();
    QCOMPARE(requests.size(), 2);
    for (const LoopbackRequest &request : requests) {
        QCOMPARE(request.header("User-Agent"), agentVariable.isEmpty() ? userAgent() : agentVariable);
        QCOMPARE(request.header("Referer"), sentReferer);
        QCOMPARE(request.hasHeader("Referer"), !sentReferer.isEmpty());
        QCOMPARE(request.header("Range"), sentRange);
    }
    if (agentVariable.isEmpty())
        QVERIFY(userAgent().startsWith("Mozilla/5.0 ("));
}

void TestTransfer::asksForUnpackedBodiesOverOneConnection()
{
    for (int i = 1; i <= 3; ++i) {
        const QString path = QStringLiteral("/%1.jpg").arg(i);
        m_server->setResponse(path, image(imageBytes(20000, i), LoopbackResponse::Framing::ContentLength));
        QCOMPARE(request(path), Transfer::responseArrived);
        bool fullChunks = false;
        QCOMPARE(readAll(fullChunks).size(), 20000);
    }
    const QList<LoopbackRequest> requests = m_server->requests();
    QCOMPARE(requests.size(), 3);
    for (const LoopbackRequest &request : requests) {
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.header("Accept-Encoding"), QByteArray("identity"));
    }
    QCOMPARE(m_server->connectionCount(), 1);
}

// A reader that stops reading leaves at most the read buffer in memory; the rest stays with the
// server, and the body is still whole once reading goes on.
void TestTransfer::unreadBodyHoldsTheServerBack()
{
    const QByteArray body = imageBytes(8 * 1024 * 1024);
    m_server->setResponse(QStringLiteral("/big.jpg"), image(body, LoopbackResponse::Framing::ContentLength));
    QCOMPARE(request(QStringLiteral("/big.jpg")), Transfer::responseArrived);
    QTest::qWait(400);
    QVERIFY2(m_transfer->bufferedBytes() <= 2 * Transfer::readBufferSize,
             qPrintable(QString::number(m_transfer->bufferedBytes())));
    bool fullChunks = false;
    QCOMPARE(readAll(fullChunks), body);
    QVERIFY(fullChunks);
}

// The idle limit counts only while a reader waits: a long pause between chunks is no failure.
void TestTransfer::timeNotReadingIsNoFailure()
{
    m_transfer->setIdleLimit(200ms);
    const QByteArray body = imageBytes(4 * 1024 * 1024);
    m_server->setResponse(QStringLiteral("/big.jpg"), image(body, LoopbackResponse::Framing::ContentLength));
    QCOMPARE(request(QStringLiteral("/big.jpg")), Transfer::responseArrived);
    QByteArray read = m_transfer->ReadChunk(10240);
    QTest::qWait(600);
    bool fullChunks = false;
    read += readAll(fullChunks);
    QCOMPARE(m_transfer->bodyFailure(), QString());
    QCOMPARE(read, body);
}

// The wait sleeps until data or the idle limit wakes it.
void TestTransfer::waitingReadCostsNoCpu()
{
    m_transfer->setIdleLimit(500ms);
    LoopbackResponse stalled = image(imageBytes(20000), LoopbackResponse::Framing::ContentLength);
    stalled.stallAfter = 100;
    m_server->setResponse(QStringLiteral("/1.jpg"), stalled);
    QCOMPARE(request(QStringLiteral("/1.jpg")), Transfer::responseArrived);
    int wakeups = 0;
    {
        QObject counting;
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, &counting,
                [&] { ++wakeups; });
        QCOMPARE(m_transfer->ReadChunk(10240).size(), 100);
    }
    QVERIFY(m_transfer->ReadChunk(10240).isEmpty());
    QVERIFY2(wakeups < 100, qPrintable(QString::number(wakeups)));
    QVERIFY(!m_transfer->bodyFailure().isEmpty());
}

void TestTransfer::cancelWakesWaitingRead()
{
    LoopbackResponse stalled = image(imageBytes(20000), LoopbackResponse::Framing::ContentLength);
    stalled.stallAfter = 0;
    m_server->setResponse(QStringLiteral("/1.jpg"), stalled);
    QCOMPARE(request(QStringLiteral("/1.jpg")), Transfer::responseArrived);
    QTimer::singleShot(100ms, m_transfer, [this] { m_transfer->cancel(); });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(m_transfer->ReadChunk(10240).isEmpty());
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(m_transfer->ReadHeader(QStringLiteral("Content-Length")).isEmpty());
}

// A request made while a read waits for an earlier one: the waiting read gets nothing of the new
// body, and the new response arrives whole.
void TestTransfer::newRequestDuringWaitingRead()
{
    LoopbackResponse stalled = image(imageBytes(20000), LoopbackResponse::Framing::ContentLength);
    stalled.stallAfter = 0;
    m_server->setResponse(QStringLiteral("/1.jpg"), stalled);
    const QByteArray second = imageBytes(30000, 2);
    m_server->setResponse(QStringLiteral("/2.jpg"), image(second, LoopbackResponse::Framing::ContentLength));
    QCOMPARE(request(QStringLiteral("/1.jpg")), Transfer::responseArrived);

    QByteArray readDuringWait;
    m_states->clear();
    QTimer::singleShot(100ms, m_transfer, [this, &readDuringWait] {
        QVERIFY(m_transfer->RequestUrl(m_server->url(QStringLiteral("/2.jpg"))));
        QVERIFY(m_states->wait(5000));
        bool fullChunks = false;
        readDuringWait = readAll(fullChunks);
    });
    QVERIFY(m_transfer->ReadChunk(10240).isEmpty());
    QTRY_COMPARE(readDuringWait, second);
    QCOMPARE(m_states->size(), 1);
}

void TestTransfer::httpsWithTrustedCertificate()
{
    LoopbackServer secure(LoopbackServer::Scheme::Https);
    QVERIFY(secure.isListening());
    const QByteArray body = imageBytes(50000);
    secure.setResponse(QStringLiteral("/1.jpg"), image(body, LoopbackResponse::Framing::ContentLength));
    m_transfer->trustCertificate(LoopbackServer::certificate());
    QVERIFY(m_transfer->RequestUrl(secure.url(QStringLiteral("/1.jpg"))));
    QVERIFY(m_states->wait(5000));
    QCOMPARE(m_states->first().first().toInt(), Transfer::responseArrived);
    bool fullChunks = false;
    QCOMPARE(readAll(fullChunks), body);
}

QTEST_GUILESS_MAIN(TestTransfer)
#include "tst_transfer.moc"
