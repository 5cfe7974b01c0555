#include "cli/chapterresult.h"

#include "tasks/imagefilename.h"
#include "tasks/listfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString imageFailurePrefix = QStringLiteral("下载失败出现在第");

QStringList imageFailures(const QStringList &states)
{
    QStringList failures;
    for (const QString &state : states) {
        if (state.startsWith(imageFailurePrefix))
            failures.append(state);
    }
    return failures;
}

} // namespace

QStringList savedImageFiles(const QString &folder)
{
    const QStringList addresses = imageAddresses(readListFile(folder).value_or(QString()));
    QStringList files;
    for (qsizetype k = 0; k < addresses.size(); ++k) {
        const QString path = QDir(folder).filePath(imageFileName(qint32(k), qint32(addresses.size()), addresses.at(k)));
        if (QFileInfo(path).isFile())
            files.append(path);
    }
    return files;
}

ChapterResult judgeChapter(const QStringList &states, const QString &folder, bool listOnly)
{
    ChapterResult result;
    const QString last = states.isEmpty() ? QString() : states.constLast();
    const bool listSaved = !folder.isEmpty() && !findListFile(folder).isEmpty();
    result.folder = folder;
    result.images = listSaved ? int(imageAddresses(readListFile(folder).value_or(QString())).size()) : 0;

    if (last == u"列表获取完毕") {
        result.ok = listOnly && result.images > 0;
        if (!result.ok)
            result.failure = QStringLiteral("the list holds no image");
        return result;
    }
    if (last == u"下载完成!" || last.startsWith(imageFailurePrefix)) {
        result.downloaded = true;
        result.saved = int(savedImageFiles(folder).size());
        const QStringList failures = imageFailures(states);
        result.ok = failures.isEmpty() && result.saved == result.images && result.images > 0;
        if (!failures.isEmpty())
            result.failure = failures.join(QStringLiteral("; "));
        else if (!result.ok)
            result.failure = QStringLiteral("%1 of %2 images missing").arg(result.images - result.saved).arg(result.images);
        return result;
    }
    if (last == u"下载失败......")
        result.failure = QStringLiteral("a page could not be fetched");
    else if (last.isEmpty())
        result.failure = QStringLiteral("the task did not start");
    else
        result.failure = QStringLiteral("no list was saved (%1)").arg(last);
    return result;
}
