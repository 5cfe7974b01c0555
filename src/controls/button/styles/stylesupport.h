#pragma once

#include "controls/button/pixelrect.h"
#include "controls/button/styles/buttonstyleeffects.h"
#include "controls/button/styles/buttonstyleinput.h"
#include "controls/common/colorvalue.h"

#include <QImage>

// Small helpers the style routines share: colour constants, the surface's size and whole
// rectangle, rounding, and the side effects several styles have in common.

constexpr int rgb(int r, int g, int b)
{
    return int(rgbValue(r, g, b));
}

constexpr int White = rgb(255, 255, 255);
constexpr int Black = rgb(0, 0, 0);

inline PixelRect wholeRect(const QImage &surface)
{
    return {0, 0, surface.width(), surface.height()};
}

// v rounded to the nearest whole number, halves to the even neighbour.
int roundedPixels(double v);

// The window shape for the style at the surface's size, handed back to the button.
void updateRegion(const QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);

// The surface takes the container's background colour, now and for later clears.
void takeContainerBackColor(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);

// The dotted focus rectangle (left, top, right, bottom).
void drawFocus(QImage &surface, int left, int top, int right, int bottom);
