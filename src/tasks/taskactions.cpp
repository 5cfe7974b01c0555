#include "tasks/taskactions.h"

#include "app/runflags.h"
#include "platform/messagebox.h"
#include "platform/shelllauncher.h"
#include "tasks/runcontrols.h"
#include "tasks/taskrunner.h"

TaskActions::TaskActions(TaskRunner &runner, RunFlags &flags, ShellLauncher &launcher, MessageBox &messages)
    : m_runner(runner), m_flags(flags), m_launcher(launcher), m_messages(messages)
{
}

void TaskActions::startSelected()
{
    if (m_selected)
        m_runner.start(*m_selected);
}

void TaskActions::deleteSelected()
{
    if (!m_selected)
        return;
    const qint16 index = *m_selected;
    m_selected.reset();
    m_runner.remove(index);
}

void TaskActions::togglePause()
{
    ::togglePause(m_flags);
}

void TaskActions::setShutdownWhenDone(bool checked)
{
    shutdownBoxClicked(m_flags, checked, m_launcher);
}

bool TaskActions::confirmExit()
{
    const MessageBox::Answer answer =
        m_messages.show(QStringLiteral("确定要退出程序吗?\r\n任务进度将会丢失!"), applicationTitle(),
                        MessageBox::Buttons::YesNo, MessageBox::Icon::Question);
    if (answer != MessageBox::Answer::Yes)
        return false;
    m_runner.quit();
    return true;
}
