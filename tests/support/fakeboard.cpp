#include "fakeboard.h"

FakeBoard::FakeBoard()
{
    Task zero;
    zero.title = QStringLiteral("Name");
    zero.url = QStringLiteral("URL");
    m_tasks.insert(0, zero);
}

bool FakeBoard::Add(const QString &names, const QString &urls, qint16 &rindex, bool, const QString &tags,
                    quint32, quint32)
{
    qint16 index = 0;
    if (m_slotZeroShown || m_tasks.size() > 1) {
        qint32 next = m_lastIndex + 1;
        while (m_tasks.contains(qint16(next)) && next <= 32767)
            ++next;
        if (next > 32767)
            return false;
        index = qint16(next);
        m_tasks.insert(index, Task{});
    } else {
        m_slotZeroShown = true;
    }
    m_lastIndex = index;
    Task &task = m_tasks[index];
    task.title = names;
    task.url = urls;
    if (!tags.isEmpty())
        task.state = tags;
    rindex = index;
    return true;
}

void FakeBoard::Remove(qint16 index)
{
    if (index == 0)
        m_slotZeroShown = false;
    else
        m_tasks.remove(index);
    if (m_lastIndex >= 0 && index == m_lastIndex)
        --m_lastIndex;
}

qint16 FakeBoard::Count() const
{
    return qint16(m_slotZeroShown ? m_tasks.size() : m_tasks.size() - 1);
}

QString FakeBoard::GetTitle(qint16 index) const
{
    return slot(index).title;
}

QString FakeBoard::GetURL(qint16 index) const
{
    if (!exists(index))
        return QStringLiteral("None");
    return m_tasks.value(index).url;
}

QString FakeBoard::ChangeURL(qint16 index, const QString &url)
{
    Task &task = slot(index);
    task.url = url;
    task.urls.append(url);
    return {};
}

void FakeBoard::ChangeState(qint16 index, const QString &state)
{
    Task &task = slot(index);
    task.state = state;
    task.states.append(state);
    if (onChangeState)
        onChangeState(index, state);
}

void FakeBoard::Cspeed(qint16 index, double speed)
{
    slot(index).speed = speed;
}

void FakeBoard::Cpro(qint16 index, double progress)
{
    Task &task = slot(index);
    task.progress = progress;
    task.progresses.append(progress);
    if (onProgress)
        onProgress(index, progress);
}

const FakeBoard::Task &FakeBoard::task(qint16 index) const
{
    return slot(index);
}

qint16 FakeBoard::addTask(const QString &title, const QString &url)
{
    qint16 index = -1;
    Add(title, url, index, false, QStringLiteral("就绪"));
    Cpro(index, 0);
    return index;
}

FakeBoard::Task &FakeBoard::slot(qint16 index)
{
    const auto it = m_tasks.find(index);
    if (it == m_tasks.end()) {
        ++missingTaskCalls;
        throw MissingTaskError(index);
    }
    return *it;
}

const FakeBoard::Task &FakeBoard::slot(qint16 index) const
{
    const auto it = m_tasks.constFind(index);
    if (it == m_tasks.cend()) {
        ++missingTaskCalls;
        throw MissingTaskError(index);
    }
    return *it;
}
