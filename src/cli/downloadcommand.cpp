#include "app/optionfile.h"
#include "cli/chapterrun.h"
#include "cli/clisession.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "platform/casepath.h"
#include "tasks/listfile.h"
#include "tasks/savedlist.h"
#include "tasks/taskcore.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A path, or a name inside Download found without regard to case.
QString listFolder(const CliSession &session)
{
    const QString given = session.options.folder;
    if (QFileInfo(given).isDir() && !findListFile(given).isEmpty())
        return QDir(given).absolutePath();
    const QString inside = findIgnoringCase(downloadFolder(session.appFolder), given);
    if (!inside.isEmpty() && !findListFile(inside).isEmpty())
        return inside;
    return {};
}

} // namespace

int runDownload(CliSession &session)
{
    const QString folder = listFolder(session);
    if (folder.isEmpty()) {
        session.output.line(
            QStringLiteral("tavrin: %1 is no folder with a down.lst (a path, or a name inside %2)")
                .arg(session.options.folder, QDir::toNativeSeparators(downloadFolder(session.appFolder))));
        return ExitStatus::usage;
    }
    qint16 index = 0;
    // A saved-list task: its title names its folder, which here may lie anywhere.
    session.board.Add(QFileInfo(folder).fileName(), savedListAddress(), index, false,
                      QStringLiteral("列表已载入，等待启动"));
    session.core->start.setSavedListFolder(index, folder);
    const ChapterResult result = runChapter(session, index, false);
    session.output.line(chapterSummary(session.terminal.GetTitle(index), result));
    return result.ok ? ExitStatus::ok : ExitStatus::failed;
}
