#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <QList>
#include <QObject>
#include <QString>

// Gives whole part files their image names once their bytes are on disk, so that after a power
// cut too a file under an image's name is whole. Waiting for the disk takes milliseconds a file
// (seconds for a large one), so it runs on a thread of its own while the next images download,
// and the files that became whole meanwhile wait for the disk together.
class PartFileFinisher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PartFileFinisher)

public:
    struct Failure
    {
        qint32 image;
        QString description;
    };

    explicit PartFileFinisher(QObject *parent = nullptr);
    // Waits until every file handed over has its name.
    ~PartFileFinisher() override;

    // `partPath` is closed and whole: once on disk it goes under `path`, in place of any older file
    // of that name. `image` names it in a failure.
    void add(const QString &partPath, const QString &path, qint32 image);
    // Every file handed over has its name, or has failed.
    bool isIdle() const;
    // Blocks until isIdle().
    void waitForDone();
    // The files that could not be finished since the last call; their part files are gone.
    QList<Failure> takeFailures();

Q_SIGNALS:
    // From the event loop, after files were dealt with: isIdle() may have become true.
    void settled();

private:
    struct Job
    {
        QString partPath;
        QString path;
        qint32 image;
    };

    void work();
    static QList<Failure> finish(const QList<Job> &jobs);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake; // a job came, or the end
    std::condition_variable m_done; // a batch was dealt with
    QList<Job> m_queue;
    int m_unfinished = 0; // jobs queued or being finished
    bool m_ending = false;
    QList<Failure> m_failures;
    std::thread m_thread;
};
