// Task list speed with 1,000 bars: one Add and one Remove (the remove restacks the bars below),
// and bursts of 10,000 progress/speed and state reports such as the walk and the engine send. A
// widget has no outside peer, so each figure is printed against its budget. "with repaint"
// includes the event processing that draws the changes and deletes removed bars.
#include "controls/tasklist/zanvolist.h"

#include <algorithm>
#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <vector>

namespace {

constexpr int Bars = 1000;
constexpr int Rounds = 100;
constexpr int Burst = 10000;
constexpr double AddRemoveBudgetMs = 5;
constexpr double BurstBudgetMs = 200;

void flushEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

struct Timing
{
    std::vector<double> ms;
    void add(double value) { ms.push_back(value); }
    double median()
    {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
    double percentile90()
    {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() * 9 / 10];
    }
    double worst() { return *std::max_element(ms.begin(), ms.end()); }
};

double elapsedMs(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// The worst round mostly shows the scheduler of a shared machine; the 90th percentile is the figure
// held against the budget.
void report(const char *what, Timing &timing, double budget)
{
    const double median = timing.median();
    const double p90 = timing.percentile90();
    std::printf("%-36s median %7.3f ms  p90 %7.3f ms  worst %7.3f ms  budget %4.1f ms  p90/budget %.3f\n",
                what, median, p90, timing.worst(), budget, p90 / budget);
}

qint16 addBar(ZanvoList &list, int n)
{
    qint16 index = 0;
    list.Add(QStringLiteral("第%1话").arg(n), QStringLiteral("http://comic.example/c/%1.html").arg(n), index,
             false, QStringLiteral("就绪"));
    list.Cpro(index, 0);
    return index;
}

// Add then Remove a bar at the end of a full list; Remove of the second bar restacks all below it.
void measureAddRemove(ZanvoList &list)
{
    Timing add, addPainted, removeLast, removeSecond, removePainted;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const qint16 index = addBar(list, Bars + round);
        add.add(elapsedMs(timer));
        flushEvents();
        addPainted.add(elapsedMs(timer));

        timer.start();
        list.Remove(index);
        removeLast.add(elapsedMs(timer));
        flushEvents();

        // the bar right after slot 0: every other bar moves up
        const qint16 second = qint16(std::min(list.lastIndex(), qint32(1) + round));
        timer.start();
        list.Remove(second);
        removeSecond.add(elapsedMs(timer));
        flushEvents();
        removePainted.add(elapsedMs(timer));
        addBar(list, round);
        flushEvents();
    }
    std::printf("bars in the list: %d\n", int(list.Count()));
    report("Add (one bar)", add, AddRemoveBudgetMs);
    report("Add, with repaint", addPainted, AddRemoveBudgetMs);
    report("Remove (last bar)", removeLast, AddRemoveBudgetMs);
    report("Remove (second bar, restack all)", removeSecond, AddRemoveBudgetMs);
    report("Remove (second bar), with repaint", removePainted, AddRemoveBudgetMs);
}

void measureBurst(ZanvoList &list)
{
    const qint16 last = qint16(list.lastIndex());
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Burst; ++i) {
        const qint16 index = qint16(i % (last + 1));
        if (!list.Down(index))
            continue;
        if (i % 2 == 0)
            list.Cpro(index, (i % 1000) / 10.0);
        else
            list.Cspeed(index, 100 + (i % 977) / 4.0);
    }
    const double updates = elapsedMs(timer);
    flushEvents();
    const double painted = elapsedMs(timer);
    std::printf("%-38s %8.3f ms  budget %6.1f ms  ratio %.3f\n", "10,000 Cpro/Cspeed updates", updates,
                BurstBudgetMs, updates / BurstBudgetMs);
    std::printf("%-38s %8.3f ms  budget %6.1f ms  ratio %.3f\n", "10,000 updates, with repaint", painted,
                BurstBudgetMs, painted / BurstBudgetMs);
}

// Every state report lays its bar out again, even with an unchanged text.
void measureStateBurst(ZanvoList &list)
{
    const qint16 last = qint16(list.lastIndex());
    const QString states[] = {QStringLiteral("正在下载第12张"), QStringLiteral("正在下载第12张"),
                              QStringLiteral("正在分析第3页")};
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Burst; ++i) {
        const qint16 index = qint16(i % (last + 1));
        if (list.Down(index))
            list.ChangeState(index, states[i % 3]);
    }
    const double updates = elapsedMs(timer);
    flushEvents();
    std::printf("%-38s %8.3f ms  budget %6.1f ms  ratio %.3f\n", "10,000 ChangeState reports", updates,
                BurstBudgetMs, updates / BurstBudgetMs);
    std::printf("%-38s %8.3f ms  budget %6.1f ms  ratio %.3f\n", "10,000 states, with repaint",
                elapsedMs(timer), BurstBudgetMs, elapsedMs(timer) / BurstBudgetMs);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ZanvoList list;
    list.resize(460, 384);
    list.show();

    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < Bars; ++n)
        addBar(list, n);
    flushEvents();
    std::printf("filling %d bars: %.1f ms\n", Bars, elapsedMs(timer));

    measureAddRemove(list);
    measureBurst(list);
    measureStateBurst(list);
    return 0;
}
