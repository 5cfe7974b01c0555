#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The download engine's record of the task it is downloading: one task at a time.
struct EngineState
{
    qint16 activeTask = -1;  // the task's index: every report goes to it
    QStringList imageUrls;   // the image addresses, in list order
    qint32 currentImage = 0; // index of the image being requested or written
    qint32 lastImage = -1;   // index of the last image
    QString currentUrl;      // address of the image being requested
    QString imageFilePath;   // where the image being written goes
    QString taskFolderName;  // the task folder's own name
};
