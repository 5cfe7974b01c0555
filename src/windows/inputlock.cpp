#include "windows/inputlock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

InputLock::InputLock(QWidget *window) : QObject(window), m_window(window) {}

InputLock::~InputLock()
{
    if (m_depth > 0)
        QCoreApplication::instance()->removeEventFilter(this);
}

// Nested locks (a fetch started from inside another one's wait) unlock with the outermost.
void InputLock::lock()
{
    if (m_depth++ == 0)
        QCoreApplication::instance()->installEventFilter(this);
}

void InputLock::unlock()
{
    if (m_depth == 0)
        return;
    if (--m_depth == 0)
        QCoreApplication::instance()->removeEventFilter(this);
}

bool InputLock::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_window || !isUserInput(event->type()) || !watched->isWidgetType())
        return false;
    const QWidget *target = static_cast<QWidget *>(watched);
    return target->window() == m_window;
}
