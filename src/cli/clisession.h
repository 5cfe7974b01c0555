#pragma once

#include "app/mode.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "cli/clioptions.h"
#include "cli/terminalboard.h"
#include "cli/terminaldialogs.h"
#include "cli/terminaloutput.h"
#include "platform/shelllauncher.h"
#include "tasks/downloadoptions.h"
#include "tasks/guardedtaskboard.h"
#include "tasks/windowlock.h"
#include "web/httppagefetcher.h"
#include "web/networksetup.h"

#include <functional>
#include <memory>

class ImageDownloader;
struct TaskCore;

// A terminal has no folder to show and no one to ask before a shutdown: nothing is launched.
class NoLauncher final : public ShellLauncher
{
public:
    void showFolder(const QString &) override {}
    void openWebAddress(const QString &) override {}
    void scheduleShutdown() override {}
    void cancelShutdown() override {}
};

// Nothing to lock on a terminal.
class NoWindowLock final : public WindowLock
{
public:
    void lock() override {}
    void unlock() override {}
};

// Everything one command-line run works with: the same records and task side as the window,
// with the terminal in place of the window's list, status line and dialogs.
struct CliSession
{
    // The downloader's requests go through `network` like the page fetches.
    using DownloaderFactory =
        std::function<std::unique_ptr<ImageDownloader>(TaskBoard &, StatusLine &, ShellLauncher &,
                                                       const Settings &, RunFlags &, const DownloadOptions &,
                                                       NetworkSetup &)>;

    CliSession(const CliOptions &options, const QString &appFolder, const DownloaderFactory &makeDownloader);
    ~CliSession();

    CliOptions options;
    QString appFolder;
    TerminalOutput output;
    TerminalBoard terminal{output};
    GuardedTaskBoard board{terminal};
    TerminalInputBox input;
    TerminalMessageBox messages{output};
    NoLauncher launcher;
    NoWindowLock lock;
    NetworkSetup network;
    HttpPageFetcher fetcher;
    Settings settings;
    Mode mode;
    RunFlags flags;
    DownloadOptions downloadOptions; // --continue, --wait
    std::unique_ptr<ImageDownloader> downloader;
    std::unique_ptr<TaskCore> core;
    int stopSignal = 0; // Ctrl-C or SIGTERM arrived: no further chapter starts
    bool stopped() const { return stopSignal != 0; }
};
