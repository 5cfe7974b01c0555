#include "app/modefile.h"
#include "fixturesite.h"
#include "loopbackserver.h"
#include "walkparts.h"
#include "web/httppagefetcher.h"

#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

// Chapter 1 of each fixture site (tests/support/fixtures/sites), walked over HTTP as a user would
// walk it: with the preset Reader mode, and with the preset Normal mode as it has always read them.

namespace {

struct SiteWalk : WalkParts<HttpPageFetcher>
{
    LoopbackServer server;
    QString result;

    SiteWalk() { fetcher.setTimeLimit(5s); }

    ImageWalk::Outcome run(const QString &site, const QString &firstPath)
    {
        if (!serveFixtureSite(server, site))
            qFatal("fixture site %s missing", qPrintable(site));
        const QString first = server.url(firstPath);
        return walk.BuildImageList(first, board.addTask(QStringLiteral("chapter"), first), result);
    }
    // Addresses on the server written as "{origin}/path".
    QString withOrigin(QString text) const { return text.replace(QStringLiteral("{origin}"), server.url({})); }
    QStringList fetchedTargets() const
    {
        QStringList targets;
        for (const LoopbackRequest &request : server.requests())
            targets.append(QString::fromLatin1(request.target));
        return targets;
    }
};

// The preset Reader mode, as start-up writes it.
void useReaderMode(Mode &mode)
{
    QTemporaryDir dir;
    WriteReaderMode(dir.path());
    QVERIFY(LoadMode(dir.path(), QStringLiteral("Reader"), mode));
}

QStringList numbered(const QString &pattern, const QStringList &numbers)
{
    QStringList list;
    for (const QString &number : numbers)
        list.append(pattern.arg(number));
    return list;
}

} // namespace

class TestReaderSites final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readerWalksChapterOne_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QStringList>("images");
        QTest::addColumn<QStringList>("fetched"); // every request, in order
        const QStringList three{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
        const QStringList five{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                               QStringLiteral("5")};

        QTest::newRow("paged, next link beside the picture")
            << "paged" << "/paged/ch1/1.html" << numbered(QStringLiteral("{origin}/paged/img/ch1/0%1.jpg"), three)
            << numbered(QStringLiteral("/paged/ch1/%1.html"), three);
        QTest::newRow("relative rel=next, the last one into chapter 2")
            << "relnext" << "/rel/c1/1/" << numbered(QStringLiteral("{origin}/rel/img/c1-%1.png"), three)
            << numbered(QStringLiteral("/rel/c1/%1/"), three) + QStringList{QStringLiteral("/rel/c2/1/")};
        QTest::newRow("long strip at full addresses")
            << "strip" << "/strip/comic/ch1/" << numbered(QStringLiteral("http://cdn.strip.test/comic/ch1/00%1.jpg"), five)
            << QStringList{QStringLiteral("/strip/comic/ch1/")};
        QTest::newRow("lazy strip, placeholders in src")
            << "lazy" << "/lazy/ch1.html" << numbered(QStringLiteral("{origin}/lazy/img/ch1/0%1.jpg"), five)
            << QStringList{QStringLiteral("/lazy/ch1.html")};
        QTest::newRow("line breaks in attributes, last link to the series page")
            << "linebreaks" << "/nl/ch1/p1.html" << numbered(QStringLiteral("{origin}/nl/img/ch1/0%1.jpg"), five)
            << QStringList{QStringLiteral("/nl/ch1/p1.html"), QStringLiteral("/nl/ch1/p2.html"), QStringLiteral("/nl/")};
        QTest::newRow("pictures listed in a script")
            << "script" << "/sc/view/ch1.html" << numbered(QStringLiteral("{origin}/sc/img/c1/0%1.webp"), three)
            << QStringList{QStringLiteral("/sc/view/ch1.html")};
        QTest::newRow("advertisement beside the wrapped picture")
            << "advert" << "/ad/ch1/1.html" << numbered(QStringLiteral("{origin}/ad/img/ch1/0%1.jpg"), three)
            << numbered(QStringLiteral("/ad/ch1/%1.html"), three);
        QTest::newRow("two pictures a page, base href")
            << "twoimages" << "/two/view.php?id=1-1"
            << numbered(QStringLiteral("{origin}/two/store/ch1/%1.jpg"),
                        {QStringLiteral("01a"), QStringLiteral("01b"), QStringLiteral("02a"), QStringLiteral("02b"),
                         QStringLiteral("03a"), QStringLiteral("03b")})
            << numbered(QStringLiteral("/two/view.php?id=1-%1"), three);
        QTest::newRow("last page redirects into chapter 2")
            << "redirect" << "/rd/ch1/1.html" << numbered(QStringLiteral("{origin}/rd/img/ch1/0%1.jpg"), three)
            << numbered(QStringLiteral("/rd/ch1/%1.html"), three) +
                   QStringList{QStringLiteral("/rd/next?from=ch1"), QStringLiteral("/rd/ch2/1.html")};
        QTest::newRow("last link to the site's root")
            << "siteroot" << "/root/comic/ch1/1.html" << numbered(QStringLiteral("{origin}/root/img/ch1/0%1.jpg"), three)
            << numbered(QStringLiteral("/root/comic/ch1/%1.html"), three) + QStringList{QStringLiteral("/")};
        QTest::newRow("largest picture of a srcset, commas in its path")
            << "srcset" << "/ss/manga/ch1/1.html" << numbered(QStringLiteral("{origin}/ss/cdn/w_1440,q_90/ch1/0%1.jpg"), three)
            << numbered(QStringLiteral("/ss/manga/ch1/%1.html"), three) + QStringList{QStringLiteral("/ss/manga/")};
    }
    void readerWalksChapterOne()
    {
        QFETCH(QString, site);
        QFETCH(QString, first);
        QFETCH(QStringList, images);
        QFETCH(QStringList, fetched);
        SiteWalk walk;
        useReaderMode(walk.mode);
        QCOMPARE(walk.run(site, first), ImageWalk::Outcome::Finished);
        QCOMPARE(walk.result.split(QStringLiteral("\r\n")), walk.withOrigin(images.join(u' ')).split(u' ') << QString());
        QCOMPARE(walk.input.asked.size(), 0);
        QCOMPARE(walk.fetchedTargets(), fetched);
        QCOMPARE(walk.board.task(0).states.last(), QStringLiteral("链接已全部被找到!开始下载..."));
    }

    // What the Normal mode has always made of the same pages: questions left unanswered end the walk.
    void normalReadsThemAsBefore_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("questions");
        QTest::newRow("paged") << "paged" << "/paged/ch1/1.html" << "{origin}/paged/img/ch1/01.jpg\r\n" << 0;
        QTest::newRow("relnext") << "relnext" << "/rel/c1/1/" << "../../img/c1-1.png\r\n" << 0;
        QTest::newRow("strip") << "strip" << "/strip/comic/ch1/"
                               << "http://cdn.strip.test/comic/ch1/001.jpg\r\nhttp://cdn.strip.test/comic/ch1/002.jpg\r\n"
                                  "http://cdn.strip.test/comic/ch1/003.jpg\r\nhttp://cdn.strip.test/comic/ch1/004.jpg\r\n"
                                  "http://cdn.strip.test/comic/ch1/005.jpg\r\n"
                               << 0;
        QTest::newRow("lazy") << "lazy" << "/lazy/ch1.html"
                              << "data:image/gif;base64,R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7\r\n"
                                 "{origin}/lazy/static/loading.gif\r\n\r\n{origin}/lazy/static/blank.gif\r\n"
                                 "{origin}/lazy/img/ch1/04.jpg\r\n{origin}/lazy/img/ch1/05.jpg\r\n"
                              << 0;
        QTest::newRow("linebreaks") << "linebreaks" << "/nl/ch1/p1.html"
                                    << "\n\t\t\t\t/nl/img/ch1/01.jpg\n\t\t\t\r\n\t/nl/img/ch1/02.jpg\t\r\n"
                                       "\n/nl/img/ch1/03.jpg\r\n"
                                    << 0;
        QTest::newRow("script") << "script" << "/sc/view/ch1.html" << "{origin}/sc/static/loading.gif\r\n" << 0;
        QTest::newRow("advert") << "advert" << "/ad/ch1/1.html"
                                << "{origin}/ad/img/ch1/01.jpg\r\n{origin}/ad/ads/banner-300x250.jpg\r\n" << 1;
        QTest::newRow("twoimages") << "twoimages" << "/two/view.php?id=1-1" << "01a.jpg\r\n01b.jpg\r\n" << 1;
        QTest::newRow("redirect") << "redirect" << "/rd/ch1/1.html"
                                  << "{origin}/rd/img/ch1/01.jpg\r\n{origin}/rd/img/ch1/02.jpg\r\n"
                                     "{origin}/rd/img/ch1/03.jpg\r\n{origin}/rd/img/ch2/01.jpg\r\n"
                                     "{origin}/rd/img/ch2/02.jpg\r\n"
                                  << 0;
        QTest::newRow("siteroot") << "siteroot" << "/root/comic/ch1/1.html"
                                  << "{origin}/root/img/ch1/01.jpg\r\n{origin}/root/img/ch1/02.jpg\r\n"
                                     "{origin}/root/img/ch1/03.jpg\r\n{origin}/root/img/ch7/02.jpg\r\n"
                                     "{origin}/root/img/ch7/02.jpg\r\n"
                                  << 0;
    }
    void normalReadsThemAsBefore()
    {
        QFETCH(QString, site);
        QFETCH(QString, first);
        QFETCH(QString, result);
        QFETCH(int, questions);
        SiteWalk walk;
        QCOMPARE(walk.run(site, first), ImageWalk::Outcome::Finished);
        QCOMPARE(walk.result, walk.withOrigin(result));
        QCOMPARE(walk.input.asked.size(), questions);
    }
};

QTEST_GUILESS_MAIN(TestReaderSites)
#include "tst_readersites.moc"
