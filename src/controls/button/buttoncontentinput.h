#pragma once

#include "controls/button/buttonpicture.h"
#include "controls/button/visualstate.h"

#include <QFont>
#include <QSize>
#include <QString>

// What the picture and caption drawing reads from the button. Colours are resolved.
struct ButtonContentInput
{
    int buttonStyle = 0;
    VisualState state = VisualState::StateNormal;
    ButtonPicture picture;
    ButtonPicture pictureHover;
    int pictureSize = 0; // 0 natural, 1 16 x 16, 2 24 x 24, 3 32 x 32
    int pictureAlign = 1;
    int captionAlign = 1;
    bool useMaskColor = false;
    int maskColor = 0;
    QString caption;
    QFont font;
    int foreColor = 0;
    bool enabled = true;
    bool checkBoxMode = false;
    bool value = false;
    bool hasAccessKey = false;
    QSize pictureBox; // the box of the previous drawing, kept for a PictureSize outside 0-3
};
