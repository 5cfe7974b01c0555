#pragma once

#include <Qt>
#include <QtGlobal>

// The codes the button's events carry: virtual key codes (13 Enter, 32 Space, 37-40 arrows,
// 65-90 letters ...), shift state (1 Shift, 2 Ctrl, 4 Alt) and mouse buttons (1 left, 2 right,
// 4 middle).
qint16 virtualKeyOf(int qtKey);
qint16 shiftStateOf(Qt::KeyboardModifiers modifiers);
qint16 mouseButtonOf(Qt::MouseButton button);
qint16 mouseButtonsOf(Qt::MouseButtons buttons);

namespace VirtualKey {
constexpr qint16 Enter = 13;
constexpr qint16 Escape = 27;
constexpr qint16 Space = 32;
constexpr qint16 Left = 37;
constexpr qint16 Up = 38;
constexpr qint16 Right = 39;
constexpr qint16 Down = 40;
} // namespace VirtualKey

namespace ShiftState {
constexpr qint16 Shift = 1;
constexpr qint16 Ctrl = 2;
constexpr qint16 Alt = 4;
} // namespace ShiftState

namespace MouseButton {
constexpr qint16 Left = 1;
constexpr qint16 Right = 2;
constexpr qint16 Middle = 4;
} // namespace MouseButton
