#pragma once

#include "app/taskboard.h"
#include "platform/statusline.h"

#include <map>
#include <QStringList>

class TerminalOutput;

// The task list of the command line: tasks in memory, each state text written as a line, percent
// and speed on the progress line together with the status line's text.
class TerminalBoard final : public TaskBoard, public StatusLine
{
public:
    struct Task
    {
        QString title;
        QString url;
        QString state;
        double speed = 0;
        double progress = 0;
        QStringList states; // every state text, in order
    };

    explicit TerminalBoard(TerminalOutput &output) : m_output(output) {}

    bool Add(const QString &names, const QString &urls, qint16 &rindex, bool mini = false,
             const QString &tags = {}, quint32 bar = 0, quint32 bbar = 0) override;
    void Remove(qint16 index) override;
    qint16 Count() const override { return qint16(m_tasks.size()); }
    qint32 Selected() const override { return 0; }
    QString GetTitle(qint16 index) const override { return task(index).title; }
    QString GetURL(qint16 index) const override;
    QString ChangeURL(qint16 index, const QString &url) override;
    void ChangeState(qint16 index, const QString &state) override;
    void Cspeed(qint16 index, double speed) override;
    void Cpro(qint16 index, double progress) override;

    // The status line: shown beside the active task's percent.
    void setText(const QString &text) override;

    const Task &task(qint16 index) const;

private:
    Task &slot(qint16 index);
    void showProgress(qint16 index);

    TerminalOutput &m_output;
    std::map<qint16, Task> m_tasks;
    qint16 m_next = 0;
    qint16 m_lastReported = -1;
    QString m_status;
};
