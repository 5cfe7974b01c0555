#include "controls/button/buttondrawing.h"
#include "controls/button/styles/styledrawers.h"
#include "controls/button/styles/stylesupport.h"
#include "controls/button/styles/warmgradients.h"

// Style 16 ImageOnly: only the picture on a plain or transparent face; a checked button keeps the
// warm checked look of style 7 and its caption.

void drawImageOnlyStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects)
{
    const int w = surface.width();
    const int h = surface.height();
    const int border = ShiftColor(input.backColor, -0.34f);
    if (input.checked()) {
        drawWarmChecked(surface, input);
        return;
    }
    if (input.backStyle) {
        CopyContainerBackground(surface, input.containerBackground);
    } else {
        FillArea(surface, wholeRect(surface), input.surfaceColor);
        FillArea(surface, wholeRect(surface), input.backColor);
    }
    if (input.borderStyle)
        DrawFrame(surface, 0, 0, w, h, border);
    effects.resetMousePointer = true;
    effects.clearCaption = true;
}
