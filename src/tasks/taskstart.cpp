#include "tasks/taskstart.h"

#include "app/mode.h"
#include "app/optionfile.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "app/taskboard.h"
#include "platform/casepath.h"
#include "platform/messagebox.h"
#include "platform/shelllauncher.h"
#include "platform/statusline.h"
#include "tasks/cleanfoldername.h"
#include "tasks/imagedownloader.h"
#include "tasks/listfile.h"
#include "tasks/savedlist.h"
#include "web/imagewalk.h"

#include <QDir>

namespace {

const QString crlf = QStringLiteral("\r\n");

} // namespace

TaskStart::TaskStart(const QString &appFolder, ImageWalk &walk, ImageDownloader &downloader, TaskBoard &board,
                     StatusLine &statusLine, MessageBox &messages, ShellLauncher &launcher,
                     const Settings &settings, const Mode &mode, const RunFlags &flags)
    : m_appFolder(appFolder), m_walk(walk), m_downloader(downloader), m_board(board), m_statusLine(statusLine),
      m_messages(messages), m_launcher(launcher), m_settings(settings), m_mode(mode), m_flags(flags)
{
}

TaskStart::Outcome TaskStart::run(qint16 index)
{
    try {
        return runTask(index);
    } catch (const MissingTaskError &) {
        // The user removed the task while it was being started: nothing is left to report to.
        return Outcome::Stopped;
    }
}

QString TaskStart::folderOf(qint16 index) const
{
    const QString title = m_board.GetTitle(index);
    if (m_board.GetURL(index) != savedListAddress())
        return folderInDownload(CleanFolderName(title));
    return m_savedListFolders.value(index, folderInDownload(title));
}

QString TaskStart::folderInDownload(const QString &folderName) const
{
    const QString download = downloadFolder(m_appFolder);
    if (folderName.isEmpty())
        return download;
    return pathIgnoringCase(download, folderName);
}

TaskStart::Outcome TaskStart::runTask(qint16 index)
{
    const bool savedList = m_board.GetURL(index) == savedListAddress();
    const QString folder = folderOf(index);
    std::optional<QString> listText;
    QStringList imagePages; // a saved list does not know them
    if (savedList) {
        listText = readListFile(folder);
    } else {
        if (!QDir().mkpath(folder)) {
            failVisibly(index, QStringLiteral("无法创建任务文件夹"), folder);
            return Outcome::Stopped;
        }
        listText = walkedList(index, imagePages);
    }
    if (!listText || listText->isEmpty())
        return Outcome::Stopped;

    const std::optional<QString> listPath = writeListFile(folder, *listText);
    if (!listPath) {
        failVisibly(index, QStringLiteral("无法保存图片列表"), folder);
        return Outcome::Stopped;
    }
    if (m_mode.downMode() || savedList) {
        m_downloader.start(index, *listText, folder, imagePages);
        return Outcome::Downloading;
    }
    finishListOnly(index, folder, *listPath);
    return Outcome::ListSaved;
}

std::optional<QString> TaskStart::walkedList(qint16 index, QStringList &imagePages)
{
    m_board.ChangeState(index, QStringLiteral("获取地址中..."));
    QString listText;
    const ImageWalk::Outcome outcome = m_walk.BuildImageList(m_board.GetURL(index), index, listText, imagePages);
    if (outcome == ImageWalk::Outcome::TaskMissing)
        return std::nullopt;
    if (onListText)
        onListText(listText);
    return listText;
}

// What the start leaves open fails where the user looks: the task's bar and the status line.
void TaskStart::failVisibly(qint16 index, const QString &state, const QString &path)
{
    m_board.ChangeState(index, state);
    m_statusLine.setText(state + QStringLiteral(": ") + QDir::toNativeSeparators(path));
}

void TaskStart::finishListOnly(qint16 index, const QString &folder, const QString &listPath)
{
    m_messages.show(QStringLiteral("文件列表存放于:") + crlf + QDir::toNativeSeparators(listPath) + crlf +
                        QStringLiteral("如需要自动下载,请进入设置中设置."),
                    applicationTitle(), MessageBox::Buttons::Ok, MessageBox::Icon::Information);
    m_board.ChangeState(index, QStringLiteral("列表获取完毕"));
    if (m_settings.opensFolderWhenDone())
        m_launcher.showFolder(folder);
    if (m_flags.shutdownWhenDone)
        m_launcher.scheduleShutdown();
}
