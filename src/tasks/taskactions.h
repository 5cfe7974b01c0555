#pragma once

#include <optional>
#include <QtGlobal>

class MessageBox;
class ShellLauncher;
class TaskRunner;
struct RunFlags;

// What the main window's task buttons do, on the task the user picked. Nothing is picked until the
// user clicks a bar, and nothing after a delete until the next click, so a button never acts on a
// task the user did not choose (a deleted bar's index may be handed to a new task).
class TaskActions
{
public:
    TaskActions(TaskRunner &runner, RunFlags &flags, ShellLauncher &launcher, MessageBox &messages);

    void select(qint16 index) { m_selected = index; }
    std::optional<qint16> selected() const { return m_selected; }

    void startSelected();
    void deleteSelected();
    // The pause button: asks a walk or transfer to pause, or lets a paused one go on.
    void togglePause();
    // The shutdown box: clearing it cancels a shutdown that may have been scheduled.
    void setShutdownWhenDone(bool checked);
    // Asks whether to quit; on Yes stops what runs and returns true.
    bool confirmExit();

private:
    TaskRunner &m_runner;
    RunFlags &m_flags;
    ShellLauncher &m_launcher;
    MessageBox &m_messages;
    std::optional<qint16> m_selected;
};
