#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Style 3 RoundedPlain: a flat pale face; a soft grey gradient with shading lines under the pointer;
// a grey face with a white caption when held down. It sets the caption colour on every drawing.

namespace {

void drawChecked(QImage &surface, bool hover)
{
    const int w = surface.width();
    const int h = surface.height();
    FillArea(surface, wholeRect(surface), rgb(254, 254, 254));
    DrawFrame(surface, 0, 0, w, h, rgb(122, 152, 175));
    DrawCorners(surface, ShiftColor(rgb(160, 179, 193), -0.2f));
    if (!hover)
        return;
    DrawLine(surface, w - 2, 2, w - 2, h - 2, rgb(242, 240, 237));
    DrawLine(surface, 2, h - 2, w - 2, h - 2, rgb(228, 222, 216));
    DrawLine(surface, 1, h - 3, w - 1, h - 3, rgb(239, 236, 232));
    DrawLine(surface, 1, h - 4, w - 1, h - 4, rgb(250, 249, 248));
}

void drawHover(QImage &surface)
{
    const int w = surface.width();
    const int h = surface.height();
    const int half = roundedPixels(h / 2.0);
    DrawGradient(surface, 0, 0, w, half, rgb(254, 254, 253), rgb(244, 244, 238), GradientDirection::Vertical);
    DrawGradient(surface, 0, half, w, half, rgb(244, 244, 238), rgb(241, 241, 234),
                 GradientDirection::Vertical);
    DrawLine(surface, w - 2, 2, w - 2, h - 2, rgb(234, 231, 224));
    DrawLine(surface, w - 3, 2, w - 3, h - 2, rgb(240, 240, 234));
    DrawLine(surface, 0, h - 4, w, h - 4, rgb(238, 237, 229));
    DrawLine(surface, 0, h - 3, w, h - 3, rgb(228, 225, 214));
    DrawLine(surface, 0, h - 2, w, h - 2, rgb(215, 210, 198));
    DrawFrame(surface, 0, 0, w, h, rgb(206, 206, 195));
    DrawCorners(surface, ShiftColor(rgb(212, 212, 201), -0.05f));
}

void drawPressed(QImage &surface)
{
    const int w = surface.width();
    const int h = surface.height();
    FillArea(surface, wholeRect(surface), rgb(229, 228, 221));
    DrawLine(surface, 1, 1, w - 2, 1, ShiftColor(rgb(220, 218, 209), -0.02f));
    DrawLine(surface, 1, 2, w - 2, 2, ShiftColor(rgb(227, 225, 218), -0.02f));
    DrawLine(surface, 1, h - 3, w - 2, h - 3, ShiftColor(rgb(230, 229, 222), 0.02f));
    DrawLine(surface, 1, h - 2, w - 2, h - 2, ShiftColor(rgb(235, 234, 229), 0.02f));
    DrawFrame(surface, 0, 0, w, h, rgb(157, 157, 146));
    DrawCorners(surface, ShiftColor(rgb(181, 180, 171), -0.2f));
}

} // namespace

void drawRoundedPlainStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    takeContainerBackColor(surface, input, effects);
    // A checked button held down with the mouse shows the pressed face.
    const bool pressedCheck = input.checked() && input.leftButtonDown;
    if (input.checked() && !pressedCheck) {
        drawChecked(surface, input.state == VisualState::StateHover);
        effects.foreColor = SystemColor::ButtonText;
        return;
    }
    const VisualState state = pressedCheck ? VisualState::StatePressed : input.state;
    switch (state) {
    case VisualState::StateNormal:
        updateRegion(surface, input, effects);
        FillArea(surface, wholeRect(surface), input.backColor);
        break;
    case VisualState::StateHover:
        drawHover(surface);
        break;
    case VisualState::StatePressed:
        drawPressed(surface);
        break;
    }
    effects.foreColor =
        state == VisualState::StatePressed ? rgbValue(255, 255, 255) : SystemColor::ButtonText;
}
