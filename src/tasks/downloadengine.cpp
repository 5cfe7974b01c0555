#include "tasks/downloadengine.h"

#include "app/runflags.h"
#include "app/settings.h"
#include "app/taskboard.h"
#include "platform/basicnumbers.h"
#include "platform/shelllauncher.h"
#include "platform/statusline.h"
#include "tasks/imagefile.h"
#include "tasks/imagefilename.h"

#include <cmath>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

// One started task. Frames of the chunk loop keep their own reference, so after a nested wait
// they can still see that their task was stopped while they waited, even when another task has
// started meanwhile.
struct DownloadEngine::Run
{
    enum class Phase
    {
        Requested, // waiting for the transfer's state
        Reading,   // the chunk loop runs
    };

    qint16 task = -1;
    QString folderPath;
    Phase phase = Phase::Requested;
    bool over = false; // ended or stopped: its frames touch nothing any more
    ImageFile file;
};

namespace {

QString failureState(qint32 image, const QString &description)
{
    return QStringLiteral("下载失败出现在第") + QString::number(image) + QStringLiteral("张:") + description;
}

// A frame's view of whether it may go on: the engine still exists and the run is not over.
class RunGuard
{
public:
    RunGuard(QObject *engine, const bool &over) : m_engine(engine), m_over(over) {}
    bool alive() const { return m_engine && !m_over; }

private:
    QPointer<QObject> m_engine;
    const bool &m_over;
};

} // namespace

DownloadEngine::DownloadEngine(TaskBoard &board, StatusLine &statusLine, ShellLauncher &launcher,
                               const Settings &settings, RunFlags &runFlags, QObject *parent)
    : ImageDownloader(parent), m_board(board), m_statusLine(statusLine), m_launcher(launcher),
      m_settings(settings), m_runFlags(runFlags)
{
    connect(&m_transfer, &Transfer::StateChanged, this, &DownloadEngine::onTransferState);
}

DownloadEngine::~DownloadEngine()
{
    abort();
}

bool DownloadEngine::isBusy() const
{
    return m_run != nullptr;
}

void DownloadEngine::start(qint16 task, const QString &listText, const QString &folderPath)
{
    if (m_run) {
        const qint16 previous = m_run->task;
        stopRun();
        announceEnd(previous);
    }
    m_run = std::make_shared<Run>();
    m_run->task = task;
    m_run->folderPath = folderPath;
    m_state = EngineState{};
    m_state.activeTask = task;
    m_state.imageUrls = imageAddresses(listText);
    m_state.lastImage = qint32(m_state.imageUrls.size()) - 1;
    m_state.taskFolderName = QFileInfo(folderPath).fileName();

    const std::shared_ptr<Run> run = m_run;
    const RunGuard guard(this, run->over);
    try {
        Failure failure;
        if (m_state.lastImage >= 0)
            failure = BeginImage(0);
        m_board.ChangeState(task, QStringLiteral("下载开始..."));
        if (!guard.alive())
            return;
        if (m_state.lastImage < 0) {
            m_board.ChangeState(task, QStringLiteral("下载完成!"));
            if (guard.alive())
                endRun();
        } else if (failure) {
            goOn(failure);
        }
    } catch (const std::exception &) {
        // The bar went away without taskRemoved (MissingTaskError), or worse: end quietly.
        if (guard.alive()) {
            stopRun();
            announceEnd(task);
        }
    }
}

void DownloadEngine::taskRemoved(qint16 task)
{
    if (!m_run || m_run->task != task)
        return;
    stopRun();
    announceEnd(task);
}

void DownloadEngine::abort()
{
    stopRun();
}

DownloadEngine::Failure DownloadEngine::BeginImage(qint32 k)
{
    // Every image goes to the folder the task started with, whatever its title is now.
    m_state.currentUrl = m_state.imageUrls.value(k);
    m_state.imageFilePath =
        QDir(m_run->folderPath).filePath(imageFileName(k, m_state.lastImage + 1, m_state.currentUrl));
    m_run->phase = Run::Phase::Requested;
    if (!m_transfer.RequestUrl(m_state.currentUrl))
        return QStringLiteral("不是http或https地址");
    return std::nullopt;
}

// The failure step and the step to the next image, as a loop: a run of images that fail at once
// (lines that are no web address) never deepens the stack.
void DownloadEngine::goOn(Failure failure)
{
    const std::shared_ptr<Run> run = m_run;
    const RunGuard guard(this, run->over);
    for (;;) {
        if (failure) {
            m_board.ChangeState(run->task, failureState(m_state.currentImage, *failure));
            if (!guard.alive())
                return;
        }
        ++m_state.currentImage;
        if (m_state.currentImage > m_state.lastImage) {
            if (failure)
                m_board.ChangeState(run->task, QStringLiteral("下载完成!"));
            else
                completion();
            if (guard.alive())
                endRun();
            return;
        }
        failure = BeginImage(m_state.currentImage);
        if (!failure)
            return;
    }
}

void DownloadEngine::completion()
{
    m_board.ChangeState(m_run->task, QStringLiteral("下载完成!"));
    const QString folder = m_run->folderPath;
    if (m_settings.opensFolderWhenDone())
        m_launcher.showFolder(folder);
    if (m_runFlags.shutdownWhenDone)
        m_launcher.scheduleShutdown();
}

void DownloadEngine::onTransferState(int state)
{
    if (!m_run || m_run->phase != Run::Phase::Requested)
        return;
    const std::shared_ptr<Run> run = m_run;
    const RunGuard guard(this, run->over);
    try {
        if (state == Transfer::requestFailed)
            requestFailed(run);
        else if (state == Transfer::responseArrived)
            receive(run);
    } catch (const std::exception &) {
        if (guard.alive()) {
            const qint16 task = run->task;
            stopRun();
            announceEnd(task);
        }
    }
}

// A request that got no response stops the task where it is.
void DownloadEngine::requestFailed(const std::shared_ptr<Run> &run)
{
    const RunGuard guard(this, run->over);
    m_board.ChangeState(run->task,
                        failureState(m_state.currentImage, QString::number(m_transfer.FailureCode()) +
                                                               QLatin1Char(':') + m_transfer.FailureText()));
    if (guard.alive())
        endRun();
}

void DownloadEngine::receive(const std::shared_ptr<Run> &run)
{
    run->phase = Run::Phase::Reading;
    QString failure;
    switch (readImage(run, failure)) {
    case Read::Stopped:
        return;
    case Read::Failed:
        run->file.discard();
        m_transfer.cancel();
        goOn(failure);
        return;
    case Read::Complete:
        goOn(std::nullopt);
        return;
    }
}

// Reads the body into the image file chunk by chunk. Returns Stopped as soon as the frame may
// touch nothing any more; otherwise the engine and the run are alive on return.
DownloadEngine::Read DownloadEngine::readImage(const std::shared_ptr<Run> &run, QString &failure)
{
    const RunGuard guard(this, run->over);
    // An error page or an unfollowed redirect is no image.
    const int status = m_transfer.statusCode();
    if (status >= 300) {
        failure = QStringLiteral("HTTP ") + QString::number(status);
        return Read::Failed;
    }

    QByteArray chunk = m_transfer.ReadChunk(chunkSize);
    QCoreApplication::processEvents();
    if (!guard.alive())
        return Read::Stopped;
    if (m_transfer.interrupted()) {
        stopRun();
        return Read::Stopped;
    }
    m_runFlags.resumeFlag = false;
    if (!run->file.open(m_state.imageFilePath)) {
        failure = QStringLiteral("无法创建文件:") + run->file.errorString();
        return Read::Failed;
    }
    const qint64 length = announcedLength();
    qint64 written = 0;
    for (;;) {
        if (!run->file.write(chunk)) {
            failure = QStringLiteral("写入文件失败:") + run->file.errorString();
            return Read::Failed;
        }
        written += chunk.size();
        if (m_runFlags.pauseFlag && !waitWhilePaused(run))
            return Read::Stopped;

        QElapsedTimer timer;
        timer.start();
        chunk = m_transfer.ReadChunk(chunkSize);
        QCoreApplication::processEvents();
        const qint64 elapsed = timer.elapsed();
        if (!guard.alive())
            return Read::Stopped;
        if (m_transfer.interrupted()) {
            stopRun();
            return Read::Stopped;
        }
        if (elapsed > 10) {
            reportSpeed(elapsed);
            if (!guard.alive())
                return Read::Stopped;
        }

        const bool ended = chunk.isEmpty();
        // A body that ends short of its announced length, or breaks off, is no image.
        if (ended && (length > 0 ? written < length : !m_transfer.bodyFailure().isEmpty())) {
            failure = m_transfer.bodyFailure();
            if (failure.isEmpty())
                failure = QStringLiteral("数据不完整:%1/%2字节").arg(written).arg(length);
            return Read::Failed;
        }
        reportPercent(written, length, ended);
        if (!guard.alive())
            return Read::Stopped;
        // Without a usable length the body is read to its end.
        if (length > 0 ? written >= length : ended)
            break;
    }
    if (!run->file.complete()) {
        failure = QStringLiteral("写入文件失败:") + run->file.errorString();
        return Read::Failed;
    }
    return Read::Complete;
}

bool DownloadEngine::waitWhilePaused(const std::shared_ptr<Run> &run)
{
    const RunGuard guard(this, run->over);
    m_board.ChangeState(run->task, QStringLiteral("用户暂停..."));
    if (!guard.alive())
        return false;
    while (!m_runFlags.resumeFlag) {
        QEventLoop loop;
        bool woken = false;
        const auto wake = [&] {
            woken = true;
            loop.quit();
        };
        QTimer::singleShot(pausePoll, &loop, wake);
        connect(this, &DownloadEngine::runStopped, &loop, wake);
        loop.exec();
        if (!guard.alive())
            return false;
        if (!woken) {
            // The application quits under the paused task: leave no partial file behind.
            stopRun();
            return false;
        }
        m_statusLine.setText(QStringLiteral("睡大觉中..."));
        if (!guard.alive())
            return false;
    }
    m_runFlags.resumeFlag = false;
    return true;
}

// The figure assumes a full chunk, whatever the chunk's real length.
void DownloadEngine::reportSpeed(qint64 milliseconds)
{
    const QString speed = formatTwoDecimals(10000.0 / double(milliseconds));
    m_board.Cspeed(m_run->task, speed.toDouble());
    m_statusLine.setText(QStringLiteral("下载进度") + QString::number(m_state.currentImage) + QLatin1Char('/') +
                         QString::number(m_state.lastImage) + QStringLiteral(",当前速度:") + speed +
                         QStringLiteral("KB/s"));
}

// Whole images done plus the part of this one, over all images. An image without a usable length
// counts as none of it until its body has ended.
void DownloadEngine::reportPercent(qint64 written, qint64 length, bool bodyEnded)
{
    const double part = length > 0 ? double(written) / double(length) : (bodyEnded ? 1.0 : 0.0);
    const double percent = std::floor(100.0 * (m_state.currentImage + part) / (m_state.lastImage + 1));
    m_board.Cpro(m_run->task, percent);
}

// The leading number of the Content-Length header; 0 when it is absent or not a number.
qint64 DownloadEngine::announcedLength() const
{
    const double length = leadingNumber(m_transfer.ReadHeader(QStringLiteral("Content-Length")));
    return length >= 1 && length < 9e18 ? qint64(length) : 0;
}

// The run ended on its own: its file is closed, nothing is left to remove.
void DownloadEngine::endRun()
{
    const qint16 task = m_run->task;
    m_run->over = true;
    m_run.reset();
    m_transfer.cancel();
    announceEnd(task);
}

// The run is stopped from outside: its transfer is dropped and its partial file removed at once.
void DownloadEngine::stopRun()
{
    if (!m_run)
        return;
    const std::shared_ptr<Run> run = m_run;
    m_run.reset();
    run->over = true;
    m_transfer.cancel();
    run->file.discard();
    Q_EMIT runStopped(QPrivateSignal());
}

// From the event loop, after the caller has returned: whoever starts the next task then starts it
// on a clean stack.
void DownloadEngine::announceEnd(qint16 task)
{
    QMetaObject::invokeMethod(
        this, [this, task] { Q_EMIT taskEnded(task); }, Qt::QueuedConnection);
}
