#include "windows/inputlock.h"

#include "windows/windowinputlock.h"

#include <QWidget>

InputLock::InputLock(QWidget *window) : m_window(window) {}

InputLock::~InputLock() = default;

// Nested locks (a fetch started from inside another one's wait) unlock with the outermost.
void InputLock::lock()
{
    if (m_depth++ == 0 && m_window)
        m_held = std::make_unique<WindowInputLock>(*m_window);
}

void InputLock::unlock()
{
    if (m_depth == 0)
        return;
    if (--m_depth == 0)
        m_held.reset();
}
