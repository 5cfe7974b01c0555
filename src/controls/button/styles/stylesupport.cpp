#include "controls/button/styles/stylesupport.h"

#include "controls/button/buttondrawing.h"
#include "controls/button/updateregion.h"
#include "platform/basicnumbers.h"

int roundedPixels(double v)
{
    return int(roundHalfEven(v));
}

void updateRegion(const QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    effects.region = UpdateRegion(input.buttonStyle, surface.width(), surface.height());
}

void takeContainerBackColor(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    FillArea(surface, wholeRect(surface), input.containerBackColor);
    effects.surfaceColor = input.containerBackColor;
}

void drawFocus(QImage &surface, int left, int top, int right, int bottom)
{
    DrawFocusRect(surface, {left, top, right, bottom});
}
