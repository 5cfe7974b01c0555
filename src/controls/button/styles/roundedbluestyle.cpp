#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Style 2 RoundedBlue: a light vertical gradient in a dark blue border; warm inner lines under the
// pointer, blue ones at rest with the focus.

namespace {

constexpr int BorderBlue = rgb(0, 60, 116);

// The eight inner lines of the hover and focus looks, in the order they are drawn.
struct InnerLineColours
{
    int second, first, left, right, innerLeft, innerRight, innerBottom, bottom;
};

constexpr InnerLineColours WarmLines{rgb(253, 216, 137), rgb(255, 240, 207), rgb(249, 189, 73),
                                     rgb(249, 189, 73),  rgb(252, 210, 122), rgb(252, 210, 122),
                                     rgb(248, 179, 48),  rgb(229, 151, 0)};

constexpr InnerLineColours FocusLines{rgb(188, 212, 246), rgb(206, 231, 255), rgb(142, 175, 230),
                                      rgb(142, 175, 230), rgb(184, 209, 244), rgb(184, 209, 244),
                                      rgb(137, 173, 228), rgb(105, 130, 238)};

void drawInnerLines(QImage &surface, const InnerLineColours &c)
{
    const int w = surface.width();
    const int h = surface.height();
    DrawLine(surface, 1, 2, w - 2, 2, c.second);
    DrawLine(surface, 1, 1, w - 2, 1, c.first);
    DrawLine(surface, 1, 1, 1, h - 2, c.left);
    DrawLine(surface, w - 2, 2, w - 2, h - 2, c.right);
    DrawLine(surface, 2, 2, 2, h - 3, c.innerLeft);
    DrawLine(surface, w - 3, 3, w - 3, h - 3, c.innerRight);
    DrawLine(surface, 2, h - 3, w - 2, h - 3, c.innerBottom);
    DrawLine(surface, 2, h - 2, w - 2, h - 2, c.bottom);
}

void drawFace(QImage &surface, int c)
{
    const int w = surface.width();
    const int h = surface.height();
    DrawGradient(surface, 0, 0, w, h, ShiftColor(c, 0.07f), c, GradientDirection::Vertical);
    DrawGradient(surface, 0, 0, w, 5, ShiftColor(c, 0.2f), ShiftColor(c, 0.08f), GradientDirection::Vertical);
}

void drawNormalShading(QImage &surface, int c)
{
    const int w = surface.width();
    const int h = surface.height();
    DrawLine(surface, 1, h - 2, w - 2, h - 2, ShiftColor(c, -0.09f));
    DrawLine(surface, 1, h - 3, w - 2, h - 3, ShiftColor(c, -0.05f));
    DrawLine(surface, 1, h - 4, w - 2, h - 4, ShiftColor(c, -0.01f));
    DrawLine(surface, w - 2, 2, w - 2, h - 2, ShiftColor(c, -0.08f));
    DrawLine(surface, 1, 1, 1, h - 2, MidColor(White, c));
}

void drawPressed(QImage &surface, int c)
{
    const int w = surface.width();
    const int h = surface.height();
    FillArea(surface, wholeRect(surface), ShiftColor(c, -0.05f));
    DrawLine(surface, 1, 1, w - 2, 1, ShiftColor(c, -0.16f));
    DrawLine(surface, 1, 2, w - 2, 2, ShiftColor(c, -0.1f));
    DrawLine(surface, 1, h - 2, w - 2, h - 2, ShiftColor(c, 0.07f));
    DrawLine(surface, 1, 1, 1, h - 2, ShiftColor(c, -0.16f));
    DrawLine(surface, 2, 2, 2, h - 2, ShiftColor(c, -0.1f));
    DrawLine(surface, w - 2, 2, w - 2, h - 2, ShiftColor(c, 0.04f));
}

void drawDisabled(QImage &surface, int c)
{
    FillArea(surface, wholeRect(surface), ShiftColor(c, 0.03f));
    DrawFrame(surface, 0, 0, surface.width(), surface.height(), ShiftColor(c, -0.1f));
    DrawCorners(surface, ShiftColor(c, 0.2f));
}

} // namespace

void drawRoundedBlueStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int w = surface.width();
    const int h = surface.height();
    const int c = input.backColor;
    if (!input.enabled) {
        updateRegion(surface, input, effects);
        drawDisabled(surface, c);
        return;
    }
    switch (input.state) {
    case VisualState::StateNormal:
        updateRegion(surface, input, effects);
        drawFace(surface, c);
        drawNormalShading(surface, c);
        if (input.focusShown())
            drawInnerLines(surface, FocusLines);
        break;
    case VisualState::StateHover:
        drawFace(surface, c);
        drawInnerLines(surface, WarmLines);
        break;
    case VisualState::StatePressed:
        drawPressed(surface, c);
        break;
    }
    if (input.focusShown() && input.showFocusRect)
        drawFocus(surface, 2, 2, w - 2, h - 2);
    DrawFrame(surface, 0, 0, w, h, BorderBlue);
    DrawCorners(surface, ShiftColor(BorderBlue, 0.3f));
}
