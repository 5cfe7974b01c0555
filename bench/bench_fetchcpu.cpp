// CPU cost of waiting for a server that never answers: one FetchPage against a stalled loopback
// page, for its full 10-11 s limit, with the process CPU time read before and after. The peer is
// wget waiting out the same stall (its own 10 s read time-out), measured as child CPU time.

#include "loopbackserver.h"
#include "web/httppagefetcher.h"

#include <cstdio>
#include <optional>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <sys/resource.h>
#include <time.h>

namespace {

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &v) { return double(v.tv_sec) + double(v.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Measure
{
    double wallSeconds;
    double cpuSeconds;
    double percentOfCore() const { return wallSeconds > 0 ? 100.0 * cpuSeconds / wallSeconds : 0.0; }
};

Measure measureFetcher(const QString &address)
{
    HttpPageFetcher fetcher;
    QElapsedTimer wall;
    const double cpuBefore = processCpuSeconds();
    wall.start();
    const QString text = fetcher.FetchPage(address);
    const Measure measure{wall.elapsed() / 1000.0, processCpuSeconds() - cpuBefore};
    if (!text.isEmpty())
        std::printf("unexpected: the stalled page gave text\n");
    return measure;
}

// Runs wget while this process keeps serving (the server lives on this thread's event loop).
std::optional<Measure> measureWget(const QString &address)
{
    const QString wget = QStandardPaths::findExecutable(QStringLiteral("wget"));
    if (wget.isEmpty())
        return std::nullopt;
    QProcess process;
    const double cpuBefore = childrenCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    process.start(wget, {QStringLiteral("-q"), QStringLiteral("-O"), QStringLiteral("/dev/null"),
                         QStringLiteral("--tries=1"), QStringLiteral("--timeout=10"), address});
    // Short waits with events in between, so the loopback server accepts wget's connection.
    while (process.state() != QProcess::NotRunning) {
        QCoreApplication::processEvents();
        process.waitForFinished(10);
    }
    return Measure{wall.elapsed() / 1000.0, childrenCpuSeconds() - cpuBefore};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    LoopbackServer server;
    server.setResponse(QStringLiteral("/stall"), LoopbackResponse::stall());
    const QString address = server.url(QStringLiteral("/stall"));

    const Measure ours = measureFetcher(address);
    std::printf("FetchPage, hung server: wait %.2f s, CPU %.4f s = %.3f %% of one core (limit 1 %%)\n",
                ours.wallSeconds, ours.cpuSeconds, ours.percentOfCore());

    if (const std::optional<Measure> peer = measureWget(address)) {
        std::printf("wget, hung server:      wait %.2f s, CPU %.4f s = %.3f %% of one core\n",
                    peer->wallSeconds, peer->cpuSeconds, peer->percentOfCore());
        if (peer->cpuSeconds > 0)
            std::printf("ratio FetchPage/wget CPU: %.2f\n", ours.cpuSeconds / peer->cpuSeconds);
    } else {
        std::printf("wget not found: no peer figure\n");
    }
    return ours.percentOfCore() < 1.0 ? 0 : 1;
}
