#pragma once

#include "app/taskboard.h"

#include <QSet>

// The task list as the task start and the downloader see it: a removed task stays removed. The
// list keeps its first slot readable while hidden, so without this a walk or download of a
// removed first task would go on reporting into the hidden slot, and onto the next task given it.
class GuardedTaskBoard final : public TaskBoard
{
public:
    explicit GuardedTaskBoard(TaskBoard &board) : m_board(board) {}

    bool Add(const QString &names, const QString &urls, qint16 &rindex, bool mini = false,
             const QString &tags = {}, quint32 bar = 0, quint32 bbar = 0) override;
    void Remove(qint16 index) override;
    qint16 Count() const override { return m_board.Count(); }
    qint32 Selected() const override { return m_board.Selected(); }
    QString GetTitle(qint16 index) const override;
    QString GetURL(qint16 index) const override;
    QString ChangeURL(qint16 index, const QString &url) override;
    void ChangeState(qint16 index, const QString &state) override;
    void Cspeed(qint16 index, double speed) override;
    void Cpro(qint16 index, double progress) override;

private:
    void requireLive(qint16 index) const;

    TaskBoard &m_board;
    QSet<qint16> m_removed;
};
