#pragma once

#include <QElapsedTimer>

// Lets the user interface handle its pending events during long work on its thread, at most once
// per interval, so a long page keeps the window live without spending its time in the event loop.
class EventPump
{
public:
    explicit EventPump(int intervalMs = 5);

    // Processes pending events when the interval has passed since the last time.
    void poll();

private:
    QElapsedTimer m_sinceLast;
    int m_intervalMs;
};
