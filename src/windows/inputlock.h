#pragma once

#include "tasks/windowlock.h"

#include <QObject>
#include <QPointer>

class QWidget;

// Locks a window as a disabled form is locked: it takes no pointer, key or close input, while its
// controls keep their look (setEnabled(false) would grey every one of them). Dialogs opened
// meanwhile still get their input.
class InputLock final : public QObject, public WindowLock
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InputLock)

public:
    explicit InputLock(QWidget *window);
    ~InputLock() override;

    void lock() override;
    void unlock() override;
    bool isLocked() const { return m_depth > 0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    int m_depth = 0;
};
