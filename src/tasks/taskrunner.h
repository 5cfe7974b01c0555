#pragma once

#include <optional>
#include <QList>
#include <QObject>

class ImageDownloader;
class TaskBoard;
class TaskStart;

// One task walks or downloads at a time: a task started meanwhile waits in line ("排队中...") and
// starts, in the order the user started them, when the one before it has ended.
class TaskRunner final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TaskRunner)

public:
    TaskRunner(TaskStart &start, TaskBoard &board, ImageDownloader &downloader, QObject *parent = nullptr);

    // Starts the task now, or queues it. A task that is running or queued already is left as it is,
    // and so is an index without a task.
    void start(qint16 index);
    // Removes the task's bar; a running task stops at once and the next queued one starts.
    void remove(qint16 index);
    // The program ends: nothing more starts, and a download stops without leaving half a file.
    void quit();

    std::optional<qint16> activeTask() const { return m_active; }
    bool isQueued(qint16 index) const { return m_queue.contains(index); }
    bool isIdle() const { return !m_active && m_queue.isEmpty(); }

Q_SIGNALS:
    // A task has ended (whatever the outcome) and nothing else is running or queued.
    void idle();

private:
    void run(qint16 index);
    void onDownloadEnded(qint16 task);
    void finish();
    void startNextQueued();

    enum class Phase
    {
        None,
        Starting,
        Downloading
    };

    TaskStart &m_start;
    TaskBoard &m_board;
    ImageDownloader &m_downloader;
    std::optional<qint16> m_active;
    Phase m_phase = Phase::None;
    QList<qint16> m_queue;
    bool m_quitting = false;
};
