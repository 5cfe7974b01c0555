#pragma once

#include "app/mode.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "fakeboard.h"
#include "fakedownloader.h"
#include "recordinglauncher.h"
#include "recordingstatusline.h"
#include "scriptedinputbox.h"
#include "scriptedmessagebox.h"
#include "tasks/guardedtaskboard.h"
#include "tasks/taskactions.h"
#include "tasks/taskrunner.h"
#include "tasks/taskstart.h"
#include "web/imagewalk.h"
#include "web/walkpausestate.h"

#include <QDir>
#include <QTemporaryDir>

// Everything a task start needs, wired as the program wires it (the walk, the start and the runner
// see the list through the guard), on an app folder of its own with its Download folder made.
// Fetcher is the fake fetcher for scripted pages or the HTTP one for the loopback server.
template <typename Fetcher> struct TaskParts
{
    Fetcher fetcher;
    FakeBoard board;
    GuardedTaskBoard guarded{board};
    RecordingStatusLine status;
    ScriptedInputBox input;
    Settings settings;
    Mode mode;
    RunFlags flags;
    WalkPauseState pauseState;
    ImageWalk walk{fetcher, guarded, status, input, settings, mode, flags, pauseState};
    QTemporaryDir appFolder;
    FakeDownloader downloader;
    ScriptedMessageBox messages;
    RecordingLauncher launcher;
    QStringList listTexts;
    TaskStart start{appFolder.path(), walk, downloader, guarded, status, messages, launcher, settings, mode, flags};
    TaskRunner runner{start, guarded, downloader};
    TaskActions actions{runner, flags, launcher, messages};

    TaskParts()
    {
        mode.setBlockUrl(QStringLiteral("javascript,void,download,class=,src="));
        mode.setBlockImg(QStringLiteral("logo,bar,icons,shadow,avatars"));
        QDir(appFolder.path()).mkpath(QStringLiteral("Download"));
        start.onListText = [this](const QString &text) { listTexts.append(text); };
    }

    QString download() const { return appFolder.path() + QStringLiteral("/Download"); }
    qint16 addTask(const QString &title, const QString &url)
    {
        qint16 index = -1;
        guarded.Add(title, url, index, false, QStringLiteral("就绪"));
        guarded.Cpro(index, 0);
        return index;
    }
};
