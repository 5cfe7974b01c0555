#include "fakepagefetcher.h"
#include "taskparts.h"

#include <QSignalSpy>
#include <QTest>

namespace {

struct Rig : TaskParts<FakePageFetcher>
{
    Rig() { mode.setDownMode(true); }

    // A task whose one-page chapter has one image.
    qint16 addChapter(const QString &title)
    {
        const QString address = QStringLiteral("http://a/") + title;
        fetcher.setPage(address, QStringLiteral("<img src=\"%1.jpg\">").arg(address));
        return addTask(title, address);
    }
    void startTask(qint16 index)
    {
        actions.select(index);
        actions.startSelected();
    }
    QList<qint16> downloadedTasks() const
    {
        QList<qint16> tasks;
        for (const FakeDownloader::Started &s : downloader.started)
            tasks << s.task;
        return tasks;
    }
};

} // namespace

class TestTaskRunner final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tasksStartedMeanwhileWaitInLine()
    {
        Rig rig;
        const qint16 a = rig.addChapter(QStringLiteral("a"));
        const qint16 b = rig.addChapter(QStringLiteral("b"));
        const qint16 c = rig.addChapter(QStringLiteral("c"));
        rig.startTask(a);
        rig.startTask(b);
        rig.startTask(c);
        QCOMPARE(rig.downloadedTasks(), QList<qint16>{a});
        QCOMPARE(rig.board.task(b).state, QStringLiteral("排队中..."));
        QCOMPARE(rig.board.task(c).state, QStringLiteral("排队中..."));
        QVERIFY(rig.fetcher.fetched == QStringList{QStringLiteral("http://a/a")});

        QSignalSpy idle(&rig.runner, &TaskRunner::idle);
        rig.downloader.end();
        QTRY_COMPARE(rig.downloadedTasks(), (QList<qint16>{a, b}));
        rig.downloader.end();
        QTRY_COMPARE(rig.downloadedTasks(), (QList<qint16>{a, b, c}));
        QCOMPARE(idle.count(), 0);
        rig.downloader.end();
        QCOMPARE(idle.count(), 1);
        QVERIFY(rig.runner.isIdle());
    }

    void aTaskRunsOnceAtATime()
    {
        Rig rig;
        const qint16 a = rig.addChapter(QStringLiteral("a"));
        const qint16 b = rig.addChapter(QStringLiteral("b"));
        rig.startTask(a);
        rig.startTask(a); // running: left as it is
        rig.startTask(b);
        rig.startTask(b); // queued: not queued twice
        QCOMPARE(rig.board.task(a).states.count(QStringLiteral("获取地址中...")), 1);
        QCOMPARE(rig.board.task(b).states.count(QStringLiteral("排队中...")), 1);
        rig.downloader.end();
        QTRY_COMPARE(rig.downloadedTasks(), (QList<qint16>{a, b}));
        rig.downloader.end();
        QTest::qWait(20);
        QCOMPARE(rig.downloadedTasks().size(), 2);
    }

    void startDuringAWalkQueues()
    {
        Rig rig;
        const qint16 a = rig.addChapter(QStringLiteral("a"));
        const qint16 b = rig.addChapter(QStringLiteral("b"));
        // The user presses start on b while a's page is being fetched.
        rig.fetcher.duringFetch = [&](const QString &address) {
            if (address == u"http://a/a")
                rig.startTask(b);
        };
        rig.startTask(a);
        QCOMPARE(rig.board.task(b).state, QStringLiteral("排队中..."));
        QCOMPARE(rig.downloadedTasks(), QList<qint16>{a});
    }

    void removingTheDownloadingTaskStartsTheNext()
    {
        Rig rig;
        const qint16 a = rig.addChapter(QStringLiteral("a"));
        const qint16 b = rig.addChapter(QStringLiteral("b"));
        rig.startTask(a);
        rig.startTask(b);
        rig.actions.select(a);
        rig.actions.deleteSelected();
        QCOMPARE(rig.downloader.removed, QList<qint16>{a});
        QVERIFY(!rig.board.exists(a));
        QTRY_COMPARE(rig.downloadedTasks(), (QList<qint16>{a, b}));
    }

    void removingAQueuedTaskTakesItOutOfLine()
    {
        Rig rig;
        const qint16 a = rig.addChapter(QStringLiteral("a"));
        const qint16 b = rig.addChapter(QStringLiteral("b"));
        rig.startTask(a);
        rig.startTask(b);
        rig.actions.select(b);
        rig.actions.deleteSelected();
        QVERIFY(rig.downloader.removed.isEmpty());
        QSignalSpy idle(&rig.runner, &TaskRunner::idle);
        rig.downloader.end();
        QCOMPARE(idle.count(), 1);
        QCOMPARE(rig.downloadedTasks(), QList<qint16>{a});
    }

    void removingTheWalkingTaskEndsTheWalk()
    {
        Rig rig;
        const qint16 a = rig.addChapter(QStringLiteral("a"));
        const qint16 b = rig.addChapter(QStringLiteral("b"));
        rig.fetcher.duringFetch = [&](const QString &address) {
            if (address == u"http://a/a") {
                rig.startTask(b);
                rig.actions.select(a);
                rig.actions.deleteSelected();
            }
        };
        rig.startTask(a);
        QVERIFY(!QFile::exists(rig.download() + QStringLiteral("/a/Down.lst")));
        QTRY_COMPARE(rig.downloadedTasks(), QList<qint16>{b});
    }

    void deleteActsOnlyOnAPickedBar()
    {
        Rig rig;
        const qint16 a = rig.addChapter(QStringLiteral("a"));
        rig.actions.deleteSelected(); // nothing picked yet
        QVERIFY(rig.board.exists(a));
        rig.actions.select(a);
        rig.actions.deleteSelected();
        QVERIFY(!rig.board.exists(a));
        // The freed index goes to the next task; a second delete must not take it.
        const qint16 again = rig.addChapter(QStringLiteral("b"));
        QCOMPARE(again, a);
        rig.actions.deleteSelected();
        QVERIFY(rig.board.exists(again));
        rig.actions.startSelected();
        QVERIFY(rig.fetcher.fetched.isEmpty());
    }

    void emptyListDoesNothing()
    {
        Rig rig;
        rig.actions.startSelected();
        rig.actions.deleteSelected();
        rig.runner.start(0);
        QVERIFY(rig.fetcher.fetched.isEmpty());
        QVERIFY(rig.board.task(0).states.isEmpty());
        QVERIFY(rig.runner.isIdle());
    }

    void exitQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("quits");
        QTest::newRow("no leaves everything running") << int(MessageBox::Answer::No) << false;
        QTest::newRow("yes stops the download") << int(MessageBox::Answer::Yes) << true;
    }
    void exitQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, quits);
        Rig rig;
        const qint16 a = rig.addChapter(QStringLiteral("a"));
        const qint16 b = rig.addChapter(QStringLiteral("b"));
        rig.startTask(a);
        rig.startTask(b);
        rig.messages.answers = {MessageBox::Answer(answer)};
        QCOMPARE(rig.actions.confirmExit(), quits);
        QCOMPARE(rig.messages.shown.first().text, QStringLiteral("确定要退出程序吗?\r\n任务进度将会丢失!"));
        QCOMPARE(rig.messages.shown.first().buttons, MessageBox::Buttons::YesNo);
        QCOMPARE(rig.downloader.aborts, quits ? 1 : 0);
        QCOMPARE(rig.downloader.isBusy(), !quits);
        QCOMPARE(rig.runner.isQueued(b), !quits);
    }
};

QTEST_GUILESS_MAIN(TestTaskRunner)
#include "tst_taskrunner.moc"
