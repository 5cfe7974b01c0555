#pragma once

#include <QString>
#include <QtGlobal>
#include <stdexcept>

// Raised by the task board when an operation names a task index that has no bar.
class MissingTaskError : public std::out_of_range
{
public:
    explicit MissingTaskError(qint16 index)
        : std::out_of_range("no task bar with index " + std::to_string(index)), m_index(index)
    {
    }
    qint16 index() const { return m_index; }

private:
    qint16 m_index;
};

// The list of tasks as the walk and the download engine see it. A task's index never changes
// while it exists. GetTitle, ChangeURL, ChangeState, Cspeed and Cpro throw MissingTaskError for
// an index without a bar; GetURL answers "None" instead.
class TaskBoard
{
public:
    virtual ~TaskBoard() = default;

    // Adds a bar; its index goes to `rindex`. Returns false (rindex untouched) when no index is left.
    virtual bool Add(const QString &names, const QString &urls, qint16 &rindex, bool mini = false,
                     const QString &tags = {}, quint32 bar = 0, quint32 bbar = 0) = 0;
    virtual void Remove(qint16 index) = 0;
    virtual qint16 Count() const = 0;
    virtual qint32 Selected() const = 0;
    virtual QString GetTitle(qint16 index) const = 0;
    virtual QString GetURL(qint16 index) const = 0;
    virtual QString ChangeURL(qint16 index, const QString &url) = 0;
    virtual void ChangeState(qint16 index, const QString &state) = 0;
    virtual void Cspeed(qint16 index, double speed) = 0;
    virtual void Cpro(qint16 index, double progress) = 0;
};
