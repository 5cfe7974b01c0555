#include "tasks/downloadengine.h"

#include "app/runflags.h"
#include "app/settings.h"
#include "app/taskboard.h"
#include "platform/basicnumbers.h"
#include "platform/shelllauncher.h"
#include "platform/statusline.h"
#include "tasks/imageend.h"
#include "tasks/imagefile.h"
#include "tasks/imagefilename.h"
#include "tasks/imageresponse.h"
#include "tasks/retrywait.h"
#include "web/webaddress.h"

#include <cmath>
#include <QCoreApplication>
#include <QDateTime>
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
        Waiting,   // between two requests
        Requested, // waiting for the transfer's state
        Reading,   // the chunk loop runs
    };

    qint16 task = -1;
    QString folderPath;
    QStringList imagePages; // the page each image was found on, where known
    Phase phase = Phase::Waiting;
    bool over = false;      // ended or stopped: its frames touch nothing any more
    bool requested = false; // an image was requested: the next one waits its interval first
    bool lastShareDue = false; // the last image is read: 100 is shown once it has its name
    ImageFile file;         // the part file of the current image, kept open across its tries

    // The current image's tries.
    qint32 failures = 0;
    bool resumable = false; // its server takes ranges: a retry asks for the rest of the part file
    qint64 askedFrom = 0;   // where the last request asked the body to begin
    std::optional<qint64> cutSize; // a whole body without length that looked cut: its size
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

void DownloadEngine::start(qint16 task, const QString &listText, const QString &folderPath,
                           const QStringList &imagePages)
{
    if (m_run) {
        const qint16 previous = m_run->task;
        stopRun();
        announceEnd(previous);
    }
    m_run = std::make_shared<Run>();
    m_run->task = task;
    m_run->folderPath = folderPath;
    m_run->imagePages = imagePages;
    m_state = EngineState{};
    m_state.activeTask = task;
    m_state.imageUrls = imageAddresses(listText);
    m_state.lastImage = qint32(m_state.imageUrls.size()) - 1;
    m_state.taskFolderName = QFileInfo(folderPath).fileName();
    // What an earlier run handed over gets its name before this one touches the folder.
    m_finisher.waitForDone();
    m_finisher.takeFailures();
    ImageFile::removeParts(folderPath, imageFileNames(m_state.imageUrls));

    const std::shared_ptr<Run> run = m_run;
    const RunGuard guard(this, run->over);
    try {
        QString failure;
        Begin begin = Begin::Requested;
        if (m_state.lastImage >= 0)
            begin = BeginImage(0, failure);
        if (begin == Begin::Stopped || !guard.alive())
            return;
        m_board.ChangeState(task, QStringLiteral("下载开始..."));
        if (!guard.alive())
            return;
        if (m_state.lastImage < 0) {
            m_board.ChangeState(task, QStringLiteral("下载完成!"));
            if (guard.alive())
                endRun();
        } else if (begin == Begin::Failed) {
            goOn(failure);
        } else if (begin == Begin::Skipped) {
            goOn(std::nullopt);
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

// Any wait in here (the pause between images) may end the run: then Stopped, and the caller
// touches nothing.
DownloadEngine::Begin DownloadEngine::BeginImage(qint32 k, QString &failure)
{
    const std::shared_ptr<Run> run = m_run;
    const RunGuard guard(this, run->over);
    // Every image goes to the folder the task started with, whatever its title is now.
    m_state.currentUrl = m_state.imageUrls.value(k);
    m_state.imageFilePath =
        QDir(run->folderPath).filePath(imageFileName(k, m_state.lastImage + 1, m_state.currentUrl));
    run->phase = Run::Phase::Waiting;
    run->failures = 0;
    run->resumable = false;
    run->cutSize.reset();
    // Only whole images carry the name, so one that is there needs nothing more.
    if (m_options.keepExisting && QFileInfo::exists(m_state.imageFilePath)) {
        reportPercent(1, 1, true);
        return guard.alive() ? Begin::Skipped : Begin::Stopped;
    }
    if (!isWebAddress(QUrl(m_state.currentUrl))) {
        failure = QStringLiteral("不是http或https地址");
        return Begin::Failed;
    }
    if (run->requested && m_options.imageInterval.count() > 0 && !waitFor(run, m_options.imageInterval))
        return Begin::Stopped;
    run->requested = true;
    request(*run);
    return Begin::Requested;
}

// Asks for the current image: from where its part file ends when the server takes ranges and
// there is something to continue, else whole. The page it was found on is its Referer, or its
// own site when that is unknown (a saved list).
void DownloadEngine::request(Run &run)
{
    const QString page = run.imagePages.value(m_state.currentImage);
    const QString referer = page.isEmpty() ? siteRoot(m_state.currentUrl) : page;
    run.askedFrom = run.resumable ? run.file.size() : 0;
    run.phase = Run::Phase::Requested;
    m_transfer.RequestUrl(m_state.currentUrl, referer, run.askedFrom);
}

// The failure step and the step to the next image, as a loop: a run of images that fail at once
// (lines that are no web address) or are kept never deepens the stack.
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
            bool lateFailure = false;
            if (!settleFiles(run, lateFailure))
                return;
            if (failure || lateFailure)
                m_board.ChangeState(run->task, QStringLiteral("下载完成!"));
            else
                completion();
            if (guard.alive())
                endRun();
            return;
        }
        QString description;
        switch (BeginImage(m_state.currentImage, description)) {
        case Begin::Requested:
        case Begin::Stopped:
            return;
        case Begin::Skipped:
            failure.reset();
            break;
        case Begin::Failed:
            failure = description;
            break;
        }
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
        if (state == Transfer::requestFailed) {
            if (tryAgain(run, TryFailure{}) == Retry::Exhausted)
                requestFailed(run);
        } else if (state == Transfer::responseArrived) {
            receive(run);
        }
    } catch (const std::exception &) {
        if (guard.alive()) {
            const qint16 task = run->task;
            stopRun();
            announceEnd(task);
        }
    }
}

// A request that got no response, try after try, stops the task where it is.
void DownloadEngine::requestFailed(const std::shared_ptr<Run> &run)
{
    const RunGuard guard(this, run->over);
    run->file.discard();
    bool lateFailure = false;
    if (!settleFiles(run, lateFailure))
        return;
    m_board.ChangeState(run->task,
                        failureState(m_state.currentImage, QString::number(m_transfer.FailureCode()) +
                                                               QLatin1Char(':') + m_transfer.FailureText()));
    if (guard.alive())
        endRun();
}

void DownloadEngine::receive(const std::shared_ptr<Run> &run)
{
    run->phase = Run::Phase::Reading;
    TryFailure failure;
    switch (readImage(run, failure)) {
    case Read::Stopped:
        return;
    case Read::Retry:
        if (tryAgain(run, failure) != Retry::Exhausted)
            return;
        [[fallthrough]];
    case Read::Failed:
        run->file.discard();
        m_transfer.cancel();
        goOn(failure.description);
        return;
    case Read::Complete:
        goOn(std::nullopt);
        return;
    }
}

// Another try at the current image after a wait, while tries are left: at least one, and as many
// as the settings give a page. The part file stays for the next try to continue.
DownloadEngine::Retry DownloadEngine::tryAgain(const std::shared_ptr<Run> &run, const TryFailure &failure)
{
    const RunGuard guard(this, run->over);
    if (run->failures >= std::max<qint32>(1, m_settings.reset()))
        return Retry::Exhausted;
    ++run->failures;
    m_transfer.cancel();
    run->phase = Run::Phase::Waiting;
    m_board.ChangeState(run->task, QStringLiteral("第%1次失败，重试...").arg(run->failures));
    if (!guard.alive() || !waitFor(run, retryWait(run->failures, m_retryBase, failure.retryAfter)))
        return Retry::Stopped;
    request(*run);
    return Retry::Requested;
}

// Judges the answer's head, then reads its body. Returns Stopped as soon as the frame may touch
// nothing any more; otherwise the engine and the run are alive on return.
DownloadEngine::Read DownloadEngine::readImage(const std::shared_ptr<Run> &run, TryFailure &failure)
{
    const ImageHead head = judgeImageHead(
        m_transfer.statusCode(), run->askedFrom, [this](const QString &name) { return m_transfer.ReadHeader(name); },
        QDateTime::currentDateTimeUtc());
    switch (head.verdict) {
    case ImageHead::Verdict::Retry:
        failure = {head.failure, head.retryAfter};
        if (head.startOver)
            run->resumable = false;
        return Read::Retry;
    case ImageHead::Verdict::Fail:
        failure.description = head.failure;
        return Read::Failed;
    case ImageHead::Verdict::Read:
        break;
    }
    run->resumable = head.resumable;
    return readBody(run, head.offset, failure);
}

// Reads the body into the part file chunk by chunk, after the first `offset` bytes of the image
// that the part file holds already.
DownloadEngine::Read DownloadEngine::readBody(const std::shared_ptr<Run> &run, qint64 offset, TryFailure &failure)
{
    const RunGuard guard(this, run->over);
    QByteArray chunk = m_transfer.ReadChunk(chunkSize);
    QCoreApplication::processEvents();
    if (!guard.alive())
        return Read::Stopped;
    if (m_transfer.interrupted()) {
        stopRun();
        return Read::Stopped;
    }
    if (offset == 0 && beginsLikeHtml(chunk)) {
        failure.description = webPageFailure();
        return Read::Failed;
    }
    m_runFlags.resumeFlag = false;
    if (offset == 0 && !(run->file.isOpen() ? run->file.restart() : run->file.open(m_state.imageFilePath))) {
        failure.description = QStringLiteral("无法创建文件:") + run->file.errorString();
        return Read::Failed;
    }
    const qint64 announced = announcedLength();
    const qint64 length = announced > 0 ? offset + announced : 0;
    qint64 written = offset;
    for (;;) {
        if (!run->file.write(chunk)) {
            failure.description = QStringLiteral("写入文件失败:") + run->file.errorString();
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
        // A body that ends short of its announced length, or breaks off, is no image yet.
        if (ended && (length > 0 ? written < length : !m_transfer.bodyFailure().isEmpty())) {
            failure.description = m_transfer.bodyFailure();
            if (failure.description.isEmpty())
                failure.description = QStringLiteral("数据不完整:%1/%2字节").arg(written).arg(length);
            return Read::Retry;
        }
        // Without a usable length the body is read to its end.
        if (length > 0 ? written >= length : ended)
            break;
        reportPercent(written, length, false);
        if (!guard.alive())
            return Read::Stopped;
    }
    if (length == 0 && endsCut(*run, offset, written)) {
        failure.description = QStringLiteral("图片不完整:%1字节").arg(written);
        run->resumable = false;
        return Read::Retry;
    }
    if (!run->file.complete()) {
        failure.description = QStringLiteral("写入文件失败:") + run->file.errorString();
        return Read::Failed;
    }
    m_finisher.add(ImageFile::partPath(m_state.imageFilePath), m_state.imageFilePath, m_state.currentImage);
    if (m_state.currentImage == m_state.lastImage) {
        run->lastShareDue = true;
        return Read::Complete;
    }
    reportPercent(written, length, true);
    return guard.alive() ? Read::Complete : Read::Stopped;
}

// A body without length ends where the connection ends, also when the server fell over: one whose
// format says the image goes on is fetched again. The same cut twice, from the start, is how the
// server has the image, and it is kept.
bool DownloadEngine::endsCut(Run &run, qint64 offset, qint64 written) const
{
    if (imageFileEnd(ImageFile::partPath(m_state.imageFilePath)) != ImageEnd::Cut)
        return false;
    if (offset > 0)
        return true;
    if (run.cutSize == written)
        return false;
    run.cutSize = written;
    return true;
}

bool DownloadEngine::waitWhilePaused(const std::shared_ptr<Run> &run)
{
    const RunGuard guard(this, run->over);
    m_board.ChangeState(run->task, QStringLiteral("用户暂停..."));
    if (!guard.alive())
        return false;
    while (!m_runFlags.resumeFlag) {
        if (!waitFor(run, pausePoll))
            return false;
        m_statusLine.setText(QStringLiteral("睡大觉中..."));
        if (!guard.alive())
            return false;
    }
    m_runFlags.resumeFlag = false;
    return true;
}

// Waits, the window live, until the images read so far have their names, then reports those that
// could not get them. False when the frame must touch nothing any more.
bool DownloadEngine::settleFiles(const std::shared_ptr<Run> &run, bool &failed)
{
    const RunGuard guard(this, run->over);
    while (!m_finisher.isIdle()) {
        if (!waitFor(run, std::nullopt))
            return false;
    }
    const QList<PartFileFinisher::Failure> failures = m_finisher.takeFailures();
    failed = !failures.isEmpty();
    bool lastFailed = false;
    for (const PartFileFinisher::Failure &late : failures) {
        lastFailed = lastFailed || late.image == m_state.lastImage;
        m_board.ChangeState(run->task, failureState(late.image, late.description));
        if (!guard.alive())
            return false;
    }
    if (std::exchange(run->lastShareDue, false) && !lastFailed) {
        m_board.Cpro(run->task, 100);
        return guard.alive();
    }
    return true;
}

// Waits in a nested loop, the window live, for `duration`, or without one until the finisher has
// dealt with files. False when the frame must touch nothing any more: the run was stopped or the
// engine deleted meanwhile, or the application quits (the run is then stopped, leaving no
// partial file).
bool DownloadEngine::waitFor(const std::shared_ptr<Run> &run, std::optional<std::chrono::milliseconds> duration)
{
    const RunGuard guard(this, run->over);
    QEventLoop loop;
    bool woken = false;
    const auto wake = [&] {
        woken = true;
        loop.quit();
    };
    if (duration)
        QTimer::singleShot(*duration, &loop, wake);
    else
        connect(&m_finisher, &PartFileFinisher::settled, &loop, wake);
    connect(this, &DownloadEngine::runStopped, &loop, wake);
    loop.exec();
    if (!guard.alive())
        return false;
    if (!woken) {
        stopRun();
        return false;
    }
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
