#include "app/mode.h"
#include "app/modefile.h"
#include "web/chapterbounds.h"
#include "web/pagereading.h"
#include "web/readeranalysis.h"

#include <QTemporaryDir>
#include <QTest>

// One page read by the reader's rules, with the preset Reader mode's keyword lists.

namespace {

const QString pageAddress = QStringLiteral("http://host/comic/ch1/2.html");

void loadReaderPreset(Mode &mode)
{
    QTemporaryDir dir;
    WriteReaderMode(dir.path());
    QVERIFY(LoadMode(dir.path(), QStringLiteral("Reader"), mode));
}

QString body(const QString &markup)
{
    return QStringLiteral("<html><head><title>t</title></head><body>") + markup + QStringLiteral("</body></html>");
}

} // namespace

class TestReaderAnalysis final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void images_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QStringList>("images");
        const QString a = QStringLiteral("http://host/p/a.jpg");
        const QString b = QStringLiteral("http://host/p/b.jpg");

        QTest::newRow("src") << "<img src=\"/p/a.jpg\">" << QStringList{a};
        QTest::newRow("lazy attribute over src") << "<img src=\"/p/b.jpg\" data-original=\"/p/a.jpg\">" << QStringList{a};
        QTest::newRow("lazy attributes in their order")
            << "<img data-echo=\"/p/b.jpg\" data-src=\"/p/a.jpg\">" << QStringList{a};
        QTest::newRow("blank lazy attribute, then src") << "<img data-src=\" \n\" src=\"/p/a.jpg\">" << QStringList{a};
        QTest::newRow("data: placeholder") << "<img src=\"data:image/gif;base64,R0lG\">" << QStringList{};
        QTest::newRow("empty src") << "<img src=\"\" alt=\"x\"><img>" << QStringList{};
        QTest::newRow("loading picture") << "<img src=\"/static/loading.gif\">" << QStringList{};
        QTest::newRow("native lazy loading is no placeholder")
            << "<img src=\"/p/a.jpg\" loading=\"lazy\" alt=\"loading\">" << QStringList{a};
        QTest::newRow("line breaks, tabs and blanks") << "<img\n\tsrc=\"\n\t\t/p/\na.jpg\t \n\">" << QStringList{a};
        QTest::newRow("quotes of every kind, any case")
            << "<IMG SRC='/p/a.jpg'><img src=/p/b.jpg>" << QStringList{a, b};
        QTest::newRow("character references") << "<img src=\"/p/a.jpg?x=1&amp;y=2\">"
                                              << QStringList{QStringLiteral("http://host/p/a.jpg?x=1&y=2")};
        QTest::newRow("relative, protocol-relative, other host")
            << "<img src=\"../p/a.jpg\"><img src=\"//cdn.host/b.jpg\"><img src=\"https://cdn2/c.png\">"
            << QStringList{QStringLiteral("http://host/comic/p/a.jpg"), QStringLiteral("http://cdn.host/b.jpg"),
                           QStringLiteral("https://cdn2/c.png")};
        QTest::newRow("base href") << "<base href=\"http://cdn.host/ch1/\"><img src=\"a.jpg\">"
                                   << QStringList{QStringLiteral("http://cdn.host/ch1/a.jpg")};
        QTest::newRow("each once, noscript copy included")
            << "<img data-src=\"/p/a.jpg\" src=\"/s/blank.gif\"><noscript><img src=\"/p/a.jpg\"></noscript>"
               "<img src=\"/p/b.jpg#x\"><img src=\"/p/b.jpg\">"
            << QStringList{a, b};
        QTest::newRow("not in comments, scripts or attribute values")
            << "<!-- <img src=\"/p/x.jpg\"> --><script>var s = '<img src=\"/p/y.jpg\">';</script>"
               "<div title=\"<img src='/p/z.jpg'>\"></div><img src=\"/p/a.jpg\">"
            << QStringList{a};
        QTest::newRow("other schemes") << "<img src=\"javascript:void(0)\"><img src=\"about:blank\">" << QStringList{};
        QTest::newRow("advertisement") << "<img src=\"/ads/banner.jpg\"><img src=\"/p/a.jpg\">" << QStringList{a};
        QTest::newRow("decoration by class or id")
            << "<img class=\"site-logo\" src=\"/up/h.png\"><img id=\"Avatars-1\" src=\"/up/u.png\">"
               "<img class=\"lazyload comic\" src=\"/p/a.jpg\">"
            << QStringList{a};
        QTest::newRow("largest of srcset over src")
            << "<img src=\"/p/b.jpg\" srcset=\"/p/b.jpg 800w, /p/a.jpg 1600w\">" << QStringList{a};
        QTest::newRow("data-srcset over a placeholder srcset")
            << "<img src=\"data:image/gif;base64,R0lG\" srcset=\"data:image/gif;base64,R0lG 1x\" "
               "data-srcset=\"/p/b.jpg 1x,\n /p/a.jpg 2x\">"
            << QStringList{a};
        QTest::newRow("data: srcset leaves src")
            << "<img srcset=\"data:image/gif;base64,R0lG\" src=\"/p/a.jpg\">" << QStringList{a};
        QTest::newRow("lazy attribute over srcset")
            << "<img data-src=\"/p/a.jpg\" srcset=\"/p/b.jpg 2x\">" << QStringList{a};
        QTest::newRow("empty srcset") << "<img srcset=\" , \" src=\"/p/a.jpg\">" << QStringList{a};
    }
    void images()
    {
        QFETCH(QString, markup);
        QFETCH(QStringList, images);
        Mode mode;
        loadReaderPreset(mode);
        QCOMPARE(AnalyseReaderPage(body(markup), pageAddress, mode).images, images);
    }

    void nextPages_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QStringList>("candidates");
        const QString three = QStringLiteral("http://host/comic/ch1/3.html");
        const QString picture = QStringLiteral("<img src=\"/p/2.jpg\">");

        QTest::newRow("link around the picture") << "<a href=\"3.html\">" + picture + "</a>" << QStringList{three};
        QTest::newRow("picture outside any link") << picture + "<a href=\"/about.html\">about</a>" << QStringList{};
        QTest::newRow("link without href") << "<a data-index=\"3\">" + picture + "</a>" << QStringList{};
        QTest::newRow("never #, empty, javascript:, the page itself or a picture")
            << "<a href=\"#p3\">" + picture + "</a><a href=\"\"><img src=\"/p/b.jpg\"></a>"
               "<a href=\" JavaScript:next()\"><img src=\"/p/c.jpg\"></a><a href=\"2.html#top\"><img src=\"/p/d.jpg\"></a>"
               "<a href=\"/p/e-big.jpg\"><img src=\"/p/e.jpg\"></a>"
            << QStringList{};
        QTest::newRow("the page itself with its slashes tripled")
            << "<a href=\"http://host///comic/ch1/2.html\">" + picture + "</a>" << QStringList{};
        QTest::newRow("identical links once")
            << "<a href=\"3.html\"><img src=\"/p/a.jpg\"><img src=\"/p/b.jpg\"></a><a href=\"./3.html\">" + picture +
                   "</a>"
            << QStringList{three};
        QTest::newRow("two different links") << "<a href=\"3.html\">" + picture + "</a><a href=\"4.html\"><img src=\"/p/b.jpg\"></a>"
                                             << QStringList{three, QStringLiteral("http://host/comic/ch1/4.html")};
        QTest::newRow("advertisement in a link beside the picture")
            << "<a href=\"3.html\">" + picture + "</a><a href=\"http://ads.example/c?1\"><img src=\"/ads/x.jpg\"></a>"
            << QStringList{three};
        QTest::newRow("numeric references, line breaks") << "<a href=\"\n  3.html?a=1&#38;b=&#x32;\n\">" + picture + "</a>"
                                                         << QStringList{three + QStringLiteral("?a=1&b=2")};
        QTest::newRow("link keyword") << "<a href=\"/download/3.zip\">" + picture + "</a>" << QStringList{};
        QTest::newRow("rel=next on <link>, relative")
            << "<link rel=\"prev\" href=\"1.html\"><link rel=\"Next\" href=\"../ch1/3.html\">" + picture << QStringList{three};
        QTest::newRow("rel=next among other words, on <a>")
            << picture + "<a rel=\"nofollow next\" href=\"?p=3\">›</a>"
            << QStringList{QStringLiteral("http://host/comic/ch1/2.html?p=3")};
        QTest::newRow("rel=next over next text")
            << picture + "<a href=\"4.html\">下一页</a><a rel=\"next\" href=\"3.html\">3</a>" << QStringList{three};
        QTest::newRow("next text") << picture + "<a href=\"1.html\">上一页</a><a href=\"3.html\"> 下一页 </a>"
                                   << QStringList{three};
        QTest::newRow("next class") << picture + "<a class=\"btn nav-next\" href=\"3.html\"><i></i></a>" << QStringList{three};
        QTest::newRow("next title") << picture + "<a title=\"Next Page\" href=\"3.html\">&raquo;</a>" << QStringList{three};
        QTest::newRow("picture links win over next text")
            << "<a href=\"3.html\">" + picture + "</a><a href=\"5.html\">next</a>" << QStringList{three};
        QTest::newRow("a picture link that is no next page leaves it to the next text")
            << "<a href=\"javascript:void(0)\">" + picture + "</a><a href=\"3.html\">Next</a>" << QStringList{three};
        QTest::newRow("chapter links never")
            << picture + "<a href=\"/comic/ch2/1.html\">下一章</a><a class=\"next-chapter\" href=\"/c/2/\">Next</a>"
                         "<a href=\"/c/3/\">Next Chapter</a><a href=\"/c/4/\" title=\"下一话\">next</a>"
                         "<a href=\"/c/5/\">下一回</a>"
            << QStringList{};
        QTest::newRow("chapter link around the picture") << "<a href=\"/comic/ch2/1.html\" title=\"Next chapter\">" +
                                                                picture + "</a>"
                                                         << QStringList{};
        QTest::newRow("a page of a chapter is a page")
            << "<a href=\"3.html\" title=\"第1话 第3页\">" + picture + "</a>" << QStringList{three};
        QTest::newRow("links do not nest") << "<a href=\"/home\">home<a href=\"3.html\">" + picture + "</a></a>"
                                           << QStringList{three};
        QTest::newRow("base href") << "<base href=\"/other/\"><a href=\"3.html\">" + picture + "</a>"
                                   << QStringList{QStringLiteral("http://host/other/3.html")};
    }
    void nextPages()
    {
        QFETCH(QString, markup);
        QFETCH(QStringList, candidates);
        Mode mode;
        loadReaderPreset(mode);
        QCOMPARE(AnalyseReaderPage(body(markup), pageAddress, mode).candidates, candidates);
    }

    // Whatever a page holds, it is read to its end: what stands before the damage is found.
    void brokenMarkup_data()
    {
        QTest::addColumn<QString>("tail");
        QTest::newRow("comment never closed") << "<!-- <img src=\"/p/x.jpg\">";
        QTest::newRow("quote never closed") << "<img src=\"/p/x.jpg>";
        QTest::newRow("tag never closed") << "<img src=/p/x.jpg";
        QTest::newRow("bare <") << "<";
        QTest::newRow("bare </") << "</";
        QTest::newRow("end tag never closed") << "</a";
        QTest::newRow("script never closed") << "<script>var a = ['/p/x.jpg";
        QTest::newRow("odd references") << "<a href=\"&#xFFFFFFFF;&#0;&#;&#x;&amp&unknown;&#55296;\">next</a>";
        QTest::newRow("lone surrogates and nul") << QString::fromUtf16(u"<a href=\"\xD800\">\0next\xDC00</a>");
        QTest::newRow("attribute names only") << "<img = == \"\" '' / / src>";
        QTest::newRow("a megabyte of one attribute") << "<img src=\"" + QString(1 << 20, u'x') + "\"";
    }
    void brokenMarkup()
    {
        QFETCH(QString, tail);
        Mode mode;
        loadReaderPreset(mode);
        mode.setScriptImg(false);
        const PageFindings findings =
            AnalyseReaderPage(QStringLiteral("<a href=\"3.html\"><img src=\"/p/a.jpg\"></a>") + tail, pageAddress, mode);
        QCOMPARE(findings.images, QStringList{QStringLiteral("http://host/p/a.jpg")});
        QCOMPARE(findings.candidates, QStringList{QStringLiteral("http://host/comic/ch1/3.html")});
    }

    // Addresses are resolved against the address where the page was found, not the one asked for.
    void resolvesAgainstThePageAfterRedirects()
    {
        Mode mode;
        loadReaderPreset(mode);
        const PageFindings findings = ReadPage(body(QStringLiteral("<a href=\"3.html\"><img src=\"p.jpg\"></a>")),
                                               QStringLiteral("https://new.host/read/7/2.html"),
                                               QStringLiteral("http://old.host/c/1.html"), mode);
        QCOMPARE(findings.images, QStringList{QStringLiteral("https://new.host/read/7/p.jpg")});
        QCOMPARE(findings.candidates, QStringList{QStringLiteral("https://new.host/read/7/3.html")});
    }

    void scriptPictures_data()
    {
        QTest::addColumn<bool>("readerPage");
        QTest::addColumn<bool>("scriptImg");
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QStringList>("images");
        const QString list = QStringLiteral(
            "<script>var d = {\"pages\":[\"http:\\/\\/cdn.host\\/1.jpg\",\"\\/p\\/2.PNG?v=3\",\"\\u002Fp\\u002F3.webp\"],"
            "\"cover\":\"\"}; // it's the reader's list\n"
            "var again = ['http://cdn.host/1.jpg', \"/static/loading.gif\", \".jpg\", \"a picture.jpg\", x + \".png\"];"
            "</script>");
        const QStringList found{QStringLiteral("http://cdn.host/1.jpg"), QStringLiteral("http://host/p/2.PNG?v=3"),
                                QStringLiteral("http://host/p/3.webp")};
        QTest::newRow("reader, spinner only") << true << true << "<img src=\"/s/loading.gif\">" + list << found;
        QTest::newRow("reader, switch off") << true << false << "<img src=\"/s/loading.gif\">" + list << QStringList{};
        QTest::newRow("reader, the markup has a picture")
            << true << true << "<img src=\"/p/0.jpg\">" + list << QStringList{QStringLiteral("http://host/p/0.jpg")};
        QTest::newRow("plain reading, no image tag")
            << false << true << list
            << QStringList{QStringLiteral("http://cdn.host/1.jpg"), QStringLiteral("http://host/p/2.PNG?v=3"),
                           QStringLiteral("http://host/p/3.webp")};
        QTest::newRow("plain reading, switch off") << false << false << list << QStringList{};
    }
    void scriptPictures()
    {
        QFETCH(bool, readerPage);
        QFETCH(bool, scriptImg);
        QFETCH(QString, markup);
        QFETCH(QStringList, images);
        Mode mode;
        loadReaderPreset(mode);
        mode.setReaderPage(readerPage);
        mode.setScriptImg(scriptImg);
        QCOMPARE(ReadPage(body(markup), pageAddress, QStringLiteral("http://host/comic/ch1/1.html"), mode).images,
                 images);
    }

    // The chapter's part of the address, from its first two pages, and a third page in or out.
    void chapterPart_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("third");
        QTest::addColumn<bool>("inside");
        QTest::newRow("numbered files") << "http://h/c/1/1.html" << "http://h/c/1/2.html" << "http://h/c/1/"
                                        << "http://h/c/1/3.html" << true;
        QTest::newRow("the next chapter") << "http://h/c/1/1.html" << "http://h/c/1/2.html" << "http://h/c/1/"
                                          << "http://h/c/2/1.html" << false;
        QTest::newRow("a number cut in the middle") << "http://h/c/101.html" << "http://h/c/102.html" << "http://h/c/"
                                                    << "http://h/c/110.html" << true;
        QTest::newRow("chapter index, then its pages") << "http://h/c/7/" << "http://h/c/7/2" << "http://h/c/7/"
                                                       << "http://h/c/7/3" << true;
        QTest::newRow("a whole number kept") << "http://h/c/7" << "http://h/c/7?p=2" << "http://h/c/7"
                                             << "http://h/c/7?p=3" << true;
        QTest::newRow("a longer number is another") << "http://h/c/7" << "http://h/c/7?p=2" << "http://h/c/7"
                                                    << "http://h/c/70?p=1" << false;
        QTest::newRow("query") << "http://h/r.php?c=3&p=1" << "http://h/r.php?c=3&p=2" << "http://h/r.php?c=3&p="
                               << "http://h/r.php?c=4&p=1" << false;
        QTest::newRow("spelt otherwise") << "http://h/c/1/1.html" << "http://h/c/1/2.html" << "http://h/c/1/"
                                         << "HTTP://H/c/1/x/../3.html#top" << true;
    }
    void chapterPart()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, part);
        QFETCH(QString, third);
        QFETCH(bool, inside);
        QCOMPARE(ChapterBounds::commonPart(first, second), part);
        ChapterBounds bounds;
        QVERIFY(bounds.enter(first, first));
        QVERIFY(bounds.enter(second, second));
        QCOMPARE(bounds.chapterPart(), part);
        QCOMPARE(bounds.enter(third, third), inside);
        QCOMPARE(bounds.hasFetched(third), inside);
        QVERIFY(!bounds.enter(second, second));
    }
};

QTEST_GUILESS_MAIN(TestReaderAnalysis)
#include "tst_readeranalysis.moc"
