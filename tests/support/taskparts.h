#pragma once

#include "app/mode.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "fakeboard.h"
#include "fakedownloader.h"
#include "recordinglauncher.h"
#include "recordingstatusline.h"
#include "recordingwindowlock.h"
#include "scriptedinputbox.h"
#include "scriptedmessagebox.h"
#include "tasks/guardedtaskboard.h"
#include "tasks/taskcore.h"

#include <QDir>
#include <QTemporaryDir>

// The task side wired as the program wires it, with fakes for the list, the dialogs and the
// downloader, on an app folder of its own with its Download folder made. Fetcher is the fake
// fetcher for scripted pages or the HTTP one for the loopback server.
template <typename Fetcher> struct TaskParts
{
    Fetcher fetcher;
    FakeBoard board;
    GuardedTaskBoard guarded{board};
    RecordingStatusLine status;
    ScriptedInputBox input;
    ScriptedMessageBox messages;
    RecordingLauncher launcher;
    RecordingWindowLock lock;
    FakeDownloader downloader;
    Settings settings;
    Mode mode;
    RunFlags flags;
    QTemporaryDir appFolder;
    TaskCore core{{appFolder.path(), fetcher, guarded, status, input, messages, launcher, lock, downloader, settings,
                   mode, flags}};
    TaskStart &start = core.start;
    TaskRunner &runner = core.runner;
    TaskActions &actions = core.actions;
    QStringList listTexts;

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
