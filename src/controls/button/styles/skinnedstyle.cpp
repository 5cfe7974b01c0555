#include "controls/button/buttondrawing.h"
#include "controls/button/styles/buttonskins.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Style 14 Skinned: a strongly rounded skin drawn from fixed pixel data.

namespace {

// Checked buttons show the pressed skin; a focused one shows the hover skin wherever the pointer is.
int skinFor(const ButtonStyleInput &input)
{
    if (input.checked() || input.state == VisualState::StatePressed)
        return 2;
    if (input.focusShown())
        return 1;
    return int(input.state);
}

void drawPixel(QImage &surface, int x, int y, int colour)
{
    DrawLine(surface, x, y, x + 1, y, colour);
}

void drawPatch(QImage &surface, const ButtonSkin &skin, SkinPatch which)
{
    const bool right = which == SkinPatch::TopRight || which == SkinPatch::BottomRight;
    const bool bottom = which == SkinPatch::BottomLeft || which == SkinPatch::BottomRight;
    for (const SkinPixel &pixel : skin.patch(which)) {
        const int x = right ? surface.width() - pixel.dx : pixel.dx;
        const int y = bottom ? surface.height() - pixel.dy : pixel.dy;
        drawPixel(surface, x, y, pixel.colour);
    }
}

void drawSkin(QImage &surface, const ButtonSkin &skin)
{
    const int w = surface.width();
    const int h = surface.height();
    FillArea(surface, {4, 4, w - 4, h - 4}, skin.centre);
    for (SkinPatch which :
         {SkinPatch::TopLeft, SkinPatch::TopRight, SkinPatch::BottomLeft, SkinPatch::BottomRight})
        drawPatch(surface, skin, which);
    for (int i = 0; i < ButtonSkin::EdgeColumns; ++i) {
        const int x = i < 18 ? i : w - 17 + (i - 18);
        DrawLine(surface, x, 11, x, h - 10, skin.columns[std::size_t(i)]);
    }
    for (int i = 0; i < ButtonSkin::EdgeRows; ++i) {
        const int y = i < 12 ? i : h - 11 + (i - 12);
        DrawLine(surface, 17, y, w - 17, y, skin.rows[std::size_t(i)]);
    }
}

} // namespace

void drawSkinnedStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int skin = skinFor(input);
    takeContainerBackColor(surface, input, effects);
    if (skin == 0)
        updateRegion(surface, input, effects);
    drawSkin(surface, buttonSkin(skin));
}
