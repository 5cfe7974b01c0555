#include "loopbackserver.h"
#include "web/browserheaders.h"
#include "web/httppagefetcher.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(LoopbackResponse)

namespace {

// 你好 in the encodings under test.
const QByteArray gbkHello = "\xC4\xE3\xBA\xC3";
const QByteArray big5Hello = "\xA7\x41\xA6\x6E";
const QByteArray utf8Hello = "\xE4\xBD\xA0\xE5\xA5\xBD";
// 日本 in Shift_JIS.
const QByteArray sjisJapan = "\x93\xFA\x96\x7B";

LoopbackResponse sized(qint64 size, LoopbackResponse::Framing framing)
{
    LoopbackResponse response = LoopbackResponse::page(QByteArray(size, 'a'));
    response.framing = framing;
    return response;
}

} // namespace

class TestFetchPage final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void decodesByDeclaredCharset_data();
    void decodesByDeclaredCharset();
    void bodyWhateverTheStatus_data();
    void bodyWhateverTheStatus();
    void sendsPlainGet();
    void sendsBrowserHeaders_data();
    void sendsBrowserHeaders();
    void scriptedSequenceOverOneConnection();
    void slowBodyArrivesWhole();
    void followsRedirects_data();
    void followsRedirects();
    void redirectToHttpFromHttpsIsRefused();
    void refusesOtherAddresses_data();
    void refusesOtherAddresses();
    void givesUpAtTimeLimit_data();
    void givesUpAtTimeLimit();
    void defaultTimeLimitIsTenToElevenSeconds();
    void hungServerCostsNoCpu();
    void nestedFetchesKeepTheirOwnResults_data();
    void nestedFetchesKeepTheirOwnResults();
    void oversizedPageIsEmpty_data();
    void oversizedPageIsEmpty();
    void httpsWithTrustedCertificate();
    void httpsVerifiesCertificates();

private:
    QString fetch(const LoopbackResponse &response);

    LoopbackServer *m_server = nullptr;
    HttpPageFetcher *m_fetcher = nullptr;
};

void TestFetchPage::init()
{
    m_server = new LoopbackServer;
    QVERIFY(m_server->isListening());
    m_fetcher = new HttpPageFetcher;
    m_fetcher->setTimeLimit(2s);
}

void TestFetchPage::cleanup()
{
    delete m_fetcher;
    delete m_server;
}

QString TestFetchPage::fetch(const LoopbackResponse &response)
{
    m_server->setResponse(QStringLiteral("/page"), response);
    return m_fetcher->FetchPage(m_server->url(QStringLiteral("/page")));
}

void TestFetchPage::decodesByDeclaredCharset_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");

    QTest::newRow("gbk declared gb2312 in content")
        << "<meta content=\"text/html; charset=gb2312\">" + gbkHello
        << QStringLiteral("<meta content=\"text/html; charset=gb2312\">你好");
    QTest::newRow("gbk undeclared") << "<title>" + gbkHello + "</title>"
                                    << QStringLiteral("<title>你好</title>");
    QTest::newRow("big5 declared") << "<meta charset=big5>" + big5Hello
                                   << QStringLiteral("<meta charset=big5>你好");
    QTest::newRow("big5 undeclared read as gbk") << big5Hello << QStringLiteral("\uE707\uE6D4");
    QTest::newRow("shift_jis declared")
        << "<meta charset=\"Shift_JIS\">" + sjisJapan << QStringLiteral("<meta charset=\"Shift_JIS\">日本");
    QTest::newRow("shift_jis undeclared read as gbk") << sjisJapan << QStringLiteral("擔杮");
    QTest::newRow("utf-8 closed by space slash")
        << "<meta charset=\"utf-8\" />" + utf8Hello << QStringLiteral("<meta charset=\"utf-8\" />你好");
    QTest::newRow("utf-8 undeclared read as gbk") << utf8Hello << QStringLiteral("浣犲ソ");
    QTest::newRow("first charset= is inside a script")
        << "<script>x=\"charset=big5>\"</script><meta charset=gb2312>" + big5Hello
        << QStringLiteral("<script>x=\"charset=big5>\"</script><meta charset=gb2312>你好");
    QTest::newRow("backslashes and slashes removed")
        << "<meta charset=\\\"utf-8\\\"/>" + utf8Hello << QStringLiteral("<meta charset=\\\"utf-8\\\"/>你好");
    QTest::newRow("capital Charset= is not found")
        << "<meta Charset=utf-8>" + gbkHello << QStringLiteral("<meta Charset=utf-8>你好");
    QTest::newRow("single quotes stay in the name") << "<meta charset='utf-8'>" + utf8Hello << QString();
    QTest::newRow("no > after charset=") << utf8Hello + "<meta charset=utf-8" << QString();
    QTest::newRow("empty name") << "<meta charset=>" + gbkHello << QString();
    QTest::newRow("unknown name") << "<meta charset=klingon>" + gbkHello << QString();
    // The web's "replacement" labels: HZ is read by its converter, the bare name is unknown.
    QTest::newRow("hz-gb-2312 declared") << QByteArray("<meta charset=hz-gb-2312><p>~{Dc:C~}</p>")
                                         << QStringLiteral("<meta charset=hz-gb-2312><p>你好</p>");
    QTest::newRow("replacement declared") << QByteArray("<meta charset=replacement><p>a</p>") << QString();
    QTest::newRow("gb2312 euro sign")
        << QByteArray("<title>\x80 5</title>") << QStringLiteral("<title>€ 5</title>");
}

void TestFetchPage::decodesByDeclaredCharset()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QCOMPARE(fetch(LoopbackResponse::page(body)), text);
}

void TestFetchPage::bodyWhateverTheStatus_data()
{
    QTest::addColumn<LoopbackResponse>("response");
    QTest::addColumn<QString>("text");

    const QByteArray page = "<title>" + gbkHello + "</title>";
    const QString pageText = QStringLiteral("<title>你好</title>");

    // Qt reports each status through an error code of its own; every one is a page all the same.
    for (int status : {400, 401, 403, 404, 405, 407, 409, 410, 418, 429, 500, 501, 502, 503, 599})
        QTest::addRow("%d with a body", status) << LoopbackResponse::withStatus(status, page) << pageText;
    QTest::newRow("empty body") << LoopbackResponse::page({}) << QString();
    QTest::newRow("404 without a body") << LoopbackResponse::withStatus(404, {}) << QString();

    LoopbackResponse chunked = LoopbackResponse::page(page);
    chunked.framing = LoopbackResponse::Framing::Chunked;
    chunked.bytesPerTick = 3;
    chunked.tick = 1ms;
    QTest::newRow("chunked, in small pieces") << chunked << pageText;

    LoopbackResponse untilClose = LoopbackResponse::page(page);
    untilClose.framing = LoopbackResponse::Framing::UntilClose;
    QTest::newRow("no length, ends with the connection") << untilClose << pageText;

    LoopbackResponse dropped = LoopbackResponse::page(page);
    dropped.dropAfter = 5;
    QTest::newRow("connection dropped mid-body") << dropped << QString();

    LoopbackResponse lying = LoopbackResponse::page(page);
    lying.contentLength = page.size() + 100;
    QTest::newRow("body shorter than its length") << lying << QString();

    // An error status does not make a broken body whole.
    LoopbackResponse droppedError = LoopbackResponse::withStatus(400, page);
    droppedError.dropAfter = 5;
    // Qt inflates a compressed body and drops the length, which was the compressed one.
    LoopbackResponse deflated = LoopbackResponse::withStatus(404, qCompress(QByteArray(5000, 'x')).mid(4));
    deflated.headers.append(std::pair<QByteArray, QByteArray>("Content-Encoding", "deflate"));
    QTest::newRow("404, compressed") << deflated << QString(5000, u'x');
    QTest::newRow("400, connection dropped mid-body") << droppedError << QString();
    LoopbackResponse lyingError = LoopbackResponse::withStatus(404, page);
    lyingError.contentLength = page.size() + 100;
    QTest::newRow("404, body shorter than its length") << lyingError << QString();
}

void TestFetchPage::bodyWhateverTheStatus()
{
    QFETCH(LoopbackResponse, response);
    QFETCH(QString, text);
    QCOMPARE(fetch(response), text);
}

void TestFetchPage::sendsPlainGet()
{
    m_server->setResponse(QStringLiteral("/old"), LoopbackResponse::redirect("/new?p=2"));
    m_server->setResponse(QStringLiteral("/new?p=2"), LoopbackResponse::page("moved here"));

    QCOMPARE(m_fetcher->FetchPage(m_server->url(QStringLiteral("/old"))), QStringLiteral("moved here"));

    const QList<LoopbackRequest> requests = m_server->requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests[0].method, "GET");
    QCOMPARE(requests[0].target, "/old");
    QCOMPARE(requests[1].target, "/new?p=2");
    QCOMPARE(requests[1].body, QByteArray());
}

void TestFetchPage::sendsBrowserHeaders_data()
{
    QTest::addColumn<bool>("withReferer");
    QTest::addColumn<QByteArray>("agentVariable"); // TAVRIN_USER_AGENT; empty: unset
    QTest::newRow("first page") << false << QByteArray();
    QTest::newRow("a later page") << true << QByteArray();
    QTest::newRow("agent from the environment") << true << QByteArray("TestAgent/2.0 (tests)");
}

// The walk's pages go out as a browser's, each after the first naming the page before, through
// redirects too.
void TestFetchPage::sendsBrowserHeaders()
{
    QFETCH(bool, withReferer);
    QFETCH(QByteArray, agentVariable);
    if (!agentVariable.isEmpty())
        qputenv("TAVRIN_USER_AGENT", agentVariable);
    const auto unsetAgent = qScopeGuard([] { qunsetenv("TAVRIN_USER_AGENT"); });
    m_server->setResponse(QStringLiteral("/old"), LoopbackResponse::redirect("/new"));
    m_server->setResponse(QStringLiteral("/new"), LoopbackResponse::page("page two"));
    const QString referer = m_server->url(QStringLiteral("/c/1.html"));

    const QString text = withReferer ? m_fetcher->FetchPage(m_server->url(QStringLiteral("/old")), referer)
                                     : m_fetcher->FetchPage(m_server->url(QStringLiteral("/old")));
    QCOMPARE(text, QStringLiteral("page two"));

    const QList<LoopbackRequest> requests = m_server->requests();
    QCOMPARE(requests.size(), 2);
    for (const LoopbackRequest &request : requests) {
        QCOMPARE(request.header("User-Agent"), agentVariable.isEmpty() ? userAgent() : agentVariable);
        QCOMPARE(request.hasHeader("Referer"), withReferer);
        if (withReferer)
            QCOMPARE(request.header("Referer"), referer.toLatin1());
    }
}

void TestFetchPage::scriptedSequenceOverOneConnection()
{
    m_server->setResponses(QStringLiteral("/p"),
                           {LoopbackResponse::page("first"), LoopbackResponse::page("second")});
    const QString address = m_server->url(QStringLiteral("/p"));

    QCOMPARE(m_fetcher->FetchPage(address), QStringLiteral("first"));
    QCOMPARE(m_fetcher->FetchPage(address), QStringLiteral("second"));
    QCOMPARE(m_fetcher->FetchPage(address), QStringLiteral("second"));
    QCOMPARE(m_server->connectionCount(), 1);
}

void TestFetchPage::slowBodyArrivesWhole()
{
    LoopbackResponse slow = LoopbackResponse::page(QByteArray(2000, 'z'));
    slow.bytesPerTick = 200;
    slow.tick = 10ms;

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(fetch(slow), QString(2000, u'z'));
    QVERIFY2(clock.elapsed() >= 80, qPrintable(QString::number(clock.elapsed())));
}

void TestFetchPage::followsRedirects_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("location");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found"); // where the page is found; empty: the address asked for

    QTest::newRow("301 root-relative") << 301 << QByteArray("/to") << QStringLiteral("arrived") << "/to";
    QTest::newRow("302 relative") << 302 << QByteArray("to") << QStringLiteral("arrived") << "/to";
    QTest::newRow("303 absolute") << 303 << QByteArray("http://127.0.0.1:%1/to") << QStringLiteral("arrived") << "/to";
    QTest::newRow("307") << 307 << QByteArray("/to") << QStringLiteral("arrived") << "/to";
    QTest::newRow("308 through a second hop") << 308 << QByteArray("/hop") << QStringLiteral("arrived") << "/to";
    QTest::newRow("with a query") << 302 << QByteArray("/to?p=2&q=%E4%BD%A0") << QStringLiteral("arrived")
                                  << "/to?p=2&q=%E4%BD%A0";
    QTest::newRow("loop") << 302 << QByteArray("/from") << QString() << QString();
    QTest::newRow("elsewhere than the web") << 302 << QByteArray("file:///etc/hostname") << QString() << QString();
}

void TestFetchPage::followsRedirects()
{
    QFETCH(int, status);
    QFETCH(QByteArray, location);
    QFETCH(QString, text);
    QFETCH(QString, found);
    location.replace("%1", QByteArray::number(m_server->port()));
    m_server->setResponse(QStringLiteral("/from"), LoopbackResponse::redirect(location, status));
    m_server->setResponse(QStringLiteral("/hop"), LoopbackResponse::redirect("/to", 301));
    m_server->setResponse(QStringLiteral("/to"), LoopbackResponse::page("arrived"));

    const QString from = m_server->url(QStringLiteral("/from"));
    QCOMPARE(m_fetcher->FetchPage(from), text);
    const FetchedPage page = m_fetcher->FetchPageAndAddress(from);
    QCOMPARE(page.text, text);
    QCOMPARE(page.address, found.isEmpty() ? from : m_server->url(found));
    // Without a redirect the address is the one asked for, exactly as written.
    const QString direct = m_server->url(QStringLiteral("/to#top"));
    QCOMPARE(m_fetcher->FetchPageAndAddress(direct).address, direct);
}

void TestFetchPage::redirectToHttpFromHttpsIsRefused()
{
    LoopbackServer secure(LoopbackServer::Scheme::Https);
    secure.setResponse(QStringLiteral("/from"), LoopbackResponse::redirect(m_server->url("/to").toLatin1()));
    m_server->setResponse(QStringLiteral("/to"), LoopbackResponse::page("arrived"));
    m_fetcher->trustCertificate(LoopbackServer::certificate());

    QCOMPARE(m_fetcher->FetchPage(secure.url(QStringLiteral("/from"))), QString());
    QCOMPARE(m_server->requestCount(QStringLiteral("/to")), 0);
}

void TestFetchPage::refusesOtherAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("empty") << QString();
    QTest::newRow("not an address") << QStringLiteral("just words");
    QTest::newRow("local file") << QStringLiteral("file:///etc/hostname");
    QTest::newRow("data address") << QStringLiteral("data:text/html,hello");
    QTest::newRow("nobody listening") << QStringLiteral("http://127.0.0.1:1/");
}

void TestFetchPage::refusesOtherAddresses()
{
    QFETCH(QString, address);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(m_fetcher->FetchPage(address), QString());
    QVERIFY2(clock.elapsed() < 1500, "a hopeless address should fail at once, not at the time limit");
}

void TestFetchPage::givesUpAtTimeLimit_data()
{
    QTest::addColumn<LoopbackResponse>("response");

    QTest::newRow("never answers") << LoopbackResponse::stall();

    LoopbackResponse late = LoopbackResponse::page("late");
    late.headerDelay = 2s;
    QTest::newRow("answers after the limit") << late;

    LoopbackResponse stalledBody = LoopbackResponse::page(QByteArray(1000, 'a'));
    stalledBody.stallAfter = 400;
    QTest::newRow("body stalls halfway") << stalledBody;
}

void TestFetchPage::givesUpAtTimeLimit()
{
    QFETCH(LoopbackResponse, response);
    m_fetcher->setTimeLimit(300ms);

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(fetch(response), QString());
    QVERIFY2(clock.elapsed() >= 300, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(clock.elapsed() < 1300, qPrintable(QString::number(clock.elapsed())));

    // The abandoned request leaves nothing behind that spoils the next fetch.
    m_server->setResponse(QStringLiteral("/next"), LoopbackResponse::page("next"));
    QCOMPARE(m_fetcher->FetchPage(m_server->url(QStringLiteral("/next"))), QStringLiteral("next"));
}

void TestFetchPage::defaultTimeLimitIsTenToElevenSeconds()
{
    HttpPageFetcher fetcher;
    m_server->setResponse(QStringLiteral("/stall"), LoopbackResponse::stall());

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(fetcher.FetchPage(m_server->url(QStringLiteral("/stall"))), QString());
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 10000 && elapsed <= 11000, qPrintable(QString::number(elapsed)));
}

// The wait sleeps until the reply or the time limit wakes it: a wait that polls would wake the
// event loop over and over, and keep a core busy while the server says nothing.
void TestFetchPage::hungServerCostsNoCpu()
{
    m_fetcher->setTimeLimit(500ms);
    int wakeups = 0;
    const QMetaObject::Connection counting = connect(
        QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this, [&] { ++wakeups; });
    QCOMPARE(fetch(LoopbackResponse::stall()), QString());
    disconnect(counting);
    QVERIFY2(wakeups < 100, qPrintable(QString::number(wakeups)));
}

void TestFetchPage::nestedFetchesKeepTheirOwnResults_data()
{
    QTest::addColumn<int>("outerDelayMs");
    QTest::addColumn<int>("innerDelayMs");
    QTest::addColumn<bool>("innerStalls");

    QTest::newRow("inner ends first") << 400 << 50 << false;
    QTest::newRow("outer ends during the inner wait") << 100 << 400 << false;
    QTest::newRow("inner times out, outer answered") << 100 << 0 << true;
}

// A timer handler that runs while a fetch waits may fetch a page itself; each call gets its own page.
void TestFetchPage::nestedFetchesKeepTheirOwnResults()
{
    QFETCH(int, outerDelayMs);
    QFETCH(int, innerDelayMs);
    QFETCH(bool, innerStalls);
    m_fetcher->setTimeLimit(1s);

    LoopbackResponse outer = LoopbackResponse::page("outer page");
    outer.headerDelay = std::chrono::milliseconds(outerDelayMs);
    LoopbackResponse inner = innerStalls ? LoopbackResponse::stall() : LoopbackResponse::page("inner page");
    inner.headerDelay = std::chrono::milliseconds(innerDelayMs);
    m_server->setResponse(QStringLiteral("/outer"), outer);
    m_server->setResponse(QStringLiteral("/inner"), inner);

    QString innerText = QStringLiteral("not run");
    QTimer::singleShot(20ms, this,
                       [&] { innerText = m_fetcher->FetchPage(m_server->url(QStringLiteral("/inner"))); });
    const QString outerText = m_fetcher->FetchPage(m_server->url(QStringLiteral("/outer")));

    QCOMPARE(outerText, QStringLiteral("outer page"));
    QCOMPARE(innerText, innerStalls ? QString() : QStringLiteral("inner page"));
}

void TestFetchPage::oversizedPageIsEmpty_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<LoopbackResponse>("response");
    QTest::addColumn<bool>("kept");

    using Framing = LoopbackResponse::Framing;
    QTest::newRow("at the limit") << qint64(1000) << sized(1000, Framing::ContentLength) << true;
    QTest::newRow("one byte over") << qint64(1000) << sized(1001, Framing::ContentLength) << false;
    QTest::newRow("chunked at the limit") << qint64(1000) << sized(1000, Framing::Chunked) << true;
    QTest::newRow("chunked over, counted") << qint64(1000) << sized(1001, Framing::Chunked) << false;

    LoopbackResponse understated = sized(5000, Framing::ContentLength);
    understated.contentLength = 10;
    understated.framing = Framing::UntilClose;
    QTest::newRow("no length, over") << qint64(1000) << understated << false;

    const qint64 defaultLimit = HttpPageFetcher::defaultSizeLimit;
    QTest::newRow("default, announced over 32 MiB")
        << defaultLimit << sized(32 * 1024 * 1024 + 1, Framing::ContentLength) << false;
    QTest::newRow("default, chunked over 32 MiB")
        << defaultLimit << sized(32 * 1024 * 1024 + 1, Framing::Chunked) << false;
}

void TestFetchPage::oversizedPageIsEmpty()
{
    QFETCH(qint64, limit);
    QFETCH(LoopbackResponse, response);
    QFETCH(bool, kept);
    if (limit != HttpPageFetcher::defaultSizeLimit)
        m_fetcher->setSizeLimit(limit);
    m_fetcher->setTimeLimit(5s);

    const QString text = fetch(response);
    QCOMPARE(text.size(), kept ? response.body.size() : 0);
}

void TestFetchPage::httpsWithTrustedCertificate()
{
    LoopbackServer server(LoopbackServer::Scheme::Https);
    QVERIFY(server.isListening());
    server.setResponse(QStringLiteral("/c/1.html"), LoopbackResponse::page("<meta charset=gbk>" + gbkHello));
    m_fetcher->trustCertificate(LoopbackServer::certificate());

    QCOMPARE(m_fetcher->FetchPage(server.url(QStringLiteral("/c/1.html"))),
             QStringLiteral("<meta charset=gbk>你好"));
}

void TestFetchPage::httpsVerifiesCertificates()
{
    LoopbackServer server(LoopbackServer::Scheme::Https);
    server.setResponse(QStringLiteral("/c/1.html"), LoopbackResponse::page("secret"));

    QCOMPARE(m_fetcher->FetchPage(server.url(QStringLiteral("/c/1.html"))), QString());
}

QTEST_GUILESS_MAIN(TestFetchPage)
#include "tst_fetchpage.moc"
