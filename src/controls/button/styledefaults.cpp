#include "controls/button/styledefaults.h"

#include "controls/common/colorvalue.h"

std::optional<StyleDefaults> styleDefaultsOf(int buttonStyle)
{
    if (buttonStyle < 0 || buttonStyle > 16)
        return std::nullopt;
    const quint32 text = SystemColor::ButtonText;
    switch (buttonStyle) {
    case 0:
    case 1:
        return StyleDefaults{SystemColor::ButtonFace, text, true};
    case 2:
        return StyleDefaults{rgbValue(236, 235, 231), text, false};
    case 4:
        return StyleDefaults{rgbValue(227, 227, 227), text, false};
    case 5:
        return StyleDefaults{rgbValue(0, 109, 170), rgbValue(255, 255, 255), true};
    case 6:
        return StyleDefaults{rgbValue(213, 214, 225), text, true};
    case 7:
    case 10:
    case 16:
        return StyleDefaults{rgbValue(173, 209, 255), text, false};
    case 13:
        return StyleDefaults{rgbValue(202, 225, 252), text, false};
    case 14:
        return StyleDefaults{rgbValue(208, 208, 208), text, false};
    case 15:
        return StyleDefaults{rgbValue(167, 202, 230), text, true};
    default: // 3, 8, 9, 11, 12
        return StyleDefaults{SystemColor::ButtonFace, text, false};
    }
}
