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

QColor toQColor(quint32 value);
quint32 fromQColor(const QColor &color);
