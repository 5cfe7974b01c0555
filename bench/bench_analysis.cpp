// Page analysis speed: a big generated page with thousands of linked images, how the time grows
// with the page size, and the step-by-step analysis (which searches the page again for every
// image) on the same page for comparison.
#include "app/mode.h"
#include "referencepageanalysis.h"
#include "web/pageanalysis.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

const QString first = QStringLiteral("http://comic.example/c/1.html");
const QString blockUrl = QStringLiteral("javascript,void,download,class=,src=");
const QString blockImg = QStringLiteral("logo,bar,icons,shadow,avatars");

// About `bytes` of page (two bytes per character) holding `images` comic images, each inside a
// link, between navigation links, decoration images and text.
QString generatedPage(qsizetype bytes, int images)
{
    const qsizetype target = bytes / 2;
    const qsizetype perImage = target / images;
    QString filler;
    while (filler.size() < perImage)
        filler += QStringLiteral("<p class=\"t\">漫画文字 text of the page, <a href=\"/list.html\">目录</a> "
                                 "<span>more words here</span></p>\r\n");
    QString page = QStringLiteral("<html><head><title>第一话</title></head>\r\n<body>\r\n");
    page.reserve(target + 4096);
    for (int i = 0; i < images; ++i) {
        page += QStringLiteral("<div><a href=\"/c/%1.html\"><img src=\"/p/%1.jpg\" alt=\"page\"></a>"
                               "<img src=\"/img/logo.png\"></div>\r\n")
                    .arg(i + 2);
        page += QStringView(filler).left(std::max<qsizetype>(0, perImage - 100));
    }
    page += QStringLiteral("</body></html>");
    return page;
}

template <typename Run> double bestMilliseconds(int rounds, Run run)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

double analyseMilliseconds(const QString &page, const Mode &mode, int rounds)
{
    return bestMilliseconds(rounds, [&] {
        QString images;
        AnalysePage(page, first, mode, images);
    });
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Mode mode;
    mode.setBlockUrl(blockUrl);
    mode.setBlockImg(blockImg);
    constexpr qsizetype mib = 1024 * 1024;

    const QString big = generatedPage(4 * mib, 4000);
    QString bigImages;
    const QStringList bigLinks = AnalysePage(big, first, mode, bigImages);
    const double bigMs = analyseMilliseconds(big, mode, 5);
    std::printf(
        "4 MiB page, 4000 linked images: %.1f ms (%lld images, %lld candidates; target < 50 ms: %s)\n", bigMs,
        qlonglong(bigImages.count(QStringLiteral("\r\n"))), qlonglong(bigLinks.size()),
        bigMs < 50 ? "met" : "MISSED");

    std::printf("\nsize   time (ms)   ms per MiB\n");
    double perMibAtOne = 0;
    for (int size : {1, 2, 4, 8}) {
        const QString page = generatedPage(size * mib, 1000 * size);
        const double ms = analyseMilliseconds(page, mode, 5);
        if (size == 1)
            perMibAtOne = ms;
        std::printf("%d MiB  %9.1f   %10.2f  (x%.2f of the 1 MiB rate)\n", size, ms, ms / size,
                    ms / size / perMibAtOne);
    }

    const QString small = generatedPage(mib, 1000);
    QString indexedImages;
    QString stepImages;
    const QStringList indexedLinks = AnalysePage(small, first, mode, indexedImages);
    const QStringList stepLinks = referenceAnalysePage(small, first, blockImg, blockUrl, stepImages);
    const bool same = indexedImages == stepImages && indexedLinks == stepLinks;
    const double indexedMs = analyseMilliseconds(small, mode, 3);
    const double stepMs = bestMilliseconds(1, [&] {
        QString images;
        referenceAnalysePage(small, first, blockImg, blockUrl, images);
    });
    std::printf("\n1 MiB page, 1000 images: indexed %.1f ms, step by step %.1f ms, ratio %.1fx faster; "
                "same results: %s\n",
                indexedMs, stepMs, stepMs / indexedMs, same ? "yes" : "NO");
    return same ? 0 : 1;
}
