#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Style 5 Shadowed: a flat face with a grey drop shadow; pressed, the face moves into the shadow.

namespace {

void drawRaisedFace(QImage &surface, int face)
{
    const int w = surface.width();
    const int h = surface.height();
    DrawFrame(surface, 6, 6, w - 9, h - 9, rgb(128, 128, 128));
    DrawFrame(surface, 5, 5, w - 7, h - 7, rgb(160, 160, 160));
    DrawFrame(surface, 4, 4, w - 5, h - 5, rgb(192, 192, 192));
    FillArea(surface, {0, 0, w - 5, h - 5}, face);
    DrawFrame(surface, 0, 0, w - 4, h - 4, ShiftColor(face, 0.3f));
}

void drawPushedFace(QImage &surface, int face)
{
    const int w = surface.width();
    const int h = surface.height();
    FillArea(surface, {3, 3, w, h}, face);
    DrawFrame(surface, 3, 3, w - 3, h - 3, ShiftColor(face, 0.3f));
}

} // namespace

void drawShadowedStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int w = surface.width();
    const int h = surface.height();
    const int face = input.enabled ? input.backColor : ShiftColor(input.backColor, 0.1f);
    const bool pressed = input.state == VisualState::StatePressed;
    if (input.state == VisualState::StateNormal)
        updateRegion(surface, input, effects);
    takeContainerBackColor(surface, input, effects);
    if (pressed)
        drawPushedFace(surface, face);
    else
        drawRaisedFace(surface, face);
    if (input.focusShown() && input.showFocusRect) {
        if (pressed)
            drawFocus(surface, 6, 6, w - 3, h - 3);
        else
            drawFocus(surface, 3, 3, w - 6, h - 6);
    }
}
