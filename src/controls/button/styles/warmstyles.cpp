#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"
#include "controls/button/styles/warmgradients.h"

// Styles 7 WarmHighlight and 13 WarmFrame: soft faces that turn orange under the pointer, when held
// down and when checked. Plain rectangles without a focus rectangle.

namespace {

constexpr int Navy = rgb(0, 0, 128);

void drawFramedGradient(QImage &surface, int from, int to)
{
    DrawGradient(surface, 0, 0, surface.width(), surface.height(), from, to, GradientDirection::Vertical);
    DrawFrame(surface, 0, 0, surface.width(), surface.height(), Navy);
}

} // namespace

void drawWarmParts(QImage &surface, int upperFrom, int upperTo, int lowerFrom, int lowerTo)
{
    const int w = surface.width();
    const int h = surface.height();
    const int upper = roundedPixels(h / 2.7);
    DrawGradient(surface, 0, 0, w, upper, upperFrom, upperTo, GradientDirection::Vertical);
    DrawGradient(surface, 0, upper, w, roundedPixels(h - h / 2.7), lowerFrom, lowerTo,
                 GradientDirection::Vertical);
}

void drawWarmChecked(QImage &surface, const ButtonStyleInput &input)
{
    const int frame = ShiftColor(input.backColor, -0.34f);
    drawWarmParts(surface, rgb(255, 217, 169), rgb(255, 192, 111), rgb(255, 171, 63), rgb(255, 225, 117));
    DrawFrame(surface, 0, 0, surface.width(), surface.height(), frame);
    if (input.mouseInside) {
        drawWarmParts(surface, rgb(255, 193, 88), rgb(255, 175, 81), rgb(255, 143, 70), rgb(255, 211, 95));
        DrawFrame(surface, 0, 0, surface.width(), surface.height(), frame);
    }
}

void drawWarmHighlightStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int c = input.backColor;
    if (input.checked()) {
        drawWarmChecked(surface, input);
        return;
    }
    switch (input.state) {
    case VisualState::StateNormal:
        FillArea(surface, wholeRect(surface), c);
        drawWarmParts(surface, MidColor(ShiftColor(c, 0.09f), White), MidColor(ShiftColor(c, 0.07f), c), c,
                      ShiftColor(c, 0.03f));
        break;
    case VisualState::StateHover:
        drawWarmParts(surface, rgb(255, 255, 225), rgb(255, 234, 172), rgb(255, 215, 103),
                      rgb(255, 228, 153));
        break;
    case VisualState::StatePressed:
        drawWarmParts(surface, rgb(255, 193, 88), rgb(255, 175, 81), rgb(255, 143, 70), rgb(255, 211, 95));
        break;
    }
    DrawFrame(surface, 0, 0, surface.width(), surface.height(), ShiftColor(c, -0.34f));
    effects.resetMousePointer = true;
}

void drawWarmFrameStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int w = surface.width();
    const int h = surface.height();
    const int c = input.backColor;
    if (input.checked()) {
        if (input.mouseInside)
            drawFramedGradient(surface, rgb(254, 145, 78), rgb(255, 211, 142));
        else
            drawFramedGradient(surface, rgb(255, 213, 140), rgb(255, 173, 85));
        return;
    }
    switch (input.state) {
    case VisualState::StateNormal: {
        updateRegion(surface, input, effects);
        const int half = roundedPixels(h / 2.0);
        DrawGradient(surface, 0, 0, w, half, ShiftColor(c, 0.05f), c, GradientDirection::Vertical);
        DrawGradient(surface, 0, half, w, roundedPixels(h / 2.0 + 1), ShiftColor(c, -0.01f),
                     ShiftColor(c, -0.13f), GradientDirection::Vertical);
        break;
    }
    case VisualState::StateHover:
        drawFramedGradient(surface, rgb(255, 244, 204), rgb(255, 208, 145));
        break;
    case VisualState::StatePressed:
        drawFramedGradient(surface, rgb(254, 145, 78), rgb(255, 211, 142));
        break;
    }
}
