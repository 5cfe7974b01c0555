#include "cli/chapterrun.h"

#include "cli/clisession.h"
#include "tasks/comicarchive.h"
#include "tasks/taskcore.h"

#include <QEventLoop>
#include <QFileInfo>

namespace {

void waitUntilIdle(TaskRunner &runner)
{
    if (runner.isIdle())
        return;
    QEventLoop loop;
    QObject::connect(&runner, &TaskRunner::idle, &loop, &QEventLoop::quit);
    loop.exec();
}

void packArchive(CliSession &session, const QString &title, ChapterResult &result)
{
    const QString archive = result.folder + QStringLiteral(".cbz");
    const std::optional<QString> failure = writeComicArchive(archive, title, savedImageFiles(result.folder));
    if (failure) {
        result.ok = false;
        result.failure = QStringLiteral("the archive could not be written: %1").arg(*failure);
        return;
    }
    session.output.line(QStringLiteral("[%1] %2").arg(title, archive));
}

} // namespace

ChapterResult runChapter(CliSession &session, qint16 index, bool listOnly)
{
    session.core->runner.start(index);
    waitUntilIdle(session.core->runner);
    const QString title = session.terminal.GetTitle(index);
    ChapterResult result = judgeChapter(session.terminal.task(index).states, session.core->start.folderOf(index), listOnly);
    if (session.options.cbz && result.ok && result.downloaded)
        packArchive(session, title, result);
    if (!result.ok)
        session.output.line(QStringLiteral("[%1] failed: %2").arg(title, result.failure));
    return result;
}

QString chapterSummary(const QString &title, const ChapterResult &result)
{
    if (result.downloaded) {
        return QStringLiteral("%1: %2 images saved, %3 failed")
            .arg(title)
            .arg(result.saved)
            .arg(result.images - result.saved);
    }
    if (result.ok)
        return QStringLiteral("%1: list of %2 images saved").arg(title).arg(result.images);
    return QStringLiteral("%1: failed (%2)").arg(title, result.failure);
}
