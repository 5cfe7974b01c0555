// Chapter walk speed: a 200-page chapter served on loopback, walked page by page with the HTTP
// fetcher, against wget fetching the same pages recursively from the same server in the same run.
#include "loopbackserver.h"
#include "walkparts.h"
#include "web/httppagefetcher.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

constexpr int pageCount = 200;

// A comic page of about 20 KB: text, navigation, decoration and the comic image inside a
// root-relative link to the next page (the last one links back to the first).
QByteArray chapterPage(int page)
{
    const int next = page == pageCount ? 1 : page + 1;
    QByteArray filler;
    while (filler.size() < 20000)
        filler += "<p class=\"t\">Some words of the page, <a href=\"/c/" + QByteArray::number(next) +
                  ".html\" class=\"nav\">next</a> <span>and more words</span></p>\r\n";
    return "<html><head><meta charset=\"utf-8\"><title>Chapter page " + QByteArray::number(page) +
           "</title></head>\r\n<body><img src=\"/img/logo.png\">" + filler + "<a href=\"/c/" +
           QByteArray::number(next) + ".html\"><img src=\"/p/" + QByteArray::number(page) +
           ".jpg\"></a>\r\n</body></html>";
}

int pageRequests(const LoopbackServer &server)
{
    int count = 0;
    for (int page = 1; page <= pageCount; ++page)
        count += server.requestCount(QStringLiteral("/c/%1.html").arg(page));
    return count;
}

double walkSeconds(LoopbackServer &server, int &images)
{
    WalkParts<HttpPageFetcher> parts;
    const qint16 index =
        parts.board.addTask(QStringLiteral("chapter"), server.url(QStringLiteral("/c/1.html")));
    QString result;
    QElapsedTimer timer;
    timer.start();
    parts.walk.BuildImageList(parts.board.GetURL(index), index, result);
    const double seconds = timer.nsecsElapsed() / 1e9;
    images = int(result.count(QStringLiteral("\r\n")));
    return seconds;
}

// wget runs while this thread keeps serving, so its requests are answered.
double wgetSeconds(LoopbackServer &server, const QString &wget, bool &ok)
{
    QTemporaryDir folder;
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    process.start(wget,
                  {QStringLiteral("-r"), QStringLiteral("-l"), QStringLiteral("inf"), QStringLiteral("-np"),
                   QStringLiteral("-q"), QStringLiteral("-nH"), QStringLiteral("-P"), folder.path(),
                   // Only the pages: the walk reads no robots.txt and fetches no images either.
                   QStringLiteral("-e"), QStringLiteral("robots=off"), QStringLiteral("-R"),
                   QStringLiteral("jpg,png"), server.url(QStringLiteral("/c/1.html"))});
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;
    ok = process.exitStatus() == QProcess::NormalExit && process.error() == QProcess::UnknownError;
    return seconds;
}

constexpr int rounds = 5;

// Both clients against one freshly scripted server, taking turns for a few rounds; the best round
// of each counts, so a moment's load on the machine does not decide the ratio. False when a walk
// missed a page.
bool compare(const QString &wget, bool newConnectionPerPage)
{
    LoopbackServer server;
    if (!server.isListening()) {
        std::printf("loopback server could not listen\n");
        return false;
    }
    for (int page = 1; page <= pageCount; ++page) {
        LoopbackResponse response = LoopbackResponse::page(chapterPage(page));
        response.closeAfter = newConnectionPerPage;
        server.setResponse(QStringLiteral("/c/%1.html").arg(page), response);
    }
    std::printf("%s (best of %d rounds):\n",
                newConnectionPerPage ? "a new connection for every page" : "connections kept alive", rounds);

    bool complete = true;
    bool peerOk = true;
    double walk = 1e300;
    double peer = 1e300;
    int peerOthers = 0;
    for (int round = 0; round < rounds; ++round) {
        server.clearRequests();
        int images = 0;
        walk = std::min(walk, walkSeconds(server, images));
        complete = complete && images == pageCount && pageRequests(server) == pageCount;
        if (wget.isEmpty())
            continue;
        server.clearRequests();
        bool ok = false;
        peer = std::min(peer, wgetSeconds(server, wget, ok));
        peerOk = peerOk && ok && pageRequests(server) == pageCount;
        peerOthers = std::max(peerOthers, int(server.requests().size()) - pageRequests(server));
    }
    const double walkRate = pageCount / walk;
    std::printf("  walk:    %d pages in %.3f s, %6.0f pages/s%s\n", pageCount, walk, walkRate,
                complete ? "" : " (PAGES MISSED)");
    if (wget.isEmpty()) {
        std::printf("  wget not found: no peer figure\n");
        return complete;
    }
    const double peerRate = pageCount / peer;
    std::printf("  wget -r: %d pages in %.3f s, %6.0f pages/s (%d other requests%s)\n", pageCount, peer,
                peerRate, peerOthers, peerOk ? "" : ", wget failed or missed pages");
    std::printf("  ratio walk/wget: %.2f (%s)\n", walkRate / peerRate,
                walkRate >= peerRate ? "no slower" : "slower than wget");
    return complete;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString wget = QStandardPaths::findExecutable(QStringLiteral("wget"));
    const bool keptAlive = compare(wget, false);
    const bool fresh = compare(wget, true);
    return keptAlive && fresh ? 0 : 1;
}
