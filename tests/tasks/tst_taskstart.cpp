#include "fakepagefetcher.h"
#include "loopbackserver.h"
#include "taskparts.h"
#include "testfiles.h"
#include "web/httppagefetcher.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace std::chrono_literals;

namespace {

const QString crlf = QStringLiteral("\r\n");

// A chapter of `pages` pages whose last page links back to the first; each page's comic image is
// wrapped in the link to the next one.
void serveChapter(LoopbackServer &server, const QString &prefix, int pages)
{
    for (int page = 1; page <= pages; ++page) {
        const QString body = QStringLiteral("<html><head><title>t</title></head><body><a href=\"/%1/%2.html\">"
                                            "<img src=\"/%1/p%3.jpg\"></a></body></html>")
                                 .arg(prefix)
                                 .arg(page == pages ? 1 : page + 1)
                                 .arg(page);
        server.setResponse(QStringLiteral("/%1/%2.html").arg(prefix).arg(page),
                           LoopbackResponse::page(body.toLatin1()));
    }
}

struct HttpTaskParts : TaskParts<HttpPageFetcher>
{
    HttpTaskParts() { fetcher.setTimeLimit(5s); }
};

// A fake page per address: a one-page chapter with one image.
void fakeChapter(FakePageFetcher &fetcher, const QString &address, const QString &image)
{
    fetcher.setPage(address, QStringLiteral("<img src=\"%1\">").arg(image));
}

} // namespace

class TestTaskStart final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listOnlyChapterOverHttp_data()
    {
        QTest::addColumn<int>("autoOpen");
        QTest::addColumn<bool>("shutdown");
        QTest::addColumn<QStringList>("launched");
        QTest::newRow("open the folder") << 1 << false << QStringList{QStringLiteral("folder")};
        QTest::newRow("indeterminate does not open") << 2 << false << QStringList{};
        QTest::newRow("off, shutdown box checked") << 0 << true << QStringList{QStringLiteral("shutdown")};
    }
    void listOnlyChapterOverHttp()
    {
        QFETCH(int, autoOpen);
        QFETCH(bool, shutdown);
        QFETCH(QStringList, launched);
        LoopbackServer server;
        serveChapter(server, QStringLiteral("c"), 3);
        HttpTaskParts parts;
        parts.settings.setAutoOpen(autoOpen);
        parts.flags.shutdownWhenDone = shutdown;
        const qint16 index = parts.addTask(QStringLiteral("海贼王: 第1话?"), server.url(QStringLiteral("/c/1.html")));
        parts.actions.select(index);

        parts.actions.startSelected();

        const QString folder = parts.download() + QStringLiteral("/海贼王 第1话-");
        const QString listText = server.url(QStringLiteral("/c/p1.jpg")) + crlf + server.url(QStringLiteral("/c/p2.jpg")) +
                                 crlf + server.url(QStringLiteral("/c/p3.jpg")) + crlf;
        QCOMPARE(readBytes(folder + QStringLiteral("/Down.lst")), (listText + crlf).toLatin1());
        QCOMPARE(parts.listTexts, QStringList{listText});
        QCOMPARE(parts.messages.shown.size(), 1);
        QCOMPARE(parts.messages.shown.first().text,
                 QStringLiteral("文件列表存放于:\r\n") + folder + QStringLiteral("/Down.lst\r\n如需要自动下载,请进入设置中设置."));
        QCOMPARE(parts.messages.shown.first().title, QStringLiteral("Tavrin漫画下载器"));
        QCOMPARE(parts.messages.shown.first().buttons, MessageBox::Buttons::Ok);
        QCOMPARE(parts.messages.shown.first().icon, MessageBox::Icon::Information);
        const QStringList states = parts.board.task(index).states;
        QCOMPARE(states.first(), QStringLiteral("获取地址中..."));
        QCOMPARE(states.last(), QStringLiteral("列表获取完毕"));
        QStringList expectedCalls;
        for (const QString &call : launched)
            expectedCalls << (call == u"folder" ? QStringLiteral("folder:") + folder : call);
        QCOMPARE(parts.launcher.calls, expectedCalls);
        QVERIFY(parts.downloader.started.isEmpty());
        QVERIFY(parts.runner.isIdle());
    }

    void downloadModeHandsTheListOver()
    {
        TaskParts<FakePageFetcher> parts;
        parts.mode.setDownMode(true);
        fakeChapter(parts.fetcher, QStringLiteral("http://a/1"), QStringLiteral("http://a/1.jpg"));
        const qint16 index = parts.addTask(QStringLiteral("t"), QStringLiteral("http://a/1"));
        parts.actions.select(index);
        parts.actions.startSelected();
        QCOMPARE(parts.downloader.started.size(), 1);
        QCOMPARE(parts.downloader.started.first().task, index);
        QCOMPARE(parts.downloader.started.first().listText, QStringLiteral("http://a/1.jpg\r\n"));
        QCOMPARE(parts.downloader.started.first().folderPath, parts.download() + QStringLiteral("/t"));
        // The page each image was found on goes along for its Referer.
        QCOMPARE(parts.downloader.started.first().imagePages, QStringList{QStringLiteral("http://a/1")});
        QVERIFY(parts.messages.shown.isEmpty());
        QCOMPARE(parts.runner.activeTask(), std::optional<qint16>(index));
        parts.downloader.end();
        QVERIFY(parts.runner.isIdle());
    }

    void savedListDownloadsInListOnlyMode()
    {
        TaskParts<FakePageFetcher> parts;
        const QString folder = parts.download() + QStringLiteral("/第1话");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeBytes(folder + QStringLiteral("/down.lst"), "http://a/1.jpg\r\n\r\nhttp://a/2.jpg\r\n\r\n"));
        const qint16 index = parts.addTask(QStringLiteral("第1话"), QStringLiteral("列表"));
        parts.actions.select(index);
        parts.actions.startSelected();
        QVERIFY(parts.fetcher.fetched.isEmpty());
        QCOMPARE(parts.downloader.started.size(), 1);
        QCOMPARE(parts.downloader.started.first().listText, QStringLiteral("http://a/1.jpg\r\n\r\nhttp://a/2.jpg\r\n"));
        QCOMPARE(parts.downloader.started.first().folderPath, folder);
        QVERIFY(parts.downloader.started.first().imagePages.isEmpty());
        // Rewritten with the same content, under the spelling it had.
        QCOMPARE(readBytes(folder + QStringLiteral("/down.lst")), QByteArray("http://a/1.jpg\r\n\r\nhttp://a/2.jpg\r\n\r\n"));
        QVERIFY(parts.board.task(index).states.isEmpty()); // the downloader reports from here on
    }

    void nothingToSave_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("lastState");
        QTest::newRow("every fetch failed") << "http://a/none" << "下载失败......";
        QTest::newRow("saved list without a file") << "列表" << "就绪";
    }
    void nothingToSave()
    {
        QFETCH(QString, url);
        QFETCH(QString, lastState);
        TaskParts<FakePageFetcher> parts;
        parts.settings.setReset(1);
        const qint16 index = parts.addTask(QStringLiteral("t"), url);
        parts.actions.select(index);
        parts.actions.startSelected();
        QCOMPARE(parts.board.task(index).state, lastState);
        QVERIFY(QFile::exists(parts.download()));
        QVERIFY(!QFile::exists(parts.download() + QStringLiteral("/t/Down.lst")));
        QVERIFY(parts.messages.shown.isEmpty());
        QVERIFY(parts.downloader.started.isEmpty());
        QVERIFY(parts.runner.isIdle());
    }

    void titleOfRemovedCharactersWritesIntoDownload()
    {
        TaskParts<FakePageFetcher> parts;
        fakeChapter(parts.fetcher, QStringLiteral("http://a/1"), QStringLiteral("http://a/1.jpg"));
        parts.actions.select(parts.addTask(QStringLiteral(":/"), QStringLiteral("http://a/1")));
        parts.actions.startSelected();
        QCOMPARE(readBytes(parts.download() + QStringLiteral("/Down.lst")), QByteArray("http://a/1.jpg\r\n\r\n"));
    }

    void dotsStayInsideDownload()
    {
        TaskParts<FakePageFetcher> parts;
        fakeChapter(parts.fetcher, QStringLiteral("http://a/1"), QStringLiteral("http://a/1.jpg"));
        parts.actions.select(parts.addTask(QStringLiteral(".."), QStringLiteral("http://a/1")));
        parts.actions.startSelected();
        QVERIFY(QFile::exists(parts.download() + QStringLiteral("/--/Down.lst")));
        QVERIFY(!QFile::exists(parts.appFolder.filePath(QStringLiteral("Down.lst"))));
    }

    void folderThatCannotBeMadeFailsVisibly()
    {
        TaskParts<FakePageFetcher> parts;
        fakeChapter(parts.fetcher, QStringLiteral("http://a/1"), QStringLiteral("http://a/1.jpg"));
        // A file where the task folder should go: no folder can take its name, even for root.
        QVERIFY(writeBytes(parts.download() + QStringLiteral("/t"), "x"));
        const qint16 index = parts.addTask(QStringLiteral("t"), QStringLiteral("http://a/1"));
        parts.actions.select(index);
        parts.actions.startSelected();
        QCOMPARE(parts.board.task(index).state, QStringLiteral("无法创建任务文件夹"));
        QVERIFY(parts.status.text().startsWith(QStringLiteral("无法创建任务文件夹: ")));
        QVERIFY(parts.fetcher.fetched.isEmpty());
        QVERIFY(parts.messages.shown.isEmpty());
    }

    void unwritableListFailsVisibly()
    {
        TaskParts<FakePageFetcher> parts;
        fakeChapter(parts.fetcher, QStringLiteral("http://a/1"), QStringLiteral("http://a/1.jpg"));
        // A folder where the list file should go: no file can take its name.
        QVERIFY(QDir().mkpath(parts.download() + QStringLiteral("/t/Down.lst")));
        const qint16 index = parts.addTask(QStringLiteral("t"), QStringLiteral("http://a/1"));
        parts.actions.select(index);
        parts.actions.startSelected();
        QCOMPARE(parts.board.task(index).state, QStringLiteral("无法保存图片列表"));
        QVERIFY(parts.status.text().startsWith(QStringLiteral("无法保存图片列表: ")));
        QVERIFY(parts.messages.shown.isEmpty());
        QVERIFY(parts.downloader.started.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTaskStart)
#include "tst_taskstart.moc"
