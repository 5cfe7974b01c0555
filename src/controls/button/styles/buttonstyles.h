#pragma once

#include "controls/button/styles/buttonstyleeffects.h"
#include "controls/button/styles/buttonstyleinput.h"

#include <QImage>

// Draws the background of input.buttonStyle for input.state on surface (already cleared to
// input.surfaceColor, exactly W x H pixels) and reports the style's side effects.
ButtonStyleEffects drawStyleBackground(QImage &surface, const ButtonStyleInput &input);
