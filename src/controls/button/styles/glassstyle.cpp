#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Style 4 Glass: a two-part gradient in a grey border; blue glow bands under the pointer and when
// held down.

namespace {

constexpr int FocusBorder = rgb(50, 117, 167);
constexpr int PressedUpper = rgb(194, 228, 246);
constexpr int PressedLower = rgb(154, 210, 240);

// The band heights: h the upper half, t the upper glow, u the lower glow.
struct GlassBands
{
    int h, t, u;
};

GlassBands bandsOf(int height)
{
    return {roundedPixels(height / 2.0), roundedPixels(height / 2.0 - 2),
            roundedPixels(height - height / 2.0 - 1)};
}

void drawDisabled(QImage &surface, int c)
{
    const int w = surface.width();
    const int h = surface.height();
    FillArea(surface, wholeRect(surface), ShiftColor(c, 0.03f));
    DrawFrame(surface, 0, 0, w, h, ShiftColor(c, -0.25f));
    DrawFrame(surface, 1, 1, w - 2, h - 2, ShiftColor(c, 0.25f));
    DrawCorners(surface, ShiftColor(c, -0.03f));
}

// Upper and lower glow at the left and, mirrored, at the right edge.
void drawSideBands(QImage &surface, const GlassBands &b, int upperOuter, int upperInner, int lowerOuter,
                   int lowerInner)
{
    const int right = surface.width() - 6;
    DrawGradient(surface, 1, 3, 5, b.t, upperOuter, upperInner, GradientDirection::Horizontal);
    DrawGradient(surface, 1, b.h, 5, b.u, lowerOuter, lowerInner, GradientDirection::Horizontal);
    DrawGradient(surface, right, 3, 5, b.t, upperInner, upperOuter, GradientDirection::Horizontal);
    DrawGradient(surface, right, b.h, 5, b.u, lowerInner, lowerOuter, GradientDirection::Horizontal);
}

int drawNormal(QImage &surface, int c)
{
    const int w = surface.width();
    const int h = surface.height();
    DrawGradient(surface, 1, 1, w - 1, h, ShiftColor(c, 0.05f), c, GradientDirection::Vertical);
    DrawGradient(surface, 1, roundedPixels(h / 2.0), w - 2, h - 2, ShiftColor(c, -0.02f),
                 ShiftColor(c, -0.15f), GradientDirection::Vertical);
    return rgb(112, 112, 112);
}

int drawHover(QImage &surface)
{
    const int w = surface.width();
    const int h = surface.height();
    const GlassBands b = bandsOf(h);
    DrawGradient(surface, 1, 1, w - 2, b.h, rgb(228, 247, 255), rgb(218, 243, 255),
                 GradientDirection::Vertical);
    DrawGradient(surface, 1, b.h, w - 2, h - 2, rgb(193, 233, 255), rgb(174, 225, 253),
                 GradientDirection::Vertical);
    drawSideBands(surface, b, rgb(205, 238, 255), rgb(228, 247, 255), rgb(143, 214, 250),
                  ShiftColor(rgb(172, 225, 253), 0.01f));
    return FocusBorder;
}

void drawPressed(QImage &surface)
{
    const int w = surface.width();
    const int h = surface.height();
    const GlassBands b = bandsOf(h);
    DrawGradient(surface, 1, 1, w - 1, h, PressedUpper, PressedUpper, GradientDirection::Vertical);
    DrawGradient(surface, 1, b.h, w - 2, h - 2, PressedLower, PressedLower, GradientDirection::Vertical);
    DrawFrame(surface, 0, 0, w, h, rgb(29, 65, 92));
    DrawLine(surface, 1, 1, w - 1, 1, rgb(113, 156, 179));
    DrawLine(surface, 1, 2, w - 1, 2, rgb(169, 198, 214));
    DrawLine(surface, 1, 3, w - 1, 3, rgb(185, 217, 236));
    DrawLine(surface, 1, 1, 1, roundedPixels(h / 2.0 - 1), rgb(115, 176, 207));
    // The lower line ends where the lower band's height puts it, above its start: at most a pixel,
    // which the shade below covers again. Kept so, the pressed look stays as designed.
    DrawLine(surface, 1, b.h, 1, b.u, rgb(43, 145, 197));
    drawSideBands(surface, b, ShiftColor(rgb(145, 200, 230), 0.02f), ShiftColor(PressedUpper, -0.01f),
                  ShiftColor(rgb(78, 171, 220), 0.02f), ShiftColor(PressedLower, -0.01f));
}

void drawFocusAndCorners(QImage &surface, const ButtonStyleInput &input)
{
    const int w = surface.width();
    const int h = surface.height();
    if (input.parentActive) {
        if (input.state == VisualState::StateNormal && (input.hasFocus || input.isDefault)) {
            DrawFrame(surface, 0, 0, w, h, FocusBorder);
            DrawFrame(surface, 1, 1, w - 2, h - 2, rgb(72, 216, 251));
        }
        if (input.showFocusRect && input.hasFocus)
            drawFocus(surface, 2, 2, w - 2, h - 2);
    }
    DrawCorners(surface, rgb(95, 150, 190));
}

} // namespace

void drawGlassStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int w = surface.width();
    const int h = surface.height();
    const int c = input.backColor;
    if (!input.enabled) {
        updateRegion(surface, input, effects);
        drawDisabled(surface, c);
        return;
    }
    if (input.state == VisualState::StatePressed) {
        drawPressed(surface);
    } else {
        if (input.state == VisualState::StateNormal)
            updateRegion(surface, input, effects);
        const int border =
            input.state == VisualState::StateNormal ? drawNormal(surface, c) : drawHover(surface);
        DrawFrame(surface, 0, 0, w, h, border);
        DrawFrame(surface, 1, 1, w - 2, h - 2, White);
    }
    drawFocusAndCorners(surface, input);
    effects.resetMousePointer = true;
}
