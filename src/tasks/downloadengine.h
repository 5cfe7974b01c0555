#pragma once

#include "tasks/enginestate.h"
#include "tasks/imagedownloader.h"
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
// An image that fails is reported and skipped, and only complete images stay in the folder.
class DownloadEngine final : public ImageDownloader
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DownloadEngine)

public:
    static constexpr qint64 chunkSize = 10240;
    static constexpr std::chrono::milliseconds pausePoll{50};

    DownloadEngine(TaskBoard &board, StatusLine &statusLine, ShellLauncher &launcher, const Settings &settings,
                   RunFlags &runFlags, QObject *parent = nullptr);
    // Stops a running task like abort().
    ~DownloadEngine() override;

    void start(qint16 task, const QString &listText, const QString &folderPath) override;
    bool isBusy() const override;
    void taskRemoved(qint16 task) override;
    // Stops the running task and removes its partial file, without reports and without taskEnded,
    // so nothing else starts while the program quits.
    void abort() override;

    const EngineState &state() const { return m_state; }
    // For the idle limit and trusted certificates.
    Transfer &transfer() { return m_transfer; }

Q_SIGNALS:
    // The running task was stopped: wakes its pause wait.
    void runStopped(QPrivateSignal);

private:
    struct Run;
    using Failure = std::optional<QString>; // an image failure's description

    enum class Read
    {
        Complete,
        Failed,
        Stopped, // the task is no longer the running one, or the engine is gone
    };

    void onTransferState(int state);
    void receive(const std::shared_ptr<Run> &run);
    Read readImage(const std::shared_ptr<Run> &run, QString &failure);
    bool waitWhilePaused(const std::shared_ptr<Run> &run);
    void reportSpeed(qint64 milliseconds);
    void reportPercent(qint64 written, qint64 length, bool bodyEnded);
    qint64 announcedLength() const;

    Failure BeginImage(qint32 k);
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
    EngineState m_state;
    std::shared_ptr<Run> m_run; // the running task; empty when idle
};
