#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"

// Style 10 RoundedSoft: a top band and a body, each a gradient blended with white, in a darker
// border. No focus rectangle.

namespace {

struct SoftShades
{
    int fill, bandFrom, bandTo, bodyFrom, bodyTo;
    float border;
};

SoftShades shadesFor(VisualState state, int c)
{
    switch (state) {
    case VisualState::StateHover: {
        const int lit = ShiftColor(c, 0.05f);
        return {lit, ShiftColor(MidColor(lit, White), 0.15f), lit,
                c,   MidColor(White, ShiftColor(c, 0.15f)),   -0.28f};
    }
    case VisualState::StatePressed:
        return {ShiftColor(c, -0.03f), ShiftColor(MidColor(c, White), 0.1f),  c,
                ShiftColor(c, -0.08f), MidColor(White, ShiftColor(c, 0.07f)), -0.36f};
    case VisualState::StateNormal:
        break;
    }
    return {c,
            ShiftColor(MidColor(c, White), 0.1f),
            c,
            ShiftColor(c, -0.05f),
            MidColor(White, ShiftColor(c, 0.1f)),
            -0.33f};
}

} // namespace

void drawRoundedSoftStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int w = surface.width();
    const int h = surface.height();
    const int c = input.backColor;
    if (input.state == VisualState::StateNormal)
        updateRegion(surface, input, effects);
    const SoftShades s = shadesFor(input.state, c);
    FillArea(surface, wholeRect(surface), s.fill);
    DrawGradient(surface, 0, 0, w, 5, s.bandFrom, s.bandTo, GradientDirection::Vertical);
    DrawGradient(surface, 0, 6, w, h - 1, s.bodyFrom, s.bodyTo, GradientDirection::Vertical);
    DrawFrame(surface, 0, 0, w, h, ShiftColor(c, s.border));
    DrawCorners(surface, ShiftColor(c, -0.5f));
}
