#pragma once

#include <optional>
#include <QString>
#include <QtGlobal>

class PageFetcher;
class Settings;
class StatusLine;
class TaskBoard;
class WindowLock;

// Makes a task from the address of a chapter's first page: fetches the page (retrying as the
// settings say, with the window locked), takes its title and adds the task to the board.
class TaskCreation
{
public:
    TaskCreation(PageFetcher &fetcher, TaskBoard &board, StatusLine &statusLine, WindowLock &lock,
                 const Settings &settings);

    // `address` is the box's text; it is completed in place (the box shows what was fetched).
    // Returns the new task's index; nullopt when the board has no index left.
    std::optional<qint16> create(QString &address);

private:
    QString fetchWithRetries(const QString &address);

    PageFetcher &m_fetcher;
    TaskBoard &m_board;
    StatusLine &m_statusLine;
    WindowLock &m_lock;
    const Settings &m_settings;
};
