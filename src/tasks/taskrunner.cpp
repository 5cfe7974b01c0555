#include "tasks/taskrunner.h"

#include "app/taskboard.h"
#include "tasks/imagedownloader.h"
#include "tasks/taskstart.h"

#include <QTimer>

TaskRunner::TaskRunner(TaskStart &start, TaskBoard &board, ImageDownloader &downloader, QObject *parent)
    : QObject(parent), m_start(start), m_board(board), m_downloader(downloader)
{
    connect(&m_downloader, &ImageDownloader::taskEnded, this, &TaskRunner::onDownloadEnded);
}

void TaskRunner::start(qint16 index)
{
    if (m_quitting || m_active == index || m_queue.contains(index) || m_board.GetURL(index) == u"None")
        return;
    if (m_active || m_downloader.isBusy()) {
        m_queue.append(index);
        m_board.ChangeState(index, QStringLiteral("排队中..."));
        return;
    }
    run(index);
}

void TaskRunner::remove(qint16 index)
{
    m_queue.removeAll(index);
    m_board.Remove(index);
    // A walk notices the missing bar at its next report; a download is stopped here.
    if (m_active == index && m_phase == Phase::Downloading)
        m_downloader.taskRemoved(index);
}

void TaskRunner::quit()
{
    m_quitting = true;
    m_queue.clear();
    m_downloader.abort();
}

void TaskRunner::run(qint16 index)
{
    m_active = index;
    m_phase = Phase::Starting;
    const TaskStart::Outcome outcome = m_start.run(index);
    if (m_quitting)
        return;
    // The download may already have ended inside the start (every image failing at once).
    if (outcome == TaskStart::Outcome::Downloading && m_downloader.isBusy())
        m_phase = Phase::Downloading;
    else
        finish();
}

void TaskRunner::onDownloadEnded(qint16 task)
{
    if (m_phase == Phase::Downloading && m_active == task)
        finish();
}

void TaskRunner::finish()
{
    m_active.reset();
    m_phase = Phase::None;
    if (m_quitting)
        return;
    if (m_queue.isEmpty()) {
        Q_EMIT idle();
        return;
    }
    // From the event loop, so a long line of tasks never piles up nested calls.
    QTimer::singleShot(0, this, &TaskRunner::startNextQueued);
}

void TaskRunner::startNextQueued()
{
    if (m_quitting || m_active || m_queue.isEmpty())
        return;
    run(m_queue.takeFirst());
}
