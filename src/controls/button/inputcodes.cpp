#include "controls/button/inputcodes.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, qint16>, 30> NamedKeys{{
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},      {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},      {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},         {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39},       {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},      {Qt::Key_Meta, 91},
    {Qt::Key_Menu, 93},     {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145}, {Qt::Key_Semicolon, 186},
    {Qt::Key_Comma, 188},   {Qt::Key_Period, 190},
}};

} // namespace

qint16 virtualKeyOf(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qint16(qtKey); // the letters' and digits' codes are their upper-case characters
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return qint16(112 + (qtKey - Qt::Key_F1));
    for (const auto &[key, code] : NamedKeys) {
        if (key == qtKey)
            return code;
    }
    return 0;
}

qint16 shiftStateOf(Qt::KeyboardModifiers modifiers)
{
    qint16 state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ShiftState::Shift;
    if (modifiers & Qt::ControlModifier)
        state |= ShiftState::Ctrl;
    if (modifiers & Qt::AltModifier)
        state |= ShiftState::Alt;
    return state;
}

qint16 mouseButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return 0;
    }
}

qint16 mouseButtonsOf(Qt::MouseButtons buttons)
{
    qint16 state = 0;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons & button)
            state |= mouseButtonOf(button);
    }
    return state;
}
