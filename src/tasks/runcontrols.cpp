#include "tasks/runcontrols.h"

#include "app/runflags.h"
#include "platform/shelllauncher.h"

void togglePause(RunFlags &flags)
{
    if (flags.pauseFlag) {
        flags.resumeFlag = true;
        flags.pauseFlag = false;
    } else {
        flags.pauseFlag = true;
    }
}

void shutdownBoxClicked(RunFlags &flags, bool checked, ShellLauncher &launcher)
{
    flags.shutdownWhenDone = checked;
    if (!checked)
        launcher.cancelShutdown();
}
