#include "cli/terminalboard.h"

#include "cli/terminaloutput.h"

bool TerminalBoard::Add(const QString &names, const QString &urls, qint16 &rindex, bool, const QString &tags,
                        quint32, quint32)
{
    if (m_next == std::numeric_limits<qint16>::max())
        return false;
    rindex = m_next++;
    m_tasks[rindex] = Task{names, urls, tags, 0, 0, {}};
    return true;
}

void TerminalBoard::Remove(qint16 index)
{
    m_tasks.erase(index);
}

QString TerminalBoard::GetURL(qint16 index) const
{
    const auto found = m_tasks.find(index);
    return found == m_tasks.end() ? QStringLiteral("None") : found->second.url;
}

QString TerminalBoard::ChangeURL(qint16 index, const QString &url)
{
    slot(index).url = url;
    return {};
}

void TerminalBoard::ChangeState(qint16 index, const QString &state)
{
    Task &t = slot(index);
    t.state = state;
    t.states.append(state);
    m_output.line(QStringLiteral("[%1] %2").arg(t.title, state));
}

void TerminalBoard::Cspeed(qint16 index, double speed)
{
    slot(index).speed = speed;
    showProgress(index);
}

void TerminalBoard::Cpro(qint16 index, double progress)
{
    slot(index).progress = progress;
    showProgress(index);
}

void TerminalBoard::setText(const QString &text)
{
    m_status = text;
    if (m_lastReported >= 0 && m_tasks.count(m_lastReported))
        showProgress(m_lastReported);
}

const TerminalBoard::Task &TerminalBoard::task(qint16 index) const
{
    const auto found = m_tasks.find(index);
    if (found == m_tasks.end())
        throw MissingTaskError(index);
    return found->second;
}

TerminalBoard::Task &TerminalBoard::slot(qint16 index)
{
    const auto found = m_tasks.find(index);
    if (found == m_tasks.end())
        throw MissingTaskError(index);
    return found->second;
}

void TerminalBoard::showProgress(qint16 index)
{
    m_lastReported = index;
    const Task &t = task(index);
    m_output.progress(QStringLiteral("[%1] %2% %3").arg(t.title).arg(int(t.progress)).arg(m_status));
}
