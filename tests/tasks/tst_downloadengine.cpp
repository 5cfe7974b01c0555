#include "closedport.h"
#include "enginerig.h"
#include "tasks/runcontrols.h"
#include "testfiles.h"

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkReply>
#include <QPointer>
#include <QRegularExpression>

#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(LoopbackResponse)

namespace {

const QString started = QStringLiteral("下载开始...");
const QString done = QStringLiteral("下载完成!");
const QString paused = QStringLiteral("用户暂停...");
const QString nap = QStringLiteral("睡大觉中...");

QString failedAt(int image, const QString &description)
{
    return QStringLiteral("下载失败出现在第%1张:").arg(image) + description;
}

QStringList numberedNames(int count, int digits)
{
    QStringList names;
    for (int number = 1; number <= count; ++number)
        names.append(QStringLiteral("%1.jpg").arg(number, digits, 10, QLatin1Char('0')));
    return names;
}

LoopbackResponse slowImage(const QByteArray &body)
{
    LoopbackResponse response = imageResponse(body);
    response.bytesPerTick = 8192;
    response.tick = 10ms;
    return response;
}

} // namespace

class TestDownloadEngine final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbersAndSavesEveryImage_data();
    void numbersAndSavesEveryImage();
    void readsWholeBodyWhateverItsFraming_data();
    void readsWholeBodyWhateverItsFraming();
    void failedImageIsReportedAndSkipped_data();
    void failedImageIsReportedAndSkipped();
    void lastImageFailing();
    void longRunOfFailingLines();
    void requestFailureStopsTheTask_data();
    void requestFailureStopsTheTask();
    void completionActions_data();
    void completionActions();
    void speedOnBarAndStatusLine();
    void pauseAndContinue_data();
    void pauseAndContinue();
    void removedTaskStopsAtOnce_data();
    void removedTaskStopsAtOnce();
    void nextTaskStartsAfterRemoval_data();
    void nextTaskStartsAfterRemoval();
    void abortLeavesNoPartialFile_data();
    void abortLeavesNoPartialFile();
    void engineDeletedMidImage_data();
    void engineDeletedMidImage();
    void olderLongerFileIsReplaced();
};

void TestDownloadEngine::numbersAndSavesEveryImage_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("digits");
    QTest::newRow("1 image") << 1 << 1;
    QTest::newRow("10 images") << 10 << 2;
    QTest::newRow("100 images") << 100 << 3;
}

void TestDownloadEngine::numbersAndSavesEveryImage()
{
    QFETCH(int, count);
    QFETCH(int, digits);
    EngineRig rig;
    QList<QByteArray> bodies;
    const QStringList addresses = rig.serveImages(count, 25000, bodies);
    const QStringList names = numberedNames(count, digits);
    // 100 may be shown only once the last image is whole on disk.
    qint64 lastSizeAtHundred = -1;
    rig.board.onProgress = [&](qint16, double progress) {
        if (progress >= 100 && lastSizeAtHundred < 0)
            lastSizeAtHundred = QFileInfo(rig.path(names.last())).size();
    };

    rig.start(addresses);
    QVERIFY(rig.ends());

    QCOMPARE(rig.files(), names);
    for (int i = 0; i < count; ++i)
        QVERIFY2(rig.bytes(names[i]) == bodies[i], qPrintable(names[i]));
    QCOMPARE(rig.states(), QStringList({started, done}));
    const QList<double> progress = rig.board.task(rig.task).progresses;
    QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()));
    QCOMPARE(progress.last(), 100.0);
    QCOMPARE(progress.count(100.0), 1);
    QCOMPARE(lastSizeAtHundred, 25000);
    QCOMPARE(rig.launcher.calls, QStringList({QStringLiteral("folder:") + rig.folder.path()}));
    QCOMPARE(rig.ended.size(), 1);
    QCOMPARE(rig.ended.first().first().value<qint16>(), rig.task);
    QVERIFY(!rig.engine.isBusy());
    QCOMPARE(rig.server.requests().size(), count);
    QCOMPARE(rig.server.connectionCount(), 1);
}

void TestDownloadEngine::readsWholeBodyWhateverItsFraming_data()
{
    QTest::addColumn<LoopbackResponse>("response");
    const QByteArray body = imageBytes(60000, 2);
    LoopbackResponse chunked = imageResponse(body);
    chunked.framing = LoopbackResponse::Framing::Chunked;
    QTest::newRow("chunked") << chunked;
    LoopbackResponse untilClose = imageResponse(body);
    untilClose.framing = LoopbackResponse::Framing::UntilClose;
    QTest::newRow("no length, ends with the connection") << untilClose;
    LoopbackResponse noNumber = imageResponse(body);
    noNumber.framing = LoopbackResponse::Framing::Chunked;
    noNumber.headers.append(std::pair<QByteArray, QByteArray>("Content-Length", "unknown"));
    QTest::newRow("length that is no number") << noNumber;
    QTest::newRow("slow") << slowImage(body);
    QTest::newRow("redirected") << LoopbackResponse::redirect("/elsewhere/2.jpg");
}

void TestDownloadEngine::readsWholeBodyWhateverItsFraming()
{
    QFETCH(LoopbackResponse, response);
    EngineRig rig;
    QList<QByteArray> bodies;
    QStringList addresses = rig.serveImages(3, 30000, bodies);
    bodies[1] = imageBytes(60000, 2);
    addresses[1] = rig.serve(2, response);
    rig.server.setResponse(QStringLiteral("/elsewhere/2.jpg"), imageResponse(bodies[1]));

    rig.start(addresses);
    QVERIFY(rig.ends());

    QCOMPARE(rig.files(), numberedNames(3, 1));
    for (int i = 0; i < 3; ++i)
        QVERIFY(rig.bytes(numberedNames(3, 1)[i]) == bodies[i]);
    QCOMPARE(rig.states(), QStringList({started, done}));
    const QList<double> progress = rig.board.task(rig.task).progresses;
    QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()));
    QCOMPARE(progress.count(100.0), 1);
}

void TestDownloadEngine::failedImageIsReportedAndSkipped_data()
{
    QTest::addColumn<LoopbackResponse>("response");
    QTest::addColumn<QString>("line"); // replaces the image's address when not empty
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("description"); // its beginning; the rest comes from the platform
    QTest::addColumn<bool>("retried");        // tried once more first (Reset is 1)

    const QByteArray body = imageBytes(40000, 2);
    QTest::newRow("not found") << LoopbackResponse::withStatus(404, "<html>no such image</html>") << QString()
                               << false << QStringLiteral("HTTP 404") << false;
    QTest::newRow("server error") << LoopbackResponse::withStatus(500, "<html>oops</html>") << QString()
                                  << false << QStringLiteral("HTTP 500") << true;
    QTest::newRow("redirect out of the web") << LoopbackResponse::redirect("ftp://127.0.0.1/2.jpg")
                                             << QString() << false << QStringLiteral("HTTP 302") << false;
    LoopbackResponse shorter = imageResponse(body);
    shorter.contentLength = body.size() + 10000;
    QTest::newRow("body shorter than announced") << shorter << QString() << false << QString() << true;
    LoopbackResponse dropped = imageResponse(body);
    dropped.dropAfter = 15000;
    QTest::newRow("connection dropped") << dropped << QString() << false << QString() << true;
    LoopbackResponse stalled = imageResponse(body);
    stalled.stallAfter = 15000;
    QTest::newRow("body stalls") << stalled << QString() << false << QStringLiteral("0.3秒内没有收到数据") << true;
    QTest::newRow("ftp line") << imageResponse(body) << QStringLiteral("ftp://127.0.0.1/p/2.jpg") << false
                              << QStringLiteral("不是http或https地址") << false;
    QTest::newRow("empty line") << imageResponse(body) << QStringLiteral(" ") << false
                                << QStringLiteral("不是http或https地址") << false;
    QTest::newRow("script line") << imageResponse(body) << QStringLiteral("javascript:alert('.jpg')") << false
                                 << QStringLiteral("不是http或https地址") << false;
    QTest::newRow("full disk") << imageResponse(body) << QString() << true << QStringLiteral("写入文件失败:") << false;
}

void TestDownloadEngine::failedImageIsReportedAndSkipped()
{
    QFETCH(LoopbackResponse, response);
    QFETCH(QString, line);
    QFETCH(bool, fullDisk);
    QFETCH(QString, description);
    QFETCH(bool, retried);
    EngineRig rig;
    rig.settings.setReset(1);
    rig.engine.transfer().setIdleLimit(300ms);
    QList<QByteArray> bodies;
    QStringList addresses = rig.serveImages(3, 30000, bodies);
    addresses[1] = rig.serve(2, response);
    if (!line.isEmpty())
        addresses[1] = line.trimmed();
    if (fullDisk) {
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full to stand for a full disk");
        // Once the start has cleared what earlier runs left, the second image's part file is
        // made a full disk.
        rig.board.onProgress = [&rig, planted = false](qint16, double) mutable {
            if (!planted)
                planted = QFile::link(QStringLiteral("/dev/full"), rig.path(QStringLiteral("2.jpg.part")));
        };
    }

    rig.start(addresses);
    QVERIFY(rig.ends());

    QStringList states = rig.states();
    if (retried)
        QCOMPARE(states.takeAt(1), QStringLiteral("第1次失败，重试..."));
    QCOMPARE(states.size(), 3);
    QCOMPARE(states[0], started);
    QVERIFY2(states[1].startsWith(failedAt(1, description)), qPrintable(states[1]));
    QVERIFY2(states[1].size() > failedAt(1, QString()).size(), "the failure needs a description");
    QCOMPARE(states[2], done);
    QCOMPARE(rig.server.requestCount(QStringLiteral("/p/2.jpg")), line.isEmpty() ? 1 + int(retried) : 0);
    // Only whole images stay; the others go on.
    QCOMPARE(rig.files(), QStringList({QStringLiteral("1.jpg"), QStringLiteral("3.jpg")}));
    QVERIFY(rig.bytes(QStringLiteral("1.jpg")) == bodies[0]);
    QVERIFY(rig.bytes(QStringLiteral("3.jpg")) == bodies[2]);
    QCOMPARE(rig.launcher.calls, QStringList({QStringLiteral("folder:") + rig.folder.path()}));
    QCOMPARE(rig.board.task(rig.task).progress, 100.0);
    QVERIFY(!rig.engine.isBusy());
}

void TestDownloadEngine::lastImageFailing()
{
    EngineRig rig;
    rig.flags.shutdownWhenDone = true;
    QList<QByteArray> bodies;
    QStringList addresses = rig.serveImages(3, 30000, bodies);
    addresses[2] = rig.serve(3, LoopbackResponse::withStatus(404, "gone"));

    rig.start(addresses);
    QVERIFY(rig.ends());

    QCOMPARE(rig.states(), QStringList({started, failedAt(2, QStringLiteral("HTTP 404")), done}));
    QCOMPARE(rig.files(), QStringList({QStringLiteral("1.jpg"), QStringLiteral("2.jpg")}));
    QCOMPARE(rig.launcher.calls, QStringList());
}

// Every line fails at once: each is reported in turn and the task still ends.
void TestDownloadEngine::longRunOfFailingLines()
{
    EngineRig rig;
    const QStringList addresses(20000, QStringLiteral("mailto:someone@example.com"));
    rig.start(addresses);
    QVERIFY(rig.ends());
    const QStringList states = rig.states();
    QCOMPARE(states.size(), 20002);
    QCOMPARE(states[1], failedAt(0, QStringLiteral("不是http或https地址")));
    QCOMPARE(states[20000], failedAt(19999, QStringLiteral("不是http或https地址")));
    QCOMPARE(states.last(), done);
    QCOMPARE(rig.files(), QStringList());
    QCOMPARE(rig.launcher.calls, QStringList());
}

void TestDownloadEngine::requestFailureStopsTheTask_data()
{
    QTest::addColumn<bool>("silentServer");
    QTest::addColumn<int>("code");
    QTest::newRow("nobody listening") << false << int(QNetworkReply::ConnectionRefusedError);
    QTest::newRow("server never answers") << true << int(QNetworkReply::TimeoutError);
}

void TestDownloadEngine::requestFailureStopsTheTask()
{
    QFETCH(bool, silentServer);
    QFETCH(int, code);
    EngineRig rig;
    rig.settings.setReset(1);
    rig.engine.transfer().setIdleLimit(300ms);
    rig.flags.shutdownWhenDone = true;
    QList<QByteArray> bodies;
    QStringList addresses = rig.serveImages(10, 20000, bodies);
    addresses[2] = silentServer ? rig.serve(3, LoopbackResponse::stall())
                                : QStringLiteral("http://127.0.0.1:%1/p/3.jpg").arg(closedPort());

    rig.start(addresses);
    QVERIFY(rig.ends());

    // Tried once more, then the task stops.
    const QStringList states = rig.states();
    QCOMPARE(states.size(), 3);
    QCOMPARE(states[1], QStringLiteral("第1次失败，重试..."));
    QVERIFY2(states[2].startsWith(failedAt(2, QString::number(code) + QLatin1Char(':'))), qPrintable(states[2]));
    QVERIFY(states[2].size() > failedAt(2, QString::number(code) + QLatin1Char(':')).size());
    QCOMPARE(rig.engine.state().currentImage, 2);
    QCOMPARE(rig.files(), QStringList({QStringLiteral("01.jpg"), QStringLiteral("02.jpg")}));
    for (int number = 4; number <= 10; ++number)
        QCOMPARE(rig.server.requestCount(QStringLiteral("/p/%1.jpg").arg(number)), 0);
    QCOMPARE(rig.launcher.calls, QStringList());
    QCOMPARE(rig.ended.size(), 1);
    QVERIFY(!rig.engine.isBusy());
}

void TestDownloadEngine::completionActions_data()
{
    QTest::addColumn<int>("autoOpen");
    QTest::addColumn<bool>("shutdown");
    QTest::addColumn<QStringList>("calls"); // "folder" stands for the task folder
    QTest::newRow("open folder") << 1 << false << QStringList({QStringLiteral("folder")});
    QTest::newRow("open folder and shut down")
        << 1 << true << QStringList({QStringLiteral("folder"), QStringLiteral("shutdown")});
    QTest::newRow("nothing") << 0 << false << QStringList();
    QTest::newRow("shut down only") << 0 << true << QStringList({QStringLiteral("shutdown")});
    QTest::newRow("indeterminate box counts as off") << 2 << false << QStringList();
}

void TestDownloadEngine::completionActions()
{
    QFETCH(int, autoOpen);
    QFETCH(bool, shutdown);
    QFETCH(QStringList, calls);
    EngineRig rig;
    rig.settings.setAutoOpen(autoOpen);
    rig.flags.shutdownWhenDone = shutdown;
    QList<QByteArray> bodies;
    rig.start(rig.serveImages(2, 1000, bodies));
    QVERIFY(rig.ends());
    calls.replaceInStrings(QStringLiteral("folder"), QStringLiteral("folder:") + rig.folder.path());
    QCOMPARE(rig.launcher.calls, calls);
}

// Chunks that take longer than 10 ms each give a speed figure on the bar and the status line.
void TestDownloadEngine::speedOnBarAndStatusLine()
{
    EngineRig rig;
    QList<QByteArray> bodies;
    QStringList addresses = rig.serveImages(2, 1000, bodies);
    LoopbackResponse slow = imageResponse(imageBytes(5 * 10240, 7));
    slow.bytesPerTick = 10240;
    slow.tick = 30ms;
    addresses[0] = rig.serve(1, slow);

    rig.start(addresses);
    QVERIFY(rig.ends());

    const QRegularExpression line(QStringLiteral("^下载进度0/1,当前速度:(\\d+\\.\\d\\d)KB/s$"));
    QStringList speeds;
    for (const QString &text : rig.status.texts) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            speeds.append(match.captured(1));
    }
    QVERIFY2(speeds.size() >= 3, qPrintable(rig.status.texts.join(QLatin1Char('|'))));
    // 10000 / ms, for chunks that took more than 10 ms.
    for (const QString &speed : speeds)
        QVERIFY2(speed.toDouble() > 0 && speed.toDouble() < 1000, qPrintable(speed));
    QVERIFY(rig.board.task(rig.task).speed > 0);
}

void TestDownloadEngine::pauseAndContinue_data()
{
    QTest::addColumn<bool>("pressedBeforeStart");
    QTest::newRow("pressed during the image") << false;
    QTest::newRow("pressed before the start: stops after the first chunk") << true;
}

void TestDownloadEngine::pauseAndContinue()
{
    QFETCH(bool, pressedBeforeStart);
    EngineRig rig;
    const QByteArray body = imageBytes(300000, 1);
    const QString address = rig.serve(1, slowImage(body));
    const QString file = rig.path(QStringLiteral("1.jpg.part"));

    bool pressed = pressedBeforeStart;
    qint64 sizeAtPause = -1;
    qint64 sizeAtContinue = -1;
    qsizetype napsWhilePaused = 0;
    QObject context;
    rig.board.onProgress = [&](qint16, double) {
        if (!pressed) {
            pressed = true;
            togglePause(rig.flags);
        }
    };
    rig.board.onChangeState = [&](qint16, const QString &state) {
        if (state != paused)
            return;
        sizeAtPause = QFileInfo(file).size();
        QTimer::singleShot(400ms, &context, [&] {
            sizeAtContinue = QFileInfo(file).size();
            napsWhilePaused = rig.status.texts.count(nap);
            togglePause(rig.flags);
        });
    };
    if (pressedBeforeStart)
        togglePause(rig.flags);

    rig.start({address});
    QVERIFY(rig.ends());

    QVERIFY(sizeAtPause > 0);
    QCOMPARE(sizeAtContinue, sizeAtPause);
    if (pressedBeforeStart)
        QCOMPARE(sizeAtPause, 10240);
    QVERIFY2(napsWhilePaused >= 4, qPrintable(QString::number(napsWhilePaused)));
    QCOMPARE(rig.states(), QStringList({started, paused, done}));
    QVERIFY(rig.bytes(QStringLiteral("1.jpg")) == body);
    QCOMPARE(rig.board.task(rig.task).progress, 100.0);
    QVERIFY(!rig.flags.pauseFlag);
    QVERIFY(!rig.flags.resumeFlag);
}

void TestDownloadEngine::removedTaskStopsAtOnce_data()
{
    QTest::addColumn<bool>("whilePaused");
    QTest::addColumn<bool>("engineTold");
    QTest::newRow("while reading") << false << true;
    QTest::newRow("while paused") << true << true;
    // The bar is gone and the engine learns it only from the board's failure.
    QTest::newRow("while reading, engine not told") << false << false;
}

void TestDownloadEngine::removedTaskStopsAtOnce()
{
    QFETCH(bool, whilePaused);
    QFETCH(bool, engineTold);
    EngineRig rig;
    QList<QByteArray> bodies;
    QStringList addresses = rig.serveImages(3, 30000, bodies);
    addresses[0] = rig.serve(1, slowImage(imageBytes(300000, 1)));

    QObject context;
    bool removed = false;
    const auto remove = [&] {
        removed = true;
        rig.board.Remove(rig.task);
        if (engineTold)
            rig.engine.taskRemoved(rig.task);
    };
    rig.board.onProgress = [&](qint16, double) {
        if (removed)
            return;
        if (whilePaused)
            togglePause(rig.flags);
        else
            remove();
    };
    rig.board.onChangeState = [&](qint16, const QString &state) {
        if (state == paused)
            QTimer::singleShot(100ms, &context, remove);
    };

    rig.start(addresses);
    QVERIFY(rig.ends());

    QVERIFY(removed);
    QCOMPARE(rig.ended.first().first().value<qint16>(), rig.task);
    QVERIFY(!rig.engine.isBusy());
    QCOMPARE(rig.files(), QStringList());
    QTest::qWait(200);
    QCOMPARE(rig.ended.size(), 1);
    QCOMPARE(rig.server.requestCount(QStringLiteral("/p/2.jpg")), 0);
    // Told, the engine reports nothing more; untold, the one report that found the bar missing.
    QCOMPARE(rig.board.missingTaskCalls, engineTold ? 0 : 1);
}

void TestDownloadEngine::nextTaskStartsAfterRemoval_data()
{
    QTest::addColumn<bool>("inRemovalHandler");
    QTest::newRow("on taskEnded, as the queue does") << false;
    QTest::newRow("in the removal's own handler") << true;
}

// The removal happens inside the chunk loop's waits; the next task starts while the removed
// task's frames are still on the stack, and must get every byte of its own images.
void TestDownloadEngine::nextTaskStartsAfterRemoval()
{
    QFETCH(bool, inRemovalHandler);
    EngineRig rig;
    QList<QByteArray> bodies;
    QStringList first = rig.serveImages(3, 30000, bodies);
    first[0] = rig.serve(1, slowImage(imageBytes(300000, 1)));
    QStringList second;
    QList<QByteArray> secondBodies;
    for (int number = 1; number <= 5; ++number) {
        secondBodies.append(imageBytes(50000, 100 + number));
        const QString target = QStringLiteral("/q/%1.png").arg(number);
        rig.server.setResponse(target, imageResponse(secondBodies.last()));
        second.append(rig.server.url(target));
    }
    const qint16 next = rig.board.addTask(QStringLiteral("第2话"), QStringLiteral("http://127.0.0.1/c/2.html"));
    QTemporaryDir nextFolder;
    const auto startNext = [&] {
        if (!rig.engine.isBusy())
            rig.engine.start(next, listText(second), nextFolder.path());
    };
    connect(&rig.engine, &ImageDownloader::taskEnded, &rig.engine, [&](qint16 task) {
        if (task == rig.task && !inRemovalHandler)
            startNext();
    });
    bool removed = false;
    rig.board.onProgress = [&](qint16 index, double) {
        if (removed || index != rig.task)
            return;
        removed = true;
        rig.board.Remove(rig.task);
        rig.engine.taskRemoved(rig.task);
        if (inRemovalHandler)
            startNext();
    };

    rig.start(first);
    QVERIFY(rig.ends());
    QVERIFY(rig.ended.size() == 2 || rig.ended.wait(20000));

    QCOMPARE(rig.ended[0].first().value<qint16>(), rig.task);
    QCOMPARE(rig.ended[1].first().value<qint16>(), next);
    QCOMPARE(rig.files(), QStringList());
    const QDir folder(nextFolder.path());
    QCOMPARE(folder.entryList(QDir::Files, QDir::Name).size(), 5);
    for (int number = 1; number <= 5; ++number)
        QVERIFY(readBytes(folder.filePath(QStringLiteral("%1.png").arg(number))) == secondBodies[number - 1]);
    QCOMPARE(rig.board.task(next).states, QStringList({started, done}));
    QCOMPARE(rig.board.task(next).progresses.count(100.0), 1);
    QCOMPARE(rig.board.missingTaskCalls, 0);
    QCOMPARE(rig.server.requestCount(QStringLiteral("/p/2.jpg")), 0);
}

void TestDownloadEngine::abortLeavesNoPartialFile_data()
{
    QTest::addColumn<bool>("whilePaused");
    QTest::newRow("while reading") << false;
    QTest::newRow("while paused") << true;
}

void TestDownloadEngine::abortLeavesNoPartialFile()
{
    QFETCH(bool, whilePaused);
    EngineRig rig;
    QList<QByteArray> bodies;
    QStringList addresses = rig.serveImages(3, 30000, bodies);
    addresses[1] = rig.serve(2, slowImage(imageBytes(300000, 2)));

    QObject context;
    bool aborted = false;
    qsizetype statesAtAbort = 0;
    const auto abort = [&] {
        aborted = true;
        statesAtAbort = rig.states().size();
        rig.engine.abort();
    };
    rig.board.onProgress = [&](qint16, double progress) {
        if (aborted || progress <= 34)
            return; // into the second image
        if (whilePaused)
            togglePause(rig.flags);
        else
            abort();
    };
    rig.board.onChangeState = [&](qint16, const QString &state) {
        if (state == paused)
            QTimer::singleShot(100ms, &context, abort);
    };

    rig.start(addresses);
    QTRY_VERIFY(aborted);
    QTest::qWait(300);

    QVERIFY(!rig.engine.isBusy());
    QCOMPARE(rig.files(), QStringList({QStringLiteral("1.jpg")}));
    QCOMPARE(rig.states().size(), statesAtAbort);
    QCOMPARE(rig.ended.size(), 0);
    QCOMPARE(rig.server.requestCount(QStringLiteral("/p/3.jpg")), 0);
}

void TestDownloadEngine::engineDeletedMidImage_data()
{
    QTest::addColumn<QString>("moment");
    QTest::newRow("in a report to the bar") << QStringLiteral("report");
    QTest::newRow("while waiting for data") << QStringLiteral("waiting");
    QTest::newRow("while paused") << QStringLiteral("paused");
}

// The window that owns the engine may go while the chunk loop's frames are still on the stack:
// they must notice and touch nothing, and the partial image goes with the engine.
void TestDownloadEngine::engineDeletedMidImage()
{
    QFETCH(QString, moment);
    EngineRig rig;
    auto *engine = new DownloadEngine(rig.board, rig.status, rig.launcher, rig.settings, rig.flags);
    QPointer<DownloadEngine> watch(engine);
    LoopbackResponse image = slowImage(imageBytes(300000, 1));
    if (moment == u"waiting")
        image.stallAfter = 50000;
    const QStringList addresses = {rig.serve(1, image), rig.serve(2, imageResponse(imageBytes(1000, 2)))};

    QObject context;
    const auto deleteEngine = [&] { delete watch.data(); };
    bool scheduled = false;
    rig.board.onProgress = [&](qint16, double) {
        if (!watch || scheduled)
            return;
        if (moment == u"report")
            deleteEngine();
        else if (moment == u"paused")
            togglePause(rig.flags);
        else
            QTimer::singleShot(300ms, &context, deleteEngine);
        scheduled = true;
    };
    rig.board.onChangeState = [&](qint16, const QString &state) {
        if (state == paused)
            QTimer::singleShot(100ms, &context, deleteEngine);
    };

    engine->start(rig.task, listText(addresses), rig.folder.path());
    QTRY_VERIFY(!watch);
    QTest::qWait(200);

    QCOMPARE(rig.files(), QStringList());
    QCOMPARE(rig.server.requestCount(QStringLiteral("/p/2.jpg")), 0);
}

// Files are emptied when opened: nothing of an older, longer file of the same name survives.
void TestDownloadEngine::olderLongerFileIsReplaced()
{
    EngineRig rig;
    QList<QByteArray> bodies;
    const QStringList addresses = rig.serveImages(2, 20000, bodies);
    QVERIFY(writeBytes(rig.path(QStringLiteral("1.jpg")), QByteArray(50000, 'x')));
    rig.start(addresses);
    QVERIFY(rig.ends());
    QVERIFY(rig.bytes(QStringLiteral("1.jpg")) == bodies[0]);
}

QTEST_GUILESS_MAIN(TestDownloadEngine)
#include "tst_downloadengine.moc"
