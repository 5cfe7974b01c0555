#pragma once

class ShellLauncher;
struct RunFlags;

// What the main window's pause button and shutdown box do; the command line calls the same.

// Pause/continue: a pause already asked for is lifted (a waiting transfer goes on); otherwise a
// pause is asked for, and the running walk or transfer stops at its next boundary.
void togglePause(RunFlags &flags);

// The shutdown box was clicked: it now reads `checked`. Clearing it cancels a scheduled shutdown
// (whether one is pending or not); checking it schedules nothing until a task completes.
void shutdownBoxClicked(RunFlags &flags, bool checked, ShellLauncher &launcher);
