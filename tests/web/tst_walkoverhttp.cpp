#include "loopbackserver.h"
#include "walkparts.h"
#include "web/httppagefetcher.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

// The test pages are ASCII, which reads the same in the charset they declare.
QByteArray asciiBytes(const QString &text)
{
    return text.toLatin1();
}

struct HttpWalkRig : WalkParts<HttpPageFetcher>
{
    qint16 index = -1;

    HttpWalkRig() { fetcher.setTimeLimit(5s); }

    ImageWalk::Outcome run(const QString &first, QString &result)
    {
        index = board.addTask(QStringLiteral("chapter"), first);
        return runAgain(result);
    }
    // The task started once more, from the address it holds now.
    ImageWalk::Outcome runAgain(QString &result)
    {
        return walk.BuildImageList(board.GetURL(index), index, result);
    }
    QStringList states() const { return board.task(index).states; }
};

void serveChapter(LoopbackServer &server, int pages)
{
    for (int page = 1; page <= pages; ++page) {
        const QString body =
            QStringLiteral("<html><head><meta charset=\"gbk\"><title>page %1</title></head><body>"
                           "<img src=\"/img/logo.png\"><a href=\"/c/%2.html\"><img "
                           "src=\"/p/%1.jpg\"></a></body></html>")
                .arg(page)
                .arg(page == pages ? 1 : page + 1);
        server.setResponse(QStringLiteral("/c/%1.html").arg(page), LoopbackResponse::page(asciiBytes(body)));
    }
}

QString imagesOf(const LoopbackServer &server, const QList<int> &pages)
{
    QString list;
    for (int page : pages)
        list += server.url(QStringLiteral("/p/%1.jpg").arg(page)) + QStringLiteral("\r\n");
    return list;
}

} // namespace

class TestWalkOverHttp final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threePageChapter_data()
    {
        QTest::addColumn<bool>("https");
        QTest::newRow("http") << false;
        QTest::newRow("https") << true;
    }
    void threePageChapter()
    {
        QFETCH(bool, https);
        LoopbackServer server(https ? LoopbackServer::Scheme::Https : LoopbackServer::Scheme::Http);
        QVERIFY(server.isListening());
        serveChapter(server, 3);
        HttpWalkRig rig;
        rig.fetcher.trustCertificate(LoopbackServer::certificate());
        QString result;
        QCOMPARE(rig.run(server.url(QStringLiteral("/c/1.html")), result), ImageWalk::Outcome::Finished);
        const QString expected = server.url(QStringLiteral("/p/1.jpg")) + QStringLiteral("\r\n") +
                                 server.url(QStringLiteral("/p/2.jpg")) + QStringLiteral("\r\n") +
                                 server.url(QStringLiteral("/p/3.jpg")) + QStringLiteral("\r\n");
        QCOMPARE(result, expected);
        for (int page = 1; page <= 3; ++page)
            QCOMPARE(server.requestCount(QStringLiteral("/c/%1.html").arg(page)), 1);
        QCOMPARE(rig.states().last(), QStringLiteral("链接已全部被找到!开始下载..."));
    }

    // Each attempt waits out the (shortened) time limit; the last one gives up.
    void stalledServerIsRetriedThenFails_data()
    {
        QTest::addColumn<int>("reset");
        QTest::addColumn<QStringList>("after");
        const QString failed = QStringLiteral("下载失败......");
        QStringList five;
        for (int attempt = 1; attempt <= 4; ++attempt)
            five.append(QStringLiteral("第%1次失败，重试......").arg(attempt));
        QTest::newRow("5") << 5 << five + QStringList{failed};
        QTest::newRow("3") << 3 << five.mid(0, 2) + QStringList{failed};
        QTest::newRow("1") << 1 << QStringList{failed};
    }
    void stalledServerIsRetriedThenFails()
    {
        QFETCH(int, reset);
        QFETCH(QStringList, after);
        LoopbackServer server;
        server.setResponse(QStringLiteral("/c/1.html"), LoopbackResponse::stall());
        HttpWalkRig rig;
        rig.fetcher.setTimeLimit(200ms);
        rig.settings.setReset(qint16(reset));
        QString result;
        QCOMPARE(rig.run(server.url(QStringLiteral("/c/1.html")), result), ImageWalk::Outcome::Failed);
        QVERIFY(result.isEmpty());
        QCOMPARE(rig.states(), QStringList{QStringLiteral("下载开始,搜寻资源中...")} + after);
        QCOMPARE(server.requestCount(QStringLiteral("/c/1.html")), reset);
    }

    // The pause button is pressed while the walk waits for page 2: that page is still read and
    // its next page chosen, then the walk stops; started again, it goes on from page 3.
    void pauseDuringAFetchAndContinue()
    {
        LoopbackServer server;
        serveChapter(server, 3);
        HttpWalkRig rig;
        connect(&server, &LoopbackServer::requestReceived, this, [&](const LoopbackRequest &request) {
            if (request.target == "/c/2.html")
                rig.flags.pauseFlag = true;
        });
        QString result;
        QCOMPARE(rig.run(server.url(QStringLiteral("/c/1.html")), result), ImageWalk::Outcome::Paused);
        QCOMPARE(result, imagesOf(server, {1, 2}));
        QCOMPARE(rig.states().mid(rig.states().size() - 2),
                 (QStringList{QStringLiteral("寻找成功:当前为第2页"), QStringLiteral("用户暂停...")}));
        QCOMPARE(rig.board.GetURL(rig.index), server.url(QStringLiteral("/c/3.html")));
        QCOMPARE(server.requestCount(QStringLiteral("/c/3.html")), 0);

        server.disconnect(this);
        QString continued;
        QCOMPARE(rig.runAgain(continued), ImageWalk::Outcome::Finished);
        QCOMPARE(continued, imagesOf(server, {1, 2, 3}));
        for (int page = 1; page <= 3; ++page)
            QCOMPARE(server.requestCount(QStringLiteral("/c/%1.html").arg(page)), 1);
        QCOMPARE(rig.states().last(), QStringLiteral("链接已全部被找到!开始下载..."));
    }

    // An error page is a page: it is analysed (nothing on it here), and the walk ends with the
    // images found so far instead of retrying it and dropping them.
    void errorPageEndsTheWalkWithTheImagesSoFar()
    {
        LoopbackServer server;
        serveChapter(server, 3);
        server.setResponse(QStringLiteral("/c/2.html"),
                           LoopbackResponse::withStatus(400, "<html><title>400 Bad Request</title></html>"));
        HttpWalkRig rig;
        QString result;
        QCOMPARE(rig.run(server.url(QStringLiteral("/c/1.html")), result), ImageWalk::Outcome::Finished);
        QCOMPARE(result, imagesOf(server, {1}));
        QCOMPARE(server.requestCount(QStringLiteral("/c/2.html")), 1);
        QCOMPARE(rig.states().last(), QStringLiteral("链接已全部被找到!开始下载..."));
    }

    // Each page is read in the charset it declares: an HZ page is read, not taken for an empty
    // chapter, and a character cut right before the link does not take the link with it.
    void chapterInADeclaredCharset_data()
    {
        QTest::addColumn<QByteArray>("declaration");
        QTest::addColumn<QByteArray>("beforeLink");
        QTest::newRow("hz-gb-2312, ASCII") << QByteArray("<meta charset=hz-gb-2312>") << QByteArray("next");
        QTest::newRow("hz-gb-2312 with GB2312 text")
            << QByteArray("<meta charset=hz-gb-2312>") << QByteArray("~{Dc:C~}");
        // 你 and the lead byte of 好, the description cut in the middle of a character.
        QTest::newRow("big5 with a cut character before the link")
            << QByteArray("<meta charset=big5>") << QByteArray("\xA7\x41\xA6");
        QTest::newRow("big5 with a bad pair before the link")
            << QByteArray("<meta charset=big5>") << QByteArray("\xA1\x91");
    }
    void chapterInADeclaredCharset()
    {
        QFETCH(QByteArray, declaration);
        QFETCH(QByteArray, beforeLink);
        LoopbackServer server;
        for (int page = 1; page <= 2; ++page) {
            const QByteArray next = QByteArray::number(page == 2 ? 1 : 2);
            const QByteArray body = "<html><head>" + declaration + "</head><body>" + beforeLink +
                                    "<a href=\"/c/" + next + ".html\"><img src=\"/p/" +
                                    QByteArray::number(page) + ".jpg\"></a></body></html>";
            server.setResponse(QStringLiteral("/c/%1.html").arg(page), LoopbackResponse::page(body));
        }
        HttpWalkRig rig;
        QString result;
        QCOMPARE(rig.run(server.url(QStringLiteral("/c/1.html")), result), ImageWalk::Outcome::Finished);
        QCOMPARE(result, imagesOf(server, {1, 2}));
        QCOMPARE(server.requestCount(QStringLiteral("/c/2.html")), 1);
    }

    void emptyAnswerIsRetried()
    {
        LoopbackServer server;
        server.setResponses(
            QStringLiteral("/c/1.html"),
            {LoopbackResponse::page(" \r\n"),
             LoopbackResponse::page(asciiBytes(QStringLiteral("<body><img src=\"/p/1.jpg\"></body>")))});
        HttpWalkRig rig;
        QString result;
        QCOMPARE(rig.run(server.url(QStringLiteral("/c/1.html")), result), ImageWalk::Outcome::Finished);
        QCOMPARE(result, server.url(QStringLiteral("/p/1.jpg")) + QStringLiteral("\r\n"));
        QVERIFY(rig.states().contains(QStringLiteral("第1次失败，重试......")));
    }
};

QTEST_GUILESS_MAIN(TestWalkOverHttp)
#include "tst_walkoverhttp.moc"
