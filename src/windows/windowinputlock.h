#pragma once

#include <QObject>
#include <QPointer>

class QEvent;
class QWidget;

// Keeps the user's input away from one window and everything in it for as long as the lock lives,
// the way a disabled form takes no input, but without changing how anything looks: the widgets stay
// enabled and draw as before. A window takes one around a wait in a nested loop (the title fetch),
// so that none of its own handlers run in the middle:
//
//     const WindowInputLock lock(*this);
//     const QString page = fetcher.FetchPage(address);
//
// Other windows, such as a message box the locked window opens, take input as usual. The window
// may be destroyed while locked; the lock then just ends.
class WindowInputLock final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowInputLock)

public:
    explicit WindowInputLock(QWidget &window);
    ~WindowInputLock() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isInLockedWindow(QObject *receiver) const;

    QPointer<QWidget> m_window;
};
