#include "app/runflags.h"
#include "recordinglauncher.h"
#include "tasks/runcontrols.h"

#include <QTest>

class TestRunControls final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void togglePause_data()
    {
        QTest::addColumn<bool>("pauseBefore");
        QTest::addColumn<bool>("resumeBefore");
        QTest::addColumn<bool>("pauseAfter");
        QTest::addColumn<bool>("resumeAfter");
        QTest::newRow("running: pause asked for") << false << false << true << false;
        QTest::newRow("paused: continue") << true << false << false << true;
        // Continue pressed before the transfer reached its boundary, then pause again.
        QTest::newRow("resume not taken yet: pause again") << false << true << true << true;
    }
    void togglePause()
    {
        QFETCH(bool, pauseBefore);
        QFETCH(bool, resumeBefore);
        QFETCH(bool, pauseAfter);
        QFETCH(bool, resumeAfter);
        RunFlags flags;
        flags.pauseFlag = pauseBefore;
        flags.resumeFlag = resumeBefore;
        ::togglePause(flags);
        QCOMPARE(flags.pauseFlag, pauseAfter);
        QCOMPARE(flags.resumeFlag, resumeAfter);
    }

    void shutdownBox_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("checked: nothing scheduled yet") << false << true << QStringList();
        QTest::newRow("cleared: cancel") << true << false << QStringList({QStringLiteral("cancel-shutdown")});
        QTest::newRow("cleared with nothing pending: cancel all the same")
            << false << false << QStringList({QStringLiteral("cancel-shutdown")});
    }
    void shutdownBox()
    {
        QFETCH(bool, before);
        QFETCH(bool, checked);
        QFETCH(QStringList, calls);
        RunFlags flags;
        flags.shutdownWhenDone = before;
        RecordingLauncher launcher;
        shutdownBoxClicked(flags, checked, launcher);
        QCOMPARE(flags.shutdownWhenDone, checked);
        QCOMPARE(launcher.calls, calls);
    }
};

QTEST_GUILESS_MAIN(TestRunControls)
#include "tst_runcontrols.moc"
