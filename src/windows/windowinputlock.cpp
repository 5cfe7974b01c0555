#include "windows/windowinputlock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

// What the user does to a window. Leaving is let through, so that nothing stays lit under a
// pointer that went away; anything else a locked window would react to is not.
bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

// Filtered for the whole application: pointer and key events reach the window's platform window
// first, and are stopped there before the toolkit moves the focus or hovers anything; shortcuts
// are stopped at their override query and at the shortcut objects.
WindowInputLock::WindowInputLock(QWidget &window) : m_window(&window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

WindowInputLock::~WindowInputLock()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool WindowInputLock::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_window || !isUserInput(event->type()) || !isInLockedWindow(watched))
        return false;
    // An accepted override keeps the key from every shortcut; the key itself is then stopped.
    if (event->type() == QEvent::ShortcutOverride)
        event->accept();
    return true;
}

bool WindowInputLock::isInLockedWindow(QObject *receiver) const
{
    if (receiver->isWindowType())
        return receiver == m_window->windowHandle();
    for (QObject *object = receiver; object; object = object->parent()) {
        if (object->isWidgetType())
            return static_cast<QWidget *>(object)->window() == m_window;
    }
    return false;
}
