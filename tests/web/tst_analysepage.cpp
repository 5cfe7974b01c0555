#include "app/mode.h"
#include "referencepageanalysis.h"
#include "web/keywordlist.h"
#include "web/pageanalysis.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QString presetBlockUrl = QStringLiteral("javascript,void,download,class=,src=");
const QString presetBlockImg = QStringLiteral("logo,bar,icons,shadow,avatars");
const QString crlf = QStringLiteral("\r\n");

struct Analysis
{
    QString images;
    QStringList candidates;
};

Analysis runAnalysis(const QString &page, const QString &first, const QString &blockImg,
                     const QString &blockUrl)
{
    Mode mode;
    mode.setBlockImg(blockImg);
    mode.setBlockUrl(blockUrl);
    Analysis result;
    result.candidates = AnalysePage(page, first, mode, result.images);
    return result;
}

QString body(const QString &inner)
{
    return QStringLiteral("<html><head><title>t</title></head><body>") + inner +
           QStringLiteral("</body></html>");
}

// Pieces that together make the awkward pages the analysis meets: links never closed, tags over
// several lines, an "<img" inside another tag, single quotes, look-alike tag names.
const QStringList fragments = {
    QStringLiteral("<a href=\"/c/2.html\">"),
    QStringLiteral("<a href=\"3.html\" class=\"n\">"),
    QStringLiteral("<a href='/q.html'>"),
    QStringLiteral("<a id=\"x\">"),
    QStringLiteral("</a>"),
    QStringLiteral("</a >"),
    QStringLiteral("<abbr>"),
    QStringLiteral("<img src=\"/p/1.jpg\">"),
    QStringLiteral("<img src=\"//cdn.host/2.jpg\" alt=\"\">"),
    QStringLiteral("<img class=\"logo\" src=\"/l.png\">"),
    QStringLiteral("<img\r\nsrc=\"/m.jpg\">"),
    QStringLiteral("<img <img src=\"/z.jpg\">"),
    QStringLiteral("<img src=\"/z.jpg\">"),
    QStringLiteral("x"),
    QStringLiteral("<img alt=x>"),
    QStringLiteral("<img src=\"open.jpg>"),
    QStringLiteral("<body>"),
    QStringLiteral("</body>"),
    QStringLiteral("\r\n"),
    QStringLiteral("text, more"),
    QStringLiteral("\""),
    QStringLiteral(">"),
    QStringLiteral("<a"),
};

QString randomPage(QRandomGenerator &random)
{
    QString page;
    const int count = random.bounded(1, 40);
    for (int i = 0; i < count; ++i)
        page += fragments.at(random.bounded(int(fragments.size())));
    return page;
}

} // namespace

class TestAnalysePage final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keywordSplitting_data()
    {
        QTest::addColumn<bool>("linkList");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("keywords");
        const QString marker = KeywordList::commaMarker;
        QTest::newRow("image: plain") << false << "logo,bar" << QStringList{"logo", "bar"};
        QTest::newRow("image: leading comma keyword") << false << ",,,logo" << QStringList{",", "logo"};
        QTest::newRow("image: three commas inside")
            << false << "logo,,,bar" << QStringList{"logo" + marker, "bar"};
        QTest::newRow("image: two commas inside")
            << false << "logo,,bar" << QStringList{"logo" + marker + "bar"};
        QTest::newRow("image: empty") << false << "" << QStringList{};
        QTest::newRow("link: four commas") << true << "a,,,,b" << QStringList{"a", ",", "b"};
        QTest::newRow("link: trailing three") << true << "a,,," << QStringList{"a", ","};
        QTest::newRow("link: two commas") << true << "a,,b" << QStringList{"a", "b"};
        QTest::newRow("link: preset")
            << true << presetBlockUrl << QStringList{"javascript", "void", "download", "class=", "src="};
    }
    void keywordSplitting()
    {
        QFETCH(bool, linkList);
        QFETCH(QString, text);
        QFETCH(QStringList, keywords);
        const KeywordList list =
            linkList ? KeywordList::fromLinkList(text) : KeywordList::fromImageList(text);
        QCOMPARE(list.keywords(), keywords);
    }

    void dropRule_data()
    {
        QTest::addColumn<QString>("blockImg");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("keyword inside") << "logo"
                                        << "<img src=\"/logo.png\">" << true;
        QTest::newRow("case ignored in entry") << "logo"
                                               << "<img src=\"/LOGO.png\">" << true;
        QTest::newRow("case ignored in keyword") << "LoGo"
                                                 << "<img src=\"/logo.png\">" << true;
        QTest::newRow("no keyword inside") << "logo"
                                           << "<img src=\"/p/1.jpg\">" << false;
        QTest::newRow("short entry with keywords") << "logo"
                                                   << "<img" << true;
        QTest::newRow("short entry without keywords") << ""
                                                      << "<img" << false;
        QTest::newRow("empty entry without keywords") << ""
                                                      << "" << false;
        QTest::newRow("comma keyword") << ",,,logo"
                                       << "<img alt=\"a,b\">" << true;
        QTest::newRow("comma marker never matches") << "logo,,,bar"
                                                    << "<img src=\"logo.png\">" << false;
    }
    void dropRule()
    {
        QFETCH(QString, blockImg);
        QFETCH(QString, entry);
        QFETCH(bool, dropped);
        QCOMPARE(KeywordList::fromImageList(blockImg).drops(entry), dropped);
    }

    void analyse_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("blockUrl");
        QTest::addColumn<QString>("images");
        QTest::addColumn<QStringList>("candidates");
        const QString first = QStringLiteral("http://host/c/1.html");
        const QString linked = body("<a href=\"/c/2.html\"><img src=\"/p/1.jpg\"></a>");

        QTest::newRow("preset example")
            << body("<a href=\"/c/2.html\"><img src=\"/p/1.jpg\"></a><img src=\"/img/logo.png\">") << first
            << presetBlockUrl << "http://host/p/1.jpg\r\n"
            << QStringList{"http://host/c/2.html"};
        QTest::newRow("pseudo-candidate src= dropped by preset")
            << body("<img src=\"/p/1.jpg\">") << first << presetBlockUrl << "http://host/p/1.jpg\r\n"
            << QStringList{};
        QTest::newRow("pseudo-candidate src= dropped by length alone")
            << body("<img src=\"/p/1.jpg\">") << first << "void"
            << "http://host/p/1.jpg\r\n"
            << QStringList{};
        QTest::newRow("empty link list keeps pseudo-candidates and the last empty entry")
            << body("<img class=\"pic\" src=\"/p/1.jpg\">") << first << ""
            << "http://host/p/1.jpg\r\n"
            << QStringList{"class=", ""};
        QTest::newRow("empty link list and a single real link") << linked << first << ""
                                                                << "http://host/p/1.jpg\r\n"
                                                                << QStringList{"http://host/c/2.html", ""};
        QTest::newRow("single-quoted href runs to src=")
            << body("<a href='/c/2.html'><img src=\"/p/1.jpg\"></a>") << first << presetBlockUrl
            << "http://host/p/1.jpg\r\n"
            << QStringList{};
        QTest::newRow("single-quoted href, nothing dropped")
            << body("<a href='/c/2.html'><img src=\"/p/1.jpg\"></a>") << first << ""
            << "http://host/p/1.jpg\r\n"
            << QStringList{"ef='/c/2.html'><img src=", ""};
        QTest::newRow("unclosed anchor gives no candidate")
            << body("<a href=\"/c/2.html\"><img src=\"/p/1.jpg\">") << first << ""
            << "http://host/p/1.jpg\r\n"
            << QStringList{};
        QTest::newRow("two images linking to one address")
            << body("<a href=\"/c/2.html\"><img src=\"/p/1.jpg\"></a><a href=\"/c/2.html\"><img "
                    "src=\"/p/2.jpg\"></a>")
            << first << presetBlockUrl << "http://host/p/1.jpg\r\nhttp://host/p/2.jpg\r\n"
            << QStringList{"http://host/c/2.html", "http://host/c/2.html"};
        QTest::newRow("identical tags take the first one's link")
            << body("<a href=\"/c/2.html\"><img src=\"/p/1.jpg\"></a><a href=\"/c/3.html\"><img "
                    "src=\"/p/1.jpg\"></a>")
            << first << presetBlockUrl << "http://host/p/1.jpg\r\nhttp://host/p/1.jpg\r\n"
            << QStringList{"http://host/c/2.html", "http://host/c/2.html"};
        QTest::newRow("first occurrence searched in the whole page, not the body")
            << "<head><a href=\"/h.html\"><img src=\"/p/1.jpg\"></a></head>"
               "<body><a href=\"/c/2.html\"><img src=\"/p/1.jpg\"></a></body>"
            << first << presetBlockUrl << "http://host/p/1.jpg\r\n"
            << QStringList{"http://host/h.html"};
        QTest::newRow("https first address")
            << linked << "https://host/c/1.html" << presetBlockUrl << "https://host/p/1.jpg\r\n"
            << QStringList{"https://host/c/2.html"};
        QTest::newRow("protocol-relative, https")
            << body("<a href=\"//next.host/2.html\"><img src=\"//cdn.host/1.jpg\"></a>")
            << "https://host/c/1.html" << presetBlockUrl << "https://cdn.host/1.jpg\r\n"
            << QStringList{"https://next.host/2.html"};
        QTest::newRow("protocol-relative, http")
            << body("<a href=\"//next.host/2.html\"><img src=\"//cdn.host/1.jpg\"></a>") << first
            << presetBlockUrl << "http://cdn.host/1.jpg\r\n"
            << QStringList{"http://next.host/2.html"};
        QTest::newRow("relative and absolute unchanged")
            << body("<a href=\"2.html\"><img src=\"http://img.host/1.jpg\"></a>") << first << presetBlockUrl
            << "http://img.host/1.jpg\r\n"
            << QStringList{"2.html"};
        QTest::newRow("first address without path keeps root-relative")
            << linked << "http://host" << presetBlockUrl << "/p/1.jpg\r\n"
            << QStringList{"/c/2.html"};
        QTest::newRow("page without body searches everything")
            << "<p><a href=\"/c/2.html\"><img src=\"/p/1.jpg\"></a>" << first << presetBlockUrl
            << "http://host/p/1.jpg\r\n"
            << QStringList{"http://host/c/2.html"};
        QTest::newRow("a link opened at the very start is not seen")
            << "<a href=\"/c/2.html\"><img src=\"/p/1.jpg\"></a>" << first << presetBlockUrl
            << "http://host/p/1.jpg\r\n"
            << QStringList{};
        QTest::newRow("images before the body are not taken")
            << "<img src=\"/head.jpg\"><body><img src=\"/p/1.jpg\"></body>" << first << presetBlockUrl
            << "http://host/p/1.jpg\r\n"
            << QStringList{};
        QTest::newRow("tag over two lines") << body("<a href=\"/c/2.html\"><img\r\nsrc=\"/p/1.jpg\"></a>")
                                            << first << presetBlockUrl << "http://host/p/1.jpg\r\n"
                                            << QStringList{"http://host/c/2.html"};
        QTest::newRow("no src, no image but its link")
            << body("<a href=\"/c/2.html\"><img alt=\"x\"></a>") << first << presetBlockUrl << ""
            << QStringList{"http://host/c/2.html"};
        QTest::newRow("src without closing quote adds nothing")
            << body("<img src=\"/p/1.jpg>") << first << presetBlockUrl << "" << QStringList{};
        QTest::newRow("tag without > is not taken") << "<body><img src=\"/p/1.jpg\"" << first << ""
                                                    << "" << QStringList{};
        QTest::newRow("capital IMG is not found") << body("<IMG src=\"/p/1.jpg\">") << first << ""
                                                  << "" << QStringList{};
        QTest::newRow("no body end and the body early: a tiny window")
            << "<body><img src=\"/p/1.jpg\">" << first << ""
            << "" << QStringList{};
    }
    void analyse()
    {
        QFETCH(QString, page);
        QFETCH(QString, first);
        QFETCH(QString, blockUrl);
        QFETCH(QString, images);
        QFETCH(QStringList, candidates);
        const Analysis result = runAnalysis(page, first, presetBlockImg, blockUrl);
        QCOMPARE(result.images, images);
        QCOMPARE(result.candidates, candidates);
    }

    void appendsToTheList()
    {
        Mode mode;
        QString images = QStringLiteral("http://host/earlier.jpg\r\n");
        AnalysePage(body("<img src=\"/p/1.jpg\">"), QStringLiteral("http://host/c/1.html"), mode, images);
        QCOMPARE(images, QStringLiteral("http://host/earlier.jpg\r\nhttp://host/p/1.jpg\r\n"));
    }

    // The lists are read while the page is analysed, after the tags are collected.
    void keywordListsReadAfterTagsCollected()
    {
        Mode mode;
        int calls = 0;
        QString images;
        const QString page = body("<a href=\"/c/2.html\"><img src=\"/p/1.jpg\"></a><img src=\"/logo.png\">");
        const QStringList candidates =
            AnalysePage(page, QStringLiteral("http://host/c/1.html"), mode, images, [&] {
                ++calls;
                QVERIFY(images.isEmpty());
                mode.setBlockImg(presetBlockImg);
                mode.setBlockUrl(presetBlockUrl);
            });
        QCOMPARE(calls, 1);
        QCOMPARE(images, QStringLiteral("http://host/p/1.jpg\r\n"));
        QCOMPARE(candidates, QStringList{QStringLiteral("http://host/c/2.html")});
    }

    // The indexed analysis must give exactly what the step-by-step one gives, on awkward pages too.
    void sameAsStepByStep_data()
    {
        QTest::addColumn<QString>("blockImg");
        QTest::addColumn<QString>("blockUrl");
        QTest::newRow("preset") << presetBlockImg << presetBlockUrl;
        QTest::newRow("no keywords") << ""
                                     << "";
        QTest::newRow("comma keywords") << ",,,logo"
                                        << "a,,,,b";
    }
    void sameAsStepByStep()
    {
        QFETCH(QString, blockImg);
        QFETCH(QString, blockUrl);
        QRandomGenerator random(20261210);
        for (int i = 0; i < 2000; ++i) {
            const QString page = randomPage(random);
            const QString first =
                i % 2 ? QStringLiteral("http://host/c/1.html") : QStringLiteral("https://h/1");
            QString expectedImages;
            const QStringList expected =
                referenceAnalysePage(page, first, blockImg, blockUrl, expectedImages);
            const Analysis result = runAnalysis(page, first, blockImg, blockUrl);
            if (result.images != expectedImages || result.candidates != expected)
                qWarning().noquote() << "page:" << page;
            QCOMPARE(result.images, expectedImages);
            QCOMPARE(result.candidates, expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestAnalysePage)
#include "tst_analysepage.moc"
