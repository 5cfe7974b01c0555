#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Style 6 Glossy: white fading into the face over the upper half, a darker border. A disabled button
// looks like one at rest; only its content is greyed.

namespace {

void drawGloss(QImage &surface, int upperTo, int lowerFrom, int lowerTo, int border, int bottomLine)
{
    const int w = surface.width();
    const int h = surface.height();
    const int m = roundedPixels(h / 2.0);
    DrawGradient(surface, 0, 0, w, m, White, upperTo, GradientDirection::Vertical);
    DrawGradient(surface, 0, m, w, h, lowerFrom, lowerTo, GradientDirection::Vertical);
    DrawFrame(surface, 1, 1, w - 2, h, White);
    DrawFrame(surface, 0, 0, w, h, border);
    DrawLine(surface, 2, h - 1, w - 2, h - 1, bottomLine);
}

} // namespace

void drawGlossyStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int c = input.backColor;
    const VisualState state = input.enabled ? input.state : VisualState::StateNormal;
    if (state == VisualState::StatePressed) {
        const int darker = ShiftColor(c, -0.1f);
        drawGloss(surface, darker, darker, ShiftColor(c, -0.05f), ShiftColor(c, -0.23f),
                  ShiftColor(c, -0.4f));
    } else {
        if (state == VisualState::StateNormal)
            updateRegion(surface, input, effects);
        drawGloss(surface, c, c, c, ShiftColor(c, -0.2f), ShiftColor(c, -0.25f));
    }
    DrawCorners(surface, ShiftColor(c, 0.05f));
    if (input.focusShown() && input.showFocusRect) {
        const PixelRect &frame = input.captionFrame;
        drawFocus(surface, frame.left, frame.top, frame.right, frame.bottom);
    }
}
