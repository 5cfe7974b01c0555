#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Styles 8 ToolbarLight and 9 ToolbarFlat: flat toolbar buttons that light up under the pointer.
// Neither draws a focus rectangle.

namespace {

constexpr int LightFrame = rgb(97, 158, 202);
constexpr int FlatHot = rgb(193, 210, 238);
constexpr int FlatDown = rgb(152, 181, 226);
constexpr int FlatHotFrame = rgb(49, 106, 197);
constexpr int FlatDownFrame = rgb(75, 75, 111);

void drawLightFrames(QImage &surface)
{
    const int w = surface.width();
    const int h = surface.height();
    DrawFrame(surface, 0, 0, w, h, LightFrame);
    DrawFrame(surface, 1, 1, w - 2, h - 2, White);
    DrawCorners(surface, ShiftColor(LightFrame, 0.3f));
}

void drawFlatGradient(QImage &surface, int c)
{
    DrawGradient(surface, 0, 0, surface.width(), surface.height(), MidColor(ShiftColor(c, 0.26f), White), c,
                 GradientDirection::Vertical);
}

void fillFramed(QImage &surface, int fill, int frame)
{
    FillArea(surface, wholeRect(surface), fill);
    DrawFrame(surface, 0, 0, surface.width(), surface.height(), frame);
}

} // namespace

void drawToolbarLightStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int w = surface.width();
    const int h = surface.height();
    const int c = input.backColor;
    if (!input.enabled) {
        FillArea(surface, wholeRect(surface), c);
        DrawCorners(surface, c);
        return;
    }
    switch (input.state) {
    case VisualState::StateNormal:
        updateRegion(surface, input, effects);
        FillArea(surface, wholeRect(surface), c);
        break;
    case VisualState::StateHover:
        DrawGradient(surface, 1, 1, w - 2, h - 2, rgb(241, 249, 253), rgb(208, 236, 248),
                     GradientDirection::Vertical);
        DrawGradient(surface, 1, roundedPixels(h / 1.7), w - 2, h - 2, rgb(208, 236, 248), rgb(208, 236, 248),
                     GradientDirection::Vertical);
        drawLightFrames(surface);
        break;
    case VisualState::StatePressed:
        DrawGradient(surface, 1, 1, w - 2, h - 2, rgb(176, 222, 241), rgb(219, 241, 249),
                     GradientDirection::Vertical);
        drawLightFrames(surface);
        break;
    }
}

void drawToolbarFlatStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    Q_UNUSED(effects);
    const int c = input.backColor;
    if (!input.enabled)
        drawFlatGradient(surface, c);
    if (input.checked()) {
        fillFramed(surface, rgb(225, 230, 232), ShiftColor(FlatDownFrame, 0.05f));
        if (input.state == VisualState::StateHover)
            fillFramed(surface, FlatDown, FlatHotFrame);
        return;
    }
    switch (input.state) {
    case VisualState::StateNormal:
        drawFlatGradient(surface, c);
        break;
    case VisualState::StateHover:
        fillFramed(surface, FlatHot, FlatHotFrame);
        break;
    case VisualState::StatePressed:
        fillFramed(surface, FlatDown, FlatDownFrame);
        break;
    }
}
