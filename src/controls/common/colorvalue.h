#pragma once

#include <QColor>
#include <QtGlobal>

// Colours are stored as red + 256 * green + 65536 * blue; a value with the high bit set
// (0x80000000 + index) names a system colour, resolved from the application palette.
constexpr quint32 rgbValue(int r, int g, int b)
{
    return quint32(r) | (quint32(g) << 8) | (quint32(b) << 16);
}

constexpr bool isSystemColor(quint32 value)
{
    return (value & 0x80000000u) != 0;
}

constexpr quint32 systemColor(int index)
{
    return 0x80000000u | quint32(index);
}

// The system colour references the controls name.
namespace SystemColor {
constexpr quint32 WindowBackground = systemColor(5);
constexpr quint32 WindowText = systemColor(8);
constexpr quint32 AppWorkspace = systemColor(12);
constexpr quint32 Highlight = systemColor(13);
constexpr quint32 HighlightText = systemColor(14);
constexpr quint32 ButtonFace = systemColor(15);
constexpr quint32 ButtonShadow = systemColor(16);
constexpr quint32 GrayText = systemColor(17);
constexpr quint32 ButtonText = systemColor(18);
constexpr quint32 ButtonHighlight = systemColor(20);
constexpr quint32 DarkShadow = systemColor(21);
constexpr quint32 ButtonLight = systemColor(22);
} // namespace SystemColor

// The value as r + 256 g + 65536 b: a system colour gives its current colour, an RGB value gives
// itself; anything else (an unknown system index, stray high bits) gives -1.
qint32 resolvedRgb(quint32 value);

// The colour to paint with; an unresolvable value gives an invalid QColor.
QColor toQColor(quint32 value);
quint32 fromQColor(const QColor &color);
