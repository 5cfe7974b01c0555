#pragma once

#include "controls/button/styles/buttonstyleeffects.h"
#include "controls/button/styles/buttonstyleinput.h"

#include <QImage>

// One drawing routine per button style (the classic routine serves styles 0, 1, 11 and 12). Each
// draws the background for input.state on a surface of the button's size and notes its side effects.
using StyleDrawer = void (*)(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);

void drawClassicStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawRoundedBlueStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawRoundedPlainStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawGlassStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawShadowedStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawGlossyStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawWarmHighlightStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawToolbarLightStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawToolbarFlatStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawRoundedSoftStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawWarmFrameStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawSkinnedStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawGradientStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
void drawImageOnlyStyle(QImage &surface, const ButtonStyleInput &input, ButtonStyleEffects &effects);
