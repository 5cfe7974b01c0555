#include "cli/chapterrun.h"
#include "cli/clisession.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/inputaddresses.h"
#include "platform/textfile.h"
#include "tasks/taskcore.h"

int runGet(CliSession &session)
{
    QStringList addresses = session.options.addresses;
    if (!session.options.inputFile.isEmpty()) {
        const std::optional<QStringList> lines = readTextFile(session.options.inputFile);
        if (!lines) {
            session.output.line(QStringLiteral("tavrin: %1 cannot be read").arg(session.options.inputFile));
            return ExitStatus::usage;
        }
        addresses += inputAddresses(*lines);
    }
    if (session.options.listOnly)
        session.mode.setDownMode(!*session.options.listOnly);
    const bool listOnly = !session.mode.downMode();

    QStringList summaries;
    bool allArrived = true;
    for (const QString &address : std::as_const(addresses)) {
        QString box = address;
        const std::optional<qint16> index = session.core->creation.create(box);
        if (!index) {
            summaries.append(QStringLiteral("%1: failed (no task could be made)").arg(address));
            allArrived = false;
            continue;
        }
        const ChapterResult result = runChapter(session, *index, listOnly);
        summaries.append(chapterSummary(session.terminal.GetTitle(*index), result));
        allArrived = allArrived && result.ok;
        if (session.stopped())
            break;
    }
    for (const QString &summary : std::as_const(summaries))
        session.output.line(summary);
    return allArrived ? ExitStatus::ok : ExitStatus::failed;
}
