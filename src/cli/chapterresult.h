#pragma once

#include <QString>
#include <QStringList>

// How one chapter of a command-line run ended, judged from its task's state texts and the images
// on disk.
struct ChapterResult
{
    bool ok = false;        // everything asked for arrived
    bool downloaded = false; // the images were fetched (not only the list)
    int images = 0;         // addresses in the list
    int saved = 0;          // complete image files in the folder
    QString failure;        // what went wrong, for the user
    QString folder;         // the task folder ("" when none was made)
};

// `states`: every state text of the task in order; `folder`: the task folder; `listOnly`: the
// run only saves lists.
ChapterResult judgeChapter(const QStringList &states, const QString &folder, bool listOnly);

// The images of a task folder's list that are on disk under their numbered names, in list order.
QStringList savedImageFiles(const QString &folder);
