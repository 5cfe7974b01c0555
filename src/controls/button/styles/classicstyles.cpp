#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Styles 0 Classic3D, 1 Soft3D, 11 FlatRaised and 12 FlatThin: a system-coloured face and the
// platform's 3-D edges.

namespace {

void drawCheckedClassic(QImage &surface, const ButtonStyleInput &input, int style)
{
    const int w = surface.width();
    const int h = surface.height();
    FillArea(surface, wholeRect(surface), ShiftColor(input.backColor, 0.02f));
    if (style == 12)
        return;
    DrawEdge(surface, wholeRect(surface), EdgeKind::Sunken);
    if (style == 0 && input.showFocusRect && input.hasFocus)
        DrawFrame(surface, 4, 4, w - 7, h - 7, TranslateColor(SystemColor::AppWorkspace));
}

// The edge of the face at rest or under the pointer.
void drawFaceEdge(QImage &surface, int style, bool hover)
{
    if (style == 0 || (hover && style == 11))
        DrawEdge(surface, wholeRect(surface), EdgeKind::Raised);
    else if (style == 1 || (hover && style == 12))
        DrawEdge(surface, wholeRect(surface), EdgeKind::RaisedThin);
}

void drawPressedClassic(QImage &surface, int style)
{
    const int w = surface.width();
    const int h = surface.height();
    if (style == 0) {
        DrawFrame(surface, 1, 1, w - 2, h - 2, rgb(172, 168, 153));
        DrawFrame(surface, 0, 0, w, h, Black);
    } else if (style == 11) {
        DrawEdge(surface, wholeRect(surface), EdgeKind::Sunken);
    } else {
        DrawFrame(surface, 0, 0, w, h, White);
        DrawFrame(surface, 0, 0, w + 1, h + 1, TranslateColor(SystemColor::GrayText));
    }
}

void drawClassicFocus(QImage &surface, const ButtonStyleInput &input, int style)
{
    const int w = surface.width();
    const int h = surface.height();
    if (input.showFocusRect && input.runMode && input.parentActive) {
        const int inset = (style == 0 || style == 11) ? 4 : 3;
        drawFocus(surface, inset, inset, w - inset, h - inset);
    }
    // The classic default button: a heavy dark border while it is not held down.
    if (style == 0 && input.state != VisualState::StatePressed) {
        DrawEdge(surface, {0, 0, w - 1, h - 1}, EdgeKind::Raised);
        DrawFrame(surface, 0, 0, w - 1, h - 1, TranslateColor(SystemColor::AppWorkspace));
        DrawFrame(surface, 0, 0, w, h, Black);
    }
}

} // namespace

void drawClassicStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int style = input.buttonStyle;
    if (!input.enabled)
        DrawEdge(surface, wholeRect(surface), EdgeKind::Raised);
    if (input.checked()) {
        drawCheckedClassic(surface, input, style);
        return;
    }
    switch (input.state) {
    case VisualState::StateNormal:
        updateRegion(surface, input, effects);
        FillArea(surface, wholeRect(surface), input.backColor);
        drawFaceEdge(surface, style, false);
        break;
    case VisualState::StateHover:
        FillArea(surface, wholeRect(surface), input.backColor);
        drawFaceEdge(surface, style, true);
        break;
    case VisualState::StatePressed:
        FillArea(surface, wholeRect(surface), input.backColor);
        drawPressedClassic(surface, style);
        break;
    }
    if (input.hasFocus || input.isDefault)
        drawClassicFocus(surface, input, style);
}
