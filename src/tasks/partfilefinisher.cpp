#include "tasks/partfilefinisher.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <QSet>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

PartFileFinisher::PartFileFinisher(QObject *parent) : QObject(parent), m_thread([this] { work(); }) {}

PartFileFinisher::~PartFileFinisher()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void PartFileFinisher::add(const QString &partPath, const QString &path, qint32 image)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.append({partPath, path, image});
        ++m_unfinished;
    }
    m_wake.notify_all();
}

bool PartFileFinisher::isIdle() const
{
    const std::lock_guard lock(m_mutex);
    return m_unfinished == 0;
}

void PartFileFinisher::waitForDone()
{
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return m_unfinished == 0; });
}

QList<PartFileFinisher::Failure> PartFileFinisher::takeFailures()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_failures, {});
}

// The files handed over are finished in batches; on the way out what is queued is finished too.
void PartFileFinisher::work()
{
    for (;;) {
        QList<Job> batch;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_ending || !m_queue.isEmpty(); });
            if (m_queue.isEmpty())
                return;
            batch = std::exchange(m_queue, {});
        }
        const QList<Failure> failures = finish(batch);
        {
            const std::lock_guard lock(m_mutex);
            m_failures += failures;
            m_unfinished -= int(batch.size());
        }
        m_done.notify_all();
        QMetaObject::invokeMethod(this, [this] { Q_EMIT settled(); }, Qt::QueuedConnection);
    }
}

// One file: its own data to disk. Several: each file system they lie on to disk at once, which
// costs about what one file does.
QList<PartFileFinisher::Failure> PartFileFinisher::finish(const QList<Job> &jobs)
{
    QList<Failure> failures;
    QList<Job> synced;
    QSet<dev_t> devices;
    for (const Job &job : jobs) {
        const int fd = ::open(QFile::encodeName(job.partPath).constData(), O_RDONLY | O_CLOEXEC);
        struct stat status{};
        if (fd < 0 || ::fstat(fd, &status) != 0) {
            failures.append({job.image, QStringLiteral("写入文件失败:") + systemError(errno)});
            if (fd >= 0)
                ::close(fd);
            continue;
        }
        int result = 0;
        if (jobs.size() == 1)
            result = ::fdatasync(fd);
        else if (!devices.contains(status.st_dev))
            result = ::syncfs(fd);
        // (EINVAL: a device in place of the file, which has nothing to sync.)
        const int error = result != 0 && errno != EINVAL ? errno : 0;
        ::close(fd);
        if (error != 0) {
            failures.append({job.image, QStringLiteral("写入文件失败:") + systemError(error)});
            QFile::remove(job.partPath);
            continue;
        }
        devices.insert(status.st_dev);
        synced.append(job);
    }
    for (const Job &job : std::as_const(synced)) {
        if (std::rename(QFile::encodeName(job.partPath).constData(), QFile::encodeName(job.path).constData()) != 0) {
            failures.append({job.image, QStringLiteral("写入文件失败:") + systemError(errno)});
            QFile::remove(job.partPath);
        }
    }
    return failures;
}
