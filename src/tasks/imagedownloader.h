#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Downloads the images of one task at a time into the task's folder, reporting on the task's bar.
// The task start hands it the list; it runs from the event loop and says when the task is over.
class ImageDownloader : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImageDownloader)

public:
    using QObject::QObject;

    // Begins the download of `listText` (each image address followed by CR LF) for the task
    // `task` into the existing folder `folderPath`, and returns; `taskEnded` follows.
    // `imagePages` holds, for each image in turn, the page it was found on, which its request
    // names as Referer; an image without one names its own site instead.
    virtual void start(qint16 task, const QString &listText, const QString &folderPath,
                       const QStringList &imagePages) = 0;
    void start(qint16 task, const QString &listText, const QString &folderPath)
    {
        start(task, listText, folderPath, QStringList());
    }
    // A task's images are being fetched (or wait in a pause).
    virtual bool isBusy() const = 0;
    // The task's bar is gone: if it is the active task, stop its transfer at once, remove the
    // partial file and end the task without reporting to the missing bar.
    virtual void taskRemoved(qint16 task) = 0;
    // The program quits: stop the transfer and remove the partial file.
    virtual void abort() = 0;

Q_SIGNALS:
    // The task is over: completed, ended after failures, stopped, or removed.
    void taskEnded(qint16 task);
};
