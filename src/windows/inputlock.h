#pragma once

#include "tasks/windowlock.h"

#include <memory>
#include <QPointer>

class QWidget;
class WindowInputLock;

// The main window's lock while a task's page is fetched: no input reaches the window, and its
// controls keep their look.
class InputLock final : public WindowLock
{
public:
    explicit InputLock(QWidget *window);
    ~InputLock() override;

    void lock() override;
    void unlock() override;
    bool isLocked() const { return m_depth > 0; }

private:
    QPointer<QWidget> m_window;
    std::unique_ptr<WindowInputLock> m_held;
    int m_depth = 0;
};
