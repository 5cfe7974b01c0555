#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class ChapterBounds;
class InputBox;
class Mode;
class PageFetcher;
class Settings;
class StatusLine;
class TaskBoard;
struct FetchedPage;
struct RunFlags;
struct WalkPauseState;

// Walks a comic chapter page by page into the list of its image addresses, reporting on the
// task's bar, moving the task's address along and asking the user when a page offers several
// next pages. Runs on the user-interface thread and lets it handle events between pages.
class ImageWalk
{
public:
    enum class Outcome
    {
        Finished,    // no further page, or back at the start: the list is delivered
        Paused,      // stopped by a pause: the list is delivered and saved for the next call
        Failed,      // a page stayed empty for every attempt: nothing is delivered
        TaskMissing, // the task's bar was removed during the walk: nothing is delivered
    };

    ImageWalk(PageFetcher &fetcher, TaskBoard &board, StatusLine &statusLine, InputBox &inputBox,
              const Settings &settings, const Mode &mode, RunFlags &runFlags, WalkPauseState &pauseState);

    // Walks from `address` for the task `index`; the image list (each address followed by CR LF)
    // goes to `result`, which the caller passes empty. With the pause flag set on entry the walk
    // continues the paused one from the saved list and page number.
    Outcome BuildImageList(const QString &address, qint16 index, QString &result);
    // The same; `imagePages` gets, for each image of the list in turn, the page it was found on
    // (the Referer its download needs).
    Outcome BuildImageList(const QString &address, qint16 index, QString &result, QStringList &imagePages);

    // What the status line shows for an address: long ones are cut in the middle.
    static QString shortAddress(const QString &address);

private:
    Outcome walk(const QString &address, qint16 index, QString &result, QStringList &imagePages);
    bool fetchWithRetries(const QString &address, const QString &referer, qint16 index, FetchedPage &page);
    bool readPage(const QString &asked, const FetchedPage &page, const QString &firstAddress, qint16 index,
                  ChapterBounds &bounds, QString &imageList, QString &next);
    QString chooseNextPage(const QStringList &candidates) const;
    static bool endsWalk(const QString &next, const QString &firstAddress, const QString &analysed);

    PageFetcher &m_fetcher;
    TaskBoard &m_board;
    StatusLine &m_statusLine;
    InputBox &m_inputBox;
    const Settings &m_settings;
    const Mode &m_mode;
    RunFlags &m_runFlags;
    WalkPauseState &m_pauseState;
};
