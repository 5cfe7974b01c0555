#pragma once

#include "tasks/taskactions.h"
#include "tasks/taskcreation.h"
#include "tasks/taskrunner.h"
#include "tasks/taskstart.h"
#include "web/imagewalk.h"
#include "web/walkpausestate.h"

// The task side of the program wired once, the same for the window, the command line and the
// tests: each brings its own list, status line, dialogs and downloader. Hand it the list through
// a GuardedTaskBoard, as the downloader gets it.
struct TaskCore
{
    struct Services
    {
        QString appFolder;
        PageFetcher &fetcher;
        TaskBoard &board;
        StatusLine &statusLine;
        InputBox &inputBox;
        MessageBox &messages;
        ShellLauncher &launcher;
        WindowLock &windowLock;
        ImageDownloader &downloader;
        const Settings &settings;
        const Mode &mode;
        RunFlags &flags;
    };

    explicit TaskCore(const Services &s)
        : walk(s.fetcher, s.board, s.statusLine, s.inputBox, s.settings, s.mode, s.flags, pauseState),
          creation(s.fetcher, s.board, s.statusLine, s.windowLock, s.settings),
          start(s.appFolder, walk, s.downloader, s.board, s.statusLine, s.messages, s.launcher, s.settings, s.mode,
                s.flags),
          runner(start, s.board, s.downloader), actions(runner, s.flags, s.launcher, s.messages)
    {
    }

    WalkPauseState pauseState;
    ImageWalk walk;
    TaskCreation creation;
    TaskStart start;
    TaskRunner runner;
    TaskActions actions;
};
