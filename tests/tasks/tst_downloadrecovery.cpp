#include "enginerig.h"
#include "testfiles.h"
#include "web/browserheaders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkReply>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(LoopbackResponse)
Q_DECLARE_METATYPE(LoopbackResponse::Framing)

namespace {

const QString started = QStringLiteral("下载开始...");
const QString done = QStringLiteral("下载完成!");
const QString webPage = QStringLiteral("返回的是网页而不是图片");

QString retrying(int failures)
{
    return QStringLiteral("第%1次失败，重试...").arg(failures);
}

QString failedAt(int image, const QString &description)
{
    return QStringLiteral("下载失败出现在第%1张:").arg(image) + description;
}

// When each request reached the server, in ms since the rig was made.
struct RequestClock
{
    QElapsedTimer clock;
    QList<qint64> arrivals;

    explicit RequestClock(LoopbackServer &server)
    {
        clock.start();
        QObject::connect(&server, &LoopbackServer::requestReceived, &server,
                         [this](const LoopbackRequest &) { arrivals.append(clock.elapsed()); });
    }
};

// A JPEG's markers around filler that holds no 0xFF byte, as its compressed data holds none alone.
QByteArray jpegBytes(qint64 size)
{
    QByteArray bytes = imageBytes(size, 9).replace('\xFF', '\x7F');
    bytes.replace(0, 4, "\xFF\xD8\xFF\xE0");
    bytes.replace(size - 2, 2, "\xFF\xD9");
    return bytes;
}

QList<QByteArray> headersOf(const LoopbackServer &server, const QByteArray &name)
{
    QList<QByteArray> values;
    for (const LoopbackRequest &request : server.requests())
        values.append(request.header(name));
    return values;
}

} // namespace

// What keeps a download going on real sites: the Referer they check, retries that continue a
// broken body, error pages that are no image, part files, and the command line's choices.
class TestDownloadRecovery final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refererTheSiteAsks_data()
    {
        QTest::addColumn<bool>("walked");
        QTest::addColumn<bool>("redirected");
        QTest::newRow("walked: the page of each image") << true << false;
        QTest::newRow("saved list: the image's own site") << false << false;
        QTest::newRow("walked, through a redirect") << true << true;
    }
    // Each image answers 403 without the right Referer, as hotlink protection does.
    void refererTheSiteAsks()
    {
        QFETCH(bool, walked);
        QFETCH(bool, redirected);
        EngineRig rig;
        QStringList addresses;
        QStringList pages;
        QList<QByteArray> bodies;
        for (int number = 1; number <= 3; ++number) {
            const QString page = rig.server.url(QStringLiteral("/c/%1.html?from=list#top").arg(number));
            const QByteArray expected = walked ? page.section(u'#', 0, 0).toLatin1()
                                               : rig.server.url(QStringLiteral("/")).toLatin1();
            const QString image = QStringLiteral("/p/%1.jpg").arg(number);
            bodies.append(imageBytes(20000, quint32(number)));
            const QByteArray body = bodies.last();
            rig.server.setHandler(image, [expected, body](const LoopbackRequest &request) {
                if (request.header("Referer") != expected)
                    return LoopbackResponse::withStatus(403, "<html>no hotlinking</html>");
                return imageResponse(body);
            });
            addresses.append(rig.server.url(image));
            pages.append(page);
        }
        if (redirected) {
            rig.server.setResponse(QStringLiteral("/moved/2.jpg"), LoopbackResponse::redirect("/p/2.jpg"));
            addresses[1] = rig.server.url(QStringLiteral("/moved/2.jpg"));
        }

        rig.engine.start(rig.task, listText(addresses), rig.folder.path(), walked ? pages : QStringList());
        QVERIFY(rig.ends());

        QCOMPARE(rig.states(), QStringList({started, done}));
        for (int i = 0; i < 3; ++i)
            QVERIFY(rig.bytes(QStringLiteral("%1.jpg").arg(i + 1)) == bodies[i]);
        QCOMPARE(rig.server.requests().size(), redirected ? 4 : 3);
        for (const QByteArray &agent : headersOf(rig.server, "User-Agent"))
            QCOMPARE(agent, userAgent());
        QVERIFY(userAgent().startsWith("Mozilla/5.0"));
    }

    void brokenBodyIsFetchedAgain_data()
    {
        QTest::addColumn<bool>("ranges");        // the server says "Accept-Ranges: bytes"
        QTest::addColumn<bool>("honoursRanges"); // ... and answers a range with 206
        QTest::addColumn<QList<qint64>>("drops"); // each try but the last breaks off after this many bytes
        QTest::addColumn<QList<QByteArray>>("resumed"); // the Range of each request that asked for one
        QTest::newRow("with ranges: only the rest") << true << true << QList<qint64>{40000}
                                                    << QList<QByteArray>{"bytes=40000-"};
        QTest::newRow("without ranges: all again") << false << false << QList<qint64>{40000} << QList<QByteArray>{};
        // Asked for the rest, the server sends the whole: nothing may be appended to the part.
        QTest::newRow("ranges claimed, whole answer") << true << false << QList<qint64>{40000}
                                                      << QList<QByteArray>{"bytes=40000-"};
        QTest::newRow("with ranges, broken twice") << true << true << QList<qint64>{30000, 25000}
                                                   << QList<QByteArray>{"bytes=30000-", "bytes=55000-"};
        QTest::newRow("with ranges, nothing came") << true << true << QList<qint64>{0} << QList<QByteArray>{};
    }
    void brokenBodyIsFetchedAgain()
    {
        QFETCH(bool, ranges);
        QFETCH(bool, honoursRanges);
        QFETCH(QList<qint64>, drops);
        QFETCH(QList<QByteArray>, resumed);
        EngineRig rig;
        const QByteArray body = imageBytes(100000, 7);
        int tries = 0;
        rig.server.setHandler(QStringLiteral("/p/1.jpg"), [&](const LoopbackRequest &request) {
            const QByteArray range = honoursRanges ? request.header("Range") : QByteArray();
            LoopbackResponse response = ranges ? LoopbackResponse::ranged(body, range) : imageResponse(body);
            if (tries < drops.size())
                response.dropAfter = drops[tries];
            ++tries;
            return response;
        });
        QList<QByteArray> others;
        const QStringList addresses = rig.serveImages(2, 30000, others);

        rig.start(addresses);
        QVERIFY(rig.ends());

        QVERIFY(rig.bytes(QStringLiteral("1.jpg")) == body);
        QVERIFY(rig.bytes(QStringLiteral("2.jpg")) == others[1]);
        QCOMPARE(rig.files(), QStringList({QStringLiteral("1.jpg"), QStringLiteral("2.jpg")}));
        QStringList expectedStates{started};
        for (int n = 1; n <= drops.size(); ++n)
            expectedStates.append(retrying(n));
        expectedStates.append(done);
        QCOMPARE(rig.states(), expectedStates);
        const QList<LoopbackRequest> requests = rig.server.requests();
        QVERIFY(!requests.first().hasHeader("Range"));
        // (Qt itself now and then sends a request again when its connection closes under it.)
        QList<QByteArray> asked;
        for (const LoopbackRequest &request : requests) {
            const QByteArray range = request.header("Range");
            if (request.target == "/p/1.jpg" && !range.isEmpty() && (asked.isEmpty() || asked.last() != range))
                asked.append(range);
        }
        QCOMPARE(asked, resumed);
    }

    void bodyWithoutLengthThatLooksCut_data()
    {
        QTest::addColumn<LoopbackResponse::Framing>("framing");
        QTest::addColumn<QList<qint64>>("drops"); // each try breaks off after this many bytes; -1: whole
        QTest::addColumn<QByteArray>("image");    // the bytes the server has
        QTest::addColumn<QString>("failure");     // empty: the image is kept as the server has it
        const auto untilClose = LoopbackResponse::Framing::UntilClose;
        const QByteArray jpeg = jpegBytes(60000);
        QTest::newRow("until close, cut once, then whole") << untilClose << QList<qint64>{25000, -1} << jpeg << QString();
        QTest::newRow("chunked, cut once, then whole")
            << LoopbackResponse::Framing::Chunked << QList<qint64>{25000, -1} << jpeg << QString();
        // A server that has the picture that way gives it the same twice: it is what there is.
        QTest::newRow("the server's own picture lacks its end")
            << untilClose << QList<qint64>{-1, -1} << jpeg.left(40000) << QString();
        QTest::newRow("cut at a new place each try") << untilClose << QList<qint64>{20000, 30000} << jpeg
                                                     << QStringLiteral("图片不完整:30000字节");
        QTest::newRow("a format that says nothing is kept") << untilClose << QList<qint64>{25000} << imageBytes(60000, 4)
                                                            << QString();
    }
    // Such a body ends where the connection does, also when the server falls over.
    void bodyWithoutLengthThatLooksCut()
    {
        QFETCH(LoopbackResponse::Framing, framing);
        QFETCH(QList<qint64>, drops);
        QFETCH(QByteArray, image);
        QFETCH(QString, failure);
        EngineRig rig;
        rig.settings.setReset(1);
        int tries = 0;
        rig.server.setHandler(QStringLiteral("/p/1.jpg"), [&](const LoopbackRequest &) {
            LoopbackResponse response = imageResponse(image);
            response.framing = framing;
            const qint64 drop = drops.value(tries++, -1);
            if (drop >= 0)
                response.dropAfter = drop;
            return response;
        });
        QList<QByteArray> others;
        const QStringList addresses = rig.serveImages(2, 30000, others);

        rig.start(addresses);
        QVERIFY(rig.ends());

        // (Qt may send a request again on a connection the server closed after a whole answer; such
        // a request takes no drop, as every drop of the table comes before the whole answers.)
        QVERIFY(tries >= drops.size());
        QVERIFY(rig.bytes(QStringLiteral("2.jpg")) == others[1]);
        QStringList expected{started};
        for (int n = 1; n < drops.size(); ++n)
            expected.append(retrying(n));
        if (!failure.isEmpty()) {
            expected << failedAt(0, failure) << done;
            QCOMPARE(rig.states(), expected);
            QCOMPARE(rig.files(), QStringList({QStringLiteral("2.jpg")}));
            return;
        }
        expected << done;
        QCOMPARE(rig.states(), expected);
        QVERIFY(rig.bytes(QStringLiteral("1.jpg")) == image.left(drops.last() >= 0 ? drops.last() : image.size()));
    }

    void serverAsksToWait()
    {
        EngineRig rig;
        RequestClock requests(rig.server);
        const QByteArray body = imageBytes(20000, 1);
        LoopbackResponse busy = LoopbackResponse::withStatus(503, "<html>busy</html>");
        busy.headers.emplaceBack("Retry-After", "1");
        rig.server.setResponses(QStringLiteral("/p/1.jpg"), {busy, imageResponse(body)});

        rig.start({rig.server.url(QStringLiteral("/p/1.jpg"))});
        QVERIFY(rig.ends());

        QCOMPARE(rig.states(), QStringList({started, retrying(1), done}));
        QVERIFY(rig.bytes(QStringLiteral("1.jpg")) == body);
        QCOMPARE(requests.arrivals.size(), 2);
        // The rig's own waits are 10 ms: this one is the server's.
        QVERIFY2(requests.arrivals[1] - requests.arrivals[0] >= 950,
                 qPrintable(QString::number(requests.arrivals[1] - requests.arrivals[0])));
    }

    void triesByStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("reset");
        QTest::addColumn<int>("requests");
        QTest::newRow("503, Reset 1: exactly one retry") << 503 << 1 << 2;
        QTest::newRow("500, Reset 3") << 500 << 3 << 4;
        QTest::newRow("408") << 408 << 1 << 2;
        QTest::newRow("429") << 429 << 2 << 3;
        QTest::newRow("Reset 0 still retries once") << 502 << 0 << 2;
        QTest::newRow("404 is not retried") << 404 << 5 << 1;
        QTest::newRow("403 is not retried") << 403 << 5 << 1;
        QTest::newRow("410 is not retried") << 410 << 5 << 1;
    }
    void triesByStatus()
    {
        QFETCH(int, status);
        QFETCH(int, reset);
        QFETCH(int, requests);
        EngineRig rig;
        rig.settings.setReset(qint16(reset));
        QList<QByteArray> bodies;
        QStringList addresses = rig.serveImages(2, 20000, bodies);
        addresses[0] = rig.serve(1, LoopbackResponse::withStatus(status, "<html>no</html>"));

        rig.start(addresses);
        QVERIFY(rig.ends());

        QStringList expected{started};
        for (int n = 1; n < requests; ++n)
            expected.append(retrying(n));
        expected << failedAt(0, QStringLiteral("HTTP %1").arg(status)) << done;
        QCOMPARE(rig.states(), expected);
        QCOMPARE(rig.server.requestCount(QStringLiteral("/p/1.jpg")), requests);
        QCOMPARE(rig.files(), QStringList({QStringLiteral("2.jpg")}));
    }

    void noAnswerIsTriedAgain_data()
    {
        QTest::addColumn<int>("silentTries");
        QTest::addColumn<bool>("saved");
        QTest::newRow("silent once, then whole") << 1 << true;
        QTest::newRow("silent every time: the task stops") << 99 << false;
    }
    void noAnswerIsTriedAgain()
    {
        QFETCH(int, silentTries);
        QFETCH(bool, saved);
        EngineRig rig;
        rig.settings.setReset(2);
        rig.engine.transfer().setIdleLimit(300ms);
        const QByteArray body = imageBytes(20000, 3);
        int tries = 0;
        rig.server.setHandler(QStringLiteral("/p/1.jpg"), [&](const LoopbackRequest &) {
            return tries++ < silentTries ? LoopbackResponse::stall() : imageResponse(body);
        });
        QList<QByteArray> bodies;
        QStringList addresses = rig.serveImages(2, 20000, bodies);

        rig.start(addresses);
        QVERIFY(rig.ends());

        const QStringList states = rig.states();
        if (saved) {
            QCOMPARE(states, QStringList({started, retrying(1), done}));
            QVERIFY(rig.bytes(QStringLiteral("1.jpg")) == body);
            QCOMPARE(rig.server.requestCount(QStringLiteral("/p/2.jpg")), 1);
        } else {
            QCOMPARE(states.mid(0, 3), QStringList({started, retrying(1), retrying(2)}));
            QCOMPARE(states.size(), 4);
            QVERIFY2(states[3].startsWith(failedAt(0, QString::number(QNetworkReply::TimeoutError) + u':')),
                     qPrintable(states[3]));
            QCOMPARE(tries, 3);
            QCOMPARE(rig.files(), QStringList());
            QCOMPARE(rig.server.requestCount(QStringLiteral("/p/2.jpg")), 0);
        }
    }

    void webPageIsNoImage_data()
    {
        QTest::addColumn<LoopbackResponse>("response");
        QTest::addColumn<bool>("image");
        QTest::newRow("text/html") << LoopbackResponse::page(imageBytes(5000, 1), "text/html") << false;
        QTest::newRow("text/html with a charset")
            << LoopbackResponse::page("<p>login first</p>", "text/html; charset=UTF-8") << false;
        QTest::newRow("doctype as image/jpeg, after blanks")
            << LoopbackResponse::page(" \r\n\t<!doctype html><html><body>blocked</body></html>", "image/jpeg")
            << false;
        QTest::newRow("HTML in capitals, no type") << LoopbackResponse::page("<HTML>404</HTML>", "") << false;
        QTest::newRow("html later in the body")
            << LoopbackResponse::page("GIF89a" + imageBytes(3000, 2) + "<html>", "image/gif") << true;
        QTest::newRow("svg") << LoopbackResponse::page("<svg xmlns=\"http://www.w3.org/2000/svg\"/>", "image/svg+xml")
                             << true;
    }
    void webPageIsNoImage()
    {
        QFETCH(LoopbackResponse, response);
        QFETCH(bool, image);
        EngineRig rig;
        QList<QByteArray> bodies;
        QStringList addresses = rig.serveImages(2, 20000, bodies);
        addresses[0] = rig.serve(1, response);

        rig.start(addresses);
        QVERIFY(rig.ends());

        QCOMPARE(rig.server.requestCount(QStringLiteral("/p/1.jpg")), 1);
        if (image) {
            QCOMPARE(rig.states(), QStringList({started, done}));
            QVERIFY(rig.bytes(QStringLiteral("1.jpg")) == response.body);
            return;
        }
        QCOMPARE(rig.states(), QStringList({started, failedAt(0, webPage), done}));
        QCOMPARE(rig.files(), QStringList({QStringLiteral("2.jpg")}));
    }

    // The image is written under NAME.part and takes its name only once whole; what an earlier
    // run of the list left is cleared at the start, other files stay.
    void partFileUntilWhole()
    {
        EngineRig rig;
        const QByteArray body = imageBytes(200000, 1);
        LoopbackResponse slow = imageResponse(body);
        slow.bytesPerTick = 8192;
        QList<QByteArray> bodies;
        QStringList addresses = rig.serveImages(2, 20000, bodies);
        addresses[0] = rig.serve(1, slow);
        for (const char *left : {"2.jpg.part", "9.jpg.part", "notes.part"})
            QVERIFY(writeBytes(rig.path(QString::fromLatin1(left)), "left over"));

        QList<QStringList> seen;
        rig.board.onProgress = [&](qint16, double progress) {
            if (progress < 50)
                seen.append(rig.files());
        };
        rig.start(addresses);
        QVERIFY(rig.ends());

        QVERIFY(seen.size() > 3);
        for (const QStringList &files : std::as_const(seen))
            QCOMPARE(files, QStringList({QStringLiteral("1.jpg.part"), QStringLiteral("9.jpg.part"),
                                         QStringLiteral("notes.part")}));
        QCOMPARE(rig.files(), QStringList({QStringLiteral("1.jpg"), QStringLiteral("2.jpg"),
                                           QStringLiteral("9.jpg.part"), QStringLiteral("notes.part")}));
        QVERIFY(rig.bytes(QStringLiteral("1.jpg")) == body);
        QVERIFY(rig.bytes(QStringLiteral("2.jpg")) == bodies[1]);
    }

    // An image read whole that then cannot take its name (a folder holds it) fails where it is
    // reported: at the end, before the task is done, and the completion actions stay away.
    void imageThatCannotTakeItsName()
    {
        EngineRig rig;
        QList<QByteArray> bodies;
        const QStringList addresses = rig.serveImages(3, 20000, bodies);
        QVERIFY(QDir().mkpath(rig.path(QStringLiteral("2.jpg/inside"))));

        rig.start(addresses);
        QVERIFY(rig.ends());

        const QStringList states = rig.states();
        QCOMPARE(states.size(), 3);
        QVERIFY2(states[1].startsWith(failedAt(1, QStringLiteral("写入文件失败:"))), qPrintable(states[1]));
        QCOMPARE(states[2], done);
        QCOMPARE(rig.files(), QStringList({QStringLiteral("1.jpg"), QStringLiteral("3.jpg")}));
        QVERIFY(rig.bytes(QStringLiteral("3.jpg")) == bodies[2]);
        QCOMPARE(rig.launcher.calls, QStringList());
    }

    void keepExistingImages_data()
    {
        QTest::addColumn<QList<int>>("present"); // images already in the folder (from 1)
        QTest::newRow("first and third") << QList<int>{1, 3};
        QTest::newRow("the last") << QList<int>{4};
        QTest::newRow("all") << QList<int>{1, 2, 3, 4};
    }
    void keepExistingImages()
    {
        QFETCH(QList<int>, present);
        EngineRig rig;
        rig.engine.setOptions({true, 0ms});
        QList<QByteArray> bodies;
        const QStringList addresses = rig.serveImages(4, 20000, bodies);
        for (int number : present)
            QVERIFY(writeBytes(rig.path(QStringLiteral("%1.jpg").arg(number)), "kept " + QByteArray::number(number)));

        rig.start(addresses);
        QVERIFY(rig.ends());

        QCOMPARE(rig.states(), QStringList({started, done}));
        for (int number = 1; number <= 4; ++number) {
            const QString name = QStringLiteral("%1.jpg").arg(number);
            const bool kept = present.contains(number);
            QCOMPARE(rig.server.requestCount(QStringLiteral("/p/") + name), kept ? 0 : 1);
            QVERIFY(rig.bytes(name) == (kept ? "kept " + QByteArray::number(number) : bodies[number - 1]));
        }
        QCOMPARE(rig.board.task(rig.task).progress, 100.0);
        QCOMPARE(rig.board.task(rig.task).progresses.count(100.0), 1);
        QCOMPARE(rig.launcher.calls, QStringList({QStringLiteral("folder:") + rig.folder.path()}));
    }

    void waitBetweenImages()
    {
        EngineRig rig;
        RequestClock requests(rig.server);
        rig.engine.setOptions({false, 300ms});
        QList<QByteArray> bodies;
        rig.start(rig.serveImages(3, 5000, bodies));
        QVERIFY(rig.ends());
        QCOMPARE(rig.files().size(), 3);
        QCOMPARE(requests.arrivals.size(), 3);
        for (int i = 1; i < 3; ++i) {
            const qint64 gap = requests.arrivals[i] - requests.arrivals[i - 1];
            QVERIFY2(gap >= 290, qPrintable(QString::number(gap)));
        }
    }

    void retryWaitEndsAtOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("task removed") << QStringLiteral("removed");
        QTest::newRow("engine aborted") << QStringLiteral("aborted");
        QTest::newRow("engine deleted") << QStringLiteral("deleted");
    }
    // A half image waits for its retry; it must not outlive its task, its engine or its part file.
    void retryWaitEndsAtOnce()
    {
        QFETCH(QString, how);
        EngineRig rig;
        auto *engine = new DownloadEngine(rig.board, rig.status, rig.launcher, rig.settings, rig.flags);
        QPointer<DownloadEngine> watch(engine);
        QSignalSpy ended(engine, &ImageDownloader::taskEnded);
        engine->setRetryBase(60s);
        LoopbackResponse broken = LoopbackResponse::ranged(imageBytes(50000, 1), {});
        broken.dropAfter = 20000;
        const QStringList addresses = {rig.serve(1, broken), rig.serve(2, imageResponse(imageBytes(1000, 2)))};

        QObject context;
        QElapsedTimer waited;
        rig.board.onChangeState = [&](qint16, const QString &state) {
            if (state != retrying(1))
                return;
            waited.start();
            QTimer::singleShot(100ms, &context, [&] {
                if (how == u"removed") {
                    rig.board.Remove(rig.task);
                    engine->taskRemoved(rig.task);
                } else if (how == u"aborted") {
                    engine->abort();
                } else {
                    delete engine;
                }
            });
        };
        engine->start(rig.task, listText(addresses), rig.folder.path());
        QTRY_VERIFY(waited.isValid());
        QTRY_VERIFY_WITH_TIMEOUT(!watch || !engine->isBusy(), 5000);
        QVERIFY2(waited.elapsed() < 5000, qPrintable(QString::number(waited.elapsed())));
        QTest::qWait(200);

        QCOMPARE(rig.files(), QStringList());
        QCOMPARE(rig.server.requests().size(), 1);
        if (how == u"removed")
            QCOMPARE(ended.size(), 1);
        delete watch.data();
    }
};

QTEST_GUILESS_MAIN(TestDownloadRecovery)
#include "tst_downloadrecovery.moc"
