#include "tasks/guardedtaskboard.h"

bool GuardedTaskBoard::Add(const QString &names, const QString &urls, qint16 &rindex, bool mini,
                           const QString &tags, quint32 bar, quint32 bbar)
{
    if (!m_board.Add(names, urls, rindex, mini, tags, bar, bbar))
        return false;
    m_removed.remove(rindex);
    return true;
}

void GuardedTaskBoard::Remove(qint16 index)
{
    m_board.Remove(index);
    m_removed.insert(index);
}

QString GuardedTaskBoard::GetTitle(qint16 index) const
{
    requireLive(index);
    return m_board.GetTitle(index);
}

QString GuardedTaskBoard::GetURL(qint16 index) const
{
    if (m_removed.contains(index))
        return QStringLiteral("None");
    return m_board.GetURL(index);
}

QString GuardedTaskBoard::ChangeURL(qint16 index, const QString &url)
{
    requireLive(index);
    return m_board.ChangeURL(index, url);
}

void GuardedTaskBoard::ChangeState(qint16 index, const QString &state)
{
    requireLive(index);
    m_board.ChangeState(index, state);
}

void GuardedTaskBoard::Cspeed(qint16 index, double speed)
{
    requireLive(index);
    m_board.Cspeed(index, speed);
}

void GuardedTaskBoard::Cpro(qint16 index, double progress)
{
    requireLive(index);
    m_board.Cpro(index, progress);
}

void GuardedTaskBoard::requireLive(qint16 index) const
{
    if (m_removed.contains(index))
        throw MissingTaskError(index);
}
