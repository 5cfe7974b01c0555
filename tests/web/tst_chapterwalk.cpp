#include "fakepagefetcher.h"
#include "walkparts.h"

#include <QTest>

// The walk with the mode's chapter switch on, over scripted pages read by the plain analysis: it
// ends where the chapter ends, whatever the last page links to.

namespace {

const QString allFound = QStringLiteral("链接已全部被找到!开始下载...");

QString address(const QString &path)
{
    return QStringLiteral("http://host") + path;
}

QString page(int number)
{
    return address(QStringLiteral("/c/1/%1.html").arg(number));
}

QString image(int number)
{
    return QStringLiteral("http://host/p/%1.jpg\r\n").arg(number);
}

// A page whose picture (number `shown`) stands in a link to `next`.
QString chapterPage(int shown, const QString &next)
{
    return QStringLiteral("<html><body><a href=\"%1\"><img src=\"/p/%2.jpg\"></a></body></html>").arg(next).arg(shown);
}

struct ChapterRig : WalkParts<FakePageFetcher>
{
    qint16 index = 0;
    QString result;

    // Pages 1 to 3 of chapter 1; the third links to `lastLink`.
    explicit ChapterRig(const QString &lastLink)
    {
        mode.setChapterEnd(true);
        fetcher.setPage(page(1), chapterPage(1, QStringLiteral("/c/1/2.html")));
        fetcher.setPage(page(2), chapterPage(2, QStringLiteral("/c/1/3.html")));
        fetcher.setPage(page(3), chapterPage(3, lastLink));
        index = board.addTask(QStringLiteral("第一话"), page(1));
    }
    ImageWalk::Outcome run() { return walk.BuildImageList(board.GetURL(index), index, result); }
};

} // namespace

class TestChapterWalk final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endsWithTheChapter_data()
    {
        QTest::addColumn<QString>("lastLink");
        QTest::addColumn<QString>("redirectTo"); // where the last link leads; empty: no redirect
        QTest::addColumn<QString>("shows");      // the page found there
        QTest::addColumn<QStringList>("after");  // what is fetched after page 3

        QTest::newRow("already fetched") << "/c/1/2.html" << QString() << QString() << QStringList{};
        QTest::newRow("already fetched, after a redirect")
            << "/c/1/" << page(1) << chapterPage(1, QStringLiteral("/c/1/2.html")) << QStringList{address("/c/1/")};
        QTest::newRow("into the next chapter through a redirect")
            << "/next?c=1" << page(1).replace("/c/1/", "/c/2/") << chapterPage(4, QStringLiteral("/c/2/2.html"))
            << QStringList{address("/next?c=1")};
        QTest::newRow("the site's root") << "/" << QString() << chapterPage(9, QStringLiteral("/c/5/9.html"))
                                         << QStringList{address("/")};
        QTest::newRow("chapter 10 is not chapter 1")
            << "/c/10/1.html" << QString() << chapterPage(10, QStringLiteral("/c/10/2.html"))
            << QStringList{address("/c/10/1.html")};
        QTest::newRow("inside, but nothing new") << "/c/1/3.html?p=4" << QString() << chapterPage(3, "/c/1/4.html")
                                                 << QStringList{address("/c/1/3.html?p=4")};
    }
    void endsWithTheChapter()
    {
        QFETCH(QString, lastLink);
        QFETCH(QString, redirectTo);
        QFETCH(QString, shows);
        QFETCH(QStringList, after);
        ChapterRig rig(lastLink);
        const QString found = redirectTo.isEmpty() ? address(lastLink) : redirectTo;
        if (!redirectTo.isEmpty())
            rig.fetcher.setRedirect(address(lastLink), redirectTo);
        if (!shows.isEmpty() && found != page(1))
            rig.fetcher.setPage(found, shows);
        QCOMPARE(rig.run(), ImageWalk::Outcome::Finished);
        QCOMPARE(rig.result, image(1) + image(2) + image(3));
        QCOMPARE(rig.fetcher.fetched, (QStringList{page(1), page(2), page(3)} + after));
        QCOMPARE(rig.board.task(rig.index).states.last(), allFound);
        QVERIFY(rig.input.asked.isEmpty());
    }

    // Without the switch the same pages lead on, as they always did.
    void withoutTheSwitchTheWalkGoesOn()
    {
        ChapterRig rig(QStringLiteral("/"));
        rig.mode.setChapterEnd(false);
        rig.fetcher.setPage(address("/"), chapterPage(9, QStringLiteral("/")));
        QCOMPARE(rig.run(), ImageWalk::Outcome::Finished);
        QCOMPARE(rig.result, image(1) + image(2) + image(3) + image(9));
    }

    // A picture the chapter has shown before is not listed again; the page's new ones are.
    void repeatedPicturesOnce()
    {
        ChapterRig rig(QStringLiteral("/c/1/4.html"));
        rig.fetcher.setPage(page(4), QStringLiteral("<a href=\"/c/1/5.html\"><img src=\"/p/3.jpg\"><img src=\"/p/4.jpg\"></a>"));
        QCOMPARE(rig.run(), ImageWalk::Outcome::Finished);
        QCOMPARE(rig.result, image(1) + image(2) + image(3) + image(4));
    }

    // Paused after page 2 and continued: the continued walk still knows the chapter it is in.
    void pauseKeepsTheChapter()
    {
        ChapterRig rig(QStringLiteral("/c/1/1.html?again"));
        rig.fetcher.setPage(page(1) + "?again", chapterPage(1, QStringLiteral("/c/1/2.html")));
        rig.fetcher.duringFetch = [&](const QString &fetching) { rig.flags.pauseFlag = fetching == page(2); };
        QCOMPARE(rig.run(), ImageWalk::Outcome::Paused);
        QCOMPARE(rig.result, image(1) + image(2));
        rig.fetcher.duringFetch = {};
        QVERIFY(rig.flags.pauseFlag);
        QCOMPARE(rig.run(), ImageWalk::Outcome::Finished);
        QCOMPARE(rig.result, image(1) + image(2) + image(3));
        QCOMPARE(rig.fetcher.fetched.last(), page(1) + "?again");
    }
};

QTEST_GUILESS_MAIN(TestChapterWalk)
#include "tst_chapterwalk.moc"
