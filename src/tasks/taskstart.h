#pragma once

#include <functional>
#include <optional>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class ImageDownloader;
class ImageWalk;
class MessageBox;
class Mode;
class Settings;
class ShellLauncher;
class StatusLine;
class TaskBoard;
struct RunFlags;

// Starts one task: walks its chapter (or reads its saved list), saves the list file in the task
// folder, then hands the list to the downloader or, in list-only mode, says where the list lies.
class TaskStart
{
public:
    enum class Outcome
    {
        Stopped,     // nothing found, a failure, or the task went away
        ListSaved,   // list-only mode: the list file is the result
        Downloading, // the downloader has the task now and says when it ends
    };

    TaskStart(const QString &appFolder, ImageWalk &walk, ImageDownloader &downloader, TaskBoard &board,
              StatusLine &statusLine, MessageBox &messages, ShellLauncher &launcher, const Settings &settings,
              const Mode &mode, const RunFlags &flags);

    // Receives the list text of every walked task (the main window's hidden box).
    std::function<void(const QString &listText)> onListText;

    Outcome run(qint16 index);

    // The folder of a task's images and list: under Download, by the title's cleaned name, or by
    // the title itself for a saved list (or where setSavedListFolder put it).
    QString folderOf(qint16 index) const;
    // A saved list that lies outside Download (the command line takes any folder).
    void setSavedListFolder(qint16 index, const QString &folder) { m_savedListFolders.insert(index, folder); }

private:
    QString folderInDownload(const QString &folderName) const;
    Outcome runTask(qint16 index);
    std::optional<QString> walkedList(qint16 index, QStringList &imagePages);
    void failVisibly(qint16 index, const QString &state, const QString &path);
    void finishListOnly(qint16 index, const QString &folder, const QString &listPath);

    QString m_appFolder;
    ImageWalk &m_walk;
    ImageDownloader &m_downloader;
    TaskBoard &m_board;
    StatusLine &m_statusLine;
    MessageBox &m_messages;
    ShellLauncher &m_launcher;
    const Settings &m_settings;
    const Mode &m_mode;
    const RunFlags &m_flags;
    QHash<qint16, QString> m_savedListFolders;
};
