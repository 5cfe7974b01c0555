#pragma once

#include "app/taskboard.h"

#include <functional>
#include <QList>
#include <QMap>
#include <QStringList>

// The task list in memory, with its index rules (slot 0 always there and hidden while the list is
// empty, removed indices left as gaps, the next index after the highest in use) and a record of
// every report it received.
class FakeBoard final : public TaskBoard
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
        QStringList urls;   // every address set by ChangeURL, in order
        QList<double> progresses; // every percentage set by Cpro, in order
    };

    FakeBoard();

    // Runs after a state text has been recorded (e.g. to remove the bar in the middle of a walk).
    std::function<void(qint16 index, const QString &state)> onChangeState;
    // Runs after a percentage has been recorded.
    std::function<void(qint16 index, double progress)> onProgress;
    // Operations that named an index without a bar (and threw).
    mutable int missingTaskCalls = 0;
    qint32 selected = 0;

    bool Add(const QString &names, const QString &urls, qint16 &rindex, bool mini = false,
             const QString &tags = {}, quint32 bar = 0, quint32 bbar = 0) override;
    void Remove(qint16 index) override;
    qint16 Count() const override;
    qint32 Selected() const override { return selected; }
    QString GetTitle(qint16 index) const override;
    QString GetURL(qint16 index) const override;
    QString ChangeURL(qint16 index, const QString &url) override;
    void ChangeState(qint16 index, const QString &state) override;
    void Cspeed(qint16 index, double speed) override;
    void Cpro(qint16 index, double progress) override;

    bool exists(qint16 index) const { return m_tasks.contains(index) && (index != 0 || m_slotZeroShown); }
    // The task's record; slot 0 can be read while hidden, as the list allows.
    const Task &task(qint16 index) const;
    // Adds a task the way task creation does: state "就绪", progress 0. Returns its index.
    qint16 addTask(const QString &title, const QString &url);

private:
    Task &slot(qint16 index);
    const Task &slot(qint16 index) const;

    QMap<qint16, Task> m_tasks;
    bool m_slotZeroShown = false;
    qint32 m_lastIndex = 0;
};
