#include "controls/button/styles/buttonstyles.h"

ButtonStyleEffects drawStyleBackground(QImage &surface, const ButtonStyleInput &input)
{
    Q_UNUSED(surface);
    Q_UNUSED(input);
    return {};
}
