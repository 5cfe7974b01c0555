#include "fakepagefetcher.h"
#include "walkparts.h"

#include <QTest>

namespace {

const QString started = QStringLiteral("下载开始,搜寻资源中...");
const QString paused = QStringLiteral("用户暂停...");
const QString failed = QStringLiteral("下载失败......");
const QString fetchedText = QStringLiteral("获取资源......");
const QString analysing = QStringLiteral("分析资源......");
const QString allFound = QStringLiteral("链接已全部被找到!开始下载...");

QString retrying(int attempt)
{
    return QStringLiteral("第%1次失败，重试......").arg(attempt);
}

QString found(int page)
{
    return QStringLiteral("寻找成功:当前为第%1页").arg(page);
}

QString address(int page)
{
    return QStringLiteral("http://host/c/%1.html").arg(page);
}

QString image(int page)
{
    return QStringLiteral("http://host/p/%1.jpg").arg(page);
}

// A chapter page: its comic image inside a link to `next` (root-relative hrefs); a further image
// /p/<page>-<k>.jpg inside a link for each further address.
QString chapterPage(int page, const QStringList &next)
{
    QString links;
    for (qsizetype k = 0; k < next.size(); ++k) {
        const QString name = k == 0 ? QString::number(page) : QStringLiteral("%1-%2").arg(page).arg(k + 1);
        links += QStringLiteral("<a href=\"%1\"><img src=\"/p/%2.jpg\"></a>").arg(next.at(k), name);
    }
    if (next.isEmpty())
        links = QStringLiteral("<img src=\"/p/%1.jpg\">").arg(page);
    return QStringLiteral("<html><head><title>第%1页</title></head><body><p>%2</p>"
                          "<img src=\"/img/logo.png\"></body></html>")
        .arg(page)
        .arg(links);
}

QString path(int page)
{
    return QStringLiteral("/c/%1.html").arg(page);
}

// One walk over scripted pages, fresh for each test.
struct WalkRig : WalkParts<FakePageFetcher>
{
    qint16 index = 0;

    WalkRig()
    {
        // Another task first, so that removing the walked one really takes its bar away.
        board.addTask(QStringLiteral("序章"), QStringLiteral("http://host/c/0.html"));
        index = board.addTask(QStringLiteral("第一话"), address(1));
    }

    // Pages 1 .. count, each linking to the next; the last one back to the first.
    void chapter(int count)
    {
        for (int page = 1; page <= count; ++page)
            fetcher.setPage(address(page), chapterPage(page, {path(page == count ? 1 : page + 1)}));
    }

    ImageWalk::Outcome run(QString &result)
    {
        return walk.BuildImageList(board.GetURL(index), index, result);
    }
    ImageWalk::Outcome run(QString &result, QStringList &imagePages)
    {
        return walk.BuildImageList(board.GetURL(index), index, result, imagePages);
    }
    QStringList states() const { return board.task(index).states; }
};

QString imagesOf(const QList<int> &pages)
{
    QString list;
    for (int page : pages)
        list += image(page) + QStringLiteral("\r\n");
    return list;
}

} // namespace

class TestBuildImageList final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threePageChapter()
    {
        WalkRig rig;
        rig.chapter(3);
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Finished);
        QCOMPARE(result, imagesOf({1, 2, 3}));
        const QStringList expected{started,   fetchedText, analysing,   found(1),  fetchedText,
                                   analysing, found(2),    fetchedText, analysing, allFound};
        QCOMPARE(rig.states(), expected);
        QCOMPARE(rig.fetcher.fetched, (QStringList{address(1), address(2), address(3)}));
        QCOMPARE(rig.board.task(rig.index).urls, (QStringList{address(2), address(3)}));
        QCOMPARE(rig.status.texts, (QStringList{address(2), address(3)}));
        QVERIFY(rig.input.asked.isEmpty());
    }

    // Each page after the first is fetched with the page before as its Referer, a retry too;
    // each image is listed with the page it was found on, which its download names.
    void refererAndImagePages()
    {
        WalkRig rig;
        rig.chapter(3);
        rig.fetcher.setPage(address(2), QStringLiteral("<img src=\"/p/2b.jpg\">"
                                                       "<a href=\"/c/3.html\"><img src=\"/p/2.jpg\"></a>"));
        rig.fetcher.setAnswers(address(3), {QString(), chapterPage(3, {path(1)})});
        QString result;
        QStringList pages;
        QCOMPARE(rig.run(result, pages), ImageWalk::Outcome::Finished);
        QCOMPARE(result, imagesOf({1}) + QStringLiteral("http://host/p/2b.jpg\r\n") + imagesOf({2, 3}));
        QCOMPARE(pages, (QStringList{address(1), address(2), address(2), address(3)}));
        QCOMPARE(rig.fetcher.fetched, (QStringList{address(1), address(2), address(3), address(3)}));
        QCOMPARE(rig.fetcher.referers, (QStringList{QString(), address(1), address(2), address(2)}));
    }

    void endOfChapter_data()
    {
        QTest::addColumn<QString>("lastLink");
        QTest::addColumn<QStringList>("fetched");
        QTest::newRow("back at the first page") << path(1) << QStringList{address(1), address(2)};
        QTest::newRow("first page with a question mark")
            << path(1) + "?" << QStringList{address(1), address(2)};
        QTest::newRow("question marks elsewhere")
            << QStringLiteral("/c/1.html??") << QStringList{address(1), address(2)};
        QTest::newRow("the page itself") << path(2) << QStringList{address(1), address(2)};
        QTest::newRow("no link at all") << QString() << QStringList{address(1), address(2)};
    }
    void endOfChapter()
    {
        QFETCH(QString, lastLink);
        QFETCH(QStringList, fetched);
        WalkRig rig;
        rig.fetcher.setPage(address(1), chapterPage(1, {path(2)}));
        rig.fetcher.setPage(address(2),
                            chapterPage(2, lastLink.isEmpty() ? QStringList() : QStringList{lastLink}));
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Finished);
        QCOMPARE(rig.fetcher.fetched, fetched);
        QCOMPARE(result, imagesOf({1, 2}));
        QCOMPARE(rig.states().last(), allFound);
    }

    void retries_data()
    {
        QTest::addColumn<int>("reset");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("5") << 5 << QStringList{retrying(1), retrying(2), retrying(3), retrying(4), failed};
        QTest::newRow("1") << 1 << QStringList{failed};
        QTest::newRow("0 counts as 1") << 0 << QStringList{failed};
        QTest::newRow("-3 counts as 1") << -3 << QStringList{failed};
    }
    void retries()
    {
        QFETCH(int, reset);
        QFETCH(QStringList, after);
        WalkRig rig;
        rig.settings.setReset(qint16(reset));
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Failed);
        QCOMPARE(rig.states(), QStringList{started} + after);
        QCOMPARE(rig.fetcher.fetched.size(), after.size());
        QVERIFY(result.isEmpty());
    }

    void blankAnswersAreRetriedUntilAPageComes()
    {
        WalkRig rig;
        rig.fetcher.setAnswers(address(1), {QString(), QStringLiteral(" \r\n \n\r"), chapterPage(1, {})});
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Finished);
        QCOMPARE(rig.states(),
                 (QStringList{started, retrying(1), retrying(2), fetchedText, analysing, allFound}));
        QCOMPARE(result, imagesOf({1}));
    }

    void failureLaterDropsEverything()
    {
        WalkRig rig;
        rig.settings.setReset(2);
        rig.fetcher.setPage(address(1), chapterPage(1, {path(2)}));
        rig.pauseState.savedWalkList = QStringLiteral("kept\r\n");
        rig.pauseState.savedWalkPage = 9;
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Failed);
        QVERIFY(result.isEmpty());
        QCOMPARE(rig.states().mid(4), (QStringList{retrying(1), failed}));
        QCOMPARE(rig.pauseState.savedWalkList, QStringLiteral("kept\r\n"));
        QCOMPARE(rig.pauseState.savedWalkPage, 9);
    }

    void severalCandidates_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("fetched");
        QTest::addColumn<QString>("images");
        const QStringList onlyFirst{address(1)};
        const QString second = QStringLiteral("http://host/p/1-2.jpg\r\n");
        QTest::newRow("2 takes the second") << QStringList{"2"} << QStringList{address(1), address(3)}
                                            << imagesOf({1}) + second + imagesOf({3});
        QTest::newRow("1.6 rounds to the second") << QStringList{"1.6"} << QStringList{address(1), address(3)}
                                                  << imagesOf({1}) + second + imagesOf({3});
        QTest::newRow("2.5 rounds to even") << QStringList{"2.5"} << QStringList{address(1), address(3)}
                                            << imagesOf({1}) + second + imagesOf({3});
        QTest::newRow("leading number") << QStringList{" 1st"} << QStringList{address(1), address(2)}
                                        << imagesOf({1}) + second + imagesOf({2});
        QTest::newRow("3 is out of range") << QStringList{"3"} << onlyFirst << imagesOf({1}) + second;
        QTest::newRow("0 ends") << QStringList{"0"} << onlyFirst << imagesOf({1}) + second;
        QTest::newRow("letters end") << QStringList{"abc"} << onlyFirst << imagesOf({1}) + second;
        QTest::newRow("cancel ends") << QStringList{} << onlyFirst << imagesOf({1}) + second;
    }
    void severalCandidates()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, fetched);
        QFETCH(QString, images);
        WalkRig rig;
        rig.fetcher.setPage(address(1), chapterPage(1, {path(2), path(3)}));
        rig.fetcher.setPage(address(2), chapterPage(2, {path(1)}));
        rig.fetcher.setPage(address(3), chapterPage(3, {path(1)}));
        rig.input.answers = answers;
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Finished);
        QCOMPARE(rig.fetcher.fetched, fetched);
        QCOMPARE(result, images);
        QCOMPARE(rig.input.asked.size(), 1);
    }

    void questionText()
    {
        WalkRig rig;
        rig.fetcher.setPage(address(1), chapterPage(1, {path(2), path(3)}));
        QString result;
        rig.run(result);
        QCOMPARE(rig.input.asked.size(), 1);
        const ScriptedInputBox::Asked &asked = rig.input.asked.first();
        QCOMPARE(asked.prompt, QStringLiteral("检测到了多条地址！请告诉我们，哪一条才是正确的：\r\n"
                                              "1:http://host/c/2.html\r\n"
                                              "2:http://host/c/3.html\r\n"
                                              "填入0其他字符或表示下载已完成..."));
        QCOMPARE(asked.title, QStringLiteral("选择"));
        QVERIFY(asked.defaultText.isEmpty());
    }

    // Pause pressed while page 2 is fetched: page 2 is still read and its next page chosen; the
    // next call goes on from page 3 with the saved list and still ends at the chapter's start.
    void pauseAndContinue()
    {
        WalkRig rig;
        rig.chapter(3);
        rig.fetcher.duringFetch = [&](const QString &fetching) {
            if (fetching == address(2))
                rig.flags.pauseFlag = true;
        };
        QString result;
        QStringList pages;
        QCOMPARE(rig.run(result, pages), ImageWalk::Outcome::Paused);
        QCOMPARE(result, imagesOf({1, 2}));
        QCOMPARE(pages, (QStringList{address(1), address(2)}));
        QCOMPARE(rig.states().mid(rig.states().size() - 2), (QStringList{found(2), paused}));
        QCOMPARE(rig.pauseState.savedWalkList, imagesOf({1, 2}));
        QCOMPARE(rig.pauseState.savedWalkPage, 3);
        QCOMPARE(rig.board.GetURL(rig.index), address(3));
        QVERIFY(rig.flags.pauseFlag);

        rig.fetcher.duringFetch = {};
        QString continued;
        QCOMPARE(rig.run(continued, pages), ImageWalk::Outcome::Finished);
        QVERIFY(!rig.flags.pauseFlag);
        QCOMPARE(continued, imagesOf({1, 2, 3}));
        QCOMPARE(pages, (QStringList{address(1), address(2), address(3)}));
        QCOMPARE(rig.fetcher.fetched, (QStringList{address(1), address(2), address(3)}));
        // The continued walk still names the page before.
        QCOMPARE(rig.fetcher.referers, (QStringList{QString(), address(1), address(2)}));
    }

    void continuedWalkNumbersPagesOn()
    {
        WalkRig rig;
        rig.chapter(4);
        rig.fetcher.duringFetch = [&](const QString &fetching) {
            rig.flags.pauseFlag = fetching == address(1);
        };
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Paused);
        rig.fetcher.duringFetch = {};
        rig.board.ChangeState(rig.index, QStringLiteral("-"));
        QString continued;
        rig.run(continued);
        const QStringList states = rig.states();
        const QStringList afterMark = states.mid(states.indexOf(QStringLiteral("-")) + 1);
        QCOMPARE(afterMark.filter(QStringLiteral("寻找成功")), (QStringList{found(2), found(3)}));
        QCOMPARE(continued, imagesOf({1, 2, 3, 4}));
    }

    // Pause pressed while the last page is fetched: the walk still ends at the chapter's end and
    // saves its list, but there is nothing left to continue, so the next call starts afresh
    // instead of adding the saved pages a second time.
    void pauseDuringTheLastPage()
    {
        WalkRig rig;
        rig.chapter(2);
        rig.fetcher.duringFetch = [&](const QString &fetching) {
            if (fetching == address(2))
                rig.flags.pauseFlag = true;
        };
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Finished);
        QCOMPARE(result, imagesOf({1, 2}));
        QCOMPARE(rig.states().last(), allFound);
        QCOMPARE(rig.pauseState.savedWalkList, imagesOf({1, 2}));
        QCOMPARE(rig.pauseState.savedWalkPage, 2);
        QVERIFY(rig.flags.pauseFlag);

        rig.fetcher.duringFetch = {};
        QString again;
        QCOMPARE(rig.run(again), ImageWalk::Outcome::Finished);
        QCOMPARE(again, imagesOf({2, 1}));
    }

    void pauseClearedBeforeTheCallStartsAfresh()
    {
        WalkRig rig;
        rig.chapter(2);
        rig.pauseState = {QStringLiteral("old\r\n"), 7, address(1), address(1)};
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Finished);
        QCOMPARE(result, imagesOf({1, 2}));
        QVERIFY(rig.states().contains(found(1)));
    }

    // A pause left over from another task (or from a transfer) must not hand its list to this walk.
    void pauseOfAnotherWalkIsNotContinued()
    {
        WalkRig rig;
        rig.chapter(2);
        rig.pauseState = {QStringLiteral("old\r\n"), 7, QStringLiteral("http://other/1"),
                          QStringLiteral("http://other/2")};
        rig.flags.pauseFlag = true;
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Finished);
        QCOMPARE(result, imagesOf({1, 2}));
        QVERIFY(!rig.flags.pauseFlag);
        QVERIFY(rig.states().contains(found(1)));
    }

    void statusLine_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("shown");
        const QString sixty = QStringLiteral("http://host/") + QString(44, u'a') + QStringLiteral(".html");
        QTest::newRow("60 characters") << sixty << sixty.left(20) + "..." + sixty.right(18);
        const QString fiftyThree = sixty.right(53);
        QTest::newRow("53 characters whole") << fiftyThree << fiftyThree;
    }
    void statusLine()
    {
        QFETCH(QString, address);
        QFETCH(QString, shown);
        QCOMPARE(ImageWalk::shortAddress(address), shown);
        if (address.size() == 60)
            QCOMPARE(shown.size(), 41);
    }

    void statusLineDuringAWalk()
    {
        WalkRig rig;
        const QString longPath = QStringLiteral("/c/") + QString(52, u'x') + QStringLiteral(".html");
        rig.fetcher.setPage(address(1), chapterPage(1, {longPath}));
        QString result;
        rig.run(result);
        const QString next = QStringLiteral("http://host") + longPath;
        QCOMPARE(rig.status.texts, QStringList{next.left(20) + "..." + next.right(18)});
    }

    void firstPageWithNothing()
    {
        WalkRig rig;
        rig.fetcher.setPage(address(1),
                            QStringLiteral("<html><body><img src=\"/logo.png\">text</body></html>"));
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::Finished);
        QVERIFY(result.isEmpty());
        QCOMPARE(rig.states(), (QStringList{started, fetchedText, analysing, allFound}));
    }

    // The user removes the task's bar while its walk runs: the walk ends without a word.
    void removedTask_data()
    {
        QTest::addColumn<QString>("removeAt");
        QTest::newRow("while analysing") << analysing;
        QTest::newRow("after a page was found") << found(1);
        QTest::newRow("as it begins") << started;
    }
    void removedTask()
    {
        QFETCH(QString, removeAt);
        WalkRig rig;
        rig.chapter(2);
        rig.board.onChangeState = [&](qint16 index, const QString &state) {
            if (state == removeAt)
                rig.board.Remove(index);
        };
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::TaskMissing);
        QVERIFY(result.isEmpty());
    }

    void taskRemovedWhileAPageIsFetched()
    {
        WalkRig rig;
        rig.chapter(3);
        rig.fetcher.duringFetch = [&](const QString &fetching) {
            if (fetching == address(2))
                rig.board.Remove(rig.index);
        };
        QString result;
        QCOMPARE(rig.run(result), ImageWalk::Outcome::TaskMissing);
        QVERIFY(result.isEmpty());
        QCOMPARE(rig.fetcher.fetched, (QStringList{address(1), address(2)}));
    }

    void keywordEditAppliesFromTheNextPage()
    {
        WalkRig rig;
        rig.chapter(3);
        rig.board.onChangeState = [&](qint16, const QString &state) {
            if (state == found(1))
                rig.mode.setBlockImg(rig.mode.blockImg() + QStringLiteral(",/p/2"));
        };
        QString result;
        rig.run(result);
        QCOMPARE(result, imagesOf({1}));
        QCOMPARE(rig.fetcher.fetched.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestBuildImageList)
#include "tst_buildimagelist.moc"
