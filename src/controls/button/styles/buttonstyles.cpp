#include "controls/button/styles/buttonstyles.h"

#include "controls/button/styles/styledrawers.h"

#include <array>

namespace {

constexpr std::array<StyleDrawer, 17> Drawers{
    drawClassicStyle,       // 0 Classic3D
    drawClassicStyle,       // 1 Soft3D
    drawRoundedBlueStyle,   // 2
    drawRoundedPlainStyle,  // 3
    drawGlassStyle,         // 4
    drawShadowedStyle,      // 5
    drawGlossyStyle,        // 6
    drawWarmHighlightStyle, // 7
    drawToolbarLightStyle,  // 8
    drawToolbarFlatStyle,   // 9
    drawRoundedSoftStyle,   // 10
    drawClassicStyle,       // 11 FlatRaised
    drawClassicStyle,       // 12 FlatThin
    drawWarmFrameStyle,     // 13
    drawSkinnedStyle,       // 14
    drawGradientStyle,      // 15
    drawImageOnlyStyle,     // 16
};

} // namespace

ButtonStyleEffects drawStyleBackground(QImage &surface, const ButtonStyleInput &input)
{
    ButtonStyleEffects effects;
    if (input.buttonStyle < 0 || input.buttonStyle >= int(Drawers.size()))
        return effects; // an unknown style draws no background
    Drawers[std::size_t(input.buttonStyle)](surface, input, effects);
    return effects;
}
