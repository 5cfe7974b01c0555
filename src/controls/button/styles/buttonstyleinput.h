#pragma once

#include "controls/button/pixelrect.h"
#include "controls/button/visualstate.h"

#include <QImage>

// Everything a style reads to draw a button's background. The button gathers it before each
// drawing; a style never sees the widget. W and H are the size of the surface it draws on.
// Colours are resolved (TranslateColor already applied): r + 256 g + 65536 b, or -1.
struct ButtonStyleInput
{
    int buttonStyle = 0;                        // ButtonStyle, 0-16; other values draw no background
    VisualState state = VisualState::StateNormal; // the state to draw (a checked button arrives pressed
                                                // except for styles 0, 3 and 9)

    int backColor = 0;          // c: BackColor
    int foreColor = 0;          // ForeColor
    int maskColor = 0;          // MaskColor
    int containerBackColor = 0; // the container's background colour (styles 3, 5, 14)
    int surfaceColor = 0;       // the colour the surface was cleared with (style 16 clears to it)

    bool enabled = true;
    bool checkBoxMode = false;
    bool value = false;         // checked = checkBoxMode && value
    bool mouseInside = false;
    bool leftButtonDown = false;
    bool hasFocus = false;
    bool showFocusRect = false;
    bool parentActive = false;
    bool isDefault = false;
    bool runMode = true;        // the container is running, not being designed
    bool backStyle = false;     // style 16: transparent background
    bool borderStyle = false;   // style 16: draw a border

    PixelRect captionFrame;     // the caption frame of the last content drawing (style 6's focus)

    // The container's image under the button (its size), for style 16 with backStyle on; the
    // button fills it only then, and a null image means the copy failed and is skipped.
    QImage containerBackground;

    bool checked() const { return checkBoxMode && value; }
    // Focus shown: the window is active and the button is focused or shown as default.
    bool focusShown() const { return parentActive && (hasFocus || isDefault); }
};
