#pragma once

#include "app/runflags.h"
#include "app/settings.h"
#include "fakeboard.h"
#include "loopbackserver.h"
#include "recordinglauncher.h"
#include "recordingstatusline.h"
#include "tasks/downloadengine.h"

#include <QByteArray>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>

// A download engine with everything around it: the loopback server with the images, a task folder,
// the board (the active task is not slot 0, so its bar can truly go missing), the status line
// and the launcher.
struct EngineRig
{
    LoopbackServer server;
    QTemporaryDir folder;
    FakeBoard board;
    RecordingStatusLine status;
    RecordingLauncher launcher;
    Settings settings;
    RunFlags flags;
    DownloadEngine engine{board, status, launcher, settings, flags};
    QSignalSpy ended{&engine, &ImageDownloader::taskEnded};
    qint16 task = -1;

    EngineRig();

    // Scripts `response` at /p/<number><extension> and gives its address.
    QString serve(int number, const LoopbackResponse &response, const QString &extension = QStringLiteral(".jpg"));
    // Serves `count` different images of `size` bytes; their bodies go to `bodies`.
    QStringList serveImages(int count, qint64 size, QList<QByteArray> &bodies);
    void start(const QStringList &addresses);
    // Waits until the task has ended.
    bool ends(int timeoutMs = 20000);
    QStringList files() const;
    QByteArray bytes(const QString &name) const;
    QString path(const QString &name) const;
    QStringList states() const { return board.task(task).states; }
};

// Distinct, reproducible bytes for each seed.
QByteArray imageBytes(qint64 size, quint32 seed);
LoopbackResponse imageResponse(const QByteArray &body);
// The list text of the task start: each address followed by CR LF.
QString listText(const QStringList &addresses);
