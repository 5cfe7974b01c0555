#include "app/settings.h"
#include "fakeboard.h"
#include "fakepagefetcher.h"
#include "loopbackserver.h"
#include "recordingstatusline.h"
#include "recordingwindowlock.h"
#include "tasks/newtaskaddress.h"
#include "tasks/taskcreation.h"
#include "web/httppagefetcher.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

struct CreationRig
{
    FakePageFetcher fetcher;
    FakeBoard board;
    RecordingStatusLine status;
    RecordingWindowLock lock;
    Settings settings;
    TaskCreation creation{fetcher, board, status, lock, settings};
};

} // namespace

class TestTaskCreation final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clipboardPickUp_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("expected"); // empty: the box stays
        QTest::newRow("address into the default box")
            << "http://comic.example/1.html" << "http://" << "http://comic.example/1.html";
        QTest::newRow("https too: it starts with http") << "https://c.example/" << "http://" << "https://c.example/";
        QTest::newRow("upper-case HTTP is not taken") << "HTTP://comic.example/" << "http://" << "";
        QTest::newRow("another address is kept") << "http://new.example/" << "http://old.example/" << "";
        QTest::newRow("default box with a blank") << "http://new.example/" << "http:// " << "";
        QTest::newRow("plain text") << "hello" << "http://" << "";
        QTest::newRow("empty clipboard") << "" << "http://" << "";
    }
    void clipboardPickUp()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, box);
        QFETCH(QString, expected);
        QCOMPARE(::clipboardPickUp(clipboard, box).value_or(QString()), expected);
    }

    void completion_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("fetched");
        QTest::newRow("complete") << "http://a.example/1" << "http://a.example/1";
        QTest::newRow("secure kept") << "https://a.example/1" << "https://a.example/1";
        QTest::newRow("no scheme") << "a.example/1" << "http://a.example/1";
        QTest::newRow("empty box") << "" << "http://";
        QTest::newRow("upper-case scheme gets the prefix") << "HTTP://a.example/" << "http://HTTP://a.example/";
        QTest::newRow("ftp gets the prefix") << "ftp://a.example/" << "http://ftp://a.example/";
    }
    void completion()
    {
        QFETCH(QString, box);
        QFETCH(QString, fetched);
        QCOMPARE(completeTaskAddress(box), fetched);
    }

    void title_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "<html><title>第1话</title></html>" << "第1话";
        QTest::newRow("ends in a blank") << "<title>Chapter 1 </title>" << "Chapter 1 ";
        QTest::newRow("line breaks and entities kept") << "<title>\r\nA &amp; B\r\n</title>" << "\r\nA &amp; B\r\n";
        QTest::newRow("attributes: 7 characters skipped") << "<title lang=\"zh\">X</title>" << "lang=\"zh\">X";
        QTest::newRow("upper-case tag not found") << "<TITLE>X</TITLE>" << "Cannot get the title";
        QTest::newRow("no closing tag") << "<title>X" << "Cannot get the title";
        QTest::newRow("empty page") << "" << "Cannot get the title";
        QTest::newRow("closing tag inside the opening one") << "<title</title>" << "Cannot get the title";
        QTest::newRow("closing tag right after the opening") << "<title></title>" << "";
        QTest::newRow("closing before opening") << "</title><title>" << "Cannot get the title";
    }
    void title()
    {
        QFETCH(QString, page);
        QFETCH(QString, title);
        QCOMPARE(ExtractTitle(page), title);
    }

    void retriesThenAddsUntitled_data()
    {
        QTest::addColumn<int>("reset");
        QTest::addColumn<int>("fetches");
        QTest::newRow("reset 5") << 5 << 6;
        QTest::newRow("reset 1") << 1 << 2;
        QTest::newRow("reset 0: no retry") << 0 << 1;
        QTest::newRow("reset below 0: no retry") << -3 << 1;
    }
    void retriesThenAddsUntitled()
    {
        QFETCH(int, reset);
        QFETCH(int, fetches);
        CreationRig rig;
        rig.settings.setReset(qint16(reset));
        rig.fetcher.duringFetch = [&](const QString &) { QVERIFY(rig.lock.locked()); };
        QString box = QStringLiteral("unreachable.example/1.html");

        const std::optional<qint16> index = rig.creation.create(box);

        QVERIFY(index);
        QCOMPARE(box, QStringLiteral("http://unreachable.example/1.html"));
        QCOMPARE(rig.fetcher.fetched, QStringList(fetches, box));
        QStringList labels{QStringLiteral("获取标题中...")};
        for (int i = 1; i < fetches; ++i)
            labels << QStringLiteral("第%1次失败，重试...").arg(i);
        labels << QStringLiteral("就绪");
        QCOMPARE(rig.status.texts, labels);
        QVERIFY(!rig.lock.locked());
        QCOMPARE(rig.board.task(*index).title, QStringLiteral("Cannot get the title"));
        QCOMPARE(rig.board.task(*index).url, box);
        QCOMPARE(rig.board.task(*index).state, QStringLiteral("就绪"));
        QCOMPARE(rig.board.task(*index).progress, 0.0);
    }

    void secondAttemptGivesTheTitle()
    {
        CreationRig rig;
        QString box = QStringLiteral("http://a.example/1.html");
        rig.fetcher.setAnswers(box, {QString(), QStringLiteral("<title>第2话 </title>")});
        const std::optional<qint16> index = rig.creation.create(box);
        QCOMPARE(rig.fetcher.fetched.size(), 2);
        QCOMPARE(rig.board.task(*index).title, QStringLiteral("第2话 "));
        QVERIFY(!rig.lock.locked());
    }

    void titleOverHttp()
    {
        LoopbackServer server;
        server.setResponse(QStringLiteral("/c/1.html"),
                           LoopbackResponse::page(QByteArray("<html><head><meta charset=gbk><title>") +
                                                  QByteArray::fromHex("b5da31bbb0") + "</title></head></html>"));
        HttpPageFetcher fetcher;
        fetcher.setTimeLimit(5s);
        FakeBoard board;
        RecordingStatusLine status;
        RecordingWindowLock lock;
        Settings settings;
        TaskCreation creation(fetcher, board, status, lock, settings);
        QString box = server.url(QStringLiteral("/c/1.html"));
        const std::optional<qint16> index = creation.create(box);
        QVERIFY(index);
        QCOMPARE(board.task(*index).title, QStringLiteral("第1话"));
        QCOMPARE(server.requestCount(QStringLiteral("/c/1.html")), 1);
    }
};

QTEST_GUILESS_MAIN(TestTaskCreation)
#include "tst_taskcreation.moc"
