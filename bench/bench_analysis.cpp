// Page analysis speed: a big generated page with thousands of linked images, how the time grows
// with the page size, and the step-by-step analysis (which searches the page again for every
// image) on the same page for comparison; the reader's reading (markup read element by element)
// on the big page beside the plain analysis.
#include "app/mode.h"
#include "referencepageanalysis.h"
#include "web/pageanalysis.h"
#include "web/readeranalysis.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <time.h>

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

double threadCpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Best wall time and best CPU time of this thread over the rounds. On a busy machine the wall
// time also counts the time other processes had the core; the CPU time is the analysis alone.
struct Timing
{
    double wallMs = 1e300;
    double cpuMs = 1e300;
};

template <typename Run> Timing bestOf(int rounds, Run run)
{
    Timing best;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        const double cpuBefore = threadCpuMilliseconds();
        timer.start();
        run();
        best.wallMs = std::min(best.wallMs, timer.nsecsElapsed() / 1e6);
        best.cpuMs = std::min(best.cpuMs, threadCpuMilliseconds() - cpuBefore);
    }
    return best;
}

Timing analyseTiming(const QString &page, const Mode &mode, int rounds)
{
    return bestOf(rounds, [&] {
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
    const Timing bigTime = analyseTiming(big, mode, 10);
    std::printf("4 MiB page, 4000 linked images: %.1f ms (CPU %.1f ms; %lld images, %lld candidates; "
                "target < 50 ms: %s)\n",
                bigTime.wallMs, bigTime.cpuMs, qlonglong(bigImages.count(QStringLiteral("\r\n"))),
                qlonglong(bigLinks.size()), bigTime.wallMs < 50 ? "met" : "MISSED");

    Mode reader;
    reader.setBlockUrl(blockUrl);
    reader.setBlockImg(blockImg);
    reader.setReaderPage(true);
    const PageFindings readerFindings = AnalyseReaderPage(big, first, reader);
    const Timing readerTime = bestOf(10, [&] { AnalyseReaderPage(big, first, reader); });
    std::printf("the same page read by the reader: %.1f ms (CPU %.1f ms; %lld images, %lld candidates); "
                "ratio reader/plain CPU: %.2f\n",
                readerTime.wallMs, readerTime.cpuMs, qlonglong(readerFindings.images.size()),
                qlonglong(readerFindings.candidates.size()), readerTime.cpuMs / bigTime.cpuMs);

    std::printf("\nsize   time (ms)   CPU (ms)   CPU ms per MiB\n");
    double perMibAtOne = 0;
    for (int size : {1, 2, 4, 8}) {
        const QString page = generatedPage(size * mib, 1000 * size);
        const Timing time = analyseTiming(page, mode, 10);
        if (size == 1)
            perMibAtOne = time.cpuMs;
        std::printf("%d MiB  %9.1f  %9.1f  %10.2f  (x%.2f of the 1 MiB rate)\n", size, time.wallMs,
                    time.cpuMs, time.cpuMs / size, time.cpuMs / size / perMibAtOne);
    }

    const QString small = generatedPage(mib, 1000);
    QString indexedImages;
    QString stepImages;
    const QStringList indexedLinks = AnalysePage(small, first, mode, indexedImages);
    const QStringList stepLinks = referenceAnalysePage(small, first, blockImg, blockUrl, stepImages);
    const bool same = indexedImages == stepImages && indexedLinks == stepLinks;
    const double indexedMs = analyseTiming(small, mode, 3).cpuMs;
    const double stepMs = bestOf(1, [&] {
                              QString images;
                              referenceAnalysePage(small, first, blockImg, blockUrl, images);
                          }).cpuMs;
    std::printf("\n1 MiB page, 1000 images (CPU): indexed %.1f ms, step by step %.1f ms, ratio %.1fx faster; "
                "same results: %s\n",
                indexedMs, stepMs, stepMs / indexedMs, same ? "yes" : "NO");
    return same ? 0 : 1;
}
