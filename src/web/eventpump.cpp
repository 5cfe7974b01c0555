#include "web/eventpump.h"

#include <QCoreApplication>

EventPump::EventPump(int intervalMs) : m_intervalMs(intervalMs)
{
    m_sinceLast.start();
}

void EventPump::poll()
{
    if (m_sinceLast.elapsed() < m_intervalMs)
        return;
    QCoreApplication::processEvents();
    m_sinceLast.restart();
}
