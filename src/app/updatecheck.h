#pragma once

#include <QString>

class MessageBox;
class PageFetcher;
class ShellLauncher;

// The about window's two actions: open the maker's download page, and check that page for a
// version other than the running one, offering its notes and then the page.
class UpdateCheck
{
public:
    UpdateCheck(PageFetcher &fetcher, MessageBox &messages, ShellLauncher &launcher, QString pageAddress,
                QString runningVersion);

    void openDownloadPage();
    // Fetches the page (the interface stays live meanwhile) and tells the user what it found.
    void run();

private:
    PageFetcher &m_fetcher;
    MessageBox &m_messages;
    ShellLauncher &m_launcher;
    QString m_pageAddress;
    QString m_runningVersion;
};
