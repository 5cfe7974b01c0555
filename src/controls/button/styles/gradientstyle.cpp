#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Style 15 Gradient: a horizontal gradient in a grey-green frame; the same at rest and under the
// pointer, and a checked button shows the pressed face.

void drawGradientStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int w = surface.width();
    const int h = surface.height();
    const int c = input.backColor;
    const VisualState state = input.checked() ? VisualState::StatePressed : input.state;
    if (state == VisualState::StatePressed) {
        DrawGradient(surface, 0, 0, w, h, ShiftColor(c, -0.05f), ShiftColor(c, 0.03f),
                     GradientDirection::Horizontal);
    } else {
        if (state == VisualState::StateNormal)
            updateRegion(surface, input, effects);
        DrawGradient(surface, 0, 0, w, h, c, ShiftColor(c, 0.08f), GradientDirection::Horizontal);
    }
    DrawFrame(surface, 0, 0, w, h, rgb(126, 128, 125));
    if (input.focusShown() && input.showFocusRect && input.runMode)
        drawFocus(surface, 3, 3, w - 3, h - 3);
}
