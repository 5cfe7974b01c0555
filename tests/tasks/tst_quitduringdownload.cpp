#include "enginerig.h"
#include "tasks/runcontrols.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

// The application's event loop ends while an image is being read, waits in a pause or waits for
// its retry (the window quits without telling the engine): the engine's waits give up, and no
// partial file is left.
class TestQuitDuringDownload final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quitLeavesNoPartialFile_data()
    {
        QTest::addColumn<bool>("whilePaused");
        QTest::addColumn<bool>("whileRetrying"); // a broken body waits for its retry
        QTest::newRow("while reading") << false << false;
        QTest::newRow("while paused") << true << false;
        QTest::newRow("while waiting to retry") << false << true;
    }
    void quitLeavesNoPartialFile()
    {
        QFETCH(bool, whilePaused);
        QFETCH(bool, whileRetrying);
        EngineRig rig;
        QList<QByteArray> bodies;
        QStringList addresses = rig.serveImages(2, 30000, bodies);
        LoopbackResponse slow = imageResponse(imageBytes(300000, 1));
        slow.bytesPerTick = 8192;
        slow.tick = 10ms;
        if (whileRetrying) {
            slow.dropAfter = 100000;
            rig.engine.setRetryBase(60s);
        }
        addresses[0] = rig.serve(1, slow);

        bool quit = false;
        rig.board.onProgress = [&](qint16, double) {
            if (quit || whileRetrying)
                return;
            quit = true;
            if (whilePaused)
                togglePause(rig.flags);
            else
                QCoreApplication::exit(0);
        };
        rig.board.onChangeState = [&](qint16, const QString &state) {
            quit = quit || state == QStringLiteral("第1次失败，重试...");
            if (state == QStringLiteral("用户暂停...") || state == QStringLiteral("第1次失败，重试..."))
                QTimer::singleShot(100ms, qApp, [] { QCoreApplication::exit(0); });
        };
        QObject context;
        // A watchdog, should the engine's waits not give up.
        QTimer::singleShot(10s, &context, [] { QCoreApplication::exit(1); });
        QTimer::singleShot(0, &context, [&] { rig.start(addresses); });

        QCOMPARE(QCoreApplication::exec(), 0);

        QVERIFY(quit);
        QVERIFY(!rig.engine.isBusy());
        QCOMPARE(rig.files(), QStringList());
        QCOMPARE(rig.server.requestCount(QStringLiteral("/p/2.jpg")), 0);
    }
};

QTEST_GUILESS_MAIN(TestQuitDuringDownload)
#include "tst_quitduringdownload.moc"
