#pragma once

#include "controls/button/styles/buttonstyleinput.h"

#include <QImage>

// The orange two-part gradient of a checked button, shared by styles 7 and 16: an upper part of
// round(H / 2.7) rows and a lower part below it, framed in BackColor darkened by 0.34. The colours
// deepen while the pointer is over the button.
void drawWarmChecked(QImage &surface, const ButtonStyleInput &input);

// The upper and lower parts with the given colours, top to bottom.
void drawWarmParts(QImage &surface, int upperFrom, int upperTo, int lowerFrom, int lowerTo);
