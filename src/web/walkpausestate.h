#pragma once

#include "web/chapterbounds.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

// What a walk stopped by a pause leaves for the walk that continues it: one record for the
// program (so one walk at a time), owned by the application.
struct WalkPauseState
{
    QString savedWalkList;    // the image list collected up to the pause
    qint32 savedWalkPage = 1; // the number of the page the continued walk begins with
    QString savedWalkFirst;   // where the paused walk started: still the end of the chapter
    QString savedWalkNext;    // the page the paused walk would have fetched next
    ChapterBounds savedWalkBounds{}; // what the paused walk knew of its chapter's end
    QStringList savedWalkPages;      // the page of each image of the saved list
    QString savedWalkReferer;        // the page that led to the next one
};
