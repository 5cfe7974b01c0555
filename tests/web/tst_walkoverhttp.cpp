#include "app/mode.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "fakeboard.h"
#include "loopbackserver.h"
#include "recordingstatusline.h"
#include "scriptedinputbox.h"
#include "web/httppagefetcher.h"
#include "web/imagewalk.h"
#include "web/walkpausestate.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

// The test pages are ASCII, which reads the same in the charset they declare.
QByteArray asciiBytes(const QString &text)
{
    return text.toLatin1();
}

struct HttpWalkRig
{
    HttpPageFetcher fetcher;
    FakeBoard board;
    RecordingStatusLine status;
    ScriptedInputBox input;
    Settings settings;
    Mode mode;
    RunFlags flags;
    WalkPauseState pauseState;
    ImageWalk walk{fetcher, board, status, input, settings, mode, flags, pauseState};
    qint16 index = -1;

    HttpWalkRig()
    {
        mode.setBlockUrl(QStringLiteral("javascript,void,download,class=,src="));
        mode.setBlockImg(QStringLiteral("logo,bar,icons,shadow,avatars"));
        fetcher.setTimeLimit(5s);
    }

    ImageWalk::Outcome run(const QString &first, QString &result)
    {
        index = board.addTask(QStringLiteral("chapter"), first);
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

    void stalledServerIsRetriedThenFails()
    {
        LoopbackServer server;
        server.setResponse(QStringLiteral("/c/1.html"), LoopbackResponse::stall());
        HttpWalkRig rig;
        rig.fetcher.setTimeLimit(200ms);
        rig.settings.setReset(3);
        QString result;
        QCOMPARE(rig.run(server.url(QStringLiteral("/c/1.html")), result), ImageWalk::Outcome::Failed);
        QVERIFY(result.isEmpty());
        QCOMPARE(
            rig.states(),
            (QStringList{QStringLiteral("下载开始,搜寻资源中..."), QStringLiteral("第1次失败，重试......"),
                         QStringLiteral("第2次失败，重试......"), QStringLiteral("下载失败......")}));
        QCOMPARE(server.requestCount(QStringLiteral("/c/1.html")), 3);
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
