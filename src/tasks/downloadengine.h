#pragma once

#include "tasks/downloadoptions.h"
#include "tasks/enginestate.h"
#include "tasks/imagedownloader.h"
#include "tasks/partfilefinisher.h"
#include "web/transfer.h"

#include <chrono>
#include <memory>
#include <optional>
#include <QString>

class Settings;
class ShellLauncher;
class StatusLine;
class TaskBoard;
struct RunFlags;

// Downloads a task's images one after another through one Transfer, each into a numbered file in
// the task folder, reporting speed and percentage on the task's bar and progress on the status
// line. The chunk loop waits in nested event loops, so the user can pause, continue, remove the
// task, start another or quit in the middle of an image; after every wait the loop checks that
// its task is still the running one (and the engine still alive) before it touches anything.
// A try that fails on the way (no answer, a broken body, 408, 429, 5xx) is tried again after a
// growing wait, from where it broke off when the server takes ranges. An image that fails for
// good is reported and skipped, and only complete images ever carry an image's name.
class DownloadEngine final : public ImageDownloader
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DownloadEngine)

public:
    static constexpr qint64 chunkSize = 10240;
    static constexpr std::chrono::milliseconds pausePoll{50};
    static constexpr std::chrono::milliseconds defaultRetryBase{1000};

    DownloadEngine(TaskBoard &board, StatusLine &statusLine, ShellLauncher &launcher, const Settings &settings,
                   RunFlags &runFlags, QObject *parent = nullptr);
    // Stops a running task like abort().
    ~DownloadEngine() override;

    using ImageDownloader::start;
    void start(qint16 task, const QString &listText, const QString &folderPath,
               const QStringList &imagePages) override;
    bool isBusy() const override;
    void taskRemoved(qint16 task) override;
    // Stops the running task and removes its partial file, without reports and without taskEnded,
    // so nothing else starts while the program quits.
    void abort() override;

    const EngineState &state() const { return m_state; }
    // For the idle limit and trusted certificates.
    Transfer &transfer() { return m_transfer; }
    // Takes effect with the next task.
    void setOptions(const DownloadOptions &options) { m_options = options; }
    // The wait before the first retry of an image; it doubles with every further one.
    void setRetryBase(std::chrono::milliseconds base) { m_retryBase = base; }

Q_SIGNALS:
    // The running task was stopped: wakes its pause wait.
    void runStopped(QPrivateSignal);

private:
    struct Run;
    using Failure = std::optional<QString>; // an image failure's description

    // Why a try at an image went wrong.
    struct TryFailure
    {
        QString description;
        std::optional<std::chrono::milliseconds> retryAfter; // what the server asked for
    };

    enum class Read
    {
        Complete,
        Failed,  // for good: the failure step
        Retry,   // this try failed; another may not
        Stopped, // the task is no longer the running one, or the engine is gone
    };

    enum class Begin
    {
        Requested,
        Skipped, // its file is there already and is kept
        Failed,
        Stopped,
    };

    enum class Retry
    {
        Requested, // the image is asked for again
        Exhausted, // no tries left: the caller goes on as for any failure
        Stopped,
    };

    void onTransferState(int state);
    void receive(const std::shared_ptr<Run> &run);
    Read readImage(const std::shared_ptr<Run> &run, TryFailure &failure);
    Read readBody(const std::shared_ptr<Run> &run, qint64 offset, TryFailure &failure);
    bool endsCut(Run &run, qint64 offset, qint64 written) const;
    Retry tryAgain(const std::shared_ptr<Run> &run, const TryFailure &failure);
    bool waitWhilePaused(const std::shared_ptr<Run> &run);
    bool settleFiles(const std::shared_ptr<Run> &run, bool &failed);
    bool waitFor(const std::shared_ptr<Run> &run, std::optional<std::chrono::milliseconds> duration);
    void reportSpeed(qint64 milliseconds);
    void reportPercent(qint64 written, qint64 length, bool bodyEnded);
    qint64 announcedLength() const;

    Begin BeginImage(qint32 k, QString &failure);
    void request(Run &run);
    void goOn(Failure failure);
    void requestFailed(const std::shared_ptr<Run> &run);
    void completion();
    void endRun();
    void stopRun();
    void announceEnd(qint16 task);

    TaskBoard &m_board;
    StatusLine &m_statusLine;
    ShellLauncher &m_launcher;
    const Settings &m_settings;
    RunFlags &m_runFlags;
    Transfer m_transfer;
    PartFileFinisher m_finisher;
    EngineState m_state;
    DownloadOptions m_options;
    std::chrono::milliseconds m_retryBase = defaultRetryBase;
    std::shared_ptr<Run> m_run; // the running task; empty when idle
};
